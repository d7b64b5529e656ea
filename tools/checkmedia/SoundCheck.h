#pragma once

#include "Finding.h"

// Checks a call or feedback sound: that it decodes to the end, is in a format
// the player takes, and is not silent.
Findings checkSound(const QString& path);

// Quieter than this all through, a recording is as good as silent.
inline constexpr double SilenceDbfs = -50.0;
