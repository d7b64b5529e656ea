// piyo-birds OUT_DIR
// Paints the 80 bird pictures of the media set into OUT_DIR as b1.gif ... b80.gif,
// and each at twice its size as b1@2x.gif ... b80@2x.gif for larger windows; then
// the further pictures of some birds (b66-2.gif, b66-2@2x.gif) with their tags
// beside them (b66-2.tags).
#include "BirdPainter.h"
#include "ExemplarTags.h"
#include "GifWriter.h"
#include "Species.h"

#include <QDir>
#include <QFile>
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
    // Writes one picture at both sizes under stem: b22, b22-2.
    const auto write = [&out](const QImage& picture, const QImage& twice, const QString& stem) {
        for (const auto& [image, name] :
             {std::pair{&picture, stem + u".gif"_s},
              std::pair{static_cast<const QImage*>(&twice), stem + u"@2x.gif"_s}}) {
            const QString path = out.filePath(name);
            QString error;
            if (!writeGif87a(*image, path, &error)) {
                QTextStream(stderr) << "piyo-birds: cannot write " << path << ": " << error << '\n';
                return false;
            }
        }
        return true;
    };
    const auto paint = [&write](const Species& species, const QString& stem) {
        QImage twice;
        const QImage picture = BirdPainter(species).paint(&twice);
        return write(picture, twice, stem);
    };
    const auto paintFlight = [&write](const FlightPicture& flight, int seed, const QString& stem) {
        QImage twice;
        const QImage picture = ::paintFlight(flight, seed, &twice);
        return write(picture, twice, stem);
    };
    for (const Species& species : speciesTable())
        if (!paint(species, u"b%1"_s.arg(species.number)))
            return 1;
    for (const FurtherPicture& further : furtherPictures()) {
        const QString stem = u"b%1-%2"_s.arg(further.number).arg(further.index);
        if (further.flight ? !paintFlight(*further.flight, further.number * 10 + further.index, stem)
                           : !paint(further.species, stem))
            return 1;
        QFile tags(out.filePath(stem + u".tags"_s));
        media::ExemplarTags written;
        written.words = further.tags;
        const QByteArray text = media::formatExemplarTags(written);
        if (!tags.open(QIODevice::WriteOnly | QIODevice::Truncate) || tags.write(text) != text.size()) {
            QTextStream(stderr) << "piyo-birds: cannot write " << tags.fileName() << '\n';
            return 1;
        }
    }
    return 0;
}
