#pragma once
#include "Journal.h"
#include "platform/RunClaims.h"

#include <QStringList>
#include <vector>

namespace numora {

class Clock;
class Dialogs;
class RunEntries;

// Puts a print run into the journal: before its first page it claims the
// run's numbers (checked against every run printed or still printing, on any
// workstation) and asks when some were printed before; after the last page
// (or a failure, or a Stop) it records how the run ended. When the journal
// cannot be written, or a shared one cannot be reached, the operator is told
// and chooses.
class RunRecorder : public RunClaims
{
public:
    RunRecorder(Dialogs &dialogs, Clock &clock, Journal *journal, const RunEntries &sequence);

    // The run about to print, as the print job knows it.
    using Run = PrintRun;

    // Run without the question, printing numbers printed before (the command
    // line's --allow-duplicates).
    bool allowDuplicates = false;
    // The name runs are recorded under (the machine's name by default).
    QString workstation;
    // This machine's own journal, when the journal is a shared one: a run
    // printed while the shared one cannot be reached is recorded here,
    // marked for the shop to check.
    Journal *local = nullptr;
    // Print without a claim when the shared journal cannot be reached,
    // without the question (the command line's --without-claim).
    bool printWithoutClaim = false;
    // How often the end of a run is tried, with a pause between tries in
    // which a lost server connection is made anew.
    int endAttempts = 3;
    int endRetryPauseMs = 1500;

    // Run while begin waits for the journal (Journal::Waiting): the print
    // dialog shows that it is claiming and lets Stop end the wait.
    Journal::Waiting waiting;
    void setWaiting(std::function<bool()> w) override { waiting = std::move(w); }

    // False when the operator chose not to print, or stopped while the
    // journal was claiming; nothing is recorded then.
    bool begin(const Run &run) override;
    void end(JournalRun::Outcome outcome, qint64 pagesPrinted, const QString &reason,
             const std::vector<JournalJob> &jobs = {});
    // The job's end: printed, failed, or stopped (no reason).
    void finish(bool printed, qint64 pagesPrinted, const QString &reason, const std::vector<PrintedJob> &jobs) override;

    // Set by begin: the numbers printed before that made the operator stop
    // (empty when the run went on).
    const std::vector<JournalDuplicate> &refusedDuplicates() const { return m_refused; }
    Journal *journal() const { return m_journal; }
    // Set by begin when the operator stopped it while the journal claimed.
    bool stoppedWhileClaiming() const { return m_stopped; }
    // Set by begin when the shared journal could not be reached: why.
    const QString &unreachable() const { return m_unreachable; }
    // Set by begin when the run went on without a claim: its number in the
    // local journal (0 when even that could not record it).
    std::optional<qint64> unclaimedRun() const { return m_unclaimed; }
    // Set by begin when the run was refused because the journal cannot be
    // used (damaged, not understood, not writable): why, in one line.
    const QString &journalProblem() const { return m_problem; }
    // Set by end when the run's end could not be recorded: the run the
    // journal still shows as unfinished.
    std::optional<qint64> unrecordedEnd() const { return m_unrecordedEnd; }
    // Set by end: the number the journal keeps the run under.
    std::optional<qint64> endedRun() const { return m_ended; }

    // Asks `question` (default: No) and on Yes starts a new journal over a
    // damaged one, keeping the damaged file; says how it went.
    static bool offerNewJournal(Dialogs &dialogs, Journal &journal, const QString &title, const QString &question);

    // "No:000001 to No:000004 at position 1: run 3, 09/12/2026 14:05, layout Receipts"
    static QString describe(const JournalDuplicate &d);

private:
    bool claimNumbers(const Run &run);
    bool journalFailed(const QString &title, const QString &reason);
    bool withoutClaim(const QString &title, JournalRun run, const QString &reason);
    bool startNewJournal(const QString &title);
    void endNotRecorded(qint64 id, JournalRun::Outcome outcome, qint64 pagesPrinted, const QString &reason,
                        const std::vector<JournalJob> &jobs, const QDateTime &finished, const QString &error);

    Dialogs &m_dialogs;
    Clock &m_clock;
    Journal *m_journal;
    const RunEntries &m_sequence;
    Journal *m_recordedIn = nullptr; // the journal the current run is in
    std::optional<qint64> m_current;
    std::optional<qint64> m_ended;
    QString m_unreachable;
    std::optional<qint64> m_unclaimed;
    QString m_problem;
    std::optional<qint64> m_unrecordedEnd;
    bool m_stopped = false;
    JournalRun m_run; // the run as begun, for a record of it elsewhere
    std::vector<NumberRange> m_ranges;
    std::vector<JournalDuplicate> m_refused;
};

} // namespace numora
