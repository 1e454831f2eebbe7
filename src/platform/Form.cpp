#include "Form.h"
#include "controls/PropertyTable.h"

namespace numora {

namespace {

// The window's own properties, under the names scripts use for them.
const PropertyTable<Form> kWindowProperties = {
    {"caption", [](const Form &f) -> QVariant { return f.caption(); },
     [](Form &f, const QVariant &v) { return f.setCaption(v.toString()), true; }},
    {"left", [](const Form &f) -> QVariant { return f.left(); },
     [](Form &f, const QVariant &v) { return f.setGeometry(v.toDouble(), f.top(), f.width(), f.height()), true; }},
    {"top", [](const Form &f) -> QVariant { return f.top(); },
     [](Form &f, const QVariant &v) { return f.setGeometry(f.left(), v.toDouble(), f.width(), f.height()), true; }},
    {"width", [](const Form &f) -> QVariant { return f.width(); },
     [](Form &f, const QVariant &v) { return f.setGeometry(f.left(), f.top(), v.toDouble(), f.height()), true; }},
    {"height", [](const Form &f) -> QVariant { return f.height(); },
     [](Form &f, const QVariant &v) { return f.setGeometry(f.left(), f.top(), f.width(), v.toDouble()), true; }},
    {"visible", [](const Form &f) -> QVariant { return f.visible(); },
     [](Form &f, const QVariant &v) { return f.setVisible(v.toBool()), true; }},
    {"enabled", [](const Form &f) -> QVariant { return f.enabled(); },
     [](Form &f, const QVariant &v) { return f.setEnabled(v.toBool()), true; }},
    {"windowState", [](const Form &f) -> QVariant { return f.windowState(); },
     [](Form &f, const QVariant &v) { return f.setWindowState(v.toInt()), true; }},
};

} // namespace

QVariant Form::state(const QString &name) const { return kWindowProperties.get(*this, name).value_or(QVariant()); }

bool Form::setState(const QString &name, const QVariant &v)
{
    return kWindowProperties.set(*this, name, v).value_or(false);
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
