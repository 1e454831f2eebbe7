// The printer service printing to PDF files, read back with poppler's tools:
// every number's text and where it stands, the page sizes, fonts, colours
// and boxes, and what is left behind when a document fails or is thrown away.
#include "PrintedPdf.h"
#include "platform/qt/QtColour.h"
#include "platform/qt/QtPrinter.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPalette>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

using namespace numora;
using namespace numora::test;

namespace {

struct Placed
{
    QString text;
    double x; // twips
    double y;
};

// Twelve numbers on a page the way a receipt book carries them: two columns,
// six rows, each page its own numbers.
QList<Placed> receiptPage(int page, bool landscape)
{
    QList<Placed> texts;
    const double columnStep = landscape ? 8000 : 5200;
    const double rowStep = landscape ? 1700 : 2600;
    for (int i = 0; i < 12; ++i) {
        const int column = i % 2;
        const int row = i / 2;
        texts.append(Placed{QStringLiteral("No:%1").arg(page * 100 + i + 1, 6, 10, QLatin1Char('0')),
                            567 + column * columnStep + page * 35, 850 + row * rowStep + page * 55});
    }
    return texts;
}

QString colourName(const QColor &c) { return c.name(); }

// Whether some pixel of the region has that colour (each channel within the
// tolerance): glyph edges are blended with the paper, their cores are not.
bool regionHasColour(const QImage &image, const QRect &region, const QColor &colour, int tolerance)
{
    const QRect r = region.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (qAbs(p.red() - colour.red()) <= tolerance && qAbs(p.green() - colour.green()) <= tolerance
                && qAbs(p.blue() - colour.blue()) <= tolerance)
                return true;
        }
    }
    return false;
}

