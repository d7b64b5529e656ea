#pragma once

#include <array>

// The FSRS-6 memory model: a memory has a stability S (the days until the
// chance of recall falls to 90 %) and a difficulty D (1 to 10), and its
// retrievability R(t, S) = (1 + F·t/S)^(−w20), F = 0.9^(−1/w20) − 1, is the
// chance of recalling it t days after the last review. Each review moves S
// and D by its grade. The 21 weights are the published defaults.
namespace memory {

enum class Grade { Again = 1, Hard = 2, Good = 3, Easy = 4 };

using Weights = std::array<double, 21>;

// clang-format off
inline constexpr Weights DefaultWeights{
    0.212, 1.2931, 2.3065, 8.2956,     // w0..w3: the first stability by grade
    6.4133, 0.8334, 3.0194, 0.001,     // w4..w7: difficulty, its step, its mean reversion
    1.8722, 0.1666, 0.796,             // w8..w10: stability after a recall
    1.4835, 0.0614, 0.2629, 1.6483,    // w11..w14: stability after a lapse
    0.6014, 1.8729,                    // w15, w16: hard penalty, easy bonus
    0.5425, 0.0912, 0.0658,            // w17..w19: reviews on the same day
    0.1542,                            // w20: the forgetting curve's decay
};
// clang-format on

struct State
{
    double stability = 0; // days
    double difficulty = 0;
};

class Fsrs
{
public:
    static constexpr double MinStability = 0.001;
    static constexpr double MaxStability = 36500;

    explicit Fsrs(const Weights& weights = DefaultWeights);

    const Weights& weights() const { return m_w; }

    double retrievability(double days, double stability) const;
    // The days until retrievability falls to retention.
    double interval(double retention, double stability) const;

    double initialStability(Grade grade) const;
    double initialDifficulty(Grade grade) const;
    double nextDifficulty(double difficulty, Grade grade) const;
    double recallStability(const State& state, double retrievability, Grade grade) const;
    double lapseStability(const State& state, double retrievability) const;
    double sameDayStability(double stability, Grade grade) const;

    // The state after the first review.
    State first(Grade grade) const;
    // The state after a review elapsedDays whole days after the last (0: the
    // same day, which moves stability by the short-term rule).
    State next(const State& state, int elapsedDays, Grade grade) const;

private:
    Weights m_w;
    double m_factor;
};

} // namespace memory
