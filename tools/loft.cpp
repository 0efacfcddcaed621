#include "tools/loft.h"

#include <cstddef>

namespace {

bool IsPoint(const Station& station)
{
    const D3DXVECTOR3 zero(0.0f, 0.0f, 0.0f);
    return station.axisA == zero && station.axisB == zero;
}

D3DXVECTOR3 Place(const Station& station, const SectionPoint& point)
{
    return station.centre + station.axisA * point.a + station.axisB * point.b;
}

// Twice the signed area of the outline: positive when it turns counter-clockwise in (a, b).
float SignedArea(const CrossSection& section)
{
    float sum = 0.0f;
    for (size_t i = 0; i < section.size(); ++i) {
        const SectionPoint& p = section[i];
        const SectionPoint& q = section[(i + 1) % section.size()];
        sum += p.a * q.b - q.a * p.b;
    }
    return sum;
}

// Joining ring k to k + 1 and then to the next station as JoinRings does gives triangles
// whose normal is (along the ring) x (along the loft). That points outwards when the outline
// turns counter-clockwise about axisA x axisB and the stations advance along axisA x axisB;
// each of the two going the other way flips it.
bool NeedsReversal(const CrossSection& section, const std::vector<Station>& stations)
{
    const Station& first = stations.front();
    const Station* sized = IsPoint(first) ? &stations[1] : &first;
    D3DXVECTOR3 turn;
    D3DXVec3Cross(&turn, &sized->axisA, &sized->axisB);
    const D3DXVECTOR3 travel = stations.back().centre - first.centre;
    return (D3DXVec3Dot(&turn, &travel) < 0.0f) != (SignedArea(section) < 0.0f);
}

class OrientedTriangles {
public:
    OrientedTriangles(MeshBuilder& builder, bool reversed) : m_builder(builder), m_reversed(reversed) {}
    void Add(DWORD a, DWORD b, DWORD c) const
    {
        if (m_reversed) {
            m_builder.AddTriangle(a, c, b);
        } else {
            m_builder.AddTriangle(a, b, c);
        }
    }

private:
    MeshBuilder& m_builder;
    bool m_reversed;
};

// Texture u of the middle of the outline.
float MeanU(const CrossSection& section)
{
    float sum = 0.0f;
    for (const SectionPoint& point : section) {
        sum += point.u;
    }
    return sum / static_cast<float>(section.size());
}

std::vector<DWORD> AddRing(MeshBuilder& builder, const CrossSection& section, const Station& station)
{
    if (IsPoint(station)) {
        return std::vector<DWORD>(section.size(), builder.AddVertex(station.centre, MeanU(section), station.v));
    }
    std::vector<DWORD> ring;
    for (const SectionPoint& point : section) {
        ring.push_back(builder.AddVertex(Place(station, point), point.u, station.v));
    }
    return ring;
}

void JoinRings(const OrientedTriangles& triangles, const std::vector<DWORD>& from, const std::vector<DWORD>& to)
{
    const size_t n = from.size();
    for (size_t k = 0; k < n; ++k) {
        const size_t next = (k + 1) % n;
        triangles.Add(from[k], from[next], to[k]);
        triangles.Add(from[next], to[next], to[k]);
    }
}

// A flat fan over the station's ring (the outline must be convex); facingTravel makes it face
// the way the stations run.
void AddCap(MeshBuilder& builder, const OrientedTriangles& triangles, const CrossSection& section,
            const Station& station, bool facingTravel)
{
    if (IsPoint(station)) {
        return;
    }
    const std::vector<DWORD> rim = AddRing(builder, section, station);
    // The fan starts from the middle of the outline, which need not be the station's centre
    // (a wing profile's centre is its leading edge, on the outline itself).
    D3DXVECTOR3 sum(0.0f, 0.0f, 0.0f);
    for (DWORD vertex : rim) {
        sum = sum + builder.Vertices()[vertex].position;
    }
    const DWORD centre = builder.AddVertex(sum * (1.0f / static_cast<float>(rim.size())), MeanU(section), station.v);
    for (size_t k = 0; k < rim.size(); ++k) {
        const DWORD a = rim[k];
        const DWORD b = rim[(k + 1) % rim.size()];
        if (facingTravel) {
            triangles.Add(centre, a, b);
        } else {
            triangles.Add(centre, b, a);
        }
    }
}

} // namespace

void AddLoft(MeshBuilder& builder, const CrossSection& section, const std::vector<Station>& stations, LoftEnds ends)
{
    if (stations.size() < 2 || section.size() < 3) {
        return;
    }
    const OrientedTriangles triangles(builder, NeedsReversal(section, stations));
    std::vector<DWORD> previous = AddRing(builder, section, stations.front());
    for (size_t i = 1; i < stations.size(); ++i) {
        std::vector<DWORD> ring = AddRing(builder, section, stations[i]);
        JoinRings(triangles, previous, ring);
        previous = std::move(ring);
    }
    if (ends == LoftEnds::Capped) {
        AddCap(builder, triangles, section, stations.front(), false);
        AddCap(builder, triangles, section, stations.back(), true);
    }
}
