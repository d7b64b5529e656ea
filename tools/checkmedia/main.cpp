// piyo-check-media: lists every media file the program would fail to show or
// play, for people who put their own photographs and recordings in place of
// the bundled ones.

#include "MediaCheck.h"
#include "MediaPaths.h"
#include "PrintableText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

enum ExitStatus { NoProblems = 0, Problems = 1, UsageError = 2 };

const QString Description =
    u"Checks the pictures (姿), sounds (声) and descriptions (説明) the program would use and lists every\n"
    u"file that is missing, cannot be decoded, is silent, is in a format the program cannot use, or\n"
    u"is not valid code page 932 text; warnings are listed too but do not count as problems.\n"
    u"For each file the program takes the first regular file among its names (b<N>.gif, .jpg, .jpeg,\n"
    u".png, .webp; k<N>.wav, .flac, .ogg, .opus, .mp3), in your own folder (%1) first,\n"
    u"then in DIR; every file taken from your own folder is listed.\n"
    u"DIR defaults to the directory this checker is installed in, which is where the program looks.\n"
    u"Exit status: 0 no problems (warnings allowed), 1 problems found, 2 usage error."_s;

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"piyo-check-media"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(Description.arg(media::personalRoot()));
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Shows this help."_s);
    parser.addOption(help);
    const QCommandLineOption alone(u"no-personal"_s, u"Checks DIR alone, without your own folder."_s);
    parser.addOption(alone);
    parser.addPositionalArgument(u"DIR"_s, u"The media directory to check."_s, u"[DIR]"_s);

    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!parser.parse(QCoreApplication::arguments()) || parser.positionalArguments().size() > 1) {
        err << media::printable(parser.errorText().isEmpty() ? u"too many arguments"_s : parser.errorText())
            << Qt::endl
            << u"Try 'piyo-check-media --help' for more."_s << Qt::endl;
        return UsageError;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        return NoProblems;
    }

    const QStringList arguments = parser.positionalArguments();
    const QString directory = arguments.isEmpty() ? media::dataRoot() : arguments.first();
    // The root directory "/" is a media directory too; its data root is "".
    if (!QFileInfo(directory.isEmpty() ? u"/"_s : directory).isDir()) {
        err << u"%1: no such directory"_s.arg(media::printable(directory)) << Qt::endl;
        return UsageError;
    }
    MediaCheck check(media::dataRootFrom(directory, u'/'),
                     parser.isSet(alone) ? QString() : media::personalRoot());
    return check.run(out) > 0 ? Problems : NoProblems;
}
