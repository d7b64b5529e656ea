#include "Fonts.h"

#include "Palette.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QStringList>
#include <QTextStream>

#include <array>

using namespace Qt::StringLiterals;

namespace {

struct Substitute
{
    QString layoutFamily;
    QString installedFamily;
};

std::array<Substitute, 3> substitutes()
{
    return {{
        {typeface::Mincho, u"IPAPMincho"_s},
        {typeface::FixedMincho, u"IPAMincho"_s},
        {typeface::Gothic, u"IPAPGothic"_s},
    }};
}

} // namespace

void installJapaneseFonts()
{
    for (const Substitute& substitute : substitutes())
        QFont::insertSubstitution(substitute.layoutFamily, substitute.installedFamily);
}

void reportMissingJapaneseFonts()
{
    const QStringList installed = QFontDatabase::families();
    for (const Substitute& substitute : substitutes()) {
        if (installed.contains(substitute.installedFamily))
            continue;
        const QString fallback = QFontInfo(QFont(substitute.layoutFamily)).family();
        QTextStream(stderr) << "piyo: Japanese font " << substitute.installedFamily
                            << " is not installed; using " << fallback << " for " << substitute.layoutFamily
                            << " (install fonts-ipafont)\n";
    }
}

bool standInInstalled(const QString& layoutFamily)
{
    static QHash<QString, bool> known; // the window's thread only
    if (const auto found = known.constFind(layoutFamily); found != known.cend())
        return *found;
    bool installed = false;
    for (const Substitute& substitute : substitutes())
        if (substitute.layoutFamily == layoutFamily)
            installed = QFontDatabase::hasFamily(substitute.installedFamily);
    known.insert(layoutFamily, installed);
    return installed;
}
