// Printing through a real CUPS print system: the test starts a cupsd of its
// own on a free loopback port, with a queue that writes each document it
// receives to a file unchanged, and reads the numbers back from that file.
// The printer service is driven directly and through the print dialog.
// Where no cupsd can be started the test exits with the skip code.
#include "FormFixture.h"
#include "PrintedPdf.h"
#include "platform/qt/CupsPrintQueue.h"
#include "app/Reprinter.h"
#include "platform/qt/PrintDrawing.h"
#include "platform/qt/QtPrinter.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <arpa/inet.h>
#include <atomic>
#include <cstdio>
#include <cups/cups.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace numora;
using namespace numora::test;

namespace {

// A printer description with an unprintable margin, so that the drawing
// area's origin is not the paper's corner: 18 pt left, 24 pt top on A4. Its
// only filter copies the document through unchanged.
const char *const testPpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "NUMTEST.PPD"
*Manufacturer: "Numora"
*Product: "(Numora Test Queue)"
*ModelName: "Numora Test Queue"
*ShortNickName: "Numora Test Queue"
*NickName: "Numora Test Queue"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "application/pdf 0 gziptoany"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImageableArea null>>setpagedevice"
*PageSize Letter/Letter: "<</PageSize[612 792]/ImageableArea null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImageableArea null>>setpagedevice"
*PageRegion Letter/Letter: "<</PageSize[612 792]/ImageableArea null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 24 577 818"
*ImageableArea Letter/Letter: "18 24 594 768"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/Letter: "612 792"
)ppd";

// The print system's tools live partly in sbin, which a user's PATH may lack.
QString toolPath(const QString &name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty()
               ? QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
               : found;
}

int freeLoopbackPort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return 0;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0
        && ::getsockname(s, reinterpret_cast<sockaddr *>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(s);
    return port;
}

// A cupsd of the test's own: its configuration, spool, logs and the queues'
// output files all in one temporary folder; nothing of the machine's print
// system is touched.
class PrivateCups
{
public:
    ~PrivateCups() { stop(); }

    QString server() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    QString outputFile(const QString &queue) const
    {
        return m_dir.filePath(QStringLiteral("out/") + queue + QStringLiteral(".pdf"));
    }

    bool start(QString *why)
    {
        if (!m_dir.isValid())
            return fail(why, QStringLiteral("no temporary folder"));
        // The filters run as the print system's own user: they must reach
        // the spool inside this folder.
        QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                                                | QFileDevice::ReadOther | QFileDevice::ExeOther);
        for (const char *sub : {"root", "spool/tmp", "cache", "state", "log", "out"})
            QDir().mkpath(m_dir.filePath(QString::fromLatin1(sub)));
        for (int attempt = 0; attempt < 3; ++attempt) {
            m_port = freeLoopbackPort();
            if (m_port == 0)
                return fail(why, QStringLiteral("no free loopback port"));
            if (!writeConfiguration(why))
                return false;
            m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
            m_cupsd.start(toolPath(QStringLiteral("cupsd")),
                          {QStringLiteral("-f"), QStringLiteral("-c"),
                           m_dir.filePath(QStringLiteral("root/cupsd.conf")), QStringLiteral("-s"),
                           m_dir.filePath(QStringLiteral("root/cups-files.conf"))});
            if (!m_cupsd.waitForStarted(5000))
                return fail(why, QStringLiteral("cupsd does not start: ") + m_cupsd.errorString());
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < 15000 && m_cupsd.state() == QProcess::Running) {
                // lpstat -r succeeds either way; only its words tell.
                QByteArray answer;
                if (tool(QStringLiteral("lpstat"), {QStringLiteral("-r")}, nullptr, &answer)
                    && answer.startsWith("scheduler is running"))
                    return true;
                QThread::msleep(100);
            }
            const QString log = QString::fromLocal8Bit(m_cupsd.readAll()) + errorLogTail();
            stop();
            if (attempt == 2)
                return fail(why, QStringLiteral("cupsd did not come up: ") + log.trimmed());
        }
        return false;
    }

    void stop()
    {
        if (m_cupsd.state() == QProcess::NotRunning)
            return;
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }

    // A queue with the test's printer description, writing to its own file.
    bool addQueue(const QString &name, QString *why = nullptr)
    {
        const QString ppd = m_dir.filePath(QStringLiteral("numora-test.ppd"));
        QFile f(ppd);
        if (!f.exists() && (!f.open(QIODevice::WriteOnly) || f.write(testPpd) < 0))
            return fail(why, QStringLiteral("cannot write the printer description"));
        f.close();
        return tool(QStringLiteral("lpadmin"),
                    {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                     QStringLiteral("file://") + outputFile(name), QStringLiteral("-P"), ppd},
                    why);
    }

    // A queue of a PostScript printer, from the description CUPS itself
    // ships: documents go through its real filter chain to `device`.
    bool addPostScriptQueue(const QString &name, const QString &device, QString *why = nullptr)
    {
        return tool(QStringLiteral("lpadmin"),
                    {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                     QStringLiteral("file://") + device, QStringLiteral("-m"),
                     QStringLiteral("drv:///sample.drv/generic.ppd")},
                    why);
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // One of the print system's command-line tools, against this server.
    bool tool(const QString &program, QStringList args, QString *why = nullptr, QByteArray *out = nullptr) const
    {
        args.prepend(server());
        args.prepend(QStringLiteral("-h"));
        QProcess p;
        p.start(toolPath(program), args);
        if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return fail(why, program + QLatin1Char(' ') + args.join(QLatin1Char(' ')) + QStringLiteral(": ")
                                 + QString::fromLocal8Bit(p.readAllStandardError()));
        if (out)
            *out = p.readAllStandardOutput();
        return true;
    }

    QString errorLogTail() const
    {
        QFile f(m_dir.filePath(QStringLiteral("log/error_log")));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(f.readAll().right(3000));
    }

private:
    static bool fail(QString *why, const QString &text)
    {
        if (why)
            *why = text;
        return false;
    }

    bool writeConfiguration(QString *why)
    {
        const QString d = m_dir.path();
        const QByteArray cupsd = QStringLiteral("Listen 127.0.0.1:%1\n"
                                                "LogLevel info\n"
                                                "Browsing No\n"
                                                "WebInterface No\n"
                                                "DefaultAuthType None\n"
                                                "DefaultPolicy open\n"
                                                "<Policy open>\n"
                                                "  <Limit All>\n"
                                                "    Order deny,allow\n"
                                                "  </Limit>\n"
                                                "</Policy>\n"
                                                "<Location />\n"
                                                "  Order allow,deny\n"
                                                "  Allow from 127.0.0.1\n"
                                                "</Location>\n")
                                     .arg(m_port)
                                     .toLocal8Bit();
        const QByteArray files = QStringLiteral("ServerRoot %1/root\n"
                                                "RequestRoot %1/spool\n"
                                                "TempDir %1/spool/tmp\n"
                                                "CacheDir %1/cache\n"
                                                "StateDir %1/state\n"
                                                "AccessLog %1/log/access_log\n"
                                                "ErrorLog %1/log/error_log\n"
                                                "PageLog %1/log/page_log\n"
                                                "FileDevice Yes\n")
                                     .arg(d)
                                     .toLocal8Bit();
        for (const auto &[name, text] : {std::pair{QStringLiteral("root/cupsd.conf"), cupsd},
                                         std::pair{QStringLiteral("root/cups-files.conf"), files}}) {
            QFile f(m_dir.filePath(name));
            if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text) != text.size())
                return fail(why, QStringLiteral("cannot write ") + f.fileName());
        }
        return true;
    }

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    int m_port = 0;
};

