#include "BoundComboBox.h"
#include "BoundLineEdit.h"
#include "ViewSupport.h"

namespace numora::ui {

BoundComboBox::BoundComboBox(ComboBox &control, QWidget *parent)
    : QComboBox(parent)
    , m_control(control)
{
    setObjectName(control.name());
    if (!control.isPickList()) {
        setEditable(true);
        m_edit = new BoundLineEdit(control, this, false);
        setLineEdit(m_edit);
        // The list never grows from typing and never completes on its own:
        // the text is exactly what the model holds.
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
    }
    setMaxVisibleItems(16);
    connect(this, &QComboBox::activated, this, [this](int i) {
        if (m_syncing)
            return;
        m_control.choose(i);
        sync();
    });
    onViewUpdate(control, this, [](BoundComboBox *w) { w->sync(); });
    sync();
}

void BoundComboBox::sync()
{
    if (m_syncing)
        return;
    m_syncing = true;
    const QStringList &items = m_control.items();
    bool same = count() == items.size();
    for (int i = 0; same && i < count(); ++i)
        same = itemText(i) == items.at(i);
    // The line edit's own signals would copy a caret into the model.
    const QSignalBlocker blockEdit(m_edit);
    if (!same) {
        const QSignalBlocker block(this);
        clear();
        addItems(items);
    }
    if (currentIndex() != m_control.listIndex()) {
        const QSignalBlocker block(this);
        setCurrentIndex(m_control.listIndex());
    }
    if (m_edit)
        m_edit->sync();
    setEnabled(m_control.enabled());
    setVisible(m_control.visible());
    m_syncing = false;
}

} // namespace numora::ui
