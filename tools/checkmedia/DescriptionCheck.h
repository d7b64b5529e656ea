#pragma once

#include "Finding.h"

// Checks a description: strictly valid code page 932 (the program shows a bad
// byte as a replacement mark and carries on), CR LF line ends, not empty, and
// lines that fit the list.
Findings checkDescription(const QString& path);

// The description list is this many full-width characters wide in its
// fixed-pitch font; the rest of a longer line is cut off.
inline constexpr int ListWidthFullWidth = 18;
