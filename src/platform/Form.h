#pragma once
#include "controls/Control.h"
#include "controls/PropertyTable.h"

#include <QHash>
#include <QStringList>

namespace numora {

// A headless window: a name, its controls by name and its own state. Control
// arrays are registered as "Name(i)". Forms are reached by scripts and views
// only through this registry and their typed members.
class Form
{
public:
    explicit Form(QString name)
        : m_name(std::move(name))
    {}
    virtual ~Form() = default;
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    const QString &name() const { return m_name; }
    Control *control(const QString &name) const { return m_controls.value(name); }
    const QStringList &controlNames() const { return m_order; }

    // The form's own state, by the names the program's documentation uses
    // (modified, orientationMark, ...). Unknown names read as invalid.
    virtual QVariant state(const QString &name) const;
    virtual bool setState(const QString &name, const QVariant &value);
    virtual QStringList stateNames() const { return {}; }

    // The window itself: caption, place and size in twips, shown, enabled,
    // and its state (0 normal, 1 minimised, 2 maximised).
    const QString &caption() const { return m_caption; }
    void setCaption(const QString &c);
    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setGeometry(double l, double t, double w, double h);
    bool visible() const { return m_visible; }
    void setVisible(bool v);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool e);
    int windowState() const { return m_windowState; }
    void setWindowState(int s);
    // Raised when any of the window's own properties changed, for views.
    Event<> onWindowUpdate;
    // The pointer over the window's own background, outside its controls
    // (positions in twips, as for controls).
    void mouse(MouseAction a, int button, double x, double y) { onMouse.raise(a, button, x, y); }
    Event<MouseAction, int, double, double> onMouse;

protected:
    void registerControl(Control &c) { registerControl(c.name(), c); }
    void registerControl(const QString &name, Control &c)
    {
        // A second control under a name would hide the first from scripts
        // and views.
        Q_ASSERT_X(!m_controls.contains(name), "Form::registerControl",
                   qPrintable(m_name + QStringLiteral(": ") + name));
        if (!m_controls.contains(name))
            m_order.append(name);
        m_controls.insert(name, &c);
    }

private:
    QString m_name;
    QString m_caption;
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_visible = false;
    bool m_enabled = true;
    int m_windowState = 0;
    QHash<QString, Control *> m_controls;
    QStringList m_order;
};

// A form whose own state names are those of its table,
// Self::stateProperties(); every other name is the window's.
template <class Self> class FormWithState : public Form
{
public:
    using Form::Form;

    QStringList stateNames() const override { return Self::stateProperties().names(); }
    QVariant state(const QString &name) const override
    {
        return Self::stateProperties().get(static_cast<const Self &>(*this), name, [&] { return Form::state(name); });
    }
    bool setState(const QString &name, const QVariant &value) override
    {
        return Self::stateProperties().set(static_cast<Self &>(*this), name, value,
                                           [&] { return Form::setState(name, value); });
    }
};

} // namespace numora
