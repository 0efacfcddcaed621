#include "world/terrain_heights.h"

#include <algorithm>
#include <utility>

#include "world/height_file.h"

CTerrainHeights::CTerrainHeights(int gridSize, std::unique_ptr<CRandomSource> random, CGenerationSeeder seeder)
    : m_gridSize(std::max(gridSize, 3)),
      m_random(random != nullptr ? std::move(random) : std::make_unique<CLibraryRandomSource>()),
      m_seeder(std::move(seeder))
{
    SizeGrid();
}

void CTerrainHeights::SizeGrid()
{
    const std::vector<float> zeroRow(static_cast<std::size_t>(m_gridSize + 1), 0.0f);
    m_heights.resize(static_cast<std::size_t>(m_gridSize + 1), zeroRow);
}

void CTerrainHeights::GenerateHeights()
{
    const int last = m_gridSize - 1;
    ClearHeights();
    m_randomRange = 7.0f;
    m_randomOffset = 2.0f;
    m_random->Seed(m_seeder.NextSeed());
    // Each corner's displacement is drawn before it is stored; the corner scales are fixed.
    Sample(0, 0) = RandomDisplacement(0.5f);
    Sample(0, last) = RandomDisplacement(1.0f);
    Sample(last, 0) = RandomDisplacement(1.0f);
    Sample(last, last) = RandomDisplacement(0.5f);
    SubdivideSquare(last, 0, last, 0, m_roughness);
}

void CTerrainHeights::StoreDisplaced(int row, int column, double average, float scale)
{
    const float displacement = RandomDisplacement(scale);
    Sample(row, column) = static_cast<float>(average + displacement);
}

// Sums are formed in double precision in the order written. An edge step reads the centre of
// the neighbouring square at whatever value it holds now (0 if that square has not been visited
// in this generation); on the outer border the missing neighbour makes it an average of three.
void CTerrainHeights::SubdivideSquare(int a, int b, int c, int d, float scale)
{
    const int last = m_gridSize - 1;
    const int mr = (a + b) / 2;
    const int mc = (c + d) / 2;
    const int h = (a - b) / 2;
    auto s = [this](int row, int column) { return static_cast<double>(Sample(row, column)); };

    StoreDisplaced(mr, mc, (s(a, c) + s(a, d) + s(b, c) + s(b, d)) / 4.0, scale);

    if (b - h < 0) {
        StoreDisplaced(b, mc, (s(b, d) + s(b, c) + s(mr, mc)) / 3.0, scale);
    } else {
        StoreDisplaced(b, mc, (s(b, d) + s(b, c) + s(b - h, mc) + s(mr, mc)) / 4.0, scale);
    }
    if (a + h > last) {
        StoreDisplaced(a, mc, (s(a, d) + s(a, c) + s(mr, mc)) / 3.0, scale);
    } else {
        StoreDisplaced(a, mc, (s(a, d) + s(a, c) + s(mr, mc) + s(a + h, mc)) / 4.0, scale);
    }
    if (d - h < 0) {
        StoreDisplaced(mr, d, (s(mr, mc) + s(b, d) + s(a, d)) / 3.0, scale);
    } else {
        StoreDisplaced(mr, d, (s(mr, d - h) + s(mr, mc) + s(b, d) + s(a, d)) / 4.0, scale);
    }
    if (c + h > last) {
        StoreDisplaced(mr, c, (s(mr, mc) + s(b, c) + s(a, c)) / 3.0, scale);
    } else {
        StoreDisplaced(mr, c, (s(mr, mc) + s(mr, c + h) + s(b, c) + s(a, c)) / 4.0, scale);
    }

    // Squared, not halved: level k uses roughness to the power 2^k.
    scale = scale * scale;
    if (h <= 1) {
        return;
    }
    SubdivideSquare(a, mr, c, mc, scale);
    SubdivideSquare(mr, b, c, mc, scale);
    SubdivideSquare(mr, b, mc, d, scale);
    SubdivideSquare(a, mr, mc, d, scale);
}

// The range -2..4 is not symmetric: displacements push the terrain upward on average.
float CTerrainHeights::RandomDisplacement(float scale)
{
    const int k = m_random->Next() % static_cast<int>(m_randomRange);
    return (static_cast<float>(k) - m_randomOffset) * scale;
}

void CTerrainHeights::ClearHeights()
{
    for (int row = 0; row < m_gridSize; ++row) {
        std::fill_n(m_heights[static_cast<std::size_t>(row)].begin(), m_gridSize, 0.0f);
    }
}

bool CTerrainHeights::IsInGrid(int row, int column) const
{
    return row >= 0 && column >= 0 && row <= m_gridSize && column <= m_gridSize;
}

float CTerrainHeights::GetSample(int row, int column) const
{
    return IsInGrid(row, column) ? m_heights[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] : 0.0f;
}

void CTerrainHeights::SetSample(int row, int column, float height)
{
    if (IsInGrid(row, column)) {
        Sample(row, column) = height;
    }
}

Result<> CTerrainHeights::SaveHeights(const std::string& path) const
{
    std::vector<float> values;
    values.reserve(static_cast<std::size_t>(FileSide() * FileSide()));
    for (int row = 0; row < FileSide(); ++row) {
        for (int column = 0; column < FileSide(); ++column) {
            values.push_back(GetSample(row, column));
        }
    }
    return WriteFileReplacing(HeightFileName(path), FormatHeightValues(values));
}

Result<> CTerrainHeights::LoadHeights(const std::string& path)
{
    std::vector<float> values;
    const Result<> result = ReadHeightFile(path, static_cast<std::size_t>(FileSide() * FileSide()), values);
    if (!result.ok()) {
        return result;
    }
    auto value = values.begin();
    for (int row = 0; row < FileSide(); ++row) {
        for (int column = 0; column < FileSide(); ++column) {
            Sample(row, column) = *value++;
        }
    }
    return result;
}
