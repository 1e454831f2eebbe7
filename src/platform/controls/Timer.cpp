#include "Timer.h"

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

bool Timer::has(const QString &p) const { return p == QLatin1String("interval") || Control::has(p); }

QVariant Timer::get(const QString &p) const
{
    if (p == QLatin1String("interval"))
        return m_interval;
    return Control::get(p);
}

bool Timer::set(const QString &p, const QVariant &v)
{
    if (p == QLatin1String("interval")) {
        bool ok = false;
        const int i = v.toInt(&ok);
        if (!ok || i < 0)
            return false;
        setInterval(i);
        return true;
    }
    return Control::set(p, v);
}

} // namespace numora
