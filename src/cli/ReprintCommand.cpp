#include "Commands.h"
#include "CommandLine.h"
#include "PrintRun.h"
#include "app/MainForm.h"
#include "app/Reprinter.h"
#include "journal/RunRecorder.h"
#include "layoutfiles/LayoutFile.h"

#include <QFileInfo>

namespace numora::cli {

namespace {

// After a rest printed whole: the run's layout file in the Data folder goes
// on where the whole run leaves the numbering, as after a print that printed
// it all, when the file stands where the cut run left it
// (Reprinter::moveOnAfterRest); any other values are someone's later choice
// and stay. False when the file could not be written.
bool moveLayoutOn(const JournalRun &run, const Reprinter::Result &rest, CommandServices &services)
{
    const QString whole =
        QStringLiteral("the whole run leaves the numbering at start number %1").arg(rest.wholeNumbering->start);
    const GridTypeInfo *grid = findGridType(run.gridType);
    const QString fileName = run.layoutName + QLatin1Char('.') + QLatin1String(grid ? grid->tag : "");
    const QString path = services.layouts.filePath(fileName);
    MainForm form(services.services());
    form.startUp();
    services.scheduler.settle();
    QString problem;
    // A name from the journal never leads out of the Data folder.
    if (!grid || run.layoutName.contains(QLatin1Char('/')) || !QFileInfo(path).isFile()) {
        problem = QStringLiteral("there is no layout %1 in %2 to move on").arg(fileName, services.layouts.path());
    } else if (!loadLayoutToPrint(form, services.layouts, path, &problem)) {
        problem = QStringLiteral("%1 was left as it is: %2").arg(fileName, problem);
    } else {
        services.scheduler.settle();
        if (!Reprinter::moveOnAfterRest(form.doc, run, rest))
            problem = QStringLiteral("%1 was left as it is: it does not stand where run %2 left it")
                          .arg(fileName)
                          .arg(run.id);
    }
    if (!problem.isEmpty()) {
        say(stdout, whole + QStringLiteral("; ") + problem);
        return true;
    }
    QString writeError;
    if (!writeNumberingBack(services.layouts, path, form.doc, &writeError)) {
        say(stderr, QStringLiteral("numora reprint: the pages were printed, but %1 could not be written (%2): the "
                                   "next run would repeat them; set the start number to %3 by hand")
                        .arg(path, writeError, form.doc.startNumber.text()));
        return false;
    }
    say(stdout, whole + QStringLiteral("; %1 now starts at %2").arg(fileName, form.doc.startNumber.text()));
    return true;
}

} // namespace

int runReprintCommand(const QStringList &args)
{
    const auto usageError = [](const QString &why) { return cli::usageError(QStringLiteral("reprint"), why); };
    QCommandLineParser parser;
    const QCommandLineOption pagesOption(QStringLiteral("pages"), {}, QStringLiteral("A-B"));
    const QCommandLineOption printerOption(QStringLiteral("printer"), {}, QStringLiteral("NAME"));
    const QCommandLineOption pdfOption(QStringLiteral("pdf"), {}, QStringLiteral("FILE"));
    const QCommandLineOption journalOption(QStringLiteral("journal"), {}, QStringLiteral("URL"));
    const QCommandLineOption partPagesOption(QStringLiteral("part-pages"), {}, QStringLiteral("N"));
    const QCommandLineOption restOption(QStringLiteral("rest"));
    parser.addOptions({pagesOption, printerOption, pdfOption, journalOption, partPagesOption, restOption});
    if (const QString problem = parseArguments(parser, args, QStringLiteral("unknown argument")); !problem.isEmpty())
        return usageError(problem);
    const QStringList given = parser.positionalArguments();
    if (given.size() > 1)
        return usageError(QStringLiteral("unknown argument ") + given.at(1));
    const QString runText = given.value(0), pages = parser.value(pagesOption),
                  printerName = parser.value(printerOption), pdf = parser.value(pdfOption);
    bool ok = false;
    const qint64 id = runText.toLongLong(&ok);
    if (!ok || id < 1)
        return usageError(QStringLiteral("give the number of the run to print again, as numora journal lists it"));
    if (!printerName.isEmpty() && !pdf.isEmpty())
        return usageError(QStringLiteral("--printer and --pdf cannot be given together"));
    const bool rest = parser.isSet(restOption);
    if (rest && !pages.isEmpty())
        return usageError(QStringLiteral("--rest prints the pages the run did not print: it takes no --pages"));

    CommandServices services;
    if (const QString problem = usePartPages(services.printer, parser.value(partPagesOption)); !problem.isEmpty())
        return usageError(problem);
    services.useJournal(parser.value(journalOption));
    const JournalSetup &setup = services.journal;
    SqlJournal &journal = *setup.journal;
    QString error;
    const auto run = !noJournalYet(setup) && journal.open(&error) ? journal.run(id, &error) : std::nullopt;
    if (!run) {
        say(stderr, QStringLiteral("numora reprint: run %1 cannot be read from the journal %2: %3")
                        .arg(id)
                        .arg(journal.location(), error.isEmpty() ? QStringLiteral("there is no journal") : error));
        return 2;
    }
    qint64 from = 1, to = run->reprintablePages();
    if (!pages.isEmpty()) {
        const QStringList parts = pages.split(QLatin1Char('-'));
        bool okFrom = false, okTo = false;
        from = parts.value(0).toLongLong(&okFrom);
        to = parts.size() == 2 ? parts.value(1).toLongLong(&okTo) : from;
        if (parts.size() > 2 || !okFrom || (parts.size() == 2 && !okTo))
            return usageError(QStringLiteral("--pages must be A-B, not \"%1\"").arg(pages));
    }
    if (const QString problem = choosePrinter(services.printer, printerName, pdf); !problem.isEmpty()) {
        say(stderr, QStringLiteral("numora reprint: ") + problem);
        return 2;
    }
    ConsoleDialogs &dialogs = services.dialogs;
    const QtPrinter &printer = services.printer;
    if (rest) {
        from = run->pagesPrinted + 1;
        to = run->pagesRequested;
    }
    const Reprinter::Result r =
        rest ? Reprinter(services.services()).printRest(*run) : Reprinter(services.services()).reprint(*run, from, to);
    if (!r.duplicates.empty()) {
        // A rest claims its numbers as any run: here it is refused and they are named.
        say(stderr, QStringLiteral("numora reprint: nothing was printed: these numbers were printed before:"));
        for (const JournalDuplicate &d : r.duplicates)
            say(stderr, QStringLiteral("  ") + RunRecorder::describe(d));
        return 3;
    }
    if (r.refused) {
        say(stderr, QStringLiteral("numora reprint: nothing was printed: ") + r.problem);
        return 2;
    }
    if (!r.printed || r.pages == 0) {
        say(stderr, QStringLiteral("numora reprint: ") + (r.pages > 0 ? QString() : QStringLiteral("nothing was printed: "))
                        + (r.problem.isEmpty()
                               ? (dialogs.messages.isEmpty() ? QStringLiteral("stopped") : dialogs.messages.last())
                               : r.problem));
        return 1;
    }
    const QString target =
        printer.pdfChosen() ? printer.pdfFile() : QLatin1Char('"') + printer.currentName() + QLatin1Char('"');
    say(stdout, QStringLiteral("printed pages %1 to %2 of run %3 %4 to %5")
                    .arg(from)
                    .arg(to)
                    .arg(id)
                    .arg(rest ? QStringLiteral("as a new run") : QStringLiteral("again"), target));
    const bool written = !r.wholeNumbering || moveLayoutOn(*run, r, services);
    if (r.unrecordedEnd) {
        // As for print: closed as not printed, the reprinted numbers would
        // read as never printed again.
        say(stderr, QStringLiteral("numora reprint: the pages were printed, but the journal %1 could not record the "
                                   "end of run %2; once it can be reached, close it as printed: numora journal "
                                   "--close %2 --printed")
                        .arg(journal.location())
                        .arg(*r.unrecordedEnd));
        return 4;
    }
    // The pages went out, but the line saying so was lost.
    if (const QString problem = outputProblem(); !problem.isEmpty()) {
        say(stderr, QStringLiteral("numora reprint: the pages were printed, but the output could not be written (%1)")
                        .arg(problem));
        return 4;
    }
    return written ? 0 : 4;
}

} // namespace numora::cli
