#pragma once

#include "Asking.h"

namespace quiz {

// 声だけ (by ear): only the call is heard until the answer is judged, so only
// birds with a call are asked. With fewer than eleven of them the recent window
// shrinks to one less than their number, or no bird could ever come.
class ByEarAsking final : public Asking
{
public:
    history::QuizMode recordedAs() const override { return history::QuizMode::ByEar; }
    bool needsCalls() const override { return true; }
    bool mayAsk(const QuizRound& round, int entry) const override;
    int recentWindow(const QuizRound& round, int fullWindow) const override;
    bool holdsPicture() const override { return true; }
};

} // namespace quiz
