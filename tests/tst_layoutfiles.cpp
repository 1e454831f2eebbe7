#include "FormFixture.h"
#include "layoutfiles/BrowserForm.h"
#include "layoutfiles/LayoutFile.h"
#include "layout/SessionKeys.h"
#include "platform/Colour.h"
#include "platform/Windows1256.h"

#include <QDir>
#include <array>
#include <QFile>
#include <QRandomGenerator>

using namespace numora;
using namespace numora::test;

class TestLayoutFiles : public QObject
{
    Q_OBJECT
private slots:
    void saveWritesTheFiftyFourLines();
    void exitWriterSwapsOnlyTheBracketKeys();
    void loadRestoresFieldsAndCaptions();
    void textsAndColoursRoundTrip_data();
    void textsAndColoursRoundTrip();
    void otherOrientationArmsTheToggleOnce();
    void loadKeepsTheFileStartNumber();
    void absurdPositionsGoToThePageEdge_data();
    void absurdPositionsGoToThePageEdge();
    void shortAndMissingLinesKeepTheirFields();
    void unreadableFileChangesNothing();
    void malformedFilesNeverCrossLines();
    void failedSaveSaysSoAndKeepsCaptions();
    void lineBreaksStayInTheirLine();
    void vanishedFileLeavesTheOpenLayout();
    void saveReplacesAtomically();
    void printedRunWritesItsNumberingIntoTheOpenedFile();
    void startContinuesTheSessionFilesNumbering_data();
    void startContinuesTheSessionFilesNumbering();
    void twoProgramsKeepEachOthersNumbering_data();
    void twoProgramsKeepEachOthersNumbering();
    void everyByteRoundTripsThroughTheCodePage();
    void charactersOutsideTheCodePageBecomeQuestionMarks_data();
    void charactersOutsideTheCodePageBecomeQuestionMarks();

private:
    static QByteArray fileBytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeBytes(const QString &path, const QByteArray &b)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(b);
    }
};

