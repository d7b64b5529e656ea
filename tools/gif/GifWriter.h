#pragma once

#include <QImage>
#include <QString>

// Writes an image as GIF87a with a 256-colour palette. An image of at most 256
// colours keeps them exactly; a richer one is reduced by giflib's median cut.
// Qt itself cannot write GIF.
bool writeGif87a(const QImage& image, const QString& path, QString* error = nullptr);
