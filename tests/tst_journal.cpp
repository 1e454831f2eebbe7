// The run journal: number ranges and their arithmetic, the guard's look-up,
// and a journal that survives a killed writer or a damaged file.
#include "journal/NumberRanges.h"
#include "journal/SqlJournal.h"
#include "printing/SequenceList.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace numora;

Q_DECLARE_METATYPE(NumberRange)

class TestJournal : public QObject
{
    Q_OBJECT
private slots:
    void commonNumbers_data();
    void commonNumbers();
    void sequencesBecomeFewRanges_data();
    void sequencesBecomeFewRanges();
    void reprintedPagesClipTheRanges();
    void guardSeesPrintedAndUnfinishedRunsOnly();
    void numbersAreFoundOnTheirPageAndPosition();
    void damagedFileIsKeptAside();
    void failedWriteLeavesNoRecord();
    void killedWriterLeavesNoHalfRecord();
};

static NumberRange range(qint64 first, qint64 last, qint64 step, int digits = 6, QString prefix = QStringLiteral("No:"))
{
    NumberRange r;
    r.prefix = prefix;
    r.digits = digits;
    r.first = first;
    r.last = last;
    r.step = step;
    r.position = 1;
    r.firstPage = 1;
    return r;
}

void TestJournal::commonNumbers_data()
{
    QTest::addColumn<NumberRange>("a");
    QTest::addColumn<NumberRange>("b");
    QTest::addColumn<QString>("common"); // "first last step" or "none"
    QTest::newRow("overlap") << range(1, 100, 1) << range(50, 150, 1) << QStringLiteral("50 100 1");
    QTest::newRow("apart") << range(1, 100, 1) << range(101, 200, 1) << QStringLiteral("none");
    QTest::newRow("interleaved steps never meet") << range(1, 99, 2) << range(2, 100, 2) << QStringLiteral("none");
    QTest::newRow("steps 4 and 6 meet every 12") << range(1, 100, 4) << range(1, 100, 6) << QStringLiteral("1 97 12");
    QTest::newRow("descending against ascending") << range(100, 1, -3) << range(10, 40, 1) << QStringLiteral("10 40 3");
    QTest::newRow("single inside") << range(7, 7, 0) << range(1, 13, 2) << QStringLiteral("7 7 0");
    QTest::newRow("single off the step") << range(8, 8, 0) << range(1, 13, 2) << QStringLiteral("none");
    QTest::newRow("other digit count") << range(1, 10, 1) << range(1, 10, 1, 3) << QStringLiteral("none");
    QTest::newRow("other prefix") << range(1, 10, 1) << range(1, 10, 1, 6, QStringLiteral("Nr:")) << QStringLiteral("none");
    QTest::newRow("twelve positions of a big run") << range(1, 1199989, 12) << range(1199977, 1199977, 0)
                                                   << QStringLiteral("1199977 1199977 0");
}

void TestJournal::commonNumbers()
{
    QFETCH(NumberRange, a);
    QFETCH(NumberRange, b);
    QFETCH(QString, common);
    const auto c = numora::commonNumbers(a, b);
    QCOMPARE(c ? QStringLiteral("%1 %2 %3").arg(c->first).arg(c->last).arg(c->step) : QStringLiteral("none"), common);
    const auto back = numora::commonNumbers(b, a);
    QCOMPARE(bool(back), bool(c));
}

void TestJournal::sequencesBecomeFewRanges_data()
{
    QTest::addColumn<QStringList>("bodies"); // page-major, two positions a page
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<bool>("twoPages");
    QTest::addColumn<QStringList>("ranges"); // "position first..last step page"
    const auto seq = [](std::initializer_list<const char *> l) {
        QStringList s;
        for (const char *t : l)
            s << QLatin1String(t);
        return s;
    };
    QTest::newRow("across the page") << seq({"No:01", "No:02", "No:03", "No:04", "No:05", "No:06"}) << false << false
                                     << seq({"1 No:01..No:05 2 p1", "2 No:02..No:06 2 p1"});
    QTest::newRow("read backwards") << seq({"A1", "A2", "A3", "A4"}) << true << false
                                    << seq({"2 A4..A2 -2 p1", "1 A3..A1 -2 p1"});
    QTest::newRow("each page twice counts once")
        << seq({"7", "9", "7", "9", "8", "10", "8", "10"}) << false << true << seq({"1 7..8 1 p1", "2 9 0 p1", "2 10 0 p3"});
    QTest::newRow("a new digit count starts a range") << seq({"9", "x", "10", "x"}) << false << false
                                                      << seq({"1 9 0 p1", "2 x 0 p1", "1 10 0 p2", "2 x 0 p2"});
}

