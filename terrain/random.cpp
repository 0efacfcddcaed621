#include "terrain/random.h"

#include <random>

Pcg32::Pcg32(std::uint64_t seed, std::uint64_t stream) : m_increment((stream << 1u) | 1u)
{
    Next();
    m_state += seed;
    Next();
}

std::uint64_t RandomSeed()
{
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32u) | device();
}
