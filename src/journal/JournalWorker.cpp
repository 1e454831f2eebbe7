#include "JournalWorker.h"

#include <QThread>
#include <chrono>

namespace numora {

namespace {
// How often the caller's waiting hook runs while the worker is busy.
constexpr std::chrono::milliseconds WaitStep{20};

// A run the journal recorded after its caller stopped waiting printed
// nothing: it ends where it began, as stopped, and guards no number.
void endAsStopped(Journal &j, qint64 id, const JournalRun &run)
{
    j.endRun(id, JournalRun::Outcome::Stopped, 0, JournalWorker::stoppedReason(), {}, run.started, nullptr);
}
} // namespace

JournalWorker::JournalWorker(std::unique_ptr<Journal> journal)
    : m_journal(std::move(journal))
    , m_location(m_journal->location())
    , m_server(m_journal->server())
    , m_thread(QThread::create([this] { work(); }))
{
    m_thread->start();
}

JournalWorker::~JournalWorker()
{
    post({});
    m_thread->wait();
}

void JournalWorker::post(Task task)
{
    {
        const std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_queued.notify_one();
}

void JournalWorker::work()
{
    for (;;) {
        Task task;
        {
            std::unique_lock lock(m_mutex);
            m_queued.wait(lock, [this] { return !m_tasks.empty(); });
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        if (!task)
            break;
        task(*m_journal);
    }
    // Its connection closes on the thread that opened it.
    m_journal.reset();
}

template <typename R>
R JournalWorker::call(std::function<R(Journal &, QString *)> call, QString *error, R stopped,
                      std::function<void(Journal &, R &)> release)
{
    // Shared with the task, which may outlive the wait when the caller stops.
    struct Answer
    {
        std::mutex mutex;
        std::condition_variable ready;
        bool done = false, abandoned = false;
        std::optional<R> result;
        QString error;
    };
    const auto answer = std::make_shared<Answer>();
    post([answer, call = std::move(call), release](Journal &j) {
        QString why;
        R result = call(j, &why);
        std::unique_lock lock(answer->mutex);
        if (answer->abandoned) {
            lock.unlock();
            if (release)
                release(j, result);
            return;
        }
        answer->result = std::move(result);
        answer->error = std::move(why);
        answer->done = true;
        answer->ready.notify_all();
    });
    std::unique_lock lock(answer->mutex);
    const auto done = [&] { return answer->done; };
    if (!m_waiting)
        answer->ready.wait(lock, done);
    while (!answer->ready.wait_for(lock, WaitStep, done)) {
        lock.unlock();
        const bool goOn = m_waiting();
        lock.lock();
        if (goOn)
            continue;
        if (answer->done) {
            // The answer came as the caller stopped: undone all the same.
            if (release)
                post([release, result = std::move(*answer->result)](Journal &j) mutable { release(j, result); });
        } else {
            answer->abandoned = true;
        }
        if (error)
            *error = stoppedReason();
        return stopped;
    }
    if (error && !answer->error.isEmpty())
        *error = answer->error;
    return std::move(*answer->result);
}

bool JournalWorker::open(QString *error)
{
    return call<bool>(
        [this](Journal &j, QString *e) {
            const bool ok = j.open(e);
            m_damaged = j.damaged();
            return ok;
        },
        error, false);
}

bool JournalWorker::startNew(QString *error, QString *keptAside)
{
    // The file set aside is named by the worker: passed back with the answer.
    using Result = std::pair<bool, QString>;
    const Result r = call<Result>(
        [this](Journal &j, QString *e) {
            QString aside;
            const bool ok = j.startNew(e, &aside);
            m_damaged = j.damaged();
            return Result{ok, aside};
        },
        error, Result{false, QString()});
    if (keptAside && !r.second.isEmpty())
        *keptAside = r.second;
    return r.first;
}

std::optional<qint64> JournalWorker::beginRun(const JournalRun &run, QString *error)
{
    return call<std::optional<qint64>>([run](Journal &j, QString *e) { return j.beginRun(run, e); }, error,
                                       std::nullopt,
                                       [run](Journal &j, std::optional<qint64> &id) {
                                           if (id)
                                               endAsStopped(j, *id, run);
                                       });
}

std::optional<JournalClaim> JournalWorker::claimRun(const JournalRun &run, bool allowDuplicates, QString *error)
{
    return call<std::optional<JournalClaim>>(
        [run, allowDuplicates](Journal &j, QString *e) { return j.claimRun(run, allowDuplicates, e); }, error,
        std::nullopt,
        [run](Journal &j, std::optional<JournalClaim> &claim) {
            if (claim && claim->id != 0)
                endAsStopped(j, claim->id, run);
        });
}

bool JournalWorker::closeClaim(qint64 id, bool printed, const QString &note, const QDateTime &closed, QString *error)
{
    return call<bool>([=](Journal &j, QString *e) { return j.closeClaim(id, printed, note, closed, e); }, error, false);
}

bool JournalWorker::endRun(qint64 id, JournalRun::Outcome outcome, qint64 pagesPrinted, const QString &reason,
                           const std::vector<JournalJob> &jobs, const QDateTime &finished, QString *error)
{
    return call<bool>(
        [=](Journal &j, QString *e) { return j.endRun(id, outcome, pagesPrinted, reason, jobs, finished, e); }, error,
        false);
}

std::optional<std::vector<JournalDuplicate>> JournalWorker::duplicates(const std::vector<NumberRange> &ranges,
                                                                       QString *error)
{
    return call<std::optional<std::vector<JournalDuplicate>>>(
        [ranges](Journal &j, QString *e) { return j.duplicates(ranges, e); }, error, std::nullopt);
}

std::optional<std::vector<JournalRun>> JournalWorker::runs(const QString &layoutName, QString *error)
{
    return call<std::optional<std::vector<JournalRun>>>(
        [layoutName](Journal &j, QString *e) { return j.runs(layoutName, e); }, error, std::nullopt);
}

std::optional<JournalRun> JournalWorker::run(qint64 id, QString *error)
{
    return call<std::optional<JournalRun>>([id](Journal &j, QString *e) { return j.run(id, e); }, error, std::nullopt);
}

std::optional<std::vector<JournalRun>> JournalWorker::familyOf(qint64 id, QString *error)
{
    return call<std::optional<std::vector<JournalRun>>>([id](Journal &j, QString *e) { return j.familyOf(id, e); },
                                                        error, std::nullopt);
}

std::optional<std::vector<JournalHit>> JournalWorker::find(const QString &numberText, QString *error)
{
    return call<std::optional<std::vector<JournalHit>>>(
        [numberText](Journal &j, QString *e) { return j.find(numberText, e); }, error, std::nullopt);
}

} // namespace numora