void TestJournal::sequencesBecomeFewRanges()
{
    QFETCH(QStringList, bodies);
    QFETCH(bool, reverse);
    QFETCH(bool, twoPages);
    QFETCH(QStringList, ranges);
    SequenceList list(QStringLiteral("s"));
    for (const QString &b : bodies)
        list.append(QStringLiteral("head"), b);
    QStringList got;
    for (const NumberRange &r : rangesOfSequence(list, 2, reverse, twoPages))
        got << QStringLiteral("%1 %2 %3 p%4")
                   .arg(r.position)
                   .arg(r.first == r.last ? r.firstText() : r.firstText() + QStringLiteral("..") + r.lastText())
                   .arg(r.step)
                   .arg(r.firstPage);
    QCOMPARE(got, ranges);
}

void TestJournal::reprintedPagesClipTheRanges()
{
    NumberRange r = range(101, 120, 1);
    r.firstPage = 1; // one number a page, pages 1..20
    auto clipped = clipToPages({r}, 5, 7);
    QCOMPARE(clipped.size(), std::size_t(1));
    QCOMPARE(clipped[0].first, 105);
    QCOMPARE(clipped[0].last, 107);
    QCOMPARE(clipped[0].firstPage, 5);
    QVERIFY(clipToPages({r}, 21, 30).empty());
    r.pageStride = 2; // each number on two pages: 101 on 1-2, 102 on 3-4
    clipped = clipToPages({r}, 4, 5);
    QCOMPARE(clipped[0].first, 102);
    QCOMPARE(clipped[0].last, 103);
    QCOMPARE(r.pageOf(103), std::optional<qint64>(5));
}

static JournalRun runOf(std::vector<NumberRange> ranges, QString layout = QStringLiteral("Receipts"))
{
    JournalRun r;
    r.started = QDateTime(QDate(2026, 12, 9), QTime(14, 0));
    r.layoutName = std::move(layout);
    r.gridType = QStringLiteral("2 X 2");
    r.printOrder = QStringLiteral("1 - Up to Down");
    r.printer = QStringLiteral("Laser");
    r.pagesRequested = 10;
    r.ranges = std::move(ranges);
    for (int i = 0; i < 54; ++i)
        r.layoutLines << QString::number(i);
    return r;
}

void TestJournal::guardSeesPrintedAndUnfinishedRunsOnly()
{
    QTemporaryDir dir;
    SqlJournal j(dir.filePath(QStringLiteral("journal.sqlite")));
    QString error;
    QVERIFY2(j.open(&error), qPrintable(error));
    const auto printed = j.beginRun(runOf({range(1, 40, 1)}), &error);
    QVERIFY(printed && j.endRun(*printed, JournalRun::Outcome::Printed, 10, QString(), &error));
    const auto failed = j.beginRun(runOf({range(41, 80, 1)}), &error);
    QVERIFY(failed && j.endRun(*failed, JournalRun::Outcome::Failed, 0, QStringLiteral("jam"), &error));
    const auto stopped = j.beginRun(runOf({range(81, 120, 1)}), &error);
    QVERIFY(stopped && j.endRun(*stopped, JournalRun::Outcome::Stopped, 0, QString(), &error));
    JournalRun again = runOf({range(121, 160, 1)});
    again.reprintOf = *printed;
    QVERIFY(j.beginRun(again, &error));
    const auto unfinished = j.beginRun(runOf({range(161, 200, 1)}), &error);
    QVERIFY(unfinished);

    const auto found = j.duplicates({range(30, 200, 1)}, &error);
    QVERIFY2(found, qPrintable(error));
    QCOMPARE(found->size(), std::size_t(2));
    QCOMPARE((*found)[0].runId, *printed);
    QCOMPARE(describe((*found)[0].numbers), QStringLiteral("No:000030 to No:000040"));
    QVERIFY(!(*found)[0].unfinished);
    QCOMPARE((*found)[1].runId, *unfinished);
    QVERIFY((*found)[1].unfinished);
    QCOMPARE(j.duplicates({range(41, 160, 1)}, &error)->size(), std::size_t(0));
    const auto runs = j.runs(QString(), &error);
    QCOMPARE(runs->size(), std::size_t(5));
    QCOMPARE(runs->front().id, *unfinished); // newest first
    QCOMPARE(j.run(*failed, &error)->reason, QStringLiteral("jam"));
    QCOMPARE(j.run(*failed, &error)->layoutLines.size(), 54);
}

