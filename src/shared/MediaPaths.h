#pragma once

#include <QString>

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

// The decimal digits of a bird number: no sign, no leading zeros, no spaces.
QString birdNumberText(int birdNumber);

enum class BirdFile { Picture, Call, Description };
enum class FeedbackFile { RightPicture, WrongPicture, RightSound, WrongSound };

QString birdFilePath(const QString& root, BirdFile kind, const QString& numberText);
QString feedbackFilePath(const QString& root, FeedbackFile kind);

// The directory names, for tools that build or check a media directory.
QString pictureDirectoryName();
QString callDirectoryName();
QString descriptionDirectoryName();

// Opens the file for reading and closes it at once. Any failure (no file, no
// directory, anything but a regular file where the file should be) means: no
// sound, no message. Never waits, but touches the disk: not for the UI thread.
bool callFileCheck(const QString& path);

} // namespace media
