// The reference screen on the bundled media set with the real sound player.
//   name click   click on a name -> picture and call asked for (read on a worker)
//   description  click on 説明 -> the longest bundled description listed and painted
//   steps        click on 姿 / 声 -> the bird's next picture or call asked for (read on a worker)
// Usage: bench_reference [runs]   (default 20)
// Offscreen unless QT_QPA_PLATFORM says otherwise (on a real display the
// zoom-in deliberately takes about 20 × 7 ms).

#include "AudioPlayer.h"
#include "BenchReport.h"
#include "BirdTables.h"
#include "FakeClock.h"
#include "Fonts.h"
#include "Form.h"
#include "FormButton.h"
#include "FormLabel.h"
#include "ListBox.h"
#include "LongestDescription.h"
#include "PictureBox.h"
#include "ReferenceScreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A reference screen with the program's own clock, draws and sound player.
struct Reference
{
    explicit Reference(Season season) : screen(season, services)
    {
        screen.show();
        exposed = QTest::qWaitForWindowExposed(screen.form());
    }
    ~Reference()
    {
        screen.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Form& form() { return *screen.form(); }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    void clickName(int position) { click(form().label(u"Label1"_s, position)); }

    SteadyClock clock;
    SystemRandom random;
    ScreenServices services{clock, random, [] { return std::make_unique<AudioPlayer>(); }};
    ReferenceScreen screen;
    bool exposed = false;
};

double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The files are read on workers: what a click asked for arrives a little later.
bool arrives(const std::function<bool()>& done)
{
    for (int wait = 0; wait < 200 && !done(); ++wait)
        QTest::qWait(10);
    return done();
}

bool nameClicks(int runs)
{
    Reference reference(Season::SpringSummer);
    if (!reference.exposed) {
        std::printf("  FAILED: the window was never shown\n");
        return false;
    }
    reference.clickName(39); // warms up the picture loader and the sound server; not counted
    QTest::qWait(40);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const int position = (i * 7 + 3) % birds::BoardSize; // a different bird, and picture, each time
        QElapsedTimer timer;
        timer.start();
        reference.clickName(position);
        times.push_back(msSince(timer));
        const PictureBox* picture = reference.form().picture(u"Image1"_s);
        if (!arrives([picture] { return picture->isVisible() && picture->hasPicture(); })) {
            std::printf("  FAILED: no picture after clicking name %d\n", position);
            return false;
        }
        QTest::qWait(40); // the call plays a little
    }
    bench::printTimes(u"name click -> picture and call asked for"_s, times);
    return true;
}

bool descriptionOpens(int runs)
{
    const bench::LongestDescription longest = bench::longestDescription();
    if (longest.bird == 0) {
        std::printf("  FAILED: no descriptions found beside the program\n");
        return false;
    }
    Reference reference(longest.season);
    reference.clickName(longest.position);
    ListBox* list = reference.form().list(u"List1"_s);
    std::vector<double> times;
    int lines = 0;
    for (int i = 0; i <= runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        reference.click(reference.form().button(u"Command1"_s));
        const bool listed = arrives([list] { return list->isVisible() && list->count() > 0; });
        list->repaint();
        const double took = msSince(timer);
        if (i > 0) // the first opening warms up the decoder; not counted
            times.push_back(took);
        if (!listed) {
            std::printf("  FAILED: the description of bird %d did not open\n", longest.bird);
            return false;
        }
        lines = list->count();
        reference.click(reference.form().picture(u"Image2"_s)); // closes the viewer
        if (list->isVisible()) {
            std::printf("  FAILED: the description did not close\n");
            return false;
        }
    }
    bench::printTimes(u"description button -> s%1.txt listed, painted"_s.arg(longest.bird), times);
    std::printf("    (the longest bundled description: %lld bytes, %d lines)\n", longest.bytes, lines);
    return true;
}

// ダイゼン has two pictures and two calls bundled: each click steps to the other.
bool exemplarSteps(int runs)
{
    Reference reference(Season::SpringSummer);
    int position = 0;
    while (position < birds::BoardSize - 1 && birds::birdNumberAt(Season::SpringSummer, position) != 22)
        ++position;
    reference.clickName(position);
    FormLabel* pictureStep = reference.form().label(u"Label7"_s);
    FormLabel* callStep = reference.form().label(u"Label8"_s);
    if (!arrives([pictureStep] { return pictureStep->isVisible(); }) ||
        !pictureStep->text().endsWith(u"/2"_s)) {
        std::printf("  FAILED: bird 22 shows no second picture (%s)\n", qPrintable(pictureStep->text()));
        return false;
    }
    std::vector<double> pictures, calls;
    for (int i = 0; i < runs; ++i) {
        for (auto [label, times] : {std::pair{pictureStep, &pictures}, std::pair{callStep, &calls}}) {
            QElapsedTimer timer;
            timer.start();
            reference.click(label);
            times->push_back(msSince(timer));
            QTest::qWait(60); // the files arrive and the picture grows in
        }
    }
    bench::printTimes(u"姿 click -> next picture asked for"_s, pictures);
    bench::printTimes(u"声 click -> next call asked for"_s, calls);
    return true;
}

int run(const QStringList& arguments)
{
    const int runs = arguments.isEmpty() ? 20 : std::max(1, arguments[0].toInt());
    std::printf("reference: name click and description (%s, real sound player)\n",
                qPrintable(QGuiApplication::platformName()));
    const bool ok = nameClicks(runs) && descriptionOpens(runs) && exemplarSteps(runs);
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace

int main(int argc, char** argv)
{
    bench::preferOffscreen();
    QApplication app(argc, argv);
    installJapaneseFonts();
    return bench::runInEventLoop(run);
}
