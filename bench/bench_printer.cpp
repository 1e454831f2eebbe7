// Time and memory of printing a run to PDF: a bare QPdfWriter loop that
// draws the numbers directly, against the same run through the printer
// service's operations as the print job calls them, with and without boxes.
//
//   numora_print_bench [PAGES] [bare|printer|boxes|run|run-boxes|run-qr|qr-make|printer-qr]
//                      [--default-allocator]
//   numora_print_bench PAGES codes-within FACTOR
//
// run-qr is run with a QR code beside every number; codes-within compares
// the two and fails past FACTOR times the CPU time. Where that time goes:
// qr-make makes the run's QR codes and prints nothing; printer-qr draws
// codes made beforehand beside the numbers of printer, no code made.
//
// run and run-boxes are the whole print run as the operator starts it:
// "Print...." in the print dialog over a "12 X 12" layout, the generation of
// every number through the number sample, and the print job through the
// printer service to the PDF.
//
// Without a mode each one runs in a process of its own (peak memory is per
// process) and a table compares them. PAGES defaults to 99999. With
// --default-allocator the allocator is left as glibc sets it, to see what
// tunePrintAllocator() gains.
#include "app/MainForm.h"
#include "platform/CodeShapes.h"
#include "platform/Colour.h"
#include "platform/LayoutFolder.h"
#include "platform/ManualScheduler.h"
#include "platform/MemorySettingsStore.h"
#include "platform/PrintArea.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtTextMeasure.h"
#include "printing/CodeMaker.h"
#include "testsupport/FixedClock.h"
#include "testsupport/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <sys/resource.h>

using namespace numora;

namespace {

constexpr int numbersPerPage = 12;

// Twelve numbers on an A4 page in two columns, in twips.
struct Place
{
    double x, y;
};
std::array<Place, numbersPerPage> places()
{
    std::array<Place, numbersPerPage> p{};
    for (int i = 0; i < numbersPerPage; ++i)
        p[std::size_t(i)] = Place{900.0 + (i % 2) * 5400, 800.0 + (i / 2) * 2600};
    return p;
}

QString number(qint64 n) { return QStringLiteral("No:%1").arg(n, 6, 10, QLatin1Char('0')); }

// Processor time of this process: on a busy machine a fairer comparison
// than the clock on the wall.
double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double peakRssMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// The numbers drawn straight onto a PDF writer: what the printing itself
// costs, without the service around it.
bool bareLoop(const QString &file, int pages)
{
    QPdfWriter writer(file);
    writer.setResolution(1200);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0));
    const double ascent = QFontMetricsF(font, &writer).ascent();
    const double scale = 1200.0 / 1440.0;
    const auto at = places();
    qint64 n = 1;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !writer.newPage())
            return false;
        for (const Place &p : at)
            painter.drawText(QPointF(p.x * scale, p.y * scale + ascent), number(n++));
    }
    return painter.end();
}

// The QR codes of the run's numbers as the print job makes them, nothing
// printed: what zint and the shapes cost alone.
bool makeCodes(int pages)
{
    CodeSettings settings;
    settings.type = CodeSettings::Type::Qr;
    CodeMaker codes(settings);
    qint64 made = 0;
    for (qint64 n = 1; n <= qint64(pages) * numbersPerPage; ++n) {
        const auto shapes = codes.shapes(*CodeMaker::valueOf(settings, number(n), n));
        if (!shapes)
            return false;
        made += shapes->bars.size();
    }
    return made > 0;
}

