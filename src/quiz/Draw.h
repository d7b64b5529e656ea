#pragma once

namespace quiz {

class QuizRound;

// Where a uniform draw r in [0, 1) falls among the table entries 1..40. The
// round reseeds, draws and refuses what the way of asking or the recent window
// rules out; a draw rule only says which bird a value stands for. A new way of
// choosing birds is one subclass.
class Draw
{
public:
    virtual ~Draw() = default;
    virtual int entryAt(const QuizRound& round, double r) const = 0;
};

// Every bird of the board alike: entry int(r × 40) + 1.
class PlainDraw final : public Draw
{
public:
    int entryAt(const QuizRound& round, double r) const override;
    static int plainEntryAt(double r);
};

} // namespace quiz
