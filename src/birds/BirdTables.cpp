#include "BirdTables.h"

#include "BirdSpecies.h"

namespace birds {
namespace {

// clang-format off
// The bird numbers down the left column of the board, then the right; the names come from
// the species table and stand in Japanese syllabary order.
constexpr std::array<qint16, BoardSize> SpringSummer{{
    2, 1, 7, 39, 17, 13, 24, 12, 6, 4,
    30, 40, 20, 37, 23, 14, 3, 10, 26, 16,
    31, 19, 5, 22, 9, 18, 21, 11, 28, 35,
    34, 27, 8, 33, 36, 29, 15, 25, 32, 38,
}};

constexpr std::array<qint16, BoardSize> AutumnWinter{{
    61, 45, 42, 64, 51, 70, 50, 69, 49, 54,
    59, 72, 52, 55, 48, 67, 79, 66, 41, 62,
    58, 68, 56, 63, 78, 75, 46, 77, 71, 47,
    53, 60, 74, 73, 76, 43, 65, 44, 57, 80,
}};
// clang-format on

// The boards with their names, filled once from the numbers above.
std::array<BoardEntry, BoardSize> boardOf(const std::array<qint16, BoardSize>& numbers)
{
    std::array<BoardEntry, BoardSize> entries{};
    for (int position = 0; position < BoardSize; ++position)
        entries[position] = {species::ofBird(numbers[position]).boardName, numbers[position]};
    return entries;
}

} // namespace

const std::array<BoardEntry, BoardSize>& board(Season season)
{
    static const std::array<BoardEntry, BoardSize> springSummer = boardOf(SpringSummer);
    static const std::array<BoardEntry, BoardSize> autumnWinter = boardOf(AutumnWinter);
    return season == Season::SpringSummer ? springSummer : autumnWinter;
}

qint16 birdNumberAt(Season season, int position)
{
    return board(season).at(position).number;
}

QString nameAt(Season season, int position)
{
    return QString::fromUtf16(board(season).at(position).name);
}

Season seasonOfBird(int birdNumber)
{
    return birdNumber <= BoardSize ? Season::SpringSummer : Season::AutumnWinter;
}

QString nameOfBird(int birdNumber)
{
    if (birdNumber < FirstBird || birdNumber > LastBird)
        return {};
    return species::boardName(birdNumber);
}

NumberTable numberTable(Season season)
{
    NumberTable table{};
    for (int position = 0; position < BoardSize; ++position)
        table[position + 1] = birdNumberAt(season, position);
    return table;
}

} // namespace birds
