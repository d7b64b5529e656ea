// piyo-calls OUT_DIR
// Synthesises the bird calls k1.wav ... k80.wav and the feedback sounds o.wav
// (right answer) and x.wav (wrong answer) into OUT_DIR.
#include "CallTable.h"
#include "Synthesizer.h"
#include "WavWriter.h"

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string_view>

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

bool write(const std::filesystem::path& dir, const Call& call, double minSeconds, double maxSeconds)
{
    Synthesizer synthesizer(seedFor(call.file));
    const std::vector<float> samples = synthesizer.render(call, minSeconds, maxSeconds);
    const double seconds = double(samples.size()) / Synthesizer::kSampleRate;
    const std::string path = (dir / (std::string(call.file) + ".wav")).string();
    if (seconds > maxSeconds) {
        std::cerr << "piyo-calls: " << call.file << " (" << callName(call) << ") lasts " << seconds
                  << " s, more than " << maxSeconds << " s\n";
        return false;
    }
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
    if (argc != 2) {
        std::cerr << "usage: piyo-calls OUT_DIR\n";
        return 2;
    }
    const std::filesystem::path dir(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::cerr << "piyo-calls: cannot create " << dir.string() << ": " << error.message() << '\n';
        return 1;
    }
    bool ok = true;
    for (const Call& call : birdCalls())
        ok = write(dir, call, kMinCallSeconds, kMaxCallSeconds) && ok;
    for (const Call& call : feedbackSounds())
        ok = write(dir, call, 0, kMaxFeedbackSeconds) && ok;
    return ok ? 0 : 1;
}
