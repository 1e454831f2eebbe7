// The print preview: it draws the coming run exactly as Print then prints
// it and moves nothing; and its printer puts texts and boxes where the
// program's printer puts them on paper.
#include "FormFixture.h"
#include "PrintedPdf.h"
#include "platform/qt/PainterPrinter.h"
#include "platform/qt/QtPrinter.h"

#include <QGuiApplication>
#include <QPrinter>

using namespace numora;
using namespace numora::test;

namespace {

// The operations after the document's start: the preview's document carries
// a name of its own, the pages are the same.
QStringList pagesOf(const QStringList &lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines.at(i).startsWith(QLatin1String("StartDoc ")))
            return lines.mid(i + 1);
    return {};
}

struct Rig
{
    FormFixture fx;
    MainForm *form = nullptr;

    Rig()
    {
        fx.printer.setPrinters({QStringLiteral("Laser")});
        form = &fx.start();
    }
    QStringList numbering()
    {
        QStringList n{form->doc.startNumber.text()};
        for (int i = 1; i <= 12; ++i)
            n << form->doc.slot(i).counter.text();
        return n;
    }
    qint64 journaledRuns()
    {
        QString error;
        if (!fx.journal.open(&error))
            return -1;
        const auto runs = fx.journal.runs(QString(), &error);
        return runs ? qint64(runs->size()) : -1;
    }
};

// Each step of a PDF written by one of the printers, drawn the same way.
void drawSample(Printer &p, int orientation)
{
    p.setOrientation(orientation);
    p.setFontName(QStringLiteral("DejaVu Sans"));
    p.setFontSize(14);
    p.setFontBold(false);
    p.setFontItalic(false);
    p.setForeColor(0);
    p.setCurrentX(1440);
    p.setCurrentY(2880);
    p.print(QStringLiteral("No:000041"));
    p.line(5760, 1440, 8640, 2160, 0x000000FF, true); // red, filled
    p.setFontSize(24);
    p.setFontBold(true);
    p.setCurrentX(4320);
    p.setCurrentY(7200);
    p.print(QStringLiteral("Nr.7"));
    p.newPage();
    p.setFontBold(false);
    p.setCurrentX(2000);
    p.setCurrentY(3000);
    p.print(QStringLiteral("second"));
    p.endDoc();
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT
private slots:
    void drawsWhatPrintPrints_data();
    void drawsWhatPrintPrints();
    void refusedWithoutPages();
    void placesAsTheProgramsPrinter_data();
    void placesAsTheProgramsPrinter();
};

void TestPreview::drawsWhatPrintPrints_data()
{
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("order"); // list index of the print order
    QTest::addColumn<bool>("twoPages");
    QTest::addColumn<bool>("boxes");
    QTest::addColumn<bool>("turned");
    QTest::addColumn<QString>("pages");

    QTest::newRow("2 X 2, first order") << "2 X 2" << 0 << false << false << false << "3";
    QTest::newRow("order 6 read backwards") << "3 X 3" << 5 << false << true << false << "4";
    QTest::newRow("two pages alike") << "4 X 4" << 1 << true << false << true << "6";
    QTest::newRow("per-position counters") << "2 X 2" << 6 << false << true << true << "5";
}

void TestPreview::drawsWhatPrintPrints()
{
    QFETCH(QString, grid);
    QFETCH(int, order);
    QFETCH(bool, twoPages);
    QFETCH(bool, boxes);
    QFETCH(bool, turned);
    QFETCH(QString, pages);

    Rig rig;
    MainForm &form = *rig.form;
    form.doc.gridType.setText(grid);
    rig.fx.settle();
    form.doc.wayPrint.setListIndex(order);
    rig.fx.settle();
    form.doc.borderLine.setValue(boxes ? 1 : 0);
    if (turned) {
        form.orientation.orientationButton.click();
        rig.fx.settle();
    }
    form.doc.startNumber.setText(QStringLiteral("41"));
    for (int n = 1; n <= 12; ++n)
        form.doc.slot(n).counter.setText(QString::number(100 * n + 1));
    rig.fx.settle();
    const QStringList before = rig.numbering();

    PrintForm &dialog = form.printForm;
    form.printButton.click();
    dialog.twoPageOption.setValue(twoPages ? 1 : 0);
    dialog.pageField.setText(pages);
    rig.fx.printer.takeLines();
    dialog.previewButton.click();
    rig.fx.settle();

    QCOMPARE(rig.fx.dialogs.previews.size(), 1);
    QVERIFY(rig.fx.dialogs.previewPages);
    RecordingPrinter shown;
    shown.setPrinters({QStringLiteral("Preview")});
    rig.fx.dialogs.previewPages(shown);
    // Drawing it again gives the same pages: the preview's forms are its own.
    RecordingPrinter again;
    again.setPrinters({QStringLiteral("Preview")});
    rig.fx.dialogs.previewPages(again);
    QCOMPARE(again.lines(), shown.lines());

    QVERIFY(rig.fx.printer.takeLines().isEmpty());
    QCOMPARE(rig.numbering(), before);
    QCOMPARE(rig.journaledRuns(), 0);
    QVERIFY(dialog.visible());
    QCOMPARE(dialog.pageField.text(), pages);

    dialog.printButton.click();
    rig.fx.settle();
    const QStringList printed = pagesOf(rig.fx.printer.takeLines());
    QVERIFY(!printed.isEmpty());
    QCOMPARE(pagesOf(shown.lines()), printed);
    QCOMPARE(rig.journaledRuns(), 1);
    QVERIFY(rig.numbering() != before);

    // The lines name what each position printed, as the journal does.
    QString error;
    const auto runs = rig.fx.journal.runs(QString(), &error);
    QVERIFY(runs && runs->size() == 1);
    const auto run = rig.fx.journal.run(runs->front().id, &error);
    QVERIFY(run);
    QCOMPARE(rig.fx.dialogs.previews.front().mid(1), JournalForm::positionLines(*run));
}

