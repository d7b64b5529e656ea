#pragma once

#include <random>

// Draws for the quiz. reseed() mixes the time into the running state instead of
// restarting from it, so a redraw within the same second still gives a new value.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void reseed(double seconds) = 0;
    virtual double draw() = 0; // uniform in [0, 1)
};

class SystemRandom final : public RandomSource
{
public:
    SystemRandom();
    void reseed(double seconds) override;
    double draw() override;

private:
    std::mt19937_64 m_engine;
};
