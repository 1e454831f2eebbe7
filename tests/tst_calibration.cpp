// Printer calibration read back from real PDFs: a calibrated run moves every
// number by exactly the calibration, the journal keeps it for a reprint, the
// sheet's targets stand where they belong, and two readings give back the
// offset and scale that caused them.
#include "FormFixture.h"
#include "PrintedPdf.h"
#include "app/Reprinter.h"
#include "platform/Calibration.h"
#include "platform/qt/QtPrinter.h"
#include "printing/CalibrationSheet.h"

#include <QApplication>
#include <cstdio>

using namespace numora;
using namespace numora::test;

namespace {

constexpr double pointsPerMm = 72.0 / 25.4;
constexpr double tenthMm = 0.1 * pointsPerMm;

// Each number's top-left corner on the first page, in points.
QHash<QString, QPointF> numberPlaces(const QString &pdf)
{
    QHash<QString, QPointF> places;
    const QList<PdfPage> pages = readPdfWords(pdf);
    if (!pages.isEmpty())
        for (const PdfWord &w : pages.first().words)
            if (w.text.startsWith(QLatin1String("No:")))
                places.insert(w.text, w.box.topLeft());
    return places;
}

} // namespace

class TestCalibration : public QObject
{
    Q_OBJECT
private slots:
    void readingsGiveBackTheCalibration_data();
    void readingsGiveBackTheCalibration();
    void calibratedRunAndItsReprint();
    void sheetTargetsAtTheirPlaces_data();
    void sheetTargetsAtTheirPlaces();
};

void TestCalibration::readingsGiveBackTheCalibration_data()
{
    QTest::addColumn<double>("across");
    QTest::addColumn<double>("down");
    QTest::addColumn<int>("scaleAcross");
    QTest::addColumn<int>("scaleDown");
    QTest::addColumn<bool>("fromEdge");
    QTest::newRow("offset only") << 3.0 << -2.0 << 1000 << 1000 << false;
    QTest::newRow("offset and scale") << 3.0 << -2.0 << 1005 << 1000 << false;
    QTest::newRow("shrinking printer") << -1.25 << 0.5 << 990 << 1012 << false;
    QTest::newRow("from the paper's edge") << 1.5 << -0.75 << 1004 << 997 << true;
}

void TestCalibration::readingsGiveBackTheCalibration()
{
    QFETCH(double, across);
    QFETCH(double, down);
    QFETCH(int, scaleAcross);
    QFETCH(int, scaleDown);
    QFETCH(bool, fromEdge);
    // A printer whose drawing area starts 4.2 / 6.1 mm in, and that errs by
    // just what that calibration takes back: a point p of its drawing area
    // lands at real + s * p.
    const QPointF origin(4.2, 6.1);
    const PrinterCalibration want{across, down, scaleAcross, scaleDown, fromEdge};
    const CalibrationTargets targets = calibrationTargets(QSizeF(210, 297));
    const auto landsAt = [&](QPointF nominal) {
        const double sx = 1000.0 / scaleAcross, sy = 1000.0 / scaleDown;
        const QPointF to = fromEdge ? QPointF() : origin;
        // Calibrated, layout point x is drawn at (to - origin) + c + k x and
        // lands at to + x: so real = to - s * (to - origin + c).
        const QPointF real(to.x() - sx * (to.x() - origin.x() + across), to.y() - sy * (to.y() - origin.y() + down));
        return QPointF(real.x() + sx * (nominal.x() - origin.x()), real.y() + sy * (nominal.y() - origin.y()));
    };
    QString why;
    const auto got =
        calibrationFromReadings(targets, landsAt(targets.first), landsAt(targets.second), origin, fromEdge, &why);
    QVERIFY2(got, qPrintable(why));
    QCOMPARE(*got, want);
    // Read back from its journal record unchanged.
    QCOMPARE(calibrationFromRecord(calibrationRecord(*got)), std::optional<PrinterCalibration>(want));
    // Swapped targets are a misreading, not a printer.
    QVERIFY(!calibrationFromReadings(targets, landsAt(targets.second), landsAt(targets.first), origin, fromEdge));
}