// The same run as the print job drives the service: the font and colour set
// before every number, each text placed through CurrentX/CurrentY. With
// codes, one of a thousand made beforehand below every number.
bool throughPrinter(const QString &file, int pages, bool boxes, bool codes = false)
{
    std::vector<std::shared_ptr<const CodeShapes>> made;
    if (codes) {
        CodeSettings settings;
        settings.type = CodeSettings::Type::Qr;
        CodeMaker maker(settings);
        for (qint64 n = 1; n <= 1000; ++n)
            made.push_back(maker.shapes(*CodeMaker::valueOf(settings, number(n), n)));
    }
    QtPrinter printer;
    if (!printer.selectPrinterByName(QtPrinter::pdfEntryName()))
        return false;
    printer.setPdfFile(file);
    printer.setDocumentName(QStringLiteral("Benchmark"));
    printer.setOrientation(1);
    const auto at = places();
    qint64 n = 1;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !printer.newPage())
            return false;
        for (const Place &p : at) {
            printer.setFontName(QStringLiteral("Liberation Sans"));
            printer.setFontSize(12);
            printer.setFontBold(true);
            printer.setForeColor(0);
            printer.setFontItalic(false);
            if (boxes) {
                if (!printer.line(p.x - 30, p.y - 30, p.x + 1500, p.y + 330, rgbColour(255, 255, 192), true)
                    || !printer.line(p.x - 30, p.y - 30, p.x + 1500, p.y + 330, 0, false))
                    return false;
            }
            printer.setCurrentX(p.x);
            printer.setCurrentY(p.y);
            if (!printer.print(number(n)))
                return false;
            const double module = 0.4 * PrintArea::twipsPerMm;
            if (codes && !printer.drawCode(*made[std::size_t(n % 1000)], p.x, p.y + 400, module))
                return false;
            ++n;
        }
    }
    if (!printer.endDoc()) {
        std::fprintf(stderr, "%s\n", qPrintable(printer.lastError()));
        return false;
    }
    return true;
}

// The whole run from "Print....": the main form on its own timers (run back
// to back), the print dialog, the generation and the job.
bool wholeRun(const QString &file, int pages, bool boxes, CodeSettings::Type code = CodeSettings::Type::None)
{
    QTemporaryDir dir;
    ManualScheduler scheduler;
    QtTextMeasure measure;
    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    FixedClock clock;
    DiskLayoutFolder folder(dir.path());
    QtPrinter printer;
    printer.choosePdf(file);
    MainForm form(Services{scheduler, measure, dialogs, settings, clock, {}, folder, printer});
    form.startUp();
    scheduler.settle();
    LayoutDocument &doc = form.doc;
    doc.gridType.setText(QStringLiteral("12 X 12"));
    scheduler.settle();
    doc.wayPrint.setListIndex(1);
    doc.fontName.setText(QStringLiteral("Liberation Sans"));
    doc.fontBold.setValue(1);
    doc.borderLine.setValue(boxes ? 1 : 0);
    doc.code.type = code;
    scheduler.settle();
    form.printButton.click();
    form.printForm.pageField.setText(QString::number(pages));
    form.printForm.printButton.click();
    if (!scheduler.settle() || form.printForm.lastJobPages() != pages) {
        std::fprintf(stderr, "%s\n", qPrintable(dialogs.lines().join(QLatin1Char('\n'))));
        return false;
    }
    return true;
}

// Runs one mode in this process; prints "mode seconds cpu-seconds peak-MB
// file-MB".
int runMode(const QString &mode, int pages, bool tuneAllocator)
{
    if (tuneAllocator)
        tunePrintAllocator();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("run.pdf"));
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds();
    bool ok = false;
    if (mode == QLatin1String("bare"))
        ok = bareLoop(file, pages);
    else if (mode == QLatin1String("printer"))
        ok = throughPrinter(file, pages, false);
    else if (mode == QLatin1String("boxes"))
        ok = throughPrinter(file, pages, true);
    else if (mode == QLatin1String("run"))
        ok = wholeRun(file, pages, false);
    else if (mode == QLatin1String("run-boxes"))
        ok = wholeRun(file, pages, true);
    else if (mode == QLatin1String("run-qr"))
        ok = wholeRun(file, pages, false, CodeSettings::Type::Qr);
    else if (mode == QLatin1String("qr-make"))
        ok = makeCodes(pages);
    else if (mode == QLatin1String("printer-qr"))
        ok = throughPrinter(file, pages, false, true);
    else
        return 2;
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    if (!ok) {
        std::fprintf(stderr, "%s: the run failed\n", qPrintable(mode));
        return 1;
    }
    std::printf("%s %.3f %.3f %.1f %.1f\n", qPrintable(mode), seconds, cpu, peakRssMb(),
                double(QFileInfo(file).size()) / (1024.0 * 1024.0));
    return 0;
}

