#include "platform/Numeric.h"

#include <QTest>

using namespace numora;

class TestNumeric : public QObject
{
    Q_OBJECT
private slots:
    void leading_data();
    void leading();
};

void TestNumeric::leading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("grid") << QStringLiteral("12 X 12") << 12.0;
    QTest::newRow("order") << QStringLiteral("5 - Down to Up Step 2") << 5.0;
    QTest::newRow("colon") << QStringLiteral("1:2") << 1.0;
    QTest::newRow("blank inside") << QStringLiteral("1 2") << 12.0;
    QTest::newRow("empty") << QString() << 0.0;
}

void TestNumeric::leading()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(leadingNumber(text), value);
}

QTEST_GUILESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
