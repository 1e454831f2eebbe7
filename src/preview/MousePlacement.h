#pragma once
#include "layout/LayoutDocument.h"

#include <optional>

namespace numora {

class PagePreview;

// Placing the numbers by clicking on the page. A crosshair follows the
// pointer and L1 and L2 read its place in centimetres; in placement mode
// (Check2) a click puts the slot chosen in Combo4 where the readout says,
// through that slot's position scroll bars, and moves on to the next slot.
// Check4 shows or hides the centimetre grid.
class MousePlacement
{
public:
    // Preview units per millimetre of the readout, a little finer than the
    // 27.5 the boxes are placed with.
    static constexpr double ReadoutScale = 27.45;

    MousePlacement(LayoutDocument &doc, PagePreview &preview);

    CheckBox crosshairOption{QStringLiteral("Check4"), QStringLiteral("cm. Line")};
    Label pointerX{QStringLiteral("L1"), QStringLiteral("00.0")}; // pointer x
    Label pointerY{QStringLiteral("L2"), QStringLiteral("00.0")}; // pointer y

    // previewMouseDown: empty until a button first goes down on the page.
    std::optional<int> previewMouseDown;

    // The readout text of a preview coordinate: whole millimetres written as
    // centimetres (10.9, 11, -0.2).
    static QString readout(double units);

    void buttonDown();
    void pointerMoved(double x, double y);
    void buttonUp();
    void gridClicked();
    // Moves both crosshair lines out of sight above the page.
    void parkCrosshair();
    void connectEvents();

private:
    void placeSlot(int n);

    LayoutDocument &m_doc;
    PagePreview &m_preview;
};

} // namespace numora
