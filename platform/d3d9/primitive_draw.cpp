#include "platform/d3d9/internal/primitive_draw.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

float PointSizeOf(const VertexSource& vertices, UINT vertex)
{
    float size = 0.0f;
    std::memcpy(&size, vertices.data + static_cast<std::size_t>(vertex) * vertices.stride + *vertices.layout.pointSize,
                sizeof size);
    return size;
}

bool HasOwnPointSizes(GLenum mode, const VertexSource& vertices)
{
    return mode == GL_POINTS && vertices.layout.pointSize.has_value();
}

void BindArray(GlStateCache& cache, GLenum array, const std::optional<UINT>& offset)
{
    cache.EnableClientState(array, offset.has_value());
}

// The smallest and largest index of the list.
template <typename Index> std::pair<UINT, UINT> IndexRange(const IndexSource& indices)
{
    std::vector<Index> copy;
    const Index* list = reinterpret_cast<const Index*>(indices.data);
    // Client memory need not be aligned for the index type.
    if (reinterpret_cast<std::uintptr_t>(indices.data) % alignof(Index) != 0) {
        copy.resize(indices.count);
        std::memcpy(copy.data(), indices.data, static_cast<std::size_t>(indices.count) * sizeof(Index));
        list = copy.data();
    }
    Index low = list[0];
    Index high = list[0];
    for (UINT position = 1; position < indices.count; ++position) {
        low = std::min(low, list[position]);
        high = std::max(high, list[position]);
    }
    return {low, high};
}

} // namespace

std::vector<PointRun> PointRunsBySize(UINT count, const std::function<float(UINT)>& sizeOf)
{
    std::vector<PointRun> runs;
    for (UINT point = 0; point < count; ++point) {
        const float size = sizeOf(point);
        if (runs.empty() || runs.back().size != size) {
            runs.push_back(PointRun{point, 0, size});
        }
        ++runs.back().count;
    }
    return runs;
}

UINT IndexAt(const IndexSource& indices, UINT position)
{
    const BYTE* at = indices.data + static_cast<std::size_t>(position) * indices.indexSize;
    if (indices.indexSize == 2) {
        WORD index = 0;
        std::memcpy(&index, at, sizeof index);
        return index;
    }
    DWORD index = 0;
    std::memcpy(&index, at, sizeof index);
    return index;
}

bool IndicesWithin(const IndexSource& indices, UINT first, UINT vertexCount)
{
    if (indices.count == 0) {
        return true;
    }
    // One pass over the whole list for its smallest and largest index: called on every draw,
    // so the loop works on the index type itself and the compiler can vectorise it.
    const auto [low, high] = indices.indexSize == 2 ? IndexRange<WORD>(indices) : IndexRange<DWORD>(indices);
    return low >= first && high - first < vertexCount;
}

void BindVertexArrays(GlStateCache& cache, const VertexSource& vertices)
{
    const auto stride = static_cast<GLsizei>(vertices.stride);
    const VertexLayout& layout = vertices.layout;
    cache.EnableClientState(GL_VERTEX_ARRAY, true);
    glVertexPointer(3, GL_FLOAT, stride, vertices.data);

    BindArray(cache, GL_NORMAL_ARRAY, layout.normal);
    if (layout.normal) {
        glNormalPointer(GL_FLOAT, stride, vertices.data + *layout.normal);
    } else {
        glNormal3f(0.0f, 0.0f, 0.0f);
    }
    // D3DCOLOR is B, G, R, A in memory.
    BindArray(cache, GL_COLOR_ARRAY, layout.diffuse);
    if (layout.diffuse) {
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, vertices.data + *layout.diffuse);
    } else {
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }
    BindArray(cache, GL_TEXTURE_COORD_ARRAY, layout.texCoord0);
    if (layout.texCoord0) {
        glTexCoordPointer(2, GL_FLOAT, stride, vertices.data + *layout.texCoord0);
    } else {
        glTexCoord2f(0.0f, 0.0f);
    }
}

void DrawVertexArrays(GlStateCache& cache, GLenum mode, const VertexSource& vertices, UINT count)
{
    BindVertexArrays(cache, vertices);
    if (!HasOwnPointSizes(mode, vertices)) {
        glDrawArrays(mode, 0, static_cast<GLsizei>(count));
        return;
    }
    for (const PointRun& run :
         PointRunsBySize(count, [&vertices](UINT point) { return PointSizeOf(vertices, point); })) {
        cache.PointSize(run.size);
        glDrawArrays(GL_POINTS, static_cast<GLint>(run.first), static_cast<GLsizei>(run.count));
    }
}

void DrawIndexedVertexArrays(GlStateCache& cache, GLenum mode, const VertexSource& vertices, const IndexSource& indices)
{
    BindVertexArrays(cache, vertices);
    const GLenum type = indices.indexSize == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT;
    if (!HasOwnPointSizes(mode, vertices)) {
        glDrawElements(mode, static_cast<GLsizei>(indices.count), type, indices.data);
        return;
    }
    const auto sizeOf = [&](UINT position) { return PointSizeOf(vertices, IndexAt(indices, position)); };
    for (const PointRun& run : PointRunsBySize(indices.count, sizeOf)) {
        cache.PointSize(run.size);
        glDrawElements(GL_POINTS, static_cast<GLsizei>(run.count), type,
                       indices.data + static_cast<std::size_t>(run.first) * indices.indexSize);
    }
}
