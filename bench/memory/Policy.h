#pragma once

#include "MemoryBook.h"

#include <deque>
#include <random>
#include <vector>

// The ways of choosing the next bird, over a list of any length, as the quiz's
// draws do over its board of forty: the plain draw, 苦手優先 (one plus the
// misses among the last five answers), and 復習 (due birds lowest recall
// first, then new ones, then the rest lowest recall first). The last ten birds
// of a sitting are never asked again.
enum class Policy { Uniform, WeakFirst, Scheduler };

class Chooser
{
public:
    static constexpr int RecentWindow = 10;

    Chooser(Policy policy, int birds);

    // A new sitting: the recent window empties, the memory is replayed.
    void beginSitting(const memory::MemoryBook* book);
    int next(double now, std::mt19937& engine);
    void answered(int bird, bool right);

private:
    bool mayAsk(int bird) const;

    Policy m_policy;
    int m_birds;
    const memory::MemoryBook* m_book = nullptr;
    std::deque<int> m_recent;
    std::vector<std::deque<bool>> m_lastFive; // newest first
};
