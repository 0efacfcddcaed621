// Smooth pseudo-random noise for painting textures: the same seed always gives the same
// pattern, on every machine, and the pattern tiles across the unit square.
#pragma once

#include <cstdint>

class ValueNoise {
public:
    explicit ValueNoise(std::uint32_t seed) : m_seed(seed) {}

    // Noise from 0 to 1 at (x, y) in the unit square, over a lattice of frequency cells per
    // side, smoothly interpolated between lattice points.
    float At(float x, float y, int frequency) const;
    // Octaves of noise from baseFrequency up, each at double the frequency and half the
    // weight, normalised to 0 to 1.
    float Fractal(float x, float y, int baseFrequency, int octaves) const;
    // A value from 0 to 1 for one lattice point (or pixel), without interpolation.
    float Hash(std::uint32_t x, std::uint32_t y) const;

private:
    // Each lattice frequency draws from its own layer, so octaves do not repeat one another.
    float Lattice(std::uint32_t x, std::uint32_t y, std::uint32_t layer) const;

    std::uint32_t m_seed;
};
