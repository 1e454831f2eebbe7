#pragma once

#include <QStringList>
#include <QVariant>

#include <initializer_list>
#include <optional>
#include <vector>

namespace numora {

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

    // The value of a property of this table, or nothing when the name is not
    // in it (the caller then asks its base).
    std::optional<QVariant> get(const C &c, QStringView name) const
    {
        const Row *r = find(name);
        return r ? std::optional<QVariant>(r->get(c)) : std::nullopt;
    }

    // Whether the write was done, or nothing when the name is not in it. A
    // read-only property refuses the write.
    std::optional<bool> set(C &c, QStringView name, const QVariant &v) const
    {
        const Row *r = find(name);
        if (!r)
            return std::nullopt;
        return r->set != nullptr && r->set(c, v);
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
