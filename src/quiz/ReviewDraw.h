#pragma once

#include "Draw.h"

namespace quiz {

// 復習 (review): the bird the user is likeliest to have forgotten comes next.
// Of the birds that may be asked now (the recent window still holds), first
// the due ones, lowest predicted recall first; then a bird never asked this
// way, chosen by the draw; then the rest, lowest predicted recall first. Until
// the memory has come, or with no history, the draw is the plain one.
class ReviewDraw final : public Draw
{
public:
    int entryAt(const QuizRound& round, double r) const override;
};

} // namespace quiz
