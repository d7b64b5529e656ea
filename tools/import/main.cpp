// piyo-import: files your own photographs, recordings and description texts under the right
// bird in your own media folder, made to suit piyo.

#include "Importer.h"
#include "MediaPaths.h"
#include "PrintableText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cmath>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

enum ExitStatus { AllImported = 0, SomeLeftAlone = 1, UsageError = 2 };

const QString Description =
    u"Files photographs (JPEG, PNG, WebP, GIF), recordings (WAV, FLAC, Ogg, Opus, MP3) and descriptions\n"
    u"(UTF-8 text) under the right bird in your own media folder (%1).\n"
    u"The bird is recognised from the file name: its Japanese name in katakana (ダイゼン_2.jpg,\n"
    u"ﾀﾞｲｾﾞﾝ（雄）.jpg), its bird number (22.jpg, b22.jpg), its scientific name (Pluvialis squatarola)\n"
    u"or its English name (Grey Plover, grey-plover), also as sound archives name files\n"
    u"(XC123456 - Grey Plover - Pluvialis squatarola.mp3). A bird on both boards gets a recording under\n"
    u"both numbers, and a photograph too unless --season or a plumage word in the name (夏羽, 冬羽,\n"
    u"summer, winter, breeding, non-breeding) says which. Files it cannot place are listed and left alone.\n"
    u"Each picture and call is added beside the bird's bundled ones and your earlier ones (姿/b22-2.png,\n"
    u"声/k22-3.wav); the quiz and the look-up screens show them in turn. The tags its name gives go in a\n"
    u".tags file beside it: song, call, flight call, alarm (さえずり, 地鳴き, 飛翔, 警戒), 夏羽, 冬羽,\n"
    u"male, female, eclipse, juvenile, in flight, and a sound archive's catalogue number (XC123456) as\n"
    u"its credit. Nothing is replaced unless --replace or --primary asks for it.\n"
    u"Pictures are scaled down to fit the 298 x 361 px panel (kept at up to twice that size) and stored\n"
    u"as PNG; recordings become mono 16-bit WAV at 44.1 or 48 kHz, the loudest 10 s (or --from/--to),\n"
    u"faded in and out, at one loudness (-20 LUFS, true peak below -1 dBTP), with a second of silence at\n"
    u"the end; texts become code page 932.\n"
    u"Exit status: 0 everything imported, 1 some files left alone, 2 usage error."_s;

// A number of seconds: finite and not negative ("inf", "nan" and "1e400" are refused).
std::optional<double> seconds(const QCommandLineParser& parser, const QCommandLineOption& option, bool* ok)
{
    if (!parser.isSet(option))
        return std::nullopt;
    bool valid = false;
    const double value = parser.value(option).toDouble(&valid);
    if (!valid || !std::isfinite(value) || value < 0)
        *ok = false;
    return value;
}

// The season sets by their own names, or by the plumage words that pick them.
std::optional<Season> seasonNamed(const QString& word)
{
    static const QStringList springSummer{u"春夏"_s, u"夏羽"_s, u"summer"_s, u"breeding"_s,
                                          u"spring-summer"_s};
    static const QStringList autumnWinter{u"秋冬"_s, u"冬羽"_s, u"winter"_s, u"non-breeding"_s,
                                          u"autumn-winter"_s};
    const QString lower = word.trimmed().toLower();
    if (springSummer.contains(lower))
        return Season::SpringSummer;
    if (autumnWinter.contains(lower))
        return Season::AutumnWinter;
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"piyo-import"_s);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(Description.arg(media::personalRoot()));
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Shows this help."_s);
    const QCommandLineOption season(
        u"season"_s, u"Only birds of this season set: 春夏 (or summer) or 秋冬 (or winter)."_s, u"SET"_s);
    const QCommandLineOption bird(u"bird"_s, u"Places the one FILE given under bird number N (1-80)."_s,
                                  u"N"_s);
    const QCommandLineOption replace(
        u"replace"_s, u"Makes each file the bird's first picture or call, replacing your earlier "
                      u"first one without asking."_s);
    const QCommandLineOption primary(
        u"primary"_s, u"Makes each file the bird's first picture or call (with --bird N: of that "
                      u"bird), asking before it replaces your earlier first one."_s);
    const QCommandLineOption dryRun(u"dry-run"_s, u"Says what would be imported; writes nothing."_s);
    const QCommandLineOption from(u"from"_s, u"Recordings: keep from this second on."_s, u"SECONDS"_s);
    const QCommandLineOption to(u"to"_s, u"Recordings: keep up to this second."_s, u"SECONDS"_s);
    parser.addOptions({help, season, bird, replace, primary, dryRun, from, to});
    parser.addPositionalArgument(u"FILE"_s, u"Files or directories to import."_s, u"FILE|DIR..."_s);

    // A usage error is one line and where to read more, not the whole help.
    const auto usageError = [&err](const QString& why) {
        err << u"piyo-import: "_s << media::printable(why) << Qt::endl
            << u"Try 'piyo-import --help' for more."_s << Qt::endl;
        return UsageError;
    };
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        out << parser.helpText();
        return AllImported;
    }

    ImportOptions options;
    options.personalRoot = media::personalRoot();
    options.dataRoot = media::dataRoot();
    options.replace = parser.isSet(replace);
    options.primary = parser.isSet(primary);
    options.dryRun = parser.isSet(dryRun);
    bool ok = true;
    options.stretch = {seconds(parser, from, &ok), seconds(parser, to, &ok)};
    QString usage = ok ? QString() : u"--from and --to take a number of seconds, 0 or more"_s;
    if (ok && options.stretch.from && options.stretch.to && *options.stretch.to <= *options.stretch.from)
        usage = u"--to must come after --from"_s;
    if (parser.isSet(season)) {
        options.season = seasonNamed(parser.value(season));
        if (!options.season)
            usage = u"--season takes 春夏 (summer) or 秋冬 (winter)"_s;
    }
    const QList<SourceFile> files = expandArguments(parser.positionalArguments());
    if (parser.isSet(bird)) {
        options.bird = parser.value(bird).toInt(&ok);
        if (!ok || options.bird < 1 || options.bird > 80)
            usage = u"--bird takes a bird number from 1 to 80"_s;
        else if (files.size() != 1)
            usage = u"--bird places one file"_s;
    }
    if (files.isEmpty())
        usage = u"no files to import"_s;
    if (options.personalRoot.isEmpty())
        usage = u"no home folder to put your media in (set HOME or XDG_DATA_HOME)"_s;
    if (!usage.isEmpty())
        return usageError(usage);

    // Asked on the terminal; with no one to answer, an earlier file is kept.
    const bool interactive = isatty(STDIN_FILENO);
    QTextStream in(stdin);
    Importer importer(options, out, [&](const QString& question) {
        if (!interactive)
            return false;
        out << question << u" [y/N] "_s << Qt::flush;
        const QString answer = in.readLine().trimmed().toLower();
        return answer == u"y" || answer == u"yes";
    });
    const int leftAlone = importer.run(files);
    if (!options.dryRun)
        importer.printSummary();
    return leftAlone > 0 ? SomeLeftAlone : AllImported;
}
