#pragma once

#include "AnswerHistory.h"

#include <QDateTime>
#include <QList>

#include <map>
#include <tuple>

namespace quiz {

// Which of a bird's pictures and recordings the quiz shows: the one not shown
// for longest, so that every one of them comes round in turn and a learner
// meets the bird in all its plumages and voices. One never shown comes before
// any shown, the bird's own first. What earlier days showed comes from the
// history; what this showing shows is added as it goes.
class ExemplarRotation
{
public:
    enum class Kind { Picture, Call };

    // Of the exemplars available (1 the bird's own, 2.. its further ones), the
    // one shown longest ago; 1 when none is available.
    int next(int bird, Kind kind, const QList<int>& available) const;
    // Exemplar was shown at the time given.
    void shown(int bird, Kind kind, int exemplar, const QDateTime& at);
    // What the history knows of earlier showings; no value when it is off. A
    // later showing already known here is kept.
    void historyArrived(const history::ExemplarsUsed& used);

    // How often exemplar has been shown; 0: never yet.
    int times(int bird, Kind kind, int exemplar) const;

private:
    struct Use
    {
        QDateTime lastAt;
        int times = 0;
    };
    using Key = std::tuple<int, Kind, int>; // bird, kind, exemplar
    std::map<Key, Use> m_uses;
};

} // namespace quiz
