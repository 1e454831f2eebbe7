#include "RunEntry.h"

namespace numora {

namespace {

constexpr int MaxDigits = 18; // fits a qint64 with room for steps

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

} // namespace

std::optional<WrittenNumber> RunEntry::writtenNumber() const
{
    const qsizetype end = qsizetype(number.at) + number.length;
    if (end > text.size())
        return std::nullopt;
    qsizetype begin = end;
    while (begin > number.at && isAsciiDigit(text.at(begin - 1)))
        --begin;
    const qsizetype digits = end - begin;
    if (digits == 0 || digits > MaxDigits)
        return std::nullopt;
    WrittenNumber n;
    n.prefix = text.left(begin);
    n.suffix = text.mid(end);
    n.digits = int(digits);
    for (qsizetype i = begin; i < end; ++i)
        n.value = n.value * 10 + (text.at(i).unicode() - '0');
    return n;
}

} // namespace numora