static QByteArray expectedReceipts(bool exitWriter)
{
    QStringList lines{QStringLiteral("Name No.   =No:"),
                      QStringLiteral("No. Counter=10 X 10"),
                      exitWriter ? QStringLiteral("Spase L    =") : QStringLiteral("Spase R    ="),
                      exitWriter ? QStringLiteral("Spase R    =") : QStringLiteral("Spase L    ="),
                      QStringLiteral("Way Print  =1 - Up to Down"),
                      QStringLiteral("Sel. Zero  =1"),
                      QStringLiteral("Font Name  =Courier New (Arabic)"),
                      QStringLiteral("Counter 00 =1"),
                      QStringLiteral("Scrol L-C-R=0"),
                      QStringLiteral("Box Line   =1"),
                      QStringLiteral("No. Zero   =6"),
                      QStringLiteral("Font Size  =12"),
                      QStringLiteral("Top Page   =4"),
                      QStringLiteral("Font Italic=0"),
                      QStringLiteral("Font Bold  =0"),
                      QStringLiteral("Move Mouse =1")};
    const char *tops[] = {"2", "8", "14", "20", "26", "2", "8", "14", "20", "26", "28.5", "28.5"};
    const char *lefts[] = {"3", "3", "3", "3", "3", "13.5", "13.5", "13.5", "13.5", "13.5", "18.5", "18.5"};
    for (int n = 0; n < 12; ++n) {
        lines << QStringLiteral("Sign T%1   =%2").arg(n + 1, 2, 10, QLatin1Char('0')).arg(QLatin1String(tops[n]));
        lines << QStringLiteral("Sign L%1   =%2").arg(n + 1, 2, 10, QLatin1Char('0')).arg(QLatin1String(lefts[n]));
    }
    lines << QStringLiteral("BackColor  =16777215") << QStringLiteral("ForeColor  =-2147483630");
    for (int n = 1; n <= 12; ++n)
        lines << QStringLiteral("Counter %1 =1").arg(n, 2, 10, QLatin1Char('0'));
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

void TestLayoutFiles::saveWritesTheFiftyFourLines()
{
    FormFixture fx;
    MainForm &f = fx.start();
    f.doc.gridType.choose(QStringLiteral("10 X 10"));
    fx.scheduler.settle();
    fx.dialogs.answers = {QStringLiteral("Yes"), QStringLiteral("Receipts")};
    f.saveButton.click();
    QCOMPARE(fileBytes(fx.folder.filePath(QStringLiteral("Receipts.10x10"))), expectedReceipts(false));
    QCOMPARE(f.doc.fileCaption.caption(), QStringLiteral("File Name : Receipts"));
    QCOMPARE(f.doc.typeCaption.caption(), QStringLiteral("Type: 10x10"));
    QCOMPARE(f.doc.documentName.caption(), QStringLiteral("Receipts"));
    QCOMPARE(f.browser().rememberedPath.caption(), fx.folder.filePath(QStringLiteral("Receipts.10x10")));
    QVERIFY(f.browser().visible());
    QVERIFY(f.browser().fileList.items().contains(QStringLiteral("Receipts.10x10")));
    QCOMPARE(f.browser().left(), f.left() + f.width());
    // Saving does not clear the mark of a changed layout.
    f.doc.modified = 1;
    fx.dialogs.answers = {QStringLiteral("Yes"), QStringLiteral("Receipts")};
    f.saveButton.click();
    QCOMPARE(f.doc.modified, 1);
}

void TestLayoutFiles::exitWriterSwapsOnlyTheBracketKeys()
{
    FormFixture fx;
    MainForm &f = fx.start();
    f.doc.gridType.choose(QStringLiteral("10 X 10"));
    fx.scheduler.settle();
    QVERIFY(fx.folder.ensureExists());
    const QString path = fx.folder.filePath(QStringLiteral("AtExit.10x10"));
    QVERIFY(f.layoutFiles().writeLayoutFile(path, LayoutWriter::Exit));
    QCOMPARE(fileBytes(path), expectedReceipts(true));
}

void TestLayoutFiles::loadRestoresFieldsAndCaptions()
{
    FormFixture fx;
    MainForm &f = fx.start();
    QVERIFY(fx.folder.ensureExists());
    const QString path = fx.folder.filePath(QStringLiteral("Receipts.10x10"));
    writeBytes(path, expectedReceipts(false));
    f.doc.modified = 0;
    QVERIFY(f.layoutFiles().loadLayoutFile(path, QStringLiteral("Receipts.10x10")));
    QCOMPARE(f.doc.typeCaption.caption(), QStringLiteral("Type: 10x10"));
    QCOMPARE(f.doc.fileCaption.caption(), QStringLiteral("File Name : Receipts"));
    QCOMPARE(f.doc.orientationCaption.caption(), QStringLiteral("Orientation: Horizontal"));
    QCOMPARE(f.doc.gridType.text(), QStringLiteral("10 X 10"));
    QCOMPARE(f.doc.modified, 1);
    fx.scheduler.settle();
    // The loaded positions survive the refresh that the grid type started.
    QCOMPARE(f.doc.slot(6).leftCm.text(), QStringLiteral("13.5"));
    QCOMPARE(f.doc.slot(11).topCm.text(), QStringLiteral("28.5"));
    QCOMPARE(f.preview.box(6).left(), 2 * 275.0);
    QVERIFY(f.preview.box(10).visible());
    QVERIFY(!f.preview.box(11).visible());
    // Two-character extensions leave four characters off the name.
    writeBytes(fx.folder.filePath(QStringLiteral("Plan.2x2")), expectedReceipts(false));
    QVERIFY(f.layoutFiles().loadLayoutFile(fx.folder.filePath(QStringLiteral("Plan.2x2")), QStringLiteral("Plan.2x2")));
    QCOMPARE(f.doc.typeCaption.caption(), QStringLiteral("Type: 2x2"));
    QCOMPARE(f.doc.fileCaption.caption(), QStringLiteral("File Name : Plan"));
}

void TestLayoutFiles::textsAndColoursRoundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint32>("back");
    QTest::addColumn<qint32>("fore");
    QTest::newRow("arabic name, system colour") << QStringLiteral("الرقم:") << qint32(16777215) << qint32(-2147483630);
    QTest::newRow("persian name") << QStringLiteral("ژماره:") << qint32(255) << qint32(0);
    QTest::newRow("blanks kept") << QStringLiteral(" No: ") << qint32(65280) << qint32(16711680);
}

