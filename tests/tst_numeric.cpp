#include "platform/Colour.h"
#include "platform/qt/QtColour.h"
#include "platform/Numeric.h"

#include <QLocale>
#include <QPalette>
#include <QTest>
#include <clocale>

using namespace numora;

class TestNumeric : public QObject
{
    Q_OBJECT
private slots:
    void leading_data();
    void leading();
    void leadingUnderCommaLocale();
    void shortest_data();
    void shortest();
    void halfEven_data();
    void halfEven();
    void division();
    void colours_data();
    void colours();
    void systemColoursResolveOnlyForDrawing();
};

void TestNumeric::leading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("grid type") << QStringLiteral("12 X 12") << 12.0;
    QTest::newRow("print order") << QStringLiteral("5 - Down to Up Step 2") << 5.0;
    QTest::newRow("colon stops") << QStringLiteral("1:2") << 1.0;
    QTest::newRow("blank inside") << QStringLiteral("1 2") << 12.0;
    QTest::newRow("tab and line feed inside") << QStringLiteral("\t1\n2 .5") << 12.5;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("no number") << QStringLiteral("abc") << 0.0;
    QTest::newRow("sign") << QStringLiteral("-3.25") << -3.25;
    QTest::newRow("plus sign") << QStringLiteral("+7") << 7.0;
    QTest::newRow("bare point") << QStringLiteral(".5") << 0.5;
    QTest::newRow("trailing point") << QStringLiteral("28.") << 28.0;
    QTest::newRow("second point stops") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("exponent") << QStringLiteral("1e3") << 1000.0;
    QTest::newRow("negative exponent") << QStringLiteral("25E-1x") << 2.5;
    QTest::newRow("exponent without digits") << QStringLiteral("4e") << 4.0;
    QTest::newRow("comma is no separator") << QStringLiteral("28,5") << 28.0;
    QTest::newRow("leading zeros") << QStringLiteral("007") << 7.0;
    QTest::newRow("carriage return stops") << QStringLiteral("1\r2") << 1.0;
    QTest::newRow("overflow reads as zero") << QStringLiteral("1e999") << 0.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
}

void TestNumeric::leading()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(leadingNumber(text), value);
}

void TestNumeric::leadingUnderCommaLocale()
{
    // A German desktop writes 28,5; the program's texts always use a point.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char *old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    QCOMPARE(leadingNumber(QStringLiteral("28.5")), 28.5);
    QCOMPARE(leadingNumber(QStringLiteral("5 - Down to Up Step 2")), 5.0);
    QCOMPARE(shortestDecimal(28.5), QStringLiteral("28.5"));
    QCOMPARE(shortestDecimal(0.1), QStringLiteral("0.1"));
    QCOMPARE(shortestDecimal(2812 / 100.0), QStringLiteral("28.12"));
    QCOMPARE(roundHalfEven(2812.5).value(), 2812);
    std::setlocale(LC_ALL, saved.c_str());
    QLocale::setDefault(before);
}

void TestNumeric::shortest_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("half") << 28.5 << QStringLiteral("28.5");
    QTest::newRow("whole") << 28.0 << QStringLiteral("28");
    QTest::newRow("below one") << 0.1 << QStringLiteral("0.1");
    QTest::newRow("seven") << 7.0 << QStringLiteral("7");
    QTest::newRow("negative") << -3.25 << QStringLiteral("-3.25");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
    QTest::newRow("hundredths from scroll") << 2970 / 100.0 << QStringLiteral("29.7");
    QTest::newRow("ten hundredths") << 10 / 100.0 << QStringLiteral("0.1");
    QTest::newRow("binary noise dropped") << 0.1 + 0.2 << QStringLiteral("0.3");
    QTest::newRow("fifteen digits") << 123456789012345.0 << QStringLiteral("123456789012345");
    QTest::newRow("large page run") << 1199988.0 << QStringLiteral("1199988");
    QTest::newRow("small") << 0.00012 << QStringLiteral("0.00012");
}

void TestNumeric::shortest()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(shortestDecimal(value), text);
}

void TestNumeric::halfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("result");
    QTest::newRow("half down to even") << 2812.5 << qint64(2812);
    QTest::newRow("half up to even") << 2813.5 << qint64(2814);
    QTest::newRow("below half") << 2.49 << qint64(2);
    QTest::newRow("above half") << 2.51 << qint64(3);
    QTest::newRow("zero half") << 0.5 << qint64(0);
    QTest::newRow("one half") << 1.5 << qint64(2);
    QTest::newRow("negative half") << -2.5 << qint64(-2);
    QTest::newRow("negative odd half") << -3.5 << qint64(-4);
    QTest::newRow("cm times hundred") << 28.125 * 100 << qint64(2812);
}

void TestNumeric::halfEven()
{
    QFETCH(double, value);
    QFETCH(qint64, result);
    QCOMPARE(roundHalfEven(value).value(), result);
}

void TestNumeric::division()
{
    // Both operands are rounded first, so 56.40625 divides as 56.
    QCOMPARE(integerDivide(1000, 56.40625).value(), 17);
    QCOMPARE(integerDivide(30, 4).value(), 7);
    QCOMPARE(integerDivide(7, 2).value(), 3);
    QCOMPARE(integerDivide(-7, 2).value(), -3);
    QCOMPARE(integerDivide(6.5, 2).value(), 3); // 6.5 rounds to 6
    QVERIFY(!integerDivide(5, 0.4).has_value());
    QVERIFY(!roundHalfEven(std::numeric_limits<double>::infinity()).has_value());
}

void TestNumeric::colours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("value");
    QTest::newRow("white") << QStringLiteral("16777215") << qint32(0x00FFFFFF);
    QTest::newRow("button text") << QStringLiteral("-2147483630") << systemColour(18);
    QTest::newRow("window text") << QStringLiteral("-2147483640") << systemColour(8);
    QTest::newRow("black") << QStringLiteral("0") << qint32(0);
    QTest::newRow("red") << QStringLiteral("255") << rgbColour(255, 0, 0);
}

void TestNumeric::colours()
{
    QFETCH(QString, text);
    QFETCH(qint32, value);
    QCOMPARE(colourFromText(text).value(), value);
    QCOMPARE(colourText(value), text);
}

void TestNumeric::systemColoursResolveOnlyForDrawing()
{
    QVERIFY(isSystemColour(systemColour(18)));
    QVERIFY(!isSystemColour(rgbColour(255, 255, 255)));
    QVERIFY(!colourFromText(QStringLiteral("4294967296")).has_value());
    QVERIFY(!colourFromText(QStringLiteral("abc")).has_value());
    QVERIFY(!colourFromText(QStringLiteral("12abc")).has_value());
    QVERIFY(!colourFromText(QString()).has_value());
    QPalette pal;
    pal.setColor(QPalette::ButtonText, QColor(1, 2, 3));
    QCOMPARE(resolveColour(systemColour(18), pal), QColor(1, 2, 3));
    QCOMPARE(resolveColour(rgbColour(10, 20, 30), pal), QColor(10, 20, 30));
}

QTEST_GUILESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
