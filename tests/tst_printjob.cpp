// The print job through the print dialog: runs of every size, failures at
// each step of a document, and the operator's Stop.
#include "FormFixture.h"
#include "app/Reprinter.h"
#include "app/RunForms.h"
#include "app/LayoutUndo.h"
#include "layoutfiles/LayoutFile.h"
#include "platform/Numeric.h"
#include "platform/Printer.h"

using namespace numora;

namespace {

// Counts what reaches the printer instead of writing it down: a run of a
// million numbers would not fit a recording. Fails the page or the end when
// told to.
class CountingPrinter : public Printer
{
public:
    qint64 texts = 0; // Print calls, the open blank included
    qint64 pages = 0; // pages started
    qint64 boxes = 0;
    int documents = 0; // documents ended successfully
    int aborted = 0;
    QString firstNumber, lastNumber;
    qint64 failOnPage = 0; // NewPage that starts this page fails
    bool failAtEnd = false;
    bool failAtStart = false;
    // Pages the print system took before the document failed or was
    // thrown away (a run handed over in parts).
    qint64 taken = 0;

    QStringList printerNames() const override { return {QStringLiteral("Counter")}; }
    int currentIndex() const override { return 0; }
    bool selectPrinter(int i) override { return i == 0; }
    void setDocumentName(const QString &) override {}
    void setOrientation(int o) override { m_orientation = o; }
    double paperWidth() override { return m_orientation == 2 ? 16838 : 11906; }
    double paperHeight() override { return m_orientation == 2 ? 11906 : 16838; }
    void setFontName(const QString &) override {}
    void setFontSize(double) override {}
    void setFontBold(bool) override {}
    void setFontItalic(bool) override {}
    void setForeColor(qint32) override {}
    void setCurrentX(double) override {}
    void setCurrentY(double) override {}
    bool print(const QString &text) override
    {
        if (!start())
            return false;
        ++texts;
        if (text != QLatin1String(" ")) {
            if (firstNumber.isEmpty())
                firstNumber = text;
            lastNumber = text;
        }
        return true;
    }
    bool line(double, double, double, double, qint32, bool) override
    {
        ++boxes;
        return start();
    }
    bool newPage() override
    {
        if (!m_open)
            return false;
        if (pages + 1 == failOnPage) {
            m_error = QStringLiteral("paper jam");
            return false;
        }
        ++pages;
        return true;
    }
    bool endDoc() override
    {
        m_open = false;
        if (failAtEnd) {
            m_error = QStringLiteral("the queue refused the job");
            return false;
        }
        ++documents;
        return true;
    }
    void abortDocument() override
    {
        if (m_open)
            ++aborted;
        m_open = false;
    }
    bool documentOpen() const override { return m_open; }
    QString lastError() const override { return m_error; }
    qint64 pagesTaken() const override { return taken; }

private:
    bool start()
    {
        if (m_open)
            return true;
        if (failAtStart) {
            m_error = QStringLiteral("printer unplugged");
            return false;
        }
        m_open = true;
        pages = 1;
        return true;
    }
    int m_orientation = 1;
    bool m_open = false;
    QString m_error;
};

// The print system takes pages 1 to `cutAfter` and no more (0: all), and
// the job ends as after a Stop. Its pages read back page by page.
class CutPrinter : public RecordingPrinter
{
public:
    qint64 cutAfter = 0;
    bool newPage() override { return !(cutAfter > 0 && ++m_page == cutAfter) && RecordingPrinter::newPage(); }
    qint64 pagesTaken() const override { return cutAfter > 0 && m_page >= cutAfter ? cutAfter : 0; }
    void abortDocument() override
    {
        m_page = 0;
        RecordingPrinter::abortDocument();
    }
    // Each page's lines since the last call, the documents' opening left out.
    QList<QStringList> takePages()
    {
        QList<QStringList> pages;
        for (const QString &line : takeLines()) {
            if (line == QLatin1String("Print \" \"") || line == QLatin1String("NewPage"))
                pages.append(QStringList());
            else if (!pages.isEmpty() && line != QLatin1String("EndDoc"))
                pages.last().append(line);
        }
        return pages;
    }

private:
    qint64 m_page = 0;
};

// A 2 X 2 layout from 41 (position 2 from 500) printing runs of 10 pages
// to a print system that may cut them.
struct CutRig
{
    test::FormFixture fx;
    CutPrinter printer;
    CutRig(int orderIndex)
    {
        printer.setPrinters({QStringLiteral("Laser")});
        fx.usePrinter = &printer;
        LayoutDocument &doc = fx.start().doc;
        doc.gridType.setText(QStringLiteral("2 X 2"));
        fx.settle();
        doc.wayPrint.setListIndex(orderIndex);
        doc.slot(2).counter.setText(QStringLiteral("500"));
        doc.startNumber.setText(QStringLiteral("41"));
        fx.settle();
        printer.takeLines();
    }
    RunForms::Outcome print(bool twoPages) { return RunForms::printWith(*fx.form, fx.scheduler, 10, twoPages); }
    JournalRun run(qint64 id) { return fx.journal.run(id, nullptr).value_or(JournalRun{}); }
};

struct JobRig
{
    test::FormFixture fx;
    CountingPrinter printer;
    MainForm *form = nullptr;