PrivateCups *cups = nullptr;

struct JobState
{
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    QString title;
    bool found = false;
};

JobState jobState(const QString &queue, int id)
{
    JobState s;
    cups_job_t *jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    for (int i = 0; i < n; ++i) {
        if (jobs[i].id == id) {
            s = JobState{jobs[i].state, QString::fromUtf8(jobs[i].title), true};
            break;
        }
    }
    cupsFreeJobs(n, jobs);
    return s;
}

int jobCount(const QString &queue)
{
    cups_job_t *jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    cupsFreeJobs(n, jobs);
    return qMax(n, 0);
}

// Waits until the job is over; its final state.
JobState waitForJob(const QString &queue, int id)
{
    QElapsedTimer clock;
    clock.start();
    JobState s;
    while (clock.elapsed() < 60000) {
        s = jobState(queue, id);
        if (s.found && s.state >= IPP_JSTATE_STOPPED)
            return s;
        QThread::msleep(100);
    }
    return s;
}

// What a queue writes to its device, a named pipe: each job opens it anew,
// so every job's output is kept as a document of its own.
class PipeCollector
{
public:
    explicit PipeCollector(const QString &path)
        : m_path(QFile::encodeName(path))
    {}
    ~PipeCollector() { stop(); }

    bool start()
    {
        if (::mkfifo(m_path.constData(), 0666) != 0 && errno != EEXIST)
            return false;
        ::chmod(m_path.constData(), 0666);
        m_thread = std::thread([this] {
            while (!m_stop) {
                const int fd = ::open(m_path.constData(), O_RDONLY);
                if (fd < 0)
                    return;
                QByteArray document;
                char buffer[65536];
                ssize_t n;
                while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
                    document.append(buffer, n);
                ::close(fd);
                if (!document.isEmpty()) {
                    const std::lock_guard<std::mutex> lock(m_mutex);
                    m_documents.append(document);
                }
            }
        });
        return true;
    }
    void stop()
    {
        if (!m_thread.joinable())
            return;
        m_stop = true;
        // Wakes the reader waiting for the next writer.
        if (const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
            ::close(fd);
        m_thread.join();
    }
    QList<QByteArray> documents() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_documents;
    }
    void clear()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_documents.clear();
    }

private:
    QByteArray m_path;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    QList<QByteArray> m_documents;
};

// The documents the collector got, once there are `count` of them.
QList<QByteArray> waitForDocuments(const PipeCollector &pipe, int count)
{
    QElapsedTimer clock;
    clock.start();
    while (pipe.documents().size() < count && clock.elapsed() < 60000)
        QThread::msleep(100);
    return pipe.documents();
}

// The pages of a PostScript document, as its structure comments count them.
int postScriptPages(const QByteArray &ps)
{
    static const QRegularExpression pages(QStringLiteral("%%Pages: (\\d+)\\s*$"),
                                          QRegularExpression::MultilineOption);
    QRegularExpressionMatchIterator it = pages.globalMatch(QString::fromLatin1(ps.right(4096)));
    QRegularExpressionMatch last;
    while (it.hasNext())
        last = it.next();
    return last.hasMatch() ? last.captured(1).toInt() : -1;
}

// A glyph as ghostscript reads it back from a PostScript document: its code
// in the subset font the filters embedded (not its character) and its
// origin in whole points from the paper's top-left corner.
struct PostScriptGlyph
{
    QString code;
    QPoint at;
};

