#include "Timer.h"
#include "PropertyTable.h"

namespace numora {

Timer::~Timer()
{
    if (m_interval > 0)
        m_scheduler.disarm(this);
}

void Timer::setInterval(int ms)
{
    if (ms < 0)
        ms = 0;
    if (ms == m_interval)
        return;
    m_interval = ms;
    if (ms > 0)
        m_scheduler.arm(this, ms);
    else
        m_scheduler.disarm(this);
}

namespace {

const PropertyTable<Timer> kTimerProperties = {
    {"interval", [](const Timer &t) -> QVariant { return t.interval(); },
     [](Timer &t, const QVariant &v) {
         bool ok = false;
         const int i = v.toInt(&ok);
         if (!ok || i < 0)
             return false;
         t.setInterval(i);
         return true;
     }},
};

} // namespace

const PropertyTable<Timer> &Timer::properties() { return kTimerProperties; }

} // namespace numora
