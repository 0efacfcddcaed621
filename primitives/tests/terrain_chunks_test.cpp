// The pieces of the terrain's level-of-detail drawing that need no device: the chunk layout,
// the stitched triangles, the vertices and error bounds read from a heightfield, the choice of
// levels from a view, and the cache of built levels.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "platform/d3dx9/d3dx9.h"
#include "primitives/chunk_stitching.h"
#include "primitives/grid_layout.h"
#include "primitives/terrain_chunk_cache.h"
#include "primitives/terrain_chunk_geometry.h"
#include "primitives/terrain_chunk_layout.h"
#include "primitives/terrain_lod_selection.h"
#include "terrain/generation.h"

namespace {

Heightfield Hills(int side, float roughness = 0.6f) { return GenerateHeightfield({side, roughness, 7}).value(); }

TEST(TerrainChunkLayoutTest, ChunksCoverTheGridWithLevelsTheirCellsAllow)
{
    struct Case {
        int side;
        int chunksPerSide;
        int lastRows;
        int lastLevels;
    };
    const Case cases[] = {{2, 1, 1, 1},    {33, 1, 32, 6},  {65, 1, 64, 7},
                          {129, 2, 64, 7}, {100, 2, 35, 1}, {4097, 64, 64, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        const TerrainChunkLayout layout(c.side);
        ASSERT_EQ(layout.ChunksPerSide(), c.chunksPerSide);
        const TerrainChunk& last = layout.Chunk(layout.ChunkCount() - 1);
        EXPECT_EQ(last.rows, c.lastRows);
        EXPECT_EQ(last.levels, c.lastLevels);
        EXPECT_EQ(last.firstRow + last.rows, c.side - 1) << "the last chunk ends on the last sample";
        EXPECT_EQ(layout.ChunkCount(), c.chunksPerSide * c.chunksPerSide);
    }
    EXPECT_EQ(TerrainChunkLayout(1).ChunkCount(), 0);
}

TEST(TerrainChunkLayoutTest, BorderSamplesBelongToEveryChunkThatHoldsThem)
{
    const TerrainChunkLayout layout(193); // 3 x 3 chunks
    const std::pair<SampleBounds, std::vector<int>> cases[] = {
        {{0, 0, 0, 0}, {0}},      {{10, 64, 10, 64}, {0, 1}},  {{64, 64, 64, 64}, {0, 1, 3, 4}},
        {{65, 65, 65, 65}, {4}},  {{192, 192, 192, 192}, {8}}, {{-5, -5, 300, 0}, {0, 3, 6}},
        {{100, 100, 50, 50}, {}},
    };
    for (const auto& [samples, chunks] : cases) {
        SCOPED_TRACE(testing::Message() << samples.firstRow << "," << samples.firstColumn);
        EXPECT_EQ(layout.ChunksHolding(samples), chunks);
    }
}

// Every triangle as seen from above, in cell units of its chunk: (column, row).
struct FlatTriangle {
    std::pair<int, int> corners[3];
};

std::vector<FlatTriangle> FlatTriangles(const std::vector<WORD>& indices, int columns)
{
    std::vector<FlatTriangle> triangles;
    for (std::size_t i = 0; i < indices.size(); i += 3) {
        FlatTriangle triangle;
        for (int corner = 0; corner < 3; ++corner) {
            const int index = indices[i + static_cast<std::size_t>(corner)];
            triangle.corners[corner] = {index % (columns + 1), index / (columns + 1)};
        }
        triangles.push_back(triangle);
    }
    return triangles;
}

// Twice the signed area, positive for the grid's winding (clockwise seen from above, rows
// running towards -z).
int TwiceArea(const FlatTriangle& t)
{
    const auto [x0, y0] = t.corners[0];
    const auto [x1, y1] = t.corners[1];
    const auto [x2, y2] = t.corners[2];
    return (x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0);
}

TEST(ChunkStitchingTest, UnitStepsGiveTheGridsTriangles)
{
    for (int side : {2, 3, 9}) {
        SCOPED_TRACE(side);
        std::vector<WORD> grid(static_cast<std::size_t>(6 * (side - 1) * (side - 1)));
        WriteGridIndices(grid.data(), side);
        EXPECT_EQ(StitchedChunkIndices(side - 1, side - 1, {}), grid);
    }
}

// A stitched chunk still covers its whole square once, every triangle keeps the grid's
// winding, and the edges it shows along a coarser neighbour are exactly the neighbour's.
TEST(ChunkStitchingTest, StitchedEdgesMatchTheCoarserNeighbourWithoutGapsOrOverlaps)
{
    const int cells = 8;
    std::vector<EdgeSteps> cases;
    for (const int top : {1, 2, 4, 8}) {
        for (const int bottom : {1, 2, 4, 8}) {
            for (const int left : {1, 2, 4, 8}) {
                for (const int right : {1, 2, 4, 8}) {
                    cases.push_back({top, bottom, left, right});
                }
            }
        }
    }
    for (const EdgeSteps& steps : cases) {
        SCOPED_TRACE(testing::Message() << steps.top << steps.bottom << steps.left << steps.right);
        const auto triangles = FlatTriangles(StitchedChunkIndices(cells, cells, steps), cells);
        int area = 0;
        std::map<std::pair<std::pair<int, int>, std::pair<int, int>>, int> edgeUses;
        for (const FlatTriangle& triangle : triangles) {
            ASSERT_GT(TwiceArea(triangle), 0) << "no triangle is flipped or collapsed";
            area += TwiceArea(triangle);
            for (int corner = 0; corner < 3; ++corner) {
                auto edge = std::minmax(triangle.corners[corner], triangle.corners[(corner + 1) % 3]);
                ++edgeUses[{edge.first, edge.second}];
            }
        }
        EXPECT_EQ(area, 2 * cells * cells);
        // Edges used by one triangle only lie on the border, and there they run from one of
        // the neighbour's vertices to its next.
        std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> border;
        for (const auto& [edge, uses] : edgeUses) {
            EXPECT_LE(uses, 2);
            if (uses == 1) {
                border.insert(edge);
            }
        }
        std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> expected;
        for (int x = 0; x < cells; x += steps.top) {
            expected.insert({{x, 0}, {x + steps.top, 0}});
        }
        for (int x = 0; x < cells; x += steps.bottom) {
            expected.insert({{x, cells}, {x + steps.bottom, cells}});
        }
        for (int y = 0; y < cells; y += steps.left) {
            expected.insert({{0, y}, {0, y + steps.left}});
        }
        for (int y = 0; y < cells; y += steps.right) {
            expected.insert({{cells, y}, {cells, y + steps.right}});
        }
        EXPECT_EQ(border, expected);
    }
}

// The normals written from the heightfield are those the grid mesh gets from computing the
// normals of all its triangles.
TEST(TerrainChunkGeometryTest, VerticesMatchTheGridMeshWithComputedNormals)
{
    const int side = 17;
    const Heightfield heights = Hills(side, 0.9f);
    ID3DXMesh* mesh = nullptr;
    ASSERT_EQ(D3DXCreateMeshFVF(2 * 16 * 16, side * side, D3DXMESH_SYSTEMMEM, TQRD3D_ColorVertex::kFvf, nullptr, &mesh),
              D3D_OK);
    void* data = nullptr;
    mesh->LockVertexBuffer(0, &data);
    auto* vertices = static_cast<TQRD3D_ColorVertex*>(data);
    const float spacing = TerrainSpacing(heights);
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            vertices[row * side + column] = GridVertexAt(row, column, spacing, heights.At(row, column));
        }
    }
    mesh->UnlockVertexBuffer();
    mesh->LockIndexBuffer(0, &data);
    WriteGridIndices(static_cast<WORD*>(data), side);
    mesh->UnlockIndexBuffer();
    ASSERT_EQ(D3DXComputeNormals(mesh, nullptr), D3D_OK);

