#pragma once
#include "layout/LayoutDocument.h"

namespace numora {

class PagePreview;

// The editors of the twelve positions, the shift spinners and the grid type:
// key filters, clamps, the scroll rule and the grid-type change.
class SlotEditors
{
public:
    SlotEditors(LayoutDocument &doc, PagePreview &preview);
    void connectEditors();

    void counterKey(int &key);
    // A key release, or leaving the field (which finishes a beginning such as "0.").
    void topReleased(int n, bool leaving);
    void leftReleased(int n, bool leaving);
    void topScrolled(int n);
    void leftScrolled(int n);
    void topSpinChanged();
    void leftSpinChanged();
    void gridTypeChosen();

private:
    LayoutDocument &m_doc;
    PagePreview &m_preview;
};

} // namespace numora
