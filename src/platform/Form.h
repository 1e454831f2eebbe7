#pragma once
#include "controls/Control.h"

#include <QHash>
#include <QStringList>

namespace numora {

// A headless window: a name, its controls by name and its own state. Control
// arrays are registered as "Name(i)". Forms are reached by scripts and views
// only through this registry and their typed members.
class Form
{
public:
    explicit Form(QString name) : m_name(std::move(name)) {}
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

protected:
    void registerControl(Control &c) { registerControl(c.name(), c); }
    void registerControl(const QString &name, Control &c)
    {
        if (!m_controls.contains(name))
            m_order.append(name);
        m_controls.insert(name, &c);
    }

private:
    QString m_name;
    QHash<QString, Control *> m_controls;
    QStringList m_order;
};

} // namespace numora
