#include "QuestionMedia.h"

#include "Form.h"
#include "MediaPaths.h"

#include <algorithm>

namespace quiz {

void QuestionMedia::begin(const QString& root, const birds::NumberTable& numbers, Season season,
                          history::AnswerHistory* history, CallsKnown callsKnown)
{
    m_root = root;
    m_numbers = numbers;
    m_exemplars = {};
    m_rotation = {};
    m_birdRequest.cancel();
    m_boardRequest.start(
        m_screen, [root, numbers] { return presentation::findBoardExemplars(root, numbers); },
        [this, callsKnown = std::move(callsKnown)](const presentation::ExemplarTable& found) {
            m_exemplars = found;
            presentation::CallTable callable{};
            for (int entry = 1; entry <= birds::BoardSize; ++entry)
                callable[std::size_t(entry)] = !found[std::size_t(entry)].calls.isEmpty();
            callsKnown(callable);
        });
    if (!history)
        return;
    history->exemplarsUsed(season, m_screen.form(),
                           m_historyAsked.wrap(m_screen, [this](const history::ExemplarsUsed& used) {
                               m_rotation.historyArrived(used);
                           }));
}

std::pair<int, int> QuestionMedia::present(int entry, double fineness, Arrived arrived)
{
    const int bird = m_numbers[std::size_t(entry)];
    const presentation::BirdExemplars& has = m_exemplars[std::size_t(entry)];
    const int picture = m_rotation.next(bird, ExemplarRotation::Kind::Picture, has.pictures);
    const int call = m_rotation.next(bird, ExemplarRotation::Kind::Call, has.calls);
    const QDateTime now = nextStamp();
    m_rotation.shown(bird, ExemplarRotation::Kind::Picture, picture, now);
    m_rotation.shown(bird, ExemplarRotation::Kind::Call, call, now);
    m_birdRequest.start(
        m_screen,
        [root = m_root, number = media::birdNumberText(bird), fineness, picture, call] {
            return presentation::readBirdMedia(root, number, fineness, picture, call);
        },
        std::move(arrived));
    return {picture, call};
}

std::pair<int, int> QuestionMedia::unseen(int bird) const
{
    for (int entry = 1; entry <= birds::BoardSize; ++entry) {
        if (m_numbers[std::size_t(entry)] != bird)
            continue;
        const presentation::BirdExemplars& has = m_exemplars[std::size_t(entry)];
        const auto count = [&](const QList<int>& numbers, ExemplarRotation::Kind kind) {
            return int(
                std::ranges::count_if(numbers, [&](int n) { return m_rotation.times(bird, kind, n) == 0; }));
        };
        return {count(has.pictures, ExemplarRotation::Kind::Picture),
                count(has.calls, ExemplarRotation::Kind::Call)};
    }
    return {0, 0};
}

// Two questions never share a time, so the order they came in is kept even
// when the clock has not moved on between them.
QDateTime QuestionMedia::nextStamp()
{
    QDateTime now = QDateTime::currentDateTimeUtc();
    if (m_lastStamp.isValid() && now <= m_lastStamp)
        now = m_lastStamp.addMSecs(1);
    m_lastStamp = now;
    return now;
}

} // namespace quiz
