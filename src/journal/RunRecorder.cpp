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
}

QString RunRecorder::describe(const JournalDuplicate &d)
{
    QString when = d.printedAt.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    return QStringLiteral("%1 at position %2: run %3 of %4, layout %5%6")
        .arg(numora::describe(d.numbers))
        .arg(d.numbers.position)
        .arg(d.runId)
        .arg(when, d.layoutName, d.unfinished ? QStringLiteral(" (never finished)") : QString());
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

bool RunRecorder::begin(const Run &run)
{
    m_current.reset();
    m_refused.clear();
    m_ranges = rangesOfSequence(m_sequence, run.perPage, run.reverse, run.twoPages);
    if (run.reprintOf != 0)
        m_ranges = clipToPages(m_ranges, run.reprintFrom, run.reprintTo);
    if (!m_journal)
        return true;
    QString error, aside;
    if (!m_journal->open(&error, &aside))
        return journalFailed(run.title, error);
    if (!aside.isEmpty())
        m_dialogs.message(QStringLiteral("The run journal %1 was damaged. It was kept aside as %2 and a new journal "
                                         "was started: runs printed before are not checked against.")
                              .arg(m_journal->location(), aside),
                          run.title, Dialogs::Buttons::OK);
    // A reprint prints what was printed before on purpose.
    if (run.reprintOf == 0 && !allowDuplicates) {
        const auto found = m_journal->duplicates(m_ranges, &error);
        if (!found)
            return journalFailed(run.title, error);
        if (!found->empty()) {
            QStringList lines;
            constexpr std::size_t Shown = 8;
            for (std::size_t i = 0; i < found->size() && i < Shown; ++i)
                lines << describe((*found)[i]);
            if (found->size() > Shown)
                lines << QStringLiteral("and %1 more").arg(found->size() - Shown);
            const auto answer = m_dialogs.message(QStringLiteral("These numbers were printed before:\r\n")
                                                      + lines.join(QStringLiteral("\r\n"))
                                                      + QStringLiteral("\r\n\r\nPrint them again?"),
                                                  run.title, Dialogs::Buttons::YesNo);
            if (answer != Dialogs::Answer::Yes) {
                m_refused = *found;
                return false;
            }
        }
    }
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
    r.workstation = QSysInfo::machineHostName();
    r.layoutLines = run.layoutLines;
    r.ranges = m_ranges;
    m_current = m_journal->beginRun(r, &error);
    return m_current || journalFailed(run.title, error);
}

void RunRecorder::end(JournalRun::Outcome outcome, qint64 pagesPrinted, const QString &reason)
{
    if (!m_journal || !m_current)
        return;
    QString error;
    const qint64 id = *std::exchange(m_current, std::nullopt);
    if (!m_journal->endRun(id, outcome, pagesPrinted, reason, &error))
        m_dialogs.message(QStringLiteral("The run journal %1 cannot record how run %2 ended (%3): %4. The journal "
                                         "shows it as unfinished.")
                              .arg(m_journal->location())
                              .arg(id)
                              .arg(JournalRun::outcomeName(outcome), error),
                          QString(), Dialogs::Buttons::OK);
}

} // namespace numora
