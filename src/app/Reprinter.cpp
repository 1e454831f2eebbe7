#include "Reprinter.h"
#include "RunForms.h"
#include "journal/Journal.h"
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
    if (run.layoutLines.size() != 54) {
        result.problem = QStringLiteral("the journal does not hold the layout of run %1").arg(run.id);
        return result;
    }
    // Forms of the reprint's own: its numbering moves on and is forgotten;
    // the journal records the reprint.
    RunForms forms(m_services, m_services.printer, m_services.journal);
    QString problem;
    const CodeSettings code = CodeSettings::fromLine(run.code).value_or(CodeSettings{});
    if (!forms.load(run.layoutLines, run.gridType, run.layoutName, code, &problem)) {
        result.problem = QStringLiteral("the layout of run %1 %2").arg(run.id).arg(problem);
        return result;
    }
    // Placed as the run was, whatever the printer's calibration is now.
    m_services.printer.pinCalibration(run.calibration);
    const RunForms::Outcome outcome =
        forms.print(run.pagesRequested, run.twoPages, run.id, std::make_pair(fromPage, toPage));
    m_services.printer.pinCalibration(std::nullopt);
    if (!outcome.ended) {
        result.problem = QStringLiteral("the reprint did not come to an end");
        return result;
    }
    result.printed = outcome.printed;
    result.pages = outcome.pages;
    result.problem = outcome.failure;
    result.unrecordedEnd = outcome.unrecordedEnd;
    return result;
}

} // namespace numora
