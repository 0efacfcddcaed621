// The terrain's height grid: random generation by recursive midpoint displacement, and saving
// and loading the heights as a text file. The world model owns one and copies its samples into
// the floor mesh.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/file_access.h"
#include "world/random_source.h"

class CTerrainHeights {
public:
    static constexpr int kDefaultGridSize = 65;

    // gridSize is the number of samples per side, n (at least 3). The grid is sized at once. A null
    // random source stands for the C library's.
    explicit CTerrainHeights(int gridSize = kDefaultGridSize,
                             std::unique_ptr<CRandomSource> random = std::make_unique<CLibraryRandomSource>(),
                             CGenerationSeeder seeder = CGenerationSeeder());

    // The sizing step of a generation: n + 1 rows of n + 1 samples. Rows that exist are kept
    // as they are; added rows hold 0. Row n and column n are never generated, saved or loaded.
    void SizeGrid();

    // Clears, reseeds the random source from the calendar time, sets the four corners and
    // subdivides the whole grid with the current roughness.
    void GenerateHeights();
    // One square step and four edge steps on the square (high row, low row, high column, low
    // column), then the four quarters, depth first, with the scale squared.
    void SubdivideSquare(int highRow, int lowRow, int highColumn, int lowColumn, float scale);
    // One of -2s, -s, 0, s, 2s, 3s, 4s from one random draw.
    float RandomDisplacement(float scale);
    // Samples (r, c) with r, c in 0..n-1 become 0.
    void ClearHeights();

    // Read only when a generation starts.
    void SetRoughness(float roughness) { m_roughness = roughness; }
    float GetRoughness() const { return m_roughness; }

    int GetGridSize() const { return m_gridSize; }
    // 0 outside the grid.
    float GetSample(int row, int column) const;
    // Ignored outside the grid.
    void SetSample(int row, int column, float height);

    // Writes samples (0..n-2, 0..n-2) to HeightFileName(path). A failure leaves any existing
    // file as it was.
    Result<> SaveHeights(const std::string& path) const;
    // Reads samples (0..n-2, 0..n-2) from path, unchanged. On failure every sample keeps its
    // value; row n-1 and column n-1 keep theirs in any case.
    Result<> LoadHeights(const std::string& path);

private:
    float& Sample(int row, int column)
    {
        return m_heights[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    // Stores average + one displacement drawn after the average was formed.
    void StoreDisplaced(int row, int column, double average, float scale);
    bool IsInGrid(int row, int column) const;
    // Samples per side of the height file: n - 1.
    int FileSide() const { return m_gridSize - 1; }

    int m_gridSize;
    float m_roughness = 0.0f;
    float m_randomRange = 7.0f;
    float m_randomOffset = 2.0f;
    std::vector<std::vector<float>> m_heights;
    std::unique_ptr<CRandomSource> m_random;
    CGenerationSeeder m_seeder;
};
