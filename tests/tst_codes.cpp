// The machine-readable code beside every number: printed through the Qt
// printer to PDF and read back by scanner software (zbarimg, dmtxread) at
// its place; refused before the run when a number does not fit the code;
// kept beside the layout file without changing it.
#include "FormFixture.h"
#include "PrintedPdf.h"
#include "app/Reprinter.h"
#include "layout/SessionKeys.h"
#include "layoutfiles/LayoutFile.h"
#include "platform/CodeShapes.h"
#include "platform/Colour.h"
#include "platform/Numeric.h"
#include "platform/PrintArea.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtTextMeasure.h"
#include "printing/CodeMaker.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>

using namespace numora;
using namespace numora::test;

Q_DECLARE_METATYPE(CodeSettings::Type)
Q_DECLARE_METATYPE(CodeSettings::Content)
Q_DECLARE_METATYPE(CodeSettings::Place)

namespace {

// The values the scanner software reads on a picture, one per code.
QStringList scan(const QImage &image, bool dataMatrix, const QString &png, QString *error)
{
    if (!image.save(png)) {
        *error = QStringLiteral("cannot write ") + png;
        return {};
    }
    QProcess p;
    if (dataMatrix)
        p.start(QStringLiteral("dmtxread"), {QStringLiteral("-n"), QStringLiteral("-N1"), png});
    else
        p.start(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), png});
    p.waitForFinished(120000);
    return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The part of the page on the code's side of a text (points), 30 mm deep:
// a code read there stands beside its text.
QRect besideText(CodeSettings::Place place, const QRectF &text, double dpi)
{
    const double mm = 72.0 / 25.4;
    QRectF r;
    switch (place) {
    case CodeSettings::Place::Below: r = QRectF(text.left() - 2 * mm, text.bottom(), 75 * mm, 30 * mm); break;
    case CodeSettings::Place::Above: r = QRectF(text.left() - 2 * mm, text.top() - 30 * mm, 75 * mm, 30 * mm); break;
    case CodeSettings::Place::Left: r = QRectF(text.left() - 30 * mm, text.top() - 2 * mm, 30 * mm, 30 * mm); break;
    case CodeSettings::Place::Right: r = QRectF(text.right(), text.top() - 2 * mm, 30 * mm, 30 * mm); break;
    }
    const double px = dpi / 72.0;
    return QRectF(r.topLeft() * px, r.size() * px).toRect();
}

// A layout of four positions far enough apart for a code beside each.
void placeFour(FormFixture &fx)
{
    LayoutDocument &doc = fx.form->doc;
    doc.gridType.setText(QStringLiteral("4 X 4"));
    fx.settle();
    doc.wayPrint.setListIndex(2); // across the page, then on
    const double places[4][2] = {{3, 4}, {3, 17}, {12, 4}, {12, 17}};
    for (int n = 1; n <= 4; ++n) {
        doc.slot(n).topCm.setText(shortestDecimal(places[n - 1][0]));
        doc.slot(n).leftCm.setText(shortestDecimal(places[n - 1][1]));
    }
    fx.settle();
}

// Prints pages of the open layout from the print dialog; the dialog's messages go to asked.
void print(FormFixture &fx, int pages)
{
    fx.form->printButton.click();
    fx.form->printForm.pageField.setText(QString::number(pages));
    fx.form->printForm.printButton.click();
    fx.settle();
}

// A code drawn as the printer draws it, pixels a module.
QImage drawn(const CodeShapes &code, int pixels)
{
    QImage image(int(code.width) * pixels, int(code.height) * pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(pixels, pixels);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRects(code.bars.constData(), int(code.bars.size()));
    return image;
}

} // namespace

class TestCodes : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void printedCodesReadBack_data();
    void printedCodesReadBack();
    void refusedBeforeTheRun_data();
    void refusedBeforeTheRun();
    void sizesInTurnReadBack_data();
    void sizesInTurnReadBack();
    void boxFilledOverCodeCoversIt();
    void largerModulesGrowAwayFromTheText_data();
    void largerModulesGrowAwayFromTheText();
    void reprintPrintsTheRunsCode();
    void sideFileBesideTheLayout();
    void settingsLine_data();
    void settingsLine();
};

