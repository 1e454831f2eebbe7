#include "NumberText.h"
#include "platform/Numeric.h"

#include <array>

namespace numora {

QString zeroPrefix(const NumberTextStyle &style, const QString &numberText)
{
    if (style.zeroPad != 1)
        return {};
    const double w = leadingNumber(style.zeroPadWidth);
    const qsizetype len = numberText.size();
    if (w != 2 && w != 3 && w != 4 && w != 5 && w != 6 && w != 7 && w != 8)
        return {};
    const qsizetype width = qsizetype(w);
    if (len < 1 || len >= width)
        return {};
    return QString(width - len, QLatin1Char('0'));
}

static bool isClosingBracket(const QString &s)
{
    return s == QLatin1String(")") || s == QLatin1String("]") || s == QLatin1String("}") || s == QLatin1String(">");
}

namespace {

// The texts standing before the number and after it, by the alignment.
struct Arrangement
{
    std::array<const QString *, 3> before;
    std::array<const QString *, 2> after;
};

Arrangement arrange(const NumberTextStyle &style)
{
    static const QString none;
    const QString &n = style.name;
    const QString &b = style.before;
    const QString &a = style.after;
    switch (style.alignLCR) {
    case 1: return {{&b, &none, &none}, {&a, &n}};
    case 2:
        // The bracket before stands twice and a closing bracket is dropped.
        if (isClosingBracket(a))
            return {{&b, &n, &b}, {&none, &none}};
        return {{&a, &n, &b}, {&none, &none}};
    default: return {{&n, &b, &none}, {&a, &none}};
    }
}

constexpr int MaxDigits = 18; // fits a qint64 with room for steps

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The number's digits in prefix + numberText, which stands `before`
// characters into the text.
WrittenNumber numberWritten(qsizetype before, const QString &prefix, const QString &numberText)
{
    qsizetype begin = numberText.size();
    while (begin > 0 && isAsciiDigit(numberText.at(begin - 1)))
        --begin;
    const qsizetype own = numberText.size() - begin;
    // The zeros join the digits only where nothing stands between them.
    const qsizetype zeros = own > 0 && begin == 0 ? prefix.size() : 0;
    if (own == 0 || own + zeros > MaxDigits)
        return {};
    WrittenNumber n;
    n.at = before + prefix.size() + begin - zeros;
    n.digits = int(own + zeros);
    for (qsizetype i = begin; i < numberText.size(); ++i)
        n.value = n.value * 10 + (numberText.at(i).unicode() - '0');
    return n;
}

} // namespace

QString composeNumberText(const NumberTextStyle &style, const QString &numberText, const QString &prefix,
                          WrittenNumber *written)
{
    const Arrangement r = arrange(style);
    const QString text = *r.before[0] + *r.before[1] + *r.before[2] + prefix + numberText + *r.after[0] + *r.after[1];
    if (written)
        *written = numberWritten(r.before[0]->size() + r.before[1]->size() + r.before[2]->size(), prefix, numberText);
    return text;
}

QString composeNumberText(const NumberTextStyle &style, const QString &numberText)
{
    return composeNumberText(style, numberText, zeroPrefix(style, numberText));
}

} // namespace numora
