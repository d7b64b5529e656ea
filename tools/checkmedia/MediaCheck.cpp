#include "MediaCheck.h"

#include "BirdTables.h"
#include "DescriptionCheck.h"
#include "Exemplars.h"
#include "MediaFile.h"
#include "MediaPaths.h"
#include "PictureCheck.h"
#include "PrintableText.h"
#include "SoundCheck.h"

#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;

MediaCheck::MediaCheck(QString root, QString personalRoot)
    : m_root(std::move(root)), m_personalRoot(std::move(personalRoot))
{}

QList<MediaCheck::Item> MediaCheck::items()
{
    // The names are built exactly as the program builds them, from an empty root.
    auto relative = [](QStringList paths) {
        for (QString& path : paths)
            path.remove(0, 1);
        return paths;
    };
    auto birdItems = [&](Kind kind, media::BirdFile file) {
        QList<Item> list;
        for (int bird = birds::FirstBird; bird <= birds::LastBird; ++bird) {
            const QString number = media::birdNumberText(bird);
            list.append({kind, relative(media::birdFileCandidates({QString()}, file, number)),
                         number + u' ' + birds::nameOfBird(bird), true});
        }
        return list;
    };
    auto feedbackItem = [&](Kind kind, media::FeedbackFile file, const QString& owner) {
        return Item{kind, relative(media::feedbackFileCandidates({QString()}, file)), owner, false};
    };

    QList<Item> list = birdItems(Kind::Picture, media::BirdFile::Picture);
    list << feedbackItem(Kind::Picture, media::FeedbackFile::RightPicture, u"right-answer picture"_s)
         << feedbackItem(Kind::Picture, media::FeedbackFile::WrongPicture, u"wrong-answer picture"_s);
    list += birdItems(Kind::Sound, media::BirdFile::Call);
    list << feedbackItem(Kind::Sound, media::FeedbackFile::RightSound, u"right-answer sound"_s)
         << feedbackItem(Kind::Sound, media::FeedbackFile::WrongSound, u"wrong-answer sound"_s);
    list += birdItems(Kind::Description, media::BirdFile::Description);
    return list;
}

// Further pictures or calls of every bird, by number: most of them are absent, which is fine.
QList<MediaCheck::Item> MediaCheck::furtherItems(Kind kind)
{
    const media::BirdFile file = kind == Kind::Picture ? media::BirdFile::Picture : media::BirdFile::Call;
    QList<Item> list;
    for (int bird = birds::FirstBird; bird <= birds::LastBird; ++bird) {
        const QString number = media::birdNumberText(bird);
        for (int index = 2; index <= media::MaxExemplars; ++index) {
            QStringList names = media::exemplarCandidates({QString()}, file, number, index);
            for (QString& name : names)
                name.remove(0, 1);
            list.append({kind, names,
                         u"%1 %2, %3 %4"_s.arg(number, birds::nameOfBird(bird))
                             .arg(kind == Kind::Picture ? u"picture"_s : u"call"_s)
                             .arg(index),
                         true});
        }
    }
    return list;
}

QString MediaCheck::directoryOf(Kind kind)
{
    switch (kind) {
    case Kind::Picture:
        return media::pictureDirectoryName();
    case Kind::Sound:
        return media::callDirectoryName();
    case Kind::Description:
        return media::descriptionDirectoryName();
    }
    return {};
}

Findings MediaCheck::check(const Item& item, const QString& path)
{
    switch (item.kind) {
    case Kind::Picture:
        return checkPicture(path, item.bird ? PictureUse::Bird : PictureUse::Feedback);
    case Kind::Sound:
        return checkSound(path);
    case Kind::Description:
        return checkDescription(path);
    }
    return {};
}

QStringList MediaCheck::roots() const
{
    if (m_personalRoot.isEmpty() || !QFileInfo(m_personalRoot).isDir())
        return {m_root};
    return {m_personalRoot, m_root};
}

// Files of the media directory are named relative to it, as before; the
// user's own files by their full path, so it is plain which one is meant.
QString MediaCheck::shownPath(const QString& root, const QString& name) const
{
    return root == m_root ? name : root + u'/' + name;
}

MediaCheck::Lookup MediaCheck::find(const Item& item) const
{
    Lookup found;
    for (const QString& root : roots()) {
        for (const QString& name : item.names) {
            const QFileInfo info(root + u'/' + name);
            if (!found.path.isEmpty()) {
                if (info.isFile()) // found under this root: only the rest of its names are left
                    found.unused << shownPath(root, name);
            } else if (info.isFile()) {
                found.path = info.filePath();
                found.shown = shownPath(root, name);
                found.personal = root != m_root;
            } else if (info.exists()) {
                found.passedOver << shownPath(root, name);
            }
        }
        if (!found.path.isEmpty())
            break;
    }
    return found;
}

bool MediaCheck::directoryPresent(Kind kind) const
{
    return std::ranges::any_of(
        roots(), [&](const QString& root) { return QFileInfo(root + u'/' + directoryOf(kind)).isDir(); });
}