    JobRig()
    {
        fx.usePrinter = &printer;
        form = &fx.start();
    }
    LayoutDocument &doc() { return form->doc; }
    PrintForm &dialog() { return form->printForm; }
    void layout(const QString &grid, int orderIndex)
    {
        doc().gridType.setText(grid);
        fx.settle();
        doc().wayPrint.setListIndex(orderIndex);
        fx.settle();
    }
    void print(const QString &pages, bool twoPages = false)
    {
        form->printButton.click();
        dialog().twoPageOption.setValue(twoPages ? 1 : 0);
        dialog().pageField.setText(pages);
        dialog().printButton.click();
        fx.settle();
    }
    QStringList numbering()
    {
        QStringList n{doc().startNumber.text()};
        for (int i = 1; i <= 12; ++i)
            n << doc().slot(i).counter.text();
        return n;
    }
};

} // namespace

class TestPrintJob : public QObject
{
    Q_OBJECT
private slots:
    void pagesWalked_data();
    void pagesWalked();
    void largestRunPrintsEveryNumber();
    void failureRestoresNumbering_data();
    void failureRestoresNumbering();
    void stopDiscardsTheDocument();
    void progressCountsPages();
    void directRunPrintsAsTheDialog_data();
    void directRunPrintsAsTheDialog();
    void windowReprintRefusedByTheReprint_data();
    void windowReprintRefusedByTheReprint();
    void takenPartsStayCounted_data();
    void takenPartsStayCounted();
    void restPrintsTheMissingPages_data();
    void restPrintsTheMissingPages();
    void restOfAFamilyPrintsOnce_data();
    void restOfAFamilyPrintsOnce();
    void movedNumberingReachesTheFile();
};

void TestPrintJob::pagesWalked_data()
{
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("pageField");
    QTest::addColumn<bool>("twoPages");
    QTest::addColumn<bool>("boxes");
    QTest::addColumn<qint64>("pages");

    QTest::newRow("one page") << "2 X 2"
                              << "1" << false << false << qint64(1);
    QTest::newRow("12 X 12, 7 pages") << "12 X 12"
                                      << "7" << false << false << qint64(7);
    QTest::newRow("two pages alike, even") << "3 X 3"
                                           << "6" << true << false << qint64(6);
    // The sequence holds three pages twice: no blank seventh page.
    QTest::newRow("two pages alike, odd") << "3 X 3"
                                          << "7" << true << false << qint64(6);
    QTest::newRow("with boxes") << "4 X 4"
                                << "3" << false << true << qint64(3);
}

