#pragma once
#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace numora {

// Where the number-text rule wrote the number (its zeros first) in an
// entry's text; length 0 where the entry has none known.
struct NumberSpan
{
    quint16 at = 0;
    quint16 length = 0;
};

// The number as the number-text rule wrote it into an entry: the text
// before and after it and the digits that count (a sign or a decimal point
// it was written with stays with the text before).
struct WrittenNumber
{
    QStringView prefix, suffix;
    int digits = 0;
    qint64 value = 0;
};

// One number of a generated run as it goes on the page: its slot (1..12,
// 0 when not known), where it stands (centimetres from the top and the left
// edge, as the slot's fields held them), the text printed and where the rule
// wrote the number in that text. The printer and the journal read these
// fields; nothing parses them back out of a text.
struct RunEntry
{
    int slot = 0;
    double top = 0, left = 0;
    QStringView text;
    NumberSpan number;
    // Nothing for an entry without digits that count, or with too many (over
    // 18) to count with.
    std::optional<WrittenNumber> writtenNumber() const;
};

// A generated run, entry by entry in the order it was generated.
class RunEntries
{
public:
    virtual ~RunEntries() = default;
    virtual qsizetype count() const = 0;
    // Entry i; the text stays valid while the run is unchanged.
    virtual RunEntry entry(qsizetype i) const = 0;
};

} // namespace numora