void TestJournal::numbersAreFoundOnTheirPageAndPosition()
{
    QTemporaryDir dir;
    SqlJournal j(dir.filePath(QStringLiteral("journal.sqlite")));
    QString error;
    NumberRange second = range(2, 20, 2);
    second.position = 2;
    const auto id = j.beginRun(runOf({range(1, 19, 2), second}), &error);
    QVERIFY2(id, qPrintable(error));
    const auto hits = j.find(QStringLiteral("No:000014"), &error);
    QCOMPARE(hits->size(), std::size_t(1));
    QCOMPARE((*hits)[0].page, 7);
    QCOMPARE((*hits)[0].position, 2);
    QVERIFY(j.find(QStringLiteral("No:14"), &error)->empty()); // another printed text
    QVERIFY(j.find(QStringLiteral("No:000021"), &error)->empty());
}

void TestJournal::damagedFileIsKeptAside()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, 'x'));
    f.close();
    SqlJournal j(path);
    QString error, aside;
    QVERIFY2(j.open(&error, &aside), qPrintable(error));
    QVERIFY(!aside.isEmpty());
    QFile kept(aside);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray(8192, 'x')); // never written over
    QVERIFY(j.beginRun(runOf({range(1, 4, 1)}), &error));
}

void TestJournal::failedWriteLeavesNoRecord()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    QString error;
    {
        SqlJournal j(path);
        QVERIFY(j.beginRun(runOf({range(1, 4, 1)}), &error));
    }
    // A run whose second range cannot be stored (a NULL where none may
    // stand) fails as a whole.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("spoil"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON ranges WHEN NEW.position = 2 "
                                      "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("spoil"));
    SqlJournal j(path);
    NumberRange second = range(10, 20, 1);
    second.position = 2;
    QVERIFY(!j.beginRun(runOf({range(5, 9, 1), second}), &error));
    QVERIFY(error.contains(QLatin1String("disk full")));
    QCOMPARE(j.runs(QString(), &error)->size(), std::size_t(1));
    QVERIFY(j.duplicates({range(5, 9, 1)}, &error)->empty());
}

void TestJournal::killedWriterLeavesNoHalfRecord()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    QProcess writer;
    writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--write-runs"), path});
    QVERIFY(writer.waitForStarted());
    // Let it write for a while, then kill it where it stands.
    QTest::qWait(1500);
    QVERIFY(writer.state() == QProcess::Running);
    ::kill(pid_t(writer.processId()), SIGKILL);
    QVERIFY(writer.waitForFinished());

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
    db.setDatabaseName(path);
    QVERIFY(db.open());
    {
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("ok"));
        QVERIFY(q.exec(QStringLiteral("SELECT count(*) FROM runs")) && q.next());
        QVERIFY2(q.value(0).toInt() > 0, "the writer wrote nothing before it was killed");
        // Every run has all its ranges: none is half written.
        QVERIFY(q.exec(QStringLiteral("SELECT count(*) FROM runs u WHERE u.range_count <> "
                                      "(SELECT count(*) FROM ranges g WHERE g.run_id = u.id)")) && q.next());
        QCOMPARE(q.value(0).toInt(), 0);
    }
    db.close();
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
}

// The writer the kill test runs: runs of 500 ranges each, until killed.
static int writeRunsUntilKilled(const QString &path)
{
    SqlJournal j(path);
    QString error;
    std::vector<NumberRange> ranges;
    for (int i = 0; i < 500; ++i)
        ranges.push_back(range(i * 10, i * 10 + 9, 1));
    for (;;)
        if (!j.beginRun(runOf(ranges), &error))
            return 1;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--write-runs") == 0)
        return writeRunsUntilKilled(QString::fromLocal8Bit(argv[2]));
    TestJournal t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_journal.moc"
