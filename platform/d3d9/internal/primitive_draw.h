// Drawing from client memory: vertex arrays laid out by the vertex format, index checks, and
// point lists whose vertices carry their own size, drawn in runs of equal size (the
// fixed-function pipeline has one point size per draw).
#pragma once

#include "platform/d3d9/internal/gl_state_cache.h"
#include "platform/d3d9/vertex_layout.h"

#include <functional>
#include <vector>

struct VertexSource {
    const BYTE* data = nullptr;
    UINT stride = 0;
    VertexLayout layout;
};

struct IndexSource {
    const BYTE* data = nullptr;
    UINT indexSize = 2;
    UINT count = 0;
};

struct PointRun {
    UINT first = 0;
    UINT count = 0;
    float size = 1.0f;
};

// Consecutive points of equal size, in order.
std::vector<PointRun> PointRunsBySize(UINT count, const std::function<float(UINT)>& sizeOf);

UINT IndexAt(const IndexSource& indices, UINT position);
// True when every index lies in [first, first + vertexCount).
bool IndicesWithin(const IndexSource& indices, UINT first, UINT vertexCount);

// Points OpenGL's client arrays at the vertices. A format without a diffuse colour draws
// opaque white; one without a normal has a zero normal; one without texture coordinates (0, 0).
void BindVertexArrays(GlStateCache& cache, const VertexSource& vertices);
void DrawVertexArrays(GlStateCache& cache, GLenum mode, const VertexSource& vertices, UINT count);
void DrawIndexedVertexArrays(GlStateCache& cache, GLenum mode, const VertexSource& vertices,
                             const IndexSource& indices);
