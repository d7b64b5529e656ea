// How long the user-interface thread stops listening while the screens do what
// a user asks of them, with the real sound player and real media:
//   a name click on the reference screen, until the picture has grown and the call started;
//   a question presented on the quiz, and an answer with its feedback;
//   switches between screens, through the program's own screen set;
//   opening the longest description (説明).
// A 1 ms probe timer on the UI thread measures the longest stall in each
// action's window (the action and the event loop after it); the table gives the
// median and the worst over the runs, beside the goal. "idle" is the same
// window with nothing asked but a call playing: what the machine and the sound
// cost on their own.
// Usage: bench_responsiveness [runs] [--large] [--scale=F]
//   --large    writes a large media set beside a copy of this program and runs
//              the copy there (the screens read media beside the executable)
//   --scale=F  every window at F times its design size (1..3; the screen must
//              be large enough), with settings of its own
// On a display when DISPLAY is set and QT_QPA_PLATFORM says nothing, else offscreen.

#include "AudioPlayer.h"
#include "BenchReport.h"
#include "BirdTables.h"
#include "FakeClock.h"
#include "Fonts.h"
#include "Form.h"
#include "FormButton.h"
#include "FormLabel.h"
#include "FormScale.h"
#include "LargeMediaSet.h"
#include "ListBox.h"
#include "LongestDescription.h"
#include "MediaPaths.h"
#include "MenuScreen.h"
#include "PictureBox.h"
#include "QuizScreen.h"
#include "RandomSource.h"
#include "ReferenceScreen.h"
#include "ScreenSet.h"
#include "Settings.h"
#include "StallProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr double BundledGoalMs = 16; // one frame at 60 Hz
constexpr double LargeGoalMs = 30;
// The window after an action in which its stalls count: the picture has grown
// (about 150 ms) and the call has started well within it.
constexpr int SettleMs = 400;
// How long an action may take to show its result before the run is given up.
constexpr int ResultTimeoutMs = 10000;

StallProbe* probe = nullptr;

