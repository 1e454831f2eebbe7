#include "RunPrinter.h"
#include "NumberPlacement.h"
#include "PrintGenerator.h"
#include "PrintOrderEngine.h"
#include "layout/LayoutDocument.h"
#include "numbertext/RunEntry.h"
#include "platform/Dialogs.h"
#include "platform/Numeric.h"
#include "platform/Printer.h"
#include "platform/TextMeasure.h"

#include <array>

namespace numora {

RunPrinter::RunPrinter(Deps deps)
    : m_d(std::move(deps))
{
    setUpMeasuring(m_measuring, m_d.measure);
}

QString RunPrinter::refusal(const LayoutDocument &doc, double pages, bool twoPages)
{
    if (pages == 0)
        return QStringLiteral("Type Numbar Of Pages");
    if (!pageCountAccepted(pages))
        return QStringLiteral("A run can have at most %1 pages.").arg(qint64(MaxRunPages));
    if (twoPages && pages > 0 && pages < 2)
        return QStringLiteral("With the two-page option a run needs at least 2 pages: every page is printed twice.");
    const double generated = twoPages ? double(integerDivide(pages, 2).value_or(0)) : pages;
    std::array<double, 12> counters{};
    for (std::size_t i = 0; i < counters.size(); ++i)
        counters[i] = leadingNumber(doc.signSlots[i]->counter.text());
    const double reach = runNumberingReach(printOrderNumber(doc.wayPrint.text()), slotsOnPage(doc.gridType.text()),
                                           generated, leadingNumber(doc.startNumber.text()), counters);
    if (!(reach <= MaxRunNumber))
        return QStringLiteral("The numbers of this run would pass 999,999,999,999,999, the highest number that can be "
                              "printed: set a lower start number or print fewer pages.");
    return {};
}

QString RunPrinter::documentTitle(const LayoutDocument &doc)
{
    const QString fileName = doc.fileCaption.caption().mid(10);
    return QStringLiteral("Talonix") + (fileName == QLatin1String(": None") ? QStringLiteral(": No FileName") : fileName)
           + QLatin1Char('.') + doc.typeCaption.caption().mid(6);
}

void RunPrinter::tellFailure(Dialogs &dialogs, const QString &printer, const QString &title,
                             const PrintJob::Result &result)
{
    const QString taken = result.pagesAccount();
    if (result.why.isEmpty()) {
        // A Stop after parts went out: the operator learns where it stopped.
        if (!taken.isEmpty())
            dialogs.message(taken, title, Dialogs::Buttons::OK);
        return;
    }
    // A run refused for its own numbers is no fault of the printer's.
    const QString why = result.refused ? QStringLiteral("This run cannot be printed:\r\n%1").arg(result.why)
                                       : QStringLiteral("The printer \"%1\" could not print this run:\r\n%2")
                                             .arg(printer, result.why);
    dialogs.message(QStringLiteral("%1\r\n\r\n%2")
                        .arg(why,
                             !taken.isEmpty() ? taken
                                              : QStringLiteral("Nothing was counted: the numbers stay as they "
                                                               "were before the run.")),
                    title, Dialogs::Buttons::OK);
}

int RunPrinter::orientation(const LayoutDocument &doc)
{
    return NumberPlacement::printerOrientation(doc);
}

void RunPrinter::setUpMeasuring(Label &label, TextMeasure &measure)
{
    label.setVisible(false);
    label.setFontBold(true);
    label.setAutoSize(true, [&measure](const QString &t, const FontSpec &f, double &w, double &h) {
        measure.measure(t, f, w, h);
    });
}

void RunPrinter::takeMeasuringFont(Label &label, const LayoutDocument &doc)
{
    label.setFont(NumberPlacement::boxFont(doc));
    label.setCaption(doc.sampleLabel.caption());
}

std::optional<PrintJob::Result> RunPrinter::printGenerated(PrintJob &job, const RunEntries &entries,
                                                           const PrintJob::Request &request)
{
    if (entries.count() == 0)
        return std::nullopt;
    return job.run(request);
}

PrintJob::Result RunPrinter::print(qint64 pages, bool twoPages, const std::optional<PrintJob::Reprint> &reprint)
{
    LayoutDocument &doc = m_d.doc;
    Printer &printer = m_d.printer;
    PrintJob::Result result;
    result.why = refusal(doc, double(pages), twoPages);
    if (!result.why.isEmpty()) {
        result.refused = true;
        return result;
    }
    PrintJob::Request request;
    request.title = documentTitle(doc);
    request.pagesAsked = double(pages);
    request.twoPages = twoPages;
    request.reprint = reprint;
    printer.setDocumentName(request.title);
    PrintJob::setPrinterFont(printer, doc);
    takeMeasuringFont(m_measuring, doc);
    // A run that fails puts the numbering back where it stood now; the
    // journal keeps the layout as it was before the numbers moved on.
    request.before = PrintJob::Numbering::of(doc);
    request.layoutLines = m_d.layoutLines ? m_d.layoutLines() : QStringList();

    m_d.generator.generate(pages, twoPages);
    printer.setOrientation(orientation(doc));
    PrintJob job(printer, doc, m_measuring, m_d.generator.sequence, m_d.claims);
    job.onFailure = [this, &request](const PrintJob::Result &failed) {
        tellFailure(m_d.dialogs, m_d.printer.currentName().trimmed(), request.title, failed);
    };
    return printGenerated(job, m_d.generator.sequence, request).value_or(result);
}

} // namespace numora
