#include "FormFixture.h"
#include "app/MainForm.h"
#include "layout/LayoutDocument.h"

#include <QDir>
#include <QTest>

using namespace numora;

class TestStartUp : public QObject
{
    Q_OBJECT

    static void store(test::FormFixture &fx, const QString &key, const QString &value)
    {
        fx.settings.saveSetting(MainForm::appName(), MainForm::sectionName(), key, value);
    }
    static QString stored(test::FormFixture &fx, const QString &key)
    {
        return fx.settings.getSetting(MainForm::appName(), MainForm::sectionName(), key);
    }
    static QVariant property(MainForm &f, const QString &control, const QString &name)
    {
        Control *c = f.control(control);
        if (!c)
            qFatal("no control %s", qPrintable(control));
        return c->get(name);
    }
    static QStringList layoutFiles(test::FormFixture &fx) { return QDir(fx.folder.path()).entryList(QDir::Files); }

private slots:
    void storedPositionComesBack_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("topText");
        QTest::addColumn<QString>("leftText");
        QTest::addColumn<int>("topValue");
        QTest::addColumn<int>("leftValue");
        QTest::newRow("page edge") << "2970"
                                   << "2100"
                                   << "29.7"
                                   << "21" << 2970 << 2100;
        QTest::newRow("just inside the edge") << "2961"
                                              << "2091"
                                              << "29.61"
                                              << "20.91" << 2961 << 2091;
        QTest::newRow("smallest") << "10"
                                  << "10"
                                  << "0.1"
                                  << "0.1" << 10 << 10;
        QTest::newRow("inside") << "1525"
                                << "1525"
                                << "15.25"
                                << "15.25" << 1525 << 1525;
        QTest::newRow("design place") << "2850"
                                      << "1850"
                                      << "28.5"
                                      << "18.5" << 2850 << 1850;
        // Beyond what an edit accepts: limited as an edit would be.
        QTest::newRow("beyond the edge") << "5000"
                                         << "2500"
                                         << "29.7"
                                         << "21" << 2970 << 2100;
        QTest::newRow("zero") << "0"
                              << "0"
                              << "0.1"
                              << "0.1" << 10 << 10;
        QTest::newRow("negative") << "-3"
                                  << "-300"
                                  << "0.1"
                                  << "0.1" << 10 << 10;
        QTest::newRow("exponent form") << "1e+300"
                                       << "-1e300"
                                       << "29.7"
                                       << "0.1" << 2970 << 10;
        QTest::newRow("no number keeps the design place") << "abc"
                                                          << ""
                                                          << "28.5"
                                                          << "18.5" << 2850 << 1850;
    }
    void storedPositionComesBack()
    {
        QFETCH(QString, top);
        QFETCH(QString, left);
        QFETCH(QString, topText);
        QFETCH(QString, leftText);
        QFETCH(int, topValue);
        QFETCH(int, leftValue);
        // A slot shown by the grid and one beyond it, on a session that is
        // not a first run (a first run places the slots itself).
        for (const int n : {1, 12}) {
            test::FormFixture fx;
            store(fx, QStringLiteral("Number13"), QStringLiteral("4"));
            store(fx, QStringLiteral("Number2_%1").arg(n), top);
            store(fx, QStringLiteral("Number3_%1").arg(n), left);
            MainForm &f = fx.start();
            SignSlot &s = f.doc.slot(n);
            QCOMPARE(s.topCm.text(), topText);
            QCOMPARE(s.leftCm.text(), leftText);
            QCOMPARE(s.topScroll.value(), topValue);
            QCOMPARE(s.leftScroll.value(), leftValue);

            // The next run reads what this one writes.
            QVERIFY(f.exitProgram());
            QCOMPARE(stored(fx, QStringLiteral("Number2_%1").arg(n)), QString::number(topValue));
            QCOMPARE(stored(fx, QStringLiteral("Number3_%1").arg(n)), QString::number(leftValue));
        }
    }

    void gridTypeFallsBack_data()
    {
        QTest::addColumn<QString>("stored"); // empty: the key is missing
        QTest::addColumn<QString>("gridText");
        QTest::addColumn<QString>("tag");
        QTest::newRow("missing") << QString() << "2 X 2"
                                 << "2x2";
        QTest::newRow("not in the list") << "7 X 7"
                                         << "2 X 2"
                                         << "2x2";
        QTest::newRow("no grid at all") << "abc"
                                        << "2 X 2"
                                        << "2x2";
        QTest::newRow("listed") << "4 X 4"
                                << "4 X 4"
                                << "4x4";
        QTest::newRow("listed, largest") << "12 X 12"
                                         << "12 X 12"
                                         << "12x12";
    }
    void gridTypeFallsBack()
    {
        QFETCH(QString, stored);
        QFETCH(QString, gridText);
        QFETCH(QString, tag);
        test::FormFixture fx;
        if (!stored.isEmpty())
            store(fx, QStringLiteral("Number2"), stored);
        MainForm &f = fx.start();
        QCOMPARE(f.doc.gridType.text(), gridText);
        QCOMPARE(f.doc.typeTag, tag);

        // A save from such a start writes a file the browser lists.
        fx.dialogs.answers = {QStringLiteral("Yes"), QStringLiteral("Shop")};
        f.saveButton.click();
        QCOMPARE(layoutFiles(fx), QStringList{QStringLiteral("Shop.") + tag});
    }

    void noFileWithoutType_data()
    {
        QTest::addColumn<bool>("onExit");
        QTest::newRow("save") << false;
        QTest::newRow("exit") << true;
    }
    void noFileWithoutType()
    {
        QFETCH(bool, onExit);
        test::FormFixture fx;
        MainForm &f = fx.start();
        f.doc.typeTag.clear();
        f.doc.modified = 1;
        fx.dialogs.answers = {QStringLiteral("Yes"), QStringLiteral("OK")};
        if (onExit)
            QVERIFY(!f.exitProgram()); // the layout is not on disk: stay
        else
            f.saveButton.click();
        QVERIFY(fx.dialogs.answers.empty());
        // The operator was told, and asked no name for a file never written.
        QVERIFY(fx.dialogs.asked.last().contains(QLatin1String("grid type")));
        QVERIFY(!fx.dialogs.asked.join(QLatin1Char('\n')).contains(QLatin1String("Type Name of Document")));
        QCOMPARE(layoutFiles(fx), QStringList{});
    }

    void storedValueMeetsEditRule_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("expected"); // invalid: as a start without the value
        // The font size field and the sample (which the print copies) agree.
        for (const char *c : {"Comb1", "La5"}) {
            const QString name =
                QLatin1String(c) == QLatin1String("Comb1") ? QStringLiteral("text") : QStringLiteral("fontsize");
            const auto row = [&](const char *tag, const char *stored, const QVariant &fieldValue,
                                 const QVariant &sampleValue) {
                QTest::addRow("size %s, %s", tag, c)
                    << "Number12" << stored << c << name
                    << (QLatin1String(c) == QLatin1String("Comb1") ? fieldValue : sampleValue);
            };
            row("5000", "5000", QStringLiteral("200"), 200.0);
            row("201", "201", QStringLiteral("200"), 200.0);
            row("200", "200", QStringLiteral("200"), 200.0);
            row("14", "14", QStringLiteral("14"), 14.0);
            row("0", "0", QStringLiteral("1"), 1.0);
            // No size the sample can take: the sample keeps its design size.
            const QVariant designSize = LayoutDocument().sampleLabel.get(QStringLiteral("fontsize"));
            row("-3", "-3", QStringLiteral("-3"), designSize);
            row("abc", "abc", QStringLiteral("abc"), designSize);
        }
        // Alignment: the scroll bar's range.
        QTest::addRow("alignment 2") << "Number9"
                                     << "2"
                                     << "HScroll1"
                                     << "value" << QVariant(2);
        QTest::addRow("alignment 5") << "Number9"
                                     << "5"
                                     << "HScroll1"
                                     << "value" << QVariant();
        QTest::addRow("alignment -1") << "Number9"
                                      << "-1"
                                      << "HScroll1"
                                      << "value" << QVariant();
        // Zero padding width: only the list's widths.
        QTest::addRow("padding 3") << "Number11"
                                   << "3"
                                   << "Te2"
                                   << "text" << QVariant(QStringLiteral("3"));
        QTest::addRow("padding 9") << "Number11"
                                   << "9"
                                   << "Te2"
                                   << "text" << QVariant();
        // Way of printing: only the list's ways.
        QTest::addRow("way listed") << "Number5"
                                    << "4 - To Down Step Step"
                                    << "WayPrint"
                                    << "text" << QVariant(QStringLiteral("4 - To Down Step Step"));
        QTest::addRow("way unknown") << "Number5"
                                     << "9 - Sideways"
                                     << "WayPrint"
                                     << "text" << QVariant();
        // Check boxes: 0 to 2.
        QTest::addRow("bold 1") << "Number15"
                                << "1"
                                << "ChB1"
                                << "value" << QVariant(1);
        QTest::addRow("bold 7") << "Number15"
                                << "7"
                                << "ChB1"
                                << "value" << QVariant();
    }
    void storedValueMeetsEditRule()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(QVariant, expected);
        if (!expected.isValid()) {
            // What a start without the stored value shows.
            test::FormFixture plain;
            expected = property(plain.start(), control, name);
        }
        test::FormFixture fx;
        store(fx, key, stored);
        MainForm &f = fx.start();
        QCOMPARE(property(f, control, name).toString(), expected.toString());
    }
};

QTEST_GUILESS_MAIN(TestStartUp)
#include "tst_startup.moc"
