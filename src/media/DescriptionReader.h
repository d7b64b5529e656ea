#pragma once

#include "MediaLimits.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Description files: code page 932 text, one list line per text line. A line
// ends at CR LF or a lone CR; a lone LF stays inside its line. Empty lines are
// lines too, but a final line end adds no empty line after it.
namespace description {

// Decodes code page 932; an invalid byte or a dangling lead byte becomes
// U+FFFD and the rest is still decoded.
QString decodeCp932(const QByteArray& bytes);

QStringList splitLines(const QString& text);

// A missing or unreadable file, or anything but a regular file, gives no lines. Descriptions are a screenful;
// past MaxBytes, MaxLines or MaxLineLength the rest of a file or line is left
// out so that opening a runaway file never freezes the screen.
QStringList read(const QString& path);

inline constexpr qint64 MaxBytes = media::limits::MaxDescriptionBytes;
inline constexpr int MaxLines = 2000;
// The list neither wraps nor scrolls sideways, so nothing past its right edge
// is ever seen; one enormous line would still take long to measure and paint.
inline constexpr int MaxLineLength = 1000;

} // namespace description
