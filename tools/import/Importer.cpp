#include "Importer.h"

#include "BirdSpecies.h"
#include "BirdTables.h"
#include "DescriptionImport.h"
#include "MediaPaths.h"
#include "NameRecognizer.h"
#include "PictureImport.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

QString seasonName(Season season)
{
    return season == Season::SpringSummer ? u"春夏"_s : u"秋冬"_s;
}

QString birdText(int bird)
{
    return u"%1 (%2)"_s.arg(species::boardName(bird)).arg(bird);
}

QString kindWord(MediaKind kind)
{
    switch (kind) {
    case MediaKind::Picture:
        return u"picture"_s;
    case MediaKind::Recording:
        return u"call"_s;
    case MediaKind::Description:
        return u"description"_s;
    case MediaKind::Other:
        break;
    }
    return u"file"_s;
}

media::BirdFile birdFileOf(MediaKind kind)
{
    return kind == MediaKind::Picture     ? media::BirdFile::Picture
           : kind == MediaKind::Recording ? media::BirdFile::Call
                                          : media::BirdFile::Description;
}

} // namespace

MediaKind kindOf(const QString& path)
{
    static const QStringList pictures{u"jpg"_s, u"jpeg"_s, u"png"_s, u"webp"_s,
                                      u"gif"_s, u"bmp"_s,  u"tif"_s, u"tiff"_s};
    static const QStringList recordings{u"wav"_s, u"flac"_s, u"ogg"_s, u"oga"_s, u"opus"_s, u"mp3"_s};
    const QString extension = QFileInfo(path).suffix().toLower();
    if (pictures.contains(extension))
        return MediaKind::Picture;
    if (recordings.contains(extension))
        return MediaKind::Recording;
    if (extension == u"txt")
        return MediaKind::Description;
    return MediaKind::Other;
}

Placement place(const QString& source, const ImportOptions& options)
{
    Placement placement{source, kindOf(source), {}, {}};
    if (placement.kind == MediaKind::Other) {
        placement.problem = u"not a picture, recording or text piyo-import takes"_s;
        return placement;
    }
    if (options.bird > 0) {
        placement.birds = {options.bird};
        return placement;
    }
    const Recognition recognition = recognize(QFileInfo(source).fileName());
    if (recognition.ambiguous()) {
        QStringList names;
        for (const species::Species* s : recognition.candidates)
            names << QString::fromUtf16(s->boardName);
        placement.problem = u"names more than one bird (%1); use --bird N"_s.arg(names.join(u", "_s));
        return placement;
    }
    if (!recognition.recognised()) {
        placement.problem = u"no bird recognised in the name; use --bird N"_s;
        return placement;
    }
    QList<int> birds = recognition.birdNumber > 0 ? QList<int>{recognition.birdNumber}
                                                  : species::birdNumbers(*recognition.species);
    // A photograph of a bird on both boards shows one plumage: the file name may say which.
    if (placement.kind != MediaKind::Recording && birds.size() > 1 && recognition.plumage)
        birds.removeIf([&](int bird) { return birds::seasonOfBird(bird) != *recognition.plumage; });
    if (options.season)
        birds.removeIf([&](int bird) { return birds::seasonOfBird(bird) != *options.season; });
    if (birds.isEmpty())
        placement.problem = u"%1 is not on the %2 board"_s.arg(
            QString::fromUtf16(recognition.species->boardName), seasonName(*options.season));
    placement.birds = birds;
    return placement;
}

QStringList expandArguments(const QStringList& arguments)
{
    QStringList files;
    for (const QString& argument : arguments) {
        if (!QFileInfo(argument).isDir()) {
            files << argument;
            continue;
        }
        QStringList inDirectory;
        QDirIterator it(argument, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            inDirectory << it.next();
        inDirectory.sort();
        files << inDirectory;
    }
    return files;
}

Importer::Importer(ImportOptions options, QTextStream& out, std::function<bool(const QString&)> ask)
    : m_options(std::move(options)), m_out(out), m_ask(std::move(ask)),
      m_stamp(QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s))
{}

int Importer::run(const QStringList& files)
{
    int leftAlone = 0;
    for (const QString& file : files) {
        if (!QFileInfo(file).isFile()) {
            m_out << u"left alone: %1: not a regular file"_s.arg(file) << Qt::endl;
            ++leftAlone;
            continue;
        }
        const Placement placement = place(file, m_options);
        if (!placement.problem.isEmpty()) {
            m_out << u"left alone: %1: %2"_s.arg(file, placement.problem) << Qt::endl;
            ++leftAlone;
            continue;
        }
        if (!importOne(placement))
            ++leftAlone;
    }
    return leftAlone;
}

QString Importer::targetPath(MediaKind kind, int bird) const
{
    const QString number = media::birdNumberText(bird);
    switch (kind) {
    case MediaKind::Picture:
        return m_options.personalRoot + u'/' + media::pictureDirectoryName() + u"/b"_s + number + u".png"_s;
    case MediaKind::Recording:
        return m_options.personalRoot + u'/' + media::callDirectoryName() + u"/k"_s + number + u".wav"_s;
    default:
        return media::birdFilePath(m_options.personalRoot, media::BirdFile::Description, number);
    }
}

