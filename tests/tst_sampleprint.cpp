// The number sample shows a text as the printer prints it: a name in a
// right-to-left script stands on the same side of its number, its brackets
// face the same way. The printed page (a PDF, rendered by poppler) and the
// sample's widget are compared by where their ink lies along the line.
#include "PrintedPdf.h"
#include "platform/Colour.h"
#include "platform/qt/QtPrinter.h"
#include "ui/BoundLabel.h"
#include "ui/ViewSupport.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <cstdio>

using namespace numora;
using namespace numora::test;

namespace {

const QString Family = QStringLiteral("DejaVu Sans");
constexpr double Points = 20;

// The part of a picture on white that carries ink.
QImage inkOnly(const QImage &picture)
{
    const QImage img = picture.convertToFormat(QImage::Format_Grayscale8);
    QRect ink;
    for (int y = 0; y < img.height(); ++y) {
        const uchar *row = img.constScanLine(y);
        for (int x = 0; x < img.width(); ++x)
            if (row[x] < 160)
                ink = ink.united(QRect(x, y, 1, 1));
    }
    return img.copy(ink);
}

// 0 for two pictures of the same ink, 1 for ink in different places: both
// brought to one coarse grid first, which evens out the hinting of screen
// and paper without blurring away which part stands where.
double inkDistance(const QImage &a, const QImage &b, QSize grid)
{
    const QImage ga = a.scaled(grid, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage gb = b.scaled(grid, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double differ = 0, total = 0;
    for (int y = 0; y < grid.height(); ++y) {
        const uchar *ra = ga.constScanLine(y), *rb = gb.constScanLine(y);
        for (int x = 0; x < grid.width(); ++x) {
            differ += qAbs(int(ra[x]) - int(rb[x]));
            total += (255 - ra[x]) + (255 - rb[x]);
        }
    }
    return total > 0 ? differ / total : 0;
}

// The text as the sample shows it.
QImage sampleOf(const QString &text)
{
    Label control(QStringLiteral("La5"));
    control.setFont(FontSpec{Family, Points, false, false});
    control.setBackColor(rgbColour(255, 255, 255));
    control.setForeColor(rgbColour(0, 0, 0));
    control.setCaption(text);
    ui::BoundLabel sample(control, ui::BoundLabel::ModelFont | ui::BoundLabel::ModelColours);
    sample.resize(sample.sizeHint());
    return inkOnly(sample.grab().toImage());
}

// The text as a screen lays it out when it reads left to right whatever its
// letters: how the sample showed an Arabic name before.
QImage leftToRightOf(const QString &text)
{
    const QFont font = ui::toQFont(FontSpec{Family, Points, false, false});
    QImage img(QFontMetrics(font).horizontalAdvance(text) + 20, QFontMetrics(font).height() + 10, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setLayoutDirection(Qt::LeftToRight);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(img.rect(), Qt::AlignCenter, text);
    p.end();
    return inkOnly(img);
}

} // namespace

class TstSamplePrint : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { ui::applyLook(*qApp); }

    void sampleReadsAsPrinted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("number first, then an Arabic name") << QStringLiteral("(000001)الرقم:");
        QTest::newRow("Persian name, brackets both sides") << QStringLiteral("(شماره:(12");
        QTest::newRow("letter brackets round the number") << QStringLiteral("شماره:A12A");
        QTest::newRow("Latin name") << QStringLiteral("Receipt No:(000001)");
    }

    void sampleReadsAsPrinted()
    {
        QFETCH(QString, text);
        QtPrinter printer;
        QVERIFY(printer.selectPrinterByName(QtPrinter::pdfEntryName()));
        const QString file = m_dir.filePath(QStringLiteral("sample.pdf"));
        printer.setPdfFile(file);
        printer.setFontName(Family);
        printer.setFontSize(Points);
        printer.setForeColor(rgbColour(0, 0, 0));
        printer.setCurrentX(1440);
        printer.setCurrentY(1440);
        QVERIFY(printer.print(text));
        QVERIFY(printer.endDoc());
        QString error;
        // The screen's resolution, so that both carry the text at one size.
        const QImage printed = inkOnly(renderPdfPage(file, 1, 96, &error));
        QVERIFY2(!printed.isNull(), qPrintable(error));
        const QImage shown = sampleOf(text);
        QVERIFY2(qAbs(printed.width() - shown.width()) <= shown.width() / 10,
                 qPrintable(QStringLiteral("%1 px printed, %2 shown").arg(printed.width()).arg(shown.width())));

        // Screen and paper hint their glyphs apart: some difference stays.
        const QSize grid(60, 8);
        const double apart = inkDistance(shown, printed, grid);
        QVERIFY2(apart < 0.25, qPrintable(QStringLiteral("sample and print differ by %1").arg(apart)));
        // Where a strict left-to-right layout would put the parts elsewhere,
        // the comparison tells the two apart.
        if (text.isRightToLeft()) {
            const double wrong = inkDistance(leftToRightOf(text), printed, grid);
            QVERIFY2(wrong > apart + 0.25, qPrintable(QStringLiteral("%1 against %2").arg(wrong).arg(apart)));
        }
    }
};

int main(int argc, char **argv)
{
    // The PDF entry is the only printer needed: no print system takes part.
    QTemporaryDir noServer;
    qputenv("CUPS_SERVER", QFile::encodeName(noServer.filePath(QStringLiteral("no-cups.sock"))));
    QApplication app(argc, argv);
    const QStringList missing = missingTools({QStringLiteral("pdftoppm")});
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "SKIP: %s not installed (poppler-utils)\n", qPrintable(missing.join(QLatin1String(", "))));
        return skipExitCode;
    }
    TstSamplePrint test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sampleprint.moc"
