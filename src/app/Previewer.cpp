#include "Previewer.h"
#include "MainForm.h"
#include "RunForms.h"
#include "journal/JournalForm.h"
#include "printing/NumberPlacement.h"
#include "platform/PrintArea.h"
#include "printing/Preflight.h"

#include <algorithm>

namespace numora {

namespace {

// Each position's first and last texts of the generated run, checked on the
// printer's paper.
QStringList findingsOf(RunForms &forms, const std::vector<NumberRange> &ranges, const Services &services)
{
    QList<PositionTexts> positions;
    for (const NumberRange &r : ranges) {
        auto it = std::find_if(positions.begin(), positions.end(),
                               [&r](const PositionTexts &p) { return p.position == r.position; });
        if (it == positions.end())
            it = positions.insert(positions.end(), PositionTexts{r.position, {}});
        it->texts << r.firstText() << r.lastText();
    }
    LayoutDocument &doc = forms.form().doc;
    return preflightFindings(doc, NumberPlacement::printArea(services.printer, doc), services.measure, positions);
}

} // namespace

QStringList Previewer::preflight(const Run &run) const
{
    RunForms forms(m_services, m_services.printer, nullptr);
    QString problem;
    if (!forms.load(run.layoutLines, run.gridType, run.layoutName, run.code, &problem))
        return {};
    return findingsOf(forms, forms.numbers(run.pages, run.twoPages), m_services);
}

PrintForm::Preview Previewer::preview(const Run &run) const
{
    PrintForm::Preview result;
    const qint64 shown = std::min(run.pages, ShownPages);
    // Into forms without a journal: the preview is no run.
    const auto printInto = [run, shown](RunForms &forms, QString *problem) {
        if (!forms.load(run.layoutLines, run.gridType, run.layoutName, run.code, problem)) {
            *problem = QStringLiteral("the layout ") + *problem;
            return false;
        }
        const RunForms::Outcome outcome =
            forms.print(run.pages, run.twoPages, PrintJob::Reprint{0, 1, qsizetype(shown)});
        if (!outcome.ended)
            *problem = QStringLiteral("the run did not come to an end");
        else if (!outcome.printed)
            *problem = outcome.failure;
        return outcome.printed;
    };

    // The numbers of the whole run, from its generation alone.
    RunForms forms(m_services, m_services.printer, nullptr);
    QString problem;
    if (!forms.load(run.layoutLines, run.gridType, run.layoutName, run.code, &problem)) {
        result.problem = QStringLiteral("the layout ") + problem;
        return result;
    }
    JournalRun numbers;
    numbers.ranges = forms.numbers(run.pages, run.twoPages);
    result.lines = JournalForm::positionLines(numbers);
    if (result.lines.isEmpty())
        result.lines << QStringLiteral("The run prints no numbers.");
    result.lines << findingsOf(forms, numbers.ranges, m_services);
    if (shown < run.pages)
        result.lines << QStringLiteral("Pages 1 to %1 of %2 are shown.").arg(shown).arg(run.pages);

    result.drawPages = [services = m_services, printInto](Printer &printer) {
        RunForms own(services, printer, nullptr);
        QString ignored;
        printInto(own, &ignored);
    };
    return result;
}

} // namespace numora
