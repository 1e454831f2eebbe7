#include "Reprinter.h"
#include "MainForm.h"
#include "journal/Journal.h"
#include "layoutfiles/LayoutFile.h"
#include "platform/LayoutFolder.h"
#include "platform/ManualScheduler.h"
#include "platform/MemorySettingsStore.h"

#include <QTemporaryDir>

namespace numora {

Reprinter::Result Reprinter::reprint(const JournalRun &run, qint64 fromPage, qint64 toPage)
{
    Result result;
    if (run.layoutLines.size() != 54) {
        result.problem = QStringLiteral("the journal does not hold the layout of run %1").arg(run.id);
        return result;
    }
    if (fromPage < 1 || toPage < fromPage) {
        result.problem = QStringLiteral("pages %1 to %2 are no pages of a run").arg(fromPage).arg(toPage);
        return result;
    }
    QTemporaryDir dir;
    if (!dir.isValid()) {
        result.problem = QStringLiteral("no temporary folder for the reprint: %1").arg(dir.errorString());
        return result;
    }
    // Forms of the reprint's own: its numbering moves on and is forgotten.
    ManualScheduler scheduler;
    MemorySettingsStore settings;
    DiskLayoutFolder folder(dir.path() + QStringLiteral("/Data"));
    const GridTypeInfo *grid = findGridType(run.gridType);
    const QString fileName = QStringLiteral("Reprint.") + QLatin1String(grid ? grid->tag : "2x2");
    QString error;
    if (!folder.ensureExists()
        || !folder.write(folder.filePath(fileName), encodeLayoutFile(layoutFileKeys(LayoutWriter::SaveCommand), run.layoutLines),
                         &error)) {
        result.problem = QStringLiteral("the layout of run %1 cannot be set up for printing: %2").arg(run.id).arg(error);
        return result;
    }
    Services services = m_services;
    Services own{scheduler,       services.measure, services.dialogs, settings, services.clock, services.fontNames,
                 folder,          services.printer, nullptr,          services.journal, services.localJournal,
                 services.workstation};
    MainForm form(own);
    form.startUp();
    scheduler.settle();
    if (!form.layoutFiles().loadLayoutFile(folder.filePath(fileName), fileName)) {
        result.problem = QStringLiteral("the layout of run %1 cannot be read back").arg(run.id);
        return result;
    }
    // The printed document keeps the name it had, which comes from these.
    form.doc.documentName.setCaption(run.layoutName);
    form.doc.fileCaption.setCaption(QStringLiteral("File Name : ") + run.layoutName);
    form.doc.typeCaption.setCaption(QStringLiteral("Type: ") + QLatin1String(grid ? grid->tag : "2x2"));
    form.doc.autoPlace.setCaption(QStringLiteral("No"));
    scheduler.settle();

    PrintForm &dialog = form.printForm;
    QString failure;
    bool failed = false;
    dialog.onJobFailed.connect([&](const QString &why) {
        failed = true;
        failure = why;
    });
    dialog.open();
    dialog.Check1.setValue(run.twoPages ? 1 : 0);
    dialog.Te1.setText(QString::number(run.pagesRequested));
    dialog.reprint = PrintForm::Reprint{run.id, qsizetype(fromPage), qsizetype(toPage)};
    dialog.Command1.click();
    if (!scheduler.settle() || dialog.visible()) {
        result.problem = QStringLiteral("the reprint did not come to an end");
        return result;
    }
    result.printed = !failed;
    result.pages = failed ? 0 : dialog.lastJobPages();
    result.problem = failure;
    return result;
}

} // namespace numora
