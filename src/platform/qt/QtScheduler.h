#pragma once
#include "platform/controls/Timer.h"

#include <QHash>

class QTimer;

namespace numora {

// Timer ticks on the Qt event loop, one QTimer per armed timer.
class QtScheduler : public Scheduler
{
public:
    ~QtScheduler() override;
    void arm(Timer *t, int ms) override;
    void disarm(Timer *t) override;

private:
    QHash<Timer *, QTimer *> m_timers;
};

} // namespace numora
