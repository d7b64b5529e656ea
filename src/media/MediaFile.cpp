#include "MediaFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace media {
namespace {

QString systemError(int error)
{
    return u"cannot be opened: %1"_s.arg(QString::fromLocal8Bit(std::strerror(error)));
}

std::optional<QByteArray> readOpenFile(int fd, qint64 maxBytes, QString* why);

} // namespace

FileDescriptor::~FileDescriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int openRegularFile(const QString& path, QString* why, Links links)
{
    auto fail = [why](QString reason) {
        if (why)
            *why = std::move(reason);
        return -1;
    };
    if (path.isEmpty())
        return fail(u"file not found"_s);
    // O_NONBLOCK: opening a pipe that has no writer returns at once instead of waiting for one.
    const int noFollow = links == Links::Refuse ? O_NOFOLLOW : 0;
    FileDescriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | noFollow));
    if (!file.isOpen()) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return fail(u"file not found"_s);
        if (error == ELOOP && links == Links::Refuse)
            return fail(u"a symbolic link, not followed"_s);
        if (error == ENXIO) // a socket
            return fail(u"not a regular file"_s);
        return fail(systemError(error));
    }
    struct stat status
    {
    };
    if (::fstat(file.get(), &status) != 0)
        return fail(systemError(errno));
    if (!S_ISREG(status.st_mode))
        return fail(u"not a regular file"_s);
    // Reading a regular file never waits on another program; ordinary blocking reads are simpler.
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags >= 0)
        ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK);
    return file.release();
}

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes, QString* why, Links links)
{
    const FileDescriptor fd(openRegularFile(path, why, links));
    if (!fd.isOpen())
        return std::nullopt;
    return readOpenFile(fd.get(), maxBytes, why);
}

std::optional<QByteArray> readWholeRegularFile(const QString& path, qint64 maxBytes, QString* why,
                                               Links links)
{
    const FileDescriptor fd(openRegularFile(path, why, links));
    if (!fd.isOpen())
        return std::nullopt;
    struct stat status
    {
    };
    if (::fstat(fd.get(), &status) != 0) {
        if (why)
            *why = systemError(errno);
        return std::nullopt;
    }
    if (status.st_size > maxBytes) {
        if (why)
            *why = u"%1 bytes; no more than %2 are read"_s.arg(qint64(status.st_size)).arg(maxBytes);
        return std::nullopt;
    }
    return readOpenFile(fd.get(), maxBytes, why);
}

namespace {

std::optional<QByteArray> readOpenFile(int fd, qint64 maxBytes, QString* why)
{
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        if (why)
            *why = file.errorString();
        return std::nullopt;
    }
    // QIODevice::read(n) takes n bytes of memory before it reads: ask for what the
    // file holds, then for the rest in small pieces should it have grown meanwhile.
    QByteArray bytes = file.read(std::clamp<qint64>(file.size(), 0, maxBytes));
    while (bytes.size() < maxBytes && file.error() == QFileDevice::NoError) {
        const QByteArray more = file.read(std::min<qint64>(maxBytes - bytes.size(), qint64{64} * 1024));
        if (more.isEmpty())
            break;
        bytes += more;
    }
    if (file.error() != QFileDevice::NoError) {
        if (why)
            *why = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

} // namespace
} // namespace media
