#include "BasicControls.h"

namespace numora {

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
    return p == QLatin1String("listIndex") || p == QLatin1String("listCount") || p.startsWith(QLatin1String("list("))
           || p == QLatin1String("text") || Control::has(p);
}

QVariant ListBox::get(const QString &p) const
{
    if (p == QLatin1String("listIndex"))
        return m_index;
    if (p == QLatin1String("listCount"))
        return count();
    if (p == QLatin1String("text"))
        return item(m_index);
    if (p.startsWith(QLatin1String("list(")) && p.endsWith(QLatin1Char(')'))) {
        bool ok = false;
        const int i = p.mid(5, p.size() - 6).toInt(&ok);
        if (!ok || i < 0 || i >= m_items.size())
            return {};
        return m_items.at(i);
    }
    return Control::get(p);
}

bool ListBox::set(const QString &p, const QVariant &v)
{
    if (p == QLatin1String("listIndex"))
        return setListIndex(v.toInt());
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

bool CheckBox::has(const QString &p) const
{
    return p == QLatin1String("value") || p == QLatin1String("caption") || Control::has(p);
}

QVariant CheckBox::get(const QString &p) const
{
    if (p == QLatin1String("value"))
        return m_value;
    if (p == QLatin1String("caption"))
        return m_caption;
    return Control::get(p);
}

bool CheckBox::set(const QString &p, const QVariant &v)
{
    if (p == QLatin1String("value")) {
        bool ok = false;
        const int i = v.toInt(&ok);
        return ok && setValue(i);
    }
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

bool ScrollBar::has(const QString &p) const
{
    return p == QLatin1String("value") || p == QLatin1String("min") || p == QLatin1String("max") || Control::has(p);
}

QVariant ScrollBar::get(const QString &p) const
{
    if (p == QLatin1String("value"))
        return m_value;
    if (p == QLatin1String("min"))
        return m_min;
    if (p == QLatin1String("max"))
        return m_max;
    return Control::get(p);
}

bool ScrollBar::set(const QString &p, const QVariant &v)
{
    if (p == QLatin1String("value")) {
        bool ok = false;
        const qint64 i = v.toLongLong(&ok);
        return ok && setValue(i);
    }
    return Control::set(p, v);
}

} // namespace numora
