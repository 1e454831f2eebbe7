#include "FormFixture.h"
#include "app/MainForm.h"
#include "layout/SessionKeys.h"
#include "platform/qt/QtSettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace numora;

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void everyKeyRoundTripsThroughTheFile();
    void missingKeysReadEmpty();
    void keyNamesAreExact();
    void missingRules_data();
    void missingRules();
    void nextStartRestoresTheLastSession();
};

void TestSettings::everyKeyRoundTripsThroughTheFile()
{
    QTemporaryDir dir;
    const QStringList keys = session::allKeys();
    // The filter, the fields, the positions, the counters, the layout's
    // file, and the two keys only read.
    QCOMPARE(keys.size(), 1 + 19 + 24 + 12 + 1 + 2);
    const QStringList samples = {QStringLiteral("الرقم:"),
                                 QStringLiteral("ژماره:"),
                                 QStringLiteral("2 - Down to Up "),
                                 QStringLiteral("-2147483630"),
                                 QStringLiteral(" padded "),
                                 QStringLiteral("a=b;c,d"),
                                 QString()};
    {
        QtSettingsStore store(dir.path());
        for (int i = 0; i < keys.size(); ++i)
            store.saveSetting(session::appName(), session::sectionName(), keys[i],
                              samples[i % samples.size()] + QString::number(i));
    }
    // A new store on the same folder reads what the first one wrote.
    QtSettingsStore again(dir.path());
    for (int i = 0; i < keys.size(); ++i)
        QCOMPARE(again.getSetting(session::appName(), session::sectionName(), keys[i]),
                 samples[i % samples.size()] + QString::number(i));
    QFile ini(again.fileName(session::appName()));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    QVERIFY(text.contains("[Settings]"));
    QVERIFY(text.contains("Number2_12="));
}

void TestSettings::missingKeysReadEmpty()
{
    QTemporaryDir dir;
    QtSettingsStore store(dir.path());
    QVERIFY(!store.contains(session::appName(), session::sectionName(), QStringLiteral("Number5")));
    QCOMPARE(store.getSetting(session::appName(), session::sectionName(), QStringLiteral("Number5")), QString());
    store.saveSetting(session::appName(), session::sectionName(), QStringLiteral("Number5"), QString());
    QVERIFY(store.contains(session::appName(), session::sectionName(), QStringLiteral("Number5")));
}

void TestSettings::keyNamesAreExact()
{
    QCOMPARE(session::fieldKey(10), QStringLiteral("Number10"));
    QCOMPARE(session::counterKey(12), QStringLiteral("Number0_12"));
    QCOMPARE(session::topKey(1), QStringLiteral("Number2_1"));
    QCOMPARE(session::leftKey(7), QStringLiteral("Number3_7"));
    QCOMPARE(session::layoutFileKey(), QStringLiteral("LayoutFile"));
    QCOMPARE(session::allKeys().first(), QStringLiteral("SaveFile"));
}

void TestSettings::missingRules_data()
{
    QTest::addColumn<QStringList>("stored"); // key=value pairs
    QTest::addColumn<QString>("check");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty store: name") << QStringList{} << QStringLiteral("1") << QStringLiteral("No:");
    QTest::newRow("empty store: first run border") << QStringList{} << QStringLiteral("6") << QStringLiteral("1");
    QTest::newRow("order present: empty name")
        << QStringList{QStringLiteral("Number5=3 - To Up Step Step")} << QStringLiteral("1") << QString();
    QTest::newRow("orientation present: border 0")
        << QStringList{QStringLiteral("Number13=6")} << QStringLiteral("6") << QString();
    QTest::newRow("grid type") << QStringList{} << QStringLiteral("2") << QStringLiteral("2 X 2");
    QTest::newRow("font") << QStringList{} << QStringLiteral("7") << QStringLiteral("Courier New (Arabic)");
    QTest::newRow("counter without digits")
        << QStringList{QStringLiteral("Number0_5=abc")} << QStringLiteral("c5") << QStringLiteral("0");
    QTest::newRow("counter with zeros") << QStringList{QStringLiteral("Number0_2=007")} << QStringLiteral("c2")
                                        << QStringLiteral("7");
    QTest::newRow("top restored exactly")
        << QStringList{QStringLiteral("Number2_3=2850")} << QStringLiteral("t3") << QStringLiteral("2850");
    QTest::newRow("top in exponent form")
        << QStringList{QStringLiteral("Number2_3=1e+300")} << QStringLiteral("t3") << QStringLiteral("1000000000");
    QTest::newRow("top not a number") << QStringList{QStringLiteral("Number2_3=x")} << QStringLiteral("t3")
                                      << QStringLiteral("none");
    QTest::newRow("colours kept when order present")
        << QStringList{QStringLiteral("Number5=1 - Up to Down")} << QStringLiteral("fore") << QStringLiteral("none");
    QTest::newRow("colour default") << QStringList{} << QStringLiteral("fore") << QStringLiteral("-2147483630");
}

