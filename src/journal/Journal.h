#pragma once
#include "NumberRanges.h"
#include "platform/PrintArea.h"
#include "platform/Printer.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace numora {

// A part of a run as the print system took it: its job and its pages.
using JournalJob = PrintedJob;

// One print run as the journal keeps it.
struct JournalRun
{
    enum class Outcome { Printing, Printed, Failed, Stopped };
    qint64 id = 0; // numbered 1, 2, 3, ... in the order journaled
    QDateTime started, finished;
    QString layoutName; // the open layout's name, "None" when there is none
    QString gridType;   // "2 X 2"
    QString printOrder; // "1 - Up to Down"
    QString printer;    // the printer's name, or the PDF file written
    qint64 pagesRequested = 0;
    qint64 pagesPrinted = 0;
    bool twoPages = false;
    Outcome outcome = Outcome::Printing;
    QString reason;                        // why it failed
    qint64 reprintOf = 0;                  // the run this one printed again, 0 for none
    qint64 reprintFrom = 0, reprintTo = 0; // its pages
    // A run that printed the rest of run restOf: its page 1 is that run's
    // page restFrom. 0 for none.
    qint64 restOf = 0;
    qint64 restFrom = 0;
    QString workstation;
    // Set on a run printed without a claim (the shared journal could not be
    // reached): why the shop should check its numbers. Empty otherwise.
    QString checkNote;
    // The printer calibration the run was placed by; none for runs journaled
    // before calibrations were recorded.
    std::optional<PrinterCalibration> calibration;
    QStringList layoutLines; // the 54 values of the layout as printed
    QString code;            // the code printed beside each number, one-line form; empty for none
    std::vector<NumberRange> ranges;
    // The print system's jobs, recorded with the run's end; none for a PDF
    // file or a run that never ended.
    std::vector<JournalJob> jobs;

    static QString outcomeName(Outcome o);
    static std::optional<Outcome> outcomeFrom(const QString &name);

    // Only what went out can go out again: a reprint guards no number, so
    // pages a run never printed, printed again, would leave their numbers
    // free for the next run. The last page a reprint may ask for (the pages
    // printed, 0 when the run cannot be printed again), and why pages
    // from..to cannot be (one line naming how the run ended; empty when they
    // can).
    qint64 reprintablePages() const;
    QString reprintRefusal(qint64 from, qint64 to) const;
    // The rest of a run cut short (failed or stopped) is its pages that no
    // number of it counted, pagesPrinted + 1 to pagesRequested; it prints as
    // a new run that claims them. Why it cannot (one line; empty when it
    // can), given the run's family (Journal::familyOf): once a run of it
    // other than this one and the runs it is the rest of printed a page or
    // may have, the rest or a part of it is theirs, whether it printed the
    // rest of this run, of a rest of it, or of a run before it.
    QString restRefusal(const std::vector<JournalRun> &family) const;
};

// Numbers of a coming run that an earlier run printed already.
struct JournalDuplicate
{
    NumberRange numbers; // the common numbers
    qint64 runId = 0;
    QDateTime printedAt;
    QString layoutName;
    bool unfinished = false; // the earlier run never reported its end
    QString workstation;     // where the earlier run printed
};

// What claiming a run's numbers came to: the run's id, or (id 0) the numbers
// earlier runs hold, when duplicates were not allowed.
struct JournalClaim
{
    qint64 id = 0;
    std::vector<JournalDuplicate> duplicates;
};

// Where a number text stood.
struct JournalHit
{
    QString text; // the number text as it was printed
    qint64 runId = 0;
    QDateTime printedAt;
    QString layoutName;
    qint64 page = 0;
    int position = 0;
    bool reprint = false;
};

// The record of every run: what was printed, where, and how it ended. Each
// write is one transaction, so the journal never holds half a record.
class Journal
{
public:
    virtual ~Journal() = default;
    // Called over and over on the caller's thread while a journal that works
    // on a thread of its own (JournalWorker) is busy: it lets the window
    // paint, and returns false to stop waiting (Stop). Without one the
    // caller just waits. A journal that works on the caller's thread has no
    // use for it. Returns the hook it replaces.
    using Waiting = std::function<bool()>;
    virtual Waiting setWaiting(Waiting) { return {}; }
    // Where the journal lives, for messages.
    virtual QString location() const = 0;
    // Opens (creating on first use); false with the reason when it cannot.
    // A file that is no journal (damaged) is never opened over: its runs
    // would no longer guard their numbers. damaged() tells that case apart.
    virtual bool open(QString *error) = 0;
    // Set by open: the journal is there but damaged.
    virtual bool damaged() const { return false; }
    // The operator's choice for a damaged journal: the file is kept under a
    // new name (keptAside) and a new, empty journal is started.
    virtual bool startNew(QString *error, QString *keptAside) = 0;
    // The shared database's server ("host:port"), empty for a journal on
    // this machine.
    virtual QString server() const { return {}; }
    // Records a run that is about to print; its id, or nothing with the reason.
    virtual std::optional<qint64> beginRun(const JournalRun &run, QString *error) = 0;
    // Checks the run's numbers against every printed and every unfinished
    // run and records it, in one step no other claimer can come between:
    // two workstations claiming the same numbers at once cannot both get
    // them. With allowDuplicates the run is recorded whatever it repeats.
    // Nothing with the reason when the journal cannot be reached.
    virtual std::optional<JournalClaim> claimRun(const JournalRun &run, bool allowDuplicates, QString *error) = 0;
    // Ends a run left unfinished (its workstation crashed), as the operator
    // says: printed keeps its numbers guarded, not printed frees them. False
    // with the reason when the run is no unfinished run.
    virtual bool closeClaim(qint64 id, bool printed, const QString &note, const QDateTime &closed, QString *error) = 0;
    // How the run ended, and the print system's jobs that took its pages,
    // in one write; false with the reason when the journal has no such run.
    virtual bool endRun(qint64 id, JournalRun::Outcome outcome, qint64 pagesPrinted, const QString &reason,
                        const std::vector<JournalJob> &jobs, const QDateTime &finished, QString *error) = 0;
    // The numbers of `ranges` that earlier runs printed or may have printed
    // (printed, or begun and never ended), reprints aside.
    virtual std::optional<std::vector<JournalDuplicate>> duplicates(const std::vector<NumberRange> &ranges,
                                                                    QString *error) = 0;
    // Runs newest first, optionally of the layouts whose name holds a text;
    // without their ranges' pages.
    virtual std::optional<std::vector<JournalRun>> runs(const QString &layoutName, QString *error) = 0;
    virtual std::optional<JournalRun> run(qint64 id, QString *error) = 0;
    // The family of run `id`: every run linked through restOf to the same
    // first run (the first, its rests, their rests, ...), the run itself
    // included; oldest first, without their ranges.
    virtual std::optional<std::vector<JournalRun>> familyOf(qint64 id, QString *error) = 0;
    // The runs, pages and positions that printed a number text; a bare
    // number ("45") finds it in whatever text it was printed ("No:000045",
    // "(45)").
    virtual std::optional<std::vector<JournalHit>> find(const QString &numberText, QString *error) = 0;
};

} // namespace numora
