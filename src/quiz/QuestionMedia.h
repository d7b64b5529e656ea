#pragma once

#include "AnswerHistory.h"
#include "Background.h"
#include "BirdShow.h"
#include "ExemplarRotation.h"

#include <functional>
#include <optional>

namespace quiz {

// The files of the quiz's questions. Once a showing begins, every bird of the
// board is looked up on a worker for its pictures and playable recordings, and
// the history is asked which of them earlier days showed; each question then
// shows the bird's picture and recording not shown for longest.
class QuestionMedia
{
public:
    explicit QuestionMedia(Screen& screen) : m_screen(screen) {}

    using CallsKnown = std::function<void(const presentation::CallTable&)>;
    using Arrived = std::function<void(const presentation::BirdMedia&)>;

    // A new showing of the board: callsKnown hears which birds can be asked by
    // their call, once the board has been looked up.
    void begin(const QString& root, const birds::NumberTable& numbers, Season season,
               history::AnswerHistory* history, CallsKnown callsKnown);
    // The question's bird, at table entry: its exemplars are chosen now, and
    // its files read on a worker and handed to arrived (the latest question's
    // only). Returns the picture and recording chosen.
    std::pair<int, int> present(int entry, double fineness, Arrived arrived);
    // Whatever was asked for is no longer wanted.
    void cancel() { m_birdRequest.cancel(); }

    const ExemplarRotation& rotation() const { return m_rotation; }
    // How many of the bird's pictures, and of its recordings, no quiz has shown yet.
    std::pair<int, int> unseen(int bird) const;
    // By table entry; empty lists until the board has been looked up.
    const presentation::ExemplarTable& exemplars() const { return m_exemplars; }

private:
    QDateTime nextStamp();

    Screen& m_screen;
    QString m_root;
    birds::NumberTable m_numbers{};
    presentation::ExemplarTable m_exemplars{};
    ExemplarRotation m_rotation;
    QDateTime m_lastStamp;
    LatestReply m_historyAsked;
    LatestRequest m_boardRequest;
    LatestRequest m_birdRequest;
};

} // namespace quiz
