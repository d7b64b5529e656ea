#include "RandomSource.h"

#include <bit>
#include <cstdint>

SystemRandom::SystemRandom() : m_engine(std::random_device{}()) {}

void SystemRandom::reseed(double seconds)
{
    const auto time = std::bit_cast<std::uint64_t>(seconds);
    const std::uint64_t carried = m_engine();
    std::seed_seq seed{static_cast<std::uint32_t>(time), static_cast<std::uint32_t>(time >> 32),
                       static_cast<std::uint32_t>(carried), static_cast<std::uint32_t>(carried >> 32)};
    m_engine.seed(seed);
}

double SystemRandom::draw()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine);
}
