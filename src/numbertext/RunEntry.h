#pragma once
#include "NumberText.h"

#include <QStringView>

namespace numora {

// One number of a generated run as it goes on the page: its slot (1..12,
// 0 when not known), where it stands (centimetres from the top and the left
// edge), the text printed and the number as the number-text rule wrote it
// into that text. The printer and the journal read these fields; nothing
// parses them back out of a text.
struct RunEntry
{
    int slot = 0;
    double top = 0, left = 0;
    QStringView text;
    WrittenNumber number;

    bool counts() const { return number.digits > 0; }
    // The text around the number's digits: the pattern it was written with.
    QStringView prefix() const { return text.left(number.at); }
    QStringView suffix() const { return text.mid(number.at + number.digits); }
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
