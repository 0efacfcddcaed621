#include "graphics/shape_vertices.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kLineNormalThreshold = 0.01f;

TQRD3D_ColorVertex Vertex(const TQR_Vector3& position, const TQR_Vector3& normal, D3DCOLOR diffuse, float u, float v)
{
    return TQRD3D_ColorVertex{position.x, position.y, position.z, normal.x, normal.y, normal.z, diffuse, u, v};
}

} // namespace

std::array<TQRD3D_ColorVertex, 2> MakeLineVertices(const TQR_Vector3& from, const TQR_Vector3& to, D3DCOLOR fromColor,
                                                   D3DCOLOR toColor)
{
    const TQR_Vector3 d = to - from;
    const bool slopes = d.x > kLineNormalThreshold && d.y > kLineNormalThreshold;
    const TQR_Vector3 normal = slopes ? TQR_Vector3{-d.y, d.x, 0.0f} : TQR_Vector3{1.0f, 0.0f, 0.0f};
    return {Vertex(from, normal, fromColor, 0.0f, 0.0f), Vertex(to, normal, toColor, 1.0f, 1.0f)};
}

std::vector<TQRD3D_ColorVertex> MakeDiscVertices(const TQR_Vector3& centre, float radius, int vertexCount,
                                                 D3DCOLOR rimColor, D3DCOLOR centreColor)
{
    const TQR_Vector3 normal{0.0f, 0.0f, 1.0f};
    const float step = 360.0f / static_cast<float>(vertexCount - 2) * kRadiansPerDegree;
    std::vector<TQRD3D_ColorVertex> vertices;
    vertices.reserve(static_cast<std::size_t>(vertexCount));
    vertices.push_back(Vertex(centre, normal, centreColor, 0.5f, 0.5f));
    for (int i = 0; i < vertexCount - 2; ++i) {
        const float angle = static_cast<float>(i) * step;
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        const TQR_Vector3 rim{centre.x + radius * c, centre.y + radius * s, centre.z};
        vertices.push_back(Vertex(rim, normal, rimColor, 0.5f + 0.5f * c, 0.5f - 0.5f * s));
    }
    vertices.push_back(vertices[1]);
    return vertices;
}

std::array<TQRD3D_ColorVertex, 6> MakeRectangleVertices(TQRD3D_RectanglePlane plane, float a1, float b1, float a2,
                                                        float b2, D3DCOLOR cornerColor, D3DCOLOR centreColor)
{
    const bool xz = plane == TQRD3D_RectanglePlane::XZ;
    const auto at = [xz](float a, float b) { return xz ? TQR_Vector3{a, 0.0f, b} : TQR_Vector3{a, b, 0.0f}; };
    const TQR_Vector3 normal = xz ? TQR_Vector3{0.0f, 1.0f, 0.0f} : TQR_Vector3{0.0f, 0.0f, 1.0f};
    const float aMin = std::min(a1, a2);
    const float aMax = std::max(a1, a2);
    const float bMin = std::min(b1, b2);
    const float bMax = std::max(b1, b2);
    return {
        Vertex(at((a1 + a2) / 2.0f, (b1 + b2) / 2.0f), normal, centreColor, 0.5f, 0.5f),
        Vertex(at(aMin, bMax), normal, cornerColor, 1.0f, 0.0f),
        Vertex(at(aMin, bMin), normal, cornerColor, 1.0f, 1.0f),
        Vertex(at(aMax, bMin), normal, cornerColor, 0.0f, 1.0f),
        Vertex(at(aMax, bMax), normal, cornerColor, 0.0f, 0.0f),
        Vertex(at(aMin, bMax), normal, cornerColor, 1.0f, 0.0f),
    };
}
