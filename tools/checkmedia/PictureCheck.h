#pragma once

#include "Finding.h"

// Bird pictures go into the picture panel; the right and wrong marks have a
// place of their own.
enum class PictureUse { Bird, Feedback };

// Checks a picture the way the program loads it (by content, refused above
// MaxPictureSide), and with giflib for damage Qt passes over in silence.
Findings checkPicture(const QString& path, PictureUse use);

// The picture panel of the quiz and reference screens, in pixels.
inline constexpr int PanelWidth = 298;
inline constexpr int PanelHeight = 361;
