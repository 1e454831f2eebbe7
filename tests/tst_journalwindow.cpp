// The journal window over a started main form: Ctrl+J and the Journal
// button run the same command under the same conditions and bring the window
// to the front, Escape closes it (and cancels the print dialog), the command
// keys work from the layout browser,
// its widgets show the form's runs and send the operator's choice to it;
// and the print dialog's Preview button asks for the preview. The keys of a
// question: Enter gives its default, Escape its cautious answer.
#include "journal/JournalForm.h"
#include "platform/qt/QtDialogs.h"
#include "ui/BoundComboBox.h"
#include "ui/BoundLabel.h"
#include "ui/BoundLineEdit.h"
#include "ui/BoundListBox.h"
#include "ui/BrowserWindow.h"
#include "ui/JournalWindow.h"
#include "ui/MainWindow.h"
#include "ui/PrintWindow.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <map>

using namespace numora;
using namespace numora::ui;

Q_DECLARE_METATYPE(Dialogs::Buttons)
Q_DECLARE_METATYPE(Dialogs::Answer)
Q_DECLARE_METATYPE(std::optional<Dialogs::Answer>)

namespace {

struct Harness : test::WindowFixture
{
    MainWindow w{*form};

    Harness()
        : WindowFixture({QStringLiteral("DejaVu Sans")})
    {
        printer.setPrinters({QStringLiteral("Laser"), QStringLiteral("Office")});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    void print(const QString &pages)
    {
        form->printButton.click();
        form->printForm.pageField.setText(pages);
        form->printForm.printButton.click();
        settle();
    }
    QStringList numbering()
    {
        QStringList n{form->doc.startNumber.text()};
        for (int i = 1; i <= 12; ++i)
            n << form->doc.slot(i).counter.text();
        return n;
    }
};

// The print system as a test sets its jobs' states; the others it does not know.
// It answers at once, or when holding, when the test lets it: with the
// states as they were asked.
struct FakeQueue : PrintQueue
{
    std::map<int, PrintJobState> states;
    QStringList asked; // the printer of each reading
    bool holding = false;
    std::vector<std::function<void()>> held;
    std::vector<PrintJobState> jobStates(const QString &printer, const std::vector<int> &ids) override
    {
        asked << printer;
        std::vector<PrintJobState> out;
        for (int id : ids)
            out.push_back(states.count(id) ? states.at(id) : PrintJobState::Unknown);
        return out;
    }
    void readJobStates(const QString &printer, const std::vector<int> &ids, StatesRead done) override
    {
        if (!holding)
            return PrintQueue::readJobStates(printer, ids, std::move(done));
        held.push_back([done, states = jobStates(printer, ids)] { done(states); });
    }
};

} // namespace

class TestJournalWindow : public QObject
{
    Q_OBJECT
private slots:
    void keyAndButtonOpenIt();
    void showsAndChoosesRuns();
    void showsTheJobsOfARun();
    void lateStatesOfAnotherRunAreDropped_data();
    void lateStatesOfAnotherRunAreDropped();
    void previewButtonAsksForThePreview();
    void restButtonAsksThenPrintsTheRest();
    void questionKeys_data();
    void questionKeys();
};

void TestJournalWindow::keyAndButtonOpenIt()
{
    Harness h;
    QVERIFY(!h.w.journalWindow());
    QTest::keyClick(&h.w, Qt::Key_J, Qt::ControlModifier);
    QVERIFY(h.form->journalForm());
    QVERIFY(h.form->journalForm()->visible());
    JournalWindow *window = h.w.journalWindow();
    QVERIFY(window);
    QVERIFY(window->isVisible());

    // Escape from any field is Close: the form hides, and the window with it.
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    window->numberField()->setFocus();
    QTest::keyClick(window->numberField(), Qt::Key_Escape);
    QVERIFY(!h.form->journalForm()->visible());
    QVERIFY(!window->isVisible());

    // The framed button opens the same window again, and so does Ctrl+J
    // when it is open behind the main window: both bring it to the front.
    auto *button = test::child<QWidget>(h.w, "Jour1");
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(h.form->journalForm()->visible());
    QCOMPARE(h.w.journalWindow(), window);
    for (const bool byKey : {false, true}) {
        QApplication::setActiveWindow(&h.w);
        QCOMPARE(QApplication::activeWindow(), &h.w);
        if (byKey)
            QTest::keyClick(&h.w, Qt::Key_J, Qt::ControlModifier);
        else
            QTest::mouseClick(button, Qt::LeftButton);
        QTRY_COMPARE(QApplication::activeWindow(), window);
    }
    window->closeButton()->setFocus();
    QTest::keyClick(window->closeButton(), Qt::Key_Space);
    QVERIFY(!window->isVisible());

    // While the print dialog has the main window disabled, neither opens it.
    h.form->printButton.click();
    QVERIFY(!h.form->enabled());
    QTest::keyClick(&h.w, Qt::Key_J, Qt::ControlModifier);
    QVERIFY(!h.form->journalForm()->visible());
    // Escape in the dialog is its Cancel.
    PrintWindow *dialog = h.w.printWindow();
    QVERIFY(dialog && dialog->isVisible());
    QApplication::setActiveWindow(dialog);
    QTest::keyClick(dialog->pageField(), Qt::Key_Escape);
    QVERIFY(!h.form->printForm.visible());
    QVERIFY(h.form->enabled());

    // The command keys work from the docked layout browser too.
    QApplication::setActiveWindow(&h.w);
    QTest::keyClick(&h.w, Qt::Key_O, Qt::ControlModifier);
    BrowserWindow *browser = h.w.browserWindow();
    QVERIFY(browser && browser->isVisible());
    QApplication::setActiveWindow(browser);
    browser->search()->setFocus();
    QTest::keyClick(browser->search(), Qt::Key_P, Qt::ControlModifier);
    QVERIFY(h.form->printForm.visible());
}

void TestJournalWindow::showsAndChoosesRuns()
{
    Harness h;
    h.print(QStringLiteral("3"));
    h.print(QStringLiteral("5"));
    h.form->journalButton.click();
    JournalWindow *window = h.w.journalWindow();
    QVERIFY(window && window->isVisible());
    JournalForm &journal = *h.form->journalForm();
    QCOMPARE(journal.runList.count(), 2);
    QCOMPARE(window->runList()->count(), 2);
    for (int i = 0; i < 2; ++i)
        QCOMPARE(window->runList()->item(i)->text(), journal.runList.item(i));
    // The newest run first, shown in full with one line per position.
    QCOMPARE(journal.runList.listIndex(), 0);
    QString details = journal.runDetails.caption();
    QVERIFY(details.contains(QLatin1String("\r\n")));
    QCOMPARE(window->details()->text(), details.replace(QLatin1String("\r\n"), QLatin1String("\n")));

    // The operator's choice in the list is the form's, and the strip follows.
    QTest::mouseClick(window->runList()->viewport(), Qt::LeftButton, {},
                      window->runList()->visualItemRect(window->runList()->item(1)).center());
    QCOMPARE(journal.runList.listIndex(), 1);
    QVERIFY(window->details()->text().startsWith(QLatin1String("Run 1,")));
    auto *to = test::child<BoundLineEdit>(*window, "Text4");
    QCOMPARE(to->text(), QStringLiteral("3"));
    QCOMPARE(window->printerBox()->count(), 2);

    // A number typed as it reads and Enter: the answer, with the text it was
    // printed as, shows under the fields.
    const QString text = journal.runList.item(1).section(QLatin1String("  "), 5, 5).left(9); // "No:000001"
    QTest::keyClicks(window->numberField(), QString::number(text.mid(3).toInt()));
    QTest::keyClick(window->numberField(), Qt::Key_Return);
    QVERIFY2(journal.findResult.caption().startsWith(text + QStringLiteral(": run 1")),
             qPrintable(journal.findResult.caption()));
    QVERIFY(window->found()->text().contains(QLatin1String("run 1")));
}

// A run handed over in parts shows each part's job and where it stands, read
// when the run is chosen and again on Refresh; a run without jobs shows none.
void TestJournalWindow::showsTheJobsOfARun()
{
    Harness h;
    FakeQueue queue;
    queue.states = {{17, PrintJobState::Completed}, {18, PrintJobState::Processing}};
    h.form->services().printQueue = &queue;
    h.print(QStringLiteral("2")); // none: as to a PDF file
    h.printer.jobs = {{1, 17, 1, 2}, {2, 18, 3, 3}, {3, 19, 4, 4}};
    h.print(QStringLiteral("4"));
    h.form->journalButton.click();
    JournalWindow *window = h.w.journalWindow();
    QVERIFY(window && window->isVisible());
    JournalForm &journal = *h.form->journalForm();
    QCOMPARE(journal.jobList.items(),
             (QStringList{QStringLiteral("1\t1-2\t17\tcompleted"), QStringLiteral("2\t3\t18\tprocessing"),
                          QStringLiteral("3\t4\t19\tunknown")}));
    QCOMPARE(queue.asked, QStringList{QStringLiteral("Laser")});
    QTreeWidget *table = window->jobTable();
    QVERIFY(table->isVisible());
    QCOMPARE(table->topLevelItemCount(), 3);
    QCOMPARE(table->topLevelItem(1)->text(1), QStringLiteral("3"));
    QCOMPARE(table->topLevelItem(1)->text(3), QStringLiteral("processing"));
    QVERIFY(window->grab().save(test::pngPath(QStringLiteral("journal-jobs.png"))));

    // Refresh reads the states again; the layout filter's new list alone does not.
    queue.states[18] = PrintJobState::Completed;
    QTest::mouseClick(test::child<QWidget>(*window, "Command6"), Qt::LeftButton);
    QCOMPARE(table->topLevelItem(1)->text(3), QStringLiteral("completed"));
    QCOMPARE(queue.asked.size(), 2);
    journal.refresh();
    QCOMPARE(queue.asked.size(), 2);

    // The older run went to no print system's job: nothing to show.
    QTest::mouseClick(window->runList()->viewport(), Qt::LeftButton, {},
                      window->runList()->visualItemRect(window->runList()->item(1)).center());
    QCOMPARE(journal.runList.listIndex(), 1);
    QVERIFY(!table->isVisible());
    QCOMPARE(queue.asked.size(), 2);
}

void TestJournalWindow::lateStatesOfAnotherRunAreDropped_data()
{
    QTest::addColumn<bool>("refresh");   // Refresh meanwhile, else the older run chosen
    QTest::addColumn<bool>("staleLast"); // the first reading's answer comes last
    QTest::newRow("other run, in order") << false << false;
    QTest::newRow("other run, stale answer last") << false << true;
    QTest::newRow("refresh, in order") << true << false;
    QTest::newRow("refresh, stale answer last") << true << true;
}

// A print system slow to answer: the rows wait with "...", and only the
// answer to the latest reading is shown, whatever order the answers come in.
void TestJournalWindow::lateStatesOfAnotherRunAreDropped()
{
    QFETCH(bool, refresh);
    QFETCH(bool, staleLast);
    Harness h;
    FakeQueue queue;
    queue.holding = true;
    h.form->services().printQueue = &queue;
    h.printer.jobs = {{1, 17, 1, 2}};
    h.print(QStringLiteral("2"));
    h.printer.jobs = {{1, 18, 1, 3}};
    h.print(QStringLiteral("3"));
    h.form->journalButton.click();
    JournalForm &journal = *h.form->journalForm();
    QCOMPARE(journal.jobList.items(), QStringList{QStringLiteral("1\t1-3\t18\t...")});
    // The first reading found nothing; the second finds both jobs done.
    queue.states = {{17, PrintJobState::Completed}, {18, PrintJobState::Completed}};
    if (refresh)
        journal.refreshJobsClicked();
    else
        QVERIFY(journal.runList.choose(1));
    const QString job = refresh ? QStringLiteral("1\t1-3\t18\t") : QStringLiteral("1\t1-2\t17\t");
    QCOMPARE(journal.jobList.items(), QStringList{job + QStringLiteral("...")});
    QCOMPARE(queue.held.size(), std::size_t(2));
    queue.held[staleLast ? 1 : 0]();
    QCOMPARE(journal.jobList.items(),
             QStringList{job + (staleLast ? QStringLiteral("completed") : QStringLiteral("..."))});
    queue.held[staleLast ? 0 : 1]();
    QCOMPARE(journal.jobList.items(), QStringList{job + QStringLiteral("completed")});
    QCOMPARE(h.w.journalWindow()->jobTable()->topLevelItem(0)->text(3), QStringLiteral("completed"));
}

// A run that failed has a rest: the button asks (No prints nothing), prints
// it as a new run, tells the outcome and moves the open layout on; then
// that run's rest is gone.
void TestJournalWindow::restButtonAsksThenPrintsTheRest()
{
    Harness h;
    const QStringList before = h.numbering();
    h.printer.failNext(RecordingPrinter::FailAt::End, QStringLiteral("Out of paper"));
    h.dialogs.answers.push_back(QStringLiteral("OK"));
    h.print(QStringLiteral("3"));
    QCOMPARE(h.numbering(), before);
    h.form->journalButton.click();
    JournalWindow *window = h.w.journalWindow();
    QVERIFY(window && window->isVisible());
    QVERIFY(window->restButton()->isEnabled());
    QVERIFY(!window->reprintButton()->isEnabled());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(window->grab().save(test::pngPath(QStringLiteral("journal-rest.png"))));
    h.printer.takeLines();
    h.dialogs.answers = {QStringLiteral("No")};
    QTest::mouseClick(window->restButton(), Qt::LeftButton);
    QVERIFY2(h.dialogs.asked.last().contains(QLatin1String("its pages 1 to 3 were not printed.\r\n\r\nPrint pages 1 "
                                                            "to 3 of run 1 as a new run on Laser?")),
             qPrintable(h.dialogs.asked.last()));
    QCOMPARE(h.printer.takeLines(), QStringList());
    h.dialogs.answers = {QStringLiteral("Yes"), QStringLiteral("OK")};
    QTest::mouseClick(window->restButton(), Qt::LeftButton);
    QVERIFY(h.printer.takeLines().contains(QStringLiteral("EndDoc")));
    QVERIFY2(h.dialogs.asked.last().startsWith(QStringLiteral("Pages 1 to 3 of run 1 were printed as a new run.\r\n"
                                                               "The open layout goes on from where the whole run "
                                                               "would have left it: start number %1.")
                                                    .arg(h.form->doc.startNumber.text())),
             qPrintable(h.dialogs.asked.last()));
    QVERIFY(h.numbering() != before);
    JournalForm &journal = *h.form->journalForm();
    QCOMPARE(journal.runList.count(), 2);
    QVERIFY(journal.runList.item(0).contains(QLatin1String("rest of run 1 from its page 1, printed")));
    QVERIFY(!window->restButton()->isEnabled());
    QVERIFY(journal.runList.choose(1));
    QVERIFY(!window->restButton()->isEnabled());
}

void TestJournalWindow::previewButtonAsksForThePreview()
{
    Harness h;
    h.form->printButton.click();
    PrintWindow *dialog = h.w.printWindow();
    QVERIFY(dialog && dialog->isVisible());
    QPushButton *preview = dialog->previewButton();
    QCOMPARE(preview->text(), QStringLiteral("Preview"));
    const QStringList before = h.numbering();
    h.form->printForm.pageField.setText(QStringLiteral("2"));
    QTest::mouseClick(preview, Qt::LeftButton);
    QCOMPARE(h.dialogs.previews.size(), 1);
    QCOMPARE(h.numbering(), before);
    QVERIFY(dialog->isVisible());
    // A run under way disables it with the other commands.
    h.form->printForm.printButton.click();
    QVERIFY(!preview->isEnabled());
    h.settle();
    QVERIFY(preview->isEnabled());
}

void TestJournalWindow::questionKeys_data()
{
    QTest::addColumn<Dialogs::Buttons>("buttons");
    QTest::addColumn<std::optional<Dialogs::Answer>>("onEnter"); // none: the question's own default
    QTest::addColumn<int>("key");
    QTest::addColumn<Dialogs::Answer>("answer");
    using B = Dialogs::Buttons;
    using A = Dialogs::Answer;
    const std::optional<A> first;
    QTest::newRow("duplicates, Enter") << B::YesNo << std::optional(A::No) << int(Qt::Key_Return) << A::No;
    QTest::newRow("duplicates, Escape") << B::YesNo << std::optional(A::No) << int(Qt::Key_Escape) << A::No;
    QTest::newRow("close a run, Enter") << B::YesNoCancel << std::optional(A::Cancel) << int(Qt::Key_Return)
                                        << A::Cancel;
    // Any question: Enter, like Escape, acts on nothing (a delete, a reset).
    QTest::newRow("plain YesNo, Enter") << B::YesNo << first << int(Qt::Key_Return) << A::No;
    QTest::newRow("plain OKCancel, Enter") << B::OKCancel << first << int(Qt::Key_Return) << A::Cancel;
    QTest::newRow("plain, Escape") << B::OKCancel << first << int(Qt::Key_Escape) << A::Cancel;
    QTest::newRow("one button, Enter") << B::OK << first << int(Qt::Key_Return) << A::OK;
    QTest::newRow("acting default, Enter") << B::OKCancel << std::optional(A::OK) << int(Qt::Key_Return) << A::OK;
}

void TestJournalWindow::questionKeys()
{
    QFETCH(Dialogs::Buttons, buttons);
    QFETCH(std::optional<Dialogs::Answer>, onEnter);
    QFETCH(int, key);
    QFETCH(Dialogs::Answer, answer);
    QtDialogs dialogs;
    // Types the key into the box once it is up, as an operator would.
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        QTest::keyClick(box, Qt::Key(key));
    });
    poll.start();
    const QString text = QStringLiteral("These numbers were printed before:\r\nNo:000001\r\n\r\nPrint them again?");
    const auto given =
        onEnter ? dialogs.message(text, QString(), buttons, *onEnter) : dialogs.message(text, QString(), buttons);
    QCOMPARE(given, answer);
}

QTEST_MAIN(TestJournalWindow)
#include "tst_journalwindow.moc"
