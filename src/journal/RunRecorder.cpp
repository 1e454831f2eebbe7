#include "RunRecorder.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Logging.h"

#include <QSysInfo>
#include <QThread>

namespace numora {

RunRecorder::RunRecorder(Dialogs &dialogs, Clock &clock, Journal *journal, const RunEntries &sequence)
    : m_dialogs(dialogs)
    , m_clock(clock)
    , m_journal(journal)
    , m_sequence(sequence)
{
    workstation = QSysInfo::machineHostName();
}

QString RunRecorder::describe(const JournalDuplicate &d)
{
    QString when = d.printedAt.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    return QStringLiteral("%1 at position %2: run %3 of %4, layout %5%6")
        .arg(numora::describe(d.numbers))
        .arg(d.numbers.position)
        .arg(d.runId)
        .arg(when, d.layoutName,
             !d.unfinished             ? QString()
             : d.workstation.isEmpty() ? QStringLiteral(" (never finished)")
                                       : QStringLiteral(" (unfinished, on %1)").arg(d.workstation));
}

bool RunRecorder::journalFailed(const QString &title, const QString &reason)
{
    // Printing on is the operator's choice, never a silent one nor Enter's.
    const auto answer = m_dialogs.message(
        QStringLiteral("The run journal %1 cannot be used:\r\n%2\r\n\r\nPrint this run without recording it?\r\n"
                       "Yes prints it unrecorded: no other run is kept from printing its numbers again. "
                       "No prints nothing.")
            .arg(m_journal->location(), reason),
        title, Dialogs::Buttons::YesNo, Dialogs::Answer::No);
    if (answer == Dialogs::Answer::Yes)
        return true;
    m_problem = QStringLiteral("the run journal %1 cannot be used: %2").arg(m_journal->location(), reason);
    return false;
}

bool RunRecorder::startNewJournal(const QString &title)
{
    m_problem = QStringLiteral("the run journal %1 is damaged: the runs printed before cannot be checked against it")
                    .arg(m_journal->location());
    if (!offerNewJournal(m_dialogs, *m_journal, title,
                         QStringLiteral("The run journal %1 is damaged: the runs printed before cannot be checked "
                                        "against it.\r\n\r\nStart a new, empty journal and print?\r\n"
                                        "Yes keeps the damaged file beside it under a new name and starts a new "
                                        "journal. No prints nothing and leaves the journal as it is.")
                             .arg(m_journal->location())))
        return false;
    m_problem.clear();
    return true;
}

bool RunRecorder::offerNewJournal(Dialogs &dialogs, Journal &journal, const QString &title, const QString &question)
{
    // Its runs no longer guard their numbers, and the file may be all the
    // shop has of them: only the operator decides, and it is kept.
    if (dialogs.message(question, title, Dialogs::Buttons::YesNo, Dialogs::Answer::No) != Dialogs::Answer::Yes)
        return false;
    QString error, aside;
    if (!journal.startNew(&error, &aside)) {
        dialogs.message(QStringLiteral("No new journal could be started: %1. Nothing was changed.").arg(error), title,
                        Dialogs::Buttons::OK);
        return false;
    }
    dialogs.message(QStringLiteral("A new run journal was started in %1; the damaged one is kept as %2.")
                        .arg(journal.location(), aside),
                    title, Dialogs::Buttons::OK);
    return true;
}

bool RunRecorder::withoutClaim(const QString &title, JournalRun run, const QString &reason)
{
    m_unreachable = reason;
    // Said once, with the choice: waiting for the server is no choice, the
    // connection attempt has already timed out.
    if (!printWithoutClaim
        && m_dialogs.message(
               QStringLiteral("The shared journal on server %1 cannot be reached:\r\n%2\r\n\r\n"
                              "Print this run without a claim? Yes prints it: other workstations cannot see its "
                              "numbers; it is recorded in this workstation's own journal and marked for the shop "
                              "to check. No prints nothing.")
                   .arg(m_journal->server(), reason),
               title, Dialogs::Buttons::YesNo, Dialogs::Answer::No)
               != Dialogs::Answer::Yes)
        return false;
    m_unclaimed = 0;
    if (!local)
        return true;
    run.checkNote = QStringLiteral("printed without a claim: the shared journal on %1 could not be reached")
                        .arg(m_journal->server());
    QString error;
    if (local->open(&error)) {
        if (const auto id = local->beginRun(run, &error)) {
            m_recordedIn = local;
            m_current = id;
            m_unclaimed = id;
            return true;
        }
    }
    m_dialogs.message(QStringLiteral("This workstation's own journal %1 cannot record the run either (%2): note its "
                                     "numbers for the shop by hand.")
                          .arg(local->location(), error),
                      title, Dialogs::Buttons::OK);
    return true;
}

bool RunRecorder::begin(const Run &run)
{
    m_stopped = false;
    if (!m_journal || !waiting)
        return claimNumbers(run);
    Journal::Waiting before = m_journal->setWaiting([this] {
        if (waiting())
            return true;
        m_stopped = true;
        return false;
    });
    const bool go = claimNumbers(run);
    m_journal->setWaiting(std::move(before));
    return go;
}

bool RunRecorder::claimNumbers(const Run &run)
{
    m_current.reset();
    m_ended.reset();
    m_refused.clear();
    m_unreachable.clear();
    m_unclaimed.reset();
    m_problem.clear();
    m_unrecordedEnd.reset();
    m_recordedIn = m_journal;
    m_ranges.clear();
    // Without a journal nothing reads the ranges: a long run is not walked for them.
    if (!m_journal)
        return true;
    m_ranges = rangesOfSequence(m_sequence, run.perPage, run.reverse, run.twoPages);
    // A rest claims only numbers the run it completes did not count; a
    // reprint records every number its pages print.
    if (run.sentTo > 0)
        m_ranges = pagesAfter(run.restOf != 0 ? firstPrintedOn(m_ranges, run.sentFrom, run.sentTo)
                                              : clipToPages(m_ranges, run.sentFrom, run.sentTo),
                              run.pagesBefore);
    JournalRun r;
    r.started = m_clock.now();
    r.layoutName = run.layoutName;
    r.gridType = run.gridType;
    r.printOrder = run.printOrder;
    r.printer = run.printer;
    r.pagesRequested = run.pagesRequested;
    r.twoPages = run.twoPages;
    r.reprintOf = run.reprintOf;
    r.reprintFrom = run.reprintFrom;
    r.reprintTo = run.reprintTo;
    r.restOf = run.restOf;
    r.restFrom = run.restFrom;
    r.workstation = workstation;
    r.layoutLines = run.layoutLines;
    r.calibration = run.calibration;
    r.code = run.code;
    r.ranges = m_ranges;
    const auto cannotClaim = [&](const QString &error) {
        // Stop asks nothing more: nothing is printed, and a claim the journal
        // makes after it is ended as stopped.
        if (m_stopped)
            return false;
        return m_journal->server().isEmpty() ? journalFailed(run.title, error) : withoutClaim(run.title, r, error);
    };

    m_run = r;
    QString error;
    if (!m_journal->open(&error)) {
        if (m_stopped || !m_journal->damaged())
            return cannotClaim(error);
        if (!startNewJournal(run.title))
            return false;
    }
    // A reprint prints what was printed before on purpose.
    const bool ask = run.reprintOf == 0 && !allowDuplicates;
    auto claim = m_journal->claimRun(r, !ask, &error);
    if (!claim)
        return cannotClaim(error);
    if (claim->id == 0) {
        const std::vector<JournalDuplicate> &found = claim->duplicates;
        QStringList lines;
        constexpr std::size_t Shown = 8;
        for (std::size_t i = 0; i < found.size() && i < Shown; ++i)
            lines << describe(found[i]);
        if (found.size() > Shown)
            lines << QStringLiteral("and %1 more").arg(found.size() - Shown);
        // Enter and Escape print nothing: printing twice takes a click on Yes.
        const auto answer = m_dialogs.message(
            QStringLiteral("These numbers were printed before:\r\n") + lines.join(QStringLiteral("\r\n"))
                + QStringLiteral("\r\n\r\nPrint them again?\r\nYes prints these numbers a second time. "
                                 "No prints nothing."),
            run.title, Dialogs::Buttons::YesNo, Dialogs::Answer::No);
        if (answer != Dialogs::Answer::Yes) {
            m_refused = found;
            return false;
        }
        // Nothing was held while the operator thought it over; printing
        // anyway claims the numbers whoever holds them.
        claim = m_journal->claimRun(r, true, &error);
        if (!claim)
            return cannotClaim(error);
    }
    m_current = claim->id;
    return true;
}

void RunRecorder::end(JournalRun::Outcome outcome, qint64 pagesPrinted, const QString &reason,
                      const std::vector<JournalJob> &jobs)
{
    if (!m_recordedIn || !m_current)
        return;
    QString error;
    const qint64 id = *std::exchange(m_current, std::nullopt);
    m_ended = id;
    const QDateTime finished = m_clock.now();
    // A shared server that restarted mid-run is connected to anew by the
    // next try.
    for (int attempt = 1; attempt <= std::max(1, endAttempts); ++attempt) {
        if (attempt > 1)
            QThread::msleep(ulong(std::max(0, endRetryPauseMs)));
        if (m_recordedIn->endRun(id, outcome, pagesPrinted, reason, jobs, finished, &error))
            return;
        qCInfo(lcJournal) << "the end of run" << id << "was not recorded, try" << attempt << ':' << error;
    }
    endNotRecorded(id, outcome, pagesPrinted, reason, jobs, finished, error);
}

void RunRecorder::finish(bool printed, qint64 pagesPrinted, const QString &reason, const std::vector<PrintedJob> &jobs)
{
    using Outcome = JournalRun::Outcome;
    // A run that failed or stopped keeps the pages the print system took.
    end(printed ? Outcome::Printed : reason.isEmpty() ? Outcome::Stopped : Outcome::Failed, pagesPrinted, reason, jobs);
}

void RunRecorder::endNotRecorded(qint64 id, JournalRun::Outcome outcome, qint64 pagesPrinted, const QString &reason,
                                 const std::vector<JournalJob> &jobs, const QDateTime &finished, const QString &error)
{
    m_unrecordedEnd = id;
    // This machine's own journal keeps what happened, for the shop to check.
    QString kept;
    if (local && local != m_recordedIn) {
        JournalRun r = m_run;
        r.checkNote = QStringLiteral("the end of run %1 (%2, %3 pages) could not be recorded in %4: close it there "
                                     "as printed")
                          .arg(id)
                          .arg(JournalRun::outcomeName(outcome))
                          .arg(pagesPrinted)
                          .arg(m_recordedIn->location());
        QString localError;
        std::optional<qint64> localId;
        if (local->open(&localError))
            localId = local->beginRun(r, &localError);
        if (localId && local->endRun(*localId, outcome, pagesPrinted, reason, jobs, finished, &localError))
            kept = QStringLiteral(" This workstation's own journal %1 records it as run %2, TO CHECK.")
                       .arg(local->location())
                       .arg(*localId);
    }
    m_dialogs.message(QStringLiteral("The run journal %1 cannot record how run %2 ended (%3, %4 pages): %5.\r\n\r\n"
                                     "The journal shows the run as unfinished, so its numbers stay guarded. %6%7")
                          .arg(m_recordedIn->location())
                          .arg(id)
                          .arg(JournalRun::outcomeName(outcome))
                          .arg(pagesPrinted)
                          .arg(error,
                               outcome == JournalRun::Outcome::Printed
                                   ? QStringLiteral("Its pages went out: close it as printed (Journal, \"Close "
                                                    "unfinished run\", Yes), never as not printed.")
                                   : QStringLiteral("Close it as the printer's output shows (Journal, \"Close "
                                                    "unfinished run\"): as printed if any page went out."),
                               kept),
                      QString(), Dialogs::Buttons::OK);
}

} // namespace numora
