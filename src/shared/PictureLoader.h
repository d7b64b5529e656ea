#pragma once

#include <QPixmap>
#include <QString>

// Loads a bird or feedback picture. A missing, broken or oversized file gives a
// null pixmap: the screen shows no picture and carries on.
QPixmap loadPicture(const QString& path);

// Pictures are made for a 298 × 361-pixel panel. Decoding a far larger one
// would freeze the screen (an 8000 × 8000 GIF takes most of a second and
// 256 MB; even a noisy 2048 × 2048 one takes 200 ms), so a picture more than
// 1024 pixels a side is refused before it is decoded.
inline constexpr int MaxPictureSide = 1024;
