// A run printed from the print dialog to a PDF through the Qt printer, read
// back as a person checks a print: every number where the layout puts it,
// in both orientations, with and without boxes in the number's back colour.
#include "FormFixture.h"
#include "PrintedPdf.h"
#include "app/Reprinter.h"
#include "platform/Colour.h"
#include "platform/Numeric.h"
#include "platform/qt/QtPrinter.h"

#include <QApplication>
#include <cstdio>

using namespace numora;
using namespace numora::test;

namespace {

constexpr double A4WidthTwips = 11906, A4HeightTwips = 16838;

struct Place
{
    double topCm, leftCm;
};
const Place places[4] = {{2, 3}, {2, 12.5}, {15.25, 3}, {26.8, 17}};

// Where the text of a position starts, in points from the page's corner:
// the centimetres scaled by the paper's twips per centimetre, rounded,
// then 120 twips left and 170 twips up.
QPointF expectedTopLeft(const Place &p, bool portrait)
{
    const double w = portrait ? A4WidthTwips : A4HeightTwips;
    const double h = portrait ? A4HeightTwips : A4WidthTwips;
    const double x = portrait ? p.leftCm * (h / 29.7) : p.topCm * (h / 21);
    const double y = portrait ? p.topCm * (w / 21) : p.leftCm * (w / 29.7);
    const double H = double(*roundHalfEven(x)), V = double(*roundHalfEven(y));
    return {(H - 120) / 20, (V - 170) / 20};
}

} // namespace

class TestPrintPdf : public QObject
{
    Q_OBJECT
private slots:
    void run_data();
    void run();
    void reprintPastPrintedPages();
    void fileAskedBeforeTheJournalClaim();
};

void TestPrintPdf::run_data()
{
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<bool>("boxes");
    QTest::newRow("landscape") << false << false;
    QTest::newRow("landscape, boxes") << false << true;
    QTest::newRow("portrait") << true << false;
    QTest::newRow("portrait, boxes") << true << true;
}

void TestPrintPdf::run()
{
    QFETCH(bool, portrait);
    QFETCH(bool, boxes);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("run.pdf"));
    QtPrinter printer;
    printer.choosePdf(pdf);
    FormFixture fx;
    fx.usePrinter = &printer;
    MainForm &form = fx.start();
    LayoutDocument &doc = form.doc;
    doc.gridType.setText(QStringLiteral("4 X 4"));
    fx.settle();
    doc.wayPrint.setListIndex(2); // across the page, then on
    if (portrait)
        form.orientation.orientationButton.click();
    fx.settle();
    QCOMPARE(doc.orientationCode.caption(), portrait ? QStringLiteral("6") : QStringLiteral("4"));
    for (int n = 1; n <= 4; ++n) {
        doc.slot(n).topCm.setText(shortestDecimal(places[n - 1].topCm));
        doc.slot(n).leftCm.setText(shortestDecimal(places[n - 1].leftCm));
    }
    // A light green back: printed only inside a box.
    const qint32 green = rgbColour(0x80, 0xFF, 0x80);
    doc.sampleLabel.setBackColor(green);
    doc.borderLine.setValue(boxes ? 1 : 0);
    doc.startNumber.setText(QStringLiteral("101"));
    fx.settle();

    form.printButton.click();
    form.printForm.pageField.setText(QStringLiteral("3"));
    form.printForm.printButton.click();
    fx.settle();
    QVERIFY2(fx.dialogs.asked.isEmpty(), qPrintable(fx.dialogs.asked.join(QLatin1Char('\n'))));
    QCOMPARE(form.printForm.lastJobPages(), qsizetype(3));

    QString error;
    const QList<PdfPage> pages = readPdfWords(pdf, &error);
    QVERIFY2(pages.size() == 3, qPrintable(error));
    for (int page = 0; page < 3; ++page) {
        const PdfPage &p = pages.at(page);
        QCOMPARE(qRound(p.size.width()), portrait ? 595 : 842);
        for (int n = 1; n <= 4; ++n) {
            const QString text = QStringLiteral("No:%1").arg(101 + page * 4 + n - 1, 6, 10, QLatin1Char('0'));
            const QList<PdfWord> found = wordsNamed(p, text);
            QVERIFY2(found.size() == 1, qPrintable(text + QStringLiteral(" on page ") + QString::number(page + 1)));
            const QPointF want = expectedTopLeft(places[n - 1], portrait);
            const QPointF got = found.first().box.topLeft();
            QVERIFY2(std::abs(got.x() - want.x()) <= halfMillimetre && std::abs(got.y() - want.y()) <= halfMillimetre,
                     qPrintable(QStringLiteral("%1 at %2,%3 pt, expected %4,%5")
                                    .arg(text)
                                    .arg(got.x())
                                    .arg(got.y())
                                    .arg(want.x())
                                    .arg(want.y())));
        }
    }

    // Inside the box's left margin, beside the text: the back colour with
    // boxes, the bare paper without.
    const int dpi = 300;
    const QImage page1 = renderPdfPage(pdf, 1, dpi, &error);
    QVERIFY2(!page1.isNull(), qPrintable(error));
    for (const Place &place : places) {
        const QPointF text = expectedTopLeft(place, portrait);
        const QPoint probe(qRound((text.x() - 15.0 / 20) * dpi / 72), qRound((text.y() + 120.0 / 20) * dpi / 72));
        const QColor c = page1.pixelColor(probe);
        if (boxes)
            QVERIFY2(std::abs(c.red() - 0x80) < 8 && c.green() > 245 && std::abs(c.blue() - 0x80) < 8,
                     qPrintable(c.name()));
        else
            QCOMPARE(c, QColor(Qt::white));
    }
}

