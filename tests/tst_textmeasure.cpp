// Text sizes from the screen's font metrics: the shortcut for plain texts
// must give exactly what shaping the whole text gives.
#include "platform/qt/QtTextMeasure.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

using namespace numora;

class TestTextMeasure : public QObject
{
    Q_OBJECT
private slots:
    void sameAsShaping_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("text");
        const QStringList texts{QStringLiteral("No:000101"), QStringLiteral("(AV) To Wa"), QStringLiteral("office fifty"),
                                QStringLiteral("AVAVAVAV"), QStringLiteral("\u0631\u0642\u0645 12"), QStringLiteral(""),
                                QStringLiteral("a\tb")};
        for (const char *family : {"DejaVu Sans", "Liberation Serif", "Courier New (Arabic)", "Noto Sans"})
            for (const QString &t : texts)
                for (bool bold : {false, true})
                    QTest::newRow(qPrintable(QStringLiteral("%1%2: %3").arg(QLatin1String(family),
                                                                           bold ? QStringLiteral(" bold") : QString(), t)))
                        << QString::fromLatin1(family) << bold << t;
    }
    void sameAsShaping()
    {
        QFETCH(QString, family);
        QFETCH(bool, bold);
        QFETCH(QString, text);
        QtTextMeasure measure;
        const FontSpec font{family, 12, bold, false};
        QFont f(family);
        f.setPointSizeF(12);
        f.setBold(bold);
        const double toTwips = 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchY();
        const double expected = QFontMetricsF(f).horizontalAdvance(text) * toTwips;
        // Twice: the second time from what the first one learned.
        for (int round = 0; round < 2; ++round) {
            double w = -1, h = -1;
            measure.measure(text, font, w, h);
            QCOMPARE(w, expected);
            QCOMPARE(h, QFontMetricsF(f).height() * toTwips);
        }
    }
};

QTEST_MAIN(TestTextMeasure)
#include "tst_textmeasure.moc"
