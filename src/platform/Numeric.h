#pragma once
#include <QString>
#include <optional>

namespace numora {

// The numeric value a text starts with. Blanks, tabs and line feeds are
// ignored wherever they stand; then an optional sign, digits with at most one
// point and an optional exponent are read as far as they form a number. The
// point is the decimal separator whatever the locale. No number gives 0, and
// so does a value too large for a double.
double leadingNumber(const QString &text);

// Up to 15 significant digits, a point, no trailing zeros or point:
// 28.5, 28, 0.1, 7, -3.25.
QString shortestDecimal(double v);

// Nearest integer, halves to the even neighbour (2812.5 -> 2812, 2813.5 -> 2814).
// Values beyond the 64-bit range give nothing.
std::optional<qint64> roundHalfEven(double v);

// Integer division after rounding both operands half-even; the quotient is
// truncated toward zero. Division by zero gives nothing.
std::optional<qint64> integerDivide(double a, double b);

// `value` written by shortestDecimal and left-padded with zeros to `width`
// characters (28.5 -> "0028.5" for width 6); longer texts stay as they are.
QString zeroPadded(const QString &text, int width);

} // namespace numora
