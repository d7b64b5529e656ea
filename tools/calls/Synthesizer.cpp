#include "Synthesizer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kLeadIn = 0.005;  // seconds before the first note
constexpr double kPeak = 0.7079;   // -3 dBFS
constexpr double kToneTop = 18000; // and the whistle's harmonics here
// How much one phrase may differ from the next.
constexpr double kPitchSpread = 0.035; // octaves, about half a semitone
constexpr double kTempoSpread = 0.06;
constexpr double kLevelSpread = 0.15;
constexpr double kGapSpread = 0.3;
constexpr double kShortestTail = 0.4;

// From the start of a phrase to the end of its last note, at its written tempo.
double phraseLength(const Phrase& phrase)
{
    double cursor = 0, end = 0;
    for (const Note& note : phrase) {
        double scale = 1;
        for (int i = 0; i < note.times; ++i, scale *= note.quicken) {
            end = std::max(end, cursor + note.seconds * scale);
            cursor += (note.seconds + note.pause) * scale;
        }
    }
    return end;
}

// Partials fade out towards `top` instead of stopping there, so that a gliding
// pitch does not switch them on and off with a click.
double taper(double hz, double top)
{
    const double start = 0.6 * top;
    if (hz <= start)
        return 1;
    if (hz >= top)
        return 0;
    return 0.5 + 0.5 * std::cos(std::numbers::pi * (hz - start) / (top - start));
}

// The contour is a parabola in log-pitch through start, middle and end.
double pitchAt(const Contour& hz, double u)
{
    const double a = std::log(hz[0]), m = std::log(hz[1]), b = std::log(hz[2]);
    const double control = 2 * m - (a + b) / 2;
    return std::exp((1 - u) * (1 - u) * a + 2 * u * (1 - u) * control + u * u * b);
}

// Raised-cosine attack and release, so that no note starts or stops with a click.
double envelopeAt(const Voice& voice, double t, double length)
{
    const double scale = std::min(1.0, length / (voice.attack + voice.release));
    const double attack = voice.attack * scale, release = voice.release * scale;
    double gain = std::exp(-voice.decay * t);
    if (t < attack)
        gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack);
    if (t > length - release)
        gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * std::max(0.0, length - t) / release);
    return gain;
}

// How loud a buzz partial at `hz` comes out: a floor plus two resonance peaks.
double formantWeight(const Voice& voice, double hz)
{
    auto peak = [hz](double centre) {
        const double x = (hz - centre) / (0.3 * centre);
        return 1 / (1 + x * x);
    };
    return 0.08 + peak(voice.formant1) + 0.6 * peak(voice.formant2);
}

// Harmonic-rich buzz for one sample: partials fall off a little more gently than a
// sawtooth's and are shaped by the formants. sin(k*phase) comes from the Chebyshev
// recurrence, which keeps dozens of partials cheap.
double buzzAt(const Voice& voice, double phase, double hz)
{
    const double twoCos = 2 * std::cos(phase);
    double previous = 0, current = std::sin(phase), sum = 0, power = 0;
    static const std::array<double, 256> rolloff = [] {
        std::array<double, 256> levels{};
        for (std::size_t k = 1; k < levels.size(); ++k)
            levels[k] = std::pow(double(k), -0.7);
        return levels;
    }();
    for (std::size_t k = 1; k < rolloff.size() && double(k) * hz < voice.buzzTop; ++k) {
        const double level =
            rolloff[k] * formantWeight(voice, double(k) * hz) * taper(double(k) * hz, voice.buzzTop);
        sum += level * current;
        power += level * level;
        const double next = twoCos * current - previous;
        previous = current;
        current = next;
    }
    return power > 0 ? sum / std::sqrt(power) : 0;
}

double toneAt(const Voice& voice, double phase, double hz)
{
    double sum = 0;
    for (int k = 1; k <= 4; ++k) {
        if (voice.tone[k - 1] != 0)
            sum += voice.tone[k - 1] * taper(k * hz, kToneTop) * std::sin(k * phase);
    }
    return sum;
}

// White noise through two resonant band-pass sections (peak gain 1), scaled so
// that its loudness does not depend on the bandwidth. One section alone leaves
// skirts too wide to sound like a band.
class BandNoise
{
public:
    double next(double white, double centre, double width)
    {
        if (m_countdown-- == 0) { // retuning every sample would only cost time
            m_countdown = 15;
            design(std::min(centre, 0.45 * Synthesizer::kSampleRate), width);
        }
        return m_gain * m_second.filter(m_first.filter(white, *this), *this);
    }

private:
    void design(double centre, double width)
    {
        const double w = kTwoPi * centre / Synthesizer::kSampleRate;
        const double q = 1 / width;
        const double alpha = std::sin(w) / (2 * q);
        const double a0 = 1 + alpha;
        m_b0 = alpha / a0;
        m_a1 = -2 * std::cos(w) / a0;
        m_a2 = (1 - alpha) / a0;
        // Uniform noise has variance 1/3; the two sections keep about pi*B/(2*fs) of it.
        const double bandwidth = centre * width;
        m_gain = std::sqrt(Synthesizer::kSampleRate / (std::numbers::pi * bandwidth) * 3);
    }

