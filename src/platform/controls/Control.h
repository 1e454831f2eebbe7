#pragma once
#include "Event.h"

#include <QString>
#include <QVariant>

namespace numora {

enum class MouseAction { Down, Move, Up };

// Base of every model control: a name, geometry in twips, visibility,
// enabled state and a free tag. Properties can also be read and written by
// name, which is how form scripts and views reach them generically.
class Control
{
public:
    explicit Control(QString name)
        : m_name(std::move(name))
    {}
    virtual ~Control() = default;
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    const QString &name() const { return m_name; }
    virtual const char *kind() const = 0;

    bool visible() const { return m_visible; }
    void setVisible(bool v);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool e);
    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void setGeometry(double l, double t, double w, double h);
    const QString &tag() const { return m_tag; }
    void setTag(const QString &t) { m_tag = t; }

    // Generic access by property name. An unknown property reads as an
    // invalid QVariant; a write that cannot be done returns false.
    virtual QVariant get(const QString &property) const;
    virtual bool set(const QString &property, const QVariant &value);
    virtual bool has(const QString &property) const;

    // Operator mouse and click events (positions in twips, relative to the
    // control). Any control can receive them; forms connect what they need.
    void click() { onClick.raise(); }
    void doubleClick() { onDblClick.raise(); }
    void mouse(MouseAction a, int button, double x, double y) { onMouse.raise(a, button, x, y); }

    Event<> onClick;
    Event<> onDblClick;
    Event<MouseAction, int, double, double> onMouse;
    // Raised after any change of what a view shows (value, geometry, look).
    // Views listen to it; behaviour never does.
    Event<> onViewUpdate;

protected:
    void viewChanged() { onViewUpdate.raise(); }

private:
    QString m_name;
    QString m_tag;
    bool m_visible = true;
    bool m_enabled = true;
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
};

} // namespace numora
