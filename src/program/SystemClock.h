#pragma once
#include "platform/Clock.h"

namespace numora {

// The computer's clock and calendar.
class SystemClock : public Clock
{
public:
    QDateTime now() override { return QDateTime::currentDateTime(); }
};

} // namespace numora
