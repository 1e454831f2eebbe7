#include "testsupport/RecordingPrinter.h"
#include "app/MainForm.h"
#include "platform/LayoutFolder.h"
#include "platform/ManualScheduler.h"
#include "platform/Numeric.h"
#include "platform/MemorySettingsStore.h"
#include "platform/UpdateBatch.h"
#include "printing/PrintOrderEngine.h"
#include "testsupport/FixedClock.h"
#include "testsupport/FixedTextMeasure.h"
#include "testsupport/ScriptedDialogs.h"
#include "ui/ViewSupport.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace numora;

namespace {

// Fixed text sizes, counting how often a text is measured.
struct CountingMeasure : FixedTextMeasure
{
    using FixedTextMeasure::FixedTextMeasure;
    int calls = 0;
    void measure(const QString &text, const FontSpec &font, double &w, double &h) override
    {
        ++calls;
        FixedTextMeasure::measure(text, font, w, h);
    }
};

// The main window with test doubles, started up as the program starts.
struct Rig
{
    QTemporaryDir dir;
    ManualScheduler scheduler;
    CountingMeasure measure{100, 200};
    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    FixedClock clock;
    DiskLayoutFolder folder{dir.path()};
    RecordingPrinter printer;
    MainForm form{Services{scheduler, measure, dialogs, settings, clock, {}, folder, printer}};
    LayoutDocument &doc = form.doc;

    Rig()
    {
        form.startUp();
        scheduler.settle();
    }

    // A grid change resets the counters and positions (automatic placement),
    // so the grid comes first.
    void layout(const QString &grid, int orderIndex)
    {
        doc.gridType.setText(grid);
        scheduler.settle();
        doc.wayPrint.setListIndex(orderIndex);
        scheduler.settle();
    }
    // Entries then hold the positions and the bare number.
    void plainStyle()
    {
        doc.nameText.setText(QString());
        doc.bracketBefore.setText(QString());
        doc.bracketAfter.setText(QString());
        doc.zeroPad.setValue(0);
        doc.alignLCR.setValue(0);
    }
    // As the print command starts a run.
    void run(const QString &pageField, bool twoPages)
    {
        form.printForm.twoPageOption.setValue(twoPages ? 1 : 0);
        form.pageCountMirror.setText(pageField);
        form.printGenerator.setUpTimer.setInterval(1);
        QVERIFY(scheduler.settle());
    }
    QStringList sequence() const
    {
        QStringList l;
        const SequenceList &s = form.printGenerator.sequence;
        for (qsizetype i = 0; i < s.count(); ++i)
            l.append(s.item(i));
        return l;
    }
    // The number part of every entry, pages as "a,b|c,d".
    QString pages() const
    {
        const SequenceList &s = form.printGenerator.sequence;
        const int k = slotsOnPage(doc.gridType.text());
        QString out;
        for (qsizetype i = 0; i < s.count(); ++i) {
            if (i > 0)
                out += i % k == 0 ? QLatin1Char('|') : QLatin1Char(',');
            out += s.body(i).toString();
        }
        return out;
    }
    QString counters(int k)
    {
        QStringList l;
        for (int n = 1; n <= k; ++n)
            l.append(form.doc.slot(n).counter.text());
        return l.join(QLatin1Char(','));
    }
    PrintRunInput input()
    {
        PrintRunInput in;
        in.gridType = doc.gridType.text();
        in.printOrder = doc.wayPrint.text();
        in.startText = doc.startNumber.text();
        in.pageCountText = form.pageCountMirror.text();
        in.twoPages = form.printForm.twoPageOption.value() == 1;
        for (int n = 1; n <= 12; ++n) {
            in.counters[std::size_t(n - 1)] = form.doc.slot(n).counter.text();
            in.tops[std::size_t(n - 1)] = form.doc.slot(n).topCm.text();
            in.lefts[std::size_t(n - 1)] = form.doc.slot(n).leftCm.text();
        }
        return in;
    }
};

// The number at page p (from 0) and slot n (from 1) in the closed forms.
double closedForm(int order, double S, double P, int K, int p, int n, double counter)
{
    const int m = (n + 1) / 2;
    switch (order) {
    case 1: return S + (n - 1) * P + (P - 1 - p);
    case 2: return S + (n - 1) * P + p;
    case 3: return S + p * K + (n - 1);
    case 4: return S + P * K - 1 - (p * K + n - 1);
    case 5:
    case 6: return (K % 2 == 1 && n == K) ? S + (m - 1) * P : S + (m - 1) * P + p;
    case 7: return counter + p;
    default: return counter + (P - 1 - p);
    }
}

const QStringList kGrids = {QStringLiteral("1 X 1"),   QStringLiteral("2 X 2"),  QStringLiteral("3 X 3"),
                            QStringLiteral("4 X 4"),   QStringLiteral("6 X 6"),  QStringLiteral("8 X 8"),
                            QStringLiteral("10 X 10"), QStringLiteral("12 X 12")};

} // namespace

