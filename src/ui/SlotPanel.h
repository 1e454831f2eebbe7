#pragma once
#include <QFrame>

namespace numora {
class Label;
struct SignSlot;
} // namespace numora

namespace numora::ui {

class BoundLineEdit;
class BoundScrollBar;

// The editors of one number position on its panel (Picture3..10,
// Picture12..15): the slot number, the counter Tx<n>, the long-edge position
// Tee<n> with its bar VS<n> and the short-edge position Teee<n> with VSc<n>.
// The panel is shown and hidden with its model panel.
class SlotPanel : public QFrame
{
public:
    SlotPanel(SignSlot &slot, Label &panel, QWidget *parent = nullptr);
    void sync();

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Label &m_panel;
    int m_number;
};

} // namespace numora::ui
