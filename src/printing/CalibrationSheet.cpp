#include "CalibrationSheet.h"
#include "platform/Calibration.h"
#include "platform/Clock.h"
#include "platform/Printer.h"

#include <QDate>

namespace numora {

namespace {

constexpr double rulerInset = 15;   // mm from the paper's edge
constexpr double strokeMm = 0.15;   // as thin as still prints solid
constexpr double armMm = 8;         // a target's cross reaches this far
constexpr double vernierStep = 0.9; // ten steps over nine millimetres

// Draws in millimetres from the paper's corner on a printer that counts
// twips from its drawing area.
class SheetPen
{
public:
    SheetPen(Printer &printer, const PrintArea &area)
        : m_printer(printer)
        , m_area(area)
    {}

    bool bar(double x1, double y1, double x2, double y2) { return m_printer.line(x(x1), y(y1), x(x2), y(y2), 0, true); }
    bool vertical(double atX, double y1, double y2) { return bar(atX - strokeMm / 2, y1, atX + strokeMm / 2, y2); }
    bool horizontal(double atY, double x1, double x2) { return bar(x1, atY - strokeMm / 2, x2, atY + strokeMm / 2); }
    bool text(double atX, double atY, double points, const QString &words)
    {
        m_printer.setFontSize(points);
        m_printer.setCurrentX(x(atX));
        m_printer.setCurrentY(y(atY));
        return m_printer.print(words);
    }

private:
    double x(double mm) const { return mm * PrintArea::twipsPerMm - m_area.paperX(0); }
    double y(double mm) const { return mm * PrintArea::twipsPerMm - m_area.paperY(0); }

