#pragma once

#include "MediaLimits.h"

#include <QImage>
#include <QString>

// Reads a bird or feedback picture: GIF, JPEG, PNG or WebP, told apart by
// content, with a camera's orientation tag applied. A missing, broken or
// oversized file, or anything but a regular file, gives a null image: the
// screen shows no picture and carries on. Safe to call on any thread (an
// image, not a pixmap).
//
// Beside a picture there may be finer copies of it, drawn at two or three times
// its size under the same name with @2x or @3x (b12@2x.gif beside b12.gif).
// fineness is how fine the window that shows it wants it: its scale factor
// times the screen's device pixel ratio. Above 1, the coarsest copy at least as
// fine as that is read instead, and marked with its device pixel ratio, so it
// keeps the plain picture's size on the screen.
QImage readPicture(const QString& path, double fineness = 1.0);

// Whether a JPEG's data runs to its end marker: a file cut short decodes with its
// missing rows grey, and Qt does not say so.
bool jpegComplete(const QByteArray& bytes);

// Pictures are made for a 298 × 361-pixel panel, but a photograph straight from
// a camera is often 4000 pixels wide. Decoding happens on a worker, so the cap
// only guards against absurd files: a 4096 × 4096 picture takes 64 MB once
// decoded, and one more than 4096 pixels a side (or beyond the pixel budget of
// media::limits) is refused before decoding.
inline constexpr int MaxPictureSide = media::limits::MaxShownPictureSide;
// Larger files are read only up to here, and fail to decode.
inline constexpr qint64 MaxPictureBytes = media::limits::MaxPictureFileBytes;

// piyo-import keeps a photograph at up to twice the panel's size and says so in the PNG
// under this key ("2"). Such a picture is shown at its design size, halved here.
inline constexpr QLatin1String PictureScaleKey("piyo-scale");
