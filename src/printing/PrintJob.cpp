#include "PrintJob.h"
#include "PrintOrderEngine.h"
#include "NumberPlacement.h"
#include "layout/LayoutDocument.h"
#include "numbertext/RunEntry.h"
#include "platform/Numeric.h"
#include "platform/CodeShapes.h"
#include "platform/Printer.h"
#include "platform/controls/Label.h"

#include <algorithm>

namespace numora {

namespace {

// Whichever way a job leaves, the document it started is ended or thrown
// away before anyone hears how it went: a document left open would take the
// next run's pages and keep the printer from being changed.
class DocumentGuard
{
public:
    explicit DocumentGuard(Printer &printer)
        : m_printer(printer)
    {}
    DocumentGuard(const DocumentGuard &) = delete;
    DocumentGuard &operator=(const DocumentGuard &) = delete;
    // After a document that ended this throws nothing away; after a failed
    // one it clears the failure, so that the next document starts afresh.
    ~DocumentGuard() { m_printer.abortDocument(); }

private:
    Printer &m_printer;
};

} // namespace

PrintJob::Numbering PrintJob::Numbering::of(LayoutDocument &doc)
{
    Numbering n;
    n.start = doc.startNumber.text();
    for (int s = 1; s <= 12; ++s)
        n.counters[std::size_t(s - 1)] = doc.slot(s).counter.text();
    return n;
}

void PrintJob::Numbering::restore(LayoutDocument &doc) const
{
    // Counters first: each copies itself into the start number field, which
    // then takes its own value back last.
    for (int s = 1; s <= 12; ++s)
        doc.slot(s).counter.setText(counters[std::size_t(s - 1)]);
    doc.startNumber.setText(start);
}

void PrintJob::Numbering::moveOn(LayoutDocument &doc, qsizetype pages, bool twoPages) const
{
    movedOn(doc, pages, twoPages).restore(doc);
}

PrintJob::Numbering PrintJob::Numbering::afterCut(const LayoutDocument &doc, qsizetype pagesTaken,
                                                  bool twoPages) const
{
    // What the print system took may be on paper already: its numbers are
    // used up. A reversed run prints the last numbers first, which no
    // numbering can leave out; the journal guards those.
    const bool reverse = doc.wayPrint.text().startsWith(QLatin1Char('6'));
    return pagesTaken > 0 && !reverse ? movedOn(doc, pagesTaken, twoPages) : *this;
}

PrintJob::Numbering PrintJob::Numbering::movedOn(const LayoutDocument &doc, qsizetype pages, bool twoPages) const
{
    PrintRunInput in;
    in.gridType = doc.gridType.text();
    in.printOrder = doc.wayPrint.text();
    in.startText = start;
    in.counters = counters;
    in.pageCountText = QString::number(pages);
    in.twoPages = twoPages;
    const PrintRunResult moved = runPrintOrder(in);
    Numbering after;
    after.start = moved.startText;
    after.counters = moved.counters;
    return after;
}

QString PrintJob::Result::pagesAccount() const
{
    if (printed || pages <= 0)
        return {};
    const qsizetype lastTaken = firstPage + pages - 1;
    if (lastTaken >= lastPage)
        return QStringLiteral("Pages %1 to %2 went to the printer and are counted.").arg(firstPage).arg(lastPage);
    return QStringLiteral("The run stopped at page %1: pages %2 to %3 went to the printer and are counted; "
                          "pages %1 to %4 were not printed and are not counted. \"Print the rest\" in the "
                          "journal prints them as a new run.")
        .arg(lastTaken + 1)
        .arg(firstPage)
        .arg(lastTaken)
        .arg(lastPage);
}

PrintJob::PrintJob(Printer &printer, LayoutDocument &doc, Label &measuring, const RunEntries &entries,
                   RunClaims *claims)
    : m_printer(printer)
    , m_doc(doc)
    , m_measuring(measuring)
    , m_entries(entries)
    , m_claims(claims)
{}

void PrintJob::setPrinterFont(Printer &printer, const LayoutDocument &doc)
{
    const Label &sample = doc.sampleLabel;
    printer.setFontName(sample.font().name);
    printer.setFontSize(sample.font().size);
    printer.setFontBold(sample.font().bold);
    printer.setForeColor(sample.foreColor());
    printer.setFontItalic(sample.font().italic);
}

PrintJob::Result PrintJob::run(const Request &request)
{
    Result result;
    bool printed = false;
    {
        const DocumentGuard guard(m_printer);
        printed = runClaimed(request, result);
    }
    if (printed)
        return result;
    if (onFailure)
        onFailure(result);
    request.before.afterCut(m_doc, request.reprint ? 0 : result.pages, request.twoPages).restore(m_doc);
    return result;
}

bool PrintJob::runClaimed(const Request &request, Result &result)
{
    Printer &p = m_printer;
    if (p.documentOpen()) {
        // Its pages would go out with an earlier document.
        result.why = QStringLiteral("The printer is still holding an earlier document.");
        return false;
    }
    // A number its code cannot hold is found before anything is asked,
    // claimed or printed, not on the page it would have spoiled.
    if (const QString refused = CodeMaker::refusal(m_doc.code, m_entries); !refused.isEmpty()) {
        result.why = refused;
        result.refused = true;
        return false;
    }
    // Where the pages go is settled before the journal records the run.
    if (!p.chooseTarget()) {
        result.why = p.lastFailureCancelled() ? QString() : p.lastError();
        return false;
    }
    m_codes.setSettings(m_doc.code);
    m_codeFailure.clear();
    const bool reverse = m_doc.wayPrint.text().startsWith(QLatin1Char('6'));
    if (m_claims) {
        PrintRun run;
        run.title = request.title;
        run.layoutName = m_doc.documentName.caption();
        run.gridType = m_doc.gridType.text();
        run.printOrder = m_doc.wayPrint.text();
        run.printer = p.targetName();
        run.calibration = p.printArea().calibration;
        run.pagesRequested = qint64(request.pagesAsked);
        run.twoPages = request.twoPages;
        run.reverse = reverse;
        run.perPage = int(std::max(0.0, leadingNumber(m_doc.gridType.text())));
        run.layoutLines = request.layoutLines;
        if (const std::optional<Reprint> &only = request.reprint) {
            run.sentFrom = only->pagesBefore + only->fromPage;
            run.sentTo = only->pagesBefore + only->toPage;
            if (only->rest) {
                // Its own pages, counted from 1, like any run's.
                run.restOf = only->runId;
                run.restFrom = only->fromPage;
                run.pagesBefore = run.sentFrom - 1;
                run.pagesRequested = only->toPage - only->fromPage + 1;
            } else {
                run.reprintOf = only->runId;
                run.reprintFrom = only->fromPage;
                run.reprintTo = only->toPage;
                run.pagesBefore = only->pagesBefore;
                run.pagesRequested -= only->pagesBefore;
            }
        }
        if (m_doc.code.used())
            run.code = m_doc.code.toLine();
        // Events go through while the journal claims, as while pages are
        // drawn: a tick that comes in meanwhile must find the job running.
        m_running = true;
        m_claims->setWaiting(claiming);
        // False: nothing goes out and nothing moved, the operator chose so.
        if (!m_claims->begin(run)) {
            m_running = false;
            return false;
        }
    }
    m_running = true;
    m_lastText.reset();
    result.printed = walk(request, result);
    if (result.printed && p.documentOpen()) {
        result.printed = false;
        result.why = QStringLiteral("The document was not finished.");
    }
    if (!result.printed)
        result.pages = std::clamp<qsizetype>(p.pagesTaken(), 0, result.lastPage - result.firstPage + 1);
    if (m_claims)
        m_claims->finish(result.printed, result.pages, result.why, p.jobsTaken());
    if (m_lastText)
        m_measuring.setCaption(*m_lastText);
    m_running = false;
    return result.printed;
}

bool PrintJob::walk(const Request &request, Result &result)
{
    Printer &p = m_printer;
    const auto failed = [this, &p, &result] {
        result.why = !m_codeFailure.isEmpty() ? m_codeFailure : p.lastFailureCancelled() ? QString() : p.lastError();
        return false;
    };
    const qsizetype entries = m_entries.count();
    const qsizetype perPage = qsizetype(std::max(0.0, leadingNumber(m_doc.gridType.text())));
    // Only the pages the sequence holds are walked: with the two-page option
    // and an odd count there is no blank surplus page.
    const double asked = request.pagesAsked;
    qsizetype pages = perPage > 0 ? entries / perPage : 0;
    if (asked >= 0 && asked < double(pages))
        pages = qsizetype(asked);
    if (pages == 0) {
        result.why = QStringLiteral("The run has no whole page to print.");
        return false;
    }
    // A reprint sends only its pages; the others are read past. Pages the
    // run never printed cannot be printed again.
    const std::optional<Reprint> &reprint = request.reprint;
    const qsizetype before = reprint ? std::clamp<qsizetype>(reprint->pagesBefore, 0, pages) : 0;
    const qsizetype firstPage = reprint ? std::max<qsizetype>(1, reprint->fromPage) : 1;
    const qsizetype lastPage = reprint ? std::min(pages - before, reprint->toPage) : pages;
    if (firstPage > lastPage) {
        result.why = QStringLiteral("Pages %1 to %2 were not printed by the run: it printed pages 1 to %3.")
                         .arg(firstPage)
                         .arg(reprint->toPage)
                         .arg(pages - before);
        return false;
    }
    const qsizetype sent = lastPage - firstPage + 1;
    result.firstPage = firstPage;
    result.lastPage = lastPage;
    // Before the first output starts the document: its parts are named
    // from the start.
    p.setDocumentPages(sent);

    p.setFontItalic(false);
    p.setCurrentX(0);
    p.setCurrentY(0);
    p.setFontSize(8);
    p.setForeColor(0);
    if (!p.print(QStringLiteral(" ")))
        return failed();
    // The paper cannot change while the document is drawn.
    m_placement.emplace(m_doc, p.paperWidth(), p.paperHeight());

    const bool reverse = m_doc.wayPrint.text().startsWith(QLatin1Char('6'));
    qsizetype start = 0;
    qsizetype &next = request.index ? *request.index : start;
    qsizetype index = reverse ? entries - 1 : next;
    index += (reverse ? -1 : 1) * (before + firstPage - 1) * perPage;
    for (qsizetype page = firstPage; page <= lastPage; ++page) {
        if (page != firstPage && !p.newPage())
            return failed();
        for (qsizetype s = 0; s < perPage; ++s) {
            if (!printEntry(index))
                return failed();
            index += reverse ? -1 : 1;
        }
        if (!reverse)
            next = index;
        if (progress && !progress(page - firstPage + 1, sent)) {
            result.why.clear();
            return false;
        }
    }
    if (!p.endDoc())
        return failed();
    result.pages = sent;
    return true;
}

bool PrintJob::printEntry(qsizetype index)
{
    Printer &p = m_printer;
    const RunEntry entry = m_entries.entry(index);
    const QString text = entry.text.toString();
    const bool boxed = m_placement->boxed();
    // The extent shapes the box and places the code; without either the
    // text is not measured (the measuring label takes the last text when
    // the pass ends).
    double w = 0, t = 0;
    if (boxed || m_doc.code.used()) {
        m_measuring.setCaption(text);
        w = m_measuring.width();
        t = m_measuring.height();
    } else {
        m_lastText = text;
    }

    if (!m_placement->prints())
        return true;
    const QPointF at = m_placement->anchor(entry.top, entry.left);

    setPrinterFont(p, m_doc);
    const Label &sample = m_doc.sampleLabel;
    if (boxed) {
        const auto [from, to] = NumberPlacement::box(at, QSizeF(w, t));
        if (!p.line(from.x(), from.y(), to.x(), to.y(), sample.backColor(), true))
            return false;
        if (!p.line(from.x(), from.y(), to.x(), to.y(), 0, false))
            return false;
    }
    const QPointF corner = NumberPlacement::textCorner(at);
    p.setCurrentX(corner.x());
    p.setCurrentY(corner.y());
    if (!p.print(text))
        return false;
    return !m_doc.code.used() || printCode(entry, QRectF(corner, QSizeF(w, t)));
}

bool PrintJob::printCode(const RunEntry &entry, const QRectF &textBox)
{
    const std::optional<QString> value = CodeMaker::valueOf(m_doc.code, entry);
    QString why;
    const auto shapes = value ? m_codes.shapes(*value, &why) : nullptr;
    if (!shapes) {
        m_codeFailure = QStringLiteral("The %1 of \"%2\" could not be made: %3")
                            .arg(codeTypeTitle(m_doc.code.type), entry.text.toString(),
                                 why.isEmpty() ? QStringLiteral("it has no number") : why);
        return false;
    }
    // Placed by the size it prints at: a module rounded up grows away from
    // the text, not into the gap.
    const double module = m_printer.codeModule(m_doc.code.moduleMm * PrintArea::twipsPerMm);
    const QRectF box = codeExtent(m_doc.code, QSizeF(shapes->width, shapes->height), textBox, module);
    return m_printer.drawCode(*shapes, box.x(), box.y(), module);
}

} // namespace numora
