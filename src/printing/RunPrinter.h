#pragma once
#include "PrintJob.h"
#include "platform/controls/Label.h"

#include <QStringList>
#include <functional>
#include <optional>

namespace numora {

class Dialogs;
class LayoutDocument;
class PrintGenerator;
class Printer;
class RunClaims;
class RunEntries;
class TextMeasure;

// Prints a whole run at once, without the print dialog and its timers: the
// run is checked, generated in one go and printed through a PrintJob. The
// command line, the reprint and the preview print this way; the rules it
// shares with the dialog (the checks, the document's name, the measuring
// font, the failure message) are stated here once.
class RunPrinter
{
public:
    struct Deps
    {
        Printer &printer;
        TextMeasure &measure;
        Dialogs &dialogs;
        LayoutDocument &doc;
        PrintGenerator &generator;
        // The journal of runs; none where runs are not recorded.
        RunClaims *claims = nullptr;
        // The layout's 54 values, as the journal keeps them.
        std::function<QStringList()> layoutLines = {};
    };
    explicit RunPrinter(Deps deps);

    // `pages` printed pages, with the two-page option, or only the printed
    // pages of a reprint. A run refused before it starts says why in `why`;
    // a failure is also told through the dialogs, as the print dialog
    // tells it.
    PrintJob::Result print(qint64 pages, bool twoPages, const std::optional<PrintJob::Reprint> &reprint = {});

    // Why a run of that many pages cannot be printed as the layout stands
    // (no page, more than a run can have, the two-page option with one page,
    // numbers past the highest that can be printed); empty when it can.
    static QString refusal(const LayoutDocument &doc, double pages, bool twoPages);
    // The printed document's name, also the title of the run's messages.
    static QString documentTitle(const LayoutDocument &doc);
    // What the operator is told when `printer` printed nothing of a run.
    static QString failureMessage(const QString &printer, const QString &why);
    // The printer's orientation for the layout's page.
    static int orientation(const LayoutDocument &doc);
    // The label a job measures number texts with: bold, sized to its text.
    static void setUpMeasuring(Label &label, TextMeasure &measure);
    // Its font, from the layout's font fields.
    static void takeMeasuringFont(Label &label, const LayoutDocument &doc);
    // The generated run through the job; nothing when nothing was generated
    // (a count no run can finish): the run then ends without a word.
    static std::optional<PrintJob::Result> printGenerated(PrintJob &job, const RunEntries &entries,
                                                          const PrintJob::Request &request);

private:
    Deps m_d;
    Label m_measuring{QStringLiteral("L1")};
};

} // namespace numora
