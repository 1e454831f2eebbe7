#include "PrintRun.h"
#include "app/RunForms.h"
#include "CommandLine.h"
#include "app/MainForm.h"
#include "app/Previewer.h"
#include "layoutfiles/LayoutFile.h"
#include "platform/Numeric.h"
#include "printing/CodeMaker.h"
#include "printing/RunPrinter.h"

#include <QFileInfo>
#include <vector>

namespace numora::cli {

namespace {

// First and last number text of every position, in the order the pages go
// out.
QStringList positionLines(const SequenceList &sequence, int perPage, bool reverse, LayoutDocument &doc)
{
    QStringList lines;
    const qsizetype count = sequence.count();
    if (perPage <= 0 || count == 0)
        return lines;
    const auto positions = static_cast<std::size_t>(perPage);
    std::vector<QString> first(positions), last(positions);
    std::vector<bool> seen(positions, false);
    for (qsizetype k = 0; k < count; ++k) {
        const qsizetype i = reverse ? count - 1 - k : k;
        const std::size_t slot = std::size_t(i % perPage);
        const QString text = sequence.body(i).toString();
        if (!seen[slot]) {
            first[slot] = text;
            seen[slot] = true;
        }
        last[slot] = text;
    }
    for (int n = 1; n <= perPage; ++n) {
        const SignSlot &slot = doc.slot(n);
        lines.append(
            QStringLiteral("position %1 (%2 cm, %3 cm): %4 to %5")
                .arg(n)
                .arg(slot.topCm.text(), slot.leftCm.text(), first[std::size_t(n - 1)], last[std::size_t(n - 1)]));
    }
    return lines;
}

} // namespace

bool loadLayoutToPrint(MainForm &form, const LayoutFolder &layouts, const QString &path, QString *problem)
{
    const QString fileName = QFileInfo(path).fileName();
    // Only a layout is printed and written back: anything else would be
    // overwritten with one.
    if (!readLayoutFile(layouts, path, problem) || !form.layoutFiles().loadLayoutFile(path, fileName)) {
        if (problem->isEmpty())
            *problem = QStringLiteral("it cannot be read");
        return false;
    }
    const bool longType = fileName.endsWith(QLatin1String("10")) || fileName.endsWith(QLatin1String("12"));
    form.doc.documentName.setCaption(fileName.left(std::max<qsizetype>(0, fileName.size() - (longType ? 6 : 4))));
    form.doc.autoPlace.setCaption(QStringLiteral("No"));
    return true;
}

int printRun(const Options &o, const QString &path, CommandServices &services)
{
    ManualScheduler &scheduler = services.scheduler;
    ConsoleDialogs &dialogs = services.dialogs;
    DiskLayoutFolder &layouts = services.layouts;
    QtPrinter &printer = services.printer;
    const JournalSetup &journal = services.journal;
    MainForm form(services.services());
    form.recorder.allowDuplicates = o.allowDuplicates;
    form.recorder.printWithoutClaim = o.withoutClaim;
    form.startUp();
    scheduler.settle();

    const QString fileName = QFileInfo(path).fileName();
    QString notLayout;
    if (!loadLayoutToPrint(form, layouts, path, &notLayout)) {
        say(stderr,
            QStringLiteral("numora print: cannot use %1: %2; nothing was printed or written").arg(path, notLayout));
        return 2;
    }
    if (o.code)
        form.doc.code = *o.code;
    scheduler.settle();

    QString target =
        printer.pdfChosen() ? printer.pdfFile() : QLatin1Char('"') + printer.currentName() + QLatin1Char('"');
    if (target.isEmpty())
        target = QStringLiteral("no printer (none is installed)");
    const int perPage = int(leadingNumber(form.doc.gridType.text()));
    const bool reverse = form.doc.wayPrint.text().startsWith(QLatin1Char('6'));

    const qint64 pages = o.pages.toLongLong();
    if (const QString refused = RunPrinter::refusal(form.doc, double(pages), o.twoPages); !refused.isEmpty()) {
        say(stderr, QStringLiteral("numora print: nothing was printed: ") + refused);
        return 2;
    }

    // Checked on the printer the run goes to, before anything is printed.
    const QStringList findings = Previewer(services.services())
                                     .preflight(Previewer::Run{layoutFileValues(form.doc), form.doc.documentName.caption(),
                                                               form.doc.gridType.text(), pages,
                                                               o.twoPages, form.doc.code});
    for (const QString &finding : findings)
        say(stderr, QStringLiteral("numora print: warning: ") + finding);
    if (o.strict && !findings.isEmpty()) {
        say(stderr, QStringLiteral("numora print: nothing was printed: --strict refuses a run whose numbers do not "
                                   "print whole and apart"));
        return 2;
    }

    if (o.dryRun) {
        // The generation alone, on the in-memory layout: nothing is printed
        // and the file stays as it is.
        form.printGenerator.generate(pages, o.twoPages);
        scheduler.settle();
        // The run itself would refuse it: so does its dry run.
        if (const QString refused = CodeMaker::refusal(form.doc.code, form.printGenerator.sequence);
            !refused.isEmpty()) {
            say(stderr, QStringLiteral("numora print: the run would print nothing: ") + refused);
            return 2;
        }
        for (const QString &line : positionLines(form.printGenerator.sequence, perPage, reverse, form.doc))
            say(stdout, line);
        say(stdout, QStringLiteral("dry run: %1 pages would go to %2; nothing was printed or written")
                        .arg(perPage > 0 ? form.printGenerator.sequence.count() / perPage : 0)
                        .arg(target));
        return 0;
    }

    const RunForms::Outcome outcome = RunForms::printWith(form, scheduler, pages, o.twoPages);
    const QString &failure = outcome.failure;
    // A run that sent no page printed nothing, whatever else it says.
    const bool failed = !outcome.printed || outcome.pages == 0;
    if (!outcome.ended) {
        say(stderr, QStringLiteral("numora print: the run did not come to an end"));
        return 1;
    }
    if (!form.recorder.refusedDuplicates().empty()) {
        // Asking is for the window: here the run is refused and the numbers named.
        say(stderr, QStringLiteral("numora print: nothing was printed: these numbers were printed before "
                                   "(--allow-duplicates prints them again):"));
        for (const JournalDuplicate &d : form.recorder.refusedDuplicates())
            say(stderr, QStringLiteral("  ") + RunRecorder::describe(d));
        return 3;
    }
    if (!form.recorder.journalProblem().isEmpty()) {
        say(stderr, QStringLiteral("numora print: nothing was printed: %1%2")
                        .arg(form.recorder.journalProblem(),
                             journal.journal->damaged()
                                 ? QStringLiteral("; numora journal --start-new starts a new one and keeps it")
                                 : QString()));
        return 1;
    }
    const QString unreachable = QStringLiteral("the shared journal on server %1 cannot be reached (%2)")
                                    .arg(journal.journal->server(), form.recorder.unreachable());
    if (failed && !form.recorder.unreachable().isEmpty() && !form.recorder.unclaimedRun()) {
        say(stderr, QStringLiteral("numora print: nothing was printed: %1; --without-claim prints without a claim")
                        .arg(unreachable));
        return 1;
    }
    if (const auto unclaimed = form.recorder.unclaimedRun()) {
        say(stderr, QStringLiteral("numora print: %1: the run goes out without a claim; %2")
                        .arg(unreachable, *unclaimed != 0
                                              ? QStringLiteral("recorded as run %1 in %2, marked for the shop to check")
                                                    .arg(*unclaimed)
                                                    .arg(journal.local ? journal.local->location() : QString())
                                              : QStringLiteral("it is recorded nowhere: note its numbers by hand")));
    }
    if (failed) {
        const QString why = !dialogs.messages.isEmpty() ? dialogs.messages.last()
                            : !failure.isEmpty()        ? failure
                                                        : QStringLiteral("the run has no page to print");
        if (outcome.pages == 0) {
            say(stderr, QStringLiteral("numora print: nothing was printed: ") + why);
            // Refused for what was asked, as the checks before the run refuse.
            return outcome.refused ? 2 : 1;
        }
        // Parts the print system took are counted: the layout goes on after them.
        say(stderr, QStringLiteral("numora print: ") + why);
        QString writeError;
        if (!writeNumberingBack(layouts, path, form.doc, &writeError)) {
            say(stderr, QStringLiteral("numora print: %1 could not be written (%2): set the start number to %3 by hand")
                            .arg(path, writeError, form.doc.startNumber.text()));
            return 4;
        }
        say(stdout, QStringLiteral("%1 now starts at %2").arg(fileName, form.doc.startNumber.text()));
        if (const auto run = form.recorder.endedRun())
            say(stderr, QStringLiteral("numora print: numora reprint %1 --rest prints the pages that were not "
                                       "printed, as a new run")
                            .arg(*run));
        return 1;
    }
    for (const QString &line : positionLines(form.printGenerator.sequence, perPage, reverse, form.doc))
        say(stdout, line);

    int status = 0;
    QString writeError;
    if (!writeNumberingBack(layouts, path, form.doc, &writeError)) {
        say(stderr, QStringLiteral("numora print: the pages were printed, but %1 could not be written (%2): "
                                   "the next run would repeat these numbers; set the start number to %3 by hand")
                        .arg(path, writeError, form.doc.startNumber.text()));
        status = 4;
    } else {
        say(stdout, QStringLiteral("printed %1 pages to %2; %3 now starts at %4")
                        .arg(outcome.pages)
                        .arg(target, fileName, form.doc.startNumber.text()));
    }
    // Said whatever became of the layout file: both need the operator.
    if (const auto run = form.recorder.unrecordedEnd()) {
        // The run stays unfinished in the journal: closed as not printed, its
        // printed numbers would go out again.
        say(stderr, QStringLiteral("numora print: the pages were printed, but the journal %1 could not record the "
                                   "end of run %2; once it can be reached, close it as printed: numora journal "
                                   "--close %2 --printed")
                        .arg(journal.journal->location())
                        .arg(*run));
        status = 4;
    }
    // The pages went out, but the lines naming their numbers were lost: as
    // for an unwritten layout, the operator must hear where things stand.
    if (const QString problem = status == 0 ? outputProblem() : QString(); !problem.isEmpty()) {
        say(stderr, QStringLiteral("numora print: the pages were printed, but the output could not be written (%1); "
                                   "%2 now starts at %3")
                        .arg(problem, fileName, form.doc.startNumber.text()));
        status = 4;
    }
    return status;
}

} // namespace numora::cli
