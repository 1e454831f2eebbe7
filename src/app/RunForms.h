#pragma once
#include "Services.h"
#include "journal/Journal.h"
#include "platform/LayoutFolder.h"
#include "platform/ManualScheduler.h"
#include "platform/MemorySettingsStore.h"
#include "printing/PrintJob.h"

#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace numora {

class MainForm;

// Headless forms of their own that print one run as a layout's 54 values
// describe it. Their timers, settings, Data folder and so their numbering
// are theirs and forgotten with them; the measure, the dialogs, the clock
// and the fonts are the program's. The reprint and the preview print
// through them.
class RunForms
{
public:
    RunForms(const Services &services, Printer &printer, Journal *journal);
    ~RunForms();

    // Loads the layout under the given name; false with the reason
    // ("cannot be read back") when it cannot.
    bool load(const QStringList &layoutLines, const QString &gridType, const QString &layoutName,
              const CodeSettings &code, QString *problem);

    struct Outcome
    {
        bool ended = false; // false when the run never came to an end
        bool printed = false;
        // Pages sent; for a run that did not print, the pages the print
        // system took before it failed or stopped (counted all the same).
        qint64 pages = 0;
        QString failure;  // why the run failed; empty for a Stop
        // Refused before anything was printed, for what was asked.
        bool refused = false;
        // The journaled run whose end could not be recorded: it stays
        // unfinished until it is closed by hand.
        std::optional<qint64> unrecordedEnd;
        // The numbers printed before that kept the run from printing.
        std::vector<JournalDuplicate> duplicates;
    };
    // Prints `pages` pages (with the two-page option), or only some of them.
    Outcome print(qint64 pages, bool twoPages, std::optional<PrintJob::Reprint> only = {});
    // A run of `pages` printed at once by the given forms (RunPrinter),
    // without their print dialog, and their timers settled. The window's own
    // forms print the command line's runs through it.
    static Outcome printWith(MainForm &form, ManualScheduler &scheduler, qint64 pages, bool twoPages,
                             std::optional<PrintJob::Reprint> reprint = {});

    // Generates the run without printing it: the numbers of each position,
    // in the order the pages would go out.
    std::vector<NumberRange> numbers(qint64 pages, bool twoPages);

    MainForm &form() { return *m_form; }

private:
    QTemporaryDir m_dir;
    ManualScheduler m_scheduler;
    MemorySettingsStore m_settings;
    DiskLayoutFolder m_folder;
    Services m_services;
    std::unique_ptr<MainForm> m_form;
};

} // namespace numora
