#include "LargeMediaSet.h"

#include "GifWriter.h"
#include "MediaPaths.h"
#include "audiotestfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <utility>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Birds = 80;
constexpr double CallSeconds = 119; // 119 s × 44,100 × 2 channels × 2 bytes ≈ 21 MB
constexpr int PictureSide = 1024;
constexpr qint64 DescriptionBytes = 5 * 1024 * 1024;

// A hard link where the file system allows one (same disk, no copy), else a copy.
bool linkOrCopy(const QString& from, const QString& to)
{
    if (::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    return QFile::copy(from, to);
}

QString megabytes(const QString& path)
{
    return QString::number(double(QFileInfo(path).size()) / 1e6, 'f', 1) + u" MB"_s;
}

} // namespace

bool LargeMediaSet::fail(const QString& message)
{
    m_error = message;
    return false;
}

bool LargeMediaSet::writeCall(const QString& path)
{
    return writeToneFile(path, {{440, CallSeconds}}, 44100, 2);
}

bool LargeMediaSet::writePicture(const QString& path)
{
    QImage noise(PictureSide, PictureSide, QImage::Format_RGB32);
    QRandomGenerator random(20240607);
    for (int y = 0; y < PictureSide; ++y) {
        auto* line = reinterpret_cast<quint32*>(noise.scanLine(y));
        for (int x = 0; x < PictureSide; ++x)
            line[x] = 0xff000000u | (random.generate() & 0xffffffu);
    }
    QString error;
    if (!writeGif87a(noise, path, &error))
        return fail(error);
    return true;
}

// Plain Japanese prose in the program's code page, lines ending in CR LF.
bool LargeMediaSet::writeDescription(const QString& path)
{
    const QString line =
        u"%1行目：干潟で見分けるときは、くちばしの長さと脚の色、飛ぶときの声に気をつける。\r\n"_s;
    QStringEncoder encoder("CP932");
    QByteArray text;
    for (int number = 1; text.size() < DescriptionBytes; ++number)
        text += QByteArray(encoder.encode(line.arg(number)));
    if (encoder.hasError())
        return fail(u"cannot encode the description in CP932"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return fail(u"cannot write %1"_s.arg(path));
    return true;
}

bool LargeMediaSet::create(const QString& parentDirectory, const QString& bundledRoot, const QString& program)
{
    m_directory = std::make_unique<QTemporaryDir>(parentDirectory + u"/bench-large-media-XXXXXX"_s);
    if (!m_directory->isValid())
        return fail(u"cannot make a directory in %1"_s.arg(parentDirectory));
    const QString root = m_directory->path();
    const QDir dir(root);
    for (const QString& sub :
         {media::pictureDirectoryName(), media::callDirectoryName(), media::descriptionDirectoryName()})
        if (!dir.mkpath(sub))
            return fail(u"cannot make %1 in %2"_s.arg(sub, root));

    const auto path = [&root](media::BirdFile kind, int bird) {
        return media::birdFilePath(root, kind, media::birdNumberText(bird));
    };
    const QString call = path(media::BirdFile::Call, 1);
    const QString picture = path(media::BirdFile::Picture, 1);
    const QString description = path(media::BirdFile::Description, 1);
    if (!writeCall(call))
        return fail(u"cannot write %1"_s.arg(call));
    if (!writePicture(picture) || !writeDescription(description))
        return false;
    for (int bird = 2; bird <= Birds; ++bird)
        for (const auto& [kind, first] :
             {std::pair{media::BirdFile::Call, call}, std::pair{media::BirdFile::Picture, picture},
              std::pair{media::BirdFile::Description, description}})
            if (!linkOrCopy(first, path(kind, bird)))
                return fail(u"cannot link %1"_s.arg(path(kind, bird)));
    for (const media::FeedbackFile kind :
         {media::FeedbackFile::RightPicture, media::FeedbackFile::WrongPicture,
          media::FeedbackFile::RightSound, media::FeedbackFile::WrongSound})
        if (!linkOrCopy(media::feedbackFilePath(bundledRoot, kind), media::feedbackFilePath(root, kind)))
            return fail(u"cannot copy %1"_s.arg(media::feedbackFilePath(bundledRoot, kind)));

    m_program = dir.filePath(QFileInfo(program).fileName());
    if (!linkOrCopy(program, m_program) || !QFile::setPermissions(m_program, QFile::permissions(program)))
        return fail(u"cannot copy %1 into %2"_s.arg(program, root));
    // Modules the program may load from its own directory go with it.
    const QDir programDirectory = QFileInfo(program).absoluteDir();
    for (const QFileInfo& module : programDirectory.entryInfoList({u"*.so"_s, u"*.so.*"_s}, QDir::Files))
        if (!linkOrCopy(module.filePath(), dir.filePath(module.fileName())))
            return fail(u"cannot copy %1 into %2"_s.arg(module.filePath(), root));

    m_summary =
        u"every bird: call %1 (%2 s stereo 44.1 kHz), picture %3 (%4 px noise GIF), description %5"_s.arg(
            megabytes(call), QString::number(CallSeconds), megabytes(picture), QString::number(PictureSide),
            megabytes(description));
    return true;
}

QString LargeMediaSet::directory() const
{
    return m_directory ? m_directory->path() : QString();
}

LargeMediaSet::LargeMediaSet() = default;
LargeMediaSet::~LargeMediaSet() = default;