void TestLayoutFiles::textsAndColoursRoundTrip()
{
    QFETCH(QString, name);
    QFETCH(qint32, back);
    QFETCH(qint32, fore);
    FormFixture fx;
    MainForm &f = fx.start();
    f.doc.nameText.setText(name);
    f.doc.sampleLabel.setBackColor(back);
    f.doc.sampleLabel.setForeColor(fore);
    QVERIFY(fx.folder.ensureExists());
    const QString path = fx.folder.filePath(QStringLiteral("T.2x2"));
    QVERIFY(f.layoutFiles().writeLayoutFile(path, LayoutWriter::SaveCommand));
    const QByteArray bytes = fileBytes(path);
    QVERIFY(bytes.startsWith(QByteArray("Name No.   =") + toWindows1256(name) + "\r\n"));
    QCOMPARE(bytes.count('\n'), 54);
    f.doc.nameText.setText(QStringLiteral("other"));
    f.doc.sampleLabel.setBackColor(1);
    f.doc.sampleLabel.setForeColor(1);
    QVERIFY(f.layoutFiles().loadLayoutFile(path, QStringLiteral("T.2x2")));
    QCOMPARE(f.doc.nameText.text(), name);
    QCOMPARE(f.doc.sampleLabel.backColor(), back);
    QCOMPARE(f.doc.sampleLabel.foreColor(), fore);
}

void TestLayoutFiles::otherOrientationArmsTheToggleOnce()
{
    FormFixture fx;
    MainForm &f = fx.start();
    QVERIFY(fx.folder.ensureExists());
    QByteArray standing = expectedReceipts(false);
    standing.replace("Top Page   =4", "Top Page   =6");
    const QString path = fx.folder.filePath(QStringLiteral("Up.10x10"));
    writeBytes(path, standing);
    QVERIFY(f.layoutFiles().loadLayoutFile(path, QStringLiteral("Up.10x10")));
    QCOMPARE(f.orientation.toggleTimer.interval(), 10);
    QCOMPARE(f.doc.orientationCaption.caption(), QStringLiteral("Orientation: Vertical"));
    fx.scheduler.settle();
    QCOMPARE(f.doc.orientationCode.caption(), QStringLiteral("6"));
    QCOMPARE(f.doc.orientationMark, QStringLiteral("Hor"));
    // Portrait: the long edge runs down the page.
    QCOMPARE(f.preview.box(2).top(), 8 * 275.0);
    QCOMPARE(f.preview.box(2).left(), 3 * 275.0);
    // The same code again does not turn the page.
    QVERIFY(f.layoutFiles().loadLayoutFile(path, QStringLiteral("Up.10x10")));
    QCOMPARE(f.orientation.toggleTimer.interval(), 0);
    fx.scheduler.settle();
    QCOMPARE(f.doc.orientationCode.caption(), QStringLiteral("6"));
}

void TestLayoutFiles::loadKeepsTheFileStartNumber()
{
    FormFixture fx;
    MainForm &f = fx.start();
    QVERIFY(fx.folder.ensureExists());
    QByteArray bytes = expectedReceipts(false);
    bytes.replace("Counter 00 =1", "Counter 00 =500");
    const QString path = fx.folder.filePath(QStringLiteral("C.10x10"));
    writeBytes(path, bytes);
    // All counters on screen already read 1: line 8's start number stays.
    QVERIFY(f.layoutFiles().loadLayoutFile(path, QStringLiteral("C.10x10")));
    QCOMPARE(f.doc.startNumber.text(), QStringLiteral("500"));
    // A counter that changes on loading no longer takes the start number
    // with it: the layout continues from its own start number, and the
    // counters are the file's too.
    f.doc.slot(3).counter.setText(QStringLiteral("15"));
    QVERIFY(f.layoutFiles().loadLayoutFile(path, QStringLiteral("C.10x10")));
    QCOMPARE(f.doc.startNumber.text(), QStringLiteral("500"));
    QCOMPARE(f.doc.slot(3).counter.text(), QStringLiteral("1"));
}

void TestLayoutFiles::absurdPositionsGoToThePageEdge_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::newRow("exponent") << QByteArray("1e+300") << QStringLiteral("29.7") << QStringLiteral("21");
    QTest::newRow("beyond the page") << QByteArray("99999") << QStringLiteral("29.7") << QStringLiteral("21");
    QTest::newRow("negative exponent") << QByteArray("-1e300") << QStringLiteral("0.1") << QStringLiteral("0.1");
    QTest::newRow("zero") << QByteArray("0") << QStringLiteral("0.1") << QStringLiteral("0.1");
    QTest::newRow("no number keeps the field") << QByteArray("abc") << QStringLiteral("4.4") << QStringLiteral("5.5");
    QTest::newRow("on the page stays as written")
        << QByteArray("12.25") << QStringLiteral("12.25") << QStringLiteral("12.25");
}

