#pragma once
#include <QString>
#include <functional>
#include <vector>

namespace numora {

// Where a job the print system took stands now.
enum class PrintJobState { Unknown, Pending, Held, Processing, Stopped, Canceled, Aborted, Completed };

// "pending", "held", ..., "unknown".
QString jobStateName(PrintJobState state);

// The print system's queues as far as the journal asks them: what became of
// the jobs a run was handed over in.
class PrintQueue
{
public:
    using StatesRead = std::function<void(std::vector<PrintJobState>)>;

    virtual ~PrintQueue() = default;
    // The states of the jobs of that printer, one for each id in order:
    // Unknown for a job the print system no longer knows, and for all of
    // them when it cannot be reached. Answers within a few seconds at most,
    // on the caller's thread, which waits meanwhile.
    virtual std::vector<PrintJobState> jobStates(const QString &printer, const std::vector<int> &jobIds) = 0;
    // The same states without holding the caller: `done` gets them on the
    // caller's thread, later or before this returns. A queue may drop an
    // ask that a newer one overtook, and drops all of them when it goes.
    virtual void readJobStates(const QString &printer, const std::vector<int> &jobIds, StatesRead done)
    {
        done(jobStates(printer, jobIds));
    }
};

} // namespace numora
