// The session on disk after a write that was cut short, and a display that
// cannot be reached.
#include "FormFixture.h"
#include "app/MainForm.h"
#include "layout/SessionKeys.h"
#include "platform/qt/QtSettingsStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace numora;

namespace {

// Every key of the session holds "g<generation>k<index>".
QString sessionValue(int generation, int index) { return QStringLiteral("g%1k%2").arg(generation).arg(index); }

bool writeGeneration(SettingsStore &store, int generation)
{
    const QStringList keys = session::allKeys();
    store.beginBatch();
    for (int i = 0; i < keys.size(); ++i)
        store.saveSetting(session::appName(), session::sectionName(), keys[i], sessionValue(generation, i));
    return store.endBatch();
}

// The session section as it is on disk, read without QSettings (which
// shares what it has in memory between its objects of one process).
QMap<QString, QString> sessionOnDisk(const QString &file)
{
    QMap<QString, QString> values;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return values;
    bool inSection = false;
    for (const QByteArray &raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inSection = line == QLatin1String("[Settings]");
        else if (inSection && line.contains(QLatin1Char('=')))
            values.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
    }
    return values;
}

// The generation every key on disk belongs to, or -1 when the keys are
// missing or mixed.
int generationOnDisk(const QString &file)
{
    const QMap<QString, QString> values = sessionOnDisk(file);
    const QStringList keys = session::allKeys();
    const QString first = values.value(keys.first());
    if (!first.startsWith(QLatin1Char('g')))
        return -1;
    const int generation = first.mid(1).section(QLatin1Char('k'), 0, 0).toInt();
    for (int i = 0; i < keys.size(); ++i)
        if (values.value(keys[i]) != sessionValue(generation, i))
            return -1;
    return generation;
}

// The child's part: writes sessions into the folder until it is killed.
int runWriter(const QString &mode, const QString &folder)
{
    QtSettingsStore store(folder);
    if (mode == QLatin1String("half")) {
        // Half a session written, then the process stops before the batch
        // ends.
        const QStringList keys = session::allKeys();
        store.beginBatch();
        for (int i = 0; i < keys.size() / 2; ++i)
            store.saveSetting(session::appName(), session::sectionName(), keys[i], sessionValue(1, i));
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    }
    for (int generation = 1;; ++generation) {
        writeGeneration(store, generation);
        if (generation == 1) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
        }
    }
}

} // namespace

class TestSessionWrite : public QObject
{
    Q_OBJECT
private slots:
    void killedWriterLeavesAWholeSession_data();
    void killedWriterLeavesAWholeSession();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void exitWritesOnce_data();
    void exitWritesOnce();
    void unreachableDisplay_data();
    void unreachableDisplay();
};

void TestSessionWrite::killedWriterLeavesAWholeSession_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("killAfterMs");
    QTest::newRow("inside a batch") << QStringLiteral("half") << 0;
    // Sessions written back to back: the kill lands in some write.
    QTest::newRow("writing, at once") << QStringLiteral("loop") << 0;
    QTest::newRow("writing, 3 ms") << QStringLiteral("loop") << 3;
    QTest::newRow("writing, 17 ms") << QStringLiteral("loop") << 17;
    QTest::newRow("writing, 61 ms") << QStringLiteral("loop") << 61;
}

