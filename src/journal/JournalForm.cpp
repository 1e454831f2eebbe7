#include "JournalForm.h"
#include "platform/controls/PropertyTable.h"
#include "RunRecorder.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Numeric.h"
#include "platform/Printer.h"

#include <map>

namespace numora {

JournalForm::JournalForm(Deps deps)
    : FormWithState(QStringLiteral("Jrnl1"))
    , m_d(std::move(deps))
{
    setCaption(QStringLiteral("Journal of Runs"));
    setGeometry(0, 0, 10800, 6600);
    for (Control *c : std::initializer_list<Control *>{
             &runList, &layoutFilter, &findText, &findButton, &findResult, &runDetails, &reprintPrinter, &reprintFrom,
             &reprintTo, &reprintButton, &closeButton, &closeRunButton, &jobList, &refreshJobsButton, &restButton})
        registerControl(*c);
    runList.onClick.connect([this] { runChosen(); });
    layoutFilter.onChange.connect([this] { refresh(); });
    findButton.onClick.connect([this] { findClicked(); });
    reprintButton.onClick.connect([this] { reprintClicked(); });
    closeButton.onClick.connect([this] { closeClicked(); });
    closeRunButton.onClick.connect([this] { closeRunClicked(); });
    refreshJobsButton.onClick.connect([this] { refreshJobsClicked(); });
    restButton.onClick.connect([this] { restClicked(); });
    // Enter in the number field is Find.
    findText.onKeyPress.connect([this](int &key) {
        if (key == '\r') {
            key = 0;
            findClicked();
        }
    });
    // Page numbers only.
    for (TextBox *box : {&reprintFrom, &reprintTo})
        box->onKeyPress.connect([](int &key) {
            if (key != TextEditing::KeyBackspace && (key < '0' || key > '9'))
                key = 0;
        });
}

QString JournalForm::outcomeText(const JournalRun &run)
{
    QString text;
    const QString since = run.started.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    switch (run.outcome) {
    case JournalRun::Outcome::Printing:
        text = run.workstation.isEmpty() ? QStringLiteral("unfinished since %1").arg(since)
                                         : QStringLiteral("unfinished, on %1 since %2").arg(run.workstation, since);
        break;
    case JournalRun::Outcome::Printed:
        text = run.reason.isEmpty() ? QStringLiteral("printed") : QStringLiteral("printed: ") + run.reason;
        break;
    case JournalRun::Outcome::Failed: text = QStringLiteral("failed: ") + run.reason; break;
    case JournalRun::Outcome::Stopped:
        text = run.reason.isEmpty() ? QStringLiteral("stopped") : QStringLiteral("stopped: ") + run.reason;
        break;
    }
    if (run.outcome != JournalRun::Outcome::Printing && !run.workstation.isEmpty())
        text += QStringLiteral(", on ") + run.workstation;
    if (!run.checkNote.isEmpty())
        text += QStringLiteral("; TO CHECK: ") + run.checkNote;
    if (run.restOf != 0)
        text = QStringLiteral("rest of run %1 from its page %2, ").arg(run.restOf).arg(run.restFrom) + text;
    if (run.reprintOf != 0)
        text = QStringLiteral("reprint of run %1, pages %2 to %3, ")
                   .arg(run.reprintOf)
                   .arg(run.reprintFrom)
                   .arg(run.reprintTo)
               + text;
    return text;
}

QString JournalForm::listLine(const JournalRun &run, bool withTarget)
{
    // The lowest and highest number text over all positions.
    QString first, last;
    qint64 lo = 0, hi = 0;
    bool any = false;
    for (const NumberRange &r : run.ranges) {
        if (r.digits == 0)
            continue;
        const qint64 a = std::min(r.first, r.last), b = std::max(r.first, r.last);
        if (!any || a < lo) {
            lo = a;
            first = r.textOf(a);
        }
        if (!any || b > hi) {
            hi = b;
            last = r.textOf(b);
        }
        any = true;
    }
    const QString span = !any            ? QStringLiteral("no numbers")
                         : first == last ? first
                                         : first + QStringLiteral(" to ") + last;
    const qint64 pages = run.outcome == JournalRun::Outcome::Printed ? run.pagesPrinted : run.pagesRequested;
    return QStringLiteral("%1  %2  %3  %4  %5 %6  %7  %8")
        .arg(run.id)
        .arg(run.started.toString(QStringLiteral("dd/MM/yyyy HH:mm"))
                 + (withTarget ? QStringLiteral("  to ") + run.printer : QString()),
             run.layoutName, run.gridType)
        .arg(pages)
        .arg(pages == 1 ? QStringLiteral("page") : QStringLiteral("pages"), span, outcomeText(run));
}

QStringList JournalForm::positionLines(const JournalRun &run)
{
    QStringList lines;
    std::map<int, std::pair<QString, QString>> byPosition;
    for (const NumberRange &r : run.ranges) {
        auto [it, fresh] = byPosition.try_emplace(r.position, r.firstText(), r.lastText());
        if (!fresh)
            it->second.second = r.lastText();
    }
    for (const auto &[position, texts] : byPosition)
        lines << QStringLiteral("position %1: %2 to %3").arg(position).arg(texts.first, texts.second);
    return lines;
}

QStringList JournalForm::jobColumns()
{
    return {QStringLiteral("Part"), QStringLiteral("Pages"), QStringLiteral("Job"), QStringLiteral("State")};
}

namespace {

// One row of jobList, with its state as it is to read.
QString jobRowWith(const JournalJob &job, const QString &state)
{
    const QString pages = job.firstPage == job.lastPage ? QString::number(job.firstPage)
                                                        : QStringLiteral("%1-%2").arg(job.firstPage).arg(job.lastPage);
    return QStringList{QString::number(job.part), pages, QString::number(job.jobId), state}.join(QLatin1Char('\t'));
}

} // namespace

QString JournalForm::jobRow(const JournalJob &job, PrintJobState state) { return jobRowWith(job, jobStateName(state)); }

void JournalForm::showStates(const std::vector<JournalJob> &jobs, const std::vector<PrintJobState> *states)
{
    QStringList rows;
    for (std::size_t i = 0; i < jobs.size(); ++i)
        rows << (states && i < states->size() ? jobRow(jobs[i], (*states)[i]) : jobRowWith(jobs[i], unreadState()));
    jobList.replaceItems(rows, -1);
}

void JournalForm::showJobs(const JournalRun *run, bool fresh)
{
    const bool any = run && !run->jobs.empty();
    jobList.setVisible(any);
    refreshJobsButton.setVisible(any);
    if (!any) {
        m_jobsOf = 0;
        ++m_reading; // an answer still to come has no rows to go to
        jobList.replaceItems({}, -1);
        return;
    }
    // Asked only when the operator picks another run or says Refresh: each
    // reading is a round trip to the print system.
    if (!fresh && m_jobsOf == run->id)
        return;
    m_jobsOf = run->id;
    const quint64 reading = ++m_reading;
    const auto last = m_lastStates.find(run->id);
    showStates(run->jobs, last == m_lastStates.end() ? nullptr : &last->second);
    std::vector<int> ids;
    for (const JournalJob &j : run->jobs)
        ids.push_back(j.jobId);
    // It may answer before it returns, or long after.
    auto answered = [this, alive = std::weak_ptr<char>(m_alive), reading, id = run->id,
                     jobs = run->jobs](std::vector<PrintJobState> states) {
        if (alive.expired() || reading != m_reading)
            return;
        states.resize(jobs.size(), PrintJobState::Unknown);
        showStates(jobs, &(m_lastStates[id] = std::move(states)));
    };
    if (m_d.queue)
        m_d.queue->readJobStates(run->printer, ids, std::move(answered));
    else
        answered(std::vector<PrintJobState>(ids.size(), PrintJobState::Unknown));
}

void JournalForm::refreshJobsClicked() { showJobs(runAt(runList.listIndex()), true); }

void JournalForm::fillPrinters()
{
    const QStringList names = m_d.printer.printerNames();
    reprintPrinter.setItems(names);
    const int current = m_d.printer.currentIndex();
    if (current >= 0 && current < names.size())
        reprintPrinter.setListIndex(current);
}

void JournalForm::open()
{
    fillPrinters();
    findResult.setCaption(QString());
    m_jobsOf = 0; // the jobs went on while the window was closed
    refresh();
    setVisible(true);
    setEnabled(true);
    if (m_d.journal && m_d.journal->damaged())
        startNewJournal();
}

void JournalForm::startNewJournal()
{
    RunRecorder::offerNewJournal(m_d.dialogs, *m_d.journal, caption(),
                                 QStringLiteral("The run journal %1 is damaged: no run can be shown, and nothing "
                                                "prints until a new journal is started.\r\n\r\nStart a new, empty "
                                                "journal? Yes keeps the damaged file beside it under a new name. No "
                                                "changes nothing.")
                                     .arg(m_d.journal->location()));
    refresh();
}

void JournalForm::refresh()
{
    m_runs.clear();
    QStringList lines;
    QString error;
    if (m_d.journal) {
        if (m_d.journal->open(&error)) {
            if (auto runs = m_d.journal->runs(layoutFilter.text().trimmed(), &error))
                m_runs = std::move(*runs);
        }
    } else {
        error = QStringLiteral("no journal is kept");
    }
    for (const JournalRun &r : m_runs)
        lines << listLine(r);
    runList.replaceItems(lines, lines.isEmpty() ? -1 : 0);
    if (!error.isEmpty()) {
        runDetails.setCaption(QStringLiteral("The journal %1 cannot be read: %2")
                                  .arg(m_d.journal ? m_d.journal->location() : QString(), error));
        showJobs(nullptr, false);
    } else {
        runChosen();
    }
}

const JournalRun *JournalForm::runAt(int i) const
{
    return i >= 0 && std::size_t(i) < m_runs.size() ? &m_runs[std::size_t(i)] : nullptr;
}

void JournalForm::runChosen()
{
    const JournalRun *run = runAt(runList.listIndex());
    // Only a run whose workstation never said how it ended can be closed.
    closeRunButton.setVisible(run && run->outcome == JournalRun::Outcome::Printing);
    showJobs(run, false);
    // The rule needs the run's whole family: the list may be filtered, and
    // another workstation may have printed a rest since it was read. Asked
    // only for a run that may have a rest at all.
    bool restOffered = false;
    if (run && m_d.printRest && m_d.journal && run->restRefusal({}).isEmpty()) {
        QString error;
        const auto family = m_d.journal->familyOf(run->id, &error);
        restOffered = family && run->restRefusal(*family).isEmpty();
    }
    restButton.setEnabled(restOffered);
    if (!run) {
        reprintButton.setEnabled(false);
        runDetails.setCaption(QStringLiteral("No run is journaled yet."));
        reprintFrom.setText(QString());
        reprintTo.setText(QString());
        return;
    }
    QStringList details{QStringLiteral("Run %1, %2, layout %3 (%4), %5")
                            .arg(run->id)
                            .arg(run->started.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")), run->layoutName,
                                 run->gridType, run->printOrder),
                        QStringLiteral("Printer: %1%2")
                            .arg(run->printer, run->twoPages ? QStringLiteral(", every page twice") : QString()),
                        QStringLiteral("Pages: %1 asked, %2 printed; %3")
                            .arg(run->pagesRequested)
                            .arg(run->pagesPrinted)
                            .arg(outcomeText(*run))};
    details += positionLines(*run);
    runDetails.setCaption(details.join(QStringLiteral("\r\n")));
    const qint64 pages = run->reprintablePages();
    reprintButton.setEnabled(pages > 0);
    reprintFrom.setText(pages > 0 ? QStringLiteral("1") : QString());
    reprintTo.setText(pages > 0 ? QString::number(pages) : QString());
}

void JournalForm::findClicked()
{
    const QString text = findText.text().trimmed();
    if (text.isEmpty() || !m_d.journal)
        return;
    QString error;
    const auto hits = m_d.journal->find(text, &error);
    if (!hits) {
        findResult.setCaption(QStringLiteral("The journal cannot be read: ") + error);
        return;
    }
    if (hits->empty()) {
        findResult.setCaption(QStringLiteral("No run printed %1.").arg(text));
        return;
    }
    QStringList found;
    for (const JournalHit &h : *hits)
        found << QStringLiteral("%1: run %2 (%3, %4), page %5, position %6%7")
                     .arg(h.text)
                     .arg(h.runId)
                     .arg(h.printedAt.toString(QStringLiteral("dd/MM/yyyy HH:mm")), h.layoutName)
                     .arg(h.page)
                     .arg(h.position)
                     .arg(h.reprint ? QStringLiteral(", a reprint") : QString());
    findResult.setCaption(found.join(QStringLiteral("\r\n")));
    // The first run that printed it is shown, whatever the layout filter.
    layoutFilter.setText(QString());
    for (std::size_t i = 0; i < m_runs.size(); ++i)
        if (m_runs[i].id == hits->front().runId)
            runList.choose(int(i));
}

void JournalForm::reprintClicked()
{
    const JournalRun *listed = runAt(runList.listIndex());
    if (!listed || !m_d.journal || !m_d.reprint)
        return;
    const qint64 from = qint64(leadingNumber(reprintFrom.text()));
    const qint64 to = qint64(leadingNumber(reprintTo.text()));
    QString error;
    const auto run = m_d.journal->run(listed->id, &error);
    if (!run) {
        m_d.dialogs.message(QStringLiteral("The journal cannot be read: ") + error, caption(), Dialogs::Buttons::OK);
        return;
    }
    Reprinted r;
    if (!onChosenPrinter(QStringLiteral("nothing was printed again"), [&] { r = m_d.reprint(*run, from, to); }))
        return;
    if (r.refused)
        m_d.dialogs.message(r.problem.left(1).toUpper() + r.problem.mid(1) + QLatin1Char('.'), caption(),
                            Dialogs::Buttons::OK);
    else if (r.pages == 0 && !r.problem.isEmpty())
        m_d.dialogs.message(QStringLiteral("Run %1 could not be printed again:\r\n%2").arg(run->id).arg(r.problem),
                            caption(), Dialogs::Buttons::OK);
    refresh();
}

bool JournalForm::onChosenPrinter(const QString &what, const std::function<void()> &print)
{
    // It goes to the printer chosen here; the print dialog's own choice
    // comes back afterwards.
    const int before = m_d.printer.currentIndex();
    if (!reprintPrinter.text().isEmpty() && !m_d.printer.selectPrinterByName(reprintPrinter.text())) {
        m_d.dialogs.message(
            QStringLiteral("The printer \"%1\" cannot be chosen now: %2.").arg(reprintPrinter.text(), what), caption(),
            Dialogs::Buttons::OK);
        return false;
    }
    print();
    if (before >= 0 && !m_d.printer.selectPrinter(before))
        m_d.dialogs.message(QStringLiteral("The print dialog's printer could not be chosen again: check the printer "
                                           "before the next run."),
                            caption(), Dialogs::Buttons::OK);
    return true;
}

void JournalForm::restClicked()
{
    const JournalRun *listed = runAt(runList.listIndex());
    if (!listed || !m_d.journal || !m_d.printRest)
        return;
    QString error;
    const auto run = m_d.journal->run(listed->id, &error);
    if (!run) {
        m_d.dialogs.message(QStringLiteral("The journal cannot be read: ") + error, caption(), Dialogs::Buttons::OK);
        return;
    }
    const qint64 from = run->pagesPrinted + 1, to = run->pagesRequested;
    // Enter and Escape print nothing.
    if (m_d.dialogs.message(
            QStringLiteral("Run %1 (layout %2) %3: its pages %4 to %5 were not printed.\r\n\r\nPrint pages %4 to %5 "
                           "of run %1 as a new run on %6?\r\nYes prints them exactly as the run would have and "
                           "claims their numbers in the journal. No prints nothing.")
                .arg(run->id)
                .arg(run->layoutName,
                     run->outcome == JournalRun::Outcome::Stopped ? QStringLiteral("was stopped")
                                                                  : QStringLiteral("failed"))
                .arg(from)
                .arg(to)
                .arg(reprintPrinter.text().isEmpty() ? m_d.printer.currentName() : reprintPrinter.text()),
            caption(), Dialogs::Buttons::YesNo, Dialogs::Answer::No)
        != Dialogs::Answer::Yes)
        return;
    Reprinted r;
    if (!onChosenPrinter(QStringLiteral("nothing was printed"), [&] { r = m_d.printRest(*run); }))
        return;
    if (r.refused)
        m_d.dialogs.message(r.problem.left(1).toUpper() + r.problem.mid(1) + QLatin1Char('.'), caption(),
                            Dialogs::Buttons::OK);
    else if (r.printed)
        m_d.dialogs.message(QStringLiteral("Pages %1 to %2 of run %3 were printed as a new run.%4")
                                .arg(from)
                                .arg(to)
                                .arg(run->id)
                                .arg(r.note.isEmpty() ? QString() : QStringLiteral("\r\n") + r.note),
                            caption(), Dialogs::Buttons::OK);
    else if (r.pages == 0 && !r.problem.isEmpty())
        m_d.dialogs.message(
            QStringLiteral("The rest of run %1 could not be printed:\r\n%2").arg(run->id).arg(r.problem), caption(),
            Dialogs::Buttons::OK);
    refresh();
}

void JournalForm::closeRunClicked()
{
    const JournalRun *run = runAt(runList.listIndex());
    if (!run || !m_d.journal)
        return;
    if (run->outcome != JournalRun::Outcome::Printing) {
        m_d.dialogs.message(QStringLiteral("Run %1 is not unfinished: it is closed already.").arg(run->id), caption(),
                            Dialogs::Buttons::OK);
        return;
    }
    // Only the operator knows what came out of the printer.
    const auto answer = m_d.dialogs.message(
        QStringLiteral("Run %1 is %2: its workstation never said how it ended.\r\n\r\nWere its pages printed?\r\n"
                       "Yes: its numbers stay taken. No: its numbers are free for another run. "
                       "Cancel leaves it unfinished.")
            .arg(run->id)
            .arg(outcomeText(*run)),
        caption(), Dialogs::Buttons::YesNoCancel, Dialogs::Answer::Cancel);
    if (answer != Dialogs::Answer::Yes && answer != Dialogs::Answer::No)
        return;
    const bool printed = answer == Dialogs::Answer::Yes;
    QString error;
    if (!m_d.journal->closeClaim(run->id, printed,
                                 printed ? QStringLiteral("closed by hand as printed")
                                         : QStringLiteral("closed by hand as not printed"),
                                 m_d.clock.now(), &error))
        m_d.dialogs.message(QStringLiteral("Run %1 cannot be closed: %2").arg(run->id).arg(error), caption(),
                            Dialogs::Buttons::OK);
    refresh();
}

void JournalForm::closeClicked() { setVisible(false); }

namespace {

const PropertyTable<JournalForm> kStateProperties = {
    {"runCount", [](const JournalForm &f) -> QVariant { return qint64(f.runCount()); }},
};

} // namespace

const PropertyTable<JournalForm> &JournalForm::stateProperties() { return kStateProperties; }

} // namespace numora