void TestPrintJob::pagesWalked()
{
    QFETCH(QString, grid);
    QFETCH(QString, pageField);
    QFETCH(bool, twoPages);
    QFETCH(bool, boxes);
    QFETCH(qint64, pages);

    JobRig r;
    r.layout(grid, 1);
    r.doc().borderLine.setValue(boxes ? 1 : 0);
    r.print(pageField, twoPages);
    const qint64 perPage = qint64(leadingNumber(grid));
    QCOMPARE(r.printer.documents, 1);
    QCOMPARE(r.printer.pages, pages);
    QCOMPARE(r.printer.texts, pages * perPage + 1);
    QCOMPARE(r.printer.boxes, boxes ? 2 * pages * perPage : 0);
    QCOMPARE(r.dialog().lastJobPages(), pages);
    QVERIFY(!r.dialog().visible());
}

void TestPrintJob::largestRunPrintsEveryNumber()
{
    // Five digits of pages on the fullest grid: far past a 16-bit index.
    JobRig r;
    r.layout(QStringLiteral("12 X 12"), 1); // order 2: each position its own run
    r.doc().nameText.setText(QString());
    r.doc().zeroPad.setValue(0);
    r.print(QStringLiteral("99999"));
    QCOMPARE(r.printer.pages, qint64(99999));
    QCOMPARE(r.printer.texts, qint64(99999) * 12 + 1);
    QCOMPARE(r.printer.firstNumber, QStringLiteral("1"));
    QCOMPARE(r.printer.lastNumber, QString::number(12 * 99999));
    QCOMPARE(r.doc().startNumber.text(), QString::number(12 * 99999 + 1));
}

void TestPrintJob::failureRestoresNumbering_data()
{
    QTest::addColumn<int>("orderIndex");
    QTest::addColumn<QString>("where");

    for (int order : {0, 6}) {
        const QByteArray o = order == 0 ? "order 1, " : "order 7, ";
        QTest::newRow(o + "start") << order << "start";
        QTest::newRow(o + "third page") << order << "page";
        QTest::newRow(o + "end") << order << "end";
    }
}

void TestPrintJob::failureRestoresNumbering()
{
    QFETCH(int, orderIndex);
    QFETCH(QString, where);

    JobRig r;
    r.layout(QStringLiteral("4 X 4"), orderIndex);
    r.doc().slot(1).counter.setText(QStringLiteral("007"));
    r.doc().slot(3).counter.setText(QStringLiteral("300"));
    r.doc().startNumber.setText(QStringLiteral("41"));
    const QStringList before = r.numbering();
    r.printer.failAtStart = where == QLatin1String("start");
    r.printer.failOnPage = where == QLatin1String("page") ? 3 : 0;
    r.printer.failAtEnd = where == QLatin1String("end");
    r.fx.dialogs.answers.push_back(QStringLiteral("OK"));
    r.print(QStringLiteral("5"));

    QCOMPARE(r.numbering(), before);
    QCOMPARE(r.printer.documents, 0);
    QCOMPARE(r.fx.dialogs.asked.size(), 1);
    QVERIFY(r.fx.dialogs.asked.first().contains(QLatin1String("\"Counter\"")));
    QVERIFY(!r.dialog().visible());
    QVERIFY(r.form->enabled());
    QVERIFY(r.dialog().printButton.enabled());
    QCOMPARE(r.dialog().lastJobPages(), qsizetype(0));

    // The printer back in order: the same numbers print again.
    r.printer = CountingPrinter{};
    r.print(QStringLiteral("5"));
    QCOMPARE(r.printer.documents, 1);
    QVERIFY(r.numbering() != before);
}

