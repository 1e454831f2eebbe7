// The main window's page draws each number where, and as large as, the real
// printer prints it; and the print dialog warns, without asking, of numbers
// that run past the paper or the printable area or stand on each other.
#include "FormFixture.h"
#include "PrintedPdf.h"
#include "layout/CodeSettings.h"
#include "layoutfiles/LayoutFile.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtTextMeasure.h"
#include "preview/PagePreview.h"
#include "ui/MainWindow.h"
#include "ui/PagePreviewWidget.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace numora;
using namespace numora::test;

namespace {

// The test layout with these fields replaced (key => value).
QByteArray layoutWith(const QMap<QString, QString> &values)
{
    QFile f(QStringLiteral(NUMORA_TEST_DATA "/Shop.2x2"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
    for (QString &line : lines) {
        const QString key = line.left(11);
        if (values.contains(key))
            line = line.left(12) + values.value(key);
    }
    return lines.join(QStringLiteral("\r\n")).toLatin1();
}

bool isInk(QRgb c) { return qGray(c) < 110; }

} // namespace

class TestPagePreview : public QObject
{
    Q_OBJECT
private slots:
    void drawsWherePdfPrints_data();
    void drawsWherePdfPrints();
    void dialogWarnsOfFindings_data();
    void dialogWarnsOfFindings();
};

void TestPagePreview::drawsWherePdfPrints_data()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("code"); // 6 standing, 4 lying
    QTest::addColumn<QString>("italic");

    QTest::newRow("DejaVu Sans 12, standing") << "DejaVu Sans" << "12" << "6" << "0";
    QTest::newRow("DejaVu Sans 12, lying") << "DejaVu Sans" << "12" << "4" << "0";
    QTest::newRow("Liberation Serif 28 italic, standing") << "Liberation Serif" << "28" << "6" << "1";
    QTest::newRow("Liberation Serif 28 italic, lying") << "Liberation Serif" << "28" << "4" << "1";
}

// The page as the window draws it, against the PDF the program's own printer
// writes for the same layout: each number covers the same part of the page
// within a pixel of the preview.
void TestPagePreview::drawsWherePdfPrints()
{
    QFETCH(QString, font);
    QFETCH(QString, size);
    QFETCH(QString, code);
    QFETCH(QString, italic);
    if (const QStringList missing = missingTools({QStringLiteral("pdftotext")}); !missing.isEmpty())
        QSKIP("pdftotext is missing (poppler-utils)");

    QtPrinter printer;
    const QString pdf = QDir(QDir::tempPath()).filePath(QStringLiteral("numora-page-preview-%1.pdf")
                                                            .arg(QCoreApplication::applicationPid()));
    QVERIFY(printer.choosePdf(pdf));
    FormFixture fx;
    fx.measure = std::make_unique<QtTextMeasure>();
    fx.usePrinter = &printer;
    MainForm &form = fx.start();
    ui::MainWindow window(form);
    window.show();

    // Loaded as from the browser, at positions between whole twips, without
    // boxes: the extent is the text's own.
    const QString path = fx.folder.filePath(QStringLiteral("Odd.2x2"));
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(layoutWith({{QStringLiteral("Font Name  "), font},
                           {QStringLiteral("Font Size  "), size},
                           {QStringLiteral("Font Italic"), italic},
                           // The box option, under its old key.
                           {QStringLiteral("Sel. Zero  "), QStringLiteral("0")},
                           {QStringLiteral("Top Page   "), code},
                           {QStringLiteral("Sign T01   "), QStringLiteral("3.37")},
                           {QStringLiteral("Sign L01   "), QStringLiteral("4.813")},
                           {QStringLiteral("Sign T02   "), QStringLiteral("15.55")},
                           {QStringLiteral("Sign L02   "), QStringLiteral("9.09")}}));
    file.close();
    QVERIFY(form.layoutFiles().loadLayoutFile(path, QStringLiteral("Odd.2x2")));
    fx.settle();
    form.placement.parkCrosshair();
    ui::PagePreviewWidget &page = *window.pagePreview();
    const QImage shown = page.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.devicePixelRatio(), 1.0);
    QList<QRectF> drawn;
    QStringList texts;
    for (int n = 1; n <= 2; ++n) {
        drawn << page.printedRect(n);
        texts << form.sample.Test0[std::size_t(n - 1)]->caption().trimmed();
        QVERIFY2(drawn.last().width() > 10, qPrintable(texts.last()));
    }

    // One page, printed from the dialog as the operator prints it.
    form.printForm.open();
    form.printForm.pageField.setText(QStringLiteral("1"));
    form.printForm.printButton.click();
    fx.settle();
    QCOMPARE(form.printForm.lastJobPages(), qsizetype(1));
    QString error;
    const QList<PdfPage> pages = readPdfWords(pdf, &error);
    QFile::remove(pdf);
    QVERIFY2(pages.size() == 1, qPrintable(error));

