#pragma once
#include "PropertyTable.h"
#include "Control.h"

namespace numora {

// Text with a caret and a selection, edited by the operator's keys or
// written by the program. Shared by text boxes and editable combo boxes.
class TextEditing : public WithPropertyTable<TextEditing, Control>
{
public:
    using WithPropertyTable::WithPropertyTable;

    static constexpr int KeyBackspace = 8;
    static constexpr int KeyPaste = 22;

    const QString &text() const { return m_text; }
    // Program write: caret at the end, nothing selected; a changed text runs
    // the change handlers. Never fails.
    virtual bool setText(const QString &t);

    int selStart() const { return m_selStart; }
    int selLength() const { return m_selLength; }
    QString selectedText() const { return m_text.mid(m_selStart, m_selLength); }
    void select(int start, int length);
    void selectAll() { select(0, int(m_text.size())); }

    // Operator keys. pressKey runs the key filters (which may change the code
    // or cancel it with 0), then edits the text; releaseKey runs onKeyUp.
    void pressKey(int code);
    void releaseKey(int code) { onKeyUp.raise(code); }
    // The operator leaves the field (focus moves elsewhere): rules that wait
    // for a finished entry run now.
    void leave() { onLeave.raise(); }
    // A paste: the paste keystroke (filters may cancel it), then the text
    // replaces the selection as one change.
    void paste(const QString &t);
    // Select all and delete: one change.
    void clearText();
    // An operator edit that is not a typed character (Delete, a cut, an undo
    // in the view): the new text and caret as one change. No key filter runs,
    // as none runs for these keys on the original platform.
    void edit(const QString &t, int caret) { replaceText(t, caret); }

    static const PropertyTable<TextEditing> &properties();

    Event<int &> onKeyPress;
    Event<int> onKeyUp;
    Event<> onLeave;
    Event<> onChange;

protected:
    // Stores a new text and selection; runs onChange when the text changed.
    void replaceText(const QString &t, int caret);
    // Stores a new text without running any handler (a list selection).
    void replaceTextSilently(const QString &t);
    virtual void textChanged() {}
    // Pick lists take no typed characters; their key filters still run.
    virtual bool acceptsTyping() const { return true; }

private:
    QString m_text;
    int m_selStart = 0;
    int m_selLength = 0;
};

class TextBox : public TextEditing
{
public:
    using TextEditing::TextEditing;
    const char *kind() const override { return "TextBox"; }
};

} // namespace numora
