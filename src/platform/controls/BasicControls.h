#pragma once
#include "PropertyTable.h"
#include "Control.h"

#include <QStringList>

namespace numora {

// A list of texts, used hidden as a store.
class ListBox : public Control
{
public:
    using Control::Control;
    const char *kind() const override { return "ListBox"; }

    const QStringList &items() const { return m_items; }
    int count() const { return int(m_items.size()); }
    QString item(int i) const { return m_items.value(i); }
    void addItem(const QString &t);
    void clear();
    bool removeItem(int i);
    // New contents with a given selection, as a list that is re-read keeps
    // its place; runs no handler.
    void replaceItems(const QStringList &items, int index);
    int listIndex() const { return m_index; }
    bool setListIndex(int i);
    bool choose(int i);

    QVariant get(const QString &property) const override;
    bool set(const QString &property, const QVariant &value) override;
    bool has(const QString &property) const override;

private:
    QStringList m_items;
    int m_index = -1;
};

class CheckBox : public WithPropertyTable<CheckBox, Control>
{
public:
    CheckBox(QString name, QString caption)
        : WithPropertyTable(std::move(name))
        , m_caption(std::move(caption))
    {}
    const char *kind() const override { return "CheckBox"; }
    const QString &caption() const { return m_caption; }
    int value() const { return m_value; }
    // A changed value runs onClick, as the toolkit does for program writes.
    bool setValue(int v);
    // The operator's click toggles the value.
    void toggle();

    static const PropertyTable<CheckBox> &properties();

private:
    QString m_caption;
    int m_value = 0;
};

class ScrollBar : public WithPropertyTable<ScrollBar, Control>
{
public:
    ScrollBar(QString name, int min, int max, int value, int smallStep = 1, int largeStep = 1)
        : WithPropertyTable(std::move(name))
        , m_min(min)
        , m_max(max)
        , m_value(value)
        , m_small(smallStep)
        , m_large(largeStep)
    {}
    const char *kind() const override { return "ScrollBar"; }
    int min() const { return m_min; }
    int max() const { return m_max; }
    int value() const { return m_value; }
    int smallStep() const { return m_small; }
    int largeStep() const { return m_large; }
    bool inRange(qint64 v) const { return v >= std::min(m_min, m_max) && v <= std::max(m_min, m_max); }
    // A value outside min..max is refused; a changed value runs onChange.
    bool setValue(qint64 v);

    static const PropertyTable<ScrollBar> &properties();

    Event<> onChange;

private:
    int m_min, m_max, m_value, m_small, m_large;
};

} // namespace numora