void TestCodes::initTestCase()
{
    if (const QStringList missing = missingTools({QStringLiteral("pdftoppm"), QStringLiteral("pdftotext"),
                                                  QStringLiteral("zbarimg"), QStringLiteral("dmtxread")});
        !missing.isEmpty())
        QSKIP(qPrintable(QStringLiteral("not installed: ") + missing.join(QLatin1Char(' '))));
}

void TestCodes::printedCodesReadBack_data()
{
    QTest::addColumn<CodeSettings::Type>("type");
    QTest::addColumn<CodeSettings::Content>("content");
    QTest::addColumn<CodeSettings::Place>("place");
    using T = CodeSettings::Type;
    using C = CodeSettings::Content;
    using P = CodeSettings::Place;
    QTest::newRow("Code 128, text, below") << T::Code128 << C::Text << P::Below;
    QTest::newRow("QR code, text, right") << T::Qr << C::Text << P::Right;
    QTest::newRow("QR code, number, above") << T::Qr << C::Number << P::Above;
    QTest::newRow("Data Matrix, text, left") << T::DataMatrix << C::Text << P::Left;
    QTest::newRow("EAN-13, below") << T::Ean13 << C::Number << P::Below;
}

void TestCodes::printedCodesReadBack()
{
    QFETCH(CodeSettings::Type, type);
    QFETCH(CodeSettings::Content, content);
    QFETCH(CodeSettings::Place, place);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("run.pdf"));
    QtPrinter printer;
    printer.choosePdf(pdf);
    FormFixture fx;
    fx.usePrinter = &printer;
    // The code stands beside the text's real extent.
    fx.measure = std::make_unique<QtTextMeasure>();
    fx.start();
    placeFour(fx);
    LayoutDocument &doc = fx.form->doc;
    doc.code.type = type;
    doc.code.content = content;
    doc.code.place = place;
    doc.code.moduleMm = 0.5;
    doc.startNumber.setText(QStringLiteral("2041"));
    fx.settle();
    print(fx, 2);
    QVERIFY2(fx.dialogs.asked.isEmpty(), qPrintable(fx.dialogs.asked.join(QLatin1Char('\n'))));
    QCOMPARE(fx.form->printForm.lastJobPages(), qsizetype(2));

    QString error;
    const QList<PdfPage> pages = readPdfWords(pdf, &error);
    QVERIFY2(pages.size() == 2, qPrintable(error));
    const int dpi = 300;
    for (int page = 1; page <= 2; ++page) {
        const QImage image = renderPdfPage(pdf, page, dpi, &error);
        QVERIFY2(!image.isNull(), qPrintable(error));
        const QString png = dir.filePath(QStringLiteral("page%1.png").arg(page));
        const bool dataMatrix = type == CodeSettings::Type::DataMatrix;
        if (!dataMatrix) {
            // No code more than the numbers'.
            const QStringList all = scan(image, false, png, &error);
            QVERIFY2(all.size() == 4, qPrintable(all.join(QLatin1Char(' ')) + error));
        }
        for (int n = 0; n < 4; ++n) {
            const qint64 number = 2041 + (page - 1) * 4 + n;
            const QString text = QStringLiteral("No:%1").arg(number, 6, 10, QLatin1Char('0'));
            QString expected = content == CodeSettings::Content::Text ? text : QString::number(number);
            if (type == CodeSettings::Type::Ean13) {
                // Twelve digits and the check digit: three times the odd
                // places from the right, the even ones once.
                expected = QStringLiteral("%1").arg(number, 12, 10, QLatin1Char('0'));
                int sum = 0;
                for (int i = 0; i < 12; ++i)
                    sum += expected.at(11 - i).digitValue() * (i % 2 == 0 ? 3 : 1);
                expected += QString::number((10 - sum % 10) % 10);
            }
            const QList<PdfWord> words = wordsNamed(pages.at(page - 1), text);
            QVERIFY2(words.size() == 1, qPrintable(text));
            const QImage beside = image.copy(besideText(place, words.first().box, dpi));
            const QStringList read = scan(beside, dataMatrix, dir.filePath(QStringLiteral("code.png")), &error);
            QVERIFY2(read == QStringList{expected},
                     qPrintable(QStringLiteral("%1 on page %2: read \"%3\" beside it, not %4 %5")
                                    .arg(text)
                                    .arg(page)
                                    .arg(read.join(QLatin1Char(' ')), expected, error)));
        }
    }
}