    Printer &m_printer;
    PrintArea m_area;
};

bool ruler(SheetPen &pen, bool across, double length)
{
    bool ok = across ? pen.horizontal(rulerInset, rulerInset, length - rulerInset)
                     : pen.vertical(rulerInset, rulerInset, length - rulerInset);
    for (int mm = int(rulerInset); ok && mm <= int(length - rulerInset); ++mm) {
        const double tick = mm % 10 == 0 ? 5 : mm % 5 == 0 ? 3.5 : 2;
        ok = across ? pen.vertical(mm, rulerInset, rulerInset + tick)
                    : pen.horizontal(mm, rulerInset, rulerInset + tick);
        if (ok && mm % 10 == 0 && mm > rulerInset)
            ok = across ? pen.text(mm + 0.5, rulerInset + 3, 6, QString::number(mm))
                        : pen.text(rulerInset + 3, mm + 0.5, 6, QString::number(mm));
    }
    return ok;
}

// A cross in a square, its number, and below and right of it the verniers:
// their zero tick on the cross's lines.
bool target(SheetPen &pen, int number, QPointF at)
{
    bool ok =
        pen.vertical(at.x(), at.y() - armMm, at.y() + armMm) && pen.horizontal(at.y(), at.x() - armMm, at.x() + armMm)
        && pen.horizontal(at.y() - 3, at.x() - 3, at.x() + 3) && pen.horizontal(at.y() + 3, at.x() - 3, at.x() + 3)
        && pen.vertical(at.x() - 3, at.y() - 3, at.y() + 3) && pen.vertical(at.x() + 3, at.y() - 3, at.y() + 3)
        && pen.text(at.x() + 1, at.y() - armMm, 9, QStringLiteral("T%1").arg(number));
    for (int i = 0; ok && i <= 10; ++i) {
        const double tick = i % 5 == 0 ? 3 : 2;
        ok = pen.vertical(at.x() + i * vernierStep, at.y() + armMm + 1, at.y() + armMm + 1 + tick)
             && pen.horizontal(at.y() + i * vernierStep, at.x() + armMm + 1, at.x() + armMm + 1 + tick);
    }
    return ok;
}

// The sheet stands in portrait, placed as the printer places it uncalibrated.
PrintArea sheetArea(Printer &printer)
{
    printer.setOrientation(1);
    PrintArea area = printer.printArea();
    area.calibration = PrinterCalibration{};
    return area;
}

CalibrationTargets targetsOn(const PrintArea &area)
{
    return calibrationTargets(QSizeF(area.paperWidth, area.paperHeight) / PrintArea::twipsPerMm);
}

} // namespace

CalibrationTargets sheetTargets(Printer &printer) { return targetsOn(sheetArea(printer)); }

std::optional<PrinterCalibration> calibrationFromSheet(Printer &printer, QPointF first, QPointF second,
                                                       bool fromPaperEdge, QString *why)
{
    const PrintArea area = sheetArea(printer);
    return calibrationFromReadings(targetsOn(area), first, second, QPointF(area.left, area.top) / PrintArea::twipsPerMm,
                                   fromPaperEdge, why);
}

QString PrinterCalibrator::printerName() const { return m_printer.currentName(); }

QString PrinterCalibrator::printSheet() { return printCalibrationSheet(m_printer, m_clock.now().date()); }

std::optional<PrinterCalibration> PrinterCalibrator::store(QPointF first, QPointF second, bool fromPaperEdge,
                                                           QString *why)
{
    const auto calibration = calibrationFromSheet(m_printer, first, second, fromPaperEdge, why);
    if (!calibration)
        return std::nullopt;
    if (!m_store.store(printerName(), *calibration)) {
        if (why)
            *why = QStringLiteral("The calibration could not be written to the program's configuration; "
                                  "the printer keeps its earlier one.");
        return std::nullopt;
    }
    return calibration;
}

QString printCalibrationSheet(Printer &printer, const QDate &date)
{
    // Measured as the printer prints without a correction of its own.
    printer.pinCalibration(PrinterCalibration{});
    struct Unpin
    {
        Printer &p;
        ~Unpin() { p.pinCalibration(std::nullopt); }
    } unpin{printer};

    printer.setDocumentName(QStringLiteral("Calibration sheet"));
    const PrintArea area = sheetArea(printer);
    const QSizeF paperMm = QSizeF(area.paperWidth, area.paperHeight) / PrintArea::twipsPerMm;
    const CalibrationTargets targets = targetsOn(area);
    const auto mm = [](double v) { return QString::number(v, 'f', 1); };

    printer.setFontName(QString());
    printer.setFontBold(false);
    printer.setFontItalic(false);
    printer.setForeColor(0);
    SheetPen pen(printer, area);
    const double textX = targets.first.x() + 2 * armMm;
    bool ok = ruler(pen, true, paperMm.width()) && ruler(pen, false, paperMm.height()) && target(pen, 1, targets.first)
              && target(pen, 2, targets.second)
              && pen.text(textX, targets.first.y() + 12, 12, QStringLiteral("Calibration sheet"))
              && pen.text(textX, targets.first.y() + 19, 10, QStringLiteral("Printer: ") + printer.currentName())
              && pen.text(textX, targets.first.y() + 25, 10, QStringLiteral("Printed: ") + date.toString(Qt::ISODate))
              && pen.text(textX, targets.first.y() + 35, 9,
                          QStringLiteral("Measure from the paper's left and top edges to the centre of each target,"))
              && pen.text(textX, targets.first.y() + 40, 9,
                          QStringLiteral("in millimetres; the verniers give the tenths against a ruler."))
              && pen.text(textX, targets.first.y() + 47, 9,
                          QStringLiteral("T1 belongs at %1 mm across, %2 mm down; T2 at %3 mm across, %4 mm down.")
                              .arg(mm(targets.first.x()), mm(targets.first.y()), mm(targets.second.x()),
                                   mm(targets.second.y())))
              && printer.endDoc();
    if (ok)
        return {};
    const QString why = printer.lastError();
    printer.abortDocument();
    return why.isEmpty() ? QStringLiteral("The calibration sheet could not be printed.") : why;
}

} // namespace numora
