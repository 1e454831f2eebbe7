#include "NumberRanges.h"
#include "numbertext/RunEntry.h"

#include <algorithm>
#include <numeric>

namespace numora {

namespace {

constexpr int MaxDigits = 18; // fits a qint64 with room for steps

// Products of two steps overflow 64 bits; GCC and Clang have 128.
__extension__ typedef __int128 Wide;

QString padded(qint64 value, int digits) { return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0')); }

struct Progression
{
    qint64 lo, hi, step; // ascending; step 0 for one number
};

Progression ascending(const NumberRange &r)
{
    return {std::min(r.first, r.last), std::max(r.first, r.last), r.step < 0 ? -r.step : r.step};
}

// x with x ≡ a (mod m) and x ≡ b (mod n), as x0 + k·lcm; nothing when none.
std::optional<std::pair<Wide, Wide>> bothResidues(Wide a, Wide m, Wide b, Wide n)
{
    // Extended Euclid on m and n.
    Wide oldR = m, r = n, oldS = 1, s = 0;
    while (r != 0) {
        const Wide q = oldR / r;
        std::tie(oldR, r) = std::make_pair(r, oldR - q * r);
        std::tie(oldS, s) = std::make_pair(s, oldS - q * s);
    }
    const Wide g = oldR;
    if ((b - a) % g != 0)
        return std::nullopt;
    const Wide lcm = m / g * n;
    Wide k = ((b - a) / g * oldS) % (n / g);
    Wide x = a + m * k;
    x %= lcm;
    if (x < 0)
        x += lcm;
    return std::make_pair(x, lcm);
}

} // namespace

QString NumberText::pattern() const { return prefix + QStringLiteral("{%1}").arg(digits) + suffix; }

QString NumberText::text() const { return digits == 0 ? prefix + suffix : prefix + padded(value, digits) + suffix; }

std::optional<NumberText> NumberText::split(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && !text.at(end - 1).isDigit())
        --end;
    // Only ASCII digits count: a number text is written with them.
    qsizetype begin = end;
    while (begin > 0 && text.at(begin - 1) >= QLatin1Char('0') && text.at(begin - 1) <= QLatin1Char('9'))
        --begin;
    if (end > begin && (text.at(end - 1) < QLatin1Char('0') || text.at(end - 1) > QLatin1Char('9')))
        begin = end; // a digit of another script ends the text: no number
    NumberText t;
    t.suffix = text.mid(end).toString();
    t.prefix = text.left(begin).toString();
    t.digits = int(end - begin);
    if (t.digits > MaxDigits)
        return std::nullopt;
    for (qsizetype i = begin; i < end; ++i)
        t.value = t.value * 10 + (text.at(i).unicode() - '0');
    return t;
}

QString NumberRange::pattern() const { return prefix + QStringLiteral("{%1}").arg(digits) + suffix; }

QString NumberRange::textOf(qint64 value) const
{
    return digits == 0 ? prefix + suffix : prefix + padded(value, digits) + suffix;
}

std::optional<qint64> NumberRange::pageOf(qint64 value) const
{
    if (step == 0)
        return value == first ? std::optional<qint64>(firstPage) : std::nullopt;
    const qint64 offset = value - first;
    if (offset % step != 0)
        return std::nullopt;
    const qint64 k = offset / step;
    if (k < 0 || k >= count())
        return std::nullopt;
    return firstPage + k * pageStride;
}

std::optional<NumberRange> commonNumbers(const NumberRange &a, const NumberRange &b)
{
    if (a.digits == 0 || b.digits == 0 || a.digits != b.digits || a.prefix != b.prefix || a.suffix != b.suffix)
        return std::nullopt;
    const Progression p = ascending(a), q = ascending(b);
    const qint64 lo = std::max(p.lo, q.lo), hi = std::min(p.hi, q.hi);
    if (lo > hi)
        return std::nullopt;
    // A single number is a progression with any step: take the other's.
    const Wide m = p.step == 0 ? 1 : p.step, n = q.step == 0 ? 1 : q.step;
    const Wide ra = p.step == 0 ? 0 : p.lo, rb = q.step == 0 ? 0 : q.lo;
    const auto both = bothResidues(ra, m, rb, n);
    if (!both)
        return std::nullopt;
    auto [x, lcm] = *both;
    // The first common number at or above lo.
    Wide first = x + ((Wide(lo) - x + lcm - 1) / lcm) * lcm;
    if (first < lo)
        first += lcm;
    if (p.step == 0 && first != p.lo)
        return std::nullopt;
    if (q.step == 0 && first != q.lo)
        return std::nullopt;
    if (first > hi)
        return std::nullopt;
    const Wide last = first + ((Wide(hi) - first) / lcm) * lcm;
    NumberRange r = a;
    r.first = qint64(first);
    r.last = qint64(last);
    r.step = first == last ? 0 : qint64(lcm);
    r.firstPage = 0;
    r.pageStride = 0;
    return r;
}

std::vector<NumberRange> rangesOfSequence(const RunEntries &sequence, int perPage, bool reverse, bool twoPages)
{
    std::vector<NumberRange> out;
    const qsizetype count = sequence.count();
    if (perPage <= 0 || count == 0)
        return out;
    const qsizetype pages = count / perPage;
    const qint64 stride = twoPages ? 2 : 1;
    // The open range of each position, as an index into out.
    std::vector<qsizetype> open(std::size_t(perPage), -1);
    for (qsizetype page = 0; page < pages; page += stride) {
        for (int s = 0; s < perPage; ++s) {
            const qsizetype k = page * perPage + s;
            const qsizetype i = reverse ? count - 1 - k : k;
            const RunEntry entry = sequence.entry(i);
            const int position = entry.slot > 0 ? entry.slot : int(i % perPage) + 1;
            const bool counts = entry.counts();
            const WrittenNumber &number = entry.number;
            const QStringView prefix = counts ? entry.prefix() : entry.text;
            const QStringView suffix = counts ? entry.suffix() : QStringView();
            qsizetype &current = open[std::size_t(position - 1)];
            if (counts && current >= 0) {
                NumberRange &r = out[std::size_t(current)];
                const bool samePattern = r.digits == number.digits && r.prefix == prefix && r.suffix == suffix;
                if (samePattern && r.step == 0 && number.value != r.first) {
                    r.step = number.value - r.first;
                    r.last = number.value;
                    continue;
                }
                if (samePattern && r.step != 0 && number.value == r.last + r.step) {
                    r.last = number.value;
                    continue;
                }
            }
            NumberRange r;
            r.position = position;
            r.firstPage = page + 1;
            r.pageStride = stride;
            r.prefix = prefix.toString();
            if (counts) {
                r.suffix = suffix.toString();
                r.digits = number.digits;
                r.first = r.last = number.value;
            }
            // Without a number to count the range is its text, never a duplicate.
            out.push_back(r);
            current = counts ? qsizetype(out.size() - 1) : -1;
        }
    }
    return out;
}

std::vector<NumberRange> clipToPages(const std::vector<NumberRange> &ranges, qint64 from, qint64 to)
{
    std::vector<NumberRange> out;
    for (const NumberRange &r : ranges) {
        const qint64 stride = std::max<qint64>(1, r.pageStride);
        // Number k stands on pages firstPage + k·stride and the stride - 1
        // copies after it.
        const qint64 lowest = std::max<qint64>(0, (from - r.firstPage - (stride - 1) + stride - 1) / stride);
        const qint64 highest = std::min(r.count() - 1, to >= r.firstPage ? (to - r.firstPage) / stride : -1);
        if (lowest > highest)
            continue;
        NumberRange part = r;
        part.first = r.first + lowest * r.step;
        part.last = r.first + highest * r.step;
        part.step = lowest == highest ? 0 : r.step;
        part.firstPage = r.firstPage + lowest * stride;
        out.push_back(part);
    }
    return out;
}

std::vector<NumberRange> firstPrintedOn(const std::vector<NumberRange> &ranges, qint64 from, qint64 to)
{
    std::vector<NumberRange> out;
    for (NumberRange r : clipToPages(ranges, from, to)) {
        // Only the first number can have a copy before `from`.
        if (r.firstPage < from) {
            if (r.first == r.last)
                continue;
            r.first += r.step;
            r.firstPage += std::max<qint64>(1, r.pageStride);
            if (r.first == r.last)
                r.step = 0;
        }
        out.push_back(r);
    }
    return out;
}

std::vector<NumberRange> pagesAfter(std::vector<NumberRange> ranges, qint64 before)
{
    for (NumberRange &r : ranges)
        r.firstPage -= before;
    return ranges;
}

QString describe(const NumberRange &r)
{
    if (r.first == r.last || r.digits == 0)
        return r.firstText();
    return r.firstText() + QStringLiteral(" to ") + r.lastText();
}

} // namespace numora