void TestCodes::refusedBeforeTheRun_data()
{
    QTest::addColumn<CodeSettings::Type>("type");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("before");  // the text before the number
    QTest::addColumn<QString>("refused"); // the number named; empty: the run prints
    using T = CodeSettings::Type;
    QTest::newRow("EAN-13, 12 digits") << T::Ean13 << QStringLiteral("999999999998") << QStringLiteral("No:")
                                       << QString();
    QTest::newRow("EAN-13, past 12 digits")
        << T::Ean13 << QStringLiteral("999999999999") << QStringLiteral("No:") << QStringLiteral("No:1000000000000");
    QTest::newRow("Code 128, Arabic text")
        << T::Code128 << QStringLiteral("7") << QStringLiteral("الرقم:") << QStringLiteral("الرقم:000007");
    QTest::newRow("QR code, Arabic text") << T::Qr << QStringLiteral("7") << QStringLiteral("الرقم:") << QString();
}

void TestCodes::refusedBeforeTheRun()
{
    QFETCH(CodeSettings::Type, type);
    QFETCH(QString, start);
    QFETCH(QString, before);
    QFETCH(QString, refused);

    FormFixture fx;
    fx.printer.setPrinters({QStringLiteral("Laser")});
    fx.start();
    LayoutDocument &doc = fx.form->doc;
    doc.gridType.setText(QStringLiteral("2 X 2"));
    doc.nameText.setText(before);
    doc.code.type = type;
    doc.startNumber.setText(start);
    fx.settle();
    fx.printer.takeLines();
    if (!refused.isEmpty())
        fx.dialogs.answers.push_back(QStringLiteral("OK"));
    print(fx, 1);
    const QStringList lines = fx.printer.takeLines();
    if (refused.isEmpty()) {
        QVERIFY2(fx.dialogs.asked.isEmpty(), qPrintable(fx.dialogs.asked.join(QLatin1Char('\n'))));
        QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^Code "))).size(), 2);
        QVERIFY(doc.startNumber.text() != start);
        return;
    }
    // Named, and nothing printed or moved.
    QVERIFY2(fx.dialogs.asked.size() == 1
                 && fx.dialogs.asked.first().contains(QLatin1Char('"') + refused + QLatin1Char('"')),
             qPrintable(fx.dialogs.asked.join(QLatin1Char('\n'))));
    QVERIFY2(lines.filter(QRegularExpression(QStringLiteral("^(Print|Code|StartDoc)"))).isEmpty(),
             qPrintable(lines.join(QLatin1Char('\n'))));
    QCOMPARE(doc.startNumber.text(), start);
}

void TestCodes::sizesInTurnReadBack_data()
{
    QTest::addColumn<CodeSettings::Type>("type");
    QTest::newRow("QR code") << CodeSettings::Type::Qr;
    QTest::newRow("Data Matrix") << CodeSettings::Type::DataMatrix;
}

void TestCodes::sizesInTurnReadBack()
{
    // Square codes are read from zint's modules once it has drawn the first
    // of their size: each size keeps its own place, whatever came before.
    QFETCH(CodeSettings::Type, type);
    CodeSettings settings;
    settings.type = type;
    CodeMaker maker(settings);
    QTemporaryDir dir;
    const QString longer = QStringLiteral("No:000002 of the long run, printed at the shop's counter");
    for (const QString &value : {QStringLiteral("No:000001"), longer, QStringLiteral("No:000003"),
                                 QStringLiteral("No:000004"), longer + QStringLiteral(" again")}) {
        const auto code = maker.shapes(value);
        QVERIFY2(code, qPrintable(value));
        QString error;
        const QStringList read = scan(drawn(*code, 6), type == CodeSettings::Type::DataMatrix,
                                      dir.filePath(QStringLiteral("code.png")), &error);
        QVERIFY2(read == QStringList{value},
                 qPrintable(QStringLiteral("read \"%1\" for %2 %3").arg(read.join(QLatin1Char(' ')), value, error)));
    }
}

