#pragma once

#include "MediaFile.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// A photograph made to suit the picture panel: 298 × 361 px at the design size, kept at up
// to twice that where the photograph has the pixels, so a high-density screen can show it
// sharp. Never enlarged.
namespace pictureimport {

inline constexpr QSize Panel(298, 361);
inline constexpr int MaxScale = 2;

// The size the picture is stored at: the source scaled down, aspect kept, to fit the panel
// at MaxScale; a source that fits already keeps its size.
QSize storedSize(const QSize& source);

// The scale of the stored picture against the design size: 2 when it is larger than the
// panel (it was kept at twice the size), else 1.
int scaleOf(const QSize& stored);

// Reads the picture (orientation tag honoured) and returns it scaled for storing, with its
// scale recorded in it (see PictureLoader). A null image and the reason when it cannot be
// read, when its declared size is beyond media::limits' pixel budget (refused before any
// memory is taken for it), or when it is cut short (a JPEG missing its end).
QImage prepare(const QString& source, QString* error, media::Links links = media::Links::Follow);
QImage prepareBytes(QByteArray bytes, QString* error);

// The picture as PNG.
QByteArray pngBytes(const QImage& image);

// Writes the picture as PNG: to a temporary name beside target, then renamed over it.
bool writePng(const QImage& image, const QString& target, QString* error);

} // namespace pictureimport