    // Points on the paper to the window's pixels: the page is drawn at 275
    // units to the centimetre.
    const double pxPerPoint = page.scale() * PagePreview::Scale / (72 / 2.54);
    const QPointF origin = page.pageRect().topLeft();
    for (int n = 1; n <= 2; ++n) {
        const auto word = std::find_if(pages.first().words.cbegin(), pages.first().words.cend(),
                                       [&](const PdfWord &w) { return w.text == texts.at(n - 1); });
        QVERIFY2(word != pages.first().words.cend(), qPrintable(texts.at(n - 1) + QStringLiteral(" not printed")));
        const QRectF printed(origin + word->box.topLeft() * pxPerPoint, origin + word->box.bottomRight() * pxPerPoint);
        const QRectF &r = drawn.at(n - 1);
        const QString where = QStringLiteral("number %1: drawn %2,%3 %4x%5, printed %6,%7 %8x%9")
                                  .arg(n)
                                  .arg(r.x())
                                  .arg(r.y())
                                  .arg(r.width())
                                  .arg(r.height())
                                  .arg(printed.x())
                                  .arg(printed.y())
                                  .arg(printed.width())
                                  .arg(printed.height());
        QVERIFY2(std::abs(r.left() - printed.left()) <= 1 && std::abs(r.right() - printed.right()) <= 1
                     && std::abs(r.top() - printed.top()) <= 1 && std::abs(r.bottom() - printed.bottom()) <= 1,
                 qPrintable(where));

        // The picture holds the text there: ink near both ends, none beyond.
        const QRect around = r.toAlignedRect().adjusted(-4, -4, 4, 4) & shown.rect();
        const QRectF allowed = r.adjusted(-1.5, -1.5, 1.5, 1.5);
        bool leftInk = false, rightInk = false;
        for (int y = around.top(); y <= around.bottom(); ++y) {
            for (int x = around.left(); x <= around.right(); ++x) {
                if (!isInk(shown.pixel(x, y)))
                    continue;
                QVERIFY2(allowed.contains(QPointF(x + 0.5, y + 0.5)),
                         qPrintable(where + QStringLiteral(": ink at %1,%2").arg(x).arg(y)));
                leftInk = leftInk || x < r.left() + r.width() / 4;
                rightInk = rightInk || x > r.right() - r.width() / 4;
            }
        }
        QVERIFY2(leftInk && rightInk, qPrintable(where + QStringLiteral(": the text does not fill its place")));
    }
}

void TestPagePreview::dialogWarnsOfFindings_data()
{
    QTest::addColumn<QString>("top1"); // across, on the lying page
    QTest::addColumn<QString>("left1");
    QTest::addColumn<QString>("top2");
    QTest::addColumn<QString>("left2");
    QTest::addColumn<QString>("found"); // a pattern of the whole line; empty for none
    QTest::addColumn<double>("qrModuleMm"); // 0: no code

    QTest::newRow("both inside, apart") << "5" << "5" << "15" << "12" << "" << 0.0;
    // The same numbers, each with a QR code of 8 mm modules below it: the
    // codes reach past the paper, so the check counts them too.
    QTest::newRow("their codes off the paper") << "5" << "5" << "15" << "12" << "Number 1 runs .* past .*" << 8.0;
    // Positions count from the printable area's corner; the box starts 150
    // twips before its place: at 0.1 cm, 93 twips before the area, said as
    // 0.2 cm. The far edge: the box ends 0.73 cm past it, said as 0.8.
    QTest::newRow("before the printable area") << "0.1" << "5" << "15" << "12"
                                               << "Number 1 runs 0\\.2 cm past the printable area" << 0.0;
    QTest::newRow("past its far edge") << "5" << "5" << "27" << "12"
                                       << "Number 2 runs 0\\.8 cm past the printable area" << 0.0;
    QTest::newRow("off the paper") << "5" << "5" << "29.5" << "12"
                                   << "Number 2 runs [0-9]\\.[0-9] cm past the edge of the paper" << 0.0;
    QTest::newRow("on each other") << "5" << "5" << "5.5" << "5.1" << "Numbers 1 and 2 overlap" << 0.0;
    QTest::newRow("both at once") << "0.1" << "5" << "0.3" << "5"
                                  << "Number 1 runs 0\\.2 cm past the printable area; Numbers 1 and 2 overlap" << 0.0;
}

void TestPagePreview::dialogWarnsOfFindings()
{
    QFETCH(QString, top1);
    QFETCH(QString, left1);
    QFETCH(QString, top2);
    QFETCH(QString, left2);
    QFETCH(QString, found);
    QFETCH(double, qrModuleMm);

    FormFixture fx;
    fx.printer.setPrinters({QStringLiteral("Laser")});
    fx.printer.setMargin(1440 / 2.54); // a centimetre all round
    MainForm &form = fx.start();
    form.doc.gridType.choose(QStringLiteral("2 X 2"));
    fx.settle();
    form.doc.slot(1).topCm.setText(top1);
    form.doc.slot(1).leftCm.setText(left1);
    form.doc.slot(2).topCm.setText(top2);
    form.doc.slot(2).leftCm.setText(left2);
    if (qrModuleMm > 0) {
        CodeSettings qr;
        qr.type = CodeSettings::Type::Qr;
        qr.moduleMm = qrModuleMm;
        form.setCode(qr);
    }
    PrintForm &dialog = form.printForm;
    dialog.open();
    fx.settle();
    const Label &line = dialog.preflightWarning;
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(found)).match(line.caption()).hasMatch(),
             qPrintable(line.caption()));
    QCOMPARE(line.visible(), !found.isEmpty());

    // A warning, not a question: the run prints as it would without one.
    fx.printer.takeLines();
    dialog.printButton.click();
    fx.settle();
    QVERIFY2(fx.dialogs.asked.isEmpty(), qPrintable(fx.dialogs.asked.join(QLatin1Char('|'))));
    QCOMPARE(dialog.lastJobPages(), qsizetype(1));
}

QTEST_MAIN(TestPagePreview)
#include "tst_pagepreview.moc"