void TestCodes::boxFilledOverCodeCoversIt()
{
    // Codes wait and go out after the filled boxes: a box filled over a
    // waiting code must still come out on top of it.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("boxes.pdf"));
    QtPrinter printer;
    printer.choosePdf(pdf);
    CodeSettings settings;
    settings.type = CodeSettings::Type::Qr;
    CodeMaker maker(settings);
    const double module = 0.5 * PrintArea::twipsPerMm;
    QVERIFY(printer.drawCode(*maker.shapes(QStringLiteral("covered")), 1440, 1440, module));
    QVERIFY(printer.drawCode(*maker.shapes(QStringLiteral("shown")), 1440, 5760, module));
    QVERIFY(printer.line(1000, 1000, 4000, 4000, rgbColour(255, 255, 255), true));
    QVERIFY2(printer.endDoc(), qPrintable(printer.lastError()));
    QString error;
    const QImage page = renderPdfPage(pdf, 1, 150, &error);
    QVERIFY2(!page.isNull(), qPrintable(error));
    QCOMPARE(scan(page, false, dir.filePath(QStringLiteral("page.png")), &error), QStringList{QStringLiteral("shown")});
}

void TestCodes::largerModulesGrowAwayFromTheText_data()
{
    QTest::addColumn<CodeSettings::Place>("place");
    QTest::newRow("below") << CodeSettings::Place::Below;
    QTest::newRow("above") << CodeSettings::Place::Above;
    QTest::newRow("left") << CodeSettings::Place::Left;
    QTest::newRow("right") << CodeSettings::Place::Right;
}

// A printer that draws each module a little larger than asked (whole device
// dots) keeps the code's edge that faces the number where the layout puts
// it: the code grows away from the text, never into the gap.
void TestCodes::largerModulesGrowAwayFromTheText()
{
    QFETCH(CodeSettings::Place, place);
    struct Coarse : RecordingPrinter
    {
        double codeModule(double moduleTwips) const override { return moduleTwips * 1.25; }
    };
    const auto firstCode = [place](RecordingPrinter &printer) {
        printer.setPrinters({QStringLiteral("Laser")});
        FormFixture fx;
        fx.usePrinter = &printer;
        fx.start();
        fx.form->doc.gridType.setText(QStringLiteral("2 X 2"));
        fx.form->doc.code.type = CodeSettings::Type::Qr;
        fx.form->doc.code.place = place;
        fx.settle();
        print(fx, 1);
        const QStringList code = printer.lines().filter(QRegularExpression(QStringLiteral("^Code "))).value(0).split(
            QLatin1Char(' '));
        const auto at = [&code](int i) { return code.value(code.size() - 4 + i).toDouble(); };
        return QRectF(QPointF(at(0), at(1)), QPointF(at(2), at(3)));
    };
    RecordingPrinter exact;
    Coarse coarse;
    const QRectF asked = firstCode(exact), drawn = firstCode(coarse);
    QVERIFY(qAbs(drawn.width() - 1.25 * asked.width()) < 1);
    using P = CodeSettings::Place;
    const double facing[][2] = {{asked.top(), drawn.top()},
                                {asked.bottom(), drawn.bottom()},
                                {asked.right(), drawn.right()},
                                {asked.left(), drawn.left()}};
    const int side = place == P::Below ? 0 : place == P::Above ? 1 : place == P::Left ? 2 : 3;
    QVERIFY2(qAbs(facing[side][0] - facing[side][1]) < 1, qPrintable(QStringLiteral("%1 against %2")
                                                                        .arg(facing[side][1])
                                                                        .arg(facing[side][0])));
}

void TestCodes::reprintPrintsTheRunsCode()
{
    FormFixture fx;
    fx.printer.setPrinters({QStringLiteral("Laser")});
    fx.start();
    LayoutDocument &doc = fx.form->doc;
    doc.gridType.setText(QStringLiteral("2 X 2"));
    doc.code.type = CodeSettings::Type::DataMatrix;
    doc.code.place = CodeSettings::Place::Left;
    fx.settle();
    fx.printer.takeLines();
    print(fx, 2);
    const QStringList printed = fx.printer.takeLines().filter(QRegularExpression(QStringLiteral("^Code ")));
    QCOMPARE(printed.size(), 4);

    // The open layout has no code any more; the run's own code prints again.
    doc.code = CodeSettings{};
    QString error;
    const auto run = fx.journal.run(1, &error);
    QVERIFY2(run, qPrintable(error));
    const Reprinter::Result again = Reprinter(Services{fx.scheduler,
                                                       *fx.measure,
                                                       fx.dialogs,
                                                       fx.settings,
                                                       fx.clock,
                                                       {},
                                                       fx.folder,
                                                       fx.printer,
                                                       nullptr,
                                                       &fx.journal})
                                        .reprint(*run, 2, 2);
    QVERIFY2(again.printed, qPrintable(again.problem));
    QCOMPARE(fx.printer.takeLines().filter(QRegularExpression(QStringLiteral("^Code "))), printed.mid(2));
}