class TestPrintEngine : public QObject
{
    Q_OBJECT
private slots:
    void workedExample_data();
    void workedExample();
    void entryText();
    void numberAsWritten_data();
    void numberAsWritten();
    void positionTexts_data();
    void positionTexts();
    void edgeRuns_data();
    void edgeRuns();
    void countersNormalisedBeforeTheRun();
    void pageFieldOneWithTwoPagesChangesNothing();
    void unknownOrderGivesNoEntries();
    void engineMatchesClosedForms();
    void formMatchesClosedForms();
    void eachTickEndsUpToDate_data();
    void eachTickEndsUpToDate();
    void measuringOncePerTick_data();
    void measuringOncePerTick();
    void viewsFollowOncePerBatch();
    void largestRun();
    void impossibleCountsRefused_data();
    void impossibleCountsRefused();
    void selector_data();
    void selector();
    void selectorBackFromCounters();
};

void TestPrintEngine::workedExample_data()
{
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("counters");
    QTest::addColumn<QString>("pageField");
    QTest::addColumn<bool>("twoPages");
    QTest::addColumn<QString>("pages");
    QTest::addColumn<QString>("startAfter");
    QTest::addColumn<QString>("countersAfter");
    const QString two = QStringLiteral("2 X 2");
    const QString ones = QStringLiteral("1,1");
    const QString three = QStringLiteral("3");
    QTest::newRow("1 up to down") << two << 1 << ones << three << false << "3,6|2,5|1,4"
                                  << "7" << ones;
    QTest::newRow("2 down to up") << two << 2 << ones << three << false << "1,4|2,5|3,6"
                                  << "7" << ones;
    QTest::newRow("3 to up") << two << 3 << ones << three << false << "1,2|3,4|5,6"
                             << "7" << ones;
    QTest::newRow("4 to down") << two << 4 << ones << three << false << "6,5|4,3|2,1"
                               << "7" << ones;
    QTest::newRow("5 step 2") << two << 5 << ones << three << false << "1,1|2,2|3,3"
                              << "4" << ones;
    QTest::newRow("6 step 2") << two << 6 << ones << three << false << "1,1|2,2|3,3"
                              << "4" << ones;
    QTest::newRow("7 advanced") << two << 7 << ones << three << false << "1,1|2,2|3,3"
                                << "4"
                                << "4,4";
    QTest::newRow("8 advanced") << two << 8 << ones << three << false << "3,3|2,2|1,1"
                                << "4"
                                << "4,4";
    QTest::newRow("7 counters 1 and 101") << two << 7 << "1,101" << three << false << "1,101|2,102|3,103"
                                          << "104"
                                          << "4,104";
    QTest::newRow("8 counters 1 and 101") << two << 8 << "1,101" << three << false << "3,103|2,102|1,101"
                                          << "104"
                                          << "4,104";
    QTest::newRow("two pages") << two << 2 << ones << "6" << true << "1,4|1,4|2,5|2,5|3,6|3,6"
                               << "7" << ones;
    QTest::newRow("three slots, pairs") << "3 X 3" << 5 << "1,1,1" << three << false << "1,1,4|2,2,4|3,3,4"
                                        << "5"
                                        << "1,1,1";
    QTest::newRow("one slot, pairs") << "1 X 1" << 6 << "1" << three << false << "1|1|1"
                                     << "2"
                                     << "1";
    QTest::newRow("two pages, odd field") << two << 7 << ones << "7" << true << "1,1|1,1|2,2|2,2|3,3|3,3"
                                          << "4"
                                          << "4,4";
}

void TestPrintEngine::workedExample()
{
    QFETCH(QString, grid);
    QFETCH(int, order);
    QFETCH(QString, counters);
    QFETCH(QString, pageField);
    QFETCH(bool, twoPages);
    QFETCH(QString, pages);
    QFETCH(QString, startAfter);
    QFETCH(QString, countersAfter);

    Rig rig;
    rig.layout(grid, order - 1);
    rig.plainStyle();
    const QStringList c = counters.split(QLatin1Char(','));
    for (int n = 1; n <= c.size(); ++n)
        rig.doc.slot(n).counter.setText(c.at(n - 1));
    rig.doc.startNumber.setText(QStringLiteral("1"));
    rig.run(pageField, twoPages);

    QCOMPARE(rig.pages(), pages);
    QCOMPARE(rig.doc.startNumber.text(), startAfter);
    QCOMPARE(rig.counters(int(c.size())), countersAfter);
    QCOMPARE(rig.form.printGenerator.generationTimer.interval(), 0);
    if (twoPages)
        QCOMPARE(rig.form.pageCountMirror.text(), QString::number(int(pageField.toInt() / 2)));
}

