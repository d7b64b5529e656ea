#include "Importer.h"

#include "BirdSpecies.h"
#include "BirdTables.h"
#include "DescriptionImport.h"
#include "Exemplars.h"
#include "Loudness.h"
#include "MediaLimits.h"
#include "MediaPaths.h"
#include "NameRecognizer.h"
#include "PictureImport.h"
#include "PrintableText.h"
#include "SafeWrite.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace {

QString seasonName(Season season)
{
    return season == Season::SpringSummer ? u"春夏"_s : u"秋冬"_s;
}

QString shown(const QString& path)
{
    return media::printable(path);
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
    Placement placement;
    placement.source = source;
    placement.kind = kindOf(source);
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
    placement.seasonInName = placement.kind != MediaKind::Recording && recognition.plumage.has_value();
    const bool plumageChose = placement.seasonInName && birds.size() == 1;
    if (options.season)
        birds.removeIf([&](int bird) { return birds::seasonOfBird(bird) != *options.season; });
    if (birds.isEmpty() && plumageChose && *recognition.plumage != *options.season)
        placement.problem =
            u"the plumage named in it belongs to the %1 board, and --season %2 leaves that out"_s.arg(
                seasonName(*recognition.plumage), seasonName(*options.season));
    else if (birds.isEmpty())
        placement.problem = u"%1 is not on the %2 board"_s.arg(
            QString::fromUtf16(recognition.species->boardName), seasonName(*options.season));
    placement.birds = birds;
    placement.tags = tagsFromName(QFileInfo(source).fileName(), placement.kind);
    return placement;
}

media::ExemplarTags tagsFromName(const QString& fileName, MediaKind kind)
{
    if (kind != MediaKind::Picture && kind != MediaKind::Recording)
        return {};
    const QStringList allowed =
        kind == MediaKind::Recording ? media::callTagWords() : media::pictureTagWords();
    media::ExemplarTags tags;
    const QString stem = QFileInfo(fileName).completeBaseName();
    for (const QString& word : media::tagWordsIn(stem))
        if (allowed.contains(word))
            tags.words << word;
    // As sound archives name their files: "XC123456 - Grey Plover - Pluvialis squatarola".
    static const QRegularExpression catalogue(u"(?<![a-z0-9])xc ?([0-9]{1,9})(?![0-9])"_s,
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch number = catalogue.match(stem);
    if (number.hasMatch())
        tags.credit = u"XC"_s + number.captured(1);
    return tags;
}

QList<SourceFile> expandArguments(const QStringList& arguments)
{
    QList<SourceFile> files;
    for (const QString& argument : arguments) {
        if (!QFileInfo(argument).isDir()) {
            files.append({argument, true, false});
            continue;
        }
        // Links to folders are not walked into (QDirIterator's default); links to files are
        // listed, to be left alone with a word.
        QList<SourceFile> inDirectory;
        QDirIterator it(argument, QDir::Files | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            inDirectory.append({path, false, it.fileInfo().isSymLink()});
        }
        std::ranges::sort(inDirectory, {}, &SourceFile::path);
        files += inDirectory;
    }
    return files;
}

// What goes into the file, written once the file is made.
struct Importer::Made
{
    safewrite::Writer write;
};

namespace {

safewrite::Writer bytesWriter(QByteArray bytes)
{
    return [bytes = std::move(bytes)](int fd, QString* why) { return safewrite::writeAll(fd, bytes, why); };
}

} // namespace

Importer::Importer(ImportOptions options, QTextStream& out, std::function<bool(const QString&)> ask)
    : m_options(std::move(options)), m_out(out), m_ask(std::move(ask)),
      m_stamp(QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s))
{}

int Importer::run(const QList<SourceFile>& files)
{
    int leftAlone = 0;
    QList<Placement> placements;
    QList<bool> named;
    for (const SourceFile& file : files) {
        const auto leave = [&](const QString& why) {
            m_out << u"left alone: %1: %2"_s.arg(shown(file.path), why) << Qt::endl;
            ++leftAlone;
        };
        if (file.link) {
            leave(u"a symbolic link inside a folder, not followed; name it on the command line to "
                  u"import what it points to"_s);
            continue;
        }
        if (!QFileInfo(file.path).isFile()) {
            leave(u"not a regular file"_s);
            continue;
        }
        const Placement placement = place(file.path, m_options);
        if (!placement.problem.isEmpty()) {
            leave(placement.problem);
            continue;
        }
        placements << placement;
        named << file.named;
    }
    addBesideTheFirst(placements);
    keepOnePerBird(placements, named, leftAlone);
    for (qsizetype i = 0; i < placements.size(); ++i)
        if (!importOne(placements.at(i), named.at(i)))
            ++leftAlone;
    return leftAlone;
}

