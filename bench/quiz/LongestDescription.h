#pragma once

#include "Season.h"

#include <QtGlobal>

namespace bench {

// The description with the most bytes in the program's media set, and where
// its bird's name stands on the board of its season set.
struct LongestDescription
{
    int bird = 0; // 0: no description found
    qint64 bytes = 0;
    Season season = Season::SpringSummer;
    int position = 0;
};

LongestDescription longestDescription();

} // namespace bench
