#include "QuizRound.h"

#include "Clock.h"
#include "RandomSource.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quiz {

int PlainDraw::plainEntryAt(double r)
{
    const int drawn = int(r * birds::BoardSize);
    return std::clamp(drawn, 0, birds::BoardSize - 1) + 1;
}

int PlainDraw::entryAt(const QuizRound&, double r) const
{
    return plainEntryAt(r);
}

QuizRound::QuizRound(const birds::NumberTable& numbers, RandomSource& random, const Clock& clock)
    : m_numbers(numbers), m_random(random), m_clock(clock), m_asking(std::make_shared<PictureAndCall>()),
      m_questionAsking(m_asking), m_draw(std::make_shared<PlainDraw>()), m_days(&QuizRound::daysNow)
{}

double QuizRound::daysNow()
{
    return double(QDateTime::currentMSecsSinceEpoch()) / 86'400'000.0;
}

void QuizRound::begin(bool historyWillAnswer)
{
    m_currentEntry = 0;
    m_answeredEntry = 0;
    m_recent.fill(0);
    m_rightCount = 0;
    m_wrongCount = 0;
    m_callable.fill(false);
    m_callsKnown = false;
    m_waitingForCalls = false;
    m_weakBirds.reset();
    m_judgedBeforeAnswers.clear();
    m_answersPending = historyWillAnswer;
    m_memory.reset();
    m_judgedBeforeMemory.clear();
    m_memoryPending = historyWillAnswer;
    m_questionAsking = m_asking;
}

void QuizRound::setAsking(std::shared_ptr<const Asking> asking, bool forCurrent)
{
    m_asking = std::move(asking);
    if (forCurrent)
        m_questionAsking = m_asking;
}

void QuizRound::setDraw(std::shared_ptr<const Draw> draw)
{
    m_draw = std::move(draw);
}

bool QuizRound::setCalls(const CallTable& callable)
{
    m_callable = callable;
    m_callable[0] = false;
    m_callsKnown = true;
    return std::exchange(m_waitingForCalls, false);
}

int QuizRound::callableCount() const
{
    return int(std::count(m_callable.begin() + 1, m_callable.end(), true));
}

// A fresh seed before every draw, from the time of day; a refused bird is
// simply drawn again.
QuizRound::Next QuizRound::ChooseQuestion()
{
    const Asking& asking = *m_asking;
    m_waitingForCalls = asking.needsCalls() && !m_callsKnown;
    if (m_waitingForCalls)
        return Next::WaitingForCalls;
    bool any = false;
    for (int entry = 1; entry <= birds::BoardSize && !any; ++entry)
        any = asking.mayAsk(*this, entry);
    if (!any)
        return Next::NothingToAsk;
    do {
        m_random.reseed(m_clock.seconds());
        m_currentEntry = m_draw->entryAt(*this, m_random.draw());
    } while (!asking.mayAsk(*this, m_currentEntry) || !CheckRecent());
    m_answeredEntry = 0;
    m_questionAsking = m_asking;
    questionShown();
    return Next::Asked;
}

bool QuizRound::mayDraw(int entry) const
{
    if (entry < 1 || entry > birds::BoardSize || !m_asking->mayAsk(*this, entry))
        return false;
    const int window = m_asking->recentWindow(*this, RecentWindow);
    for (int slot = RecentWindow - window + 1; slot <= RecentWindow; ++slot)
        if (m_recent[std::size_t(slot)] == entry)
            return false;
    return true;
}

// Refuses a bird among the last ones; otherwise moves the window on by one.
bool QuizRound::CheckRecent()
{
    const int window = m_asking->recentWindow(*this, RecentWindow);
    for (int slot = RecentWindow - window + 1; slot <= RecentWindow; ++slot)
        if (m_recent[std::size_t(slot)] == m_currentEntry)
            return false;
    for (int slot = 1; slot < RecentWindow; ++slot)
        m_recent[std::size_t(slot)] = m_recent[std::size_t(slot) + 1];
    m_recent[RecentWindow] = qint16(m_currentEntry);
    return true;
}

void QuizRound::questionShown()
{
    m_shownAt = m_clock.seconds();
}

void QuizRound::answerGiven(int answeredEntry)
{
    m_answeredEntry = answeredEntry;
    m_answeredAt = m_clock.seconds();
}

// Every answer counts towards the bird's weight, 苦手優先 on or off, so that
// turning it on weighs what the user has just done too.
bool QuizRound::judge()
{
    const bool right = answeredRight();
    ++(right ? m_rightCount : m_wrongCount);
    if (m_weakBirds)
        m_weakBirds->add(m_currentEntry, right);
    else if (m_answersPending)
        m_judgedBeforeAnswers.emplace_back(m_currentEntry, right);
    memory::Review review;
    review.at = today();
    review.mode = int(m_questionAsking->recordedAs());
    review.bird = birdNumber(m_currentEntry);
    review.answered = birdNumber(m_answeredEntry);
    review.right = right;
    review.elapsedMs = std::max<qint64>(0, std::llround((m_answeredAt - m_shownAt) * 1000));
    if (m_memory)
        m_memory->add(review);
    else if (m_memoryPending)
        m_judgedBeforeMemory.push_back(review);
    return right;
}

history::Answer QuizRound::answerRecord(Season season) const
{
    history::Answer answer;
    answer.at = QDateTime::currentDateTimeUtc();
    answer.season = season;
    answer.mode = m_questionAsking->recordedAs();
    answer.shownBird = birdNumber(m_currentEntry);
    answer.answeredBird = birdNumber(m_answeredEntry);
    answer.right = answeredRight();
    answer.elapsedMs = std::max<qint64>(0, std::llround((m_answeredAt - m_shownAt) * 1000));
    answer.pictureExemplar = m_exemplars.first;
    answer.callExemplar = m_exemplars.second;
    return answer;
}

void QuizRound::lastAnswersArrived(const history::LastAnswers& answers)
{
    if (!m_answersPending)
        return; // a late reply to an earlier showing
    m_answersPending = false;
    if (!answers) {
        m_judgedBeforeAnswers.clear();
        return; // the history is off for this run
    }
    m_weakBirds.emplace(*answers, m_numbers);
    // The history answered before writing anything recorded after the question
    // was put to it, so the answers judged meanwhile are not among its own.
    for (const auto& [entry, right] : m_judgedBeforeAnswers)
        m_weakBirds->add(entry, right);
    m_judgedBeforeAnswers.clear();
}

void QuizRound::memoryArrived(const history::Memory& memory)
{
    if (!m_memoryPending)
        return; // a late reply to an earlier showing
    m_memoryPending = false;
    if (!memory) {
        m_judgedBeforeMemory.clear();
        return; // the history is off for this run
    }
    m_memory.emplace(*memory);
    // As with the latest answers: those judged meanwhile are not in the replay.
    for (const memory::Review& review : m_judgedBeforeMemory)
        m_memory->add(review);
    m_judgedBeforeMemory.clear();
}

int QuizRound::memoryMode() const
{
    return int(m_asking->recordedAs());
}

int QuizRound::dueToday() const
{
    if (!m_memory)
        return 0;
    const double endOfDay = m_memory->endOfDay(today());
    int due = 0;
    for (int entry = 1; entry <= birds::BoardSize; ++entry)
        if (m_asking->mayAsk(*this, entry) && m_memory->isDue(memoryMode(), birdNumber(entry), endOfDay))
            ++due;
    return due;
}

} // namespace quiz
