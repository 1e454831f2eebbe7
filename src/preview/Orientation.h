#pragma once
#include "layout/LayoutDocument.h"
#include "platform/controls/Timer.h"

namespace numora {

class PagePreview;

// Turns the page between lying (code "4") and standing (code "6"). The
// coordinates never change; the preview swaps its size and every box is
// placed again by the other mapping.
class Orientation
{
public:
    Orientation(LayoutDocument &doc, PagePreview &preview, Scheduler &scheduler);

    Label orientationButton{QStringLiteral("Label4"), QStringLiteral("Horizontal")};
    Label standingIcon{QStringLiteral("Im1")}; // stack of standing sheets
    Label lyingIcon{QStringLiteral("Im2")};    // stack of lying sheets
    Timer toggleTimer;                         // deferred toggle after a layout load

    void toggleOrientation();
    // Every box at the place its slot's fields give, by the page's mapping.
    void placeBoxes();
    // Icons and caption from the current code, as start-up shows them.
    void showCode();
    void connectEvents();

private:
    LayoutDocument &m_doc;
    PagePreview &m_preview;
};

} // namespace numora