void TestPrintEngine::entryText()
{
    Rig rig;
    rig.layout(QStringLiteral("2 X 2"), 1);
    rig.doc.nameText.setText(QStringLiteral("No:"));
    rig.doc.zeroPad.setValue(1);
    rig.doc.zeroPadWidth.setText(QStringLiteral("6"));
    rig.doc.slot(1).topCm.setText(QStringLiteral("28.5"));
    rig.doc.slot(1).leftCm.setText(QStringLiteral("18.5"));
    rig.doc.slot(2).topCm.setText(QStringLiteral("5"));
    rig.doc.slot(2).leftCm.setText(QStringLiteral("0.1"));
    rig.doc.startNumber.setText(QStringLiteral("9"));
    rig.run(QStringLiteral("1"), false);
    QCOMPARE(rig.sequence(),
             (QStringList{QStringLiteral("0028.50018.5No:000009"), QStringLiteral("0000050000.1No:000010")}));
    // The dialog's running label shows the sample of the last number.
    QCOMPARE(rig.form.printForm.numberSample.caption(), QStringLiteral("No:000010"));
    QCOMPARE(rig.doc.startNumber.text(), QStringLiteral("11"));
    QCOMPARE(rig.doc.modified, 1);
    // Each entry carries its place and the number as the rule wrote it; a
    // name with blanks before it and a digit of its own moves the number
    // but is never counted.
    rig.doc.nameText.setText(QStringLiteral("  A1-"));
    rig.run(QStringLiteral("1"), false);
    const SequenceList &s = rig.form.printGenerator.sequence;
    QCOMPARE(s.count(), 2);
    const RunEntry e = s.entry(1);
    QCOMPARE(e.slot, 2);
    QCOMPARE(e.top, 5.0);
    QCOMPARE(e.left, 0.1);
    QCOMPARE(e.text.toString(), QStringLiteral("A1-000012"));
    QCOMPARE(e.prefix().toString(), QStringLiteral("A1-"));
    QCOMPARE(e.number.digits, 6);
    QCOMPARE(e.number.value, 12);
    QCOMPARE(e.suffix().toString(), QString());
}

void TestPrintEngine::numberAsWritten_data()
{
    // The style as "name,brackets before and after,alignment,pad width".
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("written"); // "prefix|digits|suffix value", or "none"
    const auto row = [](const char *name, const char *style, const char *number, const char *written) {
        QTest::newRow(name) << QString::fromUtf8(style) << QString::fromUtf8(number) << QString::fromUtf8(written);
    };
    row("padded", "No:,,0,6", "9", "No:|000009| 9");
    row("number before the name", "No,(),1,", "7", "(|7|)No 7");
    row("bracket twice", "N,[],2,3", "7", "[N[|007| 7");
    row("digits in the name", "A12-,,0,", "34", "A12-|34| 34");
    row("a sign stays before", "No:,,0,", "-5", "No:-|5| 5");
    row("zeros apart from the digits", "No:,,0,4", "-5", "No:00-|5| 5");
    row("decimal point", "No:,,0,", "1.25", "No:1.|25| 25");
    row("no digits", "No:,,0,6", "", "none");
    row("not ending in a digit", "No:,,0,", "5:", "none");
    row("eighteen digits", ",,0,", "123456789012345678", "|123456789012345678| 123456789012345678");
    row("too many digits", ",,0,8", "1234567890123456789", "none");
}

void TestPrintEngine::numberAsWritten()
{
    QFETCH(QString, style);
    QFETCH(QString, number);
    QFETCH(QString, written);
    const QStringList f = style.split(QLatin1Char(','));
    NumberTextStyle s;
    s.name = f[0];
    s.before = f[1].left(1);
    s.after = f[1].mid(1);
    s.alignLCR = f[2].toInt();
    s.zeroPad = f[3].isEmpty() ? 0 : 1;
    s.zeroPadWidth = f[3];
    WrittenNumber n;
    const QString text = composeNumberText(s, number, zeroPrefix(s, number), &n);
    QCOMPARE(text, composeNumberText(s, number));
    const QString got = n.digits == 0 ? QStringLiteral("none")
                                      : QStringLiteral("%1|%2|%3 %4")
                                            .arg(text.left(n.at), text.mid(n.at, n.digits), text.mid(n.at + n.digits))
                                            .arg(n.value);
    QCOMPARE(got, written);
}

void TestPrintEngine::positionTexts_data()
{
    QTest::addColumn<QString>("cm");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << "5"
                           << "000005";
    QTest::newRow("tenth") << "0.1"
                           << "0000.1";
    QTest::newRow("hundredths") << "28.55"
                                << "028.55";
    QTest::newRow("trailing zero") << "28.50"
                                   << "0028.5";
    QTest::newRow("six characters") << "10.125"
                                    << "10.125";
    QTest::newRow("empty") << ""
                           << "000000";
    // Texts from a layout file that would not fit six characters.
    QTest::newRow("more decimals") << "12.3456"
                                   << "012.35";
    QTest::newRow("far off the page") << "1234567"
                                      << "999.99";
    QTest::newRow("negative") << "-123.456"
                              << "-99.99";
}

void TestPrintEngine::positionTexts()
{
    QFETCH(QString, cm);
    QFETCH(QString, text);
    QCOMPARE(positionText(cm), text);
}

