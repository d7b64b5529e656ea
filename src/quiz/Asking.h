#pragma once

#include "AnswerHistory.h"

namespace quiz {

class QuizRound;

// How a question is put to the user: which birds may be asked, how many of the
// last birds are kept out, whether the picture waits for the judgement, and
// the word the history keeps for answers given this way. A new way of asking is
// one subclass.
class Asking
{
public:
    virtual ~Asking() = default;

    virtual history::QuizMode recordedAs() const = 0;
    // Whether the round must know which birds have a call before it draws.
    virtual bool needsCalls() const { return false; }
    virtual bool mayAsk(const QuizRound& round, int entry) const = 0;
    // How many of the latest birds may not come again, at most the full window.
    virtual int recentWindow(const QuizRound& round, int fullWindow) const = 0;
    // Whether the picture is held back until the answer has been judged.
    virtual bool holdsPicture() const { return false; }
};

// The picture grows in and the call repeats: every bird may be asked, never
// one of the last ten.
class PictureAndCall final : public Asking
{
public:
    history::QuizMode recordedAs() const override { return history::QuizMode::PictureAndCall; }
    bool mayAsk(const QuizRound&, int) const override { return true; }
    int recentWindow(const QuizRound&, int fullWindow) const override { return fullWindow; }
};

} // namespace quiz
