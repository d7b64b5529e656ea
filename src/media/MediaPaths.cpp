#include "MediaPaths.h"

#include "MediaFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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

// A media file's directory, the start of its name and the extensions it may have.
struct FileName
{
    QString directory;
    QString stem;
    QStringList extensions;
};

FileName birdFileName(BirdFile kind, const QString& numberText)
{
    switch (kind) {
    case BirdFile::Picture:
        return {pictureDirectoryName(), u"b"_s + numberText, pictureExtensions()};
    case BirdFile::Call:
        return {callDirectoryName(), u"k"_s + numberText, callExtensions()};
    case BirdFile::Description:
        return {descriptionDirectoryName(), u"s"_s + numberText, {u"txt"_s}};
    }
    return {};
}

FileName feedbackFileName(FeedbackFile kind)
{
    switch (kind) {
    case FeedbackFile::RightPicture:
        return {pictureDirectoryName(), u"maru"_s, pictureExtensions()};
    case FeedbackFile::WrongPicture:
        return {pictureDirectoryName(), u"batu"_s, pictureExtensions()};
    case FeedbackFile::RightSound:
        return {callDirectoryName(), u"o"_s, callExtensions()};
    case FeedbackFile::WrongSound:
        return {callDirectoryName(), u"x"_s, callExtensions()};
    }
    return {};
}

QString pathOf(const QString& root, const FileName& name, const QString& extension)
{
    return root + relative({name.directory, name.stem + u'.' + extension});
}

QStringList candidates(const QStringList& roots, const FileName& name)
{
    QStringList paths;
    for (const QString& root : roots)
        for (const QString& extension : name.extensions)
            paths.append(pathOf(root, name, extension));
    return paths;
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

QString personalRoot()
{
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // A relative $XDG_DATA_HOME is invalid and ignored, as the XDG rule says.
    if (!data.isEmpty() && QDir::isRelativePath(data))
        data = QDir::homePath() + u"/.local/share"_s;
    return data.isEmpty() ? QString() : data + Separator + u"piyo"_s;
}

QStringList mediaRoots(const QString& dataRoot)
{
    const QString personal = personalRoot();
    if (personal.isEmpty() || personal == dataRoot)
        return {dataRoot};
    return {personal, dataRoot};
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
    const FileName name = birdFileName(kind, numberText);
    return pathOf(root, name, name.extensions.first());
}

QString feedbackFilePath(const QString& root, FeedbackFile kind)
{
    const FileName name = feedbackFileName(kind);
    return pathOf(root, name, name.extensions.first());
}

QStringList pictureExtensions()
{
    return {u"gif"_s, u"jpg"_s, u"jpeg"_s, u"png"_s, u"webp"_s};
}

QStringList callExtensions()
{
    return {u"wav"_s, u"flac"_s, u"ogg"_s, u"opus"_s, u"mp3"_s};
}

QStringList birdFileCandidates(const QStringList& roots, BirdFile kind, const QString& numberText)
{
    return candidates(roots, birdFileName(kind, numberText));
}

QStringList feedbackFileCandidates(const QStringList& roots, FeedbackFile kind)
{
    return candidates(roots, feedbackFileName(kind));
}

QString firstRegularFile(const QStringList& candidates)
{
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile())
            return path;
    return {};
}

QString findBirdFile(const QStringList& roots, BirdFile kind, const QString& numberText)
{
    return firstRegularFile(birdFileCandidates(roots, kind, numberText));
}

QString findFeedbackFile(const QStringList& roots, FeedbackFile kind)
{
    return firstRegularFile(feedbackFileCandidates(roots, kind));
}

bool callFileCheck(const QString& path)
{
    return FileDescriptor(openRegularFile(path)).isOpen();
}

} // namespace media