// Runs whose outcome the closed forms alone do not show.
void TestPrintEngine::edgeRuns_data()
{
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("pageField");
    QTest::addColumn<bool>("twoPages");
    QTest::addColumn<qint64>("entries");
    QTest::addColumn<QString>("startAfter");
    QTest::addColumn<QString>("countersAfter");
    // Counters are 100, 200, .. 1200 and the start number 5.
    QTest::newRow("12 slots, order 7: counter 11 advanced last")
        << "12 X 12" << 7 << "2" << false << qint64(24) << "1102"
        << "102,202,302,402,502,602,702,802,902,1002,1102,1202";
    QTest::newRow("6 slots, order 8: counter 5 advanced last") << "6 X 6" << 8 << "7" << true << qint64(36) << "503"
                                                               << "103,203,303,403,503,603";
    QTest::newRow("3 slots, order 7: counter 3 advanced last") << "3 X 3" << 7 << "1" << false << qint64(3) << "301"
                                                               << "101,201,301";
    QTest::newRow("fractional page count stops early") << "2 X 2" << 2 << "2.5" << false << qint64(4) << "8.5"
                                                       << "100,200";
    QTest::newRow("order 4 over 4 slots") << "4 X 4" << 4 << "3" << false << qint64(12) << "17"
                                          << "100,200,300,400";
}

void TestPrintEngine::edgeRuns()
{
    QFETCH(QString, grid);
    QFETCH(int, order);
    QFETCH(QString, pageField);
    QFETCH(bool, twoPages);
    QFETCH(qint64, entries);
    QFETCH(QString, startAfter);
    QFETCH(QString, countersAfter);

    Rig rig;
    rig.layout(grid, order - 1);
    const int k = slotsOnPage(grid);
    for (int n = 1; n <= 12; ++n)
        rig.doc.slot(n).counter.setText(QString::number(100 * n));
    rig.doc.startNumber.setText(QStringLiteral("5"));
    const PrintRunInput before = rig.input();
    rig.run(pageField, twoPages);
    QCOMPARE(qint64(rig.form.printGenerator.sequence.count()), entries);
    QCOMPARE(rig.doc.startNumber.text(), startAfter);
    QCOMPARE(rig.counters(k), countersAfter);

    PrintRunInput in = before;
    in.pageCountText = pageField;
    in.twoPages = twoPages;
    const PrintRunResult r = runPrintOrder(in);
    QCOMPARE(r.sequenceLength(), entries);
    QCOMPARE(r.startText, startAfter);
}

void TestPrintEngine::countersNormalisedBeforeTheRun()
{
    Rig rig;
    rig.layout(QStringLiteral("2 X 2"), 1);
    rig.plainStyle();
    rig.doc.startNumber.setText(QStringLiteral("50"));
    rig.doc.slot(1).counter.setText(QStringLiteral("007"));
    rig.doc.slot(12).counter.setText(QStringLiteral("0012")); // not in use on this grid
    rig.doc.startNumber.setText(QStringLiteral("50"));
    rig.run(QStringLiteral("2"), false);
    QCOMPARE(rig.doc.slot(1).counter.text(), QStringLiteral("7"));
    QCOMPARE(rig.doc.slot(12).counter.text(), QStringLiteral("12"));
    // The counter changed last (slot 12) gave the run its start number.
    QCOMPARE(rig.pages(), QStringLiteral("12,14|13,15"));
    QCOMPARE(rig.doc.startNumber.text(), QStringLiteral("16"));

    // Counters already in normal form leave the start number field alone.
    rig.doc.startNumber.setText(QStringLiteral("50"));
    rig.run(QStringLiteral("2"), false);
    QCOMPARE(rig.pages(), QStringLiteral("50,52|51,53"));
}

void TestPrintEngine::pageFieldOneWithTwoPagesChangesNothing()
{
    for (int order = 1; order <= 8; ++order) {
        Rig rig;
        rig.layout(QStringLiteral("4 X 4"), order - 1);
        rig.run(QStringLiteral("1"), false);
        QVERIFY(rig.form.printGenerator.sequence.count() > 0);
        for (int n = 1; n <= 4; ++n)
            rig.doc.slot(n).counter.setText(n == 2 ? QStringLiteral("9") : QStringLiteral("1"));
        rig.doc.startNumber.setText(QStringLiteral("33"));
        rig.run(QStringLiteral("1"), true);
        QCOMPARE(rig.form.printGenerator.sequence.count(), qsizetype(0));
        QCOMPARE(rig.form.pageCountMirror.text(), QStringLiteral("0"));
        QCOMPARE(rig.doc.startNumber.text(), QStringLiteral("33"));
        QCOMPARE(rig.counters(4), QStringLiteral("1,9,1,1"));
        QCOMPARE(rig.form.printGenerator.generationTimer.interval(), 0);
    }
}