void TestLayoutFiles::absurdPositionsGoToThePageEdge()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, top);
    QFETCH(QString, left);
    FormFixture fx;
    MainForm &f = fx.start();
    QVERIFY(fx.folder.ensureExists());
    f.doc.slot(1).topCm.setText(QStringLiteral("4.4"));
    f.doc.slot(1).leftCm.setText(QStringLiteral("5.5"));
    QByteArray bytes = expectedReceipts(false);
    bytes.replace("Sign T01   =2\r\n", "Sign T01   =" + stored + "\r\n");
    bytes.replace("Sign L01   =3\r\n", "Sign L01   =" + stored + "\r\n");
    const QString path = fx.folder.filePath(QStringLiteral("Odd.10x10"));
    writeBytes(path, bytes);
    QVERIFY(f.layoutFiles().loadLayoutFile(path, QStringLiteral("Odd.10x10")));
    QCOMPARE(f.doc.slot(1).topCm.text(), top);
    QCOMPARE(f.doc.slot(1).leftCm.text(), left);
}

void TestLayoutFiles::shortAndMissingLinesKeepTheirFields()
{
    FormFixture fx;
    MainForm &f = fx.start();
    QVERIFY(fx.folder.ensureExists());
    f.doc.slot(12).counter.setText(QStringLiteral("77"));
    f.doc.nameText.setText(QStringLiteral("keep"));
    f.doc.fontSize.setText(QStringLiteral("20"));
    // Line 1 too short for a key, line 12 exactly a key, only 20 lines.
    QList<QByteArray> lines = expectedReceipts(false).split('\n').mid(0, 20);
    lines[0] = "Name No.";
    lines[11] = "Font Size  =";
    const QString path = fx.folder.filePath(QStringLiteral("Short.10x10"));
    writeBytes(path, lines.join('\n'));
    QVERIFY(f.layoutFiles().loadLayoutFile(path, QStringLiteral("Short.10x10")));
    QCOMPARE(f.doc.nameText.text(), QStringLiteral("keep"));
    QCOMPARE(f.doc.fontSize.text(), QStringLiteral("1")); // empty size reads as 1
    QCOMPARE(f.doc.slot(12).counter.text(), QStringLiteral("77"));
    QCOMPARE(f.doc.slot(2).topCm.text(), QStringLiteral("8"));
}

void TestLayoutFiles::unreadableFileChangesNothing()
{
    FormFixture fx;
    MainForm &f = fx.start();
    const QString before = f.doc.fileCaption.caption();
    f.doc.modified = 0;
    QVERIFY(
        !f.layoutFiles().loadLayoutFile(fx.folder.filePath(QStringLiteral("Gone.2x2")), QStringLiteral("Gone.2x2")));
    QCOMPARE(f.doc.fileCaption.caption(), before);
    QCOMPARE(f.doc.modified, 0);
}

void TestLayoutFiles::malformedFilesNeverCrossLines()
{
    // Each line carries a marker naming its own line; whatever surrounds it,
    // a text field may only ever hold its own line's marker or what it had.
    QRandomGenerator rng(20261209);
    FormFixture fx;
    MainForm &f = fx.start();
    QVERIFY(fx.folder.ensureExists());
    const QString path = fx.folder.filePath(QStringLiteral("Fuzz.2x2"));
    const QStringList keys = layoutFileKeys(LayoutWriter::SaveCommand);
    struct Field
    {
        int line;
        std::function<QString()> read;
    };
    const std::vector<Field> fields = {
        {1, [&] { return f.doc.nameText.text(); }},          {3, [&] { return f.doc.bracketBefore.text(); }},
        {4, [&] { return f.doc.bracketAfter.text(); }},      {7, [&] { return f.doc.fontName.text(); }},
        {19, [&] { return f.doc.slot(2).topCm.text(); }},    {30, [&] { return f.doc.slot(7).leftCm.text(); }},
        {40, [&] { return f.doc.slot(12).leftCm.text(); }},  {47, [&] { return f.doc.slot(5).counter.text(); }},
        {54, [&] { return f.doc.slot(12).counter.text(); }},
    };
    for (int round = 0; round < 2000; ++round) {
        const int lineCount = int(rng.bounded(70));
        QByteArray file;
        for (int i = 1; i <= lineCount; ++i) {
            QByteArray line;
            const int shape = int(rng.bounded(10));
            if (shape == 0)
                line = keys.value(i - 1, QStringLiteral("Extra line  ="))
                           .toLatin1()
                           .left(1 + int(rng.bounded(11))); // no full key
            else
                line = keys.value(i - 1, QStringLiteral("Extra line  =")).toLatin1();
            if (shape != 0) {
                line += QStringLiteral("M%1x").arg(i).toLatin1();
                const int junk = int(rng.bounded(shape == 9 ? 5000 : 20));
                for (int j = 0; j < junk; ++j) {
                    char c = char(rng.bounded(256));
                    if (c == '\r' || c == '\n')
                        c = 'z';
                    line += c;
                }
            }
            file += line;
            const int end = int(rng.bounded(4));
            file += end == 0 ? "\n" : end == 1 ? "\r" : "\r\n";
        }
        if (rng.bounded(5) == 0)
            file.chop(qsizetype(rng.bounded(3)));
        writeBytes(path, file);
        std::vector<QString> before;
        for (const auto &fd : fields)
            before.push_back(fd.read());
        QVERIFY(f.layoutFiles().loadLayoutFile(path, QStringLiteral("Fuzz.2x2")));
        for (std::size_t k = 0; k < fields.size(); ++k) {
            const QString now = fields[k].read();
            const QString own = QStringLiteral("M%1x").arg(fields[k].line);
            if (now != before[k] && !now.startsWith(own))
                QFAIL(qPrintable(QStringLiteral("round %1: line %2's field holds \"%3\"")
                                     .arg(round)
                                     .arg(fields[k].line)
                                     .arg(now.left(40))));
        }
        fx.scheduler.advance(20);
    }
}

