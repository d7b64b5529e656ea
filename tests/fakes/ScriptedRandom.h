#pragma once

#include "RandomSource.h"

#include <deque>

// Hands out the draws a test scripts, then falls back to a plain generator.
class ScriptedRandom final : public RandomSource
{
public:
    void script(std::initializer_list<double> draws) { m_script.insert(m_script.end(), draws); }
    // Scripts the draw that gives table entry 1..40.
    void scriptEntries(std::initializer_list<int> entries)
    {
        for (int entry : entries)
            m_script.push_back((entry - 1 + 0.5) / 40.0);
    }
    void reseed(double) override { ++reseeds; }
    double draw() override
    {
        ++draws;
        if (m_script.empty())
            return std::uniform_real_distribution<double>(0.0, 1.0)(m_fallback);
        const double value = m_script.front();
        m_script.pop_front();
        return value;
    }

    int reseeds = 0;
    int draws = 0;

private:
    std::deque<double> m_script;
    std::mt19937 m_fallback{12345};
};
