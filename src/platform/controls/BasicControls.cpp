#include "BasicControls.h"
#include "PropertyTable.h"

namespace numora {

namespace {

// "list(i)" is answered beside the table (see listItemProperty).
const PropertyTable<ListBox> kListProperties = {
    {"listIndex", [](const ListBox &l) -> QVariant { return l.listIndex(); },
     [](ListBox &l, const QVariant &v) { return l.setListIndex(v.toInt()); }},
    {"listCount", [](const ListBox &l) -> QVariant { return l.count(); }},
    {"text", [](const ListBox &l) -> QVariant { return l.item(l.listIndex()); }},
};

const PropertyTable<CheckBox> kCheckProperties = {
    {"value", [](const CheckBox &c) -> QVariant { return c.value(); },
     [](CheckBox &c, const QVariant &v) {
         bool ok = false;
         const int i = v.toInt(&ok);
         return ok && c.setValue(i);
     }},
    {"caption", [](const CheckBox &c) -> QVariant { return c.caption(); }},
};

// The range is the form's to set; scripts read it.
const PropertyTable<ScrollBar> kScrollProperties = {
    {"value", [](const ScrollBar &s) -> QVariant { return s.value(); },
     [](ScrollBar &s, const QVariant &v) {
         bool ok = false;
         const qint64 i = v.toLongLong(&ok);
         return ok && s.setValue(i);
     }},
    {"min", [](const ScrollBar &s) -> QVariant { return s.min(); }},
    {"max", [](const ScrollBar &s) -> QVariant { return s.max(); }},
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

bool ListBox::has(const QString &p) const
{
    return kListProperties.find(p) != nullptr || isListItemProperty(p) || Control::has(p);
}

QVariant ListBox::get(const QString &p) const
{
    if (const auto v = kListProperties.get(*this, p))
        return *v;
    if (isListItemProperty(p))
        return listItemProperty(p, items());
    return Control::get(p);
}

bool ListBox::set(const QString &p, const QVariant &v)
{
    if (const auto done = kListProperties.set(*this, p, v))
        return *done;
    return Control::set(p, v);
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

bool CheckBox::has(const QString &p) const { return kCheckProperties.find(p) != nullptr || Control::has(p); }

QVariant CheckBox::get(const QString &p) const
{
    if (const auto v = kCheckProperties.get(*this, p))
        return *v;
    return Control::get(p);
}

bool CheckBox::set(const QString &p, const QVariant &v)
{
    if (const auto done = kCheckProperties.set(*this, p, v))
        return *done;
    return Control::set(p, v);
}

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

bool ScrollBar::has(const QString &p) const { return kScrollProperties.find(p) != nullptr || Control::has(p); }

QVariant ScrollBar::get(const QString &p) const
{
    if (const auto v = kScrollProperties.get(*this, p))
        return *v;
    return Control::get(p);
}

bool ScrollBar::set(const QString &p, const QVariant &v)
{
    if (const auto done = kScrollProperties.set(*this, p, v))
        return *done;
    return Control::set(p, v);
}

} // namespace numora
