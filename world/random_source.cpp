#include "world/random_source.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <utility>

void CLibraryRandomSource::Seed(unsigned int seed) { std::srand(seed); }

// RAND_MAX + 1 is a power of two on every C library, so the remainder stays uniform.
int CLibraryRandomSource::Next() { return std::rand() % (kMaxValue + 1); }

std::int64_t CGenerationSeeder::CalendarSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

CGenerationSeeder::CGenerationSeeder(SecondsClock secondsNow) : m_secondsNow(std::move(secondsNow)) {}

unsigned int CGenerationSeeder::NextSeed()
{
    std::int64_t seed = m_secondsNow();
    if (m_previous) {
        seed = std::max(seed, *m_previous + 1);
    }
    m_previous = seed;
    return static_cast<unsigned int>(seed);
}
