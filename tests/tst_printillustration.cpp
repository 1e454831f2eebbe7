#include "ui/PrintOrderIllustration.h"

#include <QTest>

using namespace numora::ui;

class TestPrintIllustration : public QObject
{
    Q_OBJECT
private slots:
    void pagesFollowTheOrder_data();
    void pagesFollowTheOrder();
    void everyOrderDrawsItsOwnPicture();
};

void TestPrintIllustration::pagesFollowTheOrder_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("pages");
    QTest::newRow("1") << 1 << "3,6|2,5|1,4";
    QTest::newRow("2") << 2 << "1,4|2,5|3,6";
    QTest::newRow("3") << 3 << "1,2|3,4|5,6";
    QTest::newRow("4") << 4 << "6,5|4,3|2,1";
    QTest::newRow("5") << 5 << "1,1|2,2|3,3";
    // Printed from the end of the sequence.
    QTest::newRow("6") << 6 << "3,3|2,2|1,1";
    QTest::newRow("7") << 7 << "1,101|2,102|3,103";
    QTest::newRow("8") << 8 << "3,103|2,102|1,101";
    QTest::newRow("none") << 0 << "";
}

void TestPrintIllustration::pagesFollowTheOrder()
{
    QFETCH(int, order);
    QFETCH(QString, pages);
    QStringList drawn;
    for (const QList<int> &page : PrintOrderIllustration::printedPages(order))
        drawn.append(QString::number(page.at(0)) + QLatin1Char(',') + QString::number(page.at(1)));
    QCOMPARE(drawn.join(QLatin1Char('|')), pages);
}

void TestPrintIllustration::everyOrderDrawsItsOwnPicture()
{
    QList<QImage> images;
    for (int order = 1; order <= 8; ++order) {
        PrintOrderIllustration w;
        w.setOrder(order);
        w.resize(w.sizeHint());
        const QImage img = w.grab().toImage();
        for (int i = 0; i < images.size(); ++i)
            QVERIFY2(img != images.at(i),
                     qPrintable(QStringLiteral("orders %1 and %2 look alike").arg(i + 1).arg(order)));
        images.append(img);
    }
}

QTEST_MAIN(TestPrintIllustration)
#include "tst_printillustration.moc"
