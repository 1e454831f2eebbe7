#pragma once
#include "PropertyTable.h"
#include "Control.h"

namespace numora {

class Timer;

// Runs timer ticks. The program's scheduler sits on the event loop; tests
// use a manual clock.
class Scheduler
{
public:
    virtual ~Scheduler() = default;
    // (Re)arms the timer to tick every `ms` milliseconds from now.
    virtual void arm(Timer *t, int ms) = 0;
    virtual void disarm(Timer *t) = 0;
};

// A timer control: an interval (0 = off) and a tick handler. Writing the
// interval it already has changes nothing; a new non-zero interval restarts
// the count. Several armings before a tick therefore give one tick.
class Timer : public WithPropertyTable<Timer, Control>
{
public:
    Timer(QString name, Scheduler &s, bool endless = false)
        : WithPropertyTable(std::move(name))
        , m_scheduler(s)
        , m_endless(endless)
    {}
    ~Timer() override;
    const char *kind() const override { return "Timer"; }

    int interval() const { return m_interval; }
    void setInterval(int ms);
    bool armed() const { return m_interval > 0; }
    // Timers that repeat for as long as their window is open (a keep-in-front
    // timer, a watcher) are left aside when a test lets all timers settle.
    bool endless() const { return m_endless; }

    // Called by the scheduler when the timer is due.
    void tick() { onTick.raise(); }

    static const PropertyTable<Timer> &properties();

    Event<> onTick;

private:
    Scheduler &m_scheduler;
    int m_interval = 0;
    bool m_endless;
};

} // namespace numora
