#pragma once
#include "numbertext/RunEntry.h"
#include "platform/controls/Control.h"

#include <QHash>
#include <QStringList>
#include <vector>

namespace numora {

// A hidden list box that stores a print sequence compactly. A run of
// 99,999 pages of twelve numbers has 1.2 million entries; as separate
// QStrings they would take several times the memory. Every entry is a head
// (the slot's position texts, shared by all entries of that slot) and a body
// (the number text) kept in one contiguous buffer.
// The entries are typed (RunEntries): a head's position values are read once,
// when the head first comes in, and each entry keeps its slot.
class SequenceList : public Control, public RunEntries
{
public:
    using Control::Control;
    const char *kind() const override { return "ListBox"; }

    qsizetype count() const override { return qsizetype(m_ends.size()); }
    RunEntry entry(qsizetype i) const override;
    // Entry i as one text; an empty text when i is out of range.
    QString item(qsizetype i) const;
    QStringView head(qsizetype i) const;
    QStringView body(qsizetype i) const;

    // `number` is where the number-text rule wrote the number into `body`;
    // one that does not lie within it is kept as none.
    void append(const QString &head, QStringView body, const WrittenNumber &number = {}, int slot = 0);
    // Appends every entry of `other`, in order.
    void appendAll(const SequenceList &other);
    void addItem(const QString &text) { append(QString(), text); }
    void clear();
    void reserve(qsizetype entries, qsizetype chars);
    // Bytes the entries take (for the benchmark's memory figures).
    qsizetype memoryUsed() const;

    QVariant get(const QString &property) const override;
    bool has(const QString &property) const override;

private:
    quint32 headId(const QString &head);

    std::vector<char16_t> m_chars;
    std::vector<qsizetype> m_ends; // end of entry i's body in m_chars
    std::vector<quint32> m_heads;  // index into m_headTexts
    // Where each entry's number stands in its body (digits 0: none) and its
    // value, kept apart so that the spans stay four bytes an entry.
    struct Span
    {
        quint16 at = 0;
        quint16 digits = 0;
    };
    std::vector<Span> m_spans;
    std::vector<qint64> m_values;
    std::vector<quint8> m_slots;
    QStringList m_headTexts;
    struct Place
    {
        double top = 0, left = 0;
    };
    std::vector<Place> m_headPlaces; // the values of m_headTexts' position texts
    QHash<QString, quint32> m_headIds;
    quint32 m_lastHead = 0; // the head of the last entry appended
};

} // namespace numora