void TestPrintPdf::reprintPastPrintedPages()
{
    // Five pages with the two-page option print four: a reprint of page 5
    // has nothing to send. It must say so, leave its file alone and leave no
    // document open for the next run to fall into.
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("a.pdf")), again = dir.filePath(QStringLiteral("b.pdf")),
                  next = dir.filePath(QStringLiteral("c.pdf"));
    const QByteArray kept("an earlier file");
    {
        QFile f(again);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(kept) == kept.size());
    }
    QtPrinter printer;
    QVERIFY(printer.choosePdf(first));
    FormFixture fx;
    fx.usePrinter = &printer;
    MainForm &form = fx.start();
    form.doc.gridType.setText(QStringLiteral("2 X 2"));
    fx.settle();
    form.doc.startNumber.setText(QStringLiteral("101"));
    fx.settle();
    const auto printRun = [&](const QString &pages, bool twoPages) {
        form.printButton.click();
        form.printForm.twoPageOption.setValue(twoPages ? 1 : 0);
        form.printForm.pageField.setText(pages);
        form.printForm.printButton.click();
        fx.settle();
    };
    printRun(QStringLiteral("5"), true);
    QCOMPARE(form.printForm.lastJobPages(), qsizetype(4));
    QString error;
    const auto run = fx.journal.run(1, &error);
    QVERIFY2(run, qPrintable(error));
    QCOMPARE(run->printer, QFileInfo(first).absoluteFilePath());

    QVERIFY(printer.choosePdf(again));
    fx.dialogs.answers.push_back(QStringLiteral("OK")); // the reason nothing went out
    const Reprinter::Result r =
        Reprinter(Services{fx.scheduler, *fx.measure, fx.dialogs, fx.settings, fx.clock, [] { return QStringList(); },
                           fx.folder, printer, nullptr, &fx.journal})
            .reprint(*run, 5, 5);
    QVERIFY(!r.printed);
    QVERIFY2(r.refused && r.problem.contains(QStringLiteral("pages 5 to 5 are not among them")), qPrintable(r.problem));
    QVERIFY(!printer.documentOpen());
    QVERIFY(printer.choosePdf(next));

    printRun(QStringLiteral("1"), false);
    QCOMPARE(form.printForm.lastJobPages(), qsizetype(1));
    const QList<PdfPage> pages = readPdfWords(next, &error);
    QVERIFY2(pages.size() == 1, qPrintable(error));
    // Two positions a page: the first run printed 101 to 104.
    for (const char *text : {"No:000105", "No:000106"})
        QCOMPARE(wordsNamed(pages.first(), QLatin1String(text)).size(), 1);
    QFile f(again);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), kept);
}

void TestPrintPdf::fileAskedBeforeTheJournalClaim()
{
    // "Save as PDF" without a file: the file is asked for before the run is
    // journaled, so that the journal names it; cancelling records nothing.
    QTemporaryDir dir;
    QtPrinter printer;
    QVERIFY(printer.selectPrinterByName(QtPrinter::pdfEntryName()));
    QString answer;
    int asked = 0;
    printer.askPdfFileName = [&](const QString &) {
        ++asked;
        return answer;
    };
    FormFixture fx;
    fx.usePrinter = &printer;
    MainForm &form = fx.start();
    const auto printRun = [&] {
        form.printButton.click();
        form.printForm.pageField.setText(QStringLiteral("2"));
        form.printForm.printButton.click();
        fx.settle();
    };
    printRun();
    QCOMPARE(asked, 1);
    QCOMPARE(form.doc.startNumber.text(), QStringLiteral("1"));
    QString error;
    QVERIFY2(fx.journal.open(&error), qPrintable(error));
    QVERIFY(fx.journal.runs(QString(), &error)->empty());

    answer = dir.filePath(QStringLiteral("named.pdf"));
    printRun();
    QCOMPARE(asked, 2);
    QCOMPARE(form.printForm.lastJobPages(), qsizetype(2));
    QVERIFY(QFileInfo::exists(answer));
    const auto runs = fx.journal.runs(QString(), &error);
    QVERIFY2(runs && runs->size() == 1, qPrintable(error));
    QCOMPARE(runs->front().printer, answer);
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
    TestPrintPdf t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_printpdf.moc"