// Runs the event loop for a while, as the program's own loop would: unlike
// QTest::qWait, it never sleeps between events.
void spin(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop for at least `milliseconds`, and on until `done` holds.
bool spinUntil(int milliseconds, const std::function<bool()>& done)
{
    QElapsedTimer waited;
    waited.start();
    spin(milliseconds);
    while (!done()) {
        if (waited.elapsed() > ResultTimeoutMs)
            return false;
        spin(5);
    }
    return true;
}

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// The longest stall from the start of `action` until its result is in and the
// settling time has passed.
double measure(const std::function<void()>& action, const std::function<bool()>& done, bool* ok)
{
    probe->reset();
    action();
    *ok = spinUntil(SettleMs, done);
    return probe->worstMs();
}

// The text padded to a width in terminal columns: a Japanese character takes two.
QByteArray padded(const QString& text, int columns)
{
    for (const QChar c : text)
        columns -= c.unicode() >= 0x1100 ? 2 : 1;
    return (text + QString(std::max(0, columns), u' ')).toUtf8();
}

bool failed(const char* what)
{
    std::printf("  FAILED: %s\n", what);
    return false;
}

// The worst stall of each action, run after run, in the order first seen.
class Results
{
public:
    void add(const QString& action, double milliseconds)
    {
        for (auto& [name, values] : m_rows)
            if (name == action) {
                values.push_back(milliseconds);
                return;
            }
        m_rows.push_back({action, {milliseconds}});
    }

    void print(double goalMs) const
    {
        std::printf("  %-52s %8s %8s   goal: no stall above %.0f ms\n", "action (longest UI-thread stall)",
                    "median", "max", goalMs);
        for (const auto& [name, values] : m_rows) {
            const double worst = *std::max_element(values.begin(), values.end());
            std::printf("  %s %8.1f %8.1f   %s (n=%zu)\n", padded(name, 52).constData(),
                        bench::median(values), worst, worst <= goalMs ? "met" : "NOT met", values.size());
        }
    }

private:
    std::vector<std::pair<QString, std::vector<double>>> m_rows;
};

// The program's services with the real player and a clock that moves only
// when told, so the quiz's waits pass exactly when the benchmark says.
struct Services
{
    FakeClock clock;
    SystemRandom random;
    Settings settings; // the benchmark's own conf, never the user's
    ScreenServices services{clock, random, [] { return std::make_unique<AudioPlayer>(); }, nullptr,
                            &settings};
};

FormLabel* label(Screen& screen, const QString& name, int index = -1)
{
    return index < 0 ? screen.form()->label(name) : screen.form()->label(name, index);
}

bool shownAndSettled(Screen& screen)
{
    screen.show();
    if (!QTest::qWaitForWindowExposed(screen.form()))
        return false;
    spin(200);
    return true;
}

// A reference screen on show, a bird's name clicked and its call playing.
struct OpenReference
{
    OpenReference(Season season, int position) : screen(season, rig.services)
    {
        screen.setSettings(&rig.settings);
        shown = shownAndSettled(screen);
        if (!shown)
            return;
        click(label(screen, u"Label1"_s, position));
        spin(SettleMs);
    }
    ~OpenReference()
    {
        screen.close();
        spin(100);
    }

    Services rig;
    ReferenceScreen screen;
    bool shown = false;
};

// ダイゼン has two pictures and two calls bundled: 姿 grows the other picture in,
// 声 starts the other call.
bool exemplarSteps(int runs, Results& results)
{
    int position = 0;
    while (position < 39 && birds::birdNumberAt(Season::SpringSummer, position) != 22)
        ++position;
    OpenReference reference(Season::SpringSummer, position);
    if (!reference.shown)
        return failed("the reference window was never shown");
    Screen& screen = reference.screen;
    FormLabel* pictureStep = label(screen, u"Label7"_s);
    FormLabel* callStep = label(screen, u"Label8"_s);
    if (!pictureStep->text().endsWith(u"/2"_s))
        return failed("bird 22 shows no second picture");
    const PictureBox* picture = screen.form()->picture(u"Image1"_s);
    for (int i = 0; i < runs; ++i) {
        bool ok = true;
        const QString shownBefore = pictureStep->text();
        results.add(u"reference: 姿, the next picture grown"_s,
                    measure([&] { click(pictureStep); },
                            [&] { return pictureStep->text() != shownBefore && picture->hasPicture(); },
                            &ok));
        const QString heardBefore = callStep->text();
        results.add(u"reference: 声, the next call started"_s,
                    measure([&] { click(callStep); }, [&] { return callStep->text() != heardBefore; }, &ok));
        if (!ok)
            return failed("a step did not come");
    }
    return true;
}

bool referenceActions(int runs, Results& results)
{
    // The first click warms up the picture loader and the sound server; not counted.
    OpenReference reference(Season::SpringSummer, 39);
    if (!reference.shown)
        return failed("the reference window was never shown");
    Screen& screen = reference.screen;
    const PictureBox* picture = screen.form()->picture(u"Image1"_s);
    for (int i = 0; i < runs; ++i) {
        bool ok = true;
        results.add(u"idle, a call playing (the floor)"_s, measure([] {}, [] { return true; }, &ok));
        const int position = (i * 7 + 3) % 40; // a different bird each time
        results.add(u"reference: name click, picture grown, call started"_s,
                    measure([&] { click(label(screen, u"Label1"_s, position)); },
                            [picture] { return picture->isVisible() && picture->hasPicture(); }, &ok));
        if (!ok)
            return failed("no picture after a name click");
    }
    return exemplarSteps(runs, results);
}

bool descriptionActions(int runs, Results& results)
{
    const bench::LongestDescription longest = bench::longestDescription();
    if (longest.bird == 0)
        return failed("no descriptions found beside the program");
    OpenReference reference(longest.season, longest.position);
    if (!reference.shown)
        return failed("the reference window was never shown");
    Screen& screen = reference.screen;
    ListBox* list = screen.form()->list(u"List1"_s);
    const QString action =
        u"reference: 説明 of s%1.txt (%2 bytes) listed"_s.arg(longest.bird).arg(longest.bytes);
    for (int i = 0; i <= runs; ++i) { // the first opening warms up the decoder; not counted
        bool ok = true;
        const double stall = measure([&] { click(screen.form()->button(u"Command1"_s)); },
                                     [list] { return list->isVisible() && list->count() > 0; }, &ok);
        if (!ok)
            return failed("the description did not open");
        if (i > 0)
            results.add(action, stall);
        click(screen.form()->picture(u"Image2"_s)); // closes the viewer
        if (!spinUntil(100, [list] { return !list->isVisible(); }))
            return failed("the description did not close");
    }
    return true;
}

// Questions come on the quiz's own timers; the clock is moved on past each wait
// by at least a second more than its length (a wait starts on the nearest whole
// second, up to half a second late) and the next tick does the rest.
bool quizActions(int runs, Results& results)
{
    Services rig;
    QuizScreen screen(Season::SpringSummer, rig.services);
    screen.setSettings(&rig.settings);
    if (!shownAndSettled(screen))
        return failed("the quiz window was never shown");
    const PictureBox* picture = screen.form()->picture(u"Image1"_s);
    const PictureBox* feedback = screen.form()->picture(u"Image3"_s);
    for (int i = 0; i < runs; ++i) {
        bool ok = true;
        const double question = measure(
            [&] {
                if (i == 0) {
                    rig.clock.advance(2.5); // past the start-up delay
                    return;
                }
                rig.clock.advance(3.0); // the feedback ends
                spin(250);
                rig.clock.advance(3.5); // and the right name, after a wrong answer, has been shown
            },
            [&] { return !feedback->isVisible() && picture->isVisible() && picture->hasPicture(); }, &ok);
        if (!ok)
            return failed("no question came");
        results.add(u"quiz: question presented, picture grown, call started"_s, question);
        const int position = (i * 11 + 5) % 40; // right or wrong, as it falls
        const double answer = measure(
            [&] {
                click(label(screen, u"Label1"_s, position));
                rig.clock.advance(1.5); // past the judging delay
            },
            [feedback] { return feedback->isVisible(); }, &ok);
        if (!ok)
            return failed("no feedback after an answer");
        results.add(u"quiz: answer judged, feedback shown and heard"_s, answer);
    }
    screen.close();
    spin(100);
    return true;
}

template <typename Wanted> bool isOpen(const ScreenSet& screens)
{
    return dynamic_cast<Wanted*>(screens.openScreen()) != nullptr;
}

// Menu -> 春夏調べ -> 春夏探し -> menu through the program's screen set, each
// screen left while its call plays.
bool switchActions(int runs, Results& results)
{
    Services rig;
    ScreenSet screens(rig.services);
    screens.show(ScreenId::Menu);
    if (!QTest::qWaitForWindowExposed(screens.openScreen()->form()))
        return failed("the menu was never shown");
    const Form* menu = screens.openScreen()->form();
    std::printf("  windows at %g times the design size (menu %d x %d)\n", menu->scale(), menu->width(),
                menu->height());
    spin(200);
    const auto clickOpen = [&screens](const QString& name, int index = -1) {
        click(label(*screens.openScreen(), name, index));
    };
    for (int i = 0; i <= runs; ++i) { // the first round creates the screens; not counted
        const auto add = [&](const QString& action, double stall) {
            if (i > 0)
                results.add(action, stall);
        };
        bool ok = true;
        clickOpen(u"Label3"_s); // ■ピヨ調べ: the season submenu
        spin(100);
        add(u"switch: menu -> 春夏調べ"_s,
            measure([&] { clickOpen(u"Label7"_s); }, [&] { return isOpen<ReferenceScreen>(screens); }, &ok));
        if (!ok)
            return failed("the reference screen did not open");
        clickOpen(u"Label1"_s, (i * 7 + 3) % 40);
        spin(SettleMs);
        add(u"switch: 春夏調べ, call playing -> 春夏探し"_s,
            measure([&] { clickOpen(u"Label4"_s); }, [&] { return isOpen<QuizScreen>(screens); }, &ok));
        if (!ok)
            return failed("the quiz did not open");
        rig.clock.advance(2.5); // a question, its call playing
        spin(600);
        add(u"switch: 春夏探し, call playing -> menu"_s,
            measure([&] { clickOpen(u"Label4"_s); }, [&] { return isOpen<MenuScreen>(screens); }, &ok));
        if (!ok)
            return failed("the menu did not open");
    }
    return true;
}

struct Options
{
    int runs = 10;
    bool large = false;
    double goalMs = BundledGoalMs;
    double scale = 0; // 0: as the settings say
    QString setName = u"bundled media set"_s;
};

Options parse(const QStringList& arguments)
{
    Options options;
    for (const QString& argument : arguments) {
        if (argument == u"--large"_s)
            options.large = true;
        else if (argument.startsWith(u"--goal="_s))
            options.goalMs = argument.mid(7).toDouble();
        else if (argument.startsWith(u"--scale="_s))
            options.scale = argument.mid(8).toDouble();
        else if (argument.startsWith(u"--set="_s))
            options.setName = argument.mid(6);
        else if (argument.toInt() > 0)
            options.runs = argument.toInt();
    }
    return options;
}

// Makes the large set beside this program, runs the copy of it that lives in
// the set, and removes the set again.
int runOnLargeSet(const Options& options)
{
    LargeMediaSet set;
    std::printf("responsiveness: making the large media set...\n");
    if (!set.create(QCoreApplication::applicationDirPath(), media::dataRoot(),
                    QCoreApplication::applicationFilePath())) {
        std::printf("  FAILED: %s\n", qPrintable(set.errorString()));
        return EXIT_FAILURE;
    }
    QProcess copy;
    copy.setProcessChannelMode(QProcess::ForwardedChannels);
    QStringList arguments{QString::number(options.runs), u"--goal=%1"_s.arg(LargeGoalMs),
                          u"--set=large media set (%1)"_s.arg(set.summary())};
    if (options.scale > 0)
        arguments << u"--scale=%1"_s.arg(options.scale);
    copy.start(set.program(), arguments);
    if (!copy.waitForFinished(-1) || copy.exitStatus() != QProcess::NormalExit) {
        std::printf("  FAILED: the copy in %s did not finish\n", qPrintable(set.directory()));
        return EXIT_FAILURE;
    }
    return copy.exitCode();
}

int run(const QStringList& arguments)
{
    const Options options = parse(arguments);
    if (options.large)
        return runOnLargeSet(options);
    std::printf("responsiveness: %s, %s, real sound player, %d runs\n", qPrintable(options.setName),
                qPrintable(QGuiApplication::platformName()), options.runs);
    if (options.scale > 0)
        Settings().setScale(options.scale); // written before the first window is made
    StallProbe stallProbe;
    probe = &stallProbe;
    Results results;
    const bool ok = referenceActions(options.runs, results) && quizActions(options.runs, results) &&
                    switchActions(options.runs, results) && descriptionActions(options.runs, results);
    results.print(options.goalMs);
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        bench::preferOffscreen();
    // A window size asked for on the command line never reaches the user's settings.
    QTemporaryDir settings;
    for (int i = 1; i < argc; ++i)
        if (qstrncmp(argv[i], "--scale=", 8) == 0)
            qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    installJapaneseFonts();
    return bench::runInEventLoop(run);
}