void TestCalibration::calibratedRunAndItsReprint()
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.pdf")), moved = dir.filePath(QStringLiteral("moved.pdf")),
                  again = dir.filePath(QStringLiteral("again.pdf"));
    QtPrinter printer;
    PrinterCalibration stored;
    QStringList askedFor;
    printer.calibrationFor = [&](const QString &name) {
        askedFor << name;
        return stored;
    };
    FormFixture fx;
    fx.usePrinter = &printer;
    MainForm &form = fx.start();
    form.doc.gridType.setText(QStringLiteral("4 X 4"));
    fx.settle();
    const auto printTo = [&](const QString &pdf) {
        QVERIFY(printer.choosePdf(pdf));
        form.printButton.click();
        form.printForm.pageField.setText(QStringLiteral("1"));
        form.printForm.printButton.click();
        fx.settle();
        QCOMPARE(form.printForm.lastJobPages(), qsizetype(1));
    };
    printTo(plain);
    // The same numbers again, placed by the calibration; the journal asks
    // before printing them twice.
    form.doc.startNumber.setText(QStringLiteral("1"));
    fx.settle();
    fx.dialogs.answers.push_back(QStringLiteral("Yes"));
    stored = PrinterCalibration{3, -2, 1005, 1000};
    printTo(moved);
    QVERIFY(askedFor.contains(QtPrinter::pdfEntryName()));

    const QHash<QString, QPointF> before = numberPlaces(plain), after = numberPlaces(moved);
    QCOMPARE(before.size(), 4);
    QCOMPARE(after.keys().size(), 4);
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        QVERIFY2(after.contains(it.key()), qPrintable(it.key()));
        const QPointF want(3 * pointsPerMm + it.value().x() * 1.005, it.value().y() - 2 * pointsPerMm);
        const QPointF got = after.value(it.key());
        QVERIFY2(std::abs(got.x() - want.x()) <= tenthMm && std::abs(got.y() - want.y()) <= tenthMm,
                 qPrintable(QStringLiteral("%1 at %2,%3 pt, expected %4,%5")
                                .arg(it.key())
                                .arg(got.x())
                                .arg(got.y())
                                .arg(want.x())
                                .arg(want.y())));
    }

    // The journal keeps the calibration each run was placed by, and a
    // reprint is placed by it though the printer's has changed since.
    QString error;
    const auto first = fx.journal.run(1, &error), second = fx.journal.run(2, &error);
    QVERIFY2(first && second, qPrintable(error));
    QCOMPARE(first->calibration, std::optional<PrinterCalibration>(PrinterCalibration{}));
    QCOMPARE(second->calibration, std::optional<PrinterCalibration>(stored));
    stored = PrinterCalibration{-4, 5, 990, 1010};
    QVERIFY(printer.choosePdf(again));
    const Reprinter::Result r =
        Reprinter(Services{fx.scheduler, *fx.measure, fx.dialogs, fx.settings, fx.clock, [] { return QStringList(); },
                           fx.folder, printer, nullptr, &fx.journal})
            .reprint(*second, 1, 1);
    QVERIFY2(r.printed, qPrintable(r.problem));
    const QHash<QString, QPointF> reprinted = numberPlaces(again);
    QCOMPARE(reprinted.size(), 4);
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const QPointF d = reprinted.value(it.key()) - it.value();
        QVERIFY2(std::abs(d.x()) <= tenthMm && std::abs(d.y()) <= tenthMm, qPrintable(it.key()));
    }
    // Afterwards the printer follows its own calibration again.
    QCOMPARE(printer.printArea().calibration, stored);
}

void TestCalibration::sheetTargetsAtTheirPlaces_data()
{
    QTest::addColumn<bool>("calibrated");
    QTest::newRow("uncalibrated printer") << false;
    // The sheet measures the printer as it is: its calibration stays off.
    QTest::newRow("calibrated printer") << true;
}

void TestCalibration::sheetTargetsAtTheirPlaces()
{
    QFETCH(bool, calibrated);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    QtPrinter printer;
    printer.calibrationFor = [calibrated](const QString &) {
        return calibrated ? PrinterCalibration{5, 5, 1020, 1020} : PrinterCalibration{};
    };
    QVERIFY(printer.choosePdf(pdf));
    const QString why = printCalibrationSheet(printer, QDate(2026, 12, 9));
    QVERIFY2(why.isEmpty(), qPrintable(why));

    QString error;
    const QList<PdfPage> pages = readPdfWords(pdf, &error);
    QVERIFY2(pages.size() == 1, qPrintable(error));
    const auto hasWord = [&](const QString &text) { return !wordsNamed(pages.first(), text).isEmpty(); };
    QVERIFY(hasWord(QStringLiteral("2026-12-09")));
    QVERIFY(hasWord(QStringLiteral("PDF")));

    // Each cross's lines through the target's centre: ink on them, paper a
    // millimetre beside them (10 pixels a millimetre).
    const int dpi = 254;
    const QImage page = renderPdfPage(pdf, 1, dpi, &error);
    QVERIFY2(!page.isNull(), qPrintable(error));
    const auto ink = [&](double xMm, double yMm) {
        return page.pixelColor(qRound(xMm * 10), qRound(yMm * 10)).value() < 128;
    };
    const CalibrationTargets targets = sheetTargets(printer);
    for (const QPointF t : {targets.first, targets.second}) {
        const QString where = QStringLiteral("target at %1,%2 mm").arg(t.x()).arg(t.y());
        QVERIFY2(ink(t.x(), t.y() + 5) && ink(t.x() + 5, t.y()), qPrintable(where));
        QVERIFY2(!ink(t.x() - 1, t.y() + 5) && !ink(t.x() + 1, t.y() + 5), qPrintable(where));
        QVERIFY2(!ink(t.x() + 5, t.y() - 1) && !ink(t.x() + 5, t.y() + 1), qPrintable(where));
    }
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QStringList missing = missingTools({QStringLiteral("pdftotext"), QStringLiteral("pdftoppm")});
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "skipped: %s not installed (poppler-utils)\n", qPrintable(missing.join(QLatin1Char(' '))));
        return skipExitCode;
    }
    TestCalibration t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_calibration.moc"
