#include "WeakFirstDraw.h"

#include "QuizRound.h"

namespace quiz {

int WeakFirstDraw::entryAt(const QuizRound& round, double r) const
{
    if (const auto& weak = round.weakBirds())
        return weak->entryAt(r);
    return PlainDraw::plainEntryAt(r);
}

} // namespace quiz
