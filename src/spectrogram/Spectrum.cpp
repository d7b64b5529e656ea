#include "Spectrum.h"

#include <kiss_fftr.h>

#include <cmath>
#include <new>
#include <numbers>
#include <stdexcept>

namespace spectrum {

static_assert(sizeof(kiss_fft_cpx) == 2 * sizeof(float), "kissfft is built for float samples");

namespace {

std::size_t evenSize(std::size_t size)
{
    if (size < 2 || size % 2 != 0)
        throw std::invalid_argument("FrameAnalyser: the frame size must be even");
    return size;
}

} // namespace

FrameAnalyser::FrameAnalyser(std::size_t size)
    : m_size(evenSize(size)), m_config(kiss_fftr_alloc(int(size), 0, nullptr, nullptr)), m_window(size),
      m_windowed(size), m_spectrum(2 * bins())
{
    if (!m_config)
        throw std::bad_alloc();
    // The Hann window sums to size/2, so a full-scale sine on a bin peaks at
    // size/4 in magnitude: scaled by that, it reads 1.
    const double scale = 4.0 / double(size);
    for (std::size_t i = 0; i < size; ++i)
        m_window[i] = float(scale * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / double(size))));
}

FrameAnalyser::~FrameAnalyser()
{
    kiss_fftr_free(m_config);
}

void FrameAnalyser::power(std::span<const float> frame, std::span<float> power)
{
    for (std::size_t i = 0; i < m_size; ++i)
        m_windowed[i] = frame[i] * m_window[i];
    auto* out = reinterpret_cast<kiss_fft_cpx*>(m_spectrum.data());
    kiss_fftr(m_config, m_windowed.data(), out);
    for (std::size_t bin = 0; bin < bins(); ++bin)
        power[bin] = out[bin].r * out[bin].r + out[bin].i * out[bin].i;
}

std::vector<std::vector<float>> powerSpectra(std::span<const float> samples, std::size_t frame,
                                             std::size_t hop)
{
    std::vector<std::vector<float>> rows;
    FrameAnalyser analyser(frame);
    for (std::size_t start = 0; start + frame <= samples.size(); start += hop) {
        std::vector<float> power(analyser.bins());
        analyser.power(samples.subspan(start, frame), power);
        rows.push_back(std::move(power));
    }
    return rows;
}

} // namespace spectrum
