#include "ByEarAsking.h"

#include "QuizRound.h"

#include <algorithm>

namespace quiz {

bool ByEarAsking::mayAsk(const QuizRound& round, int entry) const
{
    return round.hasCall(entry);
}

int ByEarAsking::recentWindow(const QuizRound& round, int fullWindow) const
{
    return std::min(fullWindow, round.callableCount() - 1);
}

} // namespace quiz