void TestPrintJob::stopDiscardsTheDocument()
{
    JobRig r;
    r.layout(QStringLiteral("2 X 2"), 0);
    const QStringList before = r.numbering();
    qsizetype asked = 0;
    r.dialog().progress = [&asked](qsizetype page, qsizetype) {
        asked = page;
        return page < 4; // the operator presses Stop during page 4
    };
    QString reason = QStringLiteral("not raised");
    r.dialog().onJobFailed.connect([&reason](const QString &why) { reason = why; });
    r.print(QStringLiteral("10"));
    QCOMPARE(asked, qsizetype(4));
    QCOMPARE(r.printer.aborted, 1);
    QCOMPARE(r.printer.documents, 0);
    QCOMPARE(r.numbering(), before);
    QCOMPARE(reason, QString());
    // A Stop is the operator's own choice: nothing to report.
    QVERIFY(r.fx.dialogs.asked.isEmpty());
    QVERIFY(!r.dialog().visible());
    // The journal says so, and the stopped numbers guard nothing: the same
    // run again asks nothing and prints.
    QString error;
    const auto runs = r.fx.journal.runs(QString(), &error);
    QVERIFY2(runs && runs->size() == 1, qPrintable(error));
    QCOMPARE(runs->front().outcome, JournalRun::Outcome::Stopped);
    QCOMPARE(runs->front().pagesPrinted, 0);
    r.dialog().progress = nullptr;
    r.print(QStringLiteral("10"));
    QVERIFY(r.fx.dialogs.asked.isEmpty());
    QCOMPARE(r.printer.documents, 1);
    QCOMPARE(r.fx.journal.runs(QString(), &error)->front().outcome, JournalRun::Outcome::Printed);
}

void TestPrintJob::progressCountsPages()
{
    JobRig r;
    r.layout(QStringLiteral("6 X 6"), 2);
    QList<qsizetype> seen;
    r.dialog().progress = [&seen](qsizetype page, qsizetype pages) {
        seen << page << pages;
        return true;
    };
    r.print(QStringLiteral("3"));
    QCOMPARE(seen, (QList<qsizetype>{1, 3, 2, 3, 3, 3}));
    QCOMPARE(r.printer.documents, 1);
}

void TestPrintJob::directRunPrintsAsTheDialog_data()
{
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("order");
    QTest::addColumn<qint64>("pages");
    QTest::addColumn<bool>("twoPages");
    QTest::addColumn<bool>("boxes");
    QTest::addColumn<int>("failAt");
    QTest::addColumn<qint64>("reprintFrom"); // 0: no reprint

    const int nowhere = int(RecordingPrinter::FailAt::Nowhere);
    QTest::newRow("2 X 2") << "2 X 2" << 0 << qint64(3) << false << false << nowhere << qint64(0);
    QTest::newRow("read backwards, boxed") << "4 X 4" << 5 << qint64(2) << false << true << nowhere << qint64(0);
    QTest::newRow("counters, two pages alike") << "3 X 3" << 6 << qint64(5) << true << false << nowhere << qint64(0);
    QTest::newRow("pages 2 to 3 only") << "6 X 6" << 2 << qint64(4) << false << false << nowhere << qint64(2);
    QTest::newRow("fails at the start") << "2 X 2" << 0 << qint64(2) << false << false
                                        << int(RecordingPrinter::FailAt::Start) << qint64(0);
    QTest::newRow("fails at the end") << "12 X 12" << 1 << qint64(2) << false << true
                                      << int(RecordingPrinter::FailAt::End) << qint64(0);
}

