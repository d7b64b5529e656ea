#pragma once

#include <QImage>
#include <QString>

// Reads a bird or feedback picture. A missing, broken or oversized file, or
// anything but a regular file, gives a null image: the screen shows no picture
// and carries on. Safe to call on any thread (an image, not a pixmap).
QImage readPicture(const QString& path);

// Pictures are made for a 298 × 361-pixel panel. Decoding a far larger one
// takes long and much memory (an 8000 × 8000 GIF takes most of a second and
// 256 MB; even a noisy 2048 × 2048 one takes 200 ms), so a picture more than
// 1024 pixels a side is refused before it is decoded.
inline constexpr int MaxPictureSide = 1024;
// A 1024 × 1024 picture of pure noise is under 2 MB as a GIF.
inline constexpr qint64 MaxPictureBytes = 16 * 1024 * 1024;