void TestPrintEngine::unknownOrderGivesNoEntries()
{
    Rig rig;
    rig.layout(QStringLiteral("3 X 3"), 6);
    rig.doc.wayPrint.setListIndex(-1);
    rig.doc.slot(1).counter.setText(QStringLiteral("4"));
    rig.doc.startNumber.setText(QStringLiteral("8"));
    rig.run(QStringLiteral("4"), false);
    QCOMPARE(rig.form.printGenerator.sequence.count(), qsizetype(0));
    QCOMPARE(rig.form.printGenerator.pageBuffer.count(), qsizetype(0));
    QCOMPARE(rig.doc.startNumber.text(), QStringLiteral("8"));
    QCOMPARE(rig.counters(3), QStringLiteral("4,1,1"));
    QCOMPARE(rig.form.printGenerator.state.pagesLeft, 0.0);
}

// The pure engine against the closed forms over many random runs.
void TestPrintEngine::engineMatchesClosedForms()
{
    QRandomGenerator rng(4711);
    for (int c = 0; c < 3000; ++c) {
        PrintRunInput in;
        in.gridType = kGrids.at(rng.bounded(8));
        const int order = 1 + rng.bounded(8);
        in.printOrder = wayPrintItems().at(order - 1);
        const int S = rng.bounded(-50, 100000);
        in.startText = QString::number(S);
        for (QString &t : in.counters)
            t = QString::number(rng.bounded(0, 100000));
        const int pages = rng.bounded(0, 60);
        in.pageCountText = QString::number(pages);
        in.twoPages = rng.bounded(2) == 1;
        const PrintRunResult r = runPrintOrder(in);

        const int K = slotsOnPage(in.gridType);
        const int P = in.twoPages ? pages / 2 : pages;
        const QString what =
            QStringLiteral("case %1: %2, order %3, S %4, P %5").arg(c).arg(in.gridType).arg(order).arg(S).arg(P);
        QVERIFY2(r.pageCount == P && r.entriesPerPage == K, qPrintable(what));
        QCOMPARE(r.sequenceLength(), qint64(P) * K * (in.twoPages ? 2 : 1));
        for (int p = 0; p < P; ++p)
            for (int n = 1; n <= K; ++n) {
                const double counter = in.counters[std::size_t(n - 1)].toDouble();
                if (r.number(p, n) != closedForm(order, S, P, K, p, n, counter))
                    QFAIL(qPrintable(what + QStringLiteral(" page %1 slot %2").arg(p).arg(n)));
            }
        if (P == 0) {
            QCOMPARE(r.startText, in.startText);
            continue;
        }
        if (order <= 4) {
            QVERIFY2(r.startText == QString::number(qint64(S) + qint64(P) * K), qPrintable(what));
        } else if (order <= 6) {
            QVERIFY2(r.startText == shortestDecimal(r.number(P - 1, K) + 1), qPrintable(what));
        } else {
            for (int n = 1; n <= K; ++n)
                QCOMPARE(r.counters[std::size_t(n - 1)],
                         shortestDecimal(in.counters[std::size_t(n - 1)].toDouble() + P));
            const int last = K <= 4 ? K : K - 1;
            QVERIFY2(r.startText == r.counters[std::size_t(last - 1)], qPrintable(what));
        }
    }
}

namespace {

// Blanks removed from both ends of a sample text, as the sequence keeps it.
QString withoutEndBlanks(QString t)
{
    while (t.startsWith(QLatin1Char(' ')))
        t.remove(0, 1);
    while (t.endsWith(QLatin1Char(' ')))
        t.chop(1);
    return t;
}

} // namespace