void TestPrintJob::directRunPrintsAsTheDialog()
{
    // The command line, the reprint and the preview print without the
    // dialog: the printer, the numbering and the operator must see the same
    // run as from the dialog's "Print....".
    QFETCH(QString, grid);
    QFETCH(int, order);
    QFETCH(qint64, pages);
    QFETCH(bool, twoPages);
    QFETCH(bool, boxes);
    QFETCH(int, failAt);
    QFETCH(qint64, reprintFrom);

    std::optional<PrintJob::Reprint> reprint;
    if (reprintFrom > 0)
        reprint = PrintJob::Reprint{0, qsizetype(reprintFrom), qsizetype(reprintFrom + 1)};
    struct Side
    {
        test::FormFixture fx;
        MainForm *form = nullptr;
    };
    const auto prepare = [&](Side &side) {
        side.fx.printer.setPrinters({QStringLiteral("Laser")});
        side.form = &side.fx.start();
        LayoutDocument &doc = side.form->doc;
        doc.gridType.setText(grid);
        side.fx.settle();
        doc.wayPrint.setListIndex(order);
        doc.borderLine.setValue(boxes ? 1 : 0);
        doc.startNumber.setText(QStringLiteral("7"));
        side.fx.settle();
        side.fx.printer.takeLines();
        side.fx.printer.failNext(RecordingPrinter::FailAt(failAt), QStringLiteral("Out of paper"));
        if (failAt != int(RecordingPrinter::FailAt::Nowhere))
            side.fx.dialogs.answers.push_back(QStringLiteral("OK"));
    };
    // The orientation is set on every tick of the dialog's timer.
    const auto printed = [](Side &side) {
        QStringList lines = side.fx.printer.takeLines();
        lines.removeIf([](const QString &l) { return l.startsWith(QLatin1String("Orientation")); });
        QStringList numbering{side.form->doc.startNumber.text()};
        for (int n = 1; n <= 12; ++n)
            numbering << side.form->doc.slot(n).counter.text();
        return std::make_tuple(lines, numbering, side.fx.dialogs.asked);
    };

    Side dialog, direct;
    prepare(dialog);
    dialog.form->printButton.click();
    dialog.form->printForm.twoPageOption.setValue(twoPages ? 1 : 0);
    dialog.form->printForm.pageField.setText(QString::number(pages));
    dialog.form->printForm.reprint = reprint;
    dialog.form->printForm.printButton.click();
    dialog.fx.settle();
    QVERIFY(!dialog.form->printForm.visible());

    prepare(direct);
    const RunForms::Outcome outcome = RunForms::printWith(*direct.form, direct.fx.scheduler, pages, twoPages, reprint);
    QVERIFY(outcome.ended);
    QCOMPARE(outcome.printed, failAt == int(RecordingPrinter::FailAt::Nowhere));
    QCOMPARE(outcome.pages, qint64(dialog.form->printForm.lastJobPages()));
    const auto [lines, numbering, asked] = printed(direct);
    const auto [dialogLines, dialogNumbering, dialogAsked] = printed(dialog);
    QVERIFY(lines.contains(QStringLiteral("EndDoc")) || failAt != int(RecordingPrinter::FailAt::Nowhere));
    QCOMPARE(lines, dialogLines);
    QCOMPARE(numbering, dialogNumbering);
    QCOMPARE(asked, dialogAsked);
}

void TestPrintJob::windowReprintRefusedByTheReprint_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("told");
    QTest::newRow("past the last page") << "2" << "5" << "Run 1 printed pages 1 to 3: pages 2 to 5 are not among them.";
    QTest::newRow("no first page") << "0" << "1" << "Run 1 printed pages 1 to 3: pages 0 to 1 are not among them.";
}

void TestPrintJob::windowReprintRefusedByTheReprint()
{
    // The journal window leaves the rule to the reprint: the operator hears
    // it as before, and nothing reaches the printer.
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, told);
    JobRig r;
    r.print(QStringLiteral("3"));
    QCOMPARE(r.printer.documents, 1);
    r.form->openJournal();
    JournalForm &journal = *r.form->journalForm();
    QVERIFY(journal.runList.choose(0));
    journal.reprintFrom.setText(from);
    journal.reprintTo.setText(to);
    r.fx.dialogs.answers.push_back(QStringLiteral("OK"));
    journal.reprintButton.click();
    QCOMPARE(r.fx.dialogs.asked, QStringList{told});
    QCOMPARE(r.printer.documents, 1);
    QCOMPARE(r.printer.aborted, 0);
}

void TestPrintJob::takenPartsStayCounted_data()
{
    QTest::addColumn<int>("orderIndex");
    QTest::addColumn<bool>("stopped"); // else the printer fails
    QTest::newRow("order 3, part refused") << 2 << false;
    QTest::newRow("order 7, part refused") << 6 << false;
    QTest::newRow("order 3, Stop") << 2 << true;
}

