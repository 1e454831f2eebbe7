#include "Commands.h"
#include "CommandLine.h"
#include "printing/CalibrationSheet.h"

#include <QDate>

namespace numora::cli {

namespace {

const QString command = QStringLiteral("calibrate");

// "X1,Y1,X2,Y2" in millimetres; false when it is not four numbers.
bool readingsFrom(const QString &text, QPointF &first, QPointF &second)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts.at(i).trimmed().toDouble(&ok);
        if (!ok)
            return false;
    }
    first = QPointF(v[0], v[1]);
    second = QPointF(v[2], v[3]);
    return true;
}

} // namespace

int runCalibrateCommand(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption printer(QStringLiteral("printer"), {}, QStringLiteral("NAME"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), {}, QStringLiteral("FILE"));
    const QCommandLineOption measured(QStringLiteral("measured"), {}, QStringLiteral("X1,Y1,X2,Y2"));
    const QCommandLineOption paperEdge(QStringLiteral("from-paper-edge"));
    const QCommandLineOption show(QStringLiteral("show"));
    parser.addOptions({printer, pdf, measured, paperEdge, show});
    if (const QString problem = parseArguments(parser, args, QStringLiteral("unknown option")); !problem.isEmpty())
        return usageError(command, problem);
    if (!parser.positionalArguments().isEmpty())
        return usageError(command, QStringLiteral("unexpected argument ") + parser.positionalArguments().first());
    const QString name = parser.value(printer);
    if (!name.isEmpty() && parser.isSet(pdf))
        return usageError(command, QStringLiteral("--printer and --pdf cannot be given together"));
    if (parser.isSet(measured) + parser.isSet(show) > 1)
        return usageError(command, QStringLiteral("--measured and --show cannot be given together"));
    if (parser.isSet(paperEdge) && !parser.isSet(measured))
        return usageError(command, QStringLiteral("--from-paper-edge goes with --measured"));
    const bool printing = !parser.isSet(measured) && !parser.isSet(show);
    if (printing && name == QtPrinter::pdfEntryName())
        return usageError(command, QStringLiteral("use --pdf FILE to print the sheet to a PDF file"));

    CommandServices services;
    QtPrinter &p = services.printer;
    // Stored values are read and kept under "Save as PDF" too, without a file.
    if (!printing && (name == QtPrinter::pdfEntryName() || parser.isSet(pdf))) {
        p.selectPrinter(int(p.printerNames().size()) - 1);
    } else if (const QString problem = choosePrinter(p, name, parser.value(pdf)); !problem.isEmpty()) {
        say(stderr, QStringLiteral("numora calibrate: ") + problem);
        return 2;
    }
    PrinterCalibrator calibrator(p, services.config, services.clock);
    const QString target = calibrator.printerName();

    if (parser.isSet(show)) {
        say(stdout, target + QStringLiteral(": ")
                        + (calibrator.isStored() ? describeCalibration(calibrator.stored())
                                                 : QStringLiteral("not calibrated")));
        return 0;
    }
    if (parser.isSet(measured)) {
        QPointF first, second;
        if (!readingsFrom(parser.value(measured), first, second))
            return usageError(command, QStringLiteral("--measured takes four numbers in millimetres: X1,Y1,X2,Y2"));
        QString why;
        const auto calibration = calibrator.store(first, second, parser.isSet(paperEdge), &why);
        if (!calibration) {
            say(stderr, QStringLiteral("numora calibrate: ") + why);
            // Readings no printer gives are the operator's to correct.
            return calibrationFromSheet(p, first, second, parser.isSet(paperEdge), nullptr) ? 1 : 2;
        }
        say(stdout, target + QStringLiteral(": ") + describeCalibration(*calibration));
        return 0;
    }
    if (const QString why = calibrator.printSheet(); !why.isEmpty()) {
        say(stderr, QStringLiteral("numora calibrate: ") + why);
        return 1;
    }
    say(stdout, QStringLiteral("The calibration sheet went to %1.").arg(p.targetName()));
    return 0;
}

} // namespace numora::cli
