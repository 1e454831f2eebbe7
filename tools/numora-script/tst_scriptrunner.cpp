// The script runner's own faults: how lines are split and values printed,
// how checks count, and that every malformed or impossible script stops with
// its file and line instead of running on or crashing.
#include "testsupport/RecordingPrinter.h"
#include "ScriptRunner.h"
#include "ScriptText.h"
#include "testsupport/ScriptedDialogs.h"

#include <QTest>

using namespace numora;
using namespace numora::script;

namespace {

// Runs one script text and keeps what it printed.
struct Run
{
    QStringList out;
    ScriptRunner runner{[this](const QString &l) { out << l; }};
    bool ok = false;

    explicit Run(const QByteArray &script) { ok = runner.runText(QStringLiteral("t.script"), script); }
    QString last() const { return out.isEmpty() ? QString() : out.last(); }
};

// The lines every script about Start1 starts with.
const QByteArray kStart = "measure 100 240\nfonts Arial\nstart\nsettle\n";

} // namespace

class TestScriptRunner : public QObject
{
    Q_OBJECT
private slots:
    void splitWords_data();
    void splitWords();
    void splitErrors_data();
    void splitErrors();
    void printedValues();

    void checksCountAndReport();
    void numbersAndTextsCompare();
    void scriptErrorsStop_data();
    void scriptErrorsStop();
    void operatorReachesOnlyWhatIsShown();
    void storeAndFiles();
    void printSequence();

    void dialogsAnswerInOrder();
    void dialogsRefuseWrongAnswers();
    void dialogScriptFailures();
};

void TestScriptRunner::splitWords_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QList<bool>>("quoted");
    QTest::newRow("blanks and tabs") << QStringLiteral("  expect\tTe1.text   5 ")
                                     << QStringList{QStringLiteral("expect"), QStringLiteral("Te1.text"),
                                                    QStringLiteral("5")}
                                     << QList<bool>{false, false, false};
    QTest::newRow("quoted blanks") << QStringLiteral("type Co1 \"N o \"")
                                   << QStringList{QStringLiteral("type"), QStringLiteral("Co1"), QStringLiteral("N o ")}
                                   << QList<bool>{false, false, true};
    QTest::newRow("empty quoted") << QStringLiteral("choose Co1 \"\"")
                                  << QStringList{QStringLiteral("choose"), QStringLiteral("Co1"), QString()}
                                  << QList<bool>{false, false, true};
    QTest::newRow("escapes") << QStringLiteral(R"(x "a\"b\\c\r\n\t")")
                             << QStringList{QStringLiteral("x"), QStringLiteral("a\"b\\c\r\n\t")}
                             << QList<bool>{false, true};
    // \xC7 is ALEF in the layout files' code page, \x80 the euro sign.
    QTest::newRow("code page byte") << QStringLiteral(R"(x "\xC7\x80\x41")")
                                    << QStringList{QStringLiteral("x"), QString::fromUtf16(u"\u0627\u20AC"
                                                                                           "A")}
                                    << QList<bool>{false, true};
    QTest::newRow("code point") << QStringLiteral(R"(x "\u0698\u0645")")
                                << QStringList{QStringLiteral("x"), QString::fromUtf16(u"\u0698\u0645")}
                                << QList<bool>{false, true};
    QTest::newRow("backslash bare") << QStringLiteral(R"(x a\b)")
                                    << QStringList{QStringLiteral("x"), QStringLiteral("a\\b")}
                                    << QList<bool>{false, false};
    QTest::newRow("hash inside") << QStringLiteral("choose Te2 #3")
                                 << QStringList{QStringLiteral("choose"), QStringLiteral("Te2"), QStringLiteral("#3")}
                                 << QList<bool>{false, false, false};
    QTest::newRow("comment") << QStringLiteral("   # type Te1 5") << QStringList{} << QList<bool>{};
    QTest::newRow("blank line") << QStringLiteral(" \t ") << QStringList{} << QList<bool>{};
}

