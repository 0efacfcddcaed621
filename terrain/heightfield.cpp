#include "terrain/heightfield.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdlib>

namespace {

constexpr std::array<int, 8> kSupportedSides = {33, 65, 129, 257, 513, 1025, 2049, 4097};

} // namespace

Heightfield::Heightfield(int side, float height)
    : m_side(side), m_samples(static_cast<std::size_t>(side) * static_cast<std::size_t>(side), height)
{
    assert(side >= 2);
}

std::span<const int> SupportedSides() { return kSupportedSides; }

bool IsSupportedSide(int side)
{
    return std::find(kSupportedSides.begin(), kSupportedSides.end(), side) != kSupportedSides.end();
}

int NearestSupportedSide(int side)
{
    int best = kSupportedSides.front();
    for (const int candidate : kSupportedSides) {
        if (std::abs(candidate - side) <= std::abs(best - side)) {
            best = candidate;
        }
    }
    return best;
}
