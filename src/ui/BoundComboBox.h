#pragma once
#include "platform/controls/ComboBox.h"

#include <QComboBox>

namespace numora::ui {

class BoundLineEdit;

// A combo box that shows one ComboBox control of a form: its items, its
// position in the list and, for an editable list, its text. Picking an item
// is the model's choose(); typing in an editable list goes through a
// BoundLineEdit on the same control, so the model's key handlers decide.
class BoundComboBox : public QComboBox
{
public:
    explicit BoundComboBox(ComboBox &control, QWidget *parent = nullptr);

    ComboBox &control() const { return m_control; }
    BoundLineEdit *editor() const { return m_edit; }
    void sync();

private:
    ComboBox &m_control;
    BoundLineEdit *m_edit = nullptr;
    bool m_syncing = false;
};

} // namespace numora::ui