void TestLayoutFiles::failedSaveSaysSoAndKeepsCaptions()
{
    FormFixture fx;
    MainForm &f = fx.start();
    // The Data folder cannot be made: a file stands in its place.
    writeBytes(fx.folder.path(), "not a folder");
    fx.dialogs.answers = {QStringLiteral("Yes"), QStringLiteral("Receipts"), QStringLiteral("OK")};
    f.saveButton.click();
    QVERIFY(fx.dialogs.answers.empty());
    QVERIFY(fx.dialogs.asked.last().startsWith(QStringLiteral("The layout could not be saved to ")));
    QVERIFY(fx.dialogs.asked.last().contains(QStringLiteral("Receipts.2x2")));
    QCOMPARE(f.doc.fileCaption.caption(), QStringLiteral("File Name : None"));
    QVERIFY(f.browser().rememberedPath.caption().isEmpty());
}

void TestLayoutFiles::lineBreaksStayInTheirLine()
{
    FormFixture fx;
    MainForm &f = fx.start();
    QVERIFY(fx.folder.ensureExists());
    f.doc.nameText.setText(QStringLiteral("No\r\nX"));
    f.doc.slot(1).counter.setText(QStringLiteral("100"));
    const QString path = fx.folder.filePath(QStringLiteral("Break.2x2"));
    QVERIFY(f.layoutFiles().writeLayoutFile(path, LayoutWriter::SaveCommand));
    QCOMPARE(fileBytes(path).count("\r\n"), 54);
    f.doc.slot(1).counter.setText(QStringLiteral("5"));
    QVERIFY(f.layoutFiles().loadLayoutFile(path, QStringLiteral("Break.2x2")));
    QCOMPARE(f.doc.nameText.text(), QStringLiteral("No  X"));
    QCOMPARE(f.doc.slot(1).counter.text(), QStringLiteral("100"));
    QCOMPARE(f.doc.sampleLabel.foreColor(), systemColour(18));
}

void TestLayoutFiles::vanishedFileLeavesTheOpenLayout()
{
    FormFixture fx;
    MainForm &f = fx.start();
    QVERIFY(fx.folder.ensureExists());
    writeBytes(fx.folder.filePath(QStringLiteral("Gone.2x2")), expectedReceipts(false));
    f.openBrowser();
    BrowserForm &b = f.browser();
    QVERIFY(b.fileList.choose(int(b.fileList.items().indexOf(QStringLiteral("Gone.2x2")))));
    QVERIFY(QFile::remove(fx.folder.filePath(QStringLiteral("Gone.2x2"))));
    fx.dialogs.answers = {QStringLiteral("Yes"), QStringLiteral("OK")};
    b.openButton.click();
    QVERIFY(fx.dialogs.asked.last().startsWith(QStringLiteral("The layout file cannot be read:")));
    QCOMPARE(f.doc.documentName.caption(), QStringLiteral("None"));
    QCOMPARE(f.doc.fileCaption.caption(), QStringLiteral("File Name : None"));
    QVERIFY(b.rememberedPath.caption().isEmpty());
    QVERIFY(!b.fileList.items().contains(QStringLiteral("Gone.2x2")));
    // Without a code in the file, the caption follows the page as it stands.
    f.orientation.toggleOrientation();
    writeBytes(fx.folder.filePath(QStringLiteral("Two.2x2")), "Name No.   =No:\r\nNo. Counter=2 X 2\r\n");
    QVERIFY(f.layoutFiles().loadLayoutFile(fx.folder.filePath(QStringLiteral("Two.2x2")), QStringLiteral("Two.2x2")));
    QCOMPARE(f.doc.orientationCaption.caption(), QStringLiteral("Orientation: Vertical"));
    QCOMPARE(f.orientation.toggleTimer.interval(), 0);
}

