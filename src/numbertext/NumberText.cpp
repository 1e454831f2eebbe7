#include "NumberText.h"
#include "platform/Numeric.h"

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

QString composeNumberText(const NumberTextStyle &style, const QString &numberText, const QString &prefix)
{
    const QString &n = style.name;
    const QString &b = style.before;
    const QString &a = style.after;
    switch (style.alignLCR) {
    case 1: return b + prefix + numberText + a + n;
    case 2:
        // The bracket before stands twice and a closing bracket is dropped.
        if (isClosingBracket(a))
            return b + n + b + prefix + numberText;
        return a + n + b + prefix + numberText;
    default: return n + b + prefix + numberText + a;
    }
}

QString composeNumberText(const NumberTextStyle &style, const QString &numberText)
{
    return composeNumberText(style, numberText, zeroPrefix(style, numberText));
}

} // namespace numora
