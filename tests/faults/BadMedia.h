#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

// Media files gone wrong in the ways a user's own media set goes wrong: cut
// short, overwritten, saved in another format under the right name, or far
// larger than a study program expects.
namespace badmedia {

QByteArray randomBytes(qsizetype size, quint32 seed);

// A GIF whose header claims `screen` (logical screen) and whose one frame
// claims `frame`, with a 2-colour palette and only a few bytes of image data.
// A zero screen size makes decoders take the frame's size instead.
QByteArray craftedGif(QSize screen, QSize frame);
// A real GIF of random pixels, the worst case for decoding time.
QByteArray noiseGif(int side);
QByteArray png();

// A one-second tone in the given libsndfile format (container | encoding).
QByteArray sound(int sndfileFormat, int rate = 22050, int channels = 1, double seconds = 1.0);
// An ID3v2 tag followed by what look like MPEG audio frames with random bodies.
QByteArray fakeMp3();
// A WAV file whose header is patched to claim another sample rate.
QByteArray withRate(QByteArray wav, quint32 rate);

QByteArray toCp932(const QString& text);
// A description of several Japanese lines, CR LF ends.
QByteArray description();
// `lines` numbered lines of Japanese text, CR LF ends.
QByteArray manyLines(int lines);
// One line of `bytes` bytes of Japanese text, with no line end.
QByteArray oneLongLine(qsizetype bytes);
QByteArray utf16Text();

} // namespace badmedia
