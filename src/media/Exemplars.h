#pragma once

#include "ExemplarTags.h"
#include "MediaPaths.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Several pictures and recordings of one bird. The first is the bird's own file
// (姿/b22.gif, 声/k22.wav), looked up as it always was; the further ones sit beside it
// as 姿/b22-2.png, 声/k22-2.wav ... up to MaxExemplars, each in any of the formats
// the first may have, each with its tags in 声/k22-2.tags (see ExemplarTags). A
// number may be missing: the others are still found. The user's own folder
// overrides file by file, as for the first: a personal 声/k22-3.flac takes the
// place of a bundled 声/k22-3.wav, and its tags are the ones beside it.
namespace media {

// The most pictures, and the most recordings, one bird has: the first and 2..10.
inline constexpr int MaxExemplars = 10;

struct Exemplar
{
    int index = 0;         // 1 for the bird's own file, 2..MaxExemplars for the further ones
    QString path;          // the regular file found
    bool personal = false; // from the user's own folder rather than the bundled media
    ExemplarTags tags;

    bool operator==(const Exemplar&) const = default;
};

// The name of exemplar index of a bird without its extension: b22, b22-2, k22-10.
// Pictures and calls only; index 1 is the bird's own file.
QString exemplarStem(BirdFile kind, const QString& numberText, int index);

// Every path exemplar index may have, in the order they are looked for: root by
// root, extension by extension, as birdFileCandidates does for index 1.
QStringList exemplarCandidates(const QStringList& roots, BirdFile kind, const QString& numberText, int index);

// The bird's exemplars of one kind that are regular files, the first one first,
// then by number; with the tags beside each. A directory, pipe or socket under a
// name is passed over, as for the first. Descriptions have none. Touches the disk
// (stats up to 2 × 5 names a number, reads the small tags files): a screen asks
// for it on a worker, as for the bird's other media, never on the UI thread.
QList<Exemplar> findExemplars(const QStringList& roots, BirdFile kind, const QString& numberText);

// Exemplar index alone, when a screen already knows which one it wants; none
// when no regular file stands under any of its names. Worker only.
std::optional<Exemplar> findExemplar(const QStringList& roots, BirdFile kind, const QString& numberText,
                                     int index);

} // namespace media