// The printer took pages 1 to 4 of 10 before the run failed or was stopped:
// they stay counted in the numbering, the journal and the operator's
// message, and the run that goes on prints the rest and nothing twice.
void TestPrintJob::takenPartsStayCounted()
{
    QFETCH(int, orderIndex);
    QFETCH(bool, stopped);
    const auto setUp = [orderIndex](JobRig &r) {
        r.layout(QStringLiteral("2 X 2"), orderIndex);
        r.doc().slot(1).counter.setText(QStringLiteral("100"));
        r.doc().slot(2).counter.setText(QStringLiteral("500"));
        r.doc().startNumber.setText(QStringLiteral("41"));
    };
    // What 4 pages, and all 10, would have left and printed.
    JobRig four, ten;
    setUp(four);
    four.print(QStringLiteral("4"));
    setUp(ten);
    ten.print(QStringLiteral("10"));

    JobRig r;
    setUp(r);
    r.printer.taken = 4;
    if (stopped)
        r.dialog().progress = [](qsizetype page, qsizetype) { return page < 6; };
    else
        r.printer.failOnPage = 6;
    r.fx.dialogs.answers.push_back(QStringLiteral("OK"));
    r.print(QStringLiteral("10"));

    QCOMPARE(r.printer.documents, 0);
    QCOMPARE(r.numbering(), four.numbering());
    QCOMPARE(r.dialog().lastJobPages(), qsizetype(4));
    QCOMPARE(r.fx.dialogs.asked.size(), 1);
    const QString told = r.fx.dialogs.asked.first();
    QVERIFY2(told.contains(QLatin1String("The run stopped at page 5: pages 1 to 4 went to the printer and are "
                                         "counted; pages 5 to 10 were not printed and are not counted. \"Print the rest\" in "
                                         "the journal prints them as a new run."))
                 && told.contains(QLatin1String("paper jam")) != stopped,
             qPrintable(told));
    QString error;
    const auto runs = r.fx.journal.runs(QString(), &error);
    QVERIFY2(runs && runs->size() == 1, qPrintable(error));
    QCOMPARE(runs->front().outcome, stopped ? JournalRun::Outcome::Stopped : JournalRun::Outcome::Failed);
    QCOMPARE(runs->front().pagesPrinted, qint64(4));

    // The rest: no number of it was counted before (the journal would ask),
    // and it ends where the whole run would have ended.
    r.dialog().progress = nullptr;
    r.printer = CountingPrinter{};
    r.print(QStringLiteral("6"));
    QCOMPARE(r.printer.documents, 1);
    QCOMPARE(r.fx.dialogs.asked.size(), 1);
    QCOMPARE(r.printer.lastNumber, ten.printer.lastNumber);
    QCOMPARE(r.numbering(), ten.numbering());
}

void TestPrintJob::restPrintsTheMissingPages_data()
{
    QTest::addColumn<int>("orderIndex");
    QTest::addColumn<bool>("twoPages");
    QTest::addColumn<qint64>("cutAfter");
    QTest::addColumn<qint64>("restCutAfter"); // 0: the rest prints whole
    QTest::newRow("order 1") << 0 << false << qint64(4) << qint64(0);
    QTest::newRow("order 3") << 2 << false << qint64(4) << qint64(0);
    QTest::newRow("order 6, its rest cut short too") << 5 << false << qint64(4) << qint64(2);
    QTest::newRow("order 2, every page twice, its rest cut short too") << 1 << true << qint64(4) << qint64(2);
    // The rest begins with the second copy of a page that went out: those
    // numbers were counted with it and are not claimed again.
    QTest::newRow("order 1, every page twice, cut between copies") << 0 << true << qint64(3) << qint64(2);
}

