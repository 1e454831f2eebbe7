#include "Control.h"

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

static const QStringList kBaseProperties = {
    QStringLiteral("visible"), QStringLiteral("enabled"), QStringLiteral("left"), QStringLiteral("top"),
    QStringLiteral("width"),   QStringLiteral("height"),  QStringLiteral("tag")};

bool Control::has(const QString &p) const { return kBaseProperties.contains(p); }

QVariant Control::get(const QString &p) const
{
    if (p == QLatin1String("visible"))
        return m_visible;
    if (p == QLatin1String("enabled"))
        return m_enabled;
    if (p == QLatin1String("left"))
        return m_left;
    if (p == QLatin1String("top"))
        return m_top;
    if (p == QLatin1String("width"))
        return m_width;
    if (p == QLatin1String("height"))
        return m_height;
    if (p == QLatin1String("tag"))
        return m_tag;
    return {};
}

bool Control::set(const QString &p, const QVariant &v)
{
    if (p == QLatin1String("visible"))
        setVisible(v.toBool());
    else if (p == QLatin1String("enabled"))
        setEnabled(v.toBool());
    else if (p == QLatin1String("left"))
        setLeft(v.toDouble());
    else if (p == QLatin1String("top"))
        setTop(v.toDouble());
    else if (p == QLatin1String("width"))
        setWidth(v.toDouble());
    else if (p == QLatin1String("height"))
        setHeight(v.toDouble());
    else if (p == QLatin1String("tag"))
        setTag(v.toString());
    else
        return false;
    return true;
}

} // namespace numora
