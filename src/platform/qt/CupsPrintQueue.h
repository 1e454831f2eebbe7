#pragma once
#include "platform/PrintQueue.h"

namespace numora {

// The jobs' states as CUPS tells them, one IPP Get-Job-Attributes each, on
// a connection of its own that gives up quickly: the journal window asks
// on its own thread, and a print system that is gone must not hold it.
class CupsPrintQueue : public PrintQueue
{
public:
    // How long connecting, and each answer, may take; all answers together
    // twice that.
    static constexpr int TimeoutMs = 2000;

    std::vector<PrintJobState> jobStates(const QString &printer, const std::vector<int> &jobIds) override;
};

} // namespace numora
