#pragma once
#include "Journal.h"
#include "platform/Form.h"
#include "platform/PrintQueue.h"
#include "platform/controls/BasicControls.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/TextEditing.h"

#include <functional>
#include <map>
#include <memory>

namespace numora {

class Clock;
class Dialogs;
class Printer;

// The journal window Jrnl1: the runs newest first, filtered by layout; which
// run printed a number text; and the reprint of a run's pages, all or some,
// to any printer, without moving any counter; the rest of a run cut short,
// printed as a new run; and the closing of a run left unfinished by a
// workstation that crashed, as printed or as not printed.
class JournalForm : public FormWithState<JournalForm>
{
public:
    // How a reprint went: the pages sent, or why none were (empty for a
    // Stop); `refused` when the run or the pages may not be printed again.
    struct Reprinted
    {
        qint64 pages = 0;
        QString problem;
        bool refused = false;
        bool printed = false;
        QString note; // after a rest: what became of the open layout's numbering
    };
    struct Deps
    {
        Dialogs &dialogs;
        Journal *journal;
        Printer &printer;
        Clock &clock;
        // Prints pages from..to of the run again, where they may be.
        std::function<Reprinted(const JournalRun &, qint64 from, qint64 to)> reprint;
        // Where the states of a run's print jobs are read; none: unknown.
        PrintQueue *queue = nullptr;
        // Prints the rest of a run cut short as a new run, where it may be.
        std::function<Reprinted(const JournalRun &)> printRest = {};
    };
    explicit JournalForm(Deps deps);

    ListBox runList{QStringLiteral("List1")}; // the runs, newest first
    TextBox layoutFilter{QStringLiteral("Text1")};
    TextBox findText{QStringLiteral("Text2")}; // number text to find
    Label findButton{QStringLiteral("Command1"), QStringLiteral("Find")};
    Label findResult{QStringLiteral("Label1")};                            // what Find found
    Label runDetails{QStringLiteral("Label2")};                            // the selected run in full
    ComboBox reprintPrinter{QStringLiteral("Combo1"), ComboBox::PickList}; // printer for a reprint
    TextBox reprintFrom{QStringLiteral("Text3")};                          // page
    TextBox reprintTo{QStringLiteral("Text4")};                            // page
    Label reprintButton{QStringLiteral("Command2"), QStringLiteral("Reprint")};
    Label closeButton{QStringLiteral("Command3"), QStringLiteral("Close")};
    Label closeRunButton{QStringLiteral("Command4"), QStringLiteral("Close unfinished run")};
    // The print system's jobs of the selected run, one row a part: its
    // cells (part, pages, job, state) between tabs. Hidden for a run without.
    ListBox jobList{QStringLiteral("List2")};
    Label refreshJobsButton{QStringLiteral("Command6"), QStringLiteral("Refresh")}; // reads the states again
    Label restButton{QStringLiteral("Command5"), QStringLiteral("Print the rest")};

    // Opens the window with the journal read afresh.
    void open();
    void refresh();
    void runChosen();
    void findClicked();
    void reprintClicked();
    void closeClicked();
    void closeRunClicked();
    void refreshJobsClicked();
    void restClicked();
    // Over a damaged journal, when the operator says so.
    void startNewJournal();

    // The run on list line i, when there is one.
    const JournalRun *runAt(int i) const;
    // One list line: "3  09/12/2026 14:05  Receipts  2 X 2  10 pages  No:000001 to No:000040  printed";
    // with the target, "to Laser" or "to /path/of/file.pdf" follows the date.
    static QString listLine(const JournalRun &run, bool withTarget = false);
    // The first and last numbers of each position of a run.
    static QStringList positionLines(const JournalRun &run);
    static QString outcomeText(const JournalRun &run);
    // The column heads of jobList's rows, and one row: "1\t1-500\t17\tcompleted".
    static QStringList jobColumns();
    static QString jobRow(const JournalJob &job, PrintJobState state);
    // A row's state while the print system has not answered yet.
    static QString unreadState() { return QStringLiteral("..."); }
    qsizetype runCount() const { return qsizetype(m_runs.size()); }

    static const PropertyTable<JournalForm> &stateProperties();

private:
    void fillPrinters();
    // Shows the run's jobs, their states read from the print system unless
    // the rows show that run already (fresh: read them again all the same).
    // The rows show the states last read until the answer comes.
    void showJobs(const JournalRun *run, bool fresh);
    // The rows of those jobs; no states: not read yet.
    void showStates(const std::vector<JournalJob> &jobs, const std::vector<PrintJobState> *states);
    // Runs `print` with the printer chosen here, and chooses the print
    // dialog's printer again afterwards; false when it could not run.
    bool onChosenPrinter(const QString &what, const std::function<void()> &print);
    Deps m_d;
    std::vector<JournalRun> m_runs;
    qint64 m_jobsOf = 0; // the run whose jobs the rows show
    // Only the answer to the latest reading is shown, and none once the
    // form is gone: the print queue may answer after either.
    quint64 m_reading = 0;
    std::shared_ptr<char> m_alive = std::make_shared<char>();
    std::map<qint64, std::vector<PrintJobState>> m_lastStates; // by run
};

} // namespace numora
