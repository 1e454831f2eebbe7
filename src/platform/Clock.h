#pragma once
#include <QDateTime>

namespace numora {

// The program's clock and calendar. Everything is taken from one reading:
// a date and a time read apart could straddle midnight.
class Clock
{
public:
    virtual ~Clock() = default;
    // The local date and time.
    virtual QDateTime now() = 0;

    double secondsSinceMidnight() { return now().time().msecsSinceStartOfDay() / 1000.0; }
    int year() { return now().date().year(); }
    int month() { return now().date().month(); }
    int day() { return now().date().day(); }
};

} // namespace numora
