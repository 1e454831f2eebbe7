#include "RunMainWindow.h"
#include "journal/JournalSetup.h"
#include "journal/JournalWorker.h"
#include "platform/qt/QtFonts.h"
#include "app/MainForm.h"
#include "SystemClock.h"
#include "platform/LayoutFolder.h"
#include "platform/qt/CupsPrintQueue.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtScheduler.h"
#include "platform/Calibration.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtTextMeasure.h"
#include "ui/PrintWindow.h"
#include "ui/MainWindow.h"
#include "ui/ViewSupport.h"
#include "layoutfiles/BrowserForm.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace numora {

int runMainWindow(QApplication &app, const QString &layoutPath)
{
    ui::applyLook(app);
    QtScheduler scheduler;
    QtTextMeasure measure;
    QtDialogs dialogs;
    QtSettingsStore settings;
    SystemClock clock;
    // Layout files live in the Data folder of the per-user application data
    // (~/.local/share/Numbering/Data): the program's own folder is not
    // writable once installed.
    DiskLayoutFolder layouts(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                             + QStringLiteral("/Data"));
    QtPrinter printer;
    printer.readPartPages(settings);
    CalibrationStore calibrations(settings);
    printer.calibrationFor = [&calibrations](const QString &name) { return calibrations.calibration(name); };
    QtDesktop desktop;
    // The journal of runs sits beside the Data folder, unless the program's
    // settings name a database the shop's workstations share.
    JournalSetup journal = setUpJournal(settings, QString(),
                                        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                            + QStringLiteral("/journal.sqlite"));
    printer.protectedFiles = journal.localFiles();
    // Claims and reads run on a thread of their own, so that a shared
    // journal slow to answer never holds the window; it keeps painting
    // meanwhile, and the print dialog shows the claim with its Stop.
    JournalWorker journalWorker(std::move(journal.journal));
    journalWorker.setWaiting([] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    });
    Services services{scheduler,
                      measure,
                      dialogs,
                      settings,
                      clock,
                      installedFontFamilies,
                      layouts,
                      printer,
                      &desktop,
                      &journalWorker,
                      journal.local.get(),
                      journal.workstation};
    CupsPrintQueue printQueue;
    services.printQueue = &printQueue;
    MainForm form(services);
    form.startUp();
    ui::MainWindow window(form);
    dialogs.setParent(&window);
    // The PDF entry asks for its file over the print dialog, which is open
    // while a run prints.
    printer.askPdfFileName = [&window](const QString &proposal) {
        QWidget *over = window.printWindow();
        if (!over || !over->isVisible())
            over = &window;
        const QFileInfo proposed(proposal);
        QFileDialog dialog(over, QObject::tr("Save the pages as PDF"), proposed.absolutePath(),
                           QObject::tr("PDF files (*.pdf)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // A name typed without an ending gets ".pdf" before the dialog asks
        // whether to replace an existing file.
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        dialog.selectFile(proposed.fileName());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        QString path = dialog.selectedFiles().constFirst();
        if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            path += QLatin1String(".pdf");
        return path;
    };
    window.show();
    if (!journal.warning.isEmpty())
        dialogs.message(journal.warning, QStringLiteral("Numora"), Dialogs::Buttons::OK);
    if (!layoutPath.isEmpty()) {
        // The browser made only to open the file is not open: it does not
        // dock beside the window, as a closed one does not.
        const bool wasMade = form.browserCreated();
        BrowserForm &browser = form.browser();
        if (!wasMade)
            browser.setEnabled(false);
        browser.openFile(layoutPath);
    }
    return app.exec();
}

} // namespace numora
