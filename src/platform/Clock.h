#pragma once

namespace numora {

class Clock
{
public:
    virtual ~Clock() = default;
    virtual double secondsSinceMidnight() = 0;
    virtual int year() = 0;
    virtual int month() = 0;
    virtual int day() = 0;
};

class FixedClock : public Clock
{
public:
    double seconds = 12 * 3600;
    int y = 2024, m = 1, d = 1;
    double secondsSinceMidnight() override { return seconds; }
    int year() override { return y; }
    int month() override { return m; }
    int day() override { return d; }
};

} // namespace numora