// The form's generation, through the start number field and the number
// sample, against the closed forms, over random layouts, styles and start
// values and every print order.
void TestPrintEngine::formMatchesClosedForms()
{
    QRandomGenerator rng(20240611);
    const QStringList oddTexts = {QStringLiteral("007"),  QString(),
                                  QStringLiteral("0012"), QStringLiteral("2.5"),
                                  QStringLiteral("1:2"),  QStringLiteral(" 3")};
    const auto numberish = [&](int max) {
        return rng.bounded(5) == 0 ? oddTexts.at(rng.bounded(int(oddTexts.size())))
                                   : QString::number(rng.bounded(0, max));
    };
    const QStringList names = nameTextItems() + QStringList{QStringLiteral(" N "), QStringLiteral("No: ")};
    Rig rig;
    for (int c = 0; c < 300; ++c) {
        const QString grid = kGrids.at(rng.bounded(8));
        // Every order in turn, now and then none.
        const int order = c % 19 == 18 ? 0 : 1 + c % 8;
        rig.layout(grid, order - 1);
        rig.doc.nameText.setText(names.at(rng.bounded(int(names.size()))));
        rig.doc.bracketBefore.setText(bracketBeforeItems().at(rng.bounded(6)));
        rig.doc.bracketAfter.setText(bracketAfterItems().at(rng.bounded(6)));
        rig.doc.zeroPad.setValue(rng.bounded(2));
        rig.doc.zeroPadWidth.setText(QString::number(1 + rng.bounded(8)));
        rig.doc.alignLCR.setValue(rng.bounded(3));
        for (int n = 1; n <= 12; ++n) {
            SignSlot &s = rig.doc.slot(n);
            s.counter.setText(numberish(5000));
            s.topCm.setText(shortestDecimal((10 + rng.bounded(2960)) / 100.0));
            s.leftCm.setText(shortestDecimal((10 + rng.bounded(2090)) / 100.0));
        }
        // Mostly counters in normal form, so the start number field counts.
        if (rng.bounded(3) > 0)
            for (int n = 1; n <= 12; ++n)
                rig.doc.slot(n).counter.setText(shortestDecimal(leadingNumber(rig.doc.slot(n).counter.text())));
        rig.doc.startNumber.setText(numberish(100000));
        const bool twoPages = rng.bounded(2) == 1;
        const int pageField = rng.bounded(0, 25);
        const PrintRunInput in = rig.input();
        const NumberTextStyle style = rig.form.sample.style();
        const QString labelBefore = rig.form.printForm.numberSample.caption();

        // The set-up: a counter put into normal form copies itself into the
        // start number field; the two-page option halves the page count.
        QString startText = in.startText;
        std::array<double, 12> counter{};
        for (int n = 1; n <= 12; ++n) {
            const QString &t = in.counters[std::size_t(n - 1)];
            const QString normal = shortestDecimal(leadingNumber(t));
            if (normal != t)
                startText = normal;
            counter[std::size_t(n - 1)] = leadingNumber(normal);
        }
        const int P = twoPages ? pageField / 2 : pageField;
        const int K = slotsOnPage(grid);
        const double S = leadingNumber(startText);
        const int generated = order ? P : 0;
        QStringList expected;
        for (int p = 0; p < generated; ++p) {
            QStringList page;
            for (int n = 1; n <= K; ++n) {
                const std::size_t i = std::size_t(n - 1);
                // Order 3 takes its first number from the field as it stands.
                const QString number = order == 3 && p == 0 && n == 1
                                           ? startText
                                           : shortestDecimal(closedForm(order, S, P, K, p, n, counter[i]));
                page << positionText(in.tops[i]) + positionText(in.lefts[i])
                            + withoutEndBlanks(composeNumberText(style, number));
            }
            expected << page;
            if (twoPages)
                expected << page;
        }
        // The dialog's label shows the sample the last page left, before the
        // end step; order 3 has then already written its next number.
        QString label = labelBefore;
        QString startAfter = startText;
        std::array<QString, 12> countersAfter;
        for (int n = 1; n <= 12; ++n)
            countersAfter[std::size_t(n - 1)] = shortestDecimal(counter[std::size_t(n - 1)]);
        if (P > 0 && order) {
            const double last = closedForm(order, S, P, K, P - 1, K, counter[std::size_t(K - 1)]);
            label = composeNumberText(style, shortestDecimal(order == 3 ? last + 1 : last));
            if (order <= 4) {
                startAfter = shortestDecimal(S + double(P) * K);
            } else if (order <= 6) {
                startAfter = shortestDecimal(last + 1);
            } else {
                for (int n = 1; n <= K; ++n)
                    countersAfter[std::size_t(n - 1)] = shortestDecimal(counter[std::size_t(n - 1)] + P);
                startAfter = countersAfter[std::size_t((K <= 4 ? K : K - 1) - 1)];
            }
        } else if (P > 0) {
            // Without an order no number is written: the sample stays.
            label = composeNumberText(style, startText);
        }

        rig.run(QString::number(pageField), twoPages);
        const QString what = QStringLiteral("case %1: %2, order %3, start \"%4\", pages %5, two %6")
                                 .arg(c)
                                 .arg(grid)
                                 .arg(order)
                                 .arg(in.startText)
                                 .arg(pageField)
                                 .arg(twoPages);
        const QStringList got = rig.sequence();
        if (got != expected) {
            qsizetype i = 0;
            while (i < got.size() && i < expected.size() && got.at(i) == expected.at(i))
                ++i;
            QFAIL(qPrintable(what
                             + QStringLiteral(": entry %1 is \"%2\", expected \"%3\" (%4 of %5 entries)")
                                   .arg(i)
                                   .arg(got.value(i), expected.value(i))
                                   .arg(got.size())
                                   .arg(expected.size())));
        }
        QVERIFY2(rig.doc.startNumber.text() == startAfter,
                 qPrintable(what + QStringLiteral(" start after: ") + rig.doc.startNumber.text()));
        QVERIFY2(rig.form.pageCountMirror.text() == QString::number(P), qPrintable(what));
        for (int n = 1; n <= 12; ++n)
            QVERIFY2(rig.doc.slot(n).counter.text() == countersAfter[std::size_t(n - 1)], qPrintable(what));
        QVERIFY2(rig.form.printForm.numberSample.caption() == label,
                 qPrintable(what + QStringLiteral(" label: ") + rig.form.printForm.numberSample.caption()));
        // The page buffer holds one page at most, and none once it is copied.
        QVERIFY2(rig.form.printGenerator.pageBuffer.count() == 0, qPrintable(what));
        // The readout measured the sample the run ended with.
        QVERIFY2(rig.form.sample.measuringCopy.caption() == rig.doc.sampleLabel.caption(), qPrintable(what));
    }
}

