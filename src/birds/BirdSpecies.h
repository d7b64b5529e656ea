#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <span>

// All the names of each bird, one row per species. A species seen on both name boards
// (ダイゼン is bird 22 in spring/summer and 63 in autumn/winter) is one row with both
// bird numbers, so every name is written once and every tool, test and screen reads it here.
namespace species {

struct Species
{
    const char16_t* boardName;      // as on the name board
    const char16_t* japaneseName;   // the standard Japanese name (標準和名)
    const char16_t* scientificName; // genus and species
    const char16_t* englishName;    // the IOC English name
    qint16 springSummer;            // bird number 1–40, or 0 when not on the 春夏 board
    qint16 autumnWinter;            // bird number 41–80, or 0 when not on the 秋冬 board
    // Names the same bird goes by in field guides and sound archives: older scientific
    // names, English names from before a split, and the names of lists that split it.
    std::array<const char16_t*, 4> otherNames{};
};

std::span<const Species> all();

// The species that bird 1..80 is; a bird number outside 1..80 is a programming error.
const Species& ofBird(int birdNumber);

// The bird numbers of the species: one, or two when it is on both boards (春夏 first).
QList<int> birdNumbers(const Species& species);

QString boardName(int birdNumber);
QString japaneseName(int birdNumber);
QString scientificName(int birdNumber);
QString englishName(int birdNumber);
QStringList otherNames(const Species& species);

} // namespace species
