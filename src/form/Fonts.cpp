#include "Fonts.h"

#include "Palette.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <QTextStream>

using namespace Qt::StringLiterals;

void installJapaneseFonts()
{
    struct Substitute
    {
        QString layoutFamily;
        QString installedFamily;
    };
    const Substitute substitutes[] = {
        {typeface::Mincho, u"IPAPMincho"_s},
        {typeface::FixedMincho, u"IPAMincho"_s},
        {typeface::Gothic, u"IPAPGothic"_s},
    };
    const QStringList installed = QFontDatabase::families();
    for (const Substitute& substitute : substitutes) {
        QFont::insertSubstitution(substitute.layoutFamily, substitute.installedFamily);
        if (!installed.contains(substitute.installedFamily)) {
            const QString fallback = QFontInfo(QFont(substitute.layoutFamily)).family();
            QTextStream(stderr) << "piyo: Japanese font " << substitute.installedFamily
                                << " is not installed; using " << fallback << " for "
                                << substitute.layoutFamily << " (install fonts-ipafont)\n";
        }
    }
}