bool near(const QColor &a, const QColor &b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
           && qAbs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

class TestQtPrinter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // A printer writing PDF files, without a question unless a test asks.
    static void toPdf(QtPrinter &printer, const QString &file)
    {
        QVERIFY(printer.selectPrinterByName(QtPrinter::pdfEntryName()));
        printer.setPdfFile(file);
    }

private slots:
    void printerList()
    {
        // The test runs against a print system that has no printers (see
        // main): the PDF entry is the only one and the current one.
        QtPrinter printer;
        const QStringList names = printer.printerNames();
        QCOMPARE(names, QStringList{QtPrinter::pdfEntryName()});
        QCOMPARE(printer.currentIndex(), 0);
        QCOMPARE(printer.currentName(), QStringLiteral("Save as PDF"));
        QVERIFY(!printer.selectPrinter(1));
        QVERIFY(!printer.selectPrinter(-1));
        QVERIFY(!printer.selectPrinterByName(QStringLiteral("No Such Printer")));
        QCOMPARE(printer.currentIndex(), 0);
    }

    void paperSize_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("portrait") << 1 << 11906.0 << 16838.0;
        QTest::newRow("landscape") << 2 << 16838.0 << 11906.0;
    }

    // A4 in twips, and the pages of the file have that size.
    void paperSize()
    {
        QFETCH(int, orientation);
        QFETCH(double, width);
        QFETCH(double, height);
        QtPrinter printer;
        const QString file = path(QStringLiteral("paper-%1.pdf").arg(orientation));
        toPdf(printer, file);
        printer.setOrientation(orientation);
        QCOMPARE(printer.paperWidth(), width);
        QCOMPARE(printer.paperHeight(), height);
        QVERIFY(printer.print(QStringLiteral("A")));
        QVERIFY(printer.endDoc());
        const QList<PdfPage> pages = readPdfWords(file);
        QCOMPARE(pages.size(), 1);
        QVERIFY2(qAbs(pages[0].size.width() - width / 20) < 0.5, qPrintable(QString::number(pages[0].size.width())));
        QVERIFY2(qAbs(pages[0].size.height() - height / 20) < 0.5, qPrintable(QString::number(pages[0].size.height())));
    }

    void textPositions_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QString>("pdfFont");
        QTest::newRow("portrait sans 12")
            << 1 << QStringLiteral("DejaVu Sans") << 12.0 << false << false << QStringLiteral("DejaVuSans");
        QTest::newRow("portrait serif 10 bold") << 1 << QStringLiteral("Liberation Serif") << 10.0 << true << false
                                                << QStringLiteral("LiberationSerif-Bold");
        QTest::newRow("landscape sans 24 italic")
            << 2 << QStringLiteral("DejaVu Sans") << 24.0 << false << true << QStringLiteral("DejaVuSans-Oblique");
        QTest::newRow("landscape mono 7.5 bold italic") << 2 << QStringLiteral("Liberation Mono") << 7.5 << true << true
                                                        << QStringLiteral("LiberationMono-BoldItalic");
    }

    // Every number on its page, as text, its top-left corner within half a
    // millimetre of where it was placed, in the font it was given.
    void textPositions()
    {
        QFETCH(int, orientation);
        QFETCH(QString, family);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(QString, pdfFont);

        const QString file = path(QStringLiteral("texts-%1.pdf")
                                      .arg(QString::fromLatin1(QTest::currentDataTag()))
                                      .replace(QLatin1Char(' '), QLatin1Char('-')));
        QtPrinter printer;
        toPdf(printer, file);
        printer.setDocumentName(QStringLiteral("Receipts"));
        printer.setOrientation(orientation);
        const int pageCount = 3;
        for (int page = 0; page < pageCount; ++page) {
            if (page > 0)
                QVERIFY(printer.newPage());
            for (const Placed &t : receiptPage(page, orientation == 2)) {
                // As the print job does: the font again before every number.
                printer.setFontName(family);
                printer.setFontSize(points);
                printer.setFontBold(bold);
                printer.setFontItalic(italic);
                printer.setForeColor(0);
                printer.setCurrentX(t.x);
                printer.setCurrentY(t.y);
                QVERIFY(printer.print(t.text));
            }
        }
        QVERIFY(printer.documentOpen());
        QVERIFY(printer.endDoc());
        QVERIFY(!printer.documentOpen());

        QString error;
        const QList<PdfPage> pages = readPdfWords(file, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(pages.size(), pageCount);

        // The advance of a number in points, to see the size and family.
        QFont font(family);
        font.setPointSizeF(points);
        font.setBold(bold);
        font.setItalic(italic);
        // Measured at 7200 dpi, where hinting no longer rounds the advances:
        // a hundredth of a pixel is a point.
        QImage fineDevice(1, 1, QImage::Format_RGB32);
        fineDevice.setDotsPerMeterX(qRound(7200 / 0.0254));
        fineDevice.setDotsPerMeterY(qRound(7200 / 0.0254));
        const QFontMetricsF metrics(font, &fineDevice);

        for (int page = 0; page < pageCount; ++page) {
            const QList<Placed> expected = receiptPage(page, orientation == 2);
            QCOMPARE(pages[page].words.size(), expected.size());
            for (const Placed &t : expected) {
                const QList<PdfWord> found = wordsNamed(pages[page], t.text);
                QVERIFY2(found.size() == 1, qPrintable(QStringLiteral("%1 on page %2").arg(t.text).arg(page + 1)));
                const QRectF box = found[0].box;
                const QString where = QStringLiteral("%1 at (%2, %3) pt, placed at (%4, %5) pt")
                                          .arg(t.text)
                                          .arg(box.left())
                                          .arg(box.top())
                                          .arg(t.x / 20)
                                          .arg(t.y / 20);
                QVERIFY2(qAbs(box.left() - t.x / 20) <= halfMillimetre, qPrintable(where));
                QVERIFY2(qAbs(box.top() - t.y / 20) <= halfMillimetre, qPrintable(where));
                const double advance = metrics.horizontalAdvance(t.text) / 100;
                QVERIFY2(
                    qAbs(box.width() - advance) <= advance * 0.03,
                    qPrintable(
                        QStringLiteral("%1 is %2 pt wide, %3 pt expected").arg(t.text).arg(box.width()).arg(advance)));
            }
        }
        QCOMPARE(pdfFontNames(file), QStringList{pdfFont});
    }

    // The font and the colour are kept between texts; a change between two
    // texts must still reach the second one.
    void changesBetweenTexts()
    {
        const QString file = path(QStringLiteral("changes.pdf"));
        QtPrinter printer;
        toPdf(printer, file);
        struct Step
        {
            double points;
            bool bold;
            qint32 colour;
        };
        // Each step changes one thing or two from the one before.
        const QList<Step> steps{{10, false, rgbColour(200, 0, 0)},
                                {10, false, rgbColour(0, 0, 200)},
                                {20, false, rgbColour(0, 0, 200)},
                                {20, true, rgbColour(0, 150, 0)},
                                {10, false, rgbColour(0, 150, 0)}};
        for (int i = 0; i < steps.size(); ++i) {
            printer.setFontName(QStringLiteral("DejaVu Sans"));
            printer.setFontSize(steps[i].points);
            printer.setFontBold(steps[i].bold);
            printer.setForeColor(steps[i].colour);
            printer.setCurrentX(1440);
            printer.setCurrentY(1440 + i * 1440);
            QVERIFY(printer.print(QStringLiteral("WWW%1").arg(i)));
        }
        QVERIFY(printer.endDoc());

        const QList<PdfPage> pages = readPdfWords(file);
        QCOMPARE(pages.size(), 1);
        const QImage image = renderPdfPage(file, 1, 144);
        QVERIFY(!image.isNull());
        double heightPerPoint = 0;
        for (int i = 0; i < steps.size(); ++i) {
            const QList<PdfWord> found = wordsNamed(pages[0], QStringLiteral("WWW%1").arg(i));
            QCOMPARE(found.size(), 1);
            const QRectF box = found[0].box;
            if (i == 0)
                heightPerPoint = box.height() / steps[i].points;
            QVERIFY2(qAbs(box.height() / steps[i].points - heightPerPoint) < heightPerPoint * 0.05,
                     qPrintable(QStringLiteral("text %1 is not %2 points").arg(i).arg(steps[i].points)));
            const QRect pixels(QPointF(box.topLeft() * 2).toPoint(), QPointF(box.bottomRight() * 2).toPoint());
            const QColor expected = resolveColour(steps[i].colour, QPalette());
            QVERIFY2(regionHasColour(image, pixels, expected, 40),
                     qPrintable(QStringLiteral("text %1 is not in %2").arg(i).arg(colourName(expected))));
        }
        QCOMPARE(pdfFontNames(file), (QStringList{QStringLiteral("DejaVuSans"), QStringLiteral("DejaVuSans-Bold")}));
    }

    // A system colour stands for the palette's colour at the time the text
    // is drawn, not when it was chosen.
    void systemColourResolvedWhenDrawn()
    {
        const QString file = path(QStringLiteral("system-colour.pdf"));
        const QPalette original = QGuiApplication::palette();
        QtPrinter printer;
        toPdf(printer, file);
        printer.setFontName(QStringLiteral("DejaVu Sans"));
        printer.setFontSize(28);
        printer.setFontBold(true);
        printer.setForeColor(systemColour(8)); // window text
        QPalette green = original;
        green.setColor(QPalette::Text, QColor(0, 160, 0));
        QGuiApplication::setPalette(green);
        printer.setCurrentX(1440);
        printer.setCurrentY(1440);
        const bool printed = printer.print(QStringLiteral("MMM"));
        QGuiApplication::setPalette(original);
        QVERIFY(printed);
        QVERIFY(printer.endDoc());
        const QList<PdfPage> pages = readPdfWords(file);
        const QList<PdfWord> found = wordsNamed(pages.value(0), QStringLiteral("MMM"));
        QCOMPARE(found.size(), 1);
        const QImage image = renderPdfPage(file, 1, 144);
        const QRect pixels(QPointF(found[0].box.topLeft() * 2).toPoint(),
                           QPointF(found[0].box.bottomRight() * 2).toPoint());
        QVERIFY(regionHasColour(image, pixels, QColor(0, 160, 0), 40));
    }

    void boxes_data()
    {
        QTest::addColumn<qint32>("colour");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<QColor>("expected");
        const QPalette palette = QGuiApplication::palette();
        QTest::newRow("filled red") << rgbColour(220, 30, 40) << true << QColor(220, 30, 40);
        QTest::newRow("filled light blue") << rgbColour(150, 200, 250) << true << QColor(150, 200, 250);
        QTest::newRow("filled button face") << systemColour(15) << true << palette.color(QPalette::Button);
        QTest::newRow("outline black") << rgbColour(0, 0, 0) << false << QColor(0, 0, 0);
        QTest::newRow("outline window text") << systemColour(8) << false << palette.color(QPalette::Text);
    }

    // A filled box covers its area in its colour; an outline is a thin dark
    // frame with the paper left inside. Corners given in either order.
    void boxes()
    {
        QFETCH(qint32, colour);
        QFETCH(bool, filled);
        QFETCH(QColor, expected);
        const QString file = path(QStringLiteral("box-%1.pdf")
                                      .arg(QString::fromLatin1(QTest::currentDataTag()))
                                      .replace(QLatin1Char(' '), QLatin1Char('-')));
        QtPrinter printer;
        toPdf(printer, file);
        // A text before and one after the boxes, in the same colour set
        // again, as the job sets it before every number: the boxes must not
        // change it.
        const auto text = [&](const QString &t, double y) {
            printer.setFontName(QStringLiteral("DejaVu Sans"));
            printer.setFontSize(28);
            printer.setFontBold(true);
            printer.setForeColor(rgbColour(0, 0, 230));
            printer.setCurrentX(2000);
            printer.setCurrentY(y);
            return printer.print(t);
        };
        QVERIFY(text(QStringLiteral("NNN"), 1000));
        // (100, 150) to (350, 300) points; the second box has its corners
        // the other way round: (400, 500) to (500, 600) points.
        QVERIFY(printer.line(2000, 3000, 7000, 6000, colour, filled));
        QVERIFY(printer.line(10000, 12000, 8000, 10000, colour, filled));
        QVERIFY(text(QStringLiteral("MMM"), 14000));
        QVERIFY(printer.endDoc());

        // At 72 dpi a pixel is a point.
        const QImage image = renderPdfPage(file, 1, 72);
        QVERIFY(!image.isNull());
        const QColor paper(255, 255, 255);
        struct Edges
        {
            int left, top, right, bottom;
        };
        for (const Edges &box : {Edges{100, 150, 350, 300}, Edges{400, 500, 500, 600}}) {
            const int midX = (box.left + box.right) / 2;
            const int midY = (box.top + box.bottom) / 2;
            const QColor centre = image.pixelColor(midX, midY);
            QVERIFY2(near(centre, filled ? expected : paper, 3), qPrintable(colourName(centre)));
            QVERIFY(near(image.pixelColor(box.left - 6, midY), paper, 0));
            QVERIFY(near(image.pixelColor(box.right + 6, midY), paper, 0));
            QVERIFY(near(image.pixelColor(midX, box.top - 6), paper, 0));
            QVERIFY(near(image.pixelColor(midX, box.bottom + 6), paper, 0));
            if (!filled) {
                // The frame: the darkest pixel across each edge, a pixel
                // either side of where it lies.
                const auto darkest = [&](QPoint at, QPoint across) {
                    int best = 255;
                    for (int i = -1; i <= 1; ++i) {
                        const QColor c = image.pixelColor(at + across * i);
                        best = qMin(best, (c.red() + c.green() + c.blue()) / 3);
                    }
                    return best;
                };
                QVERIFY2(darkest(QPoint(box.left, midY), QPoint(1, 0)) < 128, "left edge missing");
                QVERIFY2(darkest(QPoint(box.right, midY), QPoint(1, 0)) < 128, "right edge missing");
                QVERIFY2(darkest(QPoint(midX, box.top), QPoint(0, 1)) < 128, "top edge missing");
                QVERIFY2(darkest(QPoint(midX, box.bottom), QPoint(0, 1)) < 128, "bottom edge missing");
            }
        }
        const QList<PdfWord> after = wordsNamed(readPdfWords(file).value(0), QStringLiteral("MMM"));
        QCOMPARE(after.size(), 1);
        QVERIFY2(regionHasColour(image, after[0].box.toAlignedRect(), QColor(0, 0, 230), 40),
                 "the text took the box's colour");
    }

    void shapedTexts_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QStringList>("texts");
        // Texts the shaper changes: ligatures, kerning pairs, characters
        // past ASCII, a joined script; between plain ones on the same page.
        QTest::newRow("ligatures") << QStringLiteral("DejaVu Sans")
                                   << QStringList{QStringLiteral("No:000001"), QStringLiteral("office"),
                                                  QStringLiteral("No:000002")};
        QTest::newRow("kerning") << QStringLiteral(
            "Noto Sans") << QStringList{QStringLiteral("AVATAR"), QStringLiteral("No:000011"), QStringLiteral("WAVY")};
        QTest::newRow("beyond ascii") << QStringLiteral("Liberation Sans")
                                      << QStringList{QStringLiteral("N\u00ba000003"), QStringLiteral("No:000004"),
                                                     QStringLiteral("caf\u00e9")};
        QTest::newRow("arabic") << QStringLiteral("DejaVu Sans")
                                << QStringList{QStringLiteral("No:000005"),
                                               QStringLiteral("\u0645\u0631\u062d\u0628\u0627"),
                                               QStringLiteral("No:000006")};
    }

    // Each text as wide as the shaper makes it and where it was placed,
    // whichever way it went to the page.
    void shapedTexts()
    {
        QFETCH(QString, family);
        QFETCH(QStringList, texts);
        const QString file = path(QStringLiteral("shaped-%1.pdf")
                                      .arg(QString::fromLatin1(QTest::currentDataTag()))
                                      .replace(QLatin1Char(' '), QLatin1Char('-')));
        QtPrinter printer;
        toPdf(printer, file);
        for (qsizetype i = 0; i < texts.size(); ++i) {
            printer.setFontName(family);
            printer.setFontSize(24);
            printer.setFontBold(false);
            printer.setFontItalic(false);
            printer.setForeColor(0);
            printer.setCurrentX(1440);
            printer.setCurrentY(1440 + double(i) * 1440);
            QVERIFY(printer.print(texts.at(i)));
        }
        QVERIFY(printer.endDoc());

        QFont font(family);
        font.setPointSizeF(24);
        QImage fineDevice(1, 1, QImage::Format_RGB32);
        fineDevice.setDotsPerMeterX(qRound(7200 / 0.0254));
        fineDevice.setDotsPerMeterY(qRound(7200 / 0.0254));
        const QFontMetricsF metrics(font, &fineDevice);
        const QList<PdfPage> pages = readPdfWords(file);
        QCOMPARE(pages.size(), 1);
        // Each text by its line: a joined script comes back as one word per
        // letter form.
        QList<QRectF> lines;
        QStringList lineTexts;
        for (const PdfWord &w : pages[0].words) {
            if (!lines.isEmpty() && qAbs(lines.last().top() - w.box.top()) < 1) {
                lines.last() = lines.last().united(w.box);
                lineTexts.last() += w.text;
            } else {
                lines << w.box;
                lineTexts << w.text;
            }
        }
        QCOMPARE(lines.size(), texts.size());
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const QRectF box = lines.at(i);
            const QString what = QStringLiteral("%1 at (%2, %3), %4 wide")
                                     .arg(texts.at(i))
                                     .arg(box.left())
                                     .arg(box.top())
                                     .arg(box.width());
            QVERIFY2(qAbs(box.left() - 72) <= halfMillimetre, qPrintable(what));
            QVERIFY2(qAbs(box.top() - (72 + 72 * i)) <= halfMillimetre, qPrintable(what));
            const double advance = metrics.horizontalAdvance(texts.at(i)) / 100;
            QVERIFY2(qAbs(box.width() - advance) <= 0.25,
                     qPrintable(what + QStringLiteral(", shaped %1").arg(advance)));
            if (texts.at(i).startsWith(QLatin1String("No:")))
                QCOMPARE(lineTexts.at(i), texts.at(i));
        }
    }

    void stacking_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QColor>("seen"); // in the text's place
        QTest::newRow("text, then a box over it") << QStringLiteral("text fill") << QColor(250, 220, 0);
        QTest::newRow("box, then the text on it") << QStringLiteral("fill text") << QColor(0, 0, 0);
        QTest::newRow("outline, then a box over it") << QStringLiteral("outline fill") << QColor(250, 220, 0);
    }

    // What is drawn later covers what was drawn before, however the page
    // is put together.
    void stacking()
    {
        QFETCH(QString, order);
        QFETCH(QColor, seen);
        const QString file =
            path(QStringLiteral("stacking-%1.pdf").arg(order).replace(QLatin1Char(' '), QLatin1Char('-')));
        QtPrinter printer;
        toPdf(printer, file);
        // A text well inside (1440, 1440) to (7200, 3600) twips, and a frame
        // on the middle of it.
        for (const QString &step : order.split(QLatin1Char(' '))) {
            if (step == QLatin1String("text")) {
                printer.setFontName(QStringLiteral("DejaVu Sans"));
                printer.setFontSize(30);
                printer.setFontBold(true);
                printer.setForeColor(0);
                printer.setCurrentX(2000);
                printer.setCurrentY(2000);
                QVERIFY(printer.print(QStringLiteral("MMM")));
            } else if (step == QLatin1String("fill")) {
                QVERIFY(printer.line(1440, 1440, 7200, 3600, rgbColour(250, 220, 0), true));
            } else {
                QVERIFY(printer.line(3000, 2000, 5000, 3000, 0, false));
            }
        }
        QVERIFY(printer.endDoc());
        const QImage image = renderPdfPage(file, 1, 72);
        QVERIFY(!image.isNull());
        // (100, 100) to (200, 180) points inside the box: the text's or the
        // frame's part of it.
        const QRect inner(QPoint(103, 103), QPoint(197, 177));
        const bool expectDark = seen == QColor(0, 0, 0);
        QCOMPARE(regionHasColour(image, inner, QColor(0, 0, 0), 60), expectDark);
        QVERIFY(regionHasColour(image, inner, QColor(250, 220, 0), 3));
    }

    // The orientation set while a document is open applies to the next one.
    void orientationForNextDocument()
    {
        const QString first = path(QStringLiteral("first.pdf"));
        const QString second = path(QStringLiteral("second.pdf"));
        QtPrinter printer;
        toPdf(printer, first);
        printer.setOrientation(1);
        QVERIFY(printer.print(QStringLiteral("one")));
        printer.setOrientation(2);
        QCOMPARE(printer.paperWidth(), 16838.0);
        QVERIFY(printer.newPage());
        QVERIFY(printer.print(QStringLiteral("two")));
        QVERIFY(printer.endDoc());
        printer.setPdfFile(second);
        QVERIFY(printer.print(QStringLiteral("three")));
        QVERIFY(printer.endDoc());

        const QList<PdfPage> a = readPdfWords(first);
        QCOMPARE(a.size(), 2);
        for (const PdfPage &p : a)
            QVERIFY(p.size.height() > p.size.width());
        const QList<PdfPage> b = readPdfWords(second);
        QCOMPARE(b.size(), 1);
        QVERIFY(b[0].size.width() > b[0].size.height());
    }

    // A PDF into a folder that is not there fails when the document starts,
    // says where, and keeps failing until the document is over; the next
    // document starts afresh.
    void missingFolder()
    {
        const QString missing = path(QStringLiteral("not-there/receipts.pdf"));
        QtPrinter printer;
        toPdf(printer, missing);
        QVERIFY(!printer.print(QStringLiteral("1")));
        QVERIFY(!printer.documentOpen());
        QVERIFY(!printer.lastFailureCancelled());
        QVERIFY2(printer.lastError().contains(path(QStringLiteral("not-there"))), qPrintable(printer.lastError()));
        QVERIFY2(printer.lastError().contains(QLatin1String("does not exist")), qPrintable(printer.lastError()));
        QVERIFY(!printer.line(0, 0, 100, 100, 0, true));
        QVERIFY(!printer.newPage());
        QVERIFY(!printer.print(QStringLiteral("2")));
        QVERIFY(!printer.endDoc());
        QVERIFY(!QFileInfo::exists(missing));

        const QString good = path(QStringLiteral("after-failure.pdf"));
        printer.setPdfFile(good);
        QVERIFY(printer.print(QStringLiteral("3")));
        QVERIFY(printer.endDoc());
        QCOMPARE(readPdfWords(good).value(0).words.value(0).text, QStringLiteral("3"));
    }

    // An unwritable place (a folder where the file should be) is reported
    // with the file's name.
    void fileIsAFolder()
    {
        const QString folder = path(QStringLiteral("a-folder.pdf"));
        QVERIFY(QDir().mkpath(folder));
        QtPrinter printer;
        toPdf(printer, folder);
        QVERIFY(!printer.print(QStringLiteral("1")));
        QVERIFY2(printer.lastError().contains(folder), qPrintable(printer.lastError()));
        printer.abortDocument();
        QVERIFY(QFileInfo(folder).isDir());
    }

    void abortLeavesNothing_data()
    {
        QTest::addColumn<bool>("fileExisted");
        QTest::newRow("new file") << false;
        QTest::newRow("over an older file") << true;
    }

    // Thrown away, a document leaves what was at its file before (nothing,
    // or an older file byte for byte), and no file beside it; while it is
    // written, a kill would leave the same. The next one is whole.
    void abortLeavesNothing()
    {
        QFETCH(bool, fileExisted);
        const QString file = path(QStringLiteral("aborted-%1.pdf").arg(fileExisted));
        if (fileExisted) {
            QFile older(file);
            QVERIFY(older.open(QIODevice::WriteOnly));
            older.write("older");
        }
        const auto untouched = [&] {
            QFile f(file);
            return fileExisted ? f.open(QIODevice::ReadOnly) && f.readAll() == "older" : !f.exists();
        };
        const QStringList before = QDir(path(QString())).entryList(QDir::Files | QDir::Hidden);
        QtPrinter printer;
        toPdf(printer, file);
        QVERIFY(printer.print(QStringLiteral("1")));
        QVERIFY(printer.newPage());
        QVERIFY(printer.line(0, 0, 1000, 1000, 0, false));
        QVERIFY(untouched());
        printer.abortDocument();
        QVERIFY(!printer.documentOpen());
        QVERIFY(untouched());
        QCOMPARE(QDir(path(QString())).entryList(QDir::Files | QDir::Hidden), before);
        QVERIFY(printer.endDoc()); // nothing open: nothing to do

        QVERIFY(printer.print(QStringLiteral("2")));
        QVERIFY(printer.endDoc());
        const QList<PdfPage> pages = readPdfWords(file);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].words.size(), 1);
        QCOMPARE(pages[0].words[0].text, QStringLiteral("2"));
    }

    void fileQuestion_data()
    {
        QTest::addColumn<QString>("documentName");
        QTest::addColumn<QString>("proposedName");
        QTest::newRow("plain") << QStringLiteral("Receipts 2024") << QStringLiteral("Receipts 2024.pdf");
        QTest::newRow("unsafe characters")
            << QStringLiteral("Run 1/2: A*B?\"<x>|\\") << QStringLiteral("Run 1_2_ A_B___x___.pdf");
        QTest::newRow("already a pdf name") << QStringLiteral("book.PDF") << QStringLiteral("book.PDF");
    }

    // Without a file set, each document asks for one, proposing its name in
    // the documents folder; a cancelled question fails quietly.
    void fileQuestion()
    {
        QFETCH(QString, documentName);
        QFETCH(QString, proposedName);
        QtPrinter printer;
        QVERIFY(printer.selectPrinterByName(QtPrinter::pdfEntryName()));
        QStringList proposals;
        QString answer;
        printer.askPdfFileName = [&](const QString &proposal) {
            proposals << proposal;
            return answer;
        };
        printer.setDocumentName(documentName);
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(printer.pdfFileProposal(), documents + QLatin1Char('/') + proposedName);

        // Cancelled: no document, nothing to report, no second question for
        // the rest of that document.
        QVERIFY(!printer.print(QStringLiteral("1")));
        QVERIFY(printer.lastFailureCancelled());
        QVERIFY(!printer.print(QStringLiteral("2")));
        QVERIFY(!printer.endDoc());
        QCOMPARE(proposals, QStringList{documents + QLatin1Char('/') + proposedName});

        // Answered: one question for the whole document.
        answer = path(QStringLiteral("answered.pdf"));
        QVERIFY(printer.print(QStringLiteral("3")));
        QVERIFY(!printer.lastFailureCancelled());
        QVERIFY(printer.newPage());
        QVERIFY(printer.print(QStringLiteral("4")));
        QVERIFY(printer.endDoc());
        QCOMPARE(proposals.size(), 2);
        QCOMPARE(readPdfWords(answer).size(), 2);

        // A file given beforehand is used without asking.
        printer.setPdfFile(path(QStringLiteral("given.pdf")));
        QVERIFY(printer.print(QStringLiteral("5")));
        QVERIFY(printer.endDoc());
        QCOMPARE(proposals.size(), 2);
        QVERIFY(QFileInfo::exists(path(QStringLiteral("given.pdf"))));
    }

    // A document that printed nothing asks nothing and writes nothing.
    void emptyDocument()
    {
        QtPrinter printer;
        QVERIFY(printer.selectPrinterByName(QtPrinter::pdfEntryName()));
        bool asked = false;
        printer.askPdfFileName = [&](const QString &) {
            asked = true;
            return QString();
        };
        QVERIFY(printer.endDoc());
        QVERIFY(!asked);
        QVERIFY(!printer.documentOpen());
    }
};

int main(int argc, char **argv)
{
    // No printer of this machine takes part: the print system is one that
    // is not there, so the PDF entry is the only printer.
    QTemporaryDir noServer;
    qputenv("CUPS_SERVER", QFile::encodeName(noServer.filePath(QStringLiteral("no-cups.sock"))));
    QGuiApplication app(argc, argv);
    const QStringList missing =
        missingTools({QStringLiteral("pdftotext"), QStringLiteral("pdftoppm"), QStringLiteral("pdffonts")});
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "SKIP: %s not installed (poppler-utils)\n", qPrintable(missing.join(QLatin1String(", "))));
        return skipExitCode;
    }
    TestQtPrinter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_qtprinter.moc"