// One mode in a process of its own: its figures (mode, seconds, CPU
// seconds, peak MB, PDF MB), or nothing when it failed.
QStringList childFigures(const QString &mode, int pageCount, bool tuneAllocator)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList childArgs{QString::number(pageCount), mode};
    if (!tuneAllocator)
        childArgs << QStringLiteral("--default-allocator");
    child.start(QCoreApplication::applicationFilePath(), childArgs);
    if (!child.waitForFinished(-1) || child.exitCode() != 0) {
        std::fprintf(stderr, "%s run failed\n", qPrintable(mode));
        return {};
    }
    return QString::fromLatin1(child.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
}

// The whole run with a QR code beside every number against the same run
// without: fails when it takes more than `within` times the CPU time.
int compareCodes(int pageCount, double within)
{
    const QStringList plain = childFigures(QStringLiteral("run"), pageCount, true);
    const QStringList qr = childFigures(QStringLiteral("run-qr"), pageCount, true);
    // What zint and the shapes cost alone, nothing printed: the run with
    // codes can take no less than the run without and this.
    const QStringList made = childFigures(QStringLiteral("qr-make"), pageCount, true);
    if (plain.isEmpty() || qr.isEmpty() || made.isEmpty())
        return 1;
    const double ratio = qr.value(2).toDouble() / plain.value(2).toDouble();
    std::printf("%d pages: without codes %.2f s (%.2f s CPU, %.1f MB PDF), with QR codes %.2f s (%.2f s CPU, "
                "%.1f MB PDF): %.2fx the CPU time, %.2fx allowed\n",
                pageCount, plain.value(1).toDouble(), plain.value(2).toDouble(), plain.value(4).toDouble(),
                qr.value(1).toDouble(), qr.value(2).toDouble(), qr.value(4).toDouble(), ratio, within);
    std::printf("the codes made alone, nothing printed: %.2f s CPU, %.2fx the run without codes\n",
                made.value(2).toDouble(), made.value(2).toDouble() / plain.value(2).toDouble());
    return ratio <= within ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    // Fonts need a GUI application; without a display use the offscreen one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    const bool tuneAllocator = !args.contains(QLatin1String("--default-allocator"));
    args.removeAll(QLatin1String("--default-allocator"));
    bool numeric = false;
    const int pages = args.value(1).toInt(&numeric);
    if (args.size() > 1 && (!numeric || pages < 1)) {
        std::fprintf(stderr,
                     "usage: numora_print_bench [PAGES] "
                     "[bare|printer|boxes|run|run-boxes|run-qr|qr-make|printer-qr] [--default-allocator]\n"
                     "       numora_print_bench PAGES codes-within FACTOR\n");
        return 2;
    }
    const int pageCount = numeric ? pages : 99999;
    if (args.size() > 3 && args.at(2) == QLatin1String("codes-within"))
        return compareCodes(pageCount, args.at(3).toDouble());
    if (args.size() > 2)
        return runMode(args.at(2), pageCount, tuneAllocator);

    std::printf("%d pages, %d numbers%s\n", pageCount, pageCount * numbersPerPage,
                tuneAllocator ? "" : ", default allocator");
    std::printf("%-9s %9s %9s %9s %9s\n", "what", "seconds", "CPU s", "peak MB", "PDF MB");
    double bareSeconds = 0;
    double bareCpu = 0;
    for (const QString &mode : {QStringLiteral("bare"), QStringLiteral("printer"), QStringLiteral("boxes"),
                                QStringLiteral("run"), QStringLiteral("run-boxes"), QStringLiteral("run-qr"),
                                QStringLiteral("qr-make"), QStringLiteral("printer-qr")}) {
        const QStringList f = childFigures(mode, pageCount, tuneAllocator);
        if (f.isEmpty())
            return 1;
        const double seconds = f.value(1).toDouble();
        const double cpu = f.value(2).toDouble();
        if (mode == QLatin1String("bare")) {
            bareSeconds = seconds;
            bareCpu = cpu;
        }
        std::printf("%-9s %9.2f %9.2f %9.1f %9.1f", qPrintable(mode), seconds, cpu, f.value(3).toDouble(),
                    f.value(4).toDouble());
        if (mode != QLatin1String("bare") && bareSeconds > 0 && bareCpu > 0)
            std::printf("   %.2fx the bare loop (%.2fx its CPU time)", seconds / bareSeconds, cpu / bareCpu);
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}
