#pragma once

#include <QString>
#include <QStringList>

// Where the media files are and how their names are formed. Every media path is
// the data root followed by a relative path that begins with the separator.
namespace media {

// The rule for the data root, kept pure so it can be tested on either kind of
// path: a directory that ends in its separator (a drive root "D:\", or "/") loses
// that separator, so that "D:\" gives "D:" and "/" gives "".
QString dataRootFrom(const QString& programDirectory, QChar separator);

// The data root of the running program: the real directory of its executable,
// symbolic links resolved, so an installed bin/piyo link still finds its media.
QString dataRoot();

// The user's own media folder, $XDG_DATA_HOME/piyo (normally ~/.local/share/piyo),
// laid out like the data root (姿, 声, 説明). Empty when there is no home to
// put it in. The folder need not exist.
QString personalRoot();

// Where media files are looked for, in order: the user's own folder, then the
// data root. A file of the user's takes the place of the bundled one of the
// same bird (or feedback), whatever the formats of the two.
QStringList mediaRoots(const QString& dataRoot);

// The decimal digits of a bird number: no sign, no leading zeros, no spaces.
QString birdNumberText(int birdNumber);

enum class BirdFile { Picture, Call, Description };
enum class FeedbackFile { RightPicture, WrongPicture, RightSound, WrongSound };

// The file's traditional name under root: 姿/b<N>.gif, 声/k<N>.wav, 説明/s<N>.txt,
// 姿/maru.gif, 姿/batu.gif, 声/o.wav, 声/x.wav.
QString birdFilePath(const QString& root, BirdFile kind, const QString& numberText);
QString feedbackFilePath(const QString& root, FeedbackFile kind);

// The extensions a picture or a sound may have, in the order they are looked
// for: the traditional one first, then the everyday formats.
QStringList pictureExtensions(); // gif, jpg, jpeg, png, webp
QStringList callExtensions();    // wav, flac, ogg, opus, mp3

// Every path the file may have, in the order they are looked for: root by root,
// and under each root extension by extension (k5.wav, k5.flac, ... k5.mp3).
QStringList birdFileCandidates(const QStringList& roots, BirdFile kind, const QString& numberText);
QStringList feedbackFileCandidates(const QStringList& roots, FeedbackFile kind);

// The first candidate that is a regular file, or an empty string: a pipe,
// directory or socket under one of the names is passed over. Touches the disk
// (without opening anything): not for the UI thread.
QString firstRegularFile(const QStringList& candidates);
QString findBirdFile(const QStringList& roots, BirdFile kind, const QString& numberText);
QString findFeedbackFile(const QStringList& roots, FeedbackFile kind);

// The directory names, for tools that build or check a media directory.
QString pictureDirectoryName();
QString callDirectoryName();
QString descriptionDirectoryName();

// Opens the file for reading and closes it at once. Any failure (no file, no
// directory, anything but a regular file where the file should be) means: no
// sound, no message. Never waits, but touches the disk: not for the UI thread.
bool callFileCheck(const QString& path);

} // namespace media
