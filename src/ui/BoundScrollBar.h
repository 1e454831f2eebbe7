#pragma once
#include "platform/controls/BasicControls.h"

#include <QScrollBar>

namespace numora::ui {

// A scroll bar that shows one ScrollBar control. A move by the operator is
// offered to the model with setValue(); the model may refuse or change it
// further, and the bar then shows what the model holds. Arrows step by the
// small step, clicks beside the thumb by the large step.
class BoundScrollBar : public QScrollBar
{
public:
    BoundScrollBar(ScrollBar &control, Qt::Orientation orientation, QWidget *parent = nullptr);
    ScrollBar &control() const { return m_control; }
    void sync();

private:
    ScrollBar &m_control;
};

} // namespace numora::ui
