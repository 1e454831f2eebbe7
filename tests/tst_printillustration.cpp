#include "ui/PrintOrderIllustration.h"

#include <QHash>
#include <QImage>
#include <QTest>

#include <cstdlib>

using namespace numora::ui;

class TestPrintIllustration : public QObject
{
    Q_OBJECT
private slots:
    void pagesFollowTheOrder_data();
    void pagesFollowTheOrder();
    void eachBoxShowsItsNumber();
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

void TestPrintIllustration::eachBoxShowsItsNumber()
{
    // Each slot box of each page holds its number in the slot's colour; the
    // same number at the same place looks the same in every order, and
    // different numbers look different, so the picture shows the numbers
    // printedPages gives, page by page (order 2's bottom sheet shows 1 where
    // order 1's shows 3). Order 0 draws pages without numbers.
    QHash<QString, QImage> boxes; // page, slot, number -> the box as drawn
    QHash<QString, int> numberAt; // page, slot, picture of the box -> number
    const auto inked = [](const QImage &box, const QColor &c) {
        int n = 0;
        for (int y = 0; y < box.height(); ++y)
            for (int x = 0; x < box.width(); ++x) {
                const QColor p = box.pixelColor(x, y);
                n += std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) + std::abs(p.blue() - c.blue()) < 60;
            }
        return n;
    };
    for (int order = 0; order <= 8; ++order) {
        PrintOrderIllustration w;
        w.setOrder(order);
        w.resize(w.sizeHint());
        const QImage img = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QList<QList<int>> pages = PrintOrderIllustration::printedPages(order);
        for (int i = 0; i < PrintOrderIllustration::PageCount; ++i)
            for (int s = 0; s < 2; ++s) {
                // Inside the box's frame: the number alone.
                const QRect inner =
                    PrintOrderIllustration::slotBox(i, s, w.size()).toAlignedRect().adjusted(2, 2, -2, -2);
                const QImage box = img.copy(inner);
                const int ink = inked(box, PrintOrderIllustration::slotColour(s));
                const QString where = QStringLiteral("order %1 page %2 slot %3").arg(order).arg(i + 1).arg(s + 1);
                if (order == 0) {
                    QVERIFY2(ink == 0, qPrintable(where));
                    continue;
                }
                QVERIFY2(ink > 0, qPrintable(where));
                const int number = pages.at(i).at(s);
                const QString key = QStringLiteral("%1/%2/%3").arg(i).arg(s).arg(number);
                if (boxes.contains(key))
                    QVERIFY2(boxes.value(key) == box,
                             qPrintable(where + QStringLiteral(": %1 drawn unlike").arg(number)));
                boxes.insert(key, box);
                const QString look =
                    QStringLiteral("%1/%2/").arg(i).arg(s)
                    + QString::fromLatin1(
                        QByteArray(reinterpret_cast<const char *>(box.constBits()), box.sizeInBytes()).toBase64());
                QVERIFY2(numberAt.value(look, number) == number,
                         qPrintable(where + QStringLiteral(": %1 drawn as %2").arg(number).arg(numberAt.value(look))));
                numberAt.insert(look, number);
            }
    }
}

QTEST_MAIN(TestPrintIllustration)
#include "tst_printillustration.moc"
