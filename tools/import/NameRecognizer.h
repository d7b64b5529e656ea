#pragma once

#include "BirdSpecies.h"
#include "Season.h"

#include <QList>
#include <QString>

#include <optional>

// Which bird a photograph or recording shows, read from its file name the ways people and
// sound archives name them: "ダイゼン_2.jpg", "ﾀﾞｲｾﾞﾝ（雄）.jpg", "b22.png", "63.flac",
// "Pluvialis squatarola squatarola.wav", "grey-plover.mp3", "XC123456 - Grey Plover -
// Pluvialis squatarola.mp3".
struct Recognition
{
    // The species every name found in the file name agrees on; empty when none was found
    // or when the names found belong to different species (then `candidates` lists them).
    const species::Species* species = nullptr;
    QList<const species::Species*> candidates;
    // A bare bird number ("22", "b22", "k22"): that one bird, not the species' other number.
    int birdNumber = 0;
    // A plumage word (夏羽, 冬羽, summer, winter, breeding, non-breeding) picks the season
    // set a photograph belongs to.
    std::optional<Season> plumage;

    bool recognised() const { return species != nullptr; }
    bool ambiguous() const { return candidates.size() > 1; }
};

// fileName is a file's name without its directory; its extension is ignored.
Recognition recognize(const QString& fileName);
