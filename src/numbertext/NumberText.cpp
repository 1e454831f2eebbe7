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

} // namespace

QString composeNumberText(const NumberTextStyle &style, const QString &numberText, const QString &prefix)
{
    const Arrangement r = arrange(style);
    return *r.before[0] + *r.before[1] + *r.before[2] + prefix + numberText + *r.after[0] + *r.after[1];
}

NumberTextFrame numberTextFrame(const NumberTextStyle &style)
{
    const Arrangement r = arrange(style);
    return {r.before[0]->size() + r.before[1]->size() + r.before[2]->size(), r.after[0]->size() + r.after[1]->size()};
}

QString composeNumberText(const NumberTextStyle &style, const QString &numberText)
{
    return composeNumberText(style, numberText, zeroPrefix(style, numberText));
}

} // namespace numora