void TestLayoutFiles::saveReplacesAtomically()
{
    FormFixture fx;
    MainForm &f = fx.start();
    QVERIFY(fx.folder.ensureExists());
    const QString path = fx.folder.filePath(QStringLiteral("Old.2x2"));
    writeBytes(path, "old content");
    QVERIFY(f.layoutFiles().writeLayoutFile(path, LayoutWriter::SaveCommand));
    QCOMPARE(fileBytes(path).count("\r\n"), 54);
    // No temporary file is left beside it.
    QCOMPARE(QDir(fx.folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("Old.2x2")});
    // A target that cannot be replaced reports why and stays as it was.
    QVERIFY(QDir().mkpath(fx.folder.filePath(QStringLiteral("Blocked.2x2"))));
    QString error;
    QVERIFY(!f.layoutFiles().writeLayoutFile(fx.folder.filePath(QStringLiteral("Blocked.2x2")),
                                             LayoutWriter::SaveCommand, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(fx.folder.filePath(QStringLiteral("Blocked.2x2"))).isDir());
}

void TestLayoutFiles::printedRunWritesItsNumberingIntoTheOpenedFile()
{
    FormFixture fx;
    fx.printer.setPrinters({QStringLiteral("Laser")});
    MainForm &f = fx.start();
    QVERIFY(fx.folder.ensureExists());
    // Written by the exit's writer: a whole-layout write would swap lines 3 and 4.
    const QString path = fx.folder.filePath(QStringLiteral("Receipts.10x10"));
    const QByteArray before = expectedReceipts(true);
    writeBytes(path, before);
    writeBytes(fx.folder.filePath(QStringLiteral("Other.2x2")), expectedReceipts(false).replace("10 X 10", "2 X 2"));
    f.openBrowser();
    BrowserForm &b = f.browser();
    const auto open = [&](const QString &name) {
        QVERIFY(b.fileList.choose(int(b.fileList.items().indexOf(name))));
        fx.dialogs.answers = {QStringLiteral("Yes")};
        b.openButton.click();
        fx.settle();
    };
    const auto print = [&](const QString &pages) {
        f.printButton.click();
        f.printForm.pageField.setText(pages);
        f.printForm.printButton.click();
        fx.settle();
    };
    open(QStringLiteral("Receipts.10x10"));
    print(QStringLiteral("2"));
    const QString moved = f.doc.startNumber.text();
    QCOMPARE(moved, QStringLiteral("21"));
    const QList<QByteArray> was = before.split('\n'), now = fileBytes(path).split('\n');
    QCOMPARE(now.size(), was.size());
    for (int i = 0; i < was.size(); ++i) {
        if (i + 1 == 8)
            QCOMPARE(now[i], QByteArray("Counter 00 =21\r"));
        else if (i + 1 >= 43 && i + 1 <= 54)
            QCOMPARE(now[i], was[i].left(12) + f.doc.slot(i - 41).counter.text().toLatin1() + '\r');
        else
            QCOMPARE(now[i], was[i]);
    }
    // Another layout and back: the file continues the numbering.
    open(QStringLiteral("Other.2x2"));
    QCOMPARE(f.doc.startNumber.text(), QStringLiteral("1"));
    open(QStringLiteral("Receipts.10x10"));
    QCOMPARE(f.doc.startNumber.text(), moved);

    // A file that is no longer a layout is not written; the operator is told
    // which file and where the numbering goes on from.
    writeBytes(path, "notes\n");
    fx.dialogs.answers = {QStringLiteral("OK")};
    print(QStringLiteral("1"));
    QCOMPARE(fileBytes(path), QByteArray("notes\n"));
    QVERIFY(fx.dialogs.asked.last().contains(path));
    QVERIFY(fx.dialogs.asked.last().contains(QStringLiteral("continue from 31")));

    // A layout with no file is printed and nothing is written.
    f.doc.filePath.clear();
    print(QStringLiteral("1"));
    QCOMPARE(fileBytes(path), QByteArray("notes\n"));
    QCOMPARE(QDir(fx.folder.path()).entryList(QDir::Files),
             (QStringList{QStringLiteral("Other.2x2"), QStringLiteral("Receipts.10x10")}));
}

void TestLayoutFiles::startContinuesTheSessionFilesNumbering_data()
{
    // What the file the session names holds now; the session says 7.
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("keepsFile");
    QTest::newRow("moved on by another program")
        << expectedReceipts(false).replace("Counter 00 =1\r", "Counter 00 =500\r") << QStringLiteral("500") << true;
    QTest::newRow("gone") << QByteArray() << QStringLiteral("7") << false;
    QTest::newRow("no longer a layout") << QByteArray("notes\n") << QStringLiteral("7") << false;
}

void TestLayoutFiles::startContinuesTheSessionFilesNumbering()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, start);
    QFETCH(bool, keepsFile);
    FormFixture fx;
    const QString path = fx.dir.filePath(QStringLiteral("X.10x10"));
    if (!content.isEmpty())
        writeBytes(path, content);
    fx.settings.saveSetting(session::appName(), session::sectionName(), session::fieldKey(8), QStringLiteral("7"));
    fx.settings.saveSetting(session::appName(), session::sectionName(), session::layoutFileKey(), path);
    fx.start();
    QCOMPARE(fx.form->doc.startNumber.text(), start);
    QCOMPARE(fx.form->doc.filePath, keepsFile ? path : QString());
    QCOMPARE(fileBytes(path), content);
}

