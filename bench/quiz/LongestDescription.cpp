#include "LongestDescription.h"

#include "BirdTables.h"
#include "MediaPaths.h"

#include <QFileInfo>

namespace bench {

LongestDescription longestDescription()
{
    LongestDescription longest;
    const QString root = media::dataRoot();
    for (int bird = 1; bird <= 80; ++bird) {
        const QFileInfo file(
            media::birdFilePath(root, media::BirdFile::Description, media::birdNumberText(bird)));
        if (file.size() > longest.bytes) {
            longest.bird = bird;
            longest.bytes = file.size();
        }
    }
    longest.season = longest.bird <= 40 ? Season::SpringSummer : Season::AutumnWinter;
    const birds::NumberTable table = birds::numberTable(longest.season);
    for (int entry = 1; entry <= birds::BoardSize; ++entry)
        if (table[entry] == longest.bird)
            longest.position = entry - 1;
    return longest;
}

} // namespace bench
