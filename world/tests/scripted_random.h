// Random sources for the generation tests: a replayed sequence, and a counter.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "world/random_source.h"

// Replays the given values, then repeats the fallback; records the seeds it was given.
class ScriptedRandom final : public CRandomSource {
public:
    explicit ScriptedRandom(std::vector<int> values, int fallback = 2, std::vector<unsigned int>* seeds = nullptr)
        : m_values(std::move(values)), m_fallback(fallback), m_seeds(seeds)
    {
    }

    void Seed(unsigned int seed) override
    {
        if (m_seeds != nullptr) {
            m_seeds->push_back(seed);
        }
    }
    int Next() override { return m_next < m_values.size() ? m_values[m_next++] : m_fallback; }

private:
    std::vector<int> m_values;
    int m_fallback;
    std::vector<unsigned int>* m_seeds;
    std::size_t m_next = 0;
};

// Returns 2 (no displacement) on every draw except one, which returns 3 (one step up), and
// counts the draws.
class SingleStepRandom final : public CRandomSource {
public:
    SingleStepRandom(int stepDraw, int* draws) : m_stepDraw(stepDraw), m_draws(draws) {}

    void Seed(unsigned int) override {}
    int Next() override { return (*m_draws)++ == m_stepDraw ? 3 : 2; }

private:
    int m_stepDraw;
    int* m_draws;
};
