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

} // namespace numora
