#include "TextEditing.h"
#include "PropertyTable.h"

namespace numora {

bool TextEditing::setText(const QString &t)
{
    replaceText(t, int(t.size()));
    return true;
}

void TextEditing::select(int start, int length)
{
    start = std::clamp(start, 0, int(m_text.size()));
    length = std::clamp(length, 0, int(m_text.size()) - start);
    if (start == m_selStart && length == m_selLength)
        return;
    m_selStart = start;
    m_selLength = length;
    viewChanged();
}

void TextEditing::replaceText(const QString &t, int caret)
{
    const bool changed = t != m_text;
    m_text = t;
    m_selStart = std::clamp(caret, 0, int(m_text.size()));
    m_selLength = 0;
    viewChanged();
    if (changed) {
        textChanged();
        onChange.raise();
    }
}

void TextEditing::replaceTextSilently(const QString &t)
{
    m_text = t;
    m_selStart = int(t.size());
    m_selLength = 0;
    viewChanged();
}

void TextEditing::pressKey(int code)
{
    int key = code;
    onKeyPress.raise(key);
    if (key == 0 || !acceptsTyping())
        return;
    // A handler may have rewritten the text; read the selection afresh.
    const int start = std::clamp(m_selStart, 0, int(m_text.size()));
    const int len = std::clamp(m_selLength, 0, int(m_text.size()) - start);
    QString t = m_text;
    if (key == KeyBackspace) {
        if (len > 0) {
            t.remove(start, len);
            replaceText(t, start);
        } else if (start > 0) {
            t.remove(start - 1, 1);
            replaceText(t, start - 1);
        }
        return;
    }
    if (key < 32)
        return; // other control keys insert nothing
    const QString ch =
        key > 0xFFFF ? QString::fromUcs4(reinterpret_cast<const char32_t *>(&key), 1) : QString(QChar(key));
    t.replace(start, len, ch);
    replaceText(t, start + int(ch.size()));
}

void TextEditing::paste(const QString &pasted)
{
    int key = KeyPaste;
    onKeyPress.raise(key);
    if (key == 0 || !acceptsTyping())
        return;
    // These are one-line fields: a pasted line break becomes a blank.
    QString text = pasted;
    for (QChar &c : text)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    const int start = std::clamp(m_selStart, 0, int(m_text.size()));
    const int len = std::clamp(m_selLength, 0, int(m_text.size()) - start);
    QString t = m_text;
    t.replace(start, len, text);
    replaceText(t, start + int(text.size()));
}

void TextEditing::clearText() { replaceText(QString(), 0); }

namespace {

const PropertyTable<TextEditing> kTextProperties = {
    PropertyTable<TextEditing>::field<&TextEditing::text, &TextEditing::setText>("text"),
    PropertyTable<TextEditing>::field<&TextEditing::selectedText>("selText"),
    {"selStart", [](const TextEditing &t) -> QVariant { return t.selStart(); },
     [](TextEditing &t, const QVariant &v) { return t.select(v.toInt(), 0), true; }},
    {"selLength", [](const TextEditing &t) -> QVariant { return t.selLength(); },
     [](TextEditing &t, const QVariant &v) { return t.select(t.selStart(), v.toInt()), true; }},
};

} // namespace

const PropertyTable<TextEditing> &TextEditing::properties() { return kTextProperties; }

} // namespace numora
