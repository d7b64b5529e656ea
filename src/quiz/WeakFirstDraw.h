#pragma once

#include "Draw.h"

namespace quiz {

// 苦手優先 (weak birds first): birds missed of late take a larger share of
// [0, 1), in proportion to their weight (see WeakBirds). Until the history's
// latest answers have come, or with no history, the draw is the plain one.
class WeakFirstDraw final : public Draw
{
public:
    int entryAt(const QuizRound& round, double r) const override;
};

} // namespace quiz
