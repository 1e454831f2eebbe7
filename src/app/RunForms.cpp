#include "RunForms.h"
#include "MainForm.h"
#include "layoutfiles/LayoutFile.h"
#include "platform/Numeric.h"
#include "printing/RunPrinter.h"

#include <algorithm>

namespace numora {

RunForms::RunForms(const Services &services, Printer &printer, Journal *journal)
    : m_folder(m_dir.path() + QStringLiteral("/Data"))
    , m_services{m_scheduler,
                 services.measure,
                 services.dialogs,
                 m_settings,
                 services.clock,
                 services.fontNames,
                 m_folder,
                 printer,
                 nullptr,
                 journal,
                 journal ? services.localJournal : nullptr,
                 services.workstation}
{}

RunForms::~RunForms() = default;

bool RunForms::load(const QStringList &layoutLines, const QString &gridType, const QString &layoutName,
                    const CodeSettings &code, QString *problem)
{
    if (!m_dir.isValid()) {
        *problem = QStringLiteral("cannot be set up for printing: no temporary folder (%1)").arg(m_dir.errorString());
        return false;
    }
    const GridTypeInfo *grid = findGridType(gridType);
    const QString fileName = QStringLiteral("Run.") + QLatin1String(grid ? grid->tag : "2x2");
    // The forms' own Data folder stays empty: nothing of theirs is written.
    if (!m_folder.ensureExists()) {
        *problem = QStringLiteral("cannot be set up for printing: no folder for its forms");
        return false;
    }
    m_form = std::make_unique<MainForm>(m_services);
    m_form->startUp();
    m_scheduler.settle();
    // From memory, through the loader a file goes through, encoded as a
    // file would be: the run loads exactly as its layout file would.
    if (!m_form->layoutFiles().loadLayout(encodeLayoutFile(layoutFileKeys(LayoutWriter::SaveCommand), layoutLines),
                                          fileName)) {
        *problem = QStringLiteral("cannot be read back");
        return false;
    }
    // The printed document's name comes from these captions: the run keeps
    // the name it has, not the loader's file name.
    m_form->doc.documentName.setCaption(layoutName);
    m_form->doc.fileCaption.setCaption(QStringLiteral("File Name : ") + layoutName);
    m_form->doc.typeCaption.setCaption(QStringLiteral("Type: ") + QLatin1String(grid ? grid->tag : "2x2"));
    m_form->doc.autoPlace.setCaption(QStringLiteral("No"));
    // The run's own code, never the one the session left in these forms.
    m_form->doc.code = code;
    m_scheduler.settle();
    return true;
}

RunForms::Outcome RunForms::print(qint64 pages, bool twoPages, std::optional<PrintJob::Reprint> only)
{
    return printWith(*m_form, m_scheduler, pages, twoPages, only);
}

RunForms::Outcome RunForms::printWith(MainForm &form, ManualScheduler &scheduler, qint64 pages, bool twoPages,
                                      std::optional<PrintJob::Reprint> reprint)
{
    Services &s = form.services();
    RunPrinter printer(RunPrinter::Deps{s.printer, s.measure, s.dialogs, form.doc, form.printGenerator,
                                        &form.recorder, [&form] { return layoutFileValues(form.doc); }});
    const PrintJob::Result result = printer.print(pages, twoPages, reprint);
    Outcome outcome;
    // What the numbering's changes set going comes to rest before anyone
    // reads the forms.
    outcome.ended = scheduler.settle();
    outcome.printed = outcome.ended && result.printed;
    // Pages that went out before a failure stay counted.
    outcome.pages = outcome.ended ? result.pages : 0;
    outcome.failure = result.why;
    outcome.refused = result.refused;
    outcome.unrecordedEnd = form.recorder.unrecordedEnd();
    outcome.duplicates = form.recorder.refusedDuplicates();
    return outcome;
}

std::vector<NumberRange> RunForms::numbers(qint64 pages, bool twoPages)
{
    MainForm &f = *m_form;
    f.printGenerator.generate(pages, twoPages);
    m_scheduler.settle();
    const int perPage = int(std::max(0.0, leadingNumber(f.doc.gridType.text())));
    const bool reverse = f.doc.wayPrint.text().startsWith(QLatin1Char('6'));
    return rangesOfSequence(f.printGenerator.sequence, perPage, reverse, twoPages);
}

} // namespace numora
