#include "WeakBirds.h"

#include <algorithm>

namespace quiz {

WeakBirds::WeakBirds(const std::map<int, std::vector<bool>>& lastAnswers, const birds::NumberTable& numbers)
{
    for (int entry = 1; entry <= birds::BoardSize; ++entry) {
        const auto found = lastAnswers.find(numbers[std::size_t(entry)]);
        if (found == lastAnswers.end())
            continue;
        std::vector<bool>& answers = m_answers[std::size_t(entry)];
        answers = found->second;
        if (answers.size() > std::size_t(AnswersWeighed))
            answers.resize(AnswersWeighed);
    }
}

void WeakBirds::add(int entry, bool right)
{
    std::vector<bool>& answers = m_answers[std::size_t(entry)];
    answers.insert(answers.begin(), right);
    if (answers.size() > std::size_t(AnswersWeighed))
        answers.pop_back();
}

int WeakBirds::weight(int entry) const
{
    const std::vector<bool>& answers = m_answers[std::size_t(entry)];
    const auto misses = std::count(answers.begin(), answers.end(), false);
    return 1 + int(misses);
}

int WeakBirds::entryAt(double r) const
{
    int total = 0;
    for (int entry = 1; entry <= birds::BoardSize; ++entry)
        total += weight(entry);
    // The first entry whose running weight passes the point r × total. Integer
    // running weights compared with the one product keep the plain draw exact.
    const double point = r * total;
    int upTo = 0;
    for (int entry = 1; entry <= birds::BoardSize; ++entry) {
        upTo += weight(entry);
        if (point < upTo)
            return entry;
    }
    return birds::BoardSize; // r is below 1, but rounding may land the point on the total
}

} // namespace quiz
