#include "ExemplarRotation.h"

namespace quiz {

int ExemplarRotation::next(int bird, Kind kind, const QList<int>& available) const
{
    int chosen = 1;
    const Use* chosenUse = nullptr;
    bool first = true;
    for (int exemplar : available) {
        const auto found = m_uses.find({bird, kind, exemplar});
        const Use* use = found == m_uses.end() ? nullptr : &found->second;
        // Never shown beats shown; between two shown, the older wins; ties keep the lower number.
        const bool better = first || (chosenUse && (!use || use->lastAt < chosenUse->lastAt));
        if (better) {
            chosen = exemplar;
            chosenUse = use;
            first = false;
        }
    }
    return chosen;
}

void ExemplarRotation::shown(int bird, Kind kind, int exemplar, const QDateTime& at)
{
    Use& use = m_uses[{bird, kind, exemplar}];
    if (!use.lastAt.isValid() || use.lastAt < at)
        use.lastAt = at;
    ++use.times;
}

void ExemplarRotation::historyArrived(const history::ExemplarsUsed& used)
{
    if (!used)
        return;
    for (const history::ExemplarUse& earlier : *used) {
        Use& use = m_uses[{earlier.bird, earlier.call ? Kind::Call : Kind::Picture, earlier.exemplar}];
        if (!use.lastAt.isValid() || use.lastAt < earlier.lastAt)
            use.lastAt = earlier.lastAt;
        use.times += earlier.times;
    }
}

int ExemplarRotation::times(int bird, Kind kind, int exemplar) const
{
    const auto found = m_uses.find({bird, kind, exemplar});
    return found == m_uses.end() ? 0 : found->second.times;
}

} // namespace quiz