void TestScriptRunner::splitWords()
{
    QFETCH(QString, line);
    QFETCH(QStringList, words);
    QFETCH(QList<bool>, quoted);
    const SplitLine s = splitLine(line);
    QVERIFY2(s.error.isEmpty(), qPrintable(s.error));
    QStringList texts;
    QList<bool> q;
    for (const Word &w : s.words) {
        texts << w.text;
        q << w.quoted;
    }
    QCOMPARE(texts, words);
    QCOMPARE(q, quoted);
}

void TestScriptRunner::splitErrors_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    QTest::newRow("unclosed") << QStringLiteral("type Te1 \"12") << QStringLiteral("not closed");
    QTest::newRow("quote in word") << QStringLiteral("type Te1 1\"2\"") << QStringLiteral("quote inside");
    QTest::newRow("text after quote") << QStringLiteral("type Te1 \"1\"2") << QStringLiteral("blank must follow");
    QTest::newRow("unknown escape") << QStringLiteral(R"(type Te1 "\q")") << QStringLiteral("unknown escape");
    QTest::newRow("short \\x") << QStringLiteral(R"(type Te1 "\x4")") << QStringLiteral("two hex digits");
    QTest::newRow("bad \\u") << QStringLiteral(R"(type Te1 "\u06G8")") << QStringLiteral("four hex digits");
    QTest::newRow("trailing backslash") << QStringLiteral("type Te1 \"12\\") << QStringLiteral("backslash at the end");
}

void TestScriptRunner::splitErrors()
{
    QFETCH(QString, line);
    QFETCH(QString, message);
    const SplitLine s = splitLine(line);
    QVERIFY2(s.error.contains(message), qPrintable(s.error));
}

void TestScriptRunner::printedValues()
{
    const auto shown = [](const QVariant &v) { return formatValue(v).value_or(QStringLiteral("(none)")); };
    QCOMPARE(shown(true), QStringLiteral("1"));
    QCOMPARE(shown(false), QStringLiteral("0"));
    QCOMPARE(shown(7837.5), QStringLiteral("7837.5"));
    QCOMPARE(shown(28.0), QStringLiteral("28"));
    QCOMPARE(shown(qint32(-2147483630)), QStringLiteral("-2147483630"));
    QCOMPARE(shown(QStringLiteral("2 - Down to Up ")), QStringLiteral("\"2 - Down to Up \""));
    // Escapes read back by the splitter; invisible marks are spelled out.
    const QString odd = QStringLiteral("a\"\\\r\n\t") + QChar(0x01) + QChar(0x200F) + QChar(0x0627);
    const QString printed = shown(odd);
    QCOMPARE(printed, QStringLiteral(R"("a\"\\\r\n\t\x01\u200F)") + QChar(0x0627) + QLatin1Char('"'));
    QCOMPARE(splitLine(printed).words.value(0).text, odd);
    QVERIFY(!formatValue(QVariant()));
}

void TestScriptRunner::checksCountAndReport()
{
    Run r(kStart
          + "expect Te1.text 1\n"
            "expect Te1.text 2\n"
            "print La5.caption\n"
            "expect Start1.modified 0\n");
    QVERIFY(!r.ok);
    QCOMPARE(r.runner.passed(), 2);
    QCOMPARE(r.runner.failed(), 1);
    QCOMPARE(r.out, (QStringList{QStringLiteral("FAIL t.script:6: Te1.text is \"1\", expected \"2\""),
                                 QStringLiteral("La5.caption = \"No:000001\"")}));
    // Counts run on over further scripts; a clean script alone is fine.
    QVERIFY(r.runner.runText(QStringLiteral("u.script"), kStart + "expect Te2.text 6\n"));
    QCOMPARE(r.runner.summary(), QStringLiteral("3 passed, 1 failed"));
    QVERIFY(!r.runner.allHeld());
}