void TestPreview::refusedWithoutPages()
{
    Rig rig;
    rig.form->printButton.click();
    rig.form->printForm.pageField.setText(QStringLiteral("0"));
    rig.fx.dialogs.answers.push_back(QStringLiteral("OK"));
    rig.form->printForm.previewButton.click();
    QCOMPARE(rig.fx.dialogs.asked, QStringList{QStringLiteral("Type Numbar Of Pages")});
    QVERIFY(rig.fx.dialogs.previews.isEmpty());
}

void TestPreview::placesAsTheProgramsPrinter_data()
{
    QTest::addColumn<int>("orientation");
    QTest::newRow("portrait") << 1;
    QTest::newRow("landscape") << 2;
}

void TestPreview::placesAsTheProgramsPrinter()
{
    QFETCH(int, orientation);
    const QStringList missing = missingTools({QStringLiteral("pdftotext"), QStringLiteral("pdftoppm")});
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing.join(QLatin1String(", ")) + QStringLiteral(" not installed (poppler-utils)")));

    QTemporaryDir dir;
    const QString printedPdf = dir.filePath(QStringLiteral("printed.pdf"));
    const QString previewPdf = dir.filePath(QStringLiteral("preview.pdf"));
    QtPrinter program;
    program.choosePdf(printedPdf);
    drawSample(program, orientation);

    // The preview's page, set up from the program's printer as the preview
    // dialog does, recorded here into a PDF instead of the preview's pages.
    QPrinter paper(QPrinter::HighResolution);
    paper.setOutputFormat(QPrinter::PdfFormat);
    program.setOrientation(orientation);
    program.setUpPreview(paper);
    paper.setOutputFileName(previewPdf);
    PainterPrinter preview(paper);
    drawSample(preview, orientation);
    QCOMPARE(preview.paperWidth(), program.paperWidth());
    QCOMPARE(preview.paperHeight(), program.paperHeight());

    QString error;
    const QList<PdfPage> want = readPdfWords(printedPdf, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QList<PdfPage> got = readPdfWords(previewPdf, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(got.size(), 2);
    QCOMPARE(want.size(), 2);
    for (int page = 0; page < 2; ++page) {
        QCOMPARE(got[page].size, want[page].size);
        QCOMPARE(got[page].words.size(), want[page].words.size());
        for (const PdfWord &w : want[page].words) {
            const QList<PdfWord> same = wordsNamed(got[page], w.text);
            QCOMPARE(same.size(), 1);
            const QRectF a = same.front().box, b = w.box;
            QVERIFY2(qAbs(a.left() - b.left()) < 0.25 && qAbs(a.top() - b.top()) < 0.25
                         && qAbs(a.right() - b.right()) < 0.25 && qAbs(a.bottom() - b.bottom()) < 0.25,
                     qPrintable(QStringLiteral("%1 at %2,%3 instead of %4,%5")
                                    .arg(w.text)
                                    .arg(a.left())
                                    .arg(a.top())
                                    .arg(b.left())
                                    .arg(b.top())));
        }
    }
    // The text's left edge stands where it was placed: 1440 twips, 72 points.
    const QList<PdfWord> first = wordsNamed(got[0], QStringLiteral("No:000041"));
    QCOMPARE(first.size(), 1);
    QVERIFY(qAbs(first.front().box.left() - 72) < halfMillimetre);
    QVERIFY(first.front().box.top() > 144 - halfMillimetre);

    // The filled box is red on both, across its whole place and not outside.
    const QImage printedPage = renderPdfPage(printedPdf, 1, 72, &error);
    const QImage previewPage = renderPdfPage(previewPdf, 1, 72, &error);
    QVERIFY2(!previewPage.isNull(), qPrintable(error));
    QCOMPARE(previewPage.size(), printedPage.size());
    for (const QPoint at : {QPoint(360, 90), QPoint(292, 74), QPoint(428, 106)})
        QCOMPARE(previewPage.pixelColor(at), printedPage.pixelColor(at));
    QCOMPARE(previewPage.pixelColor(360, 90), QColor(Qt::red));
    QCOMPARE(previewPage.pixelColor(360, 115), QColor(Qt::white));
}

int main(int argc, char **argv)
{
    // No printer of this machine takes part: the PDF entry is the only one.
    QTemporaryDir noServer;
    qputenv("CUPS_SERVER", QFile::encodeName(noServer.filePath(QStringLiteral("no-cups.sock"))));
    QGuiApplication app(argc, argv);
    TestPreview test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_preview.moc"
