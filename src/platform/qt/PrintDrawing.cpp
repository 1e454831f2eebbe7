#include "PrintDrawing.h"

#include "platform/PrintArea.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPrinter>
#include <QTransform>
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

QPointF drawingOriginTwips(const QPrinter &printer)
{
    if (printer.fullPage())
        return {};
    QPageLayout layout = printer.pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    const QPointF mm = layout.paintRect(QPageLayout::Millimeter).topLeft();
    return mm * (twipsPerInch / mmPerInch);
}

QTransform calibrationTransform(const QPrinter &printer, const PrinterCalibration &c)
{
    if (c.isIdentity())
        return {};
    const QPointF scale = pixelsPerTwip(printer);
    QPointF shift(c.acrossMm * PrintArea::twipsPerMm, c.downMm * PrintArea::twipsPerMm);
    if (c.fromPaperEdge)
        shift -= drawingOriginTwips(printer);
    QTransform t;
    t.translate(shift.x() * scale.x(), shift.y() * scale.y());
    t.scale(c.scaleAcross / 1000.0, c.scaleDown / 1000.0);
    return t;
}

QPen hairlinePen(const QColor &colour)
{
    QPen pen(colour, 0);
    pen.setCosmetic(true);
    return pen;
}

} // namespace numora
