// Throughput and memory of a print run: the pure engine and the main form's
// generation (every number through the number sample), without timer pacing.
#include "platform/RecordingPrinter.h"
#include "app/MainForm.h"
#include "platform/Clock.h"
#include "platform/LayoutFolder.h"
#include "platform/ManualScheduler.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/qt/QtTextMeasure.h"
#include "printing/PrintOrderEngine.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

// The main window as the program builds it, with the real text measure.
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
    MainForm form{Services{scheduler, measure, dialogs, settings, clock, {}, folder, printer}};

    explicit FormRig(int order)
    {
        form.startUp();
        scheduler.settle();
        form.doc.Combo3.setText(QStringLiteral("12 X 12"));
        scheduler.settle();
        form.doc.WayPrint.setListIndex(order - 1);
        scheduler.settle();
        form.doc.Te1.setText(QStringLiteral("1"));
    }
};

void formGeneration(benchmark::State &state)
{
    const int pages = int(state.range(0));
    FormRig rig(int(state.range(1)));
    PrintGenerator &gen = rig.form.printGenerator;
    qint64 entries = 0;
    for (auto _ : state) {
        state.PauseTiming();
        rig.form.doc.Te1.setText(QStringLiteral("1"));
        rig.form.No1.setText(QString::number(pages));
        state.ResumeTiming();
        gen.setUpRun();
        while (gen.generating())
            gen.generationTick();
        entries += gen.Lise1.count();
    }
    state.SetItemsProcessed(entries);
    state.counters["entries"] = double(gen.Lise1.count());
    state.counters["sequence_MB"] = double(gen.Lise1.memoryUsed() + gen.Lise2.memoryUsed()) / (1024.0 * 1024.0);
    state.counters["peak_rss_MB"] = peakRssMb();
}

} // namespace

BENCHMARK(engine)->ArgNames({"pages", "order"})->ArgsProduct({{1000}, {1, 2, 3, 4, 5, 6, 7, 8}})->Unit(benchmark::kMicrosecond);
BENCHMARK(engine)->ArgNames({"pages", "order"})->Args({99999, 1})->Args({99999, 3})->Unit(benchmark::kMillisecond);
BENCHMARK(formGeneration)->ArgNames({"pages", "order"})->Args({1000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(formGeneration)->ArgNames({"pages", "order"})->Args({99999, 1})->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // Fonts need a GUI application; without a display use the offscreen one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
