#pragma once

#include "MemoryBook.h"
#include "Season.h"

#include <QDateTime>
#include <QMetaObject>
#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// The user's record of answers: every judged answer is kept, and the quiz asks
// for a summary per season set. Writes and queries run away from the
// user-interface thread; record() only hands the answer over.
namespace history {

enum class QuizMode { PictureAndCall, ByEar };

struct Answer
{
    QDateTime at; // UTC
    Season season = Season::SpringSummer;
    QuizMode mode = QuizMode::PictureAndCall;
    int shownBird = 0;    // bird number 1..80
    int answeredBird = 0; // bird number 1..80
    bool right = false;
    qint64 elapsedMs = 0;    // from the bird appearing to the click
    int pictureExemplar = 1; // which of the bird's pictures was shown: 1 its own, 2.. the further ones
    int callExemplar = 1;    // which of its recordings was played
};

// When one picture or recording of a bird was last shown in a quiz, and how often.
struct ExemplarUse
{
    int bird = 0;
    bool call = false; // a recording; else a picture
    int exemplar = 1;
    QDateTime lastAt; // UTC
    int times = 0;
};

// Every picture and recording of a season set's birds shown so far. No value
// when the history is off for this run.
using ExemplarsUsed = std::optional<std::vector<ExemplarUse>>;

// How one bird of a season set has fared.
struct BirdResult
{
    int bird = 0;
    int asked = 0;
    int right = 0;
    int askedThisWeek = 0; // the last seven days
    int rightThisWeek = 0;
    // The birds answered when this one was shown, most often first (at most two).
    std::vector<std::pair<int, int>> takenFor; // bird number, times
};

// Every bird of the season set, asked or not, in no particular order.
using Results = std::vector<BirdResult>;

// Each bird's latest answers, newest first, true for right; a bird never asked
// is missing. Empty (no value) when the history is off for this run.
using LastAnswers = std::optional<std::map<int, std::vector<bool>>>; // bird number → answers

// What the learner remembers of each bird of a season set, replayed from every
// answer of the set. Null when the history is off for this run.
using Memory = std::shared_ptr<const memory::MemoryBook>;

class AnswerHistory
{
public:
    virtual ~AnswerHistory() = default;
    // Hands the answer over to be written; returns at once.
    virtual void record(const Answer& answer) = 0;
    // Works out the results of a season set off the user-interface thread and
    // calls done with them on context's thread (never if context is gone first).
    virtual void results(Season season, const QDateTime& now, QObject* context,
                         std::function<void(const Results&)> done) = 0;
    // The last count answers of each bird of the season set, in the same way:
    // worked out on the history's thread, handed to done on context's thread.
    // Answers recorded after this call are not among them.
    virtual void lastAnswers(Season season, int count, QObject* context,
                             std::function<void(const LastAnswers&)> done) = 0;
    // Every answer of the season set replayed into each bird's memory on the
    // history's thread, handed to done on context's thread; dayShift as the
    // memory takes it. Answers recorded after this call are not among them.
    // A history that keeps no answers has no memory to give.
    virtual void memory(Season season, double dayShift, QObject* context,
                        std::function<void(const Memory&)> done)
    {
        Q_UNUSED(season);
        Q_UNUSED(dayShift);
        QMetaObject::invokeMethod(
            context, [done = std::move(done)] { done(nullptr); }, Qt::QueuedConnection);
    }
    // Which pictures and recordings of each bird of the set were shown, and
    // when last: worked out on the history's thread, handed to done on
    // context's thread. A history that keeps no answers has none to give.
    virtual void exemplarsUsed(Season season, QObject* context,
                               std::function<void(const ExemplarsUsed&)> done)
    {
        Q_UNUSED(season);
        QMetaObject::invokeMethod(
            context, [done = std::move(done)] { done(std::nullopt); }, Qt::QueuedConnection);
    }
};

} // namespace history
