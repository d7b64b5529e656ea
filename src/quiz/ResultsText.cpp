#include "ResultsText.h"

#include "BirdTables.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quiz {
namespace {

// Worst first: the lowest share of right answers; of two birds alike, the one
// asked more often, since its share says more. Birds never asked come last.
bool worse(const history::BirdResult& a, const history::BirdResult& b)
{
    if ((a.asked == 0) != (b.asked == 0))
        return b.asked == 0;
    const qint64 left = qint64(a.right) * b.asked;
    const qint64 right = qint64(b.right) * a.asked;
    if (left != right)
        return left < right;
    return a.asked > b.asked;
}

QString line(const history::BirdResult& bird)
{
    QString text = u"%1 %2/%3"_s.arg(birds::nameOfBird(bird.bird)).arg(bird.right).arg(bird.asked);
    if (bird.asked == 0)
        return text;
    text += u" 7日%1/%2"_s.arg(bird.rightThisWeek).arg(bird.askedThisWeek);
    if (!bird.takenFor.empty()) {
        QStringList taken;
        for (const auto& [other, times] : bird.takenFor)
            taken << u"%1×%2"_s.arg(birds::nameOfBird(other)).arg(times);
        text += u" ←"_s + taken.join(u'、');
    }
    return text;
}

} // namespace

QStringList resultLines(const history::Results& results)
{
    if (results.empty())
        return {NoHistory};
    if (std::all_of(results.begin(), results.end(), [](const auto& bird) { return bird.asked == 0; }))
        return {NoHistoryYet};
    history::Results sorted = results;
    std::stable_sort(sorted.begin(), sorted.end(), worse);
    QStringList lines;
    for (const history::BirdResult& bird : sorted)
        lines << line(bird);
    return lines;
}

} // namespace quiz
