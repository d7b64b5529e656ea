#include "Grading.h"

#include <algorithm>
#include <cmath>

namespace memory {

Grading Grading::fromRightAnswerTimes(std::vector<qint64> elapsedMs)
{
    Grading grading;
    if (elapsedMs.size() < std::size_t(AnswersNeeded))
        return grading;
    std::sort(elapsedMs.begin(), elapsedMs.end());
    const auto at = [&](double q) {
        const auto index = std::size_t(std::floor(q * double(elapsedMs.size() - 1)));
        return elapsedMs[index];
    };
    grading.m_usesTimes = true;
    grading.m_easyBelow = at(EasyQuantile);
    grading.m_hardAbove = at(HardQuantile);
    // All alike (a learner who always clicks at the same pace): all Good.
    if (grading.m_easyBelow >= grading.m_hardAbove)
        grading.m_usesTimes = false;
    return grading;
}

Grade Grading::grade(bool right, qint64 elapsedMs) const
{
    if (!right)
        return Grade::Again;
    if (m_usesTimes && elapsedMs < m_easyBelow)
        return Grade::Easy;
    if (m_usesTimes && elapsedMs > m_hardAbove)
        return Grade::Hard;
    return Grade::Good;
}

} // namespace memory
