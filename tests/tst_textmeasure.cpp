// Text sizes from the screen's font metrics: the shortcut for plain texts
// must give exactly what shaping the whole text gives. Also the font list
// as the operator picks from it.
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtTextMeasure.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
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
        const QStringList texts{QStringLiteral("No:000101"),
                                QStringLiteral("(AV) To Wa"),
                                QStringLiteral("office fifty"),
                                QStringLiteral("AVAVAVAV"),
                                QStringLiteral("\u0631\u0642\u0645 12"),
                                QStringLiteral(""),
                                QStringLiteral("a\tb")};
        for (const char *family : {"DejaVu Sans", "Liberation Serif", "Courier New (Arabic)", "Noto Sans"})
            for (const QString &t : texts)
                for (bool bold : {false, true})
                    QTest::newRow(
                        qPrintable(QStringLiteral("%1%2: %3")
                                       .arg(QLatin1String(family), bold ? QStringLiteral(" bold") : QString(), t)))
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

    void fontFamiliesPlain_data()
    {
        QTest::addColumn<QStringList>("families");
        QTest::addColumn<QStringList>("listed");
        const auto l = [](std::initializer_list<const char *> names) {
            QStringList out;
            for (const char *n : names)
                out << QString::fromUtf8(n);
            return out;
        };
        QTest::newRow("one family from two foundries")
            << l({"C059 [UKWN]", "DejaVu Sans", "C059 [urw]"}) << l({"C059", "DejaVu Sans"});
        QTest::newRow("foundry with a space, plain name too")
            << l({"Nimbus Sans [URW ]", "Nimbus Sans", "Nimbus Sans [urw]", "Nimbus Sans Narrow [UKWN]"})
            << l({"Nimbus Sans", "Nimbus Sans Narrow"});
        QTest::newRow("sorted without regard to case")
            << l({"URW Gothic [urw]", "aakar", "Liberation Mono", "DejaVu Serif"})
            << l({"aakar", "DejaVu Serif", "Liberation Mono", "URW Gothic"});
        QTest::newRow("brackets inside a name stay") << l({"Foo [Bar] Sans"}) << l({"Foo [Bar] Sans"});
    }
    void fontFamiliesPlain()
    {
        QFETCH(QStringList, families);
        QFETCH(QStringList, listed);
        QCOMPARE(plainFontFamilies(families), listed);
    }

    // A family the system lists once per foundry is listed once, plain, and
    // that plain name picks one of the foundries' copies, not a fallback.
    void foundryFamiliesListedPlain()
    {
        static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\[\\]]*\\]$"));
        const QStringList listed = installedFontFamilies();
        QCOMPARE(QSet<QString>(listed.cbegin(), listed.cend()).size(), listed.size());
        int checked = 0;
        for (const QString &raw : QFontDatabase::families()) {
            if (!raw.contains(foundry))
                continue;
            const QString family = QString(raw).remove(foundry);
            QVERIFY2(listed.contains(family), qPrintable(family));
            QVERIFY2(!listed.contains(raw), qPrintable(raw));
            QCOMPARE(QFontInfo(QFont(family)).family().remove(foundry), family);
            ++checked;
        }
        if (checked == 0)
            QSKIP("no family here is installed by more than one foundry");
    }
};

QTEST_MAIN(TestTextMeasure)
#include "tst_textmeasure.moc"
