#include "MediaPaths.h"

#include "MediaFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace media {
namespace {

const QChar Separator = u'/';

QString relative(std::initializer_list<QString> parts)
{
    QString path;
    for (const QString& part : parts)
        path += Separator + part;
    return path;
}

} // namespace

QString dataRootFrom(const QString& programDirectory, QChar separator)
{
    QString root = programDirectory;
    if (root.endsWith(separator))
        root.chop(1);
    return root;
}

QString dataRoot()
{
    // applicationDirPath() reads /proc/self/exe, which already resolves links;
    // canonicalPath() makes sure of it on other systems.
    const QString directory = QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath();
    return dataRootFrom(directory.isEmpty() ? QCoreApplication::applicationDirPath() : directory, Separator);
}

QString birdNumberText(int birdNumber)
{
    return QString::number(birdNumber);
}

QString pictureDirectoryName()
{
    return u"姿"_s;
}
QString callDirectoryName()
{
    return u"声"_s;
}
QString descriptionDirectoryName()
{
    return u"説明"_s;
}

QString birdFilePath(const QString& root, BirdFile kind, const QString& numberText)
{
    switch (kind) {
    case BirdFile::Picture:
        return root + relative({pictureDirectoryName(), u"b"_s + numberText + u".gif"_s});
    case BirdFile::Call:
        return root + relative({callDirectoryName(), u"k"_s + numberText + u".wav"_s});
    case BirdFile::Description:
        return root + relative({descriptionDirectoryName(), u"s"_s + numberText + u".txt"_s});
    }
    return {};
}

QString feedbackFilePath(const QString& root, FeedbackFile kind)
{
    switch (kind) {
    case FeedbackFile::RightPicture:
        return root + relative({pictureDirectoryName(), u"maru.gif"_s});
    case FeedbackFile::WrongPicture:
        return root + relative({pictureDirectoryName(), u"batu.gif"_s});
    case FeedbackFile::RightSound:
        return root + relative({callDirectoryName(), u"o.wav"_s});
    case FeedbackFile::WrongSound:
        return root + relative({callDirectoryName(), u"x.wav"_s});
    }
    return {};
}

bool callFileCheck(const QString& path)
{
    return FileDescriptor(openRegularFile(path)).isOpen();
}

} // namespace media
