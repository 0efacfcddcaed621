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

    std::uint32_t Next()
    {
        const std::uint64_t old = m_state;
        m_state = old * kMultiplier + m_increment;
        const auto xorShifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
        const auto rotation = static_cast<std::uint32_t>(old >> 59u);
        return (xorShifted >> rotation) | (xorShifted << ((32u - rotation) & 31u));
    }
    // Uniform in 0..bound-1 without modulo bias (bound at least 1). Inline, so that a constant
    // bound turns both divisions into multiplications: generation draws tens of millions.
    std::uint32_t Below(std::uint32_t bound)
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
    // Uniform in [0, 1), 24 bits of precision.
    float Unit() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }

    static constexpr std::uint64_t kDefaultStream = 54;

private:
    static constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;

    std::uint64_t m_state = 0;
    std::uint64_t m_increment = 0;
};

// A fresh seed for "no seed given": from the operating system's entropy.
std::uint64_t RandomSeed();
