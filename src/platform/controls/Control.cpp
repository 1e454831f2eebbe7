#include "Control.h"
#include "PropertyTable.h"

namespace numora {

void Control::setVisible(bool v)
{
    if (m_visible == v)
        return;
    m_visible = v;
    viewChanged();
}

void Control::setEnabled(bool e)
{
    if (m_enabled == e)
        return;
    m_enabled = e;
    viewChanged();
}

void Control::setLeft(double v)
{
    if (m_left == v)
        return;
    m_left = v;
    viewChanged();
}

void Control::setTop(double v)
{
    if (m_top == v)
        return;
    m_top = v;
    viewChanged();
}

void Control::setWidth(double v)
{
    if (m_width == v)
        return;
    m_width = v;
    viewChanged();
}

void Control::setHeight(double v)
{
    if (m_height == v)
        return;
    m_height = v;
    viewChanged();
}

void Control::setGeometry(double l, double t, double w, double h)
{
    if (m_left == l && m_top == t && m_width == w && m_height == h)
        return;
    m_left = l;
    m_top = t;
    m_width = w;
    m_height = h;
    viewChanged();
}

namespace {

// Geometry in twips; visible, enabled and tag as the view shows them.
const PropertyTable<Control> kProperties = {
    {"visible", [](const Control &c) -> QVariant { return c.visible(); },
     [](Control &c, const QVariant &v) { return c.setVisible(v.toBool()), true; }},
    {"enabled", [](const Control &c) -> QVariant { return c.enabled(); },
     [](Control &c, const QVariant &v) { return c.setEnabled(v.toBool()), true; }},
    {"left", [](const Control &c) -> QVariant { return c.left(); },
     [](Control &c, const QVariant &v) { return c.setLeft(v.toDouble()), true; }},
    {"top", [](const Control &c) -> QVariant { return c.top(); },
     [](Control &c, const QVariant &v) { return c.setTop(v.toDouble()), true; }},
    {"width", [](const Control &c) -> QVariant { return c.width(); },
     [](Control &c, const QVariant &v) { return c.setWidth(v.toDouble()), true; }},
    {"height", [](const Control &c) -> QVariant { return c.height(); },
     [](Control &c, const QVariant &v) { return c.setHeight(v.toDouble()), true; }},
    {"tag", [](const Control &c) -> QVariant { return c.tag(); },
     [](Control &c, const QVariant &v) { return c.setTag(v.toString()), true; }},
};

} // namespace

bool Control::has(const QString &p) const { return kProperties.find(p) != nullptr; }

QVariant Control::get(const QString &p) const { return kProperties.get(*this, p).value_or(QVariant()); }

bool Control::set(const QString &p, const QVariant &v) { return kProperties.set(*this, p, v).value_or(false); }

} // namespace numora
