// Throughput and memory of a print run: the pure engine and the main form's
// generation (every number through the number sample), without timer pacing,
// headless and with the main window shown. Each generation figure has its
// baseline in the same run: the same run with every number refreshing the
// sample's readout, the dialog's running label and the views at once, as the
// generation did before it was batched per tick.
#include "testsupport/RecordingPrinter.h"
#include "app/MainForm.h"
#include "platform/LayoutFolder.h"
#include "platform/ManualScheduler.h"
#include "platform/MemorySettingsStore.h"
#include "platform/UpdateBatch.h"
#include "platform/qt/QtScheduler.h"
#include "platform/qt/QtTextMeasure.h"
#include "printing/PrintOrderEngine.h"
#include "testsupport/FixedClock.h"
#include "testsupport/ScriptedDialogs.h"
#include "ui/PrintWindow.h" // complete before MainWindow.h, which holds a pointer to it
#include "ui/MainWindow.h"
#include "ui/ViewSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace numora;

namespace {

// Peak resident memory of the whole process so far, in MB.
double peakRssMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

PrintRunInput twelveSlots(int pages, int order)
{
    PrintRunInput in;
    in.gridType = QStringLiteral("12 X 12");
    in.printOrder = wayPrintItems().at(order - 1);
    in.startText = QStringLiteral("1");
    in.pageCountText = QString::number(pages);
    for (int n = 0; n < 12; ++n) {
        in.counters[std::size_t(n)] = QString::number(1000 * n + 1);
        in.tops[std::size_t(n)] = QStringLiteral("28.5");
        in.lefts[std::size_t(n)] = QStringLiteral("18.5");
    }
    return in;
}

void engine(benchmark::State &state)
{
    const int pages = int(state.range(0));
    const PrintRunInput in = twelveSlots(pages, int(state.range(1)));
    qint64 entries = 0;
    for (auto _ : state) {
        const PrintRunResult r = runPrintOrder(in);
        benchmark::DoNotOptimize(r.numbers.data());
        entries += r.sequenceLength();
    }
    state.SetItemsProcessed(entries);
    state.counters["peak_rss_MB"] = peakRssMb();
}

// The main form as the program builds it, with the real text measure.
struct FormRig
{
    QTemporaryDir dir;
    ManualScheduler scheduler;
    QtTextMeasure measure;
    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    FixedClock clock;
    DiskLayoutFolder folder{dir.path()};
    RecordingPrinter printer;
    MainForm form{Services{scheduler, measure, dialogs, settings, clock,
                           [] {
                               return QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Mono"),
                                                  QStringLiteral("Liberation Sans"), QStringLiteral("Tahoma")};
                           },
                           folder, printer}};
    // The main window over the form, shown, when the benchmark asks for it.
    std::unique_ptr<ui::MainWindow> window;

    FormRig(int order, bool shown)
    {
        form.startUp();
        scheduler.settle();
        form.doc.gridType.setText(QStringLiteral("12 X 12"));
        scheduler.settle();
        form.doc.wayPrint.setListIndex(order - 1);
        scheduler.settle();
        form.doc.startNumber.setText(QStringLiteral("1"));
        if (shown) {
            window = std::make_unique<ui::MainWindow>(form);
            window->show();
            QCoreApplication::processEvents();
        }
    }
    // The events the window waits for: repaints of what changed.
    void letWindowRun()
    {
        if (window)
            QCoreApplication::processEvents();
    }
};

// How a benchmark drives the run.
enum class Drive {
    // The old per-number path, as the baseline: every number written into the
    // start number field with nothing batched, so the readout, the running
    // label and every view follow each number at once.
    PerNumber,
    // The generator's ticks one at a time, as the test scheduler runs them.
    Ticks,
    // The generator's ticks back to back in slices, as the program's
    // scheduler runs ticks that are due; the window's events between slices.
    Slices,
};

// The sequence of the baseline: what the per-number path appends.
SequenceList g_perNumberList{QStringLiteral("perNumber")};

