// The print job through the print dialog: runs of every size, failures at
// each step of a document, and the operator's Stop.
#include "FormFixture.h"
#include "app/RunForms.h"
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

QTEST_GUILESS_MAIN(TestPrintJob)
#include "tst_printjob.moc"
