// piyo-calls OUT_DIR [NAME...]
// Synthesises the bird calls k1.wav ... k80.wav, the second calls k<N>-2.wav, each with
// its tags file (the kind of call and its 聞きなし, from the same table as the sound), and
// the feedback sounds o.wav (right answer) and x.wav (wrong answer) into OUT_DIR; only
// the named ones (k25, k25-2, o ...) when names are given.
#include "CallTable.h"
#include "ExemplarTags.h"
#include "Loudness.h"
#include "Synthesizer.h"
#include "WavWriter.h"

#include <QFile>
#include <QString>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <thread>
#include <vector>

namespace {

constexpr double kMinCallSeconds = 4.0;
constexpr double kMaxCallSeconds = 10.0;
constexpr double kMaxFeedbackSeconds = 1.0;

// FNV-1a of the file name: every file gets its own fixed noise.
std::uint32_t seedFor(std::string_view file)
{
    std::uint32_t hash = 2166136261u;
    for (char c : file)
        hash = (hash ^ std::uint8_t(c)) * 16777619u;
    return hash;
}

// Every sound at one loudness, as the calls a user imports are, so that no bird
// sounds louder than another only because of how it was made; a bird that is rarely
// heard stays as much quieter as the table says.
bool normalise(std::vector<float>& samples, const Call& call)
{
    recordingimport::Sound sound{std::move(samples), Synthesizer::kSampleRate};
    const bool measured = recordingimport::normaliseLoudness(sound).has_value();
    samples = std::move(sound.samples);
    if (!measured) {
        std::cerr << "piyo-calls: " << call.file << " is too short or quiet to measure its loudness\n";
        return false;
    }
    const auto gain = float(std::pow(10.0, -call.quieter / 20));
    for (float& sample : samples)
        sample *= gain;
    return true;
}

bool writeTags(const std::filesystem::path& dir, const Call& call)
{
    media::ExemplarTags tags;
    tags.words = QString::fromUtf8(call.tags).split(u' ', Qt::SkipEmptyParts);
    tags.heard = QString::fromUtf8(call.heard);
    const std::filesystem::path path = dir / (std::string(call.file) + ".tags");
    QFile file(QString::fromStdString(path.string()));
    const QByteArray text = media::formatExemplarTags(tags);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()) {
        std::cerr << "piyo-calls: cannot write " << path.string() << ": " << file.errorString().toStdString()
                  << '\n';
        return false;
    }
    return true;
}

bool write(const std::filesystem::path& dir, const Call& call, double minSeconds, double maxSeconds)
{
    Synthesizer synthesizer(seedFor(call.file));
    std::vector<float> samples = synthesizer.render(call, minSeconds, maxSeconds);
    const double seconds = double(samples.size()) / Synthesizer::kSampleRate;
    const std::string path = (dir / (std::string(call.file) + ".wav")).string();
    if (seconds > maxSeconds) {
        std::cerr << "piyo-calls: " << call.file << " (" << callName(call) << ") lasts " << seconds
                  << " s, more than " << maxSeconds << " s\n";
        return false;
    }
    if (!normalise(samples, call))
        return false;
    std::string error;
    if (!writeWav16(path, samples, Synthesizer::kSampleRate, &error)) {
        std::cerr << "piyo-calls: cannot write " << path << ": " << error << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: piyo-calls OUT_DIR [NAME...]\n";
        return 2;
    }
    const std::filesystem::path dir(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::cerr << "piyo-calls: cannot create " << dir.string() << ": " << error.message() << '\n';
        return 1;
    }
    // Every build runs this: the files are made on all cores. Each file has its own
    // seed, so the order they are made in does not change a byte.
    const std::vector<std::string_view> names(argv + 2, argv + argc);
    auto wanted = [&names](const Call& call) {
        return names.empty() || std::find(names.begin(), names.end(), call.file) != names.end();
    };
    std::vector<const Call*> calls;
    for (const Call& call : birdCalls())
        if (wanted(call))
            calls.push_back(&call);
    for (const Call& call : feedbackSounds())
        if (wanted(call))
            calls.push_back(&call);
    std::atomic<std::size_t> next = 0;
    std::atomic<bool> ok = true;
    auto work = [&] {
        for (std::size_t i = next++; i < calls.size(); i = next++) {
            const Call& call = *calls[i];
            const bool written =
                call.once ? write(dir, call, 0, kMaxFeedbackSeconds)
                          : write(dir, call, kMinCallSeconds, kMaxCallSeconds) && writeTags(dir, call);
            if (!written)
                ok = false;
        }
    };
    std::vector<std::jthread> workers;
    for (unsigned i = 1; i < std::max(1u, std::thread::hardware_concurrency()); ++i)
        workers.emplace_back(work);
    work();
    workers.clear();
    return ok ? 0 : 1;
}
