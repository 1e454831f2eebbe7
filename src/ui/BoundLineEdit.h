#pragma once
#include "platform/controls/TextEditing.h"

#include <QLineEdit>

namespace numora::ui {

// A line edit that shows one text control of a form. Typed characters go to
// the model as key presses (after the widget's caret and selection have been
// copied into it), so the model's key filters decide; other edits (Delete, a
// cut, an undo) go in as one whole-text edit. The widget shows the model's
// text, selection and enabled state, and nothing of its own.
class BoundLineEdit : public QLineEdit
{
public:
    // With followModel false the owner (an editable combo box) calls sync().
    explicit BoundLineEdit(TextEditing &control, QWidget *parent = nullptr, bool followModel = true);

    TextEditing &control() const { return m_control; }
    void sync();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;

private:
    void pushSelection();
    void typeText(const QString &text);
    void editedInWidget();

    TextEditing &m_control;
    bool m_standalone;
    bool m_syncing = false;
};

} // namespace numora::ui
