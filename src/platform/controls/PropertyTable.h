#pragma once

#include <QStringList>
#include <QVariant>

#include <initializer_list>
#include <type_traits>
#include <vector>

namespace numora {

namespace detail {
template <class Setter> struct SetterOf;
template <class R, class K, class A> struct SetterOf<R (K::*)(A)>
{
    using Value = std::decay_t<A>;
    static constexpr bool says = std::is_same_v<R, bool>;
};
} // namespace detail

// The property names scripts and views use for one class, each with its
// getter and (unless read-only) its setter. One table per class; a class that
// extends another looks in its own table first and then asks its base.
template <class C> class PropertyTable
{
public:
    struct Row
    {
        const char *name;
        QVariant (*get)(const C &);
        bool (*set)(C &, const QVariant &) = nullptr; // nullptr: read-only
    };

    // A row read through a getter of the class and, when one is given,
    // written through its setter, the value converted to the setter's type
    // as QVariant converts it. A setter returning bool says whether the write
    // was done; any other write is done.
    template <auto Get, auto Set = nullptr> static Row field(const char *name)
    {
        Row r{name, [](const C &c) { return QVariant::fromValue((c.*Get)()); }};
        if constexpr (!std::is_null_pointer_v<decltype(Set)>) {
            r.set = [](C &c, const QVariant &v) {
                using S = detail::SetterOf<decltype(Set)>;
                if constexpr (S::says) {
                    return (c.*Set)(v.value<typename S::Value>());
                } else {
                    (c.*Set)(v.value<typename S::Value>());
                    return true;
                }
            };
        }
        return r;
    }

    PropertyTable(std::initializer_list<Row> rows)
        : m_rows(rows)
    {}

    const Row *find(QStringView name) const
    {
        for (const Row &r : m_rows)
            if (name == QLatin1StringView(r.name))
                return &r;
        return nullptr;
    }

    bool has(QStringView name) const { return find(name) != nullptr; }

    // The value of a property of this table; a name not in it is asked of
    // `otherwise` (the base class's lookup), invalid when none is given.
    template <class Otherwise> QVariant get(const C &c, QStringView name, Otherwise otherwise) const
    {
        const Row *r = find(name);
        return r ? r->get(c) : otherwise();
    }
    QVariant get(const C &c, QStringView name) const
    {
        return get(c, name, [] { return QVariant(); });
    }

    // Whether the write was done; a name not in the table is written by
    // `otherwise`, refused when none is given. A read-only property refuses
    // the write.
    template <class Otherwise> bool set(C &c, QStringView name, const QVariant &v, Otherwise otherwise) const
    {
        const Row *r = find(name);
        return r ? r->set != nullptr && r->set(c, v) : otherwise();
    }
    bool set(C &c, QStringView name, const QVariant &v) const
    {
        return set(c, name, v, [] { return false; });
    }

    QStringList names() const
    {
        QStringList n;
        for (const Row &r : m_rows)
            n.append(QLatin1StringView(r.name));
        return n;
    }

private:
    std::vector<Row> m_rows;
};

// Generic property access for a class whose own names are those of its
// table, Self::properties(); every other name is Base's.
template <class Self, class Base> class WithPropertyTable : public Base
{
public:
    using Base::Base;

    bool has(const QString &p) const override { return Self::properties().has(p) || Base::has(p); }
    QVariant get(const QString &p) const override
    {
        return Self::properties().get(static_cast<const Self &>(*this), p, [&] { return Base::get(p); });
    }
    bool set(const QString &p, const QVariant &v) override
    {
        return Self::properties().set(static_cast<Self &>(*this), p, v, [&] { return Base::set(p, v); });
    }
};

// An item of a list by the property name "list(i)": list boxes and combo boxes
// answer to every name that starts so, and read as invalid when it is not of
// that form or i is out of range.
inline bool isListItemProperty(QStringView p) { return p.startsWith(QLatin1StringView("list(")); }

inline QVariant listItemProperty(QStringView p, const QStringList &items)
{
    if (!isListItemProperty(p) || !p.endsWith(QLatin1Char(')')))
        return {};
    bool ok = false;
    const int i = p.mid(5, p.size() - 6).toInt(&ok);
    if (!ok || i < 0 || i >= items.size())
        return {};
    return items.at(i);
}

} // namespace numora
