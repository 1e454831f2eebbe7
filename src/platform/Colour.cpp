#include "Colour.h"
#include "Numeric.h"

#include <QLocale>

namespace numora {

QString colourText(qint32 value) { return QString::number(value); }

std::optional<qint32> colourFromText(const QString &text)
{
    // The whole text must be a number: "abc" is no colour, not black.
    bool ok = false;
    const double d = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    const auto v = roundHalfEven(d);
    if (!v || *v < INT32_MIN || *v > INT32_MAX)
        return std::nullopt;
    return qint32(*v);
}

} // namespace numora
