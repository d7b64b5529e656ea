#pragma once

#include "Fsrs.h"

#include <QtGlobal>

#include <vector>

// A quiz answer has no grade of its own: a wrong name is Again, a right one
// Good, unless the time it took sets it apart from the learner's own right
// answers: among the fastest tenth Easy, among the slowest tenth Hard. Until
// there are enough right answers to tell, every right answer is Good.
namespace memory {

class Grading
{
public:
    static constexpr int AnswersNeeded = 30;
    static constexpr double EasyQuantile = 0.1;
    static constexpr double HardQuantile = 0.9;

    Grading() = default;
    // The times of the learner's right answers, in any order.
    static Grading fromRightAnswerTimes(std::vector<qint64> elapsedMs);

    Grade grade(bool right, qint64 elapsedMs) const;
    bool usesTimes() const { return m_usesTimes; }
    qint64 easyBelowMs() const { return m_easyBelow; }
    qint64 hardAboveMs() const { return m_hardAbove; }

private:
    bool m_usesTimes = false;
    qint64 m_easyBelow = 0; // strictly faster than this: Easy
    qint64 m_hardAbove = 0; // strictly slower than this: Hard
};

} // namespace memory