// After every tick the measuring label, the size readout and the dialog's
// running label show what they would had they followed every number.
void TestPrintEngine::eachTickEndsUpToDate_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<bool>("twoPages");
    for (int order = 1; order <= 8; ++order)
        QTest::addRow("order %d", order) << order << false;
    QTest::addRow("order 3, two pages") << 3 << true;
    QTest::addRow("order 7, two pages") << 7 << true;
}

void TestPrintEngine::eachTickEndsUpToDate()
{
    QFETCH(int, order);
    QFETCH(bool, twoPages);
    Rig rig;
    rig.layout(QStringLiteral("12 X 12"), order - 1);
    for (int n = 1; n <= 12; ++n)
        rig.doc.slot(n).counter.setText(QString::number(1000 * n - 10));
    // Numbers that grow by a digit within the run change the measured width.
    rig.doc.startNumber.setText(QStringLiteral("9990"));
    rig.doc.zeroPad.setValue(0);
    MainForm &f = rig.form;
    f.printForm.twoPageOption.setValue(twoPages ? 1 : 0);
    f.pageCountMirror.setText(twoPages ? QStringLiteral("46") : QStringLiteral("23"));
    f.printGenerator.setUpTimer.setInterval(1);
    rig.scheduler.advance(1);
    QCOMPARE(f.printGenerator.generationTimer.interval(), 1);
    int ticks = 0;
    while (f.printGenerator.generating()) {
        rig.scheduler.advance(1);
        ++ticks;
        const QString sample = rig.doc.sampleLabel.caption();
        const QString readout = f.sample.readout.caption();
        const double width = f.sample.measuringCopy.width();
        // What a refresh of the sample now would show.
        f.sample.updateSizeReadout();
        QCOMPARE(f.sample.measuringCopy.caption(), sample);
        QCOMPARE(f.sample.readout.caption(), readout);
        QCOMPARE(f.sample.measuringCopy.width(), width);
        if (f.printGenerator.generating())
            QCOMPARE(f.printForm.numberSample.caption(), sample);
        // The page buffer never holds more than the page being built.
        QCOMPARE(f.printGenerator.pageBuffer.count(), qsizetype(0));
    }
    QCOMPARE(ticks, 5);
    QCOMPARE(f.printGenerator.sequence.count(), qsizetype(23 * 12 * (twoPages ? 2 : 1)));
}

// Measuring a text is the dear part of a refresh: a run measures once per
// tick, not once per number.
void TestPrintEngine::measuringOncePerTick_data()
{
    QTest::addColumn<int>("pageField");
    QTest::addColumn<int>("ticks");
    QTest::newRow("one page") << 1 << 1;
    QTest::newRow("five pages, one tick") << 5 << 1;
    QTest::newRow("six pages, two ticks") << 6 << 2;
    QTest::newRow("sixty pages") << 60 << 12;
}

void TestPrintEngine::measuringOncePerTick()
{
    QFETCH(int, pageField);
    QFETCH(int, ticks);
    Rig rig;
    rig.layout(QStringLiteral("12 X 12"), 1);
    rig.doc.startNumber.setText(QStringLiteral("1"));
    rig.form.pageCountMirror.setText(QString::number(pageField));
    rig.form.printGenerator.setUpTimer.setInterval(1);
    rig.scheduler.advance(1);
    rig.measure.calls = 0;
    int ran = 0;
    while (rig.form.printGenerator.generating()) {
        rig.scheduler.advance(1);
        ++ran;
    }
    QCOMPARE(ran, ticks);
    QCOMPARE(rig.form.printGenerator.sequence.count(), qsizetype(12 * pageField));
    // Per tick the sample's measuring label and the dialog's running label.
    QVERIFY2(rig.measure.calls <= 2 * ticks, qPrintable(QString::number(rig.measure.calls)));
}

// A view follows its control once per batch, from the state the batch
// leaves; outside a batch at once; never after its widget is gone.
void TestPrintEngine::viewsFollowOncePerBatch()
{
    Label label(QStringLiteral("La"));
    auto *widget = new QObject;
    QStringList shown;
    ui::onViewUpdate(label, widget, [&](QObject *) { shown << label.caption(); });
    label.setCaption(QStringLiteral("1"));
    QCOMPARE(shown, QStringList{QStringLiteral("1")});
    {
        UpdateBatch outer;
        {
            UpdateBatch tick;
            for (int i = 2; i <= 60; ++i)
                label.setCaption(QString::number(i));
        }
        label.setCaption(QStringLiteral("61"));
        QCOMPARE(shown.size(), 1);
    }
    QCOMPARE(shown, (QStringList{QStringLiteral("1"), QStringLiteral("61")}));
    {
        UpdateBatch batch;
        label.setCaption(QStringLiteral("62"));
        delete widget;
    }
    label.setCaption(QStringLiteral("63"));
    QCOMPARE(shown.size(), 2);
}

