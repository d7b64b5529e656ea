#pragma once

#include "Clock.h"

// A clock that moves only when the test says so.
class FakeClock final : public Clock
{
public:
    double seconds() const override { return m_now; }
    void set(double seconds) { m_now = seconds; }
    void advance(double seconds) { m_now += seconds; }

private:
    double m_now = 1000.0;
};
