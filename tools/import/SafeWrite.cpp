#include "SafeWrite.h"

#include "MediaFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace safewrite {
namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool fail(QString* why, QString reason)
{
    *why = std::move(reason);
    return false;
}

QByteArray encoded(const QString& name)
{
    return QFile::encodeName(name);
}

// The folder under root, made when missing and opened without following a
// link: a link in its place could lead the files anywhere.
int openFolder(const QString& root, const QString& folder, QString* why)
{
    if (!QDir().mkpath(root)) {
        fail(why, u"cannot create %1"_s.arg(root));
        return -1;
    }
    const media::FileDescriptor rootFd(::open(encoded(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!rootFd.isOpen()) {
        fail(why, u"cannot open %1: %2"_s.arg(root, systemError(errno)));
        return -1;
    }
    if (::mkdirat(rootFd.get(), encoded(folder).constData(), 0777) != 0 && errno != EEXIST) {
        fail(why, u"cannot create %1/%2: %3"_s.arg(root, folder, systemError(errno)));
        return -1;
    }
    const int fd =
        ::openat(rootFd.get(), encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        fail(why,
             error == ELOOP || error == ENOTDIR
                 ? u"%1/%2 is not a folder but a link or a file; piyo-import writes only into a real folder"_s
                       .arg(root, folder)
                 : u"cannot open %1/%2: %3"_s.arg(root, folder, systemError(error)));
    }
    return fd;
}

// A fresh hidden name beside the target, created exclusively: an existing
// file or link under that name is never opened.
int createNew(int folder, const QString& name, QString* newName, QString* why)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *newName =
            u".%1.new-%2"_s.arg(name).arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        // 0666 less the umask: the mode the user's other new files get.
        const int fd = ::openat(folder, encoded(*newName).constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST) {
            fail(why, u"cannot create a file beside %1: %2"_s.arg(name, systemError(errno)));
            return -1;
        }
    }
    fail(why, u"cannot find a free name beside %1"_s.arg(name));
    return -1;
}

// rename(2) that never replaces: a file that appeared under the new name stays.
bool renameNoReplace(int folder, const QString& from, const QString& to)
{
    if (::renameat2(folder, encoded(from).constData(), folder, encoded(to).constData(), RENAME_NOREPLACE) ==
        0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the flag: link and unlink give the same guarantee.
    if (::linkat(folder, encoded(from).constData(), folder, encoded(to).constData(), 0) != 0)
        return false;
    ::unlinkat(folder, encoded(from).constData(), 0);
    return true;
}

} // namespace

bool writeAll(int fd, const QByteArray& bytes, QString* why)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return fail(why, systemError(written < 0 ? errno : ENOSPC));
        done += written;
    }
    return true;
}

bool install(const Request& request, const Writer& write, QStringList* movedAside, QString* why)
{
    const media::FileDescriptor folder(openFolder(request.root, request.folder, why));
    if (!folder.isOpen())
        return false;
    QString newName;
    {
        media::FileDescriptor file(createNew(folder.get(), request.name, &newName, why));
        if (!file.isOpen())
            return false;
        bool written = write(file.get(), why);
        if (written && ::fsync(file.get()) != 0)
            written = fail(why, systemError(errno));
        if (written && ::close(file.release()) != 0)
            written = fail(why, systemError(errno));
        if (!written) {
            ::unlinkat(folder.get(), encoded(newName).constData(), 0);
            return false;
        }
    }

    QStringList aside;
    auto undo = [&] {
        ::unlinkat(folder.get(), encoded(newName).constData(), 0);
        for (qsizetype i = 0; i < aside.size(); ++i)
            renameNoReplace(folder.get(), aside.at(i), request.earlier.at(i));
    };
    for (const QString& earlier : request.earlier) {
        const QString asideName = earlier + request.asideSuffix;
        if (!renameNoReplace(folder.get(), earlier, asideName)) {
            const int error = errno;
            undo();
            return fail(why, u"cannot move %1 aside: %2"_s.arg(earlier, systemError(error)));
        }
        aside << asideName;
    }
    if (!renameNoReplace(folder.get(), newName, request.name)) {
        const int error = errno;
        undo();
        return fail(why, u"cannot put %1 in place: %2"_s.arg(request.name, systemError(error)));
    }
    // The renames themselves survive a power cut.
    ::fsync(folder.get());
    *movedAside = aside;
    return true;
}

} // namespace safewrite
