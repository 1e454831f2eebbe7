#pragma once
#include "LayoutDocument.h"

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
    void topReleased(int n);
    void leftReleased(int n);
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
