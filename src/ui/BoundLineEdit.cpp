#include "BoundLineEdit.h"
#include "ViewSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QFocusEvent>
#include <QKeyEvent>

namespace numora::ui {

BoundLineEdit::BoundLineEdit(TextEditing &control, QWidget *parent, bool followModel)
    : QLineEdit(parent)
    , m_control(control)
    , m_standalone(followModel)
{
    setObjectName(control.name());
    // Paste and drop would bypass the model's key filters.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
    connect(this, &QLineEdit::textEdited, this, [this] { editedInWidget(); });
    connect(this, &QLineEdit::selectionChanged, this, [this] { pushSelection(); });
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { pushSelection(); });
    if (followModel)
        onViewUpdate(control, this, [](BoundLineEdit *w) { w->sync(); });
    sync();
}

void BoundLineEdit::sync()
{
    if (m_syncing)
        return;
    m_syncing = true;
    if (text() != m_control.text())
        setText(m_control.text());
    if (m_control.selLength() > 0)
        setSelection(m_control.selStart(), m_control.selLength());
    else if (cursorPosition() != m_control.selStart() || hasSelectedText())
        setCursorPosition(m_control.selStart());
    if (m_standalone) {
        setEnabled(m_control.enabled());
        setVisible(m_control.visible());
    }
    m_syncing = false;
}

void BoundLineEdit::pushSelection()
{
    if (m_syncing || text() != m_control.text())
        return;
    m_syncing = true;
    if (hasSelectedText())
        m_control.select(selectionStart(), int(selectedText().size()));
    else
        m_control.select(cursorPosition(), 0);
    m_syncing = false;
}

void BoundLineEdit::typeText(const QString &text)
{
    pushSelection();
    const auto codes = text.toUcs4();
    for (const char32_t c : codes)
        m_control.pressKey(int(c));
    sync();
}

void BoundLineEdit::editedInWidget()
{
    if (m_syncing)
        return;
    m_control.edit(text(), cursorPosition());
    sync();
}

void BoundLineEdit::keyPressEvent(QKeyEvent *e)
{
    if (e == QKeySequence::Paste) {
        pushSelection();
        m_control.paste(QGuiApplication::clipboard()->text());
        sync();
        return;
    }
    if (e == QKeySequence::Cut) {
        if (hasSelectedText()) {
            copy();
            QString t = text();
            const int start = selectionStart();
            t.remove(start, selectedText().size());
            m_control.edit(t, start);
            sync();
        }
        return;
    }
    if (e->key() == Qt::Key_Backspace && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        typeText(QString(QChar(TextEditing::KeyBackspace)));
        return;
    }
    const QString t = e->text();
    const bool typed = !t.isEmpty() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
                       && e->key() != Qt::Key_Delete && e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab;
    if (typed) {
        typeText(t);
        return;
    }
    // Navigation, selection, copy, Delete, undo: the line edit does them;
    // a changed text reaches the model through textEdited.
    QLineEdit::keyPressEvent(e);
}

void BoundLineEdit::keyReleaseEvent(QKeyEvent *e)
{
    if (!e->isAutoRepeat())
        m_control.releaseKey(keyUpCode(e));
    QLineEdit::keyReleaseEvent(e);
}

void BoundLineEdit::focusOutEvent(QFocusEvent *e)
{
    QLineEdit::focusOutEvent(e);
    // A popup (the field's own menu, a tooltip) is not leaving the field.
    if (e->reason() != Qt::PopupFocusReason) {
        m_control.leave();
        sync();
    }
}

void BoundLineEdit::inputMethodEvent(QInputMethodEvent *e)
{
    // Only committed text counts as typing; a pending composition stays in
    // the input method until then.
    if (!e->commitString().isEmpty() && e->preeditString().isEmpty() && e->replacementLength() == 0) {
        typeText(e->commitString());
        e->accept();
        return;
    }
    QLineEdit::inputMethodEvent(e);
}

} // namespace numora::ui
