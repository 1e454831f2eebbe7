#include "Form.h"

namespace numora {

QVariant Form::state(const QString &name) const
{
    if (name == QLatin1String("caption"))
        return m_caption;
    if (name == QLatin1String("left"))
        return m_left;
    if (name == QLatin1String("top"))
        return m_top;
    if (name == QLatin1String("width"))
        return m_width;
    if (name == QLatin1String("height"))
        return m_height;
    if (name == QLatin1String("visible"))
        return m_visible;
    if (name == QLatin1String("enabled"))
        return m_enabled;
    if (name == QLatin1String("windowState"))
        return m_windowState;
    return {};
}

bool Form::setState(const QString &name, const QVariant &v)
{
    if (name == QLatin1String("caption"))
        setCaption(v.toString());
    else if (name == QLatin1String("left"))
        setGeometry(v.toDouble(), m_top, m_width, m_height);
    else if (name == QLatin1String("top"))
        setGeometry(m_left, v.toDouble(), m_width, m_height);
    else if (name == QLatin1String("width"))
        setGeometry(m_left, m_top, v.toDouble(), m_height);
    else if (name == QLatin1String("height"))
        setGeometry(m_left, m_top, m_width, v.toDouble());
    else if (name == QLatin1String("visible"))
        setVisible(v.toBool());
    else if (name == QLatin1String("enabled"))
        setEnabled(v.toBool());
    else if (name == QLatin1String("windowState"))
        setWindowState(v.toInt());
    else
        return false;
    return true;
}

void Form::setCaption(const QString &c)
{
    if (c == m_caption)
        return;
    m_caption = c;
    onWindowUpdate.raise();
}

void Form::setGeometry(double l, double t, double w, double h)
{
    if (l == m_left && t == m_top && w == m_width && h == m_height)
        return;
    m_left = l;
    m_top = t;
    m_width = w;
    m_height = h;
    onWindowUpdate.raise();
}

void Form::setVisible(bool v)
{
    if (v == m_visible)
        return;
    m_visible = v;
    onWindowUpdate.raise();
}

void Form::setEnabled(bool e)
{
    if (e == m_enabled)
        return;
    m_enabled = e;
    onWindowUpdate.raise();
}

void Form::setWindowState(int s)
{
    if (s == m_windowState)
        return;
    m_windowState = s;
    onWindowUpdate.raise();
}

} // namespace numora
