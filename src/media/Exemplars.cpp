#include "Exemplars.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace media {

QString exemplarStem(BirdFile kind, const QString& numberText, int index)
{
    const QString stem = (kind == BirdFile::Picture ? u"b"_s : u"k"_s) + numberText;
    return index <= 1 ? stem : stem + u'-' + QString::number(index);
}

QStringList exemplarCandidates(const QStringList& roots, BirdFile kind, const QString& numberText, int index)
{
    if (kind == BirdFile::Description || index < 1 || index > MaxExemplars)
        return {};
    // The first is looked up exactly as it always was.
    if (index == 1)
        return birdFileCandidates(roots, kind, numberText);
    const QString directory = kind == BirdFile::Picture ? pictureDirectoryName() : callDirectoryName();
    const QStringList extensions = kind == BirdFile::Picture ? pictureExtensions() : callExtensions();
    const QString stem = exemplarStem(kind, numberText, index);
    QStringList paths;
    for (const QString& root : roots)
        for (const QString& extension : extensions)
            paths << root + u'/' + directory + u'/' + stem + u'.' + extension;
    return paths;
}

std::optional<Exemplar> findExemplar(const QStringList& roots, BirdFile kind, const QString& numberText,
                                     int index)
{
    const QStringList candidates = exemplarCandidates(roots, kind, numberText, index);
    const QString path = firstRegularFile(candidates);
    if (path.isEmpty())
        return std::nullopt;
    // Each root has as many names; the user's folder comes first whenever there are two.
    const qsizetype perRoot = roots.isEmpty() ? 1 : candidates.size() / roots.size();
    const bool personal = roots.size() > 1 && candidates.indexOf(path) < perRoot;
    return Exemplar{index, path, personal, readExemplarTags(path)};
}

QList<Exemplar> findExemplars(const QStringList& roots, BirdFile kind, const QString& numberText)
{
    QList<Exemplar> found;
    for (int index = 1; index <= MaxExemplars; ++index)
        if (std::optional<Exemplar> exemplar = findExemplar(roots, kind, numberText, index))
            found << std::move(*exemplar);
    return found;
}

} // namespace media
