// A square terrain as a value: side x side height samples in world units, row-major. A row runs
// along the world's z, a column along its x; (0, 0) is the corner at x = -15, z = +15. The
// terrain spans kTerrainExtent world units in x and z whatever its side, so the spacing of the
// samples shrinks as the side grows. No device, no Qt: safe to use on a worker thread.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

// Width and depth of the terrain in world units.
inline constexpr float kTerrainExtent = 30.0f;

class Heightfield {
public:
    // An empty heightfield, side 0.
    Heightfield() = default;
    // side x side samples, all at height (side at least 2).
    explicit Heightfield(int side, float height = 0.0f);

    int Side() const { return m_side; }
    bool Empty() const { return m_side == 0; }
    // World units between neighbouring samples.
    float Spacing() const { return kTerrainExtent / static_cast<float>(m_side - 1); }

    float At(int row, int column) const { return m_samples[Index(row, column)]; }
    float& At(int row, int column) { return m_samples[Index(row, column)]; }
    bool Contains(int row, int column) const { return row >= 0 && column >= 0 && row < m_side && column < m_side; }

    std::span<const float> Samples() const { return m_samples; }
    std::span<float> Samples() { return m_samples; }
    std::span<const float> Row(int row) const
    {
        return std::span(m_samples).subspan(static_cast<std::size_t>(row) * m_side, m_side);
    }

    bool operator==(const Heightfield& other) const = default;

private:
    std::size_t Index(int row, int column) const { return static_cast<std::size_t>(row) * m_side + column; }

    int m_side = 0;
    std::vector<float> m_samples;
};

// The sides a terrain is made at: 2^k + 1 samples from 33 to 4097.
std::span<const int> SupportedSides();
bool IsSupportedSide(int side);
// The supported side closest to side (the larger one on a tie).
int NearestSupportedSide(int side);