    const TerrainChunkLayout layout(side);
    std::vector<TQRD3D_ColorVertex> written(static_cast<std::size_t>(side * side));
    WriteChunkVertices(heights, layout.Chunk(0), 0, written);
    mesh->LockVertexBuffer(0, &data);
    vertices = static_cast<TQRD3D_ColorVertex*>(data);
    for (std::size_t i = 0; i < written.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ((std::vector<float>{written[i].x, written[i].y, written[i].z, written[i].u, written[i].v}),
                  (std::vector<float>{vertices[i].x, vertices[i].y, vertices[i].z, vertices[i].u, vertices[i].v}));
        ASSERT_EQ(written[i].diffuse, vertices[i].diffuse);
        ASSERT_NEAR(written[i].nx, vertices[i].nx, 1e-6f);
        ASSERT_NEAR(written[i].ny, vertices[i].ny, 1e-6f);
        ASSERT_NEAR(written[i].nz, vertices[i].nz, 1e-6f);
    }
    mesh->UnlockVertexBuffer();
    mesh->Release();
}

// The height of the surface drawn at a level at any sample, by the grid's triangles.
float DrawnHeight(const Heightfield& heights, const TerrainChunk& chunk, int level, int row, int column)
{
    const int step = 1 << level;
    const int r = std::min((row - chunk.firstRow) / step, chunk.RowsAt(level) - 1);
    const int c = std::min((column - chunk.firstColumn) / step, chunk.ColumnsAt(level) - 1);
    const float fy = static_cast<float>(row - chunk.firstRow - r * step) / static_cast<float>(step);
    const float fx = static_cast<float>(column - chunk.firstColumn - c * step) / static_cast<float>(step);
    const auto at = [&](int dr, int dc) {
        return heights.At(chunk.firstRow + (r + dr) * step, chunk.firstColumn + (c + dc) * step);
    };
    if (fx + fy <= 1.0f) {
        return at(0, 0) + fx * (at(0, 1) - at(0, 0)) + fy * (at(1, 0) - at(0, 0));
    }
    return at(1, 1) + (1.0f - fx) * (at(1, 0) - at(1, 1)) + (1.0f - fy) * (at(0, 1) - at(1, 1));
}

