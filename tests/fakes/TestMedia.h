#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

// A small media set written beside the test executable, where the program
// looks for its media. Pictures are plain colour blocks whose size tells the
// bird apart; calls are short tones.
namespace testmedia {

QString root();
void clear();

// The full set: pictures, calls and descriptions for all 80 birds, and the
// feedback files.
void writeAll();

QSize pictureSize(int bird); // the size bird N's picture is written at
void writePicture(int bird);
void writeCall(int bird);
void writeDescription(int bird, const QByteArray& cp932);
void writeFeedback();

void remove(const QString& relativePath);

// A PCM WAV: a sine tone at `hertz` for `seconds`.
QByteArray toneWav(double hertz, double seconds, int rate = 22050);

} // namespace testmedia