void TestScriptRunner::numbersAndTextsCompare()
{
    // A number property compares numerically, a text property exactly.
    Run r(kStart
          + "expect Check1.value 1.0\n"
            "expect Test1.left 550.00\n"
            "expect Check1.enabled 1\n"
            "expect Te2.text 6.0\n"
            "expect Check1.value one\n");
    QCOMPARE(r.runner.passed(), 3);
    QCOMPARE(r.runner.failed(), 2);
    QCOMPARE(r.out.value(0), QStringLiteral("FAIL t.script:8: Te2.text is \"6\", expected \"6.0\""));
    QCOMPARE(r.out.value(1), QStringLiteral("FAIL t.script:9: Check1.value is 1, expected one"));
}

void TestScriptRunner::scriptErrorsStop_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("error");
    const QByteArray s = kStart;
    // Line 5 is the first after the four lines of kStart.
    QTest::newRow("unknown command") << s + "frobnicate Te1\n"
                                     << QStringLiteral("ERROR t.script:5: unknown command \"frobnicate\"");
    QTest::newRow("quoted command") << s + "\"type\" Te1 5\n"
                                    << QStringLiteral("ERROR t.script:5: unknown command \"type\"");
    QTest::newRow("usage") << s + "type Te1\n" << QStringLiteral("ERROR t.script:5: usage: type CONTROL TEXT");
    QTest::newRow("unknown control") << s + "type Te9 5\n"
                                     << QStringLiteral("ERROR t.script:5: Start1 has no control \"Te9\"");
    QTest::newRow("unknown array member") << s + "print Test0(12).caption\n"
                                          << QStringLiteral("ERROR t.script:5: Start1 has no control \"Test0(12)\"");
    QTest::newRow("unknown property") << s + "expect Te1.caption 1\n"
                                      << QStringLiteral("ERROR t.script:5: Te1 (TextBox) has no property \"caption\"");
    QTest::newRow("unknown state") << s + "expect Start1.frobbed 1\n"
                                   << QStringLiteral("ERROR t.script:5: Start1 has no state \"frobbed\"");
    QTest::newRow("no property")
        << s + "expect Te1 1\n"
        << QStringLiteral("ERROR t.script:5: \"Te1\" is not a property (write CONTROL.PROPERTY or FORM.STATE)");
    QTest::newRow("unknown window") << s + "print Nope1.Te1.text\n"
                                    << QStringLiteral("ERROR t.script:5: unknown window \"Nope1\" in Nope1.Te1.text");
    QTest::newRow("item out of range") << s + "print Te2.list(8)\n"
                                       << QStringLiteral(
                                              "ERROR t.script:5: Te2.list(8) has no value (an index out of range?)");
    QTest::newRow("bad quote") << s + "type Te1 \"5\n"
                               << QStringLiteral("ERROR t.script:5: the quote opened at column 10 is not closed");
    QTest::newRow("not UTF-8") << s + "type Te1 \"\xff\"\n"
                               << QStringLiteral("ERROR t.script:5: the line is not valid UTF-8");
    QTest::newRow("set-up after start") << s + "store Number1 x\n"
                                        << QStringLiteral(
                                               "ERROR t.script:5: `store` is set-up and must come before `start`");
    QTest::newRow("start twice") << s + "start\n"
                                 << QStringLiteral("ERROR t.script:5: the windows were started already");
    QTest::newRow("action before start") << QByteArray(
        "type Te1 5\n") << QStringLiteral("ERROR t.script:1: `type` needs the windows: put `start` before it");
    QTest::newRow("not a number") << QByteArray("measure wide 240\n")
                                  << QStringLiteral(
                                         "ERROR t.script:1: the width per character must be a number, not \"wide\"");
    QTest::newRow("bad clock")
        << QByteArray("clock 25:00:00 2024-01-01\n")
        << QStringLiteral("ERROR t.script:1: the clock is written HH:MM:SS YYYY-MM-DD, not 25:00:00 2024-01-01");
    QTest::newRow("no such item") << s + "choose Combo1 Z\n"
                                  << QStringLiteral("ERROR t.script:5: Combo1 has no item \"Z\"");
    QTest::newRow("position beyond")
        << s + "choose Te2 #8\n"
        << QStringLiteral("ERROR t.script:5: the position must be a whole number from 0 to 7, not \"8\"");
    QTest::newRow("scroll out of range")
        << s + "scroll HScroll1 3\n"
        << QStringLiteral("ERROR t.script:5: the scroll value must be a whole number from 0 to 2, not \"3\"");
    QTest::newRow("select beyond") << s + "select Te1 0 2\n"
                                   << QStringLiteral(
                                          "ERROR t.script:5: the length must be a whole number from 0 to 1, not \"2\"");
    QTest::newRow("type into a scroll bar")
        << s + "type HScroll1 1\n"
        << QStringLiteral("ERROR t.script:5: HScroll1 is a ScrollBar, not a text box or combo box");
    QTest::newRow("choose on a label") << s + "choose La5 x\n"
                                       << QStringLiteral("ERROR t.script:5: La5 is a Label, not a list");
    QTest::newRow("set a bool by word") << s + "set Te1.enabled yes\n"
                                        << QStringLiteral(
                                               "ERROR t.script:5: a true/false value is written 1 or 0, not \"yes\"");
    QTest::newRow("set a number by word")
        << s + "set HScroll1.value two\n"
        << QStringLiteral("ERROR t.script:5: the value must be a number, not \"two\"");
    QTest::newRow("mouse action") << s + "mouse press Picture2 1 1\n"
                                  << QStringLiteral("ERROR t.script:5: usage: mouse down|move|up CONTROL X Y [BUTTON]");
    QTest::newRow("mouse on a hidden window")
        << s + "mouse move Prnt1 1 1 0\n"
        << QStringLiteral("ERROR t.script:5: the window Prnt1 is not shown: the operator cannot reach it");
    QTest::newRow("file path") << QByteArray("file ../x.2x2 text\n")
                               << QStringLiteral("ERROR t.script:1: ../x.2x2 is not a plain file name");
    QTest::newRow("unknown current printer")
        << QByteArray("printers PDF Laser\nprinter Ink\n")
        << QStringLiteral("ERROR t.script:2: \"Ink\" is not one of the printers set with `printers`");
    QTest::newRow("printer fails where") << QByteArray("printer-fails middle jam\n")
                                         << QStringLiteral("ERROR t.script:1: usage: printer-fails start|end TEXT");
    QTest::newRow("About not open") << s + "expect About1.Label2.caption x\n"
                                    << QStringLiteral("ERROR t.script:5: the window About1 is not loaded");
    QTest::newRow("background of a hidden window")
        << s + "click R00\nmouse move Start1 1 1 0\n"
        << QStringLiteral("ERROR t.script:6: the window Start1 is not shown: the operator cannot reach it");
    QTest::newRow("configuration key")
        << QByteArray("config link x\n")
        << QStringLiteral("ERROR t.script:1: a configuration key is written SECTION/KEY, not \"link\"");
    QTest::newRow("browser not loaded") << s + "expect Save1.visible 0\n"
                                        << QStringLiteral("ERROR t.script:5: the window Save1 is not loaded");
}

