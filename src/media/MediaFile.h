#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Opening media files without ever waiting. Only a regular file counts as a
// picture, call or description: a directory, pipe, socket or device in its
// place is treated as missing. The file is opened non-blocking and checked
// after opening, so a file swapped for a pipe between a check and the open
// cannot make a reader wait for a writer that never comes.
namespace media {

// Whether a symbolic link in the file's own place is followed. The media the
// program looks up are followed (a media set may be links into a photo
// library); piyo-import follows only the links the user named.
enum class Links { Follow, Refuse };

// A file descriptor open for reading (blocking again, for ordinary reads), or
// -1 with *why set ("file not found", "not a regular file", "a symbolic link", ...).
int openRegularFile(const QString& path, QString* why = nullptr, Links links = Links::Follow);

// The first maxBytes of a regular file, or nothing with *why set.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes, QString* why = nullptr,
                                          Links links = Links::Follow);

// The whole of a regular file, or nothing with *why set when it is larger than
// maxBytes: the size is checked before anything is read.
std::optional<QByteArray> readWholeRegularFile(const QString& path, qint64 maxBytes, QString* why = nullptr,
                                               Links links = Links::Follow);

// Closes a descriptor from openRegularFile when it goes out of scope.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // Hands the descriptor over: it is no longer closed here.
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

} // namespace media
