#pragma once
#include "platform/controls/Control.h"

#include <QHash>
#include <QStringList>
#include <vector>

namespace numora {

// Where the number-text rule wrote the number (its zeros first) in a
// sequence entry's body; length 0 where the entry has none known.
struct NumberSpan
{
    quint16 at = 0;
    quint16 length = 0;
};

// A hidden list box that stores a print sequence compactly. A run of
// 99,999 pages of twelve numbers has 1.2 million entries; as separate
// QStrings they would take several times the memory. Every entry is a head
// (the slot's position texts, shared by all entries of that slot) and a body
// (the number text) kept in one contiguous buffer.
class SequenceList : public Control
{
public:
    using Control::Control;
    const char *kind() const override { return "ListBox"; }

    qsizetype count() const { return qsizetype(m_ends.size()); }
    // Entry i as one text; an empty text when i is out of range.
    QString item(qsizetype i) const;
    QStringView head(qsizetype i) const;
    QStringView body(qsizetype i) const;

    NumberSpan number(qsizetype i) const;

    void append(const QString &head, QStringView body, NumberSpan number = {});
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
    std::vector<NumberSpan> m_numbers;
    QStringList m_headTexts;
    QHash<QString, quint32> m_headIds;
    quint32 m_lastHead = 0; // the head of the last entry appended
};

} // namespace numora
