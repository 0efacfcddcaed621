#include "tools/airplane_model.h"

#include "tools/airplane_skin_layout.h"
#include "tools/loft_shapes.h"

namespace {

constexpr float kNoseZ = -5.0f;
constexpr float kLength = 10.0f;
constexpr float kBodyHeightToWidth = 1.12f;
constexpr int kBodySlices = 16;
constexpr int kAirfoilPointsPerFace = 10;

// The fuselage's outline from nose to tail: position along z, half width, and the height of
// the centre line, which rises towards the tail.
struct BodyFrame {
    float z;
    float radius;
    float centreY;
};
constexpr BodyFrame kBodyFrames[] = {
    {-5.0f, 0.00f, 0.00f}, {-4.9f, 0.22f, 0.00f}, {-4.6f, 0.42f, 0.00f}, {-4.1f, 0.58f, 0.02f},
    {-3.4f, 0.70f, 0.04f}, {-2.4f, 0.78f, 0.06f}, {-1.0f, 0.80f, 0.06f}, {0.4f, 0.74f, 0.08f},
    {1.6f, 0.62f, 0.12f},  {2.8f, 0.47f, 0.20f},  {3.9f, 0.33f, 0.28f},  {5.0f, 0.20f, 0.36f},
};

// A lifting surface between its root and tip, each given by its leading edge and chord.
struct Surface {
    D3DXVECTOR3 rootLeadingEdge;
    float rootChord;
    D3DXVECTOR3 tipLeadingEdge;
    float tipChord;
    float thickness;           // fraction of the chord
    D3DXVECTOR3 thicknessAxis; // across the profile: up for wings, sideways for the fin
};

// Low main wing with dihedral and some sweep, tailplane and fin at the tail.
constexpr float kWingSpan = 9.8f;
const Surface kMainWing{{0.0f, -0.35f, -1.5f}, 2.3f, {kWingSpan / 2, 0.05f, -0.55f}, 1.0f, 0.14f, {0.0f, 1.0f, 0.0f}};
const Surface kTailplane{{0.0f, 0.28f, 3.75f}, 1.15f, {1.9f, 0.3f, 4.3f}, 0.6f, 0.10f, {0.0f, 1.0f, 0.0f}};
const Surface kFin{{0.0f, 0.2f, 3.3f}, 1.6f, {0.0f, 2.0f, 4.5f}, 0.75f, 0.10f, {1.0f, 0.0f, 0.0f}};

// The canopy: an ellipsoid on top of the front fuselage, its lower half inside the body.
const D3DXVECTOR3 kCanopyCentre(0.0f, 0.72f, -2.2f);
const D3DXVECTOR3 kCanopyHalfSize(0.40f, 0.42f, 1.15f);
constexpr int kCanopyRings = 10;

D3DXVECTOR3 Mirrored(const D3DXVECTOR3& p) { return D3DXVECTOR3(-p.x, p.y, p.z); }

Station ProfileAt(const D3DXVECTOR3& leadingEdge, float chord, const D3DXVECTOR3& thicknessAxis, float v)
{
    return Station{leadingEdge, D3DXVECTOR3(0.0f, 0.0f, chord), thicknessAxis * chord, v};
}

void AddFuselage(MeshBuilder& builder)
{
    std::vector<Station> stations;
    for (const BodyFrame& frame : kBodyFrames) {
        const float v = kFuselageBand.At((frame.z - kNoseZ) / kLength);
        stations.push_back(Station{D3DXVECTOR3(0.0f, frame.centreY, frame.z), D3DXVECTOR3(frame.radius, 0.0f, 0.0f),
                                   D3DXVECTOR3(0.0f, frame.radius * kBodyHeightToWidth, 0.0f), v});
    }
    AddLoft(builder, CircleSection(kBodySlices), stations, LoftEnds::Capped);
}

// A surface on the centre plane (the fin), or a pair mirrored across it, tip to tip in one
// piece through the body.
void AddSurface(MeshBuilder& builder, const Surface& surface, bool mirroredPair)
{
    const Station root = ProfileAt(surface.rootLeadingEdge, surface.rootChord, surface.thicknessAxis, kWingBand.At(0));
    const Station tip = ProfileAt(surface.tipLeadingEdge, surface.tipChord, surface.thicknessAxis, kWingBand.At(1));
    std::vector<Station> stations{root, tip};
    if (mirroredPair) {
        const Station otherTip =
            ProfileAt(Mirrored(surface.tipLeadingEdge), surface.tipChord, surface.thicknessAxis, kWingBand.At(1));
        stations.insert(stations.begin(), otherTip);
    }
    AddLoft(builder, AirfoilSection(kAirfoilPointsPerFace, surface.thickness), stations, LoftEnds::Capped);
}

void AddCanopy(MeshBuilder& builder)
{
    AddLoft(builder, CircleSection(kBodySlices),
            EllipsoidStations(kCanopyCentre, kCanopyHalfSize, kCanopyRings, kCanopyBand.first, kCanopyBand.last),
            LoftEnds::Open);
}

} // namespace

MeshBuilder BuildAirplane()
{
    MeshBuilder builder;
    builder.SetSubset(kAirplaneFuselage);
    AddFuselage(builder);
    builder.SetSubset(kAirplaneWings);
    AddSurface(builder, kMainWing, true);
    AddSurface(builder, kTailplane, true);
    AddSurface(builder, kFin, false);
    builder.SetSubset(kAirplaneCanopy);
    AddCanopy(builder);
    return builder;
}

std::vector<MaterialEntry> AirplaneMaterials()
{
    MaterialEntry fuselage = MakeMaterial(0.90f, 0.90f, 0.88f, 0.5f, 0.3f, 20.0f);
    fuselage.textureFileName = kAirplaneSkinFileName;
    return {fuselage, MakeMaterial(0.78f, 0.80f, 0.84f, 0.5f, 0.3f, 20.0f),
            MakeMaterial(0.20f, 0.30f, 0.45f, 0.5f, 0.9f, 60.0f)};
}
