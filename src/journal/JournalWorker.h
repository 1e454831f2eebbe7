#pragma once
#include "Journal.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

class QThread;

namespace numora {

// A journal whose every call runs on a thread of its own, one call after the
// other in the order made, so that a shared journal whose server is slow or
// does not answer (a 3 s connect, up to 15 s queued for the writers' lock)
// never holds the window. Qt SQL connections belong to the thread that
// opened them: the journal worked on lives, opens and closes on that thread.
//
// The caller's thread waits for each answer in the `waiting` hook, which
// lets the window paint and returns false to stop waiting (Stop). A call
// stopped that way fails with stoppedReason(); a claim it made anyway is
// ended at once as stopped, so that it guards no number.
class JournalWorker : public Journal
{
public:
    explicit JournalWorker(std::unique_ptr<Journal> journal);
    // Waits for the calls still queued (a server that does not answer holds
    // it for its time-outs at most).
    ~JournalWorker() override;
    JournalWorker(const JournalWorker &) = delete;
    JournalWorker &operator=(const JournalWorker &) = delete;

    // Why a call failed that the caller stopped waiting for.
    static QString stoppedReason() { return QStringLiteral("stopped while the journal was busy"); }

    Waiting setWaiting(Waiting waiting) override { return std::exchange(m_waiting, std::move(waiting)); }

    QString location() const override { return m_location; }
    QString server() const override { return m_server; }
    bool open(QString *error) override;
    bool damaged() const override { return m_damaged; }
    bool startNew(QString *error, QString *keptAside) override;
    std::optional<qint64> beginRun(const JournalRun &run, QString *error) override;
    std::optional<JournalClaim> claimRun(const JournalRun &run, bool allowDuplicates, QString *error) override;
    bool closeClaim(qint64 id, bool printed, const QString &note, const QDateTime &closed, QString *error) override;
    bool endRun(qint64 id, JournalRun::Outcome outcome, qint64 pagesPrinted, const QString &reason,
                const std::vector<JournalJob> &jobs, const QDateTime &finished, QString *error) override;
    std::optional<std::vector<JournalDuplicate>> duplicates(const std::vector<NumberRange> &ranges,
                                                            QString *error) override;
    std::optional<std::vector<JournalRun>> runs(const QString &layoutName, QString *error) override;
    std::optional<JournalRun> run(qint64 id, QString *error) override;
    std::optional<std::vector<JournalRun>> familyOf(qint64 id, QString *error) override;
    std::optional<std::vector<JournalHit>> find(const QString &numberText, QString *error) override;

private:
    using Task = std::function<void(Journal &)>;
    void post(Task task);
    void work();
    // Runs `call` on the worker and waits for its answer; `stopped` when the
    // caller stops waiting, and then `release` undoes what the call did
    // once it is done.
    template <typename R>
    R call(std::function<R(Journal &, QString *)> call, QString *error, R stopped,
           std::function<void(Journal &, R &)> release = {});

    std::unique_ptr<Journal> m_journal; // touched on the worker thread only
    const QString m_location, m_server;
    std::atomic<bool> m_damaged{false};
    Waiting m_waiting;
    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::deque<Task> m_tasks; // an empty task ends the worker
    std::unique_ptr<QThread> m_thread;
};

} // namespace numora
