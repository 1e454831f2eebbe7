#pragma once
#include "Services.h"
#include "journal/Journal.h"
#include "printing/PrintJob.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace numora {

class LayoutDocument;

// Prints pages of a journaled run again, exactly as they went out: the run's
// layout as it was printed is loaded into forms of its own, the same run is
// generated and only the chosen pages are sent. The open layout and its
// numbering are not touched; the journal records the reprint. The rest of a
// run cut short is printed the same way, as a new run that claims its
// numbers.
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
        // why (JournalRun::reprintRefusal, restRefusal), and nothing was
        // touched.
        bool refused = false;
        std::optional<qint64> unrecordedEnd; // as RunForms::Outcome
        std::vector<JournalDuplicate> duplicates; // as RunForms::Outcome
        // After a rest that printed whole: the layout's values as the run
        // cut short left them, and the numbering the whole run would have
        // left (moveOnAfterRest).
        QStringList leftLines;
        std::optional<PrintJob::Numbering> wholeNumbering;
    };
    // Pages fromPage..toPage (1-based, as printed) of the run; nothing but
    // the pages a printed run printed. Its callers ask nothing beforehand:
    // this is where the rule is kept.
    Result reprint(const JournalRun &run, qint64 fromPage, qint64 toPage);
    // The rest of a run cut short (JournalRun::restRefusal, with its family
    // read from the journal here), on the current printer as it is
    // calibrated now: it is a new run on paper.
    Result printRest(const JournalRun &run);
    // After a rest printed whole: moves the open layout's numbering on to
    // where the whole run would have left it, when the layout is the run's
    // and stands where the run cut short left it; false (nothing touched)
    // otherwise.
    static bool moveOnAfterRest(LayoutDocument &doc, const JournalRun &run, const Result &rest);

private:
    struct Origin
    {
        qint64 pagesBefore = 0;  // the first run's pages before this run's page 1
        qint64 firstPrinted = 0; // the pages the first run printed
    };
    // The run a rest run is the rest of, followed back to the first: a rest
    // is generated as the whole first run.
    std::optional<Origin> originOf(const JournalRun &run, QString *problem);
    Result print(const JournalRun &run, PrintJob::Reprint pages, bool asPrinted);

    Services m_services;
};

} // namespace numora
