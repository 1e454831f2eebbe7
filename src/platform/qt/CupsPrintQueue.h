#pragma once
#include "platform/PrintQueue.h"

#include <memory>

namespace numora {

// The jobs' states as CUPS tells them, one IPP Get-Job-Attributes each, on
// a connection of its own that gives up quickly. readJobStates reads them on
// a thread of the queue's, so that a print system slow to answer, or gone,
// never holds the journal window; jobStates holds its caller meanwhile.
// Made on the thread that asks, whose event loop the answers come through.
class CupsPrintQueue : public PrintQueue
{
public:
    // How long connecting, and each answer, may take; all answers together
    // the budget at most.
    static constexpr int TimeoutMs = 2000;
    static constexpr int BudgetMs = 2 * TimeoutMs;

    CupsPrintQueue();
    // A reading under way is waited for, at most the budget, and then left
    // to end alone: its answer goes nowhere.
    ~CupsPrintQueue() override;
    CupsPrintQueue(const CupsPrintQueue &) = delete;
    CupsPrintQueue &operator=(const CupsPrintQueue &) = delete;

    std::vector<PrintJobState> jobStates(const QString &printer, const std::vector<int> &jobIds) override;
    // One reading at a time: an ask made meanwhile waits for it, and drops
    // the one that waited before it.
    void readJobStates(const QString &printer, const std::vector<int> &jobIds, StatesRead done) override;

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};

} // namespace numora
