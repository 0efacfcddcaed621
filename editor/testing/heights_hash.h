// Test support: a hash of every bit of a terrain's samples (FNV-1a over their bytes), so that
// "the same heights" means bit for bit: -0 and 0, and each NaN, differ.
#pragma once

#include "terrain/heightfield.h"

#include <cstdint>
#include <cstring>

inline std::uint64_t HeightsHash(const Heightfield& heights)
{
    std::uint64_t hash = 14695981039346656037ull;
    const auto mix = [&hash](const unsigned char* bytes, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            hash = (hash ^ bytes[i]) * 1099511628211ull;
        }
    };
    const int side = heights.Side();
    mix(reinterpret_cast<const unsigned char*>(&side), sizeof(side));
    for (const float sample : heights.Samples()) {
        unsigned char bytes[sizeof(float)];
        std::memcpy(bytes, &sample, sizeof(bytes));
        mix(bytes, sizeof(bytes));
    }
    return hash;
}
