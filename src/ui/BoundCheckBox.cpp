#include "BoundCheckBox.h"
#include "ViewSupport.h"

namespace numora::ui {

BoundCheckBox::BoundCheckBox(CheckBox &control, QWidget *parent)
    : QCheckBox(control.caption(), parent)
    , m_control(control)
{
    setObjectName(control.name());
    onViewUpdate(control, this, [](BoundCheckBox *w) { w->sync(); });
    sync();
}

void BoundCheckBox::sync()
{
    const QSignalBlocker block(this);
    setText(m_control.caption());
    // Value 2 is the greyed state of the original check boxes.
    setTristate(m_control.value() == 2);
    setCheckState(m_control.value() == 0 ? Qt::Unchecked : m_control.value() == 1 ? Qt::Checked : Qt::PartiallyChecked);
    setEnabled(m_control.enabled());
    setVisible(m_control.visible());
}

void BoundCheckBox::nextCheckState()
{
    m_control.toggle();
    sync();
}

} // namespace numora::ui
