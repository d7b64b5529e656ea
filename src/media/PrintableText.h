#pragma once

#include <QString>

namespace media {

// A file name as it may be printed on a terminal: control characters (a
// newline, ESC, DEL, C1 controls) and the marks that turn text direction
// around are written as \n, \t, \x1b, \u202e and so on, so a name cannot
// fake a line of output or send the terminal a command. A backslash is
// doubled, so the escaped form reads back one way only.
QString printable(const QString& text);

} // namespace media
