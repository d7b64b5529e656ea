#include "FilePresence.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// Lower case, and no zeros in front of a number: the name a careless copy
// most likely meant.
QString looseName(const QString& name)
{
    static const QRegularExpression leadingZeros(u"(?<![0-9])0+(?=[0-9])"_s);
    return name.toLower().remove(leadingZeros);
}

QString nearMiss(const QFileInfo& wanted)
{
    const QString loose = looseName(wanted.fileName());
    const QStringList names = wanted.dir().entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (looseName(name) == loose)
            return name;
    }
    return {};
}

} // namespace

std::optional<Finding> checkPresent(const QString& path)
{
    const QFileInfo info(path);
    if (info.isFile())
        return std::nullopt;
    if (info.exists())
        return Finding::problem(u"not a regular file"_s);
    const QString other = nearMiss(info);
    if (!other.isEmpty()) {
        return Finding::problem(u"missing (there is %1, but the program looks for the exact name %2)"_s.arg(
            other, info.fileName()));
    }
    return Finding::problem(u"missing"_s);
}
