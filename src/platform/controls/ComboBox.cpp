#include "ComboBox.h"
#include "PropertyTable.h"

namespace numora {

void ComboBox::addItem(const QString &t)
{
    m_items.append(t);
    viewChanged();
}

void ComboBox::setItems(const QStringList &items)
{
    m_items = items;
    if (m_index >= m_items.size())
        m_index = -1;
    viewChanged();
}

void ComboBox::clear()
{
    m_items.clear();
    m_index = -1;
    // The text goes with the list, silently.
    m_selecting = true;
    TextEditing::replaceTextSilently(QString());
    m_selecting = false;
    viewChanged();
}

bool ComboBox::setListIndex(int i)
{
    if (i < -1 || i >= m_items.size())
        return false;
    if (i == m_index)
        return true;
    m_index = i;
    m_selecting = true;
    TextEditing::replaceTextSilently(i < 0 ? QString() : m_items.at(i));
    m_selecting = false;
    viewChanged();
    onClick.raise();
    return true;
}

bool ComboBox::setText(const QString &t)
{
    if (m_kind == PickList) {
        if (t == text() && m_index >= 0)
            return true;
        const int i = int(m_items.indexOf(t));
        if (i < 0)
            return false;
        return setListIndex(i);
    }
    return TextEditing::setText(t);
}

bool ComboBox::choose(int i)
{
    if (i < 0 || i >= m_items.size())
        return false;
    m_index = i;
    m_selecting = true;
    TextEditing::replaceTextSilently(m_items.at(i));
    m_selecting = false;
    viewChanged();
    onClick.raise();
    return true;
}

bool ComboBox::choose(const QString &itemText) { return choose(int(m_items.indexOf(itemText))); }

void ComboBox::textChanged()
{
    // Typed or written text: the list position follows an exact item match.
    // Views hear of the new position too: a combo box widget left on the old
    // one would match the text to an item itself and report a choice.
    if (m_selecting)
        return;
    const int i = int(m_items.indexOf(text()));
    if (i != m_index) {
        m_index = i;
        viewChanged();
    }
}

namespace {

// "text" and the selection are TextEditing's; "list(i)" is answered beside
// the table (see listItemProperty).
const PropertyTable<ComboBox> kComboProperties = {
    PropertyTable<ComboBox>::field<&ComboBox::listIndex, &ComboBox::setListIndex>("listIndex"),
    PropertyTable<ComboBox>::field<&ComboBox::count>("listCount"),
};

} // namespace

bool ComboBox::has(const QString &p) const
{
    return kComboProperties.has(p) || isListItemProperty(p) || TextEditing::has(p);
}

QVariant ComboBox::get(const QString &p) const
{
    return kComboProperties.get(
        *this, p, [&] { return isListItemProperty(p) ? listItemProperty(p, items()) : TextEditing::get(p); });
}

bool ComboBox::set(const QString &p, const QVariant &v)
{
    return kComboProperties.set(*this, p, v, [&] { return TextEditing::set(p, v); });
}

} // namespace numora
