// The random numbers that drive terrain generation, and the seeds they start from.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

// A pseudo-random sequence of integers in 0..32767, restarted by Seed. Tests replay known
// sequences through it.
class CRandomSource {
public:
    static constexpr int kMaxValue = 32767;

    virtual ~CRandomSource() = default;
    virtual void Seed(unsigned int seed) = 0;
    virtual int Next() = 0;
};

// The C library's generator (srand and rand), folded into 0..32767.
class CLibraryRandomSource final : public CRandomSource {
public:
    void Seed(unsigned int seed) override;
    int Next() override;
};

// Seeds from the calendar time in seconds, but never the same seed twice within a run: two
// generations in the same second would otherwise make the same terrain.
class CGenerationSeeder {
public:
    using SecondsClock = std::function<std::int64_t()>;

    static std::int64_t CalendarSeconds();

    explicit CGenerationSeeder(SecondsClock secondsNow = CalendarSeconds);

    // max(now, previous seed + 1).
    unsigned int NextSeed();

private:
    SecondsClock m_secondsNow;
    std::optional<std::int64_t> m_previous;
};
