#include "Numeric.h"

#include <QLocale>
#include <cmath>

namespace numora {

double leadingNumber(const QString &text)
{
    // Plain digits (a page count, a width, a number the program wrote) are
    // exact as a double up to 15 of them; read them directly.
    if (!text.isEmpty() && text.size() <= 15) {
        qint64 n = 0;
        bool digits = true;
        for (QChar c : text) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                digits = false;
                break;
            }
            n = n * 10 + (c.unicode() - '0');
        }
        if (digits)
            return double(n);
    }
    // Drop the ignored characters first, so "1 2" reads as 12.
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            s.append(c);

    const auto isDigit = [&](qsizetype i) {
        return i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9');
    };
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

// Within a millionth of a power of ten between 1e-7 and 1e15.
static bool nearPowerOfTen(double a)
{
    static constexpr double kPowers[] = {1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1,    1e1,  1e2,  1e3, 1e4,
                                         1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    for (double p : kPowers)
        if (a > p * 0.999999 && a < p * 1.000001)
            return true;
    return a < 1e-7 || a > 1e15;
}

QString shortestDecimal(double v)
{
    if (!std::isfinite(v))
        return QStringLiteral("0");
    if (v == 0)
        return QStringLiteral("0");
    const double a = std::fabs(v);
    // Whole numbers below 1e15 have at most 15 digits: written as integers.
    if (a < 1e15 && v == std::floor(v))
        return QString::number(qint64(v));
    // A value that is the nearest double to n / 10^k with n below 1e15 prints
    // at 15 significant digits as exactly that decimal; writing it from n
    // spares the general formatting on the frequent short decimals (28.5).
    static constexpr double kTens[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
    for (int k = 1; k <= 6; ++k) {
        const double scaled = std::nearbyint(v * kTens[k]);
        if (std::fabs(scaled) >= 1e15)
            break;
        if (scaled / kTens[k] != v)
            continue;
        // Next to a power of ten the general path below rounds by its own
        // digit count; such values keep that path.
        if (nearPowerOfTen(a))
            break;
        // Digits from the right: k decimals, the point, the whole part.
        qint64 n = qint64(std::fabs(scaled));
        char16_t buf[24];
        int at = 24;
        for (int d = 0; d < k; ++d, n /= 10)
            buf[--at] = char16_t(u'0' + n % 10);
        buf[--at] = u'.';
        do {
            buf[--at] = char16_t(u'0' + n % 10);
            n /= 10;
        } while (n > 0);
        if (v < 0)
            buf[--at] = u'-';
        return QString(reinterpret_cast<const QChar *>(buf + at), 24 - at);
    }
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
