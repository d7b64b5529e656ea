#include "Fsrs.h"

#include <algorithm>
#include <cmath>

namespace memory {
namespace {

double clampStability(double s)
{
    return std::clamp(s, Fsrs::MinStability, Fsrs::MaxStability);
}

double clampDifficulty(double d)
{
    return std::clamp(d, 1.0, 10.0);
}

double g(Grade grade)
{
    return double(int(grade));
}

} // namespace

Fsrs::Fsrs(const Weights& weights) : m_w(weights), m_factor(std::pow(0.9, -1.0 / weights[20]) - 1.0) {}

double Fsrs::retrievability(double days, double stability) const
{
    return std::pow(1.0 + m_factor * std::max(0.0, days) / stability, -m_w[20]);
}

double Fsrs::interval(double retention, double stability) const
{
    return stability / m_factor * (std::pow(retention, -1.0 / m_w[20]) - 1.0);
}

double Fsrs::initialStability(Grade grade) const
{
    return clampStability(m_w[std::size_t(int(grade) - 1)]);
}

// Unclamped, as the mean reversion below takes it.
static double rawInitialDifficulty(const Weights& w, Grade grade)
{
    return w[4] - std::exp(w[5] * (g(grade) - 1.0)) + 1.0;
}

double Fsrs::initialDifficulty(Grade grade) const
{
    return clampDifficulty(rawInitialDifficulty(m_w, grade));
}

// A step by the grade, damped as difficulty nears 10, then a little back
// towards the first difficulty of an easy answer.
double Fsrs::nextDifficulty(double difficulty, Grade grade) const
{
    const double step = -m_w[6] * (g(grade) - 3.0);
    const double damped = difficulty + step * (10.0 - difficulty) / 9.0;
    return clampDifficulty(m_w[7] * rawInitialDifficulty(m_w, Grade::Easy) + (1.0 - m_w[7]) * damped);
}

double Fsrs::recallStability(const State& state, double r, Grade grade) const
{
    const double hard = grade == Grade::Hard ? m_w[15] : 1.0;
    const double easy = grade == Grade::Easy ? m_w[16] : 1.0;
    const double s = state.stability;
    return clampStability(s * (1.0 + std::exp(m_w[8]) * (11.0 - state.difficulty) * std::pow(s, -m_w[9]) *
                                         (std::exp(m_w[10] * (1.0 - r)) - 1.0) * hard * easy));
}

// Never more than the stability a same-day lapse would leave.
double Fsrs::lapseStability(const State& state, double r) const
{
    const double s = state.stability;
    const double lapse = m_w[11] * std::pow(state.difficulty, -m_w[12]) * (std::pow(s + 1.0, m_w[13]) - 1.0) *
                         std::exp(m_w[14] * (1.0 - r));
    return clampStability(std::min(lapse, s / std::exp(m_w[17] * m_w[18])));
}

// A right answer the same day never lowers stability.
double Fsrs::sameDayStability(double s, Grade grade) const
{
    const double increase = std::exp(m_w[17] * (g(grade) - 3.0 + m_w[18])) * std::pow(s, -m_w[19]);
    return clampStability(s * (grade >= Grade::Good ? std::max(increase, 1.0) : increase));
}

State Fsrs::first(Grade grade) const
{
    return {initialStability(grade), initialDifficulty(grade)};
}

State Fsrs::next(const State& state, int elapsedDays, Grade grade) const
{
    State after;
    after.difficulty = nextDifficulty(state.difficulty, grade);
    if (elapsedDays <= 0) {
        after.stability = sameDayStability(state.stability, grade);
        return after;
    }
    const double r = retrievability(elapsedDays, state.stability);
    after.stability = grade == Grade::Again ? lapseStability(state, r) : recallStability(state, r, grade);
    return after;
}

} // namespace memory
