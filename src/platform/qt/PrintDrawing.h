#pragma once
#include <QFont>
#include <QPen>
#include <QSizeF>

class QPageSize;
class QPaintDevice;
class QPrinter;
class QTransform;

namespace numora {

struct PrinterCalibration;

// The drawing rules every printer of the program follows, so that a preview
// puts each text and box where the printed page has it.

// The paper of that size in twips for an orientation (1 portrait,
// 2 landscape).
QSizeF paperTwips(const QPageSize &size, int orientation);
// Device pixels per twip across and down.
QPointF pixelsPerTwip(const QPaintDevice &device);
// The font of the printed numbers: the family named (the default one for
// none), the size in points (8.25 when none is given).
QFont printFont(const QString &name, double points, bool bold, bool italic);
// Where a text whose top-left corner is at that place (twips) has its
// baseline, in device pixels: the ascent the device's glyphs really have.
QPointF textBaseline(double xTwips, double yTwips, const QPaintDevice &device, double ascentPixels);
// Where the printer's drawing area starts on its paper, in twips: the
// unprintable margin, nothing for a full page.
QPointF drawingOriginTwips(const QPrinter &printer);
// The painter's transform that places a document by the printer's
// calibration: an offset, a scale, and with the paper's edge as the corner
// positions count from, the unprintable margin taken back.
QTransform calibrationTransform(const QPrinter &printer, const PrinterCalibration &calibration);
// A hairline: one dot of whatever device prints it, as thin as a printer
// draws (a twip or two), yet never lost on a screen.
QPen hairlinePen(const QColor &colour);

} // namespace numora
