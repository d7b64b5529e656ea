#pragma once

#include "AnswerHistory.h"
#include "BirdTables.h"

#include <array>
#include <map>
#include <vector>

// 苦手優先 (weak birds more often): how much each bird of the board weighs in
// the draw. A bird weighs 1 plus the number of its last five answers that were
// wrong, so a bird missed five times running comes up six times as often as one
// the user knows, and a bird never missed as often as in the plain draw.
namespace quiz {

inline constexpr int AnswersWeighed = 5;

class WeakBirds
{
public:
    // The history's latest answers, newest first, by bird number.
    WeakBirds(const std::map<int, std::vector<bool>>& lastAnswers, const birds::NumberTable& numbers);

    // An answer just judged becomes the newest of the bird's; its oldest drops out.
    void add(int entry, bool right);

    int weight(int entry) const;

    // The table entry 1..40 a draw r in [0, 1) falls on, each entry taking a
    // share of [0, 1) in proportion to its weight, in board order. With every
    // weight 1 this is the plain draw, int(r × 40) + 1.
    int entryAt(double r) const;

private:
    // By table entry: the latest answers, newest first, at most five.
    std::array<std::vector<bool>, birds::BoardSize + 1> m_answers{};
};

} // namespace quiz
