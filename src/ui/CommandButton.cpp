#include "CommandButton.h"
#include "ViewSupport.h"

namespace numora::ui {

CommandButton::CommandButton(Label &control, QWidget *parent)
    : QPushButton(parent)
    , m_control(control)
{
    setObjectName(control.name());
    // Enter must not press a button the operator did not choose.
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { m_control.click(); });
    onViewUpdate(control, this, [](CommandButton *b) { b->sync(); });
    sync();
}

void CommandButton::sync()
{
    setText(m_control.caption());
    setEnabled(m_control.enabled());
    setVisible(m_control.visible());
}

} // namespace numora::ui