void TestScriptRunner::scriptErrorsStop()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, error);
    // The error stops the script: the check after it does not run.
    Run r(script + "expect Te1.text 1\n");
    QVERIFY(!r.ok);
    QCOMPARE(r.runner.errors(), 1);
    QCOMPARE(r.runner.passed() + r.runner.failed(), 0);
    QCOMPARE(r.out, QStringList{error});
}

void TestScriptRunner::operatorReachesOnlyWhatIsShown()
{
    // Padding off disables the width list: the operator cannot choose in it,
    // the program can still write it.
    Run r(kStart
          + "click Check1\n"
            "set Te2.text 3\n"
            "expect Te2.text 3\n"
            "choose Te2 4\n");
    QCOMPARE(r.runner.passed(), 1);
    QCOMPARE(r.last(), QStringLiteral("ERROR t.script:8: Te2 is disabled: the operator cannot reach it"));
    Run hidden(kStart + "click D1\n");
    QCOMPARE(hidden.last(), QStringLiteral("ERROR t.script:5: D1 is hidden: the operator cannot reach it"));
    // The print dialog exists but is not shown.
    Run closed(kStart + "type Prnt1.Te1 5\n");
    QCOMPARE(closed.last(),
             QStringLiteral("ERROR t.script:5: the window Prnt1 is not shown: the operator cannot reach Prnt1.Te1"));
}