// Run 1 of 10 pages is cut after page 4 (or 3); its rest, printed as run 2 (and,
// when that is cut too, its own rest as run 3), puts on paper exactly pages
// 5 (4) to 10 of the whole run, and the journal then guards all its numbers.
void TestPrintJob::restPrintsTheMissingPages()
{
    QFETCH(int, orderIndex);
    QFETCH(bool, twoPages);
    QFETCH(qint64, cutAfter);
    QFETCH(qint64, restCutAfter);
    CutRig whole(orderIndex), r(orderIndex);
    QVERIFY(whole.print(twoPages).printed);
    const QList<QStringList> wholePages = whole.printer.takePages();
    QCOMPARE(wholePages.size(), 10);

    r.printer.cutAfter = cutAfter;
    r.fx.dialogs.answers.push_back(QStringLiteral("OK"));
    QCOMPARE(r.print(twoPages).pages, cutAfter);
    QCOMPARE(r.printer.takePages(), wholePages.mid(0, int(cutAfter)));
    Reprinter reprinter(r.fx.form->services());
    r.printer.cutAfter = restCutAfter;
    if (restCutAfter > 0)
        r.fx.dialogs.answers.push_back(QStringLiteral("OK"));
    Reprinter::Result rest = reprinter.printRest(r.run(1));
    QVERIFY2(rest.pages == (restCutAfter > 0 ? restCutAfter : 10 - cutAfter), qPrintable(rest.problem));
    QCOMPARE(r.run(2).restOf, qint64(1));
    QCOMPARE(r.run(2).restFrom, cutAfter + 1);
    QCOMPARE(r.run(2).pagesRequested, 10 - cutAfter);
    QList<QStringList> restPages = r.printer.takePages();
    if (restCutAfter > 0) {
        QCOMPARE(reprinter.printRest(r.run(1)).problem,
                 QStringLiteral("run 1 has no rest to print: run 2 printed it in part: print the rest of run 2"));
        r.printer.cutAfter = 0;
        rest = reprinter.printRest(r.run(2));
        QVERIFY2(rest.printed, qPrintable(rest.problem));
        QCOMPARE(r.run(3).restFrom, restCutAfter + 1);
        restPages += r.printer.takePages();
    }
    QCOMPARE(restPages, wholePages.mid(int(cutAfter)));
    // A reprint of a rest prints its pages again.
    const qint64 lastRest = restCutAfter > 0 ? 3 : 2;
    QVERIFY(reprinter.reprint(r.run(lastRest), 1, 2).printed);
    QCOMPARE(r.printer.takePages(), restPages.mid(int(restPages.size()) - int(r.run(lastRest).pagesPrinted), 2));

    // Every number of the whole run is guarded.
    for (const NumberRange &range : whole.run(1).ranges) {
        for (qint64 k = 0; k < range.count(); ++k) {
            NumberRange one = range;
            one.first = one.last = range.first + k * range.step;
            QVERIFY2(!r.fx.journal.duplicates({one}, nullptr).value_or(std::vector<JournalDuplicate>{}).empty(),
                     qPrintable(one.firstText()));
        }
    }
    const Reprinter::Result again = reprinter.printRest(r.run(1));
    QVERIFY(again.refused);
    QCOMPARE(again.problem, QStringLiteral("run 1 has no rest to print: run %1 printed it").arg(lastRest));
    QCOMPARE(r.printer.takeLines(), QStringList());

    // The open layout stood where run 1 left it: it goes on where the whole
    // run left its own.
    QVERIFY(Reprinter::moveOnAfterRest(r.fx.form->doc, r.run(1), rest));
    QCOMPARE(PrintJob::Numbering::of(r.fx.form->doc), PrintJob::Numbering::of(whole.fx.form->doc));
    QVERIFY(!Reprinter::moveOnAfterRest(r.fx.form->doc, r.run(1), rest));
}

void TestPrintJob::restOfAFamilyPrintsOnce_data()
{
    QTest::addColumn<qint64>("thirdRestOf");   // the run whose rest run 3 prints
    QTest::addColumn<qint64>("thirdCutAfter"); // 0: run 3 prints whole
    QTest::addColumn<QString>("refused");      // runs 1 and 2 alike
    const QString printed = QStringLiteral("run %1 has no rest to print: run 3 printed it");
    QTest::newRow("the rest of its rest printed") << qint64(2) << qint64(0) << printed;
    QTest::newRow("a second rest printed") << qint64(1) << qint64(0) << printed;
    QTest::newRow("the rest of its rest cut short")
        << qint64(2) << qint64(2) << printed + QStringLiteral(" in part: print the rest of run 3");
}

