#include "QtScheduler.h"

#include <QTimer>

namespace numora {

QtScheduler::~QtScheduler()
{
    qDeleteAll(m_timers);
}

void QtScheduler::arm(Timer *t, int ms)
{
    QTimer *&qt = m_timers[t];
    if (!qt) {
        qt = new QTimer;
        qt->setTimerType(Qt::PreciseTimer);
        QObject::connect(qt, &QTimer::timeout, qt, [t] { t->tick(); });
    }
    qt->start(ms);
}

void QtScheduler::disarm(Timer *t)
{
    if (QTimer *qt = m_timers.value(t))
        qt->stop();
}

} // namespace numora
