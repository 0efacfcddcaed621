// The portable pseudo-random generator behind every seeded terrain operation: PCG32 (PCG-XSH-RR
// with 64-bit state and 32-bit output, M. E. O'Neill, pcg-random.org). Its output depends only on
// the seed and the stream, never on the compiler, the C library or the platform, so the same seed
// makes the same terrain on every build.
#pragma once

#include <cstdint>

class Pcg32 {
public:
    // The reference implementation's seeding (pcg32_srandom_r): stream selects one of 2^63
    // independent sequences.
    explicit Pcg32(std::uint64_t seed, std::uint64_t stream = kDefaultStream);

    std::uint32_t Next();
    // Uniform in 0..bound-1 without modulo bias (bound at least 1).
    std::uint32_t Below(std::uint32_t bound);
    // Uniform in [0, 1), 24 bits of precision.
    float Unit() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }

    static constexpr std::uint64_t kDefaultStream = 54;

private:
    std::uint64_t m_state = 0;
    std::uint64_t m_increment = 0;
};

// A fresh seed for "no seed given": from the operating system's entropy.
std::uint64_t RandomSeed();