int MediaCheck::run(QTextStream& out)
{
    const QList<Item> all = items();
    for (const Kind kind : {Kind::Picture, Kind::Sound, Kind::Description}) {
        QList<Item> ofKind;
        std::ranges::copy_if(all, std::back_inserter(ofKind),
                             [kind](const Item& i) { return i.kind == kind; });
        m_counts[int(kind)] = int(ofKind.size());
        // A whole directory missing is one problem, not eighty.
        if (!directoryPresent(kind)) {
            reportMissingDirectory(out, kind, int(ofKind.size()));
            continue;
        }
        for (const Item& item : ofKind)
            checkItem(out, item);
        if (kind != Kind::Description)
            checkFurther(out, kind);
    }
    out << summary() << Qt::endl;
    return m_problems;
}

void MediaCheck::checkItem(QTextStream& out, const Item& item)
{
    const Lookup found = find(item);
    if (found.path.isEmpty()) {
        // Nothing usable: what stands under the names, or the usual name missing.
        if (found.passedOver.isEmpty()) {
            report(out, item.names.first(), item, check(item, m_root + u'/' + item.names.first()));
            return;
        }
        for (const QString& shown : found.passedOver)
            report(out, shown, item, {Finding::problem(u"not a regular file"_s)});
        return;
    }
    if (found.personal) {
        ++m_personalFiles;
        out << media::printable(found.shown) << u" ("_s << item.owner << u"): your own file"_s << Qt::endl;
    }
    for (const QString& shown : found.passedOver)
        report(out, shown, item, {Finding::warning(u"not a regular file; passed over"_s)});
    for (const QString& shown : found.unused)
        report(out, shown, item,
               {Finding::warning(u"not used: %1 comes first"_s.arg(QFileInfo(found.path).fileName()))});
    report(out, found.shown, item, check(item, found.path));
}

void MediaCheck::checkFurther(QTextStream& out, Kind kind)
{
    for (const Item& item : furtherItems(kind)) {
        const Lookup found = find(item);
        if (found.path.isEmpty() && found.passedOver.isEmpty())
            continue;
        ++m_further[int(kind)];
        checkItem(out, item);
        if (!found.path.isEmpty())
            checkTags(out, item, found.path, found.personal);
    }
}

// A tags file is the user's to edit: one the program cannot read is a warning, never a
// problem, for the picture or call is shown all the same, only without its tags.
void MediaCheck::checkTags(QTextStream& out, const Item& item, const QString& path, bool personal)
{
    const QString tagsPath = media::tagsPathFor(path);
    const QFileInfo info(tagsPath);
    if (!info.exists() && !info.isSymLink())
        return;
    const QString shown =
        shownPath(personal ? m_personalRoot : m_root, directoryOf(item.kind) + u'/' + info.fileName());
    QString why;
    const std::optional<QByteArray> bytes =
        media::readWholeRegularFile(tagsPath, media::MaxTagsFileBytes, &why);
    if (!bytes) {
        report(out, shown, item, {Finding::warning(u"tags not read (%1)"_s.arg(why))});
        return;
    }
    if (media::parseExemplarTags(*bytes).isEmpty() && !bytes->trimmed().isEmpty())
        report(out, shown, item,
               {Finding::warning(u"no tags read: not UTF-8, or no word the program knows (%1)"_s.arg(
                   (media::callTagWords() + media::pictureTagWords()).join(u' ')))});
}

void MediaCheck::report(QTextStream& out, const QString& shown, const Item& item, const Findings& findings)
{
    for (const Finding& finding : findings) {
        const bool problem = finding.kind == Finding::Kind::Problem;
        (problem ? m_problems : m_warnings) += 1;
        out << media::printable(shown) << u" ("_s << item.owner << u"): "_s
            << (problem ? u""_s : u"warning: "_s) << media::printable(finding.text) << Qt::endl;
    }
}

void MediaCheck::reportMissingDirectory(QTextStream& out, Kind kind, int fileCount)
{
    ++m_problems;
    out << directoryOf(kind) << u"/: directory missing (it should hold %1 files)"_s.arg(fileCount)
        << Qt::endl;
}

QString MediaCheck::summary() const
{
    auto counted = [](int n, const QString& one, const QString& many) {
        return u"%1 %2"_s.arg(n).arg(n == 1 ? one : many);
    };
    QString text = u"%1, %2, %3"_s.arg(counted(m_counts[0], u"picture"_s, u"pictures"_s),
                                       counted(m_counts[1], u"sound"_s, u"sounds"_s),
                                       counted(m_counts[2], u"description"_s, u"descriptions"_s));
    if (m_further[0] + m_further[1] > 0)
        text += u" and %1 beside them"_s.arg(QStringList{
            m_further[0] > 0 ? counted(m_further[0], u"further picture"_s, u"further pictures"_s) : QString(),
            m_further[1] > 0 ? counted(m_further[1], u"further call"_s, u"further calls"_s) : QString()}
                                                 .filter(u"f"_s)
                                                 .join(u", "_s));
    text += u" checked: "_s;
    text += m_problems == 0 ? u"no problems"_s : counted(m_problems, u"problem"_s, u"problems"_s);
    if (m_warnings > 0)
        text += u", "_s + counted(m_warnings, u"warning"_s, u"warnings"_s);
    if (m_personalFiles > 0)
        text += u"; %1 from %2"_s.arg(counted(m_personalFiles, u"file"_s, u"files"_s),
                                      media::printable(m_personalRoot));
    return text;
}
