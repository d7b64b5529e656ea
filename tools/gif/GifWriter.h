#pragma once

#include <QImage>
#include <QString>

// Writes an image as GIF87a with a 256-colour palette. An image of at most 256
// colours keeps them exactly; a richer one is reduced by a median cut refined
// with k-means, mapping every pixel to its nearest palette entry.
// Qt itself cannot write GIF.
bool writeGif87a(const QImage& image, const QString& path, QString* error = nullptr);

// The same reduction to at most 256 colours, as an 8-bit indexed image (null if
// the image is).
QImage reducedTo256Colours(const QImage& image);
