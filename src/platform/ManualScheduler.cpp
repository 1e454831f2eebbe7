#include "ManualScheduler.h"

namespace numora {

void ManualScheduler::arm(Timer *t, int ms) { m_due[t] = Due{m_now + ms, m_order++}; }

void ManualScheduler::disarm(Timer *t) { m_due.erase(t); }

bool ManualScheduler::runNext(qint64 limit)
{
    Timer *next = nullptr;
    Due best{0, 0};
    for (const auto &[t, d] : m_due) {
        if (d.at > limit)
            continue;
        if (!next || d.at < best.at || (d.at == best.at && d.order < best.order)) {
            next = t;
            best = d;
        }
    }
    if (!next)
        return false;
    m_now = std::max(m_now, best.at);
    // Re-arm before the tick, as a repeating timer does; the tick may disarm
    // or re-arm it with another interval.
    m_due[next] = Due{m_now + next->interval(), m_order++};
    next->tick();
    return true;
}

void ManualScheduler::advance(qint64 ms)
{
    const qint64 target = m_now + ms;
    while (runNext(target)) {
    }
    m_now = target;
}

bool ManualScheduler::anyArmed(bool includeEndless) const
{
    for (const auto &[t, d] : m_due)
        if (includeEndless || !t->endless())
            return true;
    return false;
}

bool ManualScheduler::settle(qint64 maxTicks)
{
    for (qint64 n = 0; n < maxTicks; ++n) {
        // The earliest due timer that is not endless decides how far to go.
        qint64 at = -1;
        for (const auto &[t, d] : m_due)
            if (!t->endless() && (at < 0 || d.at < at))
                at = d.at;
        if (at < 0)
            return true;
        runNext(std::max(at, m_now));
    }
    return !anyArmed(false);
}

} // namespace numora
