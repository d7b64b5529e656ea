// Start-up of piyo against a bare Qt Widgets window of the same size, launched
// in turn in one run so that all see the same machine: time from exec to the
// window being mapped, and peak resident memory. A third program, the bare
// window with one line of Japanese text, shows what the font lookup alone costs.
// Usage: bench_startup [runs]   (default 10; needs DISPLAY; piyo and bench_bare_window lie beside it)

#include "MapWatcher.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// piyo's start-up may take at most this much longer than the bare window with text.
constexpr double Goal = 1.2;

struct Contender
{
    const char* name;
    std::vector<std::string> command;
    std::vector<double> mapMs;
    std::vector<double> peakMiB;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

void print(const std::string& what, const std::vector<double>& values, const char* unit)
{
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    std::printf("  %-38s median %7.1f %s   min %7.1f   max %7.1f   (n=%zu)\n", what.c_str(), median(values),
                unit, *low, *high, values.size());
}

// The goal is set against the bare window with Japanese text, which pays for
// the same font lookup as piyo; the plain bare window is shown for reference.
void ratio(const char* what, double piyo, double bare, bool judged)
{
    if (!judged) {
        std::printf("  %-38s %.2f\n", what, piyo / bare);
        return;
    }
    std::printf("  %-38s %.2f   (goal <= %.1f: %s)\n", what, piyo / bare, Goal,
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
    const MapWatcher::Launch run = watcher.launch(contender.command);
    if (!run.mapped) {
        std::fprintf(stderr, "bench_startup: %s showed no window\n", contender.command.front().c_str());
        return false;
    }
    if (counted) {
        contender.mapMs.push_back(run.mapMs);
        contender.peakMiB.push_back(double(run.peakRssKiB) / 1024.0);
    } else {
        std::printf("  %-38s window \"%s\", %dx%d\n", contender.name, run.title.c_str(), run.width,
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
    std::vector<Contender> contenders{
        {"bare Qt window", {dir + "/bench_bare_window"}, {}, {}},
        {"bare window + Japanese text", {dir + "/bench_bare_window", "--text"}, {}, {}},
        {"piyo menu", {dir + "/piyo"}, {}, {}},
    };

    std::printf("start-up under X: exec -> window mapped, peak RSS; %d runs each, in turn\n", runs);
    // One launch of each first, not counted: it fills the page cache and the font cache.
    for (Contender& contender : contenders)
        if (!measure(watcher, contender, false))
            return EXIT_FAILURE;
    for (int i = 0; i < runs; ++i)
        for (Contender& contender : contenders)
            if (!measure(watcher, contender, true))
                return EXIT_FAILURE;

    for (const Contender& contender : contenders)
        print(std::string(contender.name) + ": mapped", contender.mapMs, "ms ");
    ratio("piyo / bare, time", median(contenders[2].mapMs), median(contenders[0].mapMs), false);
    ratio("piyo / bare with text, time", median(contenders[2].mapMs), median(contenders[1].mapMs), true);
    for (const Contender& contender : contenders)
        print(std::string(contender.name) + ": peak RSS", contender.peakMiB, "MiB");
    ratio("piyo / bare, peak RSS", median(contenders[2].peakMiB), median(contenders[0].peakMiB), false);
    ratio("piyo / bare with text, peak RSS", median(contenders[2].peakMiB), median(contenders[1].peakMiB),
          false);
    return EXIT_SUCCESS;
}
