#pragma once
#include "platform/Clock.h"

#include <QDate>
#include <QTime>

namespace numora {

// The computer's clock and calendar.
class SystemClock : public Clock
{
public:
    double secondsSinceMidnight() override { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }
    int year() override { return QDate::currentDate().year(); }
    int month() override { return QDate::currentDate().month(); }
    int day() override { return QDate::currentDate().day(); }
};

} // namespace numora