    struct Section
    {
        double filter(double x, const BandNoise& c)
        {
            const double y = c.m_b0 * (x - x2) - c.m_a1 * y1 - c.m_a2 * y2;
            x2 = x1;
            x1 = x;
            y2 = y1;
            y1 = y;
            return y;
        }
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    };

    int m_countdown = 0;
    double m_b0 = 0, m_a1 = 0, m_a2 = 0, m_gain = 0;
    Section m_first, m_second;
};

} // namespace

Synthesizer::Synthesizer(std::uint32_t seed) : m_random(seed) {}

double Synthesizer::uniform()
{
    return double(m_random() >> 8) / double(1 << 23) - 1;
}

std::vector<Synthesizer::Take> Synthesizer::planTakes(const Call& call, double maxSeconds)
{
    if (call.once)
        return {Take{kLeadIn}};
    std::vector<Take> takes;
    double start = kLeadIn;
    for (std::size_t i = 0;; ++i) {
        Take take{start};
        take.pitch = std::exp2(kPitchSpread * uniform());
        take.tempo = 1 + kTempoSpread * uniform();
        take.level = 1 - kLevelSpread * (0.5 + 0.5 * uniform());
        const double end = start + take.tempo * phraseLength(call.phrases[i % call.phrases.size()]);
        if (!takes.empty() && end + std::max(kShortestTail, call.gap) > maxSeconds)
            return takes;
        takes.push_back(take);
        start = end + call.gap * (1 + kGapSpread * uniform());
    }
}

std::vector<float> Synthesizer::render(const Call& call, double minSeconds, double maxSeconds)
{
    m_mix.clear();
    const std::vector<Take> takes = planTakes(call, maxSeconds);
    double end = kLeadIn;
    for (std::size_t i = 0; i < takes.size(); ++i)
        end = std::max(end, addPhrase(call.phrases[i % call.phrases.size()], takes[i]));
    // The pause after the last phrase is the one before the first when the call repeats.
    const double tail = call.once ? call.gap : std::max(kShortestTail, call.gap);
    const double seconds = std::max(end + tail, minSeconds);
    m_mix.resize(std::size_t(std::lround(seconds * kSampleRate)), 0.0);

    double loudest = 0;
    for (double s : m_mix)
        loudest = std::max(loudest, std::abs(s));
    std::vector<float> samples(m_mix.size());
    std::transform(m_mix.begin(), m_mix.end(), samples.begin(),
                   [loudest](double s) { return float(loudest > 0 ? s * kPeak / loudest : 0.0); });
    return samples;
}

double Synthesizer::addPhrase(const Phrase& phrase, const Take& take)
{
    double cursor = take.start, end = take.start;
    for (const Note& note : phrase) {
        double scale = take.tempo;
        for (int i = 0; i < note.times; ++i, scale *= note.quicken) {
            const double factor = take.pitch * std::pow(note.step, i) * std::exp2(note.scatter * uniform());
            end = std::max(end, addNote(note, cursor, note.seconds * scale, factor, take.level));
            cursor += (note.seconds + note.pause) * scale;
        }
    }
    return end;
}

double Synthesizer::addNote(const Note& note, double start, double seconds, double pitchFactor, double level)
{
    const Voice& voice = note.voice;
    start = std::max(start, 0.0); // a note pulled back over the start of the file
    const auto first = std::size_t(std::lround(start * kSampleRate));
    const auto count = std::size_t(std::lround(seconds * kSampleRate));
    if (m_mix.size() < first + count)
        m_mix.resize(first + count, 0.0);

    // Hoarseness: noise smoothed to about 40 Hz, normalised to unit deviation.
    const double smooth = 1 - std::exp(-kTwoPi * 40 / kSampleRate);
    const double jitterScale = 1 / std::sqrt(smooth / (2 - smooth) / 3);
    double jitter = 0, phase = 0;
    BandNoise band;

    for (std::size_t n = 0; n < count; ++n) {
        const double t = double(n) / kSampleRate;
        jitter += smooth * (uniform() - jitter);
        double hz = pitchAt(note.hz, t / seconds) * pitchFactor;
        hz *= 1 + voice.vibrato * std::sin(kTwoPi * voice.vibratoHz * t) + voice.rough * jitter * jitterScale;
        phase = std::fmod(phase + kTwoPi * hz / kSampleRate, kTwoPi);

        double sample = toneAt(voice, phase, hz);
        if (voice.buzz > 0)
            sample += voice.buzz * buzzAt(voice, phase, hz);
        if (voice.noise > 0) {
            const double centre = voice.noiseHz > 0 ? voice.noiseHz : hz;
            sample += voice.noise * band.next(uniform(), centre, voice.noiseWidth);
        }
        // Trill pulses start at their loudest so the note is heard at once.
        const double pulse = 0.5 + 0.5 * std::cos(kTwoPi * voice.trillHz * t);
        const double trill = 1 - voice.trill + voice.trill * pulse * pulse;
        m_mix[first + n] += level * note.level * trill * envelopeAt(voice, t, seconds) * sample;
    }
    return start + seconds;
}
