#pragma once
#include "Services.h"

#include <QString>
#include <optional>

namespace numora {

struct JournalRun;

// Prints pages of a journaled run again, exactly as they went out: the run's
// layout as it was printed is loaded into forms of its own, the same run is
// generated and only the chosen pages are sent. The open layout and its
// numbering are not touched; the journal records the reprint.
class Reprinter
{
public:
    // The services of the program: the printer, the measure, the dialogs
    // and the journal are shared; the rest is the reprint's own.
    explicit Reprinter(Services services)
        : m_services(std::move(services))
    {}

    struct Result
    {
        bool printed = false;
        qint64 pages = 0; // pages sent
        QString problem;  // why nothing was printed; empty for a Stop
        // The run or the pages may not be printed again: the problem says
        // why (JournalRun::reprintRefusal), and nothing was touched.
        bool refused = false;
        std::optional<qint64> unrecordedEnd; // as RunForms::Outcome
    };
    // Pages fromPage..toPage (1-based, as printed) of the run; nothing but
    // the pages a printed run printed. Its callers ask nothing beforehand:
    // this is where the rule is kept.
    Result reprint(const JournalRun &run, qint64 fromPage, qint64 toPage);

private:
    Services m_services;
};

} // namespace numora
