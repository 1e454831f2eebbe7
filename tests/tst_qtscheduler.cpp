// Timers on the Qt event loop: a stopped timer keeps no QTimer, also when
// its own tick stops it, and a tick that stops and re-arms keeps running.
#include "platform/qt/QtScheduler.h"

#include <QCoreApplication>
#include <QTest>

using namespace numora;

class TestQtScheduler : public QObject
{
    Q_OBJECT
private slots:
    void stoppedTimersAreForgotten();
    void aTickMayStopOrRearmItsOwnTimer();
};

void TestQtScheduler::stoppedTimersAreForgotten()
{
    QtScheduler s;
    Timer a(QStringLiteral("a"), s), b(QStringLiteral("b"), s);
    a.setInterval(50);
    b.setInterval(50);
    QCOMPARE(s.liveTimers(), std::size_t(2));
    a.setInterval(0);
    QCOMPARE(s.liveTimers(), std::size_t(1));
    int ticks = 0;
    a.onTick.connect([&] { ++ticks; });
    QTest::qWait(120);
    QCOMPARE(ticks, 0);
    {
        Timer gone(QStringLiteral("gone"), s);
        gone.setInterval(10);
        QCOMPARE(s.liveTimers(), std::size_t(2));
    }
    QCOMPARE(s.liveTimers(), std::size_t(1));
}

void TestQtScheduler::aTickMayStopOrRearmItsOwnTimer()
{
    QtScheduler s;
    Timer once(QStringLiteral("once"), s), again(QStringLiteral("again"), s);
    int onceTicks = 0;
    once.onTick.connect([&] {
        ++onceTicks;
        once.setInterval(0);
    });
    int againTicks = 0;
    again.onTick.connect([&] {
        // Stop and start again from within the tick: the new schedule stands.
        ++againTicks;
        again.setInterval(0);
        if (againTicks < 3)
            again.setInterval(5);
    });
    once.setInterval(5);
    again.setInterval(5);
    QTRY_COMPARE(againTicks, 3);
    QTest::qWait(40);
    QCOMPARE(onceTicks, 1);
    QCOMPARE(againTicks, 3);
    QCOMPARE(s.liveTimers(), std::size_t(0));
}

QTEST_GUILESS_MAIN(TestQtScheduler)
#include "tst_qtscheduler.moc"