// A bird that already has a first picture (or call), the user's own or the bundled one,
// keeps it: a new one is added beside it, unless the first is to be replaced.
void Importer::addBesideTheFirst(QList<Placement>& placements) const
{
    if (m_options.replace || m_options.primary)
        return;
    for (Placement& placement : placements) {
        if (placement.kind != MediaKind::Picture && placement.kind != MediaKind::Recording)
            continue;
        const QList<int> birds = placement.birds;
        for (int bird : birds)
            if (!earlierFiles(placement.kind, bird).isEmpty() || hasBundledFirst(placement.kind, bird)) {
                placement.birds.removeOne(bird);
                placement.further << bird;
            }
    }
}

// Two files of one run for the same bird: the one whose name says the plumage wins (it was
// meant for that board), else the first. Another picture or call is added beside it; a
// second description is named, and keeps its other birds.
void Importer::keepOnePerBird(QList<Placement>& placements, QList<bool>& named, int& leftAlone)
{
    std::map<std::pair<MediaKind, int>, qsizetype> chosen;
    for (qsizetype i = 0; i < placements.size(); ++i)
        for (int bird : std::as_const(placements[i].birds)) {
            const auto key = std::pair(placements.at(i).kind, bird);
            const auto found = chosen.find(key);
            if (found == chosen.end())
                chosen[key] = i;
            else if (placements.at(i).seasonInName && !placements.at(found->second).seasonInName)
                found->second = i;
        }
    for (qsizetype i = placements.size() - 1; i >= 0; --i) {
        Placement& placement = placements[i];
        const QList<int> birds = placement.birds;
        for (int bird : birds) {
            const qsizetype winner = chosen.at(std::pair(placement.kind, bird));
            if (winner == i)
                continue;
            placement.birds.removeOne(bird);
            if (placement.kind != MediaKind::Description) {
                placement.further << bird;
                m_out << u"%1: %2 is the %3 of %4 in this run; this one is added beside it"_s.arg(
                             shown(placement.source), shown(placements.at(winner).source),
                             kindWord(placement.kind), birdText(bird))
                      << Qt::endl;
                continue;
            }
            m_out << u"%1: %2 is the %3 of %4 in this run (one %3 per bird)%5"_s.arg(
                         shown(placement.source), shown(placements.at(winner).source),
                         kindWord(placement.kind), birdText(bird),
                         placement.birds.isEmpty() ? u"; left alone"_s : QString())
                  << Qt::endl;
        }
        if (placement.birds.isEmpty() && placement.further.isEmpty()) {
            ++leftAlone;
            placements.removeAt(i);
            named.removeAt(i);
        }
    }
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

// The user's earlier files for this bird, in any format, by name in their folder: links
// and files that are not regular count too, for they would be shown in place of the new one.
QStringList Importer::earlierFiles(MediaKind kind, int bird) const
{
    QStringList earlier;
    const QStringList candidates =
        media::birdFileCandidates({m_options.personalRoot}, birdFileOf(kind), media::birdNumberText(bird));
    for (const QString& candidate : candidates) {
        const QFileInfo info(candidate);
        if (info.exists() || info.isSymLink())
            earlier << info.fileName();
    }
    return earlier;
}

bool Importer::hasBundledFirst(MediaKind kind, int bird) const
{
    if (m_options.dataRoot.isEmpty() || m_options.dataRoot == m_options.personalRoot)
        return false;
    return !media::findBirdFile({m_options.dataRoot}, birdFileOf(kind), media::birdNumberText(bird))
                .isEmpty();
}

// The source read once, within the limits the program reads with, and made to suit it.
std::optional<Importer::Made> Importer::make(const Placement& placement, bool named, QString* error) const
{
    const media::Links links = named ? media::Links::Follow : media::Links::Refuse;
    if (placement.kind == MediaKind::Picture) {
        const QImage picture = pictureimport::prepare(placement.source, error, links);
        if (picture.isNull())
            return std::nullopt;
        return Made{bytesWriter(pictureimport::pngBytes(picture))};
    }
    if (placement.kind == MediaKind::Recording) {
        // A stretch asked for is read alone; the whole of what was read is kept.
        const std::optional<recordingimport::Sound> mono =
            recordingimport::readMono(placement.source, m_options.stretch, error, links);
        if (!mono)
            return std::nullopt;
        const recordingimport::Stretch all{0.0, std::nullopt};
        recordingimport::Sound sound = recordingimport::shape(*mono, all, error);
        if (sound.samples.empty())
            return std::nullopt;
        // Too short or too quiet to measure: kept at the peak shape() gave it.
        recordingimport::normaliseLoudness(sound);
        return Made{[sound](int fd, QString* why) { return recordingimport::writeWav16(sound, fd, why); }};
    }
    // Text: its size is checked before it is read, and what the program would not show is
    // refused rather than cut.
    const qint64 maxText = 2 * media::limits::MaxDescriptionBytes;
    QString why;
    const std::optional<QByteArray> utf8 =
        media::readWholeRegularFile(placement.source, maxText, &why, links);
    if (!utf8) {
        *error = why.contains(u"bytes"_s) ? u"too long for a description (%1)"_s.arg(why) : why;
        return std::nullopt;
    }
    QByteArray text;
    if (!descriptionimport::toCodePage932(*utf8, &text, error))
        return std::nullopt;
    if (text.size() > media::limits::MaxDescriptionBytes) {
        *error = u"too long for a description: %1 KB in code page 932, and the program shows only the "
                 u"first %2 KB"_s.arg((text.size() + 1023) / 1024)
                     .arg(media::limits::MaxDescriptionBytes / 1024);
        return std::nullopt;
    }
    return Made{bytesWriter(text)};
}

bool Importer::importOne(const Placement& placement, bool named)
{
    QString error;
    std::optional<Made> made;
    if (!m_options.dryRun) {
        made = make(placement, named, &error);
        if (!made) {
            m_out << u"left alone: %1: %2"_s.arg(shown(placement.source), error) << Qt::endl;
            return false;
        }
    }
    const Made* content = made ? &*made : nullptr;
    bool all = true;
    for (int bird : placement.birds)
        all = replaceFirst(placement, content, bird) && all;
    for (int bird : placement.further)
        all = addFurther(placement, content, bird) && all;
    return all;
}

bool Importer::replaceFirst(const Placement& placement, const Made* made, int bird)
{
    const QString target = targetPath(placement.kind, bird);
    const QStringList earlier = earlierFiles(placement.kind, bird);
    if (m_options.dryRun) {
        m_out << u"would import %1 → %2 as the %3 of %4"_s.arg(shown(placement.source), shown(target),
                                                               kindWord(placement.kind), birdText(bird))
              << Qt::endl;
        if (!earlier.isEmpty())
            m_out << u"would replace your earlier %1 (%2)%3"_s.arg(
                         kindWord(placement.kind), shown(earlier.first()),
                         m_options.replace ? QString() : u", after asking"_s)
                  << Qt::endl;
        return true;
    }
    if (!earlier.isEmpty() && !m_options.replace &&
        !m_ask(u"%1 already has your own %2 (%3). Replace it?"_s.arg(birdText(bird), kindWord(placement.kind),
                                                                     shown(earlier.first())))) {
        m_out << u"kept: your earlier %1 of %2 (%3); %4 not imported there (--replace replaces it)"_s.arg(
                     kindWord(placement.kind), birdText(bird), shown(earlier.first()),
                     shown(placement.source))
              << Qt::endl;
        return false;
    }
    const QFileInfo targetInfo(target);
    const safewrite::Request request{m_options.personalRoot, targetInfo.dir().dirName(),
                                     targetInfo.fileName(), earlier, u".replaced-"_s + m_stamp};
    QStringList aside;
    QString error;
    if (!safewrite::install(request, made->write, &aside, &error)) {
        m_out << u"failed: %1: %2; your earlier files are as they were"_s.arg(shown(target), error)
              << Qt::endl;
        return false;
    }
    m_out << u"%1 → %2: the %3 of %4"_s.arg(shown(placement.source), shown(target), kindWord(placement.kind),
                                            birdText(bird))
          << Qt::endl;
    for (const QString& name : std::as_const(aside))
        m_out << u"kept the earlier file as %1"_s.arg(shown(targetInfo.dir().filePath(name))) << Qt::endl;
    return placement.kind == MediaKind::Description || writeTags(placement, targetInfo);
}

// The tags beside a new first or further file; an earlier tags file, which told of the file
// replaced, is moved aside with it.
bool Importer::writeTags(const Placement& placement, const QFileInfo& target)
{
    const QString name = target.completeBaseName() + u".tags"_s;
    const QFileInfo earlier(target.dir().filePath(name));
    const bool hadTags = earlier.exists() || earlier.isSymLink();
    if (placement.tags.isEmpty() && !hadTags)
        return true;
    QStringList aside;
    QString error;
    const safewrite::Request request{m_options.personalRoot, target.dir().dirName(), name,
                                     hadTags ? QStringList{name} : QStringList{}, u".replaced-"_s + m_stamp};
    if (!safewrite::install(request, bytesWriter(media::formatExemplarTags(placement.tags)), &aside,
                            &error)) {
        m_out << u"failed: %1: its tags (%2)"_s.arg(shown(target.filePath()), error) << Qt::endl;
        return false;
    }
    return true;
}

namespace {

QString tagsText(const media::ExemplarTags& tags)
{
    QStringList parts = tags.words;
    if (!tags.credit.isEmpty())
        parts << tags.credit;
    return parts.isEmpty() ? QString() : u" ("_s + parts.join(u", "_s) + u')';
}

} // namespace

// The first number from 2 on that no file of the bird uses, in the user's folder or the
// bundled media, in any format, nor a tags file left behind: a bundled second picture keeps
// its place beside the user's, and nothing of the user's is written over.
int Importer::freeIndex(MediaKind kind, int bird) const
{
    const media::BirdFile file = birdFileOf(kind);
    const QString number = media::birdNumberText(bird);
    QStringList roots{m_options.personalRoot};
    if (!m_options.dataRoot.isEmpty() && m_options.dataRoot != m_options.personalRoot)
        roots << m_options.dataRoot;
    const auto taken = m_taken.find({kind, bird});
    for (int index = 2; index <= media::MaxExemplars; ++index) {
        if (taken != m_taken.end() && taken->second.contains(index))
            continue;
        QStringList names = media::exemplarCandidates(roots, file, number, index);
        names << media::tagsPathFor(names.first());
        const bool used = std::ranges::any_of(names, [](const QString& name) {
            const QFileInfo info(name);
            return info.exists() || info.isSymLink();
        });
        if (!used)
            return index;
    }
    return 0;
}

bool Importer::addFurther(const Placement& placement, const Made* made, int bird)
{
    const int index = freeIndex(placement.kind, bird);
    const QString word = kindWord(placement.kind);
    if (index == 0) {
        m_out << u"left alone for %1: %2 has %3 %4s already, the most a bird has; remove one of yours, "
                 u"or replace its first with --replace"_s.arg(birdText(bird), shown(placement.source))
                     .arg(media::MaxExemplars)
                     .arg(word)
              << Qt::endl;
        return false;
    }
    m_taken[{placement.kind, bird}] << index;
    const media::BirdFile file = birdFileOf(placement.kind);
    const QString stem = media::exemplarStem(file, media::birdNumberText(bird), index);
    const QString folder =
        placement.kind == MediaKind::Picture ? media::pictureDirectoryName() : media::callDirectoryName();
    const QString name = stem + (placement.kind == MediaKind::Picture ? u".png"_s : u".wav"_s);
    const QString target = m_options.personalRoot + u'/' + folder + u'/' + name;
    if (m_options.dryRun) {
        m_out << u"would add %1 → %2 as %3 %4 of %5%6"_s.arg(shown(placement.source), shown(target), word)
                     .arg(index)
                     .arg(birdText(bird), tagsText(placement.tags))
              << Qt::endl;
        return true;
    }
    QString error;
    QStringList aside;
    if (!safewrite::install({m_options.personalRoot, folder, name, {}, u".replaced-"_s + m_stamp},
                            made->write, &aside, &error)) {
        m_out << u"failed: %1: %2"_s.arg(shown(target), error) << Qt::endl;
        return false;
    }
    m_out << u"%1 → %2: %3 %4 of %5%6"_s.arg(shown(placement.source), shown(target), word)
                 .arg(index)
                 .arg(birdText(bird), tagsText(placement.tags))
          << Qt::endl;
    return writeTags(placement, QFileInfo(target));
}

namespace {

// "2 pictures (1 yours: 夏羽 1, 幼鳥 1)": how many, whose, and what they show.
QString countText(const QList<media::Exemplar>& exemplars, const QString& one, const QString& many)
{
    const auto yours = std::ranges::count_if(exemplars, &media::Exemplar::personal);
    std::map<QString, int> byTag;
    int untagged = 0;
    for (const media::Exemplar& exemplar : exemplars) {
        for (const QString& word : exemplar.tags.words)
            ++byTag[word];
        untagged += exemplar.tags.words.isEmpty() ? 1 : 0;
    }
    QStringList tags;
    for (const QString& word : media::callTagWords() + media::pictureTagWords())
        if (byTag.contains(word) && !tags.contains(u"%1 %2"_s.arg(word).arg(byTag.at(word))))
            tags << u"%1 %2"_s.arg(word).arg(byTag.at(word));
    if (untagged > 0 && !tags.isEmpty())
        tags << u"untagged %1"_s.arg(untagged);
    QString text = u"%1 %2"_s.arg(exemplars.size()).arg(exemplars.size() == 1 ? one : many);
    QStringList details;
    if (yours > 0)
        details << u"%1 yours"_s.arg(yours);
    if (!tags.isEmpty())
        details << tags.join(u", "_s);
    return details.isEmpty() ? text : text + u" ("_s + details.join(u"; "_s) + u')';
}

} // namespace

void Importer::printSummary()
{
    const QStringList personal{m_options.personalRoot};
    QStringList roots = personal;
    if (!m_options.dataRoot.isEmpty() && m_options.dataRoot != m_options.personalRoot)
        roots << m_options.dataRoot;
    const auto own = [&](media::BirdFile kind, const QString& number) {
        return hasOwn(kind, number.toInt());
    };
    for (Season season : {Season::SpringSummer, Season::AutumnWinter}) {
        QStringList ownPictures, ownCalls, ownDescriptions, bundledPictures, bundledCalls, perBird;
        for (const birds::BoardEntry& entry : birds::board(season)) {
            const QString name = QString::fromUtf16(entry.name);
            const QString number = media::birdNumberText(entry.number);
            (own(media::BirdFile::Picture, number) ? ownPictures : bundledPictures) << name;
            (own(media::BirdFile::Call, number) ? ownCalls : bundledCalls) << name;
            if (!media::findBirdFile(personal, media::BirdFile::Description, number).isEmpty())
                ownDescriptions << name;
            perBird << u"    %1 %2: %3, %4"_s.arg(
                number, name,
                countText(media::findExemplars(roots, media::BirdFile::Picture, number), u"picture"_s,
                          u"pictures"_s),
                countText(media::findExemplars(roots, media::BirdFile::Call, number), u"call"_s, u"calls"_s));
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
        line(u"your own descriptions"_s, ownDescriptions);
        line(u"bundled pictures"_s, bundledPictures);
        line(u"bundled calls"_s, bundledCalls);
        m_out << u"  bird by bird:"_s << Qt::endl;
        for (const QString& text : std::as_const(perBird))
            m_out << text << Qt::endl;
    }
    printShoppingList();
}

bool Importer::hasOwn(media::BirdFile kind, int bird) const
{
    return !media::findExemplars({m_options.personalRoot}, kind, media::birdNumberText(bird)).isEmpty();
}

// What to look for next: each species without a picture or a call of the user's own, under
// the names sound archives and photograph sites file it by.
void Importer::printShoppingList()
{
    QStringList lines;
    for (const species::Species& s : species::all()) {
        const QList<int> birds = species::birdNumbers(s);
        const bool picture =
            std::ranges::any_of(birds, [&](int b) { return hasOwn(media::BirdFile::Picture, b); });
        const bool call = std::ranges::any_of(birds, [&](int b) { return hasOwn(media::BirdFile::Call, b); });
        if (picture && call)
            continue;
        QStringList numbers;
        for (int bird : birds)
            numbers << media::birdNumberText(bird);
        const QString wanted = !picture && !call ? u"pictures and calls"_s
                               : picture         ? u"calls"_s
                                                 : u"pictures"_s;
        lines << u"  %1 (%2): %3 — %4, %5"_s.arg(QString::fromUtf16(s.boardName), numbers.join(u", "_s),
                                                 wanted, QString::fromUtf16(s.scientificName),
                                                 QString::fromUtf16(s.englishName));
    }
    if (lines.isEmpty()) {
        m_out << u"Every bird has pictures and calls of your own."_s << Qt::endl;
        return;
    }
    m_out << u"Only the bundled ones (%1 species); to look for by their scientific and English names:"_s.arg(
                 lines.size())
          << Qt::endl;
    for (const QString& text : std::as_const(lines))
        m_out << text << Qt::endl;
}