void TestScriptRunner::storeAndFiles()
{
    // Texts go in and come out through the layout files' code page.
    Run r("store Number1 \"Nr \\u0627\"\n"
          "store Number2 x\n"
          "store Number2\n"
          "file a.2x2 \"\\u0627\\xC7\\r\\n\"\n"
          "expect-store Number1 \"Nr \\u0627\"\n"
          "expect-store Number2\n"
          "expect-file a.2x2 \"\\xC7\\u0627\\r\\n\"\n"
          "expect-no-file b.2x2\n"
          "print store Number1\n"
          "print store Number2\n"
          "print file a.2x2\n"
          "expect-store Number1 \"Nr\"\n"
          "expect-no-file a.2x2\n"
          "expect-file b.2x2 x\n");
    QCOMPARE(r.runner.passed(), 4);
    QCOMPARE(r.out,
             (QStringList{QString::fromUtf8("store Number1 = \"Nr \u0627\""), QStringLiteral("store Number2 = missing"),
                          QString::fromUtf8("file a.2x2 = \"\u0627\u0627\\r\\n\""),
                          QString::fromUtf8("FAIL t.script:12: store Number1 is \"Nr \u0627\", expected \"Nr\""),
                          QStringLiteral("FAIL t.script:13: file a.2x2 exists, expected none"),
                          QStringLiteral("FAIL t.script:14: file b.2x2 is missing, expected \"x\"")}));
}

void TestScriptRunner::printSequence()
{
    // A print run of two pages fills the sequence; every entry prints as
    // its own quoted line, in list order.
    Run r(kStart
          + "set No1.text 2\nset Tim2.interval 1\nsettle\n"
            "print sequence\nprint Lise1.listCount\nprint Lise1.list(0)\n");
    QVERIFY2(r.ok, qPrintable(r.out.join(QLatin1Char('\n'))));
    QVERIFY(r.out.size() >= 3);
    const int count = r.out.at(r.out.size() - 2).section(QStringLiteral(" = "), 1).toInt();
    QVERIFY(count > 0);
    QCOMPARE(r.out.size(), count + 2);
    QCOMPARE(QStringLiteral("Lise1.list(0) = ") + r.out.first(), r.out.last());
    for (int i = 0; i < count; ++i)
        QVERIFY(r.out.at(i).startsWith(QLatin1Char('"')) && r.out.at(i).endsWith(QLatin1Char('"')));
    // Before any run the sequence is empty: nothing printed.
    Run empty(kStart + "print sequence\n");
    QVERIFY(empty.ok);
    QVERIFY(empty.out.isEmpty());
}

