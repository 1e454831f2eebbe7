#pragma once
#include "platform/Form.h"
#include "platform/controls/BasicControls.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/TextEditing.h"
#include "platform/controls/Timer.h"

#include <array>
#include <functional>
#include <optional>

namespace numora {

class Dialogs;
class LayoutDocument;
class Printer;
class RunRecorder;
class SettingsStore;
class TextMeasure;

// The print dialog Prnt1: printer choice, page count, the two-page option,
// the number sample, and the print job on its Timer1.
class PrintForm : public Form
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
        // The generated sequence: count and entry i.
        std::function<qsizetype()> sequenceCount;
        std::function<QString(qsizetype)> sequenceEntry;
        // The journal of runs; none where runs are not recorded.
        RunRecorder *recorder = nullptr;
        // The layout's 54 values, as the journal keeps them.
        std::function<QStringList()> layoutLines = {};
        // The preview of a run of that many printed pages, with or without
        // the two-page option, as the open layout stands.
        std::function<Preview(qint64 pages, bool twoPages)> preview = {};
    };

    // Design size of the window, in twips.
    static constexpr double DesignWidth = 7320;
    static constexpr double DesignHeight = 5640;

    explicit PrintForm(Deps deps);

    ComboBox Combo1{QStringLiteral("Combo1"), ComboBox::PickList}; // printer box
    ListBox List1{QStringLiteral("List1")};                        // printer indexes, hidden
    Label Label3{QStringLiteral("Label3"), QStringLiteral("  Number of copies:")};
    TextBox Te1{QStringLiteral("Te1")};                                                     // page field
    CheckBox Check1{QStringLiteral("Check1"), QStringLiteral("Likewise: Print  2 Pages ")}; // two-page option
    Label Im1{QStringLiteral("Im1")};                                                       // one sheet per number set
    Label Im2{QStringLiteral("Im2")};                                                       // each sheet twice
    Label Command1{QStringLiteral("Command1"), QStringLiteral("Print....")};
    Label Command2{QStringLiteral("Command2"), QStringLiteral("Properties Printer")};
    Label Command3{QStringLiteral("Command3"), QStringLiteral("Cancel")};
    Label Command4{QStringLiteral("Command4"), QStringLiteral("Preview")};
    Label Picture2{QStringLiteral("Picture2")};
    Label Label2{QStringLiteral("Label2"), QStringLiteral("0 X 0")};
    Label LA1{QStringLiteral("LA1")}; // number sample, and the running number of a run
    Label L1{QStringLiteral("L1")};   // measures number texts for the print job
    Timer Timer1;                     // print job, 110 ms
    Timer Timer2;                     // keep-in-front, 1000 ms

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
    // Timer1's tick.
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
    // Why a run of that many pages cannot be printed as the layout stands
    // (the two-page option with one page, numbers past the highest that can
    // be printed); empty when it can.
    QString runRefusal(double pages, bool twoPages) const;
    // Pages the last job sent to the printer.
    qsizetype lastJobPages() const { return m_lastJobPages; }

    // A reprint: only the printed pages from..to of the run go out (1-based),
    // and the journal records it as a reprint of that run.
    struct Reprint
    {
        qint64 runId = 0;
        qsizetype fromPage = 1, toPage = 1;
    };
    std::optional<Reprint> reprint;

    QVariant state(const QString &name) const override;
    bool setState(const QString &name, const QVariant &value) override;
    QStringList stateNames() const override;

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
    void setControlsEnabled(bool on);
    void finish();
    // The job from its checks to its journal record; false when it printed
    // nothing, with the reason (none for the operator's own choice).
    bool runJob(QString &why);
    // A job that printed nothing: the reason told and the numbering put back.
    void failJob(const QString &why);
    // Prints the whole sequence; false when the document failed or was stopped.
    bool printSequence(QString &why);
    bool printEntry(const QString &entry);
    void restoreNumbering();
    // The page field's count when a run may be asked for; nothing (after
    // telling the operator why, where there is something to tell) otherwise.
    std::optional<double> pagesToPrint();
    // False when the operator chose not to print after the journal's check.
    bool recordStart();
    void recordEnd(bool printed, const QString &why);

    Deps m_d;
    QString m_appTitle;
    bool m_loaded = false;
    bool m_printing = false;
    std::optional<QString> m_lastText;
    double m_pageWidth = 0, m_pageHeight = 0; // twips, for the job in progress
    qsizetype m_lastJobPages = 0;
    // The start number and the twelve counters as they were at "Print....".
    QString m_startBefore;
    std::array<QString, 12> m_countersBefore;
    QStringList m_layoutBefore;
};

} // namespace numora
