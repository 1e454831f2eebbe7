#pragma once
#include "platform/Form.h"
#include "platform/controls/BasicControls.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/TextEditing.h"
#include "platform/controls/Timer.h"
#include "PrintJob.h"

#include <array>
#include <functional>
#include <optional>

namespace numora {

class Clock;
class Dialogs;
class PrinterCalibrator;
class LayoutDocument;
class Printer;
class RunEntries;
class SettingsStore;
class TextMeasure;

// The print dialog Prnt1: printer choice, page count, the two-page option,
// the number sample, and the print job on its printTimer.
class PrintForm : public FormWithState<PrintForm>
{
public:
    // A look at the coming run before it prints: the first and last number
    // text of each position, and the drawing of its pages into any printer
    // (nothing moves, nothing is journaled); or why there is none.
    struct Preview
    {
        QStringList lines;
        std::function<void(Printer &)> drawPages;
        QString problem;
    };

    // What the dialog reaches outside itself. The main window's parts are
    // given as references so that the dialog can be built before them.
    struct Deps
    {
        Scheduler &scheduler;
        Dialogs &dialogs;
        SettingsStore &settings;
        Printer &printer;
        TextMeasure &measure;
        LayoutDocument &doc;
        Form &mainWindow;
        TextBox &pageCount;     // No1 on the main window
        Label &firstPreviewBox; // Test1: the measuring label shows with it
        Timer &setUpTimer;      // Tim2: the print order engine's set-up
        Timer &generationTimer; // Tim1: generation, running while 1 ms
        // The generated sequence.
        const RunEntries &entries;
        // The journal of runs; none where runs are not recorded.
        RunClaims *claims = nullptr;
        // The layout's 54 values, as the journal keeps them.
        std::function<QStringList()> layoutLines = {};
        // The preview of a run of that many printed pages, with or without
        // the two-page option, as the open layout stands.
        std::function<Preview(qint64 pages, bool twoPages)> preview = {};
        // The pre-flight findings of a run of that many pages as the open
        // layout stands; none where the dialog shows no warning line.
        std::function<QStringList(qint64 pages, bool twoPages)> preflight = {};
        // Dates the calibration sheet; without it there is no "Calibrate...".
        Clock *clock = nullptr;
    };

    // Design size of the window, in twips.
    static constexpr double DesignWidth = 7320;
    static constexpr double DesignHeight = 5640;

    explicit PrintForm(Deps deps);
    ~PrintForm() override;

    ComboBox printerBox{QStringLiteral("Combo1"), ComboBox::PickList}; // printer box
    ListBox printerIndexes{QStringLiteral("List1")};                   // printer indexes, hidden
    Label pagesCaption{QStringLiteral("Label3"), QStringLiteral("  Number of copies:")};
    TextBox pageField{QStringLiteral("Te1")};                                                      // page field
    CheckBox twoPageOption{QStringLiteral("Check1"), QStringLiteral("Likewise: Print  2 Pages ")}; // two-page option
    Label oneSheetIllustration{QStringLiteral("Im1")};  // one sheet per number set
    Label twoSheetsIllustration{QStringLiteral("Im2")}; // each sheet twice
    Label printButton{QStringLiteral("Command1"), QStringLiteral("Print....")};
    Label propertiesButton{QStringLiteral("Command2"), QStringLiteral("Properties Printer")};
    Label cancelButton{QStringLiteral("Command3"), QStringLiteral("Cancel")};
    Label previewButton{QStringLiteral("Command4"), QStringLiteral("Preview")};
    Label calibrateButton{QStringLiteral("Calibrate"), QStringLiteral("Calibrate...")};
    Label samplePicture{QStringLiteral("Picture2")};
    Label sizeCaption{QStringLiteral("Label2"), QStringLiteral("0 X 0")};
    Label numberSample{QStringLiteral("LA1")};  // number sample, and the running number of a run
    Label measuringLabel{QStringLiteral("L1")}; // measures number texts for the print job
    // What the pre-flight check found: a warning, never a question.
    Label preflightWarning{QStringLiteral("Preflight1")};
    Timer printTimer;                           // print job, 110 ms
    Timer keepInFrontTimer;                     // keep-in-front, 1000 ms

    int pageFieldSelected = 0;
    qsizetype printIndex = 0;

    // The name of the printed document (the application title).
    const QString &appTitle() const { return m_appTitle; }
    bool loaded() const { return m_loaded; }

    // Label50 on the main window.
    void open();
    // The last step of the main window's start-up.
    void startUpCheck(Timer &reopenTimer);
    // Tim3's tick on the main window.
    void reopenTick(Timer &reopenTimer);

    void pageFieldClicked();
    void pageFieldKey(int &key);
    void twoPageClicked();
    void printClicked();
    void propertiesClicked();
    void cancelClicked();
    void previewClicked();
    // The window's close button: Cancel, unless a run is under way.
    void closeRequested();
    void printerChosen();
    void keepInFront();
    // printTimer's tick.
    void printJobTick();

    // Asked once per page while a job prints: pages done so far and the
    // whole count. A view keeps its windows painting and shows the progress
    // here; returning false stops the job, which then prints nothing.
    std::function<bool(qsizetype page, qsizetype pages)> progress;
    // Asked over and over while the journal claims the run's numbers (a
    // shared journal may take seconds): a view shows that it is claiming
    // and keeps its windows painting; returning false stops the job before
    // its first page.
    std::function<bool()> claiming;
    // Raised when a job stops on a failure or a Stop (after the numbering
    // was put back), with the reason; empty for a Stop.
    Event<QString> onJobFailed;
    // Raised when a job has printed every page.
    Event<> onJobPrinted;
    // "Calibrate...": a view shows the calibration of the chosen printer.
    Event<> onCalibrate;
    // Calibrating the chosen printer; none without a clock.
    PrinterCalibrator *calibrator() const { return m_calibrator.get(); }
    // Pages the last job sent to the printer.
    qsizetype lastJobPages() const { return m_lastJobPages; }
    // The numbering as the last run found it.
    const PrintJob::Numbering &numberingBefore() const { return m_numberingBefore; }

    // A reprint: only the printed pages from..to of the run go out (1-based),
    // and the journal records it as a reprint of that run.
    using Reprint = PrintJob::Reprint;
    std::optional<Reprint> reprint;

    static const PropertyTable<PrintForm> &stateProperties();

private:
    void connectEvents();
    // Once per run, the first time the dialog is used.
    void ensureLoaded();
    void fillPrinters();
    void showIllustrations();
    void takeSample();
    void takeMeasuringFont();
    // The number sample's font and fore colour, in the order the job sets them.
    void setPrinterFont();
    void showSizeLabel();
    // Checks the coming run again: on opening, and when the page count or
    // the printer changes.
    void checkRun();
    void setControlsEnabled(bool on);
    void finish();
    // Why a job printed nothing, told to the operator (nothing for a Stop).
    void tellFailure(const PrintJob::Result &result);
    // The page field's count when a run may be asked for; nothing (after
    // telling the operator why, where there is something to tell) otherwise.
    std::optional<double> pagesToPrint();

    Deps m_d;

public:
    // The printer the runs go to, for a view to show how far the print
    // system has taken a run.
    const Printer &printer() const { return m_d.printer; }

private:
    PrintJob m_job;
    std::unique_ptr<PrinterCalibrator> m_calibrator;
    QString m_appTitle;
    bool m_loaded = false;
    qsizetype m_lastJobPages = 0;
    // The numbering as it was at "Print....".
    PrintJob::Numbering m_numberingBefore;
    QStringList m_layoutBefore;
};

} // namespace numora
