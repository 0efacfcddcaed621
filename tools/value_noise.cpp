#include "tools/value_noise.h"

#include <cmath>

namespace {

// An integer mixer whose output bits all depend on every input bit.
std::uint32_t Mix(std::uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }

float Lerp(float a, float b, float t) { return a + (b - a) * t; }

} // namespace

float ValueNoise::Lattice(std::uint32_t x, std::uint32_t y, std::uint32_t layer) const
{
    return static_cast<float>(Mix(x + Mix(y + Mix(layer + Mix(m_seed)))) >> 8) / static_cast<float>(1u << 24);
}

float ValueNoise::Hash(std::uint32_t x, std::uint32_t y) const { return Lattice(x, y, 0); }

float ValueNoise::At(float x, float y, int frequency) const
{
    const float fx = x * frequency;
    const float fy = y * frequency;
    const float cellX = std::floor(fx);
    const float cellY = std::floor(fy);
    const float tx = Smooth(fx - cellX);
    const float ty = Smooth(fy - cellY);
    // Lattice indices wrap at the frequency, so the pattern tiles.
    auto wrap = [frequency](float cell, int step) {
        const int i = (static_cast<int>(cell) + step) % frequency;
        return static_cast<std::uint32_t>(i < 0 ? i + frequency : i);
    };
    const std::uint32_t x0 = wrap(cellX, 0), x1 = wrap(cellX, 1), y0 = wrap(cellY, 0), y1 = wrap(cellY, 1);
    const auto layer = static_cast<std::uint32_t>(frequency);
    return Lerp(Lerp(Lattice(x0, y0, layer), Lattice(x1, y0, layer), tx),
                Lerp(Lattice(x0, y1, layer), Lattice(x1, y1, layer), tx), ty);
}

float ValueNoise::Fractal(float x, float y, int baseFrequency, int octaves) const
{
    float sum = 0.0f;
    float weight = 1.0f;
    float totalWeight = 0.0f;
    int frequency = baseFrequency;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * At(x, y, frequency);
        totalWeight += weight;
        weight *= 0.5f;
        frequency *= 2;
    }
    return totalWeight > 0.0f ? sum / totalWeight : 0.0f;
}
