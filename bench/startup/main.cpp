// Start-up of piyo against a bare Qt Widgets window of the same size, launched
// in turn in one run so that all see the same machine. Two times, both as the X
// server sees them from exec on: the window being mapped (what a window
// manager or xdotool sees) and the program's first drawing into it (what the
// user sees: the menu, not an empty frame). And peak resident memory. A third
// program, the bare window with one line of Japanese text, shows what the font
// lookup alone costs. piyo runs with settings and history folders of its own,
// so a scale or a history left by earlier use does not change what is timed.
// Usage: bench_startup [runs] [other piyo...]
//   runs defaults to 10; needs DISPLAY; piyo and bench_bare_window lie beside it.
//   Other builds of piyo named after the runs take their turns too, to compare
//   a change with what came before it on the same machine at the same time.

#include "MapWatcher.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <filesystem>

#include <unistd.h>

namespace {

// piyo's start-up may take at most this much longer than the bare window with text.
constexpr double Goal = 1.2;

struct Contender
{
    std::string name;
    std::vector<std::string> command;
    std::vector<std::string> environment;
    std::vector<double> mapMs;
    std::vector<double> drawnMs;
    std::vector<double> peakMiB;
};

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

void print(const std::string& what, const std::vector<double>& values, const char* unit)
{
    if (values.empty())
        return;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    std::printf("  %-46s median %7.1f %s   min %7.1f   max %7.1f   (n=%zu)\n", what.c_str(), median(values),
                unit, *low, *high, values.size());
}

// The goal is set against the bare window with Japanese text, which pays for
// the same font lookup as piyo; the plain bare window is shown for reference.
void ratio(const char* what, double piyo, double bare, bool judged)
{
    if (!judged) {
        std::printf("  %-46s %.2f\n", what, piyo / bare);
        return;
    }
    std::printf("  %-46s %.2f   (goal <= %.1f: %s)\n", what, piyo / bare, Goal,
                piyo / bare <= Goal ? "met" : "NOT met");
}

std::string programDirectory()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    const std::string self(path, n > 0 ? size_t(n) : 0);
    return self.substr(0, self.rfind('/'));
}

bool measure(MapWatcher& watcher, Contender& contender, bool counted)
{
    const MapWatcher::Launch run = watcher.launch(contender.command, contender.environment);
    if (!run.mapped) {
        std::fprintf(stderr, "bench_startup: %s showed no window\n", contender.command.front().c_str());
        return false;
    }
    if (counted) {
        contender.mapMs.push_back(run.mapMs);
        if (run.drawn)
            contender.drawnMs.push_back(run.drawnMs);
        contender.peakMiB.push_back(double(run.peakRssKiB) / 1024.0);
    } else {
        std::printf("  %-46s window \"%s\", %dx%d\n", contender.name.c_str(), run.title.c_str(), run.width,
                    run.height);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    MapWatcher watcher;
    if (!watcher.connected()) {
        std::fprintf(stderr, "bench_startup: cannot open the display (DISPLAY unset?)\n");
        return EXIT_FAILURE;
    }
    const std::string dir = programDirectory();
    // Settings and history of piyo's own for this run, gone afterwards; the
    // first, uncounted launch makes the history file, as a first run does.
    char homeTemplate[] = "/tmp/piyo-bench-startup.XXXXXX";
    const char* home = mkdtemp(homeTemplate);
    if (!home) {
        std::perror("bench_startup: mkdtemp");
        return EXIT_FAILURE;
    }
    const std::string ownHome(home);
    const std::vector<std::string> ownFolders{"XDG_CONFIG_HOME=" + ownHome + "/config",
                                              "XDG_DATA_HOME=" + ownHome + "/data"};
    std::vector<Contender> contenders{
        {"bare Qt window", {dir + "/bench_bare_window"}, {}, {}, {}, {}},
        {"bare window + Japanese text", {dir + "/bench_bare_window", "--text"}, {}, {}, {}, {}},
        {"piyo menu", {dir + "/piyo"}, ownFolders, {}, {}, {}},
    };
    for (int i = 2; i < argc; ++i)
        contenders.push_back(
            {"piyo menu " + std::to_string(i - 1) + " (other)", {argv[i]}, ownFolders, {}, {}, {}});

    std::printf(
        "start-up under X: exec -> window mapped, exec -> first drawn, peak RSS; %d runs each, in turn\n",
        runs);
    for (int i = 2; i < argc; ++i)
        std::printf("  other piyo %d: %s\n", i - 1, argv[i]);
    if (!watcher.seesDrawing())
        std::printf("  (the display has no DAMAGE extension: first drawing is not timed)\n");
    bool ok = true;
    // One launch of each first, not counted: it fills the page cache and the font cache.
    for (Contender& contender : contenders)
        ok = ok && measure(watcher, contender, false);
    for (int i = 0; ok && i < runs; ++i)
        for (Contender& contender : contenders)
            ok = ok && measure(watcher, contender, true);
    std::filesystem::remove_all(ownHome);
    if (!ok)
        return EXIT_FAILURE;

    const Contender& bare = contenders[0];
    const Contender& text = contenders[1];
    for (const Contender& contender : contenders)
        print(contender.name + ": mapped", contender.mapMs, "ms ");
    for (const Contender& contender : contenders)
        print(contender.name + ": first drawn", contender.drawnMs, "ms ");
    // Mapped is what a window manager or xdotool sees; first drawn is the
    // menu the user sees. The goal holds for both.
    for (auto piyo = contenders.begin() + 2; piyo != contenders.end(); ++piyo) {
        const bool judged = piyo == contenders.begin() + 2;
        ratio((piyo->name + " / bare, mapped").c_str(), median(piyo->mapMs), median(bare.mapMs), false);
        ratio((piyo->name + " / bare with text, mapped").c_str(), median(piyo->mapMs), median(text.mapMs),
              judged);
        if (!piyo->drawnMs.empty() && !bare.drawnMs.empty() && !text.drawnMs.empty()) {
            ratio((piyo->name + " / bare, first drawn").c_str(), median(piyo->drawnMs), median(bare.drawnMs),
                  false);
            ratio((piyo->name + " / bare with text, first drawn").c_str(), median(piyo->drawnMs),
                  median(text.drawnMs), judged);
        }
    }
    for (const Contender& contender : contenders)
        print(contender.name + ": peak RSS", contender.peakMiB, "MiB");
    for (auto piyo = contenders.begin() + 2; piyo != contenders.end(); ++piyo) {
        ratio((piyo->name + " / bare, peak RSS").c_str(), median(piyo->peakMiB), median(bare.peakMiB), false);
        ratio((piyo->name + " / bare with text, peak RSS").c_str(), median(piyo->peakMiB),
              median(text.peakMiB), false);
    }
    return EXIT_SUCCESS;
}