TEST(TerrainChunkGeometryTest, LevelErrorsBoundTheTrueDistanceAndVanishOnAPlane)
{
    Heightfield plane(65);
    for (int row = 0; row < 65; ++row) {
        for (int column = 0; column < 65; ++column) {
            plane.At(row, column) = 0.25f * static_cast<float>(row) - 0.5f * static_cast<float>(column);
        }
    }
    for (const float error : ChunkLevelErrors(plane, TerrainChunkLayout(65).Chunk(0))) {
        EXPECT_NEAR(error, 0.0f, 1e-4f);
    }

    const Heightfield hills = Hills(65, 0.9f);
    const TerrainChunk chunk = TerrainChunkLayout(65).Chunk(0);
    const std::vector<float> errors = ChunkLevelErrors(hills, chunk);
    ASSERT_EQ(errors.size(), 7u);
    EXPECT_EQ(errors[0], 0.0f);
    for (int level = 1; level < 7; ++level) {
        SCOPED_TRACE(level);
        float largest = 0.0f;
        for (int row = 0; row < 65; ++row) {
            for (int column = 0; column < 65; ++column) {
                largest =
                    std::max(largest, std::abs(hills.At(row, column) - DrawnHeight(hills, chunk, level, row, column)));
            }
        }
        EXPECT_GE(errors[static_cast<std::size_t>(level)] + 1e-4f, largest);
        EXPECT_GE(errors[static_cast<std::size_t>(level)], errors[static_cast<std::size_t>(level) - 1]);
    }
    EXPECT_GT(errors[6], 0.0f);
}

D3DMATRIX Identity()
{
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    return identity;
}

// A camera at the eye looking at the origin, 45 degrees, a target 500 pixels high.
TerrainView ViewFrom(const D3DXVECTOR3& eye)
{
    TerrainView view;
    view.world = Identity();
    const D3DXVECTOR3 origin(0.0f, 0.0f, 0.0f);
    const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
    D3DXMATRIX lookAt;
    D3DXMatrixLookAtRH(&lookAt, &eye, &origin, &up);
    view.view = lookAt;
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovRH(&projection, 0.785398f, 1.0f, 0.1f, 10000.0f);
    view.projection = projection;
    view.targetHeight = 500.0f;
    return view;
}