void TestLayoutFiles::twoProgramsKeepEachOthersNumbering_data()
{
    // What program A shows: the session's own layout or a layout file; what
    // program B does: print another layout file, or nothing at all.
    QTest::addColumn<bool>("aFromFile");
    QTest::addColumn<bool>("bPrints");
    QTest::addColumn<bool>("aExitsFirst");
    for (const bool aFromFile : {false, true})
        for (const bool bPrints : {true, false})
            for (const bool aFirst : {true, false})
                QTest::addRow("A %s, B %s, %s exits first", aFromFile ? "file" : "session",
                              bPrints ? "prints a file" : "idle", aFirst ? "A" : "B")
                    << aFromFile << bPrints << aFirst;
}

void TestLayoutFiles::twoProgramsKeepEachOthersNumbering()
{
    QFETCH(bool, aFromFile);
    QFETCH(bool, bPrints);
    QFETCH(bool, aExitsFirst);
    // Two programs started on one session; each prints its own layout.
    MemorySettingsStore session;
    session.saveSetting(session::appName(), session::sectionName(), session::fieldKey(8), QStringLiteral("100"));
    FormFixture a, b;
    QTemporaryDir files;
    const auto layout = [&](const char *name, const QByteArray &start) {
        const QString path = files.filePath(QLatin1String(name));
        writeBytes(path, expectedReceipts(false).replace("Counter 00 =1\r", "Counter 00 =" + start + '\r'));
        return path;
    };
    const QString x = layout("X.10x10", "500"), y = layout("Y.10x10", "900");
    for (FormFixture *fx : {&a, &b}) {
        fx->useSettings = &session;
        fx->printer.setPrinters({QStringLiteral("Laser")});
        fx->start();
    }
    const auto open = [](FormFixture &fx, const QString &path) {
        fx.dialogs.answers = {QStringLiteral("Yes")};
        fx.form->browser().openFile(path);
        fx.settle();
        QCOMPARE(fx.form->doc.filePath, path);
    };
    const auto print = [](FormFixture &fx, const char *pages) {
        fx.form->printButton.click();
        fx.form->printForm.pageField.setText(QLatin1String(pages));
        fx.form->printForm.printButton.click();
        fx.settle();
    };
    if (aFromFile)
        open(a, x);
    print(a, "3");
    const QString aMoved = a.form->doc.startNumber.text();
    QVERIFY(aMoved != (aFromFile ? QStringLiteral("500") : QStringLiteral("100")));
    if (bPrints) {
        open(b, y);
        print(b, "2");
        QCOMPARE(b.form->doc.startNumber.text(), QStringLiteral("920"));
    }
    const std::array<FormFixture *, 2> exits = aExitsFirst ? std::array{&a, &b} : std::array{&b, &a};
    for (FormFixture *fx : exits) {
        fx->form->doc.modified = 0;
        QVERIFY(fx->form->exitProgram());
    }
    QVERIFY(a.dialogs.answers.empty() && b.dialogs.answers.empty());

    // Every file holds its own moved numbering, and the next start
    // continues whichever layout the session kept from where it stands.
    const auto fileStart = [](const QString &path) { return fileBytes(path).split('\r').value(7).mid(13); };
    QCOMPARE(fileStart(x), aFromFile ? QByteArray("530") : QByteArray("500"));
    QCOMPARE(fileStart(y), bPrints ? QByteArray("920") : QByteArray("900"));
    FormFixture next;
    next.useSettings = &session;
    next.start();
    const QString kept = next.form->doc.filePath;
    if (kept.isEmpty()) {
        // A session layout's numbering is in the session alone: neither B's
        // session nor an older copy of it may have replaced A's moved one.
        QCOMPARE(next.form->doc.startNumber.text(), aFromFile ? QStringLiteral("100") : aMoved);
    } else {
        QVERIFY2(aFromFile && (kept == x || kept == y), qPrintable(kept));
        QCOMPARE(next.form->doc.startNumber.text().toLatin1(), fileStart(kept));
    }
}

