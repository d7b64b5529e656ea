#pragma once

#include "Season.h"

#include <QString>
#include <array>

// The two name boards: board position 0..39 → the name on the board and the bird
// number that names the bird's files. Birds 1–40 are the spring/summer set, 41–80
// the autumn/winter set; a bird found in both sets has a number in each.
namespace birds {

inline constexpr int BoardSize = 40;
inline constexpr int FirstBird = 1;
inline constexpr int LastBird = 80;

struct BoardEntry
{
    const char16_t* name;
    qint16 number;
};

const std::array<BoardEntry, BoardSize>& board(Season season);

qint16 birdNumberAt(Season season, int position);
QString nameAt(Season season, int position);

// The name of bird 1..80, and the season set it belongs to.
QString nameOfBird(int birdNumber);
Season seasonOfBird(int birdNumber);

// A screen's bird number table: slot k (1..40) holds the bird number of table entry k,
// that is of board position k − 1. Slot 0 is never used.
using NumberTable = std::array<qint16, BoardSize + 1>;
NumberTable numberTable(Season season);

} // namespace birds
