#include "Form.h"
#include "controls/PropertyTable.h"

namespace numora {

namespace {

// The window's own properties, under the names scripts use for them.
const PropertyTable<Form> kWindowProperties = {
    PropertyTable<Form>::field<&Form::caption, &Form::setCaption>("caption"),
    {"left", [](const Form &f) -> QVariant { return f.left(); },
     [](Form &f, const QVariant &v) { return f.setGeometry(v.toDouble(), f.top(), f.width(), f.height()), true; }},
    {"top", [](const Form &f) -> QVariant { return f.top(); },
     [](Form &f, const QVariant &v) { return f.setGeometry(f.left(), v.toDouble(), f.width(), f.height()), true; }},
    {"width", [](const Form &f) -> QVariant { return f.width(); },
     [](Form &f, const QVariant &v) { return f.setGeometry(f.left(), f.top(), v.toDouble(), f.height()), true; }},
    {"height", [](const Form &f) -> QVariant { return f.height(); },
     [](Form &f, const QVariant &v) { return f.setGeometry(f.left(), f.top(), f.width(), v.toDouble()), true; }},
    PropertyTable<Form>::field<&Form::visible, &Form::setVisible>("visible"),
    PropertyTable<Form>::field<&Form::enabled, &Form::setEnabled>("enabled"),
    PropertyTable<Form>::field<&Form::windowState, &Form::setWindowState>("windowState"),
};

} // namespace

QVariant Form::state(const QString &name) const { return kWindowProperties.get(*this, name); }

bool Form::setState(const QString &name, const QVariant &v) { return kWindowProperties.set(*this, name, v); }

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
