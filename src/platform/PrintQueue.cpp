#include "PrintQueue.h"

namespace numora {

QString jobStateName(PrintJobState state)
{
    switch (state) {
    case PrintJobState::Unknown: break;
    case PrintJobState::Pending: return QStringLiteral("pending");
    case PrintJobState::Held: return QStringLiteral("held");
    case PrintJobState::Processing: return QStringLiteral("processing");
    case PrintJobState::Stopped: return QStringLiteral("stopped");
    case PrintJobState::Canceled: return QStringLiteral("canceled");
    case PrintJobState::Aborted: return QStringLiteral("aborted");
    case PrintJobState::Completed: return QStringLiteral("completed");
    }
    return QStringLiteral("unknown");
}

} // namespace numora
