#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Putting a made file into the user's own folder so that nothing is lost and
// nothing outside the folder is touched: the new file is written completely
// under a fresh name beside the old one (created exclusively, never through a
// link, with the user's usual mode) and flushed to disk; only then are the
// earlier files renamed aside and the new one renamed into place, never over a
// name that has appeared meanwhile. On any failure the new file is removed and
// what was moved aside is put back, so the earlier file stays in use.
namespace safewrite {

// Writes the whole file to fd; false with *why set when it cannot.
using Writer = std::function<bool(int fd, QString* why)>;

struct Request
{
    QString root;        // the user's own folder; made when missing
    QString folder;      // its subfolder (姿, 声, 説明): made when missing, never a link
    QString name;        // the file's name in the folder
    QStringList earlier; // names in the folder to move aside (the bird's earlier files)
    QString asideSuffix; // appended to an earlier file's name: ".replaced-<time>"
};

// Returns the names the earlier files were moved aside to, or false with *why.
bool install(const Request& request, const Writer& write, QStringList* movedAside, QString* why);

// Writes all of bytes to fd.
bool writeAll(int fd, const QByteArray& bytes, QString* why);

} // namespace safewrite
