#include "Commands.h"
#include "CommandLine.h"
#include "journal/JournalForm.h"

namespace numora::cli {

int runJournalCommand(const QStringList &args)
{
    const auto usageProblem = [](const QString &why) { return usageError(QStringLiteral("journal"), why); };
    QCommandLineParser parser;
    const QCommandLineOption layoutOption(QStringLiteral("layout"), {}, QStringLiteral("TEXT"));
    const QCommandLineOption numberOption(QStringLiteral("number"), {}, QStringLiteral("TEXT"));
    const QCommandLineOption journalOption(QStringLiteral("journal"), {}, QStringLiteral("URL"));
    const QCommandLineOption closeOption(QStringLiteral("close"), {}, QStringLiteral("RUN"));
    const QCommandLineOption printed(QStringLiteral("printed"));
    const QCommandLineOption notPrinted(QStringLiteral("not-printed"));
    const QCommandLineOption startNewOption(QStringLiteral("start-new"));
    parser.addOptions({layoutOption, numberOption, journalOption, closeOption, printed, notPrinted, startNewOption});
    if (const QString problem = parseArguments(parser, args, QStringLiteral("unknown argument")); !problem.isEmpty())
        return usageProblem(problem);
    if (!parser.positionalArguments().isEmpty())
        return usageProblem(QStringLiteral("unknown argument ") + parser.positionalArguments().first());
    const QString layout = parser.value(layoutOption), number = parser.value(numberOption),
                  url = parser.value(journalOption), close = parser.value(closeOption);
    // 1 printed, 0 not printed; both is neither.
    const int closeAs = parser.isSet(printed) == parser.isSet(notPrinted) ? -1 : parser.isSet(printed) ? 1 : 0;
    const bool startNew = parser.isSet(startNewOption);
    bool closeOk = false;
    const qint64 closeId = close.toLongLong(&closeOk);
    if ((parser.isSet(closeOption) && (!closeOk || closeId < 1)) || (parser.isSet(closeOption) == (closeAs < 0))
        || (parser.isSet(printed) && parser.isSet(notPrinted)))
        return usageProblem(QStringLiteral("--close takes a run number and either --printed or --not-printed"));
    if (startNew && (!close.isEmpty() || !layout.isEmpty() || !number.isEmpty()))
        return usageProblem(QStringLiteral("--start-new goes with --journal only"));
    const JournalSetup setup = chooseJournal(url);
    SqlJournal &journal = *setup.journal;
    QString error;
    if (noJournalYet(setup)) {
        if (!close.isEmpty() || startNew) {
            say(stderr, QStringLiteral("numora journal: there is no journal (%1)").arg(journal.location()));
            return 2;
        }
        say(stdout, QStringLiteral("no run has been journaled yet (%1)").arg(journal.location()));
        return 0;
    }
    const bool opened = journal.open(&error);
    if (startNew) {
        // Only over a damaged journal: a sound one holds runs that guard numbers.
        QString aside;
        if (opened || !journal.damaged()) {
            say(stderr, QStringLiteral("numora journal: the journal %1 is not damaged%2: nothing was changed")
                            .arg(journal.location(), opened ? QString() : QStringLiteral(" (") + error + u')'));
            return 1;
        }
        if (!journal.startNew(&error, &aside)) {
            say(stderr, QStringLiteral("numora journal: no new journal was started: ") + error);
            return 1;
        }
        say(stdout, QStringLiteral("a new journal was started in %1; the damaged one is kept as %2")
                        .arg(journal.location(), aside));
        return 0;
    }
    if (!opened) {
        say(stderr,
            QStringLiteral("numora journal: the journal %1 cannot be read: %2%3")
                .arg(journal.location(), error,
                     journal.damaged() ? QStringLiteral("; numora journal --start-new starts a new one and keeps it")
                                       : QString()));
        return 1;
    }
    if (!close.isEmpty()) {
        const QString note = closeAs == 1 ? QStringLiteral("closed by hand as printed")
                                          : QStringLiteral("closed by hand as not printed");
        if (!journal.closeClaim(closeId, closeAs == 1, note, SystemClock().now(), &error)) {
            say(stderr, QStringLiteral("numora journal: ") + error);
            return 1;
        }
        say(stdout, QStringLiteral("run %1 %2").arg(closeId).arg(note));
        return 0;
    }
    if (!number.isEmpty()) {
        const auto hits = journal.find(number, &error);
        if (!hits) {
            say(stderr, QStringLiteral("numora journal: ") + error);
            return 1;
        }
        if (hits->empty())
            say(stdout, QStringLiteral("no run printed %1").arg(number));
        for (const JournalHit &h : *hits)
            say(stdout, QStringLiteral("%1: run %2 (%3, layout %4), page %5, position %6%7")
                            .arg(h.text)
                            .arg(h.runId)
                            .arg(h.printedAt.toString(QStringLiteral("dd/MM/yyyy HH:mm")), h.layoutName)
                            .arg(h.page)
                            .arg(h.position)
                            .arg(h.reprint ? QStringLiteral(", a reprint") : QString()));
        return 0;
    }
    const auto runs = journal.runs(layout, &error);
    if (!runs) {
        say(stderr, QStringLiteral("numora journal: ") + error);
        return 1;
    }
    for (const JournalRun &r : *runs)
        say(stdout, JournalForm::listLine(r, true));
    return 0;
}

} // namespace numora::cli
