#pragma once
#include "NumberPlacement.h"
#include "platform/RunClaims.h"
#include "printing/CodeMaker.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace numora {

class Label;
class LayoutDocument;
class Printer;
class RunEntries;

// Prints a generated run: the journal's claim, the page walk through the
// Printer, the record of how the run ended, and on a failure or a Stop the
// numbering put back. The print dialog, the command line, the reprint and
// the preview all print through it. Whatever way it leaves, the document it
// started is ended or thrown away before anyone hears how it went.
class PrintJob
{
public:
    // The start number and the twelve counters as they stood before the
    // run moved them on.
    struct Numbering
    {
        QString start;
        std::array<QString, 12> counters;
        static Numbering of(LayoutDocument &doc);
        void restore(LayoutDocument &doc) const;
        // The numbering moved on from here as a run of only the first
        // `pages` document pages would have moved it.
        Numbering movedOn(const LayoutDocument &doc, qsizetype pages, bool twoPages) const;
        void moveOn(LayoutDocument &doc, qsizetype pages, bool twoPages) const;
        // Where a run that did not print leaves the numbering: moved on past
        // the pages the print system took, when that can be.
        Numbering afterCut(const LayoutDocument &doc, qsizetype pagesTaken, bool twoPages) const;
        bool operator==(const Numbering &other) const
        {
            return start == other.start && counters == other.counters;
        }
    };

    // A reprint: only the printed pages from..to of the run go out
    // (1-based), and the journal records it as a reprint of that run. Or,
    // with `rest`, the pages of a run cut short that were not counted: a new
    // run that claims its numbers, journaled as the rest of that run.
    struct Reprint
    {
        qint64 runId = 0;
        qsizetype fromPage = 1, toPage = 1;
        // The run's page 1 is the generated run's page pagesBefore + 1: a
        // rest and its reprints are generated as the whole first run.
        qsizetype pagesBefore = 0;
        bool rest = false;
    };

    struct Request
    {
        QString title;         // the document's name, and message boxes' title
        double pagesAsked = 0; // the page field's count
        bool twoPages = false;
        QStringList layoutLines; // the layout as it was before the numbers moved on
        std::optional<Reprint> reprint;
        Numbering before;
        // The entry the walk starts at; moved on page by page (forward orders).
        qsizetype *index = nullptr;
    };

    struct Result
    {
        bool printed = false;
        // Pages sent when printed; else the pages the print system took
        // before the run failed or was stopped, which count as printed.
        qsizetype pages = 0;
        QString why; // why it did not print; empty for the operator's own choice
        // Refused before anything was claimed or printed: the run as asked
        // for cannot print (a number its code cannot hold, too many pages).
        bool refused = false;
        // The run's pages the job was to send (1-based).
        qsizetype firstPage = 1, lastPage = 0;
        // For a run that did not print: which of its pages went out and
        // which did not, in words for the operator; empty when none went.
        QString pagesAccount() const;
    };

    // `measuring` is the label whose extent shapes each number's box; it
    // takes the last text printed.
    PrintJob(Printer &printer, LayoutDocument &doc, Label &measuring, const RunEntries &entries,
             RunClaims *claims = nullptr);

    // Asked once per page: pages done so far and the whole count; false stops.
    std::function<bool(qsizetype page, qsizetype pages)> progress;
    // Asked over and over while the journal claims the run's numbers: keeps
    // the windows painting; false stops the job before its first page.
    std::function<bool()> claiming;
    // Told how a run that did not print ended, before the numbering is put
    // back (or moved on past the pages the print system took).
    std::function<void(const Result &result)> onFailure;

    Result run(const Request &request);
    // True while pages are drawn (a view may let events through meanwhile).
    bool running() const { return m_running; }

    // The number sample's font and fore colour, in the order the job sets them.
    static void setPrinterFont(Printer &printer, const LayoutDocument &doc);

private:
    bool runClaimed(const Request &request, Result &result);
    bool walk(const Request &request, Result &result);
    bool printEntry(qsizetype index);
    bool printCode(const struct RunEntry &entry, const QRectF &textBox);

    Printer &m_printer;
    LayoutDocument &m_doc;
    Label &m_measuring;
    const RunEntries &m_entries;
    RunClaims *m_claims;
    bool m_running = false;
    std::optional<QString> m_lastText;
    // Where the numbers go on the paper of the job in progress.
    std::optional<NumberPlacement> m_placement;
    CodeMaker m_codes;
    QString m_codeFailure; // why a code could not be drawn
};

} // namespace numora