// Every page's glyphs in the order they are drawn.
QList<QList<PostScriptGlyph>> postScriptGlyphs(const QByteArray &ps, QString *error)
{
    QTemporaryFile file;
    if (!file.open() || file.write(ps) != ps.size() || !file.flush()) {
        *error = QStringLiteral("cannot write ") + file.fileName();
        return {};
    }
    QByteArray out;
    if (!runTool(QStringLiteral("gs"),
                 {QStringLiteral("-q"), QStringLiteral("-dNOPAUSE"), QStringLiteral("-dBATCH"),
                  QStringLiteral("-sDEVICE=txtwrite"), QStringLiteral("-dTextFormat=0"),
                  QStringLiteral("-sOutputFile=-"), file.fileName()},
                 &out, error))
        return {};
    // Read line by line, not as XML: the font's first code comes out as
    // "&#x0;", which XML does not allow.
    static const QRegularExpression glyph(QStringLiteral("^<char bbox=\"(-?\\d+) (-?\\d+) [^\"]*\" c=\"([^\"]*)\"/>"));
    QList<QList<PostScriptGlyph>> pages;
    for (const QByteArray &line : out.split('\n')) {
        if (line.startsWith("<page")) {
            pages.append(QList<PostScriptGlyph>());
        } else if (line.startsWith("<char") && !pages.isEmpty()) {
            const QRegularExpressionMatch m = glyph.match(QString::fromUtf8(line));
            if (!m.hasMatch()) {
                *error = QStringLiteral("gs wrote an unreadable glyph: ") + QString::fromUtf8(line);
                return {};
            }
            pages.last().append({m.captured(3), QPoint(m.captured(1).toInt(), m.captured(2).toInt())});
        }
    }
    return pages;
}

// The number in a printed number text.
qint64 numberIn(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("(\\d+)\\D*$"));
    return digits.match(text).captured(1).toLongLong();
}

struct Placed
{
    int page; // from 0
    QString text;
    double x; // twips from the drawing area's corner
    double y;
};

// Forwards everything to the printer it wraps and notes where each text
// was placed, so that a run driven by the print dialog can be looked for in
// the printed file.
class ObservingPrinter : public Printer
{
public:
    explicit ObservingPrinter(Printer &inner)
        : m_inner(inner)
    {}
    QList<Placed> placed;

    QStringList printerNames() const override { return m_inner.printerNames(); }
    int currentIndex() const override { return m_inner.currentIndex(); }
    bool selectPrinter(int index) override { return m_inner.selectPrinter(index); }
    void setDocumentName(const QString &name) override { m_inner.setDocumentName(name); }
    void setOrientation(int orientation) override { m_inner.setOrientation(orientation); }
    double paperWidth() override { return m_inner.paperWidth(); }
    double paperHeight() override { return m_inner.paperHeight(); }
    void setFontName(const QString &name) override
    {
        m_fontName = name;
        m_inner.setFontName(name);
    }
    void setFontSize(double points) override
    {
        m_fontSize = points;
        m_inner.setFontSize(points);
    }
    void setFontBold(bool bold) override
    {
        m_bold = bold;
        m_inner.setFontBold(bold);
    }
    void setFontItalic(bool italic) override
    {
        m_italic = italic;
        m_inner.setFontItalic(italic);
    }
    // The font the texts are printed in now.
    QFont font() const { return printFont(m_fontName, m_fontSize, m_bold, m_italic); }
    void setForeColor(qint32 colour) override { m_inner.setForeColor(colour); }
    void setCurrentX(double twips) override
    {
        m_x = twips;
        m_inner.setCurrentX(twips);
    }
    void setCurrentY(double twips) override
    {
        m_y = twips;
        m_inner.setCurrentY(twips);
    }
    bool print(const QString &text) override
    {
        if (!m_inner.documentOpen())
            m_page = 0;
        if (!text.trimmed().isEmpty())
            placed.append(Placed{m_page, text, m_x, m_y});
        return m_inner.print(text);
    }
    bool line(double x1, double y1, double x2, double y2, qint32 colour, bool filled) override
    {
        return m_inner.line(x1, y1, x2, y2, colour, filled);
    }
    bool newPage() override
    {
        ++m_page;
        if (beforeNewPage)
            beforeNewPage(m_page);
        return m_inner.newPage();
    }
    bool endDoc() override { return m_inner.endDoc(); }
    void abortDocument() override { m_inner.abortDocument(); }
    bool documentOpen() const override { return m_inner.documentOpen(); }
    void setDocumentPages(qint64 pages) override { m_inner.setDocumentPages(pages); }
    qint64 pagesTaken() const override { return m_inner.pagesTaken(); }
    std::vector<PrintedJob> jobsTaken() const override { return m_inner.jobsTaken(); }
    // Called before each new page with its index (from 0).
    std::function<void(int page)> beforeNewPage;
    QString lastError() const override { return m_inner.lastError(); }
    bool lastFailureCancelled() const override { return m_inner.lastFailureCancelled(); }

private:
    Printer &m_inner;
    QString m_fontName;
    double m_fontSize = 0;
    bool m_bold = false;
    bool m_italic = false;
    double m_x = 0;
    double m_y = 0;
    int m_page = 0;
};

