#pragma once

#include "Finding.h"

#include <optional>

// Whether a media file is there as a regular file. When it is missing, a file
// in the same directory whose name differs only in case or in leading zeros
// ("K012.WAV" for "k12.wav") is named: the program looks for the exact name.
std::optional<Finding> checkPresent(const QString& path);
