#include "world/terrain_picking.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr double kHalfExtent = kTerrainExtent / 2.0;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Barycentric slack, so that a ray through a shared edge or vertex hits one of its triangles.
constexpr double kEdgeSlack = 1e-9;

// A point in grid space: u along the columns, v along the rows, y the height. The map from world
// space is affine, so a ray's parameter t is the same in both.
struct GridPoint {
    double u = 0.0;
    double v = 0.0;
    double y = 0.0;
};

GridPoint operator-(const GridPoint& a, const GridPoint& b) { return {a.u - b.u, a.v - b.v, a.y - b.y}; }

GridPoint Cross(const GridPoint& a, const GridPoint& b)
{
    return {a.v * b.y - a.y * b.v, a.y * b.u - a.u * b.y, a.u * b.v - a.v * b.u};
}

double Dot(const GridPoint& a, const GridPoint& b) { return a.u * b.u + a.v * b.v + a.y * b.y; }

struct GridRay {
    GridPoint origin;
    GridPoint direction;
};

// Möller-Trumbore: the ray's parameter at the triangle, or infinity.
double HitTriangle(const GridRay& ray, const GridPoint& a, const GridPoint& b, const GridPoint& c)
{
    const GridPoint edge1 = b - a;
    const GridPoint edge2 = c - a;
    const GridPoint p = Cross(ray.direction, edge2);
    const double determinant = Dot(edge1, p);
    if (std::abs(determinant) < 1e-15) {
        return kInfinity;
    }
    const GridPoint s = ray.origin - a;
    const double first = Dot(s, p) / determinant;
    if (first < -kEdgeSlack || first > 1.0 + kEdgeSlack) {
        return kInfinity;
    }
    const GridPoint q = Cross(s, edge1);
    const double second = Dot(ray.direction, q) / determinant;
    if (second < -kEdgeSlack || first + second > 1.0 + kEdgeSlack) {
        return kInfinity;
    }
    const double t = Dot(edge2, q) / determinant;
    return t >= 0.0 ? t : kInfinity;
}

// The nearer of the cell's two triangles, as the floor's index layout splits it.
double HitCell(const Heightfield& heights, const GridRay& ray, int row, int column)
{
    const auto corner = [&](int r, int c) {
        return GridPoint{static_cast<double>(c), static_cast<double>(r), heights.At(r, c)};
    };
    const GridPoint topLeft = corner(row, column);
    const GridPoint topRight = corner(row, column + 1);
    const GridPoint bottomLeft = corner(row + 1, column);
    const GridPoint bottomRight = corner(row + 1, column + 1);
    return std::min(HitTriangle(ray, topLeft, topRight, bottomLeft),
                    HitTriangle(ray, bottomLeft, topRight, bottomRight));
}

// Narrows [enter, exit] to where origin + t * direction lies within low..high.
bool ClipToSlab(double origin, double direction, double low, double high, double& enter, double& exit)
{
    if (direction == 0.0) {
        return origin >= low && origin <= high;
    }
    double atLow = (low - origin) / direction;
    double atHigh = (high - origin) / direction;
    if (atLow > atHigh) {
        std::swap(atLow, atHigh);
    }
    enter = std::max(enter, atLow);
    exit = std::min(exit, atHigh);
    return enter <= exit;
}

// Walks the cells under the ray's path in the order the ray crosses them (a 2D digital
// differential analyser), so the first cell with a hit holds the nearest one.
double FirstHit(const Heightfield& heights, const GridRay& ray, double enter, double exit)
{
    const int lastCell = heights.Side() - 2;
    const GridPoint start{ray.origin.u + enter * ray.direction.u, ray.origin.v + enter * ray.direction.v, 0.0};
    int column = std::clamp(static_cast<int>(std::floor(start.u)), 0, lastCell);
    int row = std::clamp(static_cast<int>(std::floor(start.v)), 0, lastCell);
    const auto axis = [](double origin, double direction, int cell, int& step, double& delta) {
        step = direction > 0.0 ? 1 : -1;
        delta = direction != 0.0 ? std::abs(1.0 / direction) : kInfinity;
        return direction != 0.0 ? (cell + (direction > 0.0 ? 1 : 0) - origin) / direction : kInfinity;
    };
    int stepU = 0;
    int stepV = 0;
    double deltaU = 0.0;
    double deltaV = 0.0;
    double nextU = axis(ray.origin.u, ray.direction.u, column, stepU, deltaU);
    double nextV = axis(ray.origin.v, ray.direction.v, row, stepV, deltaV);
    while (row >= 0 && column >= 0 && row <= lastCell && column <= lastCell) {
        if (const double t = HitCell(heights, ray, row, column); t < kInfinity) {
            return t;
        }
        // A vertical ray (both steps infinite) stays in its one cell.
        if (const double next = std::min(nextU, nextV); next > exit || next == kInfinity) {
            break;
        }
        if (nextU < nextV) {
            column += stepU;
            nextU += deltaU;
        } else {
            row += stepV;
            nextV += deltaV;
        }
    }
    return kInfinity;
}

} // namespace

std::optional<TerrainHit> PickTerrain(const Heightfield& heights, const TQR_Vector3& origin,
                                      const TQR_Vector3& direction)
{
    if (heights.Side() < 2) {
        return std::nullopt;
    }
    const double spacing = heights.Spacing();
    const GridRay ray{{(origin.x + kHalfExtent) / spacing, (kHalfExtent - origin.z) / spacing, origin.y},
                      {direction.x / spacing, -direction.z / spacing, direction.y}};
    const double last = heights.Side() - 1;
    double enter = 0.0;
    double exit = kInfinity;
    if (!ClipToSlab(ray.origin.u, ray.direction.u, 0.0, last, enter, exit) ||
        !ClipToSlab(ray.origin.v, ray.direction.v, 0.0, last, enter, exit)) {
        return std::nullopt;
    }
    const double t = FirstHit(heights, ray, enter, exit);
    if (t == kInfinity) {
        return std::nullopt;
    }
    TerrainHit hit;
    hit.row = static_cast<float>(ray.origin.v + t * ray.direction.v);
    hit.column = static_cast<float>(ray.origin.u + t * ray.direction.u);
    hit.point = origin + direction * static_cast<float>(t);
    hit.nearestRow = std::clamp(static_cast<int>(std::lround(hit.row)), 0, heights.Side() - 1);
    hit.nearestColumn = std::clamp(static_cast<int>(std::lround(hit.column)), 0, heights.Side() - 1);
    return hit;
}

float SurfaceHeight(const Heightfield& heights, float row, float column)
{
    const float last = static_cast<float>(heights.Side() - 1);
    row = std::clamp(row, 0.0f, last);
    column = std::clamp(column, 0.0f, last);
    const int r = std::min(static_cast<int>(row), heights.Side() - 2);
    const int c = std::min(static_cast<int>(column), heights.Side() - 2);
    const float fr = row - static_cast<float>(r);
    const float fc = column - static_cast<float>(c);
    const float top = heights.At(r, c) + (heights.At(r, c + 1) - heights.At(r, c)) * fc;
    const float bottom = heights.At(r + 1, c) + (heights.At(r + 1, c + 1) - heights.At(r + 1, c)) * fc;
    return top + (bottom - top) * fr;
}

float ColumnToWorldX(const Heightfield& heights, float column)
{
    return column * heights.Spacing() - kTerrainExtent / 2.0f;
}

float RowToWorldZ(const Heightfield& heights, float row) { return kTerrainExtent / 2.0f - row * heights.Spacing(); }
