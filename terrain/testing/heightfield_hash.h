// A hash of every sample's bits, so that tests can pin generated heights bit for bit.
#pragma once

#include <bit>
#include <cstdint>

#include "terrain/heightfield.h"

// FNV-1a over the bytes of every sample, row by row, low byte first.
inline std::uint64_t HashOf(const Heightfield& field)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const float height : field.Samples()) {
        const auto bits = std::bit_cast<std::uint32_t>(height);
        for (int byte = 0; byte < 4; ++byte) {
            hash = (hash ^ ((bits >> (8 * byte)) & 0xffu)) * 0x100000001b3ULL;
        }
    }
    return hash;
}
