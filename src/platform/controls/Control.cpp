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
    PropertyTable<Control>::field<&Control::visible, &Control::setVisible>("visible"),
    PropertyTable<Control>::field<&Control::enabled, &Control::setEnabled>("enabled"),
    PropertyTable<Control>::field<&Control::left, &Control::setLeft>("left"),
    PropertyTable<Control>::field<&Control::top, &Control::setTop>("top"),
    PropertyTable<Control>::field<&Control::width, &Control::setWidth>("width"),
    PropertyTable<Control>::field<&Control::height, &Control::setHeight>("height"),
    PropertyTable<Control>::field<&Control::tag, &Control::setTag>("tag"),
};

} // namespace

bool Control::has(const QString &p) const { return kProperties.has(p); }

QVariant Control::get(const QString &p) const { return kProperties.get(*this, p); }

bool Control::set(const QString &p, const QVariant &v) { return kProperties.set(*this, p, v); }

} // namespace numora