// The widened sequence: the largest page field on the largest grid.
void TestPrintEngine::largestRun()
{
    Rig rig;
    rig.layout(QStringLiteral("12 X 12"), 0);
    rig.doc.startNumber.setText(QStringLiteral("1"));
    rig.run(QStringLiteral("99999"), false);
    const SequenceList &seq = rig.form.printGenerator.sequence;
    QCOMPARE(seq.count(), qsizetype(1199988));
    const QString first = seq.item(0);
    // Page 1, slot 1 of order 1 carries the top number of slot 1's run.
    QVERIFY(first.endsWith(QStringLiteral("No:099999")));
    QVERIFY(seq.item(seq.count() - 1).endsWith(QStringLiteral("No:1099990")));
    QCOMPARE(seq.body(12 * 50000 + 6).toString(), QStringLiteral("No:649993"));
    QCOMPARE(rig.doc.startNumber.text(), QStringLiteral("1199989"));
    QCOMPARE(seq.get(QStringLiteral("listCount")).toLongLong(), 1199988LL);
    QCOMPARE(seq.get(QStringLiteral("list(1199987)")).toString(), seq.item(1199987));
}

void TestPrintEngine::impossibleCountsRefused_data()
{
    QTest::addColumn<QString>("pages");
    QTest::addColumn<bool>("twoPages");
    QTest::addColumn<bool>("refused");
    QTest::newRow("five digits") << "99999" << false << false;
    QTest::newRow("six digits") << "100000" << false << true;
    QTest::newRow("six digits halved") << "199998" << true << false;
    QTest::newRow("exponent") << "1e17" << false << true;
}

void TestPrintEngine::impossibleCountsRefused()
{
    QFETCH(QString, pages);
    QFETCH(bool, twoPages);
    QFETCH(bool, refused);
    PrintRunInput in;
    in.gridType = QStringLiteral("1 X 1");
    in.pageCountText = pages;
    in.twoPages = twoPages;
    in.startText = QStringLiteral("7");
    in.counters.fill(QStringLiteral("1")); // in normal form: the start number stays
    const PrintRunResult r = runPrintOrder(in);
    QCOMPARE(r.refused, refused);
    QCOMPARE(r.numbers.empty(), refused);
    if (refused)
        QCOMPARE(r.startText, QStringLiteral("7"));
}

void TestPrintEngine::selector_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("picture");
    QTest::addColumn<bool>("counters");
    for (int i = 0; i < 8; ++i)
        QTest::addRow("%s", qPrintable(wayPrintItems().at(i))) << i << 16 + i << (i >= 6);
}

void TestPrintEngine::selector()
{
    QFETCH(int, index);
    QFETCH(int, picture);
    QFETCH(bool, counters);
    Rig rig;
    // Start from the other kind of order, so every effect is a change.
    rig.doc.wayPrint.setListIndex(counters ? 0 : 7);
    rig.scheduler.settle();
    rig.doc.wayPrint.setListIndex(index);
    for (int p = 16; p <= 23; ++p)
        QCOMPARE(rig.form.control(QStringLiteral("Picture%1").arg(p))->visible(), p == picture);
    for (int n = 1; n <= 12; ++n)
        QCOMPARE(rig.doc.slot(n).counter.visible(), counters);
    QCOMPARE(rig.doc.startNumber.enabled(), !counters);
    QCOMPARE(rig.form.sample.previewNumbersTimer.interval(), 1);
    rig.scheduler.advance(1);
    // The preview labels follow the chosen order.
    const QString slot3 = rig.form.sample.Test0[2]->caption();
    const double s = leadingNumber(rig.doc.startNumber.text());
    const double expected = index < 4 ? s + 2 : index < 6 ? s + 1 : s;
    QVERIFY2(slot3.contains(shortestDecimal(expected)), qPrintable(slot3));
}

void TestPrintEngine::selectorBackFromCounters()
{
    Rig rig;
    rig.doc.wayPrint.setListIndex(6);
    rig.doc.slot(3).counter.setText(QStringLiteral("42"));
    rig.doc.wayPrint.setListIndex(1);
    QVERIFY(!rig.doc.slot(3).counter.visible());
    QVERIFY(rig.doc.startNumber.enabled());
    QCOMPARE(rig.doc.slot(3).counter.text(), QStringLiteral("42"));
    QVERIFY(rig.form.printOrder.picture(2).visible());
    // An empty selection leaves the illustration as it was.
    rig.doc.wayPrint.setListIndex(-1);
    QVERIFY(rig.form.printOrder.picture(2).visible());
    QVERIFY(rig.doc.startNumber.enabled());
}

QTEST_GUILESS_MAIN(TestPrintEngine)
#include "tst_printengine.moc"