TEST(TerrainLodSelectionTest, LevelsFollowTheErrorSeenFromTheCamera)
{
    const std::vector<float> errors = {0.0f, 0.001f, 0.01f, 0.1f};
    const std::vector<float> flat = {0.0f, 0.0f, 0.0f, 0.0f};
    const ChunkBox box{-1.0f, 1.0f, 0.0f, 0.5f, -1.0f, 1.0f};
    struct Case {
        const char* what;
        D3DXVECTOR3 eye;
        ChunkLodInput chunk;
        int level;
    };
    // About 720 pixels per unit at depth 1 (250 * cot(22.5 degrees) widened off the axis).
    const Case cases[] = {
        {"far away: the coarsest level", {0.0f, 0.0f, 5000.0f}, {box, errors, false}, 3},
        {"farther", {0.0f, 0.0f, 50.0f}, {box, errors, false}, 2},
        {"nearer", {0.0f, 0.0f, 5.0f}, {box, errors, false}, 1},
        {"close: full detail", {0.0f, 0.0f, 1.5f}, {box, errors, false}, 0},
        {"pinned: full detail", {0.0f, 0.0f, 5000.0f}, {box, errors, true}, 0},
        {"farther, flat but of two colours", {0.0f, 0.0f, 50.0f}, {box, flat, false, 0.01f}, 1},
        {"far away, flat but of two colours", {0.0f, 0.0f, 5000.0f}, {box, flat, false, 0.01f}, 3},
        {"eye inside a flat chunk", {0.0f, 0.25f, 0.5f}, {box, flat, false}, 3},
        {"eye inside a rough chunk", {0.0f, 0.25f, 0.5f}, {box, errors, false}, 0},
        {"behind the camera",
         {0.0f, 0.0f, 5.0f},
         {{-1.0f, 1.0f, 0.0f, 0.5f, 10.0f, 12.0f}, errors, false},
         kChunkCulled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<ChunkLodInput> chunks = {c.chunk};
        EXPECT_EQ(ChooseChunkLevels(ViewFrom(c.eye), chunks, 1.0f), std::vector<int>{c.level});
    }
}

TEST(TerrainLodSelectionTest, TheWorldTransformScalesTheError)
{
    const std::vector<float> errors = {0.0f, 0.01f};
    const std::vector<ChunkLodInput> chunks = {{{-1.0f, 1.0f, 0.0f, 0.5f, -1.0f, 1.0f}, errors, false}};
    TerrainView view = ViewFrom({0.0f, 0.0f, 11.0f});
    EXPECT_EQ(ChooseChunkLevels(view, chunks, 1.0f), std::vector<int>{1});
    view.world._22 = 10.0f;
    EXPECT_EQ(ChooseChunkLevels(view, chunks, 1.0f), std::vector<int>{0}) << "heights ten times taller";
}

TEST(TerrainChunkCacheTest, KeepsBuiltLevelsWithinTheBudgetAndRefreshesEdits)
{
    Heightfield heights = Hills(129);
    const TerrainChunkLayout layout(129);
    const std::size_t levelBytes = 65 * 65 * sizeof(TQRD3D_ColorVertex);
    TerrainChunkCache cache(2 * levelBytes);
    cache.Reset(layout.ChunkCount());
    for (int chunk = 0; chunk < layout.ChunkCount(); ++chunk) {
        cache.Vertices(heights, layout.Chunk(chunk), chunk, 0);
        cache.Trim(2);
    }
    EXPECT_EQ(cache.Bytes(), 2 * levelBytes) << "the two levels drawn last stay";
    EXPECT_FALSE(cache.IsKept(0, 0));
    EXPECT_TRUE(cache.IsKept(3, 0));

    // Sample (100, 100) lies in chunk 3 only; a change the cache is not told of stays unseen.
    heights.At(100, 100) = 50.0f;
    heights.At(70, 70) = 60.0f;
    cache.Refresh(heights, layout.Chunk(3), 3, {99, 99, 101, 101});
    const auto vertices = cache.Vertices(heights, layout.Chunk(3), 3, 0);
    EXPECT_EQ(vertices[36 * 65 + 36].y, 50.0f);
    EXPECT_EQ(vertices[36 * 65 + 36].diffuse, GridHeightColor(50.0f));
    EXPECT_NE(vertices[6 * 65 + 6].y, 60.0f);
    EXPECT_NE(vertices[35 * 65 + 36].ny, TerrainVertex(Hills(129), 99, 100, TerrainSpacing(heights)).ny)
        << "the neighbour's normal follows the new height";
}

} // namespace
