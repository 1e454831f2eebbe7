#include "RunRecorder.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QSysInfo>

namespace numora {

RunRecorder::RunRecorder(Dialogs &dialogs, Clock &clock, Journal *journal, const SequenceList &sequence)
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
    // Printing on is the operator's choice, never a silent one.
    const auto answer = m_dialogs.message(
        QStringLiteral("The run journal %1 cannot be written:\r\n%2\r\n\r\nPrint this run without recording it?")
            .arg(m_journal->location(), reason),
        title, Dialogs::Buttons::YesNo);
    return answer == Dialogs::Answer::Yes;
}

bool RunRecorder::withoutClaim(const QString &title, JournalRun run, const QString &reason)
{
    m_unreachable = reason;
    // Said once, with the choice: waiting for the server is no choice, the
    // connection attempt has already timed out.
    if (!printWithoutClaim
        && m_dialogs.message(
               QStringLiteral("The shared journal on server %1 cannot be reached:\r\n%2\r\n\r\n"
                              "Print this run without a claim? Other workstations cannot see its numbers; "
                              "it is recorded in this workstation's own journal and marked for the shop "
                              "to check.")
                   .arg(m_journal->server(), reason),
               title, Dialogs::Buttons::YesNo)
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
    m_current.reset();
    m_refused.clear();
    m_unreachable.clear();
    m_unclaimed.reset();
    m_recordedIn = m_journal;
    m_ranges.clear();
    // Without a journal nothing reads the ranges: a long run is not walked for them.
    if (!m_journal)
        return true;
    m_ranges = rangesOfSequence(m_sequence, run.perPage, run.reverse, run.twoPages);
    if (run.reprintOf != 0)
        m_ranges = clipToPages(m_ranges, run.reprintFrom, run.reprintTo);
    JournalRun r;
    r.started = QDateTime(QDate(m_clock.year(), m_clock.month(), m_clock.day()),
                          QTime(0, 0).addMSecs(qint64(m_clock.secondsSinceMidnight() * 1000)));
    r.layoutName = run.layoutName;
    r.gridType = run.gridType;
    r.printOrder = run.printOrder;
    r.printer = run.printer;
    r.pagesRequested = run.pagesRequested;
    r.twoPages = run.twoPages;
    r.reprintOf = run.reprintOf;
    r.reprintFrom = run.reprintFrom;
    r.reprintTo = run.reprintTo;
    r.workstation = workstation;
    r.layoutLines = run.layoutLines;
    r.ranges = m_ranges;
    const auto cannotClaim = [&](const QString &error) {
        return m_journal->server().isEmpty() ? journalFailed(run.title, error) : withoutClaim(run.title, r, error);
    };

    QString error, aside;
    if (!m_journal->open(&error, &aside))
        return cannotClaim(error);
    if (!aside.isEmpty())
        m_dialogs.message(QStringLiteral("The run journal %1 was damaged. It was kept aside as %2 and a new journal "
                                         "was started: runs printed before are not checked against.")
                              .arg(m_journal->location(), aside),
                          run.title, Dialogs::Buttons::OK);
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
        const auto answer =
            m_dialogs.message(QStringLiteral("These numbers were printed before:\r\n")
                                  + lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\nPrint them again?"),
                              run.title, Dialogs::Buttons::YesNo);
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

void RunRecorder::end(JournalRun::Outcome outcome, qint64 pagesPrinted, const QString &reason)
{
    if (!m_recordedIn || !m_current)
        return;
    QString error;
    const qint64 id = *std::exchange(m_current, std::nullopt);
    if (!m_recordedIn->endRun(id, outcome, pagesPrinted, reason, &error))
        m_dialogs.message(QStringLiteral("The run journal %1 cannot record how run %2 ended (%3): %4. The journal "
                                         "shows it as unfinished.")
                              .arg(m_recordedIn->location())
                              .arg(id)
                              .arg(JournalRun::outcomeName(outcome), error),
                          QString(), Dialogs::Buttons::OK);
}

} // namespace numora
