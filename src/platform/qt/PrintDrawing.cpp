#include "PrintDrawing.h"

#include <QPageSize>
#include <QPaintDevice>
#include <cmath>

namespace numora {

namespace {

constexpr double twipsPerInch = 1440.0;
constexpr double mmPerInch = 25.4;

} // namespace

QSizeF paperTwips(const QPageSize &size, int orientation)
{
    // Millimetres, not inches: Qt keeps the ISO sizes in millimetres and
    // rounds them in inches (A4 would come out 11909 twips wide).
    const QSizeF mm = size.size(QPageSize::Millimeter);
    const QSizeF twips(std::round(mm.width() / mmPerInch * twipsPerInch),
                       std::round(mm.height() / mmPerInch * twipsPerInch));
    return orientation == 2 ? twips.transposed() : twips;
}

QPointF pixelsPerTwip(const QPaintDevice &device)
{
    return {device.logicalDpiX() / twipsPerInch, device.logicalDpiY() / twipsPerInch};
}

QFont printFont(const QString &name, double points, bool bold, bool italic)
{
    QFont font;
    if (!name.isEmpty())
        font.setFamily(name);
    font.setPointSizeF(points > 0 ? points : 8.25);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QPointF textBaseline(double xTwips, double yTwips, const QPaintDevice &device, double ascentPixels)
{
    const QPointF scale = pixelsPerTwip(device);
    return {xTwips * scale.x(), yTwips * scale.y() + ascentPixels};
}

QPen hairlinePen(const QColor &colour)
{
    QPen pen(colour, 0);
    pen.setCosmetic(true);
    return pen;
}

} // namespace numora
