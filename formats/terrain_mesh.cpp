#include "formats/terrain_mesh.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Normal of the surface at a sample from the height differences to its neighbours.
std::array<float, 3> NormalAt(const Heightfield& heights, int row, int column)
{
    const int last = heights.Side() - 1;
    const int left = std::max(column - 1, 0);
    const int right = std::min(column + 1, last);
    const int up = std::max(row - 1, 0);
    const int down = std::min(row + 1, last);
    const double spacing = heights.Spacing();
    // z falls as the row grows, so the slope along z runs from the next row to the previous one.
    const double slopeX = (heights.At(row, right) - heights.At(row, left)) / (spacing * (right - left));
    const double slopeZ = (heights.At(up, column) - heights.At(down, column)) / (spacing * (down - up));
    const double length = std::sqrt(slopeX * slopeX + 1.0 + slopeZ * slopeZ);
    return {static_cast<float>(-slopeX / length), static_cast<float>(1.0 / length),
            static_cast<float>(-slopeZ / length)};
}

TerrainMesh FullMesh(const Heightfield& heights)
{
    const int side = heights.Side();
    const std::size_t count = static_cast<std::size_t>(side) * side;
    TerrainMesh mesh;
    mesh.positions.reserve(3 * count);
    mesh.normals.reserve(3 * count);
    mesh.texCoords.reserve(2 * count);
    const float last = static_cast<float>(side - 1);
    const float half = kTerrainExtent / 2;
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            const float u = static_cast<float>(column) / last;
            const float v = static_cast<float>(row) / last;
            mesh.positions.insert(mesh.positions.end(),
                                  {-half + kTerrainExtent * u, heights.At(row, column), half - kTerrainExtent * v});
            const std::array<float, 3> normal = NormalAt(heights, row, column);
            mesh.normals.insert(mesh.normals.end(), normal.begin(), normal.end());
            mesh.texCoords.insert(mesh.texCoords.end(), {u, v});
        }
    }
    mesh.indices.reserve(6 * static_cast<std::size_t>(side - 1) * (side - 1));
    for (int row = 0; row + 1 < side; ++row) {
        for (int column = 0; column + 1 < side; ++column) {
            const auto corner = static_cast<std::uint32_t>(row * side + column);
            const auto below = corner + static_cast<std::uint32_t>(side);
            mesh.indices.insert(mesh.indices.end(), {corner, corner + 1, below, corner + 1, below + 1, below});
        }
    }
    return mesh;
}

// The simplifier's input: positions and indices where each inner vertex to be kept is split
// into one copy per triangle corner. meshoptimizer 0.18 has no per-vertex lock, but it never moves
// a position shared by more than two vertices; the copies map back to their original afterwards.
struct LockedInput {
    std::vector<float> positions;
    std::vector<std::uint32_t> indices;
    std::vector<std::uint32_t> originalOf; // for each copy past the original vertices
};

LockedInput LockVertices(const TerrainMesh& mesh, const std::vector<std::uint32_t>& keep)
{
    LockedInput input{mesh.positions, mesh.indices, {}};
    const auto vertexCount = static_cast<std::uint32_t>(mesh.VertexCount());
    for (const std::uint32_t vertex : keep) {
        for (std::uint32_t& index : input.indices) {
            if (index == vertex) {
                index = vertexCount + static_cast<std::uint32_t>(input.originalOf.size());
                input.originalOf.push_back(vertex);
                input.positions.insert(input.positions.end(), mesh.positions.begin() + 3 * vertex,
                                       mesh.positions.begin() + 3 * vertex + 3);
            }
        }
    }
    return input;
}

// The inner vertices with the lowest and the highest height (border vertices are locked anyway).
std::vector<std::uint32_t> InnerExtremes(const Heightfield& heights)
{
    const int side = heights.Side();
    const auto samples = heights.Samples();
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    std::vector<std::uint32_t> keep;
    for (const auto it : {low, high}) {
        const auto vertex = static_cast<std::uint32_t>(it - samples.begin());
        const int row = static_cast<int>(vertex) / side;
        const int column = static_cast<int>(vertex) % side;
        const bool border = row == 0 || column == 0 || row == side - 1 || column == side - 1;
        if (!border && std::find(keep.begin(), keep.end(), vertex) == keep.end()) {
            keep.push_back(vertex);
        }
    }
    return keep;
}

void Simplify(TerrainMesh& mesh, const Heightfield& heights, const MeshSimplification& simplification)
{
    const std::size_t vertexCount = mesh.VertexCount();
    const LockedInput input = LockVertices(mesh, InnerExtremes(heights));
    const std::size_t inputVertices = input.positions.size() / 3;
    // The simplifier takes its error relative to the mesh's extent; no limit is a relative error
    // far beyond any terrain's.
    constexpr float kNoErrorLimit = 1e6f;
    const float scale = meshopt_simplifyScale(input.positions.data(), inputVertices, 3 * sizeof(float));
    const float relativeError =
        simplification.targetError > 0.0f && scale > 0.0f ? simplification.targetError / scale : kNoErrorLimit;
    std::vector<std::uint32_t> indices(input.indices.size());
    indices.resize(meshopt_simplify(indices.data(), input.indices.data(), input.indices.size(), input.positions.data(),
                                    inputVertices, 3 * sizeof(float), 3 * simplification.targetTriangles, relativeError,
                                    meshopt_SimplifyLockBorder, nullptr));
    for (std::uint32_t& index : indices) {
        if (index >= vertexCount) {
            index = input.originalOf[index - vertexCount];
        }
    }
    // Only the vertices still used, in the order the triangles use them.
    std::vector<std::uint32_t> remap(vertexCount);
    const std::size_t kept =
        meshopt_optimizeVertexFetchRemap(remap.data(), indices.data(), indices.size(), vertexCount);
    const auto compact = [&](std::vector<float>& stream, std::size_t components) {
        std::vector<float> compacted(kept * components);
        meshopt_remapVertexBuffer(compacted.data(), stream.data(), vertexCount, components * sizeof(float),
                                  remap.data());
        stream = std::move(compacted);
    };
    compact(mesh.positions, 3);
    compact(mesh.normals, 3);
    compact(mesh.texCoords, 2);
    meshopt_remapIndexBuffer(indices.data(), indices.data(), indices.size(), remap.data());
    mesh.indices = std::move(indices);
}

} // namespace

TerrainMesh BuildTerrainMesh(const Heightfield& heights, const MeshSimplification& simplification)
{
    TerrainMesh mesh = FullMesh(heights);
    if (simplification.Wanted()) {
        Simplify(mesh, heights, simplification);
    }
    return mesh;
}