// Every placed text found on its page of the printed file, its top-left
// corner within half a millimetre of the drawing area's origin plus its
// place. A text of several words is found by its first word.
void verifyPlaced(const QString &file, const QList<Placed> &placed, QPointF origin, int pages)
{
    QString error;
    const QList<PdfPage> read = readPdfWords(file, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(read.size(), pages);
    for (const Placed &t : placed) {
        const QString word = t.text.split(QLatin1Char(' '), Qt::SkipEmptyParts).value(0);
        const QList<PdfWord> found = wordsNamed(read.value(t.page), word);
        QVERIFY2(!found.isEmpty(), qPrintable(QStringLiteral("%1 missing on page %2").arg(word).arg(t.page + 1)));
        const QPointF expected((origin.x() + t.x) / 20, (origin.y() + t.y) / 20);
        bool there = false;
        for (const PdfWord &w : found)
            there = there
                    || (qAbs(w.box.left() - expected.x()) <= halfMillimetre
                        && qAbs(w.box.top() - expected.y()) <= halfMillimetre);
        QVERIFY2(there, qPrintable(QStringLiteral("%1 on page %2 at (%3, %4) pt, expected at (%5, %6) pt")
                                       .arg(word)
                                       .arg(t.page + 1)
                                       .arg(found[0].box.left())
                                       .arg(found[0].box.top())
                                       .arg(expected.x())
                                       .arg(expected.y())));
    }
}

// A main form printing twelve numbers a page in the print order of that
// list index, in two columns of six apart enough to be read as separate words.
MainForm &twelveUp(FormFixture &fx, int order)
{
    MainForm &form = fx.start();
    form.doc.gridType.setText(QStringLiteral("12 X 12"));
    fx.settle();
    form.doc.wayPrint.setListIndex(order);
    fx.settle();
    for (int n = 1; n <= 12; ++n) {
        form.doc.slot(n).topCm.setText(QString::number(2 + (n - 1) / 2 * 4));
        form.doc.slot(n).leftCm.setText(QString::number(2 + (n - 1) % 2 * 9));
    }
    fx.settle();
    return form;
}

// The operator's way: the print dialog opened from the main window, the
// queue chosen in its printer box, a run of pages started with Print, and
// the timers run until the dialog closes.
void printFromDialog(FormFixture &fx, MainForm &form, const QString &queue, int pages)
{
    form.printButton.click();
    fx.settle();
    PrintForm &dialog = form.printForm;
    QVERIFY(dialog.visible());
    const int item = int(dialog.printerBox.items().indexOf(QLatin1Char(' ') + queue));
    QVERIFY2(item >= 0, qPrintable(dialog.printerBox.items().join(QLatin1Char('|'))));
    QVERIFY(dialog.printerBox.setListIndex(item));
    QCOMPARE(fx.usePrinter->currentName(), queue);
    dialog.pageField.setText(QString::number(pages));
    dialog.printButton.click();
    for (int i = 0; i < 100000 && dialog.visible(); ++i)
        fx.scheduler.advance(100);
    QVERIFY(!dialog.visible());
}

const QString postScriptQueue = QStringLiteral("NumoraPostScript");

// The states the program reads for the jobs, by name.
QStringList statesRead(const QString &printer, const std::vector<int> &ids)
{
    QStringList names;
    for (PrintJobState s : CupsPrintQueue().jobStates(printer, ids))
        names << jobStateName(s);
    return names;
}

} // namespace

class TestCups : public QObject
{
    Q_OBJECT

    PipeCollector m_postScriptOut{cups->path(QStringLiteral("postscript.pipe"))};

private slots:
    void initTestCase()
    {
        QString why;
        for (const QString &q : {QStringLiteral("NumoraTest"), QStringLiteral("NumoraOther")})
            QVERIFY2(cups->addQueue(q, &why), qPrintable(why));
        // The queue must find its pipe read, or the print system waits on it.
        QVERIFY(m_postScriptOut.start());
        QVERIFY2(cups->addPostScriptQueue(postScriptQueue, cups->path(QStringLiteral("postscript.pipe")), &why),
                 qPrintable(why));
    }

