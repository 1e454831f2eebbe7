#pragma once
#include "platform/Clock.h"

namespace numora {

// A clock that shows what the test sets: noon on 1 January 2024 unless told.
class FixedClock : public Clock
{
public:
    double seconds = 12 * 3600;
    int y = 2024, m = 1, d = 1;
    QDateTime now() override { return QDateTime(QDate(y, m, d), QTime(0, 0).addMSecs(qint64(seconds * 1000))); }
};

} // namespace numora