void TestSessionWrite::killedWriterLeavesAWholeSession()
{
    QFETCH(QString, mode);
    QFETCH(int, killAfterMs);
    QTemporaryDir dir;
    QString file;
    {
        QtSettingsStore store(dir.path());
        QVERIFY(writeGeneration(store, 0));
        file = store.fileName(session::appName());
    }
    QCOMPARE(generationOnDisk(file), 0);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("NUMORA_SESSION_WRITER"), mode);
    env.insert(QStringLiteral("NUMORA_SESSION_FOLDER"), dir.path());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (!child.readAllStandardOutput().contains("ready")) {
        QVERIFY2(waited.elapsed() < 10000, "the writer never got ready");
        QVERIFY(child.state() == QProcess::Running);
        child.waitForReadyRead(100);
    }
    if (killAfterMs > 0)
        QThread::msleep(killAfterMs);
    ::kill(pid_t(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished(5000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    const int generation = generationOnDisk(file);
    QVERIFY2(generation >= 0, "the file holds keys of different sessions");
    if (mode == QLatin1String("half"))
        QCOMPARE(generation, 0);
    // A new run reads one whole session.
    QtSettingsStore next(dir.path());
    for (int i = 0; i < session::allKeys().size(); ++i)
        QCOMPARE(next.getSetting(session::appName(), session::sectionName(), session::allKeys()[i]),
                 sessionValue(generation, i));
}

void TestSessionWrite::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("folder read-only") << QStringLiteral("read-only");
    QTest::newRow("disk full") << QStringLiteral("full");
}

void TestSessionWrite::failedWriteKeepsTheOldFile()
{
    QFETCH(QString, fault);
    if (fault == QLatin1String("read-only") && ::geteuid() == 0)
        QSKIP("the superuser writes into read-only folders");
    QTemporaryDir dir;
    QtSettingsStore store(dir.path());
    QVERIFY(writeGeneration(store, 0));
    const QString file = store.fileName(session::appName());
    QFile before(file);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = before.readAll();
    before.close();

    bool written = true;
    if (fault == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        written = writeGeneration(store, 1);
        QVERIFY(QFile::setPermissions(dir.path(),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    } else {
        // A file may not grow past a few bytes: the new file cannot be
        // written out, as on a full disk.
        rlimit old{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 64;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        written = writeGeneration(store, 1);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
    QVERIFY2(!written, "the failed write was reported as written");
    QFile after(file);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), oldBytes);
    QCOMPARE(generationOnDisk(file), 0);
    // Only the old file is left in the folder, no half-written companion.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QFileInfo(file).fileName()});

    // This run still reads what it saved, and the next write, once the
    // fault is gone, takes it to the disk.
    const QString key = session::counterKey(3);
    const int index = int(session::allKeys().indexOf(key));
    QCOMPARE(store.getSetting(session::appName(), session::sectionName(), key), sessionValue(1, index));
    QVERIFY(store.endBatch()); // an end without a batch writes nothing
    QCOMPARE(generationOnDisk(file), 0);
    store.saveSetting(session::appName(), session::sectionName(), key, sessionValue(1, index));
    QCOMPARE(generationOnDisk(file), 1);
}

void TestSessionWrite::exitWritesOnce_data()
{
    QTest::addColumn<bool>("changed"); // the layout has unsaved changes
    QTest::addColumn<bool>("failing"); // the store cannot be written
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("ended");
    QTest::addColumn<bool>("sessionSaved"); // the start number is in the store
    QTest::newRow("unchanged") << false << false << QStringList{} << true << true;
    QTest::newRow("cancelled: only the filter")
        << true << false << QStringList{QStringLiteral("Cancel")} << false << false;
    QTest::newRow("failed write: stay") << false << true << QStringList{QStringLiteral("No")} << false << true;
    QTest::newRow("failed write: end anyway") << false << true << QStringList{QStringLiteral("Yes")} << true << true;
}

void TestSessionWrite::exitWritesOnce()
{
    QFETCH(bool, changed);
    QFETCH(bool, failing);
    QFETCH(QStringList, answers);
    QFETCH(bool, ended);
    QFETCH(bool, sessionSaved);
    test::FormFixture fx;
    MainForm &f = fx.start();
    f.doc.modified = changed ? 1 : 0;
    fx.settings.writes = 0;
    fx.settings.failWrites = failing;
    for (const QString &a : answers)
        fx.dialogs.answers.push_back(a);
    QCOMPARE(f.exitProgram(), ended);
    QCOMPARE(fx.settings.writes, 1);
    QVERIFY(fx.dialogs.answers.empty());
    QCOMPARE(fx.settings.contains(session::appName(), session::sectionName(), session::fieldKey(0)), sessionSaved);
    QVERIFY(fx.settings.contains(session::appName(), session::sectionName(), QStringLiteral("SaveFile")));
    const bool warned = !fx.dialogs.asked.isEmpty()
                        && fx.dialogs.asked.last().startsWith(QLatin1String("The session could not be saved"));
    QCOMPARE(warned, failing);
}

void TestSessionWrite::unreachableDisplay_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("no server") << QStringLiteral(
        ":99") << QByteArray("numora: the display :99 cannot be reached; start it from a desktop session.\n");
    QTest::newRow("no server, screen") << QStringLiteral(
        ":98.0") << QByteArray("numora: the display :98.0 cannot be reached; start it from a desktop session.\n");
    QTest::newRow("not set")
        << QString()
        << QByteArray("numora: no display available (DISPLAY is not set); start it from a desktop session.\n");
}

void TestSessionWrite::unreachableDisplay()
{
    QFETCH(QString, display);
    QFETCH(QByteArray, expected);
    const QString number = display.mid(1).section(QLatin1Char('.'), 0, 0);
    if (!display.isEmpty() && QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + number))
        QSKIP("an X server runs on that display");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("DISPLAY"));
    if (!display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), display);
    QProcess numora;
    numora.setProcessEnvironment(env);
    numora.start(QStringLiteral(NUMORA_BINARY), {});
    QVERIFY(numora.waitForStarted());
    if (!numora.waitForFinished(10000)) {
        numora.kill();
        numora.waitForFinished();
        QFAIL("numora did not end");
    }
    QCOMPARE(numora.exitStatus(), QProcess::NormalExit);
    QCOMPARE(numora.exitCode(), 1);
    QCOMPARE(numora.readAllStandardError(), expected);
    QCOMPARE(numora.readAllStandardOutput(), QByteArray());
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString writer = qEnvironmentVariable("NUMORA_SESSION_WRITER");
    if (!writer.isEmpty())
        return runWriter(writer, qEnvironmentVariable("NUMORA_SESSION_FOLDER"));
    TestSessionWrite test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sessionwrite.moc"
