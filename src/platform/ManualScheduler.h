#pragma once
#include "controls/Timer.h"

#include <map>

namespace numora {

// A scheduler driven by hand: advance(ms) runs every due tick in time order,
// re-arming repeating timers. Tests and form scripts use it, and so does the
// print command, which runs a whole print job without an event loop; that is
// why it ships with the forms rather than with the test doubles.
class ManualScheduler : public Scheduler
{
public:
    void arm(Timer *t, int ms) override;
    void disarm(Timer *t) override;

    qint64 now() const { return m_now; }
    // Runs the ticks due within the next `ms` milliseconds.
    void advance(qint64 ms);
    // Runs ticks until no timer is armed but endless ones. Returns false when
    // the bound of ticks was reached first.
    bool settle(qint64 maxTicks = 1000000);
    bool anyArmed(bool includeEndless) const;

private:
    struct Due
    {
        qint64 at;
        quint64 order;
    };
    bool runNext(qint64 limit);

    std::map<Timer *, Due> m_due;
    qint64 m_now = 0;
    quint64 m_order = 0;
};

} // namespace numora
