#include "BasicControls.h"
#include "PropertyTable.h"

namespace numora {

namespace {

// "list(i)" is answered beside the table (see listItemProperty).
const PropertyTable<ListBox> kListProperties = {
    PropertyTable<ListBox>::field<&ListBox::listIndex, &ListBox::setListIndex>("listIndex"),
    PropertyTable<ListBox>::field<&ListBox::count>("listCount"),
    {"text", [](const ListBox &l) -> QVariant { return l.item(l.listIndex()); }},
};

const PropertyTable<CheckBox> kCheckProperties = {
    {"value", [](const CheckBox &c) -> QVariant { return c.value(); },
     [](CheckBox &c, const QVariant &v) {
         bool ok = false;
         const int i = v.toInt(&ok);
         return ok && c.setValue(i);
     }},
    PropertyTable<CheckBox>::field<&CheckBox::caption>("caption"),
};

// The range is the form's to set; scripts read it.
const PropertyTable<ScrollBar> kScrollProperties = {
    {"value", [](const ScrollBar &s) -> QVariant { return s.value(); },
     [](ScrollBar &s, const QVariant &v) {
         bool ok = false;
         const qint64 i = v.toLongLong(&ok);
         return ok && s.setValue(i);
     }},
    PropertyTable<ScrollBar>::field<&ScrollBar::min>("min"),
    PropertyTable<ScrollBar>::field<&ScrollBar::max>("max"),
};

} // namespace

void ListBox::addItem(const QString &t)
{
    m_items.append(t);
    viewChanged();
}

void ListBox::clear()
{
    m_items.clear();
    m_index = -1;
    viewChanged();
}

void ListBox::replaceItems(const QStringList &items, int index)
{
    m_items = items;
    m_index = index >= 0 && index < m_items.size() ? index : -1;
    viewChanged();
}

bool ListBox::removeItem(int i)
{
    if (i < 0 || i >= m_items.size())
        return false;
    m_items.removeAt(i);
    if (m_index >= m_items.size())
        m_index = int(m_items.size()) - 1;
    viewChanged();
    return true;
}

bool ListBox::setListIndex(int i)
{
    if (i < -1 || i >= m_items.size())
        return false;
    if (i == m_index)
        return true;
    m_index = i;
    viewChanged();
    onClick.raise();
    return true;
}

bool ListBox::choose(int i)
{
    if (i < 0 || i >= m_items.size())
        return false;
    m_index = i;
    viewChanged();
    onClick.raise();
    return true;
}

bool ListBox::has(const QString &p) const { return kListProperties.has(p) || isListItemProperty(p) || Control::has(p); }

QVariant ListBox::get(const QString &p) const
{
    return kListProperties.get(*this, p,
                               [&] { return isListItemProperty(p) ? listItemProperty(p, items()) : Control::get(p); });
}

bool ListBox::set(const QString &p, const QVariant &v)
{
    return kListProperties.set(*this, p, v, [&] { return Control::set(p, v); });
}

bool CheckBox::setValue(int v)
{
    if (v == m_value)
        return true;
    if (v < 0 || v > 2)
        return false;
    m_value = v;
    viewChanged();
    onClick.raise();
    return true;
}

void CheckBox::toggle()
{
    m_value = m_value == 0 ? 1 : 0;
    viewChanged();
    onClick.raise();
}

const PropertyTable<CheckBox> &CheckBox::properties() { return kCheckProperties; }

bool ScrollBar::setValue(qint64 v)
{
    if (!inRange(v))
        return false;
    if (v == m_value)
        return true;
    m_value = int(v);
    viewChanged();
    onChange.raise();
    return true;
}

const PropertyTable<ScrollBar> &ScrollBar::properties() { return kScrollProperties; }

} // namespace numora