// The user's earlier file for this bird, in any format, is moved aside (renamed with the
// time of this run), never deleted; without --replace the user is asked first.
bool Importer::makeRoom(MediaKind kind, int bird)
{
    const QStringList candidates =
        media::birdFileCandidates({m_options.personalRoot}, birdFileOf(kind), media::birdNumberText(bird));
    QStringList earlier;
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).exists() || QFileInfo(candidate).isSymLink())
            earlier << candidate;
    if (earlier.isEmpty())
        return true;
    if (m_options.dryRun) {
        m_out << u"would replace your earlier %1 (%2)%3"_s.arg(
                     kindWord(kind), QFileInfo(earlier.first()).fileName(),
                     m_options.replace ? QString() : u", after asking"_s)
              << Qt::endl;
        return true;
    }
    if (!m_options.replace && !m_ask(u"%1 already has your own %2 (%3). Replace it?"_s.arg(
                                  birdText(bird), kindWord(kind), QFileInfo(earlier.first()).fileName())))
        return false;
    for (const QString& file : std::as_const(earlier)) {
        const QString aside = file + u".replaced-"_s + m_stamp;
        if (!QFile::rename(file, aside)) {
            m_out << u"cannot move %1 aside; left as it was"_s.arg(file) << Qt::endl;
            return false;
        }
        m_out << u"kept the earlier file as %1"_s.arg(aside) << Qt::endl;
    }
    return true;
}

bool Importer::importOne(const Placement& placement)
{
    QString error;
    QImage picture;
    recordingimport::Sound sound;
    QByteArray text;
    if (!m_options.dryRun) {
        bool ok = true;
        if (placement.kind == MediaKind::Picture) {
            picture = pictureimport::prepare(placement.source, &error);
            ok = !picture.isNull();
        } else if (placement.kind == MediaKind::Recording) {
            const std::optional<recordingimport::Sound> mono =
                recordingimport::readMono(placement.source, &error);
            if (mono)
                sound = recordingimport::shape(*mono, m_options.stretch, &error);
            ok = !sound.samples.empty();
        } else {
            QFile file(placement.source);
            ok = file.open(QIODevice::ReadOnly);
            if (!ok)
                error = file.errorString();
            else
                ok = descriptionimport::toCodePage932(file.readAll(), &text, &error);
        }
        if (!ok) {
            m_out << u"left alone: %1: %2"_s.arg(placement.source, error) << Qt::endl;
            return false;
        }
    }

    bool all = true;
    for (int bird : placement.birds) {
        const QString target = targetPath(placement.kind, bird);
        if (!makeRoom(placement.kind, bird)) {
            m_out << u"kept: your earlier %1 of %2"_s.arg(kindWord(placement.kind), birdText(bird))
                  << Qt::endl;
            all = false;
            continue;
        }
        m_out << (m_options.dryRun ? u"would import %1 → %2 as the %3 of %4"_s : u"%1 → %2: the %3 of %4"_s)
                     .arg(placement.source, target, kindWord(placement.kind), birdText(bird))
              << Qt::endl;
        if (m_options.dryRun)
            continue;
        bool written = QDir().mkpath(QFileInfo(target).path());
        if (!written)
            error = u"cannot create %1"_s.arg(QFileInfo(target).path());
        else if (placement.kind == MediaKind::Picture)
            written = pictureimport::writePng(picture, target, &error);
        else if (placement.kind == MediaKind::Recording)
            written = recordingimport::writeWav16(sound, target, &error);
        else {
            QSaveFile file(target);
            written = file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
            if (!written)
                error = file.errorString();
        }
        if (!written) {
            m_out << u"failed: %1: %2"_s.arg(target, error) << Qt::endl;
            all = false;
        }
    }
    return all;
}

void Importer::printSummary()
{
    const QStringList personal{m_options.personalRoot};
    for (Season season : {Season::SpringSummer, Season::AutumnWinter}) {
        QStringList ownPictures, ownCalls, bundledPictures, bundledCalls;
        for (const birds::BoardEntry& entry : birds::board(season)) {
            const QString name = QString::fromUtf16(entry.name);
            const QString number = media::birdNumberText(entry.number);
            (media::findBirdFile(personal, media::BirdFile::Picture, number).isEmpty() ? bundledPictures
                                                                                       : ownPictures)
                << name;
            (media::findBirdFile(personal, media::BirdFile::Call, number).isEmpty() ? bundledCalls : ownCalls)
                << name;
        }
        const auto line = [&](const QString& what, const QStringList& names) {
            m_out << u"  %1 (%2): %3"_s.arg(what)
                         .arg(names.size())
                         .arg(names.isEmpty() ? u"none"_s : names.join(u' '))
                  << Qt::endl;
        };
        m_out << seasonName(season) << u':' << Qt::endl;
        line(u"your own pictures"_s, ownPictures);
        line(u"your own calls"_s, ownCalls);
        line(u"bundled pictures"_s, bundledPictures);
        line(u"bundled calls"_s, bundledCalls);
    }
}
