#include "Reprinter.h"
#include "MainForm.h"
#include "RunForms.h"
#include "layoutfiles/LayoutFile.h"
#include "platform/Printer.h"

namespace numora {

Reprinter::Result Reprinter::reprint(const JournalRun &run, qint64 fromPage, qint64 toPage)
{
    Result result;
    if (const QString refusal = run.reprintRefusal(fromPage, toPage); !refusal.isEmpty()) {
        result.problem = refusal;
        result.refused = true;
        return result;
    }
    return print(run, PrintJob::Reprint{run.id, qsizetype(fromPage), qsizetype(toPage)}, true);
}

Reprinter::Result Reprinter::printRest(const JournalRun &run)
{
    Result result;
    QString problem;
    std::optional<std::vector<JournalRun>> family;
    if (!m_services.journal)
        problem = QStringLiteral("no journal is kept");
    else if (m_services.journal->open(&problem))
        family = m_services.journal->familyOf(run.id, &problem);
    if (!family) {
        result.problem = QStringLiteral("the journal cannot tell whether the rest of run %1 was printed: %2")
                             .arg(run.id)
                             .arg(problem);
        return result;
    }
    if (const QString refusal = run.restRefusal(*family); !refusal.isEmpty()) {
        result.problem = refusal;
        result.refused = true;
        return result;
    }
    PrintJob::Reprint pages{run.id, qsizetype(run.pagesPrinted + 1), qsizetype(run.pagesRequested)};
    pages.rest = true;
    return print(run, pages, false);
}

std::optional<Reprinter::Origin> Reprinter::originOf(const JournalRun &run, QString *problem)
{
    Origin origin;
    origin.firstPrinted = run.pagesPrinted;
    qint64 restOf = run.restOf, from = run.restFrom, id = run.id;
    while (restOf != 0) {
        // A rest is journaled after its run: the walk back ends.
        const auto earlier =
            restOf < id && m_services.journal ? m_services.journal->run(restOf, problem) : std::nullopt;
        if (!earlier) {
            *problem = QStringLiteral("run %1 is the rest of run %2, which the journal cannot give (%3)")
                           .arg(id)
                           .arg(restOf)
                           .arg(problem->isEmpty() ? QStringLiteral("no such run") : *problem);
            return std::nullopt;
        }
        origin.pagesBefore += from - 1;
        origin.firstPrinted = earlier->pagesPrinted;
        id = earlier->id;
        restOf = earlier->restOf;
        from = earlier->restFrom;
    }
    return origin;
}

Reprinter::Result Reprinter::print(const JournalRun &run, PrintJob::Reprint pages, bool asPrinted)
{
    Result result;
    if (run.layoutLines.size() != 54) {
        result.problem = QStringLiteral("the journal does not hold the layout of run %1").arg(run.id);
        return result;
    }
    QString problem;
    const std::optional<Origin> origin = originOf(run, &problem);
    if (!origin) {
        result.problem = problem;
        return result;
    }
    pages.pagesBefore = qsizetype(origin->pagesBefore);
    // Forms of the reprint's own: its numbering moves on and is forgotten;
    // the journal records the reprint.
    RunForms forms(m_services, m_services.printer, m_services.journal);
    const CodeSettings code = CodeSettings::fromLine(run.code).value_or(CodeSettings{});
    if (!forms.load(run.layoutLines, run.gridType, run.layoutName, code, &problem)) {
        result.problem = QStringLiteral("the layout of run %1 %2").arg(run.id).arg(problem);
        return result;
    }
    LayoutDocument &doc = forms.form().doc;
    const PrintJob::Numbering start = PrintJob::Numbering::of(doc);
    // A reprint is placed as the run was, whatever the printer's calibration
    // is now; a rest is a new run on paper.
    if (asPrinted)
        m_services.printer.pinCalibration(run.calibration);
    // The whole first run is generated: in most orders a page's numbers
    // depend on how many pages the run has.
    const RunForms::Outcome outcome =
        forms.print(origin->pagesBefore + run.pagesRequested, run.twoPages, pages);
    if (asPrinted)
        m_services.printer.pinCalibration(std::nullopt);
    if (!outcome.ended) {
        result.problem = pages.rest ? QStringLiteral("the rest did not come to an end")
                                    : QStringLiteral("the reprint did not come to an end");
        return result;
    }
    result.printed = outcome.printed;
    result.pages = outcome.pages;
    result.problem = outcome.failure;
    result.unrecordedEnd = outcome.unrecordedEnd;
    result.duplicates = outcome.duplicates;
    if (pages.rest && outcome.printed && outcome.pages == pages.toPage - pages.fromPage + 1) {
        result.wholeNumbering = PrintJob::Numbering::of(doc);
        start.afterCut(doc, qsizetype(origin->firstPrinted), run.twoPages).restore(doc);
        result.leftLines = layoutFileValues(doc);
    }
    return result;
}

bool Reprinter::moveOnAfterRest(LayoutDocument &doc, const JournalRun &run, const Result &rest)
{
    if (!rest.wholeNumbering || doc.documentName.caption() != run.layoutName
        || layoutFileValues(doc) != rest.leftLines)
        return false;
    rest.wholeNumbering->restore(doc);
    return true;
}

} // namespace numora
