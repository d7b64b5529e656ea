#pragma once

#include <cstddef>
#include <span>
#include <vector>

struct kiss_fftr_state;

// Power spectra of a sound, by kissfft: the program's spectrogram, the call
// sheet and the call distance of the bundled calls all measure with these.
namespace spectrum {

// The Hann-windowed power spectrum of one frame of `size` samples (even),
// from 0 Hz up to half the sample rate in size/2 + 1 bins. A full-scale sine
// that lies on a bin reads 1 there. Made once per frame size and reused;
// one analyser per thread.
class FrameAnalyser
{
public:
    explicit FrameAnalyser(std::size_t size);
    ~FrameAnalyser();
    FrameAnalyser(const FrameAnalyser&) = delete;
    FrameAnalyser& operator=(const FrameAnalyser&) = delete;

    std::size_t size() const { return m_size; }
    std::size_t bins() const { return m_size / 2 + 1; }

    // `frame` holds size() samples; `power` gets bins() values.
    void power(std::span<const float> frame, std::span<float> power);

private:
    std::size_t m_size;
    kiss_fftr_state* m_config;
    std::vector<float> m_window;
    std::vector<float> m_windowed;
    std::vector<float> m_spectrum; // kiss_fft_cpx pairs
};

// Power spectra of `frame` samples every `hop` samples, whole frames only:
// one row of frame/2 + 1 bins per frame.
std::vector<std::vector<float>> powerSpectra(std::span<const float> samples, std::size_t frame,
                                             std::size_t hop);

} // namespace spectrum