void runPerNumber(FormRig &rig, int pages)
{
    // The numbers of the run come from the engine; every one goes through the
    // form as the generator's numbers used to, each change shown at once.
    MainForm &f = rig.form;
    PrintRunInput in;
    in.gridType = f.doc.gridType.text();
    in.printOrder = f.doc.wayPrint.text();
    in.startText = f.doc.startNumber.text();
    in.pageCountText = QString::number(pages);
    for (int n = 1; n <= 12; ++n) {
        in.counters[std::size_t(n - 1)] = f.doc.slot(n).counter.text();
        in.tops[std::size_t(n - 1)] = f.doc.slot(n).topCm.text();
        in.lefts[std::size_t(n - 1)] = f.doc.slot(n).leftCm.text();
    }
    const PrintRunResult r = runPrintOrder(in);
    std::array<QString, 12> heads;
    for (int n = 1; n <= 12; ++n)
        heads[std::size_t(n - 1)] =
            positionText(in.tops[std::size_t(n - 1)]) + positionText(in.lefts[std::size_t(n - 1)]);
    g_perNumberList.clear();
    QElapsedTimer slice;
    slice.start();
    for (qint64 i = 0; i < r.sequenceLength(); ++i) {
        f.doc.startNumber.setText(r.sequenceNumberText(i));
        g_perNumberList.append(heads[std::size_t(r.sequenceSlot(i) - 1)], trimBlanks(f.doc.sampleLabel.caption()));
        f.printForm.numberSample.setCaption(f.doc.sampleLabel.caption());
        if (slice.elapsed() >= QtScheduler::SliceMs) {
            rig.letWindowRun();
            slice.restart();
        }
    }
    rig.letWindowRun();
}

void runGenerator(FormRig &rig, int pages, Drive drive)
{
    PrintGenerator &gen = rig.form.printGenerator;
    rig.form.pageCountMirror.setText(QString::number(pages));
    gen.setUpRun();
    if (drive == Drive::Ticks) {
        while (gen.generating()) {
            gen.generationTick();
            rig.letWindowRun();
        }
        return;
    }
    QElapsedTimer clock;
    clock.start();
    while (gen.generating()) {
        {
            UpdateBatch slice;
            const qint64 end = clock.elapsed() + QtScheduler::SliceMs;
            do
                gen.generationTick();
            while (gen.generating() && clock.elapsed() < end);
        }
        rig.letWindowRun();
    }
}

void generation(benchmark::State &state, bool shown)
{
    const int pages = int(state.range(0));
    const Drive drive = Drive(state.range(2));
    FormRig rig(int(state.range(1)), shown);
    const SequenceList &out = drive == Drive::PerNumber ? g_perNumberList : rig.form.printGenerator.sequence;
    qint64 entries = 0;
    for (auto _ : state) {
        state.PauseTiming();
        rig.form.doc.startNumber.setText(QStringLiteral("1"));
        rig.letWindowRun();
        state.ResumeTiming();
        if (drive == Drive::PerNumber)
            runPerNumber(rig, pages);
        else
            runGenerator(rig, pages, drive);
        entries += out.count();
    }
    state.SetItemsProcessed(entries);
    state.counters["entries"] = double(out.count());
    const PrintGenerator &gen = rig.form.printGenerator;
    if (drive != Drive::PerNumber)
        state.counters["sequence_MB"] =
            double(gen.sequence.memoryUsed() + gen.pageBuffer.memoryUsed()) / (1024.0 * 1024.0);
    state.counters["peak_rss_MB"] = peakRssMb();
    g_perNumberList.clear();
}

void formGeneration(benchmark::State &state) { generation(state, false); }

void windowGeneration(benchmark::State &state) { generation(state, true); }

} // namespace

BENCHMARK(engine)
    ->ArgNames({"pages", "order"})
    ->ArgsProduct({{1000}, {1, 2, 3, 4, 5, 6, 7, 8}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(engine)->ArgNames({"pages", "order"})->Args({99999, 1})->Args({99999, 3})->Unit(benchmark::kMillisecond);
// drive: 0 the per-number baseline, 1 ticks one at a time, 2 slices of ticks.
// The slow ones run fewer pages: their rate does not depend on the length.
BENCHMARK(formGeneration)->ArgNames({"pages", "order", "drive"})->Args({1000, 1, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(formGeneration)
    ->ArgNames({"pages", "order", "drive"})
    ->Args({10000, 1, 0})
    ->Args({99999, 1, 1})
    ->Args({99999, 1, 2})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(windowGeneration)
    ->ArgNames({"pages", "order", "drive"})
    ->Args({2000, 1, 0})
    ->Args({20000, 1, 1})
    ->Args({99999, 1, 2})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // Fonts and the window need a GUI application; without a display use the
    // offscreen one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::applyLook(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
