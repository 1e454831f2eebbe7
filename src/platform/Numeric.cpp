#include "Numeric.h"

#include <QLocale>
#include <cmath>

namespace numora {

double leadingNumber(const QString &text)
{
    // Drop the ignored characters first, so "1 2" reads as 12.
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            s.append(c);

    const auto isDigit = [&](qsizetype i) { return i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9'); };
    qsizetype i = 0;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (isDigit(i)) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        ++i;
        while (isDigit(i)) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    qsizetype end = i;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            ++j;
        if (isDigit(j)) {
            while (isDigit(j))
                ++j;
            end = j;
        }
    }
    QString num = s.left(end);
    // QLocale::c() wants a digit before a bare point.
    if (num.endsWith(QLatin1Char('.')))
        num.chop(1);
    bool ok = false;
    const double v = QLocale::c().toDouble(num, &ok);
    if (!ok || !std::isfinite(v))
        return 0;
    return v;
}

QString shortestDecimal(double v)
{
    if (!std::isfinite(v))
        return QStringLiteral("0");
    if (v == 0)
        return QStringLiteral("0");
    const double a = std::fabs(v);
    QString s;
    if (a >= 1e15 || a < 1e-10) {
        s = QString::number(v, 'g', 15);
    } else {
        // Fixed notation with 15 significant digits, then trimmed.
        const int intDigits = int(std::floor(std::log10(a))) + 1;
        const int decimals = std::clamp(15 - intDigits, 0, 30);
        s = QString::number(v, 'f', decimals);
        if (s.contains(QLatin1Char('.'))) {
            while (s.endsWith(QLatin1Char('0')))
                s.chop(1);
            if (s.endsWith(QLatin1Char('.')))
                s.chop(1);
        }
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

std::optional<qint64> roundHalfEven(double v)
{
    if (!std::isfinite(v) || v >= 9.2e18 || v <= -9.2e18)
        return std::nullopt;
    const double f = std::floor(v);
    const double diff = v - f;
    double r = f;
    if (diff > 0.5)
        r = f + 1;
    else if (diff == 0.5)
        r = std::fmod(f, 2.0) == 0 ? f : f + 1;
    return qint64(r);
}

std::optional<qint64> integerDivide(double a, double b)
{
    const auto ra = roundHalfEven(a);
    const auto rb = roundHalfEven(b);
    if (!ra || !rb || *rb == 0)
        return std::nullopt;
    return *ra / *rb;
}

QString zeroPadded(const QString &text, int width)
{
    if (text.size() >= width)
        return text;
    return QString(width - text.size(), QLatin1Char('0')) + text;
}

} // namespace numora
