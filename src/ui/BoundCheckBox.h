#pragma once
#include "platform/controls/BasicControls.h"

#include <QCheckBox>

namespace numora::ui {

// A check box that shows one CheckBox control. A click (mouse or space bar)
// is the model's toggle(); the tick always shows the model's value.
class BoundCheckBox : public QCheckBox
{
public:
    explicit BoundCheckBox(CheckBox &control, QWidget *parent = nullptr);
    CheckBox &control() const { return m_control; }
    void sync();

protected:
    void nextCheckState() override;

private:
    CheckBox &m_control;
};

} // namespace numora::ui
