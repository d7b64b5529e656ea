#pragma once

#include "AnswerHistory.h"
#include "Asking.h"
#include "BirdTables.h"
#include "Draw.h"
#include "MemoryBook.h"
#include "WeakBirds.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Clock;
class RandomSource;

namespace quiz {

// The question cycle of one showing of a quiz screen, with no widget and no
// timer: which bird comes next, never one of the last ten, how an answer is
// judged, the counts, and what the answers so far say of each bird. The screen
// shows what the round decides; the way of asking and the draw rule are modes
// the round is given.
class QuizRound
{
public:
    static constexpr int RecentWindow = 10;
    using RecentEntries = std::array<qint16, RecentWindow + 1>; // slots 1..10, oldest first; 0 = empty
    using CallTable = std::array<bool, birds::BoardSize + 1>;   // by table entry, as the media check gives it

    QuizRound(const birds::NumberTable& numbers, RandomSource& random, const Clock& clock);

    // A new showing: no counts, no recent birds, the calls not yet known. When
    // the history will send each bird's latest answers, answers judged before
    // they come are kept to be added to them.
    void begin(bool historyWillAnswer);
    static double daysNow(); // the system's time in the memory's days

    // The way of asking applies from the next question on; with forCurrent the
    // question already asked is taken to be asked this way too.
    void setAsking(std::shared_ptr<const Asking> asking, bool forCurrent = false);
    void setDraw(std::shared_ptr<const Draw> draw);
    const Asking& asking() const { return *m_asking; }
    // How the question on show was asked.
    const Asking& questionAsking() const { return *m_questionAsking; }

    // Returns whether a question waits for them: ask for it again now.
    bool setCalls(const CallTable& callable);
    bool callsKnown() const { return m_callsKnown; }
    bool hasCall(int entry) const { return m_callable[std::size_t(entry)]; }
    int callableCount() const;

    enum class Next {
        Asked,           // currentEntry() is the new question
        WaitingForCalls, // the way of asking needs the calls; ask again once they are known
        NothingToAsk,    // no bird may be asked this way
    };
    // Whether the bird at entry may be asked now: the way of asking allows it
    // and it is not among the last ones (what CheckRecent would refuse).
    bool mayDraw(int entry) const;
    // ChooseQuestion: reseeds and draws until a bird that may be asked and is
    // not among the last ones comes up (CheckRecent), and makes it the question.
    Next ChooseQuestion();

    // The bird of the question is before the user from now (its files have come).
    void questionShown();
    // Which of the bird's pictures and recordings the question shows, for the history.
    void exemplarsChosen(std::pair<int, int> pictureAndCall) { m_exemplars = pictureAndCall; }
    // The user's answer to the question on show, a table entry 1..40.
    void answerGiven(int answeredEntry);
    // The answer given is judged: counted, and learnt as the bird's newest
    // answer. Returns whether it was right.
    bool judge();
    bool answeredRight() const { return m_answeredEntry == m_currentEntry; }
    // The judged answer as the history keeps it.
    history::Answer answerRecord(Season season) const;

    // The history's latest answers per bird have come (no value: the history
    // is off for this run).
    void lastAnswersArrived(const history::LastAnswers& answers);

    int currentEntry() const { return m_currentEntry; }
    int answeredEntry() const { return m_answeredEntry; }
    int birdNumber(int entry) const { return m_numbers[std::size_t(entry)]; }
    const RecentEntries& recentEntries() const { return m_recent; }
    int rightCount() const { return m_rightCount; }
    int wrongCount() const { return m_wrongCount; }
    // What the user remembers of each bird, replayed from the history and kept
    // up to date with every answer judged since; nothing until it has come.
    void memoryArrived(const history::Memory& memory);
    const std::optional<memory::MemoryBook>& memory() const { return m_memory; }
    // The memory's way of asking for the birds drawn next.
    int memoryMode() const;
    // Now, in the memory's days since 1970 (UTC).
    double today() const { return m_days(); }
    void setDayClock(std::function<double()> days) { m_days = std::move(days); }
    // Birds of the board due by the end of today for the way of asking chosen;
    // none before the memory has come.
    int dueToday() const;

    // How much each table entry weighs with 苦手優先; nothing until the
    // history's latest answers have come.
    const std::optional<WeakBirds>& weakBirds() const { return m_weakBirds; }

private:
    bool CheckRecent();

    const birds::NumberTable m_numbers;
    RandomSource& m_random;
    const Clock& m_clock;
    std::shared_ptr<const Asking> m_asking;
    std::shared_ptr<const Asking> m_questionAsking;
    std::shared_ptr<const Draw> m_draw;

    int m_currentEntry = 0;
    std::pair<int, int> m_exemplars{1, 1}; // picture, call
    int m_answeredEntry = 0;
    double m_shownAt = 0; // clock seconds when the bird appeared (or its call began)
    double m_answeredAt = 0;
    RecentEntries m_recent{};
    // Wider than a count of a single sitting needs, so that a long session never wraps.
    qint32 m_rightCount = 0;
    qint32 m_wrongCount = 0;

    CallTable m_callable{};
    bool m_callsKnown = false;
    bool m_waitingForCalls = false;

    std::optional<WeakBirds> m_weakBirds;
    std::vector<std::pair<int, bool>> m_judgedBeforeAnswers; // table entry, right
    bool m_answersPending = false;

    std::optional<memory::MemoryBook> m_memory;
    std::vector<memory::Review> m_judgedBeforeMemory;
    bool m_memoryPending = false;
    std::function<double()> m_days;
};

} // namespace quiz
