#pragma once

#include <QSize>
#include <QtGlobal>

// How much of a media file any reader takes on: the program, piyo-import and
// piyo-check-media share these, so a file one of them takes the others take
// too, and no file, however it lies about its size, costs more memory than
// this. Every limit is checked against what the file declares, before the
// memory for it is asked for.
namespace media::limits {

// A picture's declared width × height. A 50-megapixel camera photograph
// passes; a few-kilobyte file claiming 20000 × 20000 does not. Decoded at
// 4 bytes a pixel the largest picture taken is 256 MB, and a progressive
// JPEG's coefficients at full colour resolution about 400 MB: both well within
// the 512 MB a tool may use.
inline constexpr qint64 MaxPicturePixels = qint64{8192} * 8192;
// The most bytes one decoded picture may take, for QImageReader::setAllocationLimit.
inline constexpr int PictureAllocationMegabytes = int(MaxPicturePixels * 4 / (qint64{1024} * 1024));
// The program shows a picture at its own size (halved for an imported one kept
// at twice the size), so it takes one no more than this a side; piyo-import
// scales larger ones down to the panel.
inline constexpr int MaxShownPictureSide = 4096;
// A file larger than this is not a picture anyone meant for piyo; larger files
// are read only up to here, and fail to decode.
inline constexpr qint64 MaxPictureFileBytes = qint64{64} * 1024 * 1024;

// Samples (frames × channels) decoded into memory at once: 64 MB of floats.
// Longer sounds are read in blocks (the media check, piyo-import) or only
// their start (the player).
inline constexpr qint64 MaxSoundSamplesAtOnce = qint64{16} * 1024 * 1024;
// Frames read at a time when a sound is read in blocks.
inline constexpr qint64 SoundBlockFrames = 4096;

// The program reads no more of a description than this; piyo-import refuses
// a text that would not fit, and reads no more of any text than twice this.
inline constexpr qint64 MaxDescriptionBytes = qint64{256} * 1024;

// Whether a picture of this declared size may be decoded at all.
inline bool withinPixelBudget(QSize size)
{
    return size.isValid() && qint64(size.width()) * size.height() <= MaxPicturePixels;
}

} // namespace media::limits