// Microsoft's table for the bytes 0x80..0xFF of code page 1256; the bytes
// below are ASCII. These are the characters the bytes of a layout file mean.
static const char16_t kCp1256High[128] = {
    0x20AC, 0x067E, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0679, 0x2039, 0x0152,
    0x0686, 0x0698, 0x0688, 0x06AF, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x06A9, 0x2122,
    0x0691, 0x203A, 0x0153, 0x200C, 0x200D, 0x06BA, 0x00A0, 0x060C, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x06BE, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF, 0x00B0, 0x00B1, 0x00B2, 0x00B3,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x061B, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x061F, 0x06C1,
    0x0621, 0x0622, 0x0623, 0x0624, 0x0625, 0x0626, 0x0627, 0x0628, 0x0629, 0x062A, 0x062B, 0x062C, 0x062D,
    0x062E, 0x062F, 0x0630, 0x0631, 0x0632, 0x0633, 0x0634, 0x0635, 0x0636, 0x00D7, 0x0637, 0x0638, 0x0639,
    0x063A, 0x0640, 0x0641, 0x0642, 0x0643, 0x00E0, 0x0644, 0x00E2, 0x0645, 0x0646, 0x0647, 0x0648, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x0649, 0x064A, 0x00EE, 0x00EF, 0x064B, 0x064C, 0x064D, 0x064E, 0x00F4,
    0x064F, 0x0650, 0x00F7, 0x0651, 0x00F9, 0x0652, 0x00FB, 0x00FC, 0x200E, 0x200F, 0x06D2,
};

void TestLayoutFiles::everyByteRoundTripsThroughTheCodePage()
{
    QByteArray all;
    QString expected;
    for (int b = 0; b <= 0xFF; ++b) {
        all.append(char(b));
        expected.append(QChar(b < 0x80 ? char16_t(b) : kCp1256High[b - 0x80]));
    }
    const QString decoded = fromWindows1256(all);
    QCOMPARE(decoded.size(), all.size());
    for (int b = 0; b <= 0xFF; ++b) {
        const QString what = QStringLiteral("byte 0x%1: U+%2, want U+%3")
                                 .arg(b, 2, 16, QLatin1Char('0'))
                                 .arg(int(decoded[b].unicode()), 4, 16, QLatin1Char('0'))
                                 .arg(int(expected[b].unicode()), 4, 16, QLatin1Char('0'));
        QVERIFY2(decoded[b] == expected[b], qPrintable(what));
        QVERIFY2(toWindows1256(QString(expected[b])) == QByteArray(1, char(b)), qPrintable(what));
    }
    QCOMPARE(toWindows1256(expected), all);
    // The start-up check agrees with the table: this Qt has the code page.
    QCOMPARE(windows1256Problem(), QString());
}

void TestLayoutFiles::charactersOutsideTheCodePageBecomeQuestionMarks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("accented letter") << QStringLiteral("a\u00E1b") << QByteArray("a?b");
    QTest::newRow("presentation form") << QStringLiteral("\uFE8D\u0627") << QByteArray("?\xC7");
    // Characters a converter may treat as ignorable still leave their mark.
    QTest::newRow("grapheme joiner") << QStringLiteral("x\u034Fy") << QByteArray("x?y");
    QTest::newRow("Arabic letter mark") << QStringLiteral("x\u061Cy") << QByteArray("x?y");
    // One mark per UTF-16 unit.
    QTest::newRow("outside the BMP") << QString::fromUtf16(u"1\U0001F600 2") << QByteArray("1?? 2");
    QTest::newRow("lone surrogate") << (QStringLiteral("x") + QChar(char16_t(0xD800)) + QStringLiteral("y"))
                                    << QByteArray("x?y");
}

void TestLayoutFiles::charactersOutsideTheCodePageBecomeQuestionMarks()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toWindows1256(text), bytes);
}

QTEST_GUILESS_MAIN(TestLayoutFiles)
#include "tst_layoutfiles.moc"
