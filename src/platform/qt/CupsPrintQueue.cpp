#include "CupsPrintQueue.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <cups/cups.h>

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

} // namespace

std::vector<PrintJobState> CupsPrintQueue::jobStates(const QString &printer, const std::vector<int> &jobIds)
{
    std::vector<PrintJobState> states(jobIds.size(), PrintJobState::Unknown);
    if (jobIds.empty())
        return states;
    http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, TimeoutMs, nullptr);
    if (!http)
        return states;
    httpSetTimeout(http, TimeoutMs / 1000.0, giveUp, nullptr);
    // Job numbers are the server's, not the queue's: a job of another queue
    // with that number (the print system was set up anew) is not the run's.
    const QByteArray queueTail = '/' + printer.section(QLatin1Char('/'), 0, 0).toUtf8();
    static const char *const wanted[] = {"job-state", "job-printer-uri"};
    // Many parts on a slow server: what was not read in time stays unknown.
    QElapsedTimer asking;
    asking.start();
    for (std::size_t i = 0; i < jobIds.size() && asking.elapsed() < 2 * TimeoutMs; ++i) {
        ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        char uri[HTTP_MAX_URI];
        httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/jobs/%d", jobIds[i]);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
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

} // namespace numora
