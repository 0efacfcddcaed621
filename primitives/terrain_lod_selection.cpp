#include "primitives/terrain_lod_selection.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct Vector4 {
    float x, y, z, w;
};

Vector4 Transform(const Vector4& v, const D3DMATRIX& m)
{
    return {
        v.x * m._11 + v.y * m._21 + v.z * m._31 + v.w * m._41, v.x * m._12 + v.y * m._22 + v.z * m._32 + v.w * m._42,
        v.x * m._13 + v.y * m._23 + v.z * m._33 + v.w * m._43, v.x * m._14 + v.y * m._24 + v.z * m._34 + v.w * m._44};
}

std::array<Vector4, 8> Corners(const ChunkBox& box)
{
    std::array<Vector4, 8> corners;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        corners[i] = {(i & 1) != 0 ? box.maxX : box.minX, (i & 2) != 0 ? box.maxY : box.minY,
                      (i & 4) != 0 ? box.maxZ : box.minZ, 1.0f};
    }
    return corners;
}

// True when every corner lies beyond the same plane of the clip volume (-w <= x, y <= w,
// 0 <= z <= w).
bool OutsideClipVolume(const std::array<Vector4, 8>& clip)
{
    const auto allBeyond = [&clip](auto beyond) { return std::all_of(clip.begin(), clip.end(), beyond); };
    return allBeyond([](const Vector4& c) { return c.x < -c.w; }) ||
           allBeyond([](const Vector4& c) { return c.x > c.w; }) ||
           allBeyond([](const Vector4& c) { return c.y < -c.w; }) ||
           allBeyond([](const Vector4& c) { return c.y > c.w; }) ||
           allBeyond([](const Vector4& c) { return c.z < 0.0f; }) ||
           allBeyond([](const Vector4& c) { return c.z > c.w; });
}

// Pixels per world unit at depth 1 for a perspective projection (at any depth for an
// orthographic one), widened for displacements seen off the view's axis.
float PixelsPerUnit(const TerrainView& view)
{
    const D3DMATRIX& p = view.projection;
    const float halfWidth = p._11 != 0.0f ? 1.0f / p._11 : 0.0f;
    const float halfHeight = p._22 != 0.0f ? 1.0f / p._22 : 0.0f;
    const float offAxis = std::sqrt(1.0f + halfWidth * halfWidth + halfHeight * halfHeight);
    return 0.5f * view.targetHeight * std::abs(p._22) * offAxis;
}

// Scales of a vertical and a horizontal distance in the terrain's own units to pixels at depth 1.
struct ErrorScales {
    float vertical;
    float horizontal;
};

int ChooseLevel(const ChunkLodInput& chunk, const ErrorScales& scales, float depth, float maxPixelError)
{
    for (int level = static_cast<int>(chunk.errors.size()) - 1; level > 0; --level) {
        const float error = std::max(chunk.errors[static_cast<std::size_t>(level)] * scales.vertical,
                                     2.0f * chunk.colourSpacing * static_cast<float>(1 << level) * scales.horizontal);
        if (error == 0.0f || (depth > 0.0f && error <= maxPixelError * depth)) {
            return level;
        }
    }
    return 0;
}

} // namespace

std::vector<int> ChooseChunkLevels(const TerrainView& view, std::span<const ChunkLodInput> chunks, float maxPixelError)
{
    const D3DMATRIX& world = view.world;
    const bool perspective = view.projection._34 != 0.0f;
    // A distance in the terrain's own units, in world units, in pixels at depth 1.
    const float pixelsPerUnit = PixelsPerUnit(view);
    const ErrorScales scales{
        std::sqrt(world._21 * world._21 + world._22 * world._22 + world._23 * world._23) * pixelsPerUnit,
        std::max(std::sqrt(world._11 * world._11 + world._12 * world._12 + world._13 * world._13),
                 std::sqrt(world._31 * world._31 + world._32 * world._32 + world._33 * world._33)) *
            pixelsPerUnit};
    std::vector<int> levels;
    levels.reserve(chunks.size());
    for (const ChunkLodInput& chunk : chunks) {
        std::array<Vector4, 8> clip;
        float depth = perspective ? INFINITY : 1.0f;
        const std::array<Vector4, 8> corners = Corners(chunk.box);
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const Vector4 inView = Transform(Transform(corners[i], world), view.view);
            clip[i] = Transform(inView, view.projection);
            if (perspective) {
                depth = std::min(depth, -inView.z);
            }
        }
        if (OutsideClipVolume(clip)) {
            levels.push_back(kChunkCulled);
        } else {
            levels.push_back(chunk.pinned ? 0 : ChooseLevel(chunk, scales, depth, maxPixelError));
        }
    }
    return levels;
}