void TestSettings::missingRules()
{
    QFETCH(QStringList, stored);
    QFETCH(QString, check);
    QFETCH(QString, expected);
    MemorySettingsStore store;
    for (const QString &kv : stored)
        store.saveSetting(session::appName(), session::sectionName(), kv.section(QLatin1Char('='), 0, 0),
                          kv.section(QLatin1Char('='), 1));
    const session::StartValues v = session::readStartValues(store);
    QString actual;
    if (check.startsWith(QLatin1Char('c')))
        actual = v.counters[check.mid(1).toInt() - 1];
    else if (check.startsWith(QLatin1Char('t')))
        actual = v.tops[check.mid(1).toInt() - 1] ? QString::number(*v.tops[check.mid(1).toInt() - 1])
                                                  : QStringLiteral("none");
    else if (check == QLatin1String("fore"))
        actual = v.foreColor ? QString::number(*v.foreColor) : QStringLiteral("none");
    else
        actual = v.fields[check.toInt()];
    QCOMPARE(actual, expected);
}

void TestSettings::nextStartRestoresTheLastSession()
{
    // What an exit writes, the next start-up brings back exactly: the
    // numbering continues where the last run stopped.
    test::FormFixture fx;
    MainForm &f = fx.start();
    f.doc.gridType.choose(QStringLiteral("4 X 4"));
    fx.settle();
    f.doc.wayPrint.choose(QStringLiteral("7 - Advanced Up to Down"));
    f.doc.nameText.setText(QStringLiteral("الرقم:"));
    f.doc.bracketBefore.choose(QStringLiteral("["));
    f.doc.alignLCR.setValue(2);
    f.doc.zeroPadWidth.choose(QStringLiteral("4"));
    f.doc.fontBold.toggle();
    f.doc.sampleLabel.setBackColor(255);
    f.doc.slot(3).topScroll.setValue(2345);
    f.doc.slot(4).leftScroll.setValue(1999);
    f.doc.slot(2).counter.setText(QStringLiteral("4711"));
    f.doc.startNumber.setText(QStringLiteral("900"));
    f.orientation.toggleOrientation();
    f.doc.modified = 0;
    QVERIFY(f.exitProgram());

    MainForm again(Services{fx.scheduler, *fx.measure, fx.dialogs, fx.settings, fx.clock,
                            [] { return QStringList{QStringLiteral("Arial")}; }, fx.folder, fx.printer});
    again.startUp();
    fx.settle();
    QCOMPARE(again.doc.gridType.text(), QStringLiteral("4 X 4"));
    QCOMPARE(again.doc.wayPrint.text(), QStringLiteral("7 - Advanced Up to Down"));
    QCOMPARE(again.doc.nameText.text(), QStringLiteral("الرقم:"));
    QCOMPARE(again.doc.bracketBefore.text(), QStringLiteral("["));
    QCOMPARE(again.doc.bracketAfter.text(), QStringLiteral("]"));
    QCOMPARE(again.doc.alignLCR.value(), 2);
    QCOMPARE(again.doc.zeroPadWidth.text(), QStringLiteral("4"));
    QCOMPARE(again.doc.fontBold.value(), 1);
    QCOMPARE(again.doc.sampleLabel.backColor(), 255);
    QCOMPARE(again.doc.slot(3).topCm.text(), QStringLiteral("23.45"));
    QCOMPARE(again.doc.slot(4).leftCm.text(), QStringLiteral("19.99"));
    QCOMPARE(again.doc.slot(2).counter.text(), QStringLiteral("4711"));
    QCOMPARE(again.doc.startNumber.text(), QStringLiteral("900"));
    QCOMPARE(again.doc.orientationCode.caption(), QStringLiteral("6"));
    QCOMPARE(again.doc.orientationMark, QStringLiteral("Hor"));
    QCOMPARE(again.doc.modified, 0);
    // Alignment 2 with a closing bracket: the opening one stands twice.
    QCOMPARE(again.doc.sampleLabel.caption(),
             QStringLiteral("[") + again.doc.nameText.text() + QStringLiteral("[0900"));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