void TestScriptRunner::dialogsAnswerInOrder()
{
    ScriptedDialogs d;
    QStringList sunk;
    d.setSink([&sunk](const QString &l) { sunk << l; });
    d.queue(QStringLiteral("No"));
    d.queue(QStringLiteral("Cancel"));
    d.queue(QStringLiteral("Cancel"), true);
    d.queue(QStringLiteral("-2147483630"));
    d.queue(QStringLiteral("OK"));
    QCOMPARE(d.message(QStringLiteral("Save?"), QStringLiteral("File: x.2x2"), Dialogs::Buttons::YesNoCancel),
             Dialogs::Answer::No);
    QCOMPARE(d.input(QStringLiteral("Name"), QStringLiteral("Save"), QStringLiteral("New")), QString());
    QCOMPARE(d.input(QStringLiteral("Name"), QStringLiteral("Save"), QString()), QStringLiteral("Cancel"));
    QCOMPARE(d.chooseColour(16777215).value_or(0), -2147483630);
    RecordingPrinter printer;
    QVERIFY(d.printerSetup(printer));
    QVERIFY(!d.hasFailure());
    QCOMPARE(d.asked(), 5);
    QCOMPARE(d.pending(), 0);
    const QStringList expected{QStringLiteral("ask: message \"Save?\" \"File: x.2x2\" YesNoCancel -> No"),
                               QStringLiteral("ask: input \"Name\" \"Save\" \"New\" -> Cancel"),
                               QStringLiteral("ask: input \"Name\" \"Save\" \"\" -> \"Cancel\""),
                               QStringLiteral("ask: color \"\" \"\" 16777215 -> -2147483630"),
                               QStringLiteral("ask: printer \"\" \"\" -> OK")};
    QCOMPARE(d.lines(), expected);
    QCOMPARE(sunk, expected);
}

void TestScriptRunner::dialogsRefuseWrongAnswers()
{
    // Each wrong answer is a failure, and the form gets the cautious answer.
    ScriptedDialogs d;
    d.queue(QStringLiteral("Cancel"));
    d.queue(QStringLiteral("yes"));
    d.queue(QStringLiteral("12abc"));
    d.queue(QStringLiteral("Yes"));
    QCOMPARE(d.message(QStringLiteral("Sure?"), QString(), Dialogs::Buttons::YesNo), Dialogs::Answer::No);
    QCOMPARE(d.message(QStringLiteral("Sure?"), QString(), Dialogs::Buttons::YesNoCancel), Dialogs::Answer::Cancel);
    QVERIFY(!d.chooseColour(0));
    RecordingPrinter printer;
    QVERIFY(!d.printerSetup(printer));
    QCOMPARE(d.message(QStringLiteral("Done"), QString(), Dialogs::Buttons::OK), Dialogs::Answer::OK);
    const QStringList failures = d.takeFailures();
    QCOMPARE(failures.size(), 5);
    QVERIFY(failures.at(0).contains(QLatin1String("\"Cancel\" is not a button")));
    QVERIFY(failures.at(2).contains(QLatin1String("not a colour value")));
    QVERIFY(failures.at(3).contains(QLatin1String("neither OK, Cancel nor an installed printer")));
    QVERIFY(failures.at(4).contains(QLatin1String("no answer queued")));
    QCOMPARE(d.lines().last(), QStringLiteral("ask: message \"Done\" \"\" OK -> (no answer)"));
    QVERIFY(!d.hasFailure());
}

void TestScriptRunner::dialogScriptFailures()
{
    // The Save command asks first; an answer for it prints the question.
    Run asked(kStart + "answer No\nclick Command3\nexpect-asked 1\nexpect-asked 0\n");
    QVERIFY(asked.ok);
    QVERIFY(
        asked.out.value(0).startsWith(QLatin1String("ask: message \"Do you Want to Save the Change Document...? ")));
    QVERIFY(asked.out.value(0).endsWith(QLatin1String(" YesNo -> No")));
    // No answer queued: the script stops at the command that asked.
    Run unanswered(kStart + "click Command3\nexpect Te1.text 1\n");
    QVERIFY(!unanswered.ok);
    QVERIFY(unanswered.last().startsWith(QLatin1String("ERROR t.script:5: a dialog was shown with no answer queued")));
    // An answer never asked for is reported at the line that queued it.
    Run leftover(kStart + "answer No\nanswer Yes\nclick Command3\n");
    QVERIFY(!leftover.ok);
    QCOMPARE(leftover.last(),
             QStringLiteral("ERROR t.script:6: the answer \"Yes\" was never asked for (1 answer(s) left)"));
    QCOMPARE(leftover.runner.errors(), 1);
}

QTEST_MAIN(TestScriptRunner)
#include "tst_scriptrunner.moc"
