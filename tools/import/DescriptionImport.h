#pragma once

#include <QByteArray>
#include <QString>

// A description written as UTF-8 text becomes what the program reads: code page 932 with
// CR LF line ends. A character code page 932 cannot hold is refused with its line and
// place ("line 3, character 5: ..."), never replaced by another.
namespace descriptionimport {

bool toCodePage932(const QByteArray& utf8, QByteArray* encoded, QString* error);

} // namespace descriptionimport
