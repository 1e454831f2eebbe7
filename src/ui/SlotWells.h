#pragma once
#include <QWidget>

#include <functional>

namespace numora::ui {

// The ground of the slot panels: a faint outline with the slot's number
// where each panel stands, so that the places of hidden slots stay visible
// and the grid reads as one piece.
class SlotWells : public QWidget
{
public:
    // cell: where slot n (1 to 12) stands, in this widget's pixels.
    SlotWells(QWidget *parent, std::function<QRect(int)> cell);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    std::function<QRect(int)> m_cell;
};

} // namespace numora::ui
