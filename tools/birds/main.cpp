// piyo-birds OUT_DIR
// Paints the 80 bird pictures of the media set into OUT_DIR as b1.gif ... b80.gif.
#include "BirdPainter.h"
#include "GifWriter.h"
#include "Species.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: piyo-birds OUT_DIR\n";
        return 2;
    }
    const QDir out(args.at(1));
    if (!QDir().mkpath(out.path())) {
        QTextStream(stderr) << "piyo-birds: cannot create " << out.path() << '\n';
        return 1;
    }
    for (const Species& species : speciesTable()) {
        const QString path = out.filePath(u"b%1.gif"_s.arg(species.number));
        QString error;
        if (!writeGif87a(BirdPainter(species).paint(), path, &error)) {
            QTextStream(stderr) << "piyo-birds: cannot write " << path << ": " << error << '\n';
            return 1;
        }
    }
    return 0;
}