// Run 1 is cut after page 4 and its rest, run 2, fails before its first
// page; run 3 prints the rest of run 2, or of run 1 again. Neither run 1 nor
// run 2 then offers a rest that would print run 3's numbers twice.
void TestPrintJob::restOfAFamilyPrintsOnce()
{
    QFETCH(qint64, thirdRestOf);
    QFETCH(qint64, thirdCutAfter);
    QFETCH(QString, refused);
    CutRig r(2);
    r.printer.cutAfter = 4;
    r.fx.dialogs.answers = {QStringLiteral("OK"), QStringLiteral("OK"), QStringLiteral("OK")};
    QCOMPARE(r.print(false).pages, qint64(4));
    Reprinter reprinter(r.fx.form->services());
    r.printer.cutAfter = 0;
    r.printer.failNext(RecordingPrinter::FailAt::Start, QStringLiteral("printer unplugged"));
    QVERIFY(reprinter.printRest(r.run(1)).pages == 0 && r.run(2).restOf == 1);
    r.printer.cutAfter = thirdCutAfter;
    QVERIFY(reprinter.printRest(r.run(thirdRestOf)).pages > 0);
    r.printer.takeLines();
    r.fx.form->openJournal();
    JournalForm &journal = *r.fx.form->journalForm();
    for (const int id : {1, 2}) {
        QCOMPARE(reprinter.printRest(r.run(id)).problem, refused.arg(id));
        QVERIFY(journal.runList.choose(3 - id) && !journal.restButton.enabled()); // newest first
    }
    QCOMPARE(r.printer.takeLines(), QStringList());
}

// Numbering moved on by a run cut short, and then by its rest printed from
// the journal window, goes into the open layout's file as a printed run's
// does, and Ctrl+Z does not put it back onto numbers that went out.
void TestPrintJob::movedNumberingReachesTheFile()
{
    CutRig r(2);
    MainForm &form = *r.fx.form;
    const QString path = r.fx.folder.filePath(QStringLiteral("Shop.2x2"));
    form.doc.documentName.setCaption(QStringLiteral("Shop"));
    form.undo().checkpoint();
    form.doc.startNumber.setText(QStringLiteral("45")); // the operator's last step
    form.undo().checkpoint();
    QVERIFY(r.fx.folder.ensureExists() && form.layoutFiles().writeLayoutFile(path, LayoutWriter::SaveCommand));
    form.doc.filePath = path;
    PrintJob::Numbering before = PrintJob::Numbering::of(form.doc);
    const auto movedAndWritten = [&] {
        const PrintJob::Numbering after = PrintJob::Numbering::of(form.doc);
        form.undo().undo();
        return !(after == before) && PrintJob::Numbering::of(form.doc) == after
               && readLayoutFile(r.fx.folder, path, nullptr)
                      ->contains("\r\nCounter 00 =" + after.start.toLatin1() + "\r\n");
    };
    r.printer.cutAfter = 4;
    r.fx.dialogs.answers = {QStringLiteral("OK"), QStringLiteral("Yes"), QStringLiteral("OK")};
    form.printButton.click(); // the window's run, through the print dialog
    form.printForm.pageField.setText(QStringLiteral("10"));
    form.printForm.printButton.click();
    r.fx.settle();
    QVERIFY(form.printForm.lastJobPages() == 4 && movedAndWritten());
    r.printer.cutAfter = 0;
    before = PrintJob::Numbering::of(form.doc);
    form.undo().checkpoint(); // the click that opens the journal
    form.openJournal();
    QVERIFY(form.journalForm()->runList.choose(0));
    form.journalForm()->restButton.click();
    QVERIFY2(r.fx.dialogs.asked.last().contains(QLatin1String("goes on from")), qPrintable(r.fx.dialogs.asked.last()));
    QVERIFY(movedAndWritten());
}

QTEST_GUILESS_MAIN(TestPrintJob)
#include "tst_printjob.moc"