void TestCodes::sideFileBesideTheLayout()
{
    FormFixture fx;
    fx.start();
    LayoutDocument &doc = fx.form->doc;
    QVERIFY(fx.folder.ensureExists());
    const QString plain = fx.folder.filePath(QStringLiteral("Plain.2x2"));
    const QString coded = fx.folder.filePath(QStringLiteral("Coded.2x2"));
    LayoutFileIO &files = fx.form->layoutFiles();
    QVERIFY(files.writeLayoutFile(plain, LayoutWriter::SaveCommand));
    QVERIFY(!QFile::exists(codeSideFilePath(plain))); // no code, no side file

    CodeSettings qr;
    qr.type = CodeSettings::Type::Qr;
    qr.place = CodeSettings::Place::Right;
    qr.gapMm = 2.5;
    fx.form->setCode(qr);
    QCOMPARE(doc.modified, 1);
    QVERIFY(files.writeLayoutFile(coded, LayoutWriter::SaveCommand));
    // The layout file is the same 54 lines, byte for byte, with or without a code.
    QCOMPARE(fx.folder.read(coded, 1 << 20), fx.folder.read(plain, 1 << 20));
    QVERIFY(QFile::exists(codeSideFilePath(coded)));

    // Opened again, each layout brings its own code.
    QVERIFY(files.loadLayoutFile(plain, QStringLiteral("Plain.2x2")));
    QCOMPARE(doc.code, CodeSettings{});
    QVERIFY(files.loadLayoutFile(coded, QStringLiteral("Coded.2x2")));
    QCOMPARE(doc.code, qr);

    // The session keeps the open layout's code.
    QVERIFY(session::writeSession(fx.settings, doc));
    QCOMPARE(session::readCode(fx.settings), qr);

    // Saved without its code over itself, the layout loses it.
    fx.form->setCode(CodeSettings{});
    QVERIFY(files.writeLayoutFile(coded, LayoutWriter::SaveCommand));
    fx.form->setCode(qr);
    QVERIFY(files.loadLayoutFile(coded, QStringLiteral("Coded.2x2")));
    QCOMPARE(doc.code, CodeSettings{});

    // Deleted, it takes its side file with it.
    fx.form->setCode(qr);
    QVERIFY(files.writeLayoutFile(coded, LayoutWriter::SaveCommand));
    QVERIFY(removeLayoutFile(fx.folder, coded));
    QVERIFY(!QFile::exists(coded));
    QVERIFY(!QFile::exists(codeSideFilePath(coded)));
}

void TestCodes::settingsLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("read"); // the line written back; empty: not read
    QTest::newRow("all given") << QStringLiteral("type=datamatrix;encode=number;place=left;gap=0;height=12;module=0.6")
                               << QStringLiteral("type=datamatrix;encode=number;place=left;gap=0;height=12;module=0.6");
    QTest::newRow("defaults, blanks") << QStringLiteral(
        " type = ean13 ;") << QStringLiteral("type=ean13;encode=text;place=below;gap=1;height=10;module=0.4");
    QTest::newRow("sizes held") << QStringLiteral("type=qr;module=0;height=1e9;gap=-3")
                                << QStringLiteral("type=qr;encode=text;place=below;gap=0;height=100;module=0.2");
    QTest::newRow("unknown code") << QStringLiteral("type=pdf417") << QString();
}

void TestCodes::settingsLine()
{
    QFETCH(QString, line);
    QFETCH(QString, read);
    const auto settings = CodeSettings::fromLine(line);
    QCOMPARE(bool(settings), !read.isEmpty());
    if (settings)
        QCOMPARE(settings->toLine(), read);
}

QTEST_MAIN(TestCodes)
#include "tst_codes.moc"
