#include "CupsPrintQueue.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <algorithm>
#include <condition_variable>
#include <cups/cups.h>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

namespace numora {

namespace {

PrintJobState stateOf(int ipp)
{
    switch (ipp) {
    case IPP_JSTATE_PENDING: return PrintJobState::Pending;
    case IPP_JSTATE_HELD: return PrintJobState::Held;
    case IPP_JSTATE_PROCESSING: return PrintJobState::Processing;
    case IPP_JSTATE_STOPPED: return PrintJobState::Stopped;
    case IPP_JSTATE_CANCELED: return PrintJobState::Canceled;
    case IPP_JSTATE_ABORTED: return PrintJobState::Aborted;
    case IPP_JSTATE_COMPLETED: return PrintJobState::Completed;
    default: return PrintJobState::Unknown;
    }
}

// Called when an answer is late: stop waiting rather than wait again.
int giveUp(http_t *, void *) { return 0; }

// Where and as whom to ask. libcups keeps these for each thread apart, so a
// reading on another thread takes those of the thread that asked.
struct Server
{
    QByteArray host = cupsServer();
    int port = ippPort();
    http_encryption_t encryption = cupsEncryption();
    QByteArray user = cupsUser();
};

std::vector<PrintJobState> readStates(const Server &server, const QString &printer, const std::vector<int> &jobIds)
{
    std::vector<PrintJobState> states(jobIds.size(), PrintJobState::Unknown);
    if (jobIds.empty())
        return states;
    http_t *http = httpConnect2(server.host.constData(), server.port, nullptr, AF_UNSPEC, server.encryption, 1,
                                CupsPrintQueue::TimeoutMs, nullptr);
    if (!http)
        return states;
    // Job numbers are the server's, not the queue's: a job of another queue
    // with that number (the print system was set up anew) is not the run's.
    const QByteArray queueTail = '/' + printer.section(QLatin1Char('/'), 0, 0).toUtf8();
    static const char *const wanted[] = {"job-state", "job-printer-uri"};
    // Many parts on a slow server: each answer gets only what is left of the
    // budget, and what was not read in it stays unknown.
    QElapsedTimer asking;
    asking.start();
    for (std::size_t i = 0; i < jobIds.size(); ++i) {
        const qint64 left = std::min<qint64>(CupsPrintQueue::TimeoutMs, CupsPrintQueue::BudgetMs - asking.elapsed());
        if (left <= 0)
            break;
        httpSetTimeout(http, double(left) / 1000.0, giveUp, nullptr);
        ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        char uri[HTTP_MAX_URI];
        httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/jobs/%d", jobIds[i]);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                     server.user.constData());
        ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr, wanted);
        ipp_t *response = cupsDoRequest(http, request, "/jobs/");
        // No answer at all: the rest would wait as long for nothing.
        if (!response)
            break;
        if (cupsLastError() <= IPP_STATUS_OK_CONFLICTING) {
            ipp_attribute_t *state = ippFindAttribute(response, "job-state", IPP_TAG_ENUM);
            ipp_attribute_t *on = ippFindAttribute(response, "job-printer-uri", IPP_TAG_URI);
            const char *onUri = on ? ippGetString(on, 0, nullptr) : nullptr;
            if (state && (!onUri || QByteArray(onUri).endsWith(queueTail)))
                states[i] = stateOf(ippGetInteger(state, 0));
        }
        ippDelete(response);
    }
    httpClose(http);
    return states;
}

struct Ask
{
    Server server;
    QString printer;
    std::vector<int> ids;
    PrintQueue::StatesRead done;
};

} // namespace

// What the queue and its reading thread share; the thread keeps it alive
// when it outlives the queue.
struct CupsPrintQueue::Shared
{
    std::mutex mutex;
    std::condition_variable idle;
    QObject *receiver = nullptr; // on the asking thread; none once the queue is gone
    bool reading = false;
    std::optional<Ask> next;

    static void work(const std::shared_ptr<Shared> &shared, Ask ask)
    {
        for (;;) {
            std::vector<PrintJobState> states = readStates(ask.server, ask.printer, ask.ids);
            std::lock_guard lock(shared->mutex);
            // Under the lock: the queue does not delete the receiver meanwhile.
            if (shared->receiver)
                QMetaObject::invokeMethod(
                    shared->receiver, [done = std::move(ask.done), states = std::move(states)] { done(states); },
                    Qt::QueuedConnection);
            if (!shared->next) {
                shared->reading = false;
                shared->idle.notify_all();
                return;
            }
            ask = std::move(*shared->next);
            shared->next.reset();
        }
    }
};

CupsPrintQueue::CupsPrintQueue()
    : m_shared(std::make_shared<Shared>())
{
    m_shared->receiver = new QObject;
}

CupsPrintQueue::~CupsPrintQueue()
{
    std::unique_lock lock(m_shared->mutex);
    m_shared->next.reset();
    // A print system that does not answer must not hold the program's exit.
    m_shared->idle.wait_for(lock, std::chrono::milliseconds(BudgetMs), [this] { return !m_shared->reading; });
    QObject *receiver = std::exchange(m_shared->receiver, nullptr);
    lock.unlock();
    // Its answers not delivered yet go with it.
    delete receiver;
}

std::vector<PrintJobState> CupsPrintQueue::jobStates(const QString &printer, const std::vector<int> &jobIds)
{
    return readStates(Server(), printer, jobIds);
}

void CupsPrintQueue::readJobStates(const QString &printer, const std::vector<int> &jobIds, StatesRead done)
{
    Ask ask{Server(), printer, jobIds, std::move(done)};
    std::lock_guard lock(m_shared->mutex);
    if (m_shared->reading) {
        m_shared->next = std::move(ask);
        return;
    }
    // Kept here until the thread has it: a thread that cannot start leaves it to answer.
    auto start = std::make_shared<Ask>(std::move(ask));
    try {
        std::thread([shared = m_shared, start] { Shared::work(shared, std::move(*start)); }).detach();
        m_shared->reading = true;
    } catch (const std::system_error &) {
        // No thread to read on: as when the print system cannot be reached.
        QMetaObject::invokeMethod(
            m_shared->receiver,
            [done = std::move(start->done), n = jobIds.size()] {
                done(std::vector<PrintJobState>(n, PrintJobState::Unknown));
            },
            Qt::QueuedConnection);
    }
}

} // namespace numora
