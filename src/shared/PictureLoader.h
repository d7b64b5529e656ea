#pragma once

#include <QPixmap>
#include <QString>

// Loads a bird or feedback picture. A missing, broken or oversized file gives a
// null pixmap: the screen shows no picture and carries on.
QPixmap loadPicture(const QString& path);

// Pictures are made for a 298 × 361-pixel panel. Decoding a far larger one
// (an 8000 × 8000 GIF takes most of a second and 256 MB) would freeze the
// screen, so such files are refused before they are decoded.
inline constexpr int MaxPictureSide = 2048;
