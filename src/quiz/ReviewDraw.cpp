#include "ReviewDraw.h"

#include "QuizRound.h"

#include <vector>

namespace quiz {

int ReviewDraw::entryAt(const QuizRound& round, double r) const
{
    const auto& memory = round.memory();
    if (!memory)
        return PlainDraw::plainEntryAt(r);
    std::vector<int> birds;
    std::vector<int> entries(birds::LastBird + 1, 0); // by bird number
    for (int entry = 1; entry <= birds::BoardSize; ++entry)
        if (round.mayDraw(entry)) {
            birds.push_back(round.birdNumber(entry));
            entries[std::size_t(birds.back())] = entry;
        }
    const int bird = memory->nextToReview(round.memoryMode(), birds, round.today(), r);
    if (bird == 0)
        return PlainDraw::plainEntryAt(r); // nothing may be drawn: the round refuses it and draws again
    return entries[std::size_t(bird)];
}

} // namespace quiz
