// piyo-birds OUT_DIR
// Paints the 80 bird pictures of the media set into OUT_DIR as b1.gif ... b80.gif,
// and each at twice its size as b1@2x.gif ... b80@2x.gif for larger windows.
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
        QImage twice;
        const QImage picture = BirdPainter(species).paint(&twice);
        for (const auto& [image, name] : {std::pair{&picture, u"b%1.gif"_s},
                                          std::pair{static_cast<const QImage*>(&twice), u"b%1@2x.gif"_s}}) {
            const QString path = out.filePath(name.arg(species.number));
            QString error;
            if (!writeGif87a(*image, path, &error)) {
                QTextStream(stderr) << "piyo-birds: cannot write " << path << ": " << error << '\n';
                return 1;
            }
        }
    }
    return 0;
}
