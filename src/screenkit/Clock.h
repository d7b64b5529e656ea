#pragma once

// Time for the quiz's waits: seconds with fractions from a clock that never
// jumps back, so a wait that spans midnight still ends.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual double seconds() const = 0;
};

class SteadyClock final : public Clock
{
public:
    double seconds() const override;
};
