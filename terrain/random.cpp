#include "terrain/random.h"

#include <random>

namespace {

constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;

} // namespace

Pcg32::Pcg32(std::uint64_t seed, std::uint64_t stream) : m_increment((stream << 1u) | 1u)
{
    Next();
    m_state += seed;
    Next();
}

std::uint32_t Pcg32::Next()
{
    const std::uint64_t old = m_state;
    m_state = old * kMultiplier + m_increment;
    const auto xorShifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rotation = static_cast<std::uint32_t>(old >> 59u);
    return (xorShifted >> rotation) | (xorShifted << ((32u - rotation) & 31u));
}

std::uint32_t Pcg32::Below(std::uint32_t bound)
{
    // Values below 2^32 mod bound would make the low results more likely: draw again.
    const std::uint32_t threshold = (0u - bound) % bound;
    for (;;) {
        const std::uint32_t value = Next();
        if (value >= threshold) {
            return value % bound;
        }
    }
}

std::uint64_t RandomSeed()
{
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32u) | device();
}