    // A long run reaches a PostScript printer's filter chain in parts: each
    // part its own job under the document's name, and together they hold
    // every page with every number at its place.
    void runInParts()
    {
        m_postScriptOut.clear();
        QtPrinter qtPrinter;
        qtPrinter.setPartPages(500);
        ObservingPrinter printer(qtPrinter);
        FormFixture fx;
        fx.usePrinter = &printer;
        MainForm &form = twelveUp(fx, 2);
        printFromDialog(fx, form, postScriptQueue, 2000);
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(fx.dialogs.asked.isEmpty(), qPrintable(fx.dialogs.asked.join(QLatin1Char('\n'))));
        const QList<int> jobs = qtPrinter.partJobs();
        QCOMPARE(jobs.size(), 4);
        // The journal keeps each part's job, with the ids CUPS gave and the
        // part's pages.
        QString error;
        const auto runs = fx.journal.runs(QString(), &error);
        QVERIFY2(runs && runs->size() == 1, qPrintable(error));
        const auto run = fx.journal.run(runs->front().id, &error);
        QVERIFY2(run, qPrintable(error));
        QCOMPARE(run->jobs.size(), std::size_t(4));
        std::vector<int> ids;
        for (int k = 0; k < 4; ++k) {
            const JournalJob &j = run->jobs[std::size_t(k)];
            QCOMPARE(j.part, k + 1);
            QCOMPARE(j.jobId, jobs[k]);
            QCOMPARE(j.firstPage, qint64(500 * k + 1));
            QCOMPARE(j.lastPage, qint64(500 * (k + 1)));
            ids.push_back(j.jobId);
        }
        for (int k = 0; k < 4; ++k) {
            const JobState job = waitForJob(postScriptQueue, jobs[k]);
            QVERIFY2(job.state == IPP_JSTATE_COMPLETED, qPrintable(cups->errorLogTail()));
            QVERIFY2(job.title.endsWith(QStringLiteral(" (part %1 of 4)").arg(k + 1)), qPrintable(job.title));
        }
        QCOMPARE(statesRead(run->printer, ids), QStringList(4, QStringLiteral("completed")));
        // A number of another queue's job is no job of this run.
        QCOMPARE(statesRead(QStringLiteral("NumoraTest"), {ids[0]}), QStringList{QStringLiteral("unknown")});
        // A print system that does not answer: unknown, at once.
        // cupsServer() names the host alone once a port was given with it.
        const QByteArray server = QByteArray(cupsServer()) + ':' + QByteArray::number(ippPort());
        cupsSetServer(QStringLiteral("127.0.0.1:%1").arg(freeLoopbackPort()).toLatin1().constData());
        QElapsedTimer asking;
        asking.start();
        const QStringList unreachable = statesRead(run->printer, ids);
        cupsSetServer(server.constData());
        QCOMPARE(unreachable, QStringList(4, QStringLiteral("unknown")));
        QVERIFY(asking.elapsed() < CupsPrintQueue::TimeoutMs + 1000);
        // The journal window's way: the ask returns at once, and the states
        // come later on the asking thread, from the server it named then.
        const QByteArray nowhere = QStringLiteral("127.0.0.1:%1").arg(freeLoopbackPort()).toLatin1();
        for (const bool reachable : {true, false}) {
            CupsPrintQueue queue;
            QStringList later;
            bool onAsker = false;
            cupsSetServer(reachable ? server.constData() : nowhere.constData());
            queue.readJobStates(run->printer, ids, [&](std::vector<PrintJobState> states) {
                onAsker = QThread::currentThread() == qApp->thread();
                for (PrintJobState s : states)
                    later << jobStateName(s);
            });
            cupsSetServer(server.constData());
            QVERIFY(later.isEmpty());
            QTRY_VERIFY_WITH_TIMEOUT(!later.isEmpty(), CupsPrintQueue::BudgetMs + CupsPrintQueue::TimeoutMs);
            QVERIFY(onAsker);
            QCOMPARE(later, QStringList(4, reachable ? QStringLiteral("completed") : QStringLiteral("unknown")));
        }
        // A queue gone before it answers (the program ends): the answer goes nowhere.
        auto gone = std::make_unique<CupsPrintQueue>();
        bool answered = false;
        gone->readJobStates(run->printer, ids, [&](std::vector<PrintJobState>) { answered = true; });
        gone.reset();
        QTest::qWait(100);
        QVERIFY(!answered);
        const QList<QByteArray> documents = waitForDocuments(m_postScriptOut, 4);
        QCOMPARE(documents.size(), 4);
        QCOMPARE(printer.placed.size(), 2000 * 12);
        for (int k = 0; k < 4; ++k) {
            QVERIFY2(documents[k].startsWith("%!PS"), documents[k].left(40).constData());
            QCOMPARE(postScriptPages(documents[k]), 500);
        }
        // The pages went out in order, twelve numbers each, every number
        // once: 1 to 24,000.
        for (qsizetype i = 0; i < printer.placed.size(); ++i) {
            const Placed &t = printer.placed.at(i);
            QCOMPARE(t.page, int(i / 12));
            QCOMPARE(numberIn(t.text), qint64(i + 1));
        }

        // The filters draw the texts in a subset font whose codes are no
        // characters. A document's codes are learnt from the numbers
        // expected, one code for one character throughout; every number
        // must read so, at its place.
        if (!missingTools({QStringLiteral("gs")}).isEmpty())
            QSKIP("gs not installed (ghostscript): the numbers in the filter output are not read");
        // The landscape pages stand a quarter turned on the portrait paper,
        // their texts running up it.
        QVERIFY(qtPrinter.paperWidth() > qtPrinter.paperHeight());
        const double paperWidth = qtPrinter.paperWidth() / 20;
        const QPointF origin = qtPrinter.drawingOrigin() / 20;
        // The baseline is below the placed top by the ascent at a printer's
        // resolution (1200 dpi), as the program places it.
        QImage device(1, 1, QImage::Format_RGB32);
        device.setDotsPerMeterX(47244);
        device.setDotsPerMeterY(47244);
        const QFont font = printer.font();
        const double ascent = QFontMetricsF(font, &device).ascent() * 72 / 1200;
        struct ReadText
        {
            QStringList codes;
            QPointF at; // left end of the baseline on the landscape page, points
            double end;
        };
        for (int k = 0; k < 4; ++k) {
            QString error;
            const QList<QList<PostScriptGlyph>> pages = postScriptGlyphs(documents[k], &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(pages.size(), 500);
            QHash<QString, QChar> character;
            QHash<QChar, QString> code;
            for (int p = 0; p < 500; ++p) {
                QList<ReadText> texts;
                for (const PostScriptGlyph &g : pages[p]) {
                    const QPointF at(paperWidth - g.at.y(), g.at.x());
                    // A glyph continues the text on its baseline that ends within a glyph's width before it.
                    if (texts.isEmpty() || at.y() != texts.last().at.y() || at.x() <= texts.last().end
                        || at.x() > texts.last().end + font.pointSizeF())
                        texts.append({{}, at, at.x()});
                    texts.last().codes << g.code;
                    texts.last().end = at.x();
                }
                QCOMPARE(texts.size(), 12);
                for (const Placed &t : printer.placed.mid((500 * k + p) * 12, 12)) {
                    const QPointF expected(origin.x() + t.x / 20, origin.y() + t.y / 20 + ascent);
                    const auto found = std::find_if(texts.cbegin(), texts.cend(), [&](const ReadText &r) {
                        return qAbs(r.at.x() - expected.x()) <= 2 && qAbs(r.at.y() - expected.y()) <= 1.5;
                    });
                    QVERIFY2(found != texts.cend(), qPrintable(QStringLiteral("%1 (document %3, page %2) not at "
                                                                              "(%4, %5) pt")
                                                                   .arg(t.text)
                                                                   .arg(p + 1)
                                                                   .arg(k + 1)
                                                                   .arg(expected.x())
                                                                   .arg(expected.y())));
                    bool fits = found->codes.size() == t.text.size();
                    for (qsizetype i = 0; fits && i < t.text.size(); ++i) {
                        const QString &c = found->codes[i];
                        fits = character.value(c, t.text[i]) == t.text[i] && code.value(t.text[i], c) == c;
                        character.insert(c, t.text[i]);
                        code.insert(t.text[i], c);
                    }
                    QVERIFY2(fits, qPrintable(QStringLiteral("%1 (document %3, page %2) reads as %4")
                                                  .arg(t.text)
                                                  .arg(p + 1)
                                                  .arg(k + 1)
                                                  .arg(found->codes.join(QLatin1Char(' ')))));
                }
            }
        }
    }

    void partRefused_data()
    {
        QTest::addColumn<bool>("printRest");
        QTest::newRow("the layout goes on") << false;
        QTest::newRow("the rest printed") << true;
    }

    // The queue stops taking documents after the second of four jobs: the run counts to page
    // 1,000 (numbering, journal and the operator agree), and the run that
    // goes on from the layout, or the run's rest from the journal, prints
    // the numbers of pages 1,001 to 2,000 and no others.
    void partRefused()
    {
        QFETCH(bool, printRest);
        m_postScriptOut.clear();
        QtPrinter qtPrinter;
        qtPrinter.setPartPages(500);
        ObservingPrinter printer(qtPrinter);
        FormFixture fx;
        fx.usePrinter = &printer;
        MainForm &form = twelveUp(fx, 2);
        form.doc.startNumber.setText(QStringLiteral("500001"));
        fx.settle();
        // The second job went over when page 1,001 began; the third is being drawn.
        printer.beforeNewPage = [](int page) {
            if (page == 1001)
                QVERIFY(cups->tool(QStringLiteral("cupsreject"), {postScriptQueue}));
        };
        fx.dialogs.answers.push_back(QStringLiteral("OK"));
        printFromDialog(fx, form, postScriptQueue, 2000);
        QVERIFY(cups->tool(QStringLiteral("cupsaccept"), {postScriptQueue}));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(fx.dialogs.asked.size(), 1);
        const QString told = fx.dialogs.asked.first();
        QVERIFY2(told.contains(postScriptQueue)
                     && told.contains(QLatin1String("The run stopped at page 1001: pages 1 to 1000 went to the printer "
                                                    "and are counted; pages 1001 to 2000 were not printed")),
                 qPrintable(told));
        const QList<int> jobs = qtPrinter.partJobs();
        QCOMPARE(jobs.size(), 2);
        for (int id : jobs)
            QCOMPARE(waitForJob(postScriptQueue, id).state, IPP_JSTATE_COMPLETED);
        QCOMPARE(waitForDocuments(m_postScriptOut, 2).size(), 2);

        const qint64 first = 500001;
        QCOMPARE(numberIn(printer.placed.first().text), first);
        QCOMPARE(form.doc.startNumber.text(), QString::number(first + 12000));
        QString error;
        const auto runs = fx.journal.runs(QString(), &error);
        QVERIFY2(runs && runs->size() == 1, qPrintable(error));
        const auto failed = fx.journal.run(runs->front().id, &error);
        QVERIFY2(failed, qPrintable(error));
        QCOMPARE(failed->outcome, JournalRun::Outcome::Failed);
        QCOMPARE(failed->pagesPrinted, qint64(1000));
        QCOMPARE(failed->jobs.size(), std::size_t(2)); // none for the part refused
        qint64 lo = std::numeric_limits<qint64>::max(), hi = 0, counted = 0;
        for (const NumberRange &r : failed->ranges) {
            lo = std::min({lo, r.first, r.last});
            hi = std::max({hi, r.first, r.last});
            counted += r.count();
        }
        QCOMPARE(lo, first);
        QCOMPARE(hi, first + 11999);
        QCOMPARE(counted, qint64(12000));

        // The rest, from the layout as the failed run left it or from the
        // journal: no number of it was printed before, so the journal asks
        // nothing.
        printer.beforeNewPage = nullptr;
        printer.placed.clear();
        if (printRest) {
            const Reprinter::Result rest = Reprinter(form.services()).printRest(*failed);
            QVERIFY2(rest.printed && rest.pages == 1000, qPrintable(rest.problem));
            QVERIFY(Reprinter::moveOnAfterRest(form.doc, *failed, rest));
            QCOMPARE(form.doc.startNumber.text(), QString::number(first + 24000));
        } else {
            printFromDialog(fx, form, postScriptQueue, 1000);
        }
        QCOMPARE(fx.dialogs.asked.size(), 1);
        QSet<qint64> numbers;
        for (const Placed &t : std::as_const(printer.placed))
            numbers.insert(numberIn(t.text));
        QCOMPARE(printer.placed.size(), 12000);
        QCOMPARE(numbers.size(), 12000);
        QCOMPARE(*std::min_element(numbers.cbegin(), numbers.cend()), first + 12000);
        QCOMPARE(*std::max_element(numbers.cbegin(), numbers.cend()), first + 23999);
        for (int id : qtPrinter.partJobs())
            QCOMPARE(waitForJob(postScriptQueue, id).state, IPP_JSTATE_COMPLETED);
    }

    // The queues of the print system by name, the PDF entry after them; the
    // system's default printer is the current one.
    void printerList()
    {
        {
            QtPrinter printer;
            const QStringList names = printer.printerNames();
            QVERIFY2(names.contains(QStringLiteral("NumoraTest")), qPrintable(names.join(QLatin1String(", "))));
            QVERIFY(names.contains(QStringLiteral("NumoraOther")));
            QCOMPARE(names.last(), QtPrinter::pdfEntryName());
            QCOMPARE(printer.currentName(), QtPrinter::pdfEntryName()); // no default yet
        }
        QString why;
        QVERIFY2(cups->tool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("NumoraOther")}, &why),
                 qPrintable(why));
        QtPrinter printer;
        QCOMPARE(printer.currentName(), QStringLiteral("NumoraOther"));
    }

    void printRun_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::newRow("portrait") << 1;
        QTest::newRow("landscape") << 2;
    }

    // A run of numbers handed to the queue arrives whole: every number at
    // its place on its page, the document under its name.
    void printRun()
    {
        QFETCH(int, orientation);
        const QString queue = QStringLiteral("NumoraTest");
        QtPrinter printer;
        QVERIFY(printer.selectPrinterByName(queue));
        printer.setDocumentName(QStringLiteral("Receipts %1").arg(orientation));
        printer.setOrientation(orientation);
        QCOMPARE(printer.paperWidth(), orientation == 2 ? 16838.0 : 11906.0);
        // The queue's margin: 18 pt at the left, 24 pt at the top of A4.
        const QPointF origin = printer.drawingOrigin();
        if (orientation == 1) {
            QVERIFY2(qAbs(origin.x() - 360) < 2 && qAbs(origin.y() - 480) < 2,
                     qPrintable(QStringLiteral("%1, %2").arg(origin.x()).arg(origin.y())));
        }

        QList<Placed> placed;
        const int pages = 3;
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                QVERIFY(printer.newPage());
            for (int i = 0; i < 12; ++i) {
                const Placed t{page, QStringLiteral("No:%1").arg(page * 12 + i + 1, 6, 10, QLatin1Char('0')),
                               300.0 + (i % 3) * 3500 + page * 20, 400.0 + (i / 3) * 2500 + page * 30};
                printer.setFontName(QStringLiteral("Liberation Sans"));
                printer.setFontSize(11);
                printer.setFontBold(i % 2 == 1);
                printer.setFontItalic(false);
                printer.setForeColor(0);
                printer.setCurrentX(t.x);
                printer.setCurrentY(t.y);
                QVERIFY2(printer.print(t.text), qPrintable(printer.lastError()));
                placed.append(t);
            }
        }
        QVERIFY2(printer.endDoc(), qPrintable(printer.lastError()));
        QVERIFY(printer.lastJobId() > 0);

        const JobState job = waitForJob(queue, printer.lastJobId());
        QVERIFY2(job.state == IPP_JSTATE_COMPLETED, qPrintable(cups->errorLogTail()));
        QCOMPARE(job.title, QStringLiteral("Receipts %1").arg(orientation));
        const QString file = cups->outputFile(queue);
        verifyPlaced(file, placed, origin, pages);
        const QList<PdfPage> read = readPdfWords(file);
        const QSizeF a4 = orientation == 2 ? QSizeF(841.9, 595.3) : QSizeF(595.3, 841.9);
        QVERIFY(qAbs(read.value(0).size.width() - a4.width()) < 1);
        QVERIFY(qAbs(read.value(0).size.height() - a4.height()) < 1);
        // The document arrived as the program wrote it: one whole PDF.
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        QCOMPARE(bytes.count("%%EOF"), qsizetype(1));
    }

    // A document thrown away never reaches the queue, and leaves no spool
    // file behind.
    void abortSendsNothing()
    {
        const QString queue = QStringLiteral("NumoraTest");
        const int before = jobCount(queue);
        const QStringList spoolBefore = QDir::temp().entryList({QStringLiteral("numora-print-*")});
        QtPrinter printer;
        QVERIFY(printer.selectPrinterByName(queue));
        QVERIFY(printer.print(QStringLiteral("No:000001")));
        QVERIFY(printer.newPage());
        QVERIFY(printer.print(QStringLiteral("No:000002")));
        printer.abortDocument();
        QVERIFY(!printer.documentOpen());
        QCOMPARE(printer.lastJobId(), 0);
        QCOMPARE(jobCount(queue), before);
        QCOMPARE(QDir::temp().entryList({QStringLiteral("numora-print-*")}), spoolBefore);
    }

    // A queue that refuses documents: when the document starts, the operator
    // learns which printer and why; when it refuses only at the end, the
    // end fails with the print system's reason.
    void refusingQueue()
    {
        const QString queue = QStringLiteral("NumoraOther");
        QString why;
        const int before = jobCount(queue);
        QVERIFY2(cups->tool(QStringLiteral("cupsreject"), {queue}, &why), qPrintable(why));
        {
            QtPrinter printer;
            QVERIFY(printer.selectPrinterByName(queue));
            QVERIFY(!printer.print(QStringLiteral("1")));
            QVERIFY(!printer.documentOpen());
            QVERIFY2(printer.lastError().contains(queue)
                         && printer.lastError().contains(QLatin1String("not accepting")),
                     qPrintable(printer.lastError()));
            QVERIFY(!printer.endDoc());
        }
        QVERIFY2(cups->tool(QStringLiteral("cupsaccept"), {queue}, &why), qPrintable(why));
        QtPrinter printer;
        QVERIFY(printer.selectPrinterByName(queue));
        QVERIFY(printer.print(QStringLiteral("1")));
        QVERIFY2(cups->tool(QStringLiteral("cupsreject"), {queue}, &why), qPrintable(why));
        QVERIFY(!printer.endDoc());
        QVERIFY2(printer.lastError().contains(queue), qPrintable(printer.lastError()));
        QVERIFY(!printer.documentOpen());
        QCOMPARE(printer.lastJobId(), 0);
        QVERIFY2(cups->tool(QStringLiteral("cupsaccept"), {queue}, &why), qPrintable(why));
        QCOMPARE(jobCount(queue), before);
    }

    // A queue removed after the list was read.
    void removedQueue()
    {
        const QString queue = QStringLiteral("NumoraGone");
        QString why;
        QVERIFY2(cups->addQueue(queue, &why), qPrintable(why));
        QtPrinter printer;
        QVERIFY(printer.selectPrinterByName(queue));
        QVERIFY2(cups->tool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue}, &why), qPrintable(why));
        QVERIFY(!printer.print(QStringLiteral("1")));
        QVERIFY2(printer.lastError().contains(queue) && printer.lastError().contains(QLatin1String("not installed")),
                 qPrintable(printer.lastError()));
        printer.abortDocument();
    }

    // The operator's way: the print dialog opened from the main window, the
    // queue chosen in its printer box, a run of pages started with Print.
    void printDialogRun()
    {
        const QString queue = QStringLiteral("NumoraTest");
        QtPrinter qtPrinter;
        ObservingPrinter printer(qtPrinter);
        FormFixture fx;
        fx.usePrinter = &printer;
        MainForm &form = twelveUp(fx, 0);
        printFromDialog(fx, form, queue, 4);
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(fx.dialogs.asked.isEmpty(), qPrintable(fx.dialogs.asked.join(QLatin1Char('\n'))));
        QVERIFY(qtPrinter.lastJobId() > 0);

        const JobState job = waitForJob(queue, qtPrinter.lastJobId());
        QVERIFY2(job.state == IPP_JSTATE_COMPLETED, qPrintable(cups->errorLogTail()));
        QCOMPARE(printer.placed.size(), 4 * 12);
        verifyPlaced(cups->outputFile(queue), printer.placed, qtPrinter.drawingOrigin(), 4);
    }

    void setupDialog_data()
    {
        QTest::addColumn<QString>("choice"); // an item of the dialog's printer box; empty: Cancel
        QTest::addColumn<QString>("expected");
        QTest::newRow("another queue") << QStringLiteral("NumoraOther") << QStringLiteral("NumoraOther");
        QTest::newRow("print to file") << QStringLiteral("Print to File (PDF)") << QtPrinter::pdfEntryName();
        QTest::newRow("cancelled") << QString() << QStringLiteral("NumoraTest");
    }

    // Qt's print dialog on the current printer: what the operator picks
    // there becomes the current printer, a file becomes the PDF entry with
    // that file proposed; Cancel changes nothing.
    void setupDialog()
    {
        QFETCH(QString, choice);
        QFETCH(QString, expected);
        QtPrinter printer;
        QVERIFY(printer.selectPrinterByName(QStringLiteral("NumoraTest")));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("chosen.pdf"));

        bool operated = false;
        QTimer operatorHand;
        operatorHand.setInterval(20);
        QObject::connect(&operatorHand, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            operatorHand.stop();
            operated = true;
            if (choice.isEmpty()) {
                dialog->reject();
                return;
            }
            auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
            const int item = printers ? printers->findText(choice) : -1;
            if (item < 0) {
                dialog->reject();
                return;
            }
            printers->setCurrentIndex(item);
            if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("filename")); name && name->isEnabled())
                name->setText(file);
            dialog->accept();
        });
        operatorHand.start();
        const bool confirmed = printer.runSetupDialog(nullptr);
        QVERIFY(operated);
        QCOMPARE(confirmed, !choice.isEmpty());
        QCOMPARE(printer.currentName(), expected);
        if (expected == QtPrinter::pdfEntryName()) {
            QCOMPARE(printer.pdfFileProposal(), file);
            // The next document goes to a PDF on A4, whatever the dialog had.
            printer.setPdfFile(file);
            QVERIFY(printer.print(QStringLiteral("1")));
            QVERIFY(printer.endDoc());
            QCOMPARE(readPdfWords(file).value(0).size.toSize(), QSize(595, 842));
        }
    }

    // Last: with the print system gone, the printer cannot be reached.
    void printSystemGone()
    {
        QtPrinter printer;
        QVERIFY(printer.selectPrinterByName(QStringLiteral("NumoraTest")));
        cups->stop();
        QVERIFY(!printer.print(QStringLiteral("1")));
        QVERIFY2(printer.lastError().contains(QLatin1String("NumoraTest"))
                     && printer.lastError().contains(QLatin1String("cannot be reached")),
                 qPrintable(printer.lastError()));
        printer.abortDocument();
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv); // widgets: the print set-up dialog
    QStringList missing;
    for (const char *t : {"cupsd", "lpadmin", "lpstat", "cupsaccept", "cupsreject", "pdftotext"})
        if (toolPath(QString::fromLatin1(t)).isEmpty())
            missing << QString::fromLatin1(t);
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "SKIP: %s not installed (cups, cups-client, poppler-utils)\n",
                     qPrintable(missing.join(QLatin1String(", "))));
        return skipExitCode;
    }
    PrivateCups server;
    QString why;
    if (!server.start(&why)) {
        std::fprintf(stderr, "SKIP: no print system could be started here: %s\n", qPrintable(why));
        return skipExitCode;
    }
    // Before anything of the print system is asked: libcups and Qt's print
    // support read the server once.
    qputenv("CUPS_SERVER", server.server().toLatin1());
    cups = &server;
    TestCups test;
    const int result = QTest::qExec(&test, argc, argv);
    server.stop();
    return result;
}

#include "tst_cups.moc"
