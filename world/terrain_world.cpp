#include "world/terrain_world.h"

#include <algorithm>
#include <string>
#include <utility>

#include "graphics/draw_helper.h"
#include "graphics/graphics_system.h"
#include "primitives/grid_layout.h"
#include "primitives/terrain_chunk_geometry.h"
#include "world/airplane_flight.h"

namespace {

// The floor node scales the mesh's -1..1 to -15..15 in x and z and keeps heights in world units.
constexpr float kFloorScale = 15.0f;
// The selector sphere floats this far above its vertex.
constexpr float kSelectorLift = 0.5f;

// A node with a default transform but for scale and translation, holding the primitive.
TQR_SceneNode* MakeNode(const wchar_t* name, TQR_Primitive* primitive, const TQR_Vector3& scale,
                        const TQR_Vector3& translation)
{
    auto* node = new TQR_SceneNode(name);
    node->SetPrimitive(primitive);
    TQR_XformInfo xform;
    xform.SetScale(scale.x, scale.y, scale.z);
    xform.SetTranslation(translation.x, translation.y, translation.z);
    node->SetXformInfo(xform);
    return node;
}

} // namespace

CTerrainWorld::CTerrainWorld(std::unique_ptr<IMillisecondClock> clock, SeedSource newSeed)
    : m_frameClock(std::move(clock)), m_root(L"root node"), m_pointLight(1), m_directionalLight(2), m_spotLight(3),
      m_newSeed(newSeed ? std::move(newSeed) : SeedSource(RandomSeed))
{
    m_frameClock.Restart();
    AddFloor();
    AddAirplane();
    AddSphere();
    SetUpLights();
    GenerateTerrain();
}

void CTerrainWorld::AddFloor()
{
    m_floorMesh = new TQRD3D_PrimitiveTerrain(m_terrain.GetHeightfield());
    m_floorMesh->SetLighting(false);
    m_root.AddChild(MakeNode(L"floor", m_floorMesh, {kFloorScale, 1.0f, kFloorScale}, {0.0f, 0.0f, 0.0f}));
}

void CTerrainWorld::AddAirplane()
{
    m_airplaneMesh = new TQRD3D_PrimitiveMesh(L"airplane 2.x");
    m_airplaneMesh->SetTexturing(true);
    m_root.AddChild(MakeNode(L"Airplane mesh", m_airplaneMesh, {0.2f, 0.2f, 0.2f}, {-2.0f, 6.0f, -2.0f}));
}

void CTerrainWorld::AddSphere()
{
    m_sphereMesh = new TQRD3D_PrimitiveMesh(L"sphere.x");
    m_sphereMesh->SetTexturing(false);
    m_sphereMesh->SetLighting(false);
    m_sphereMesh->SetVisible(false);
    m_root.AddChild(MakeNode(L"sphere", m_sphereMesh, {0.3f, 0.3f, 0.3f}, {0.0f, 10.0f, 0.0f}));
}

void CTerrainWorld::SetUpLights()
{
    m_pointLight.SwitchOff();
    m_pointLight.SetPosition(2.0f, 12.0f, 2.0f);
    m_pointLight.SetDiffuseGray(0.2f);
    m_directionalLight.SwitchOff();
    m_directionalLight.SetPosition(0.0f, 12.0f, 0.0f);
    m_directionalLight.SetDiffuse(0.2f, 0.1f, 0.1f, 1.0f);
    m_spotLight.SwitchOff();
    m_spotLight.SetPosition(-2.0f, 12.0f, 2.0f);
    m_spotLight.SetDiffuse(0.2f, 0.2f, 0.5f, 1.0f);
}

void CTerrainWorld::GenerateTerrain()
{
    // The current side and roughness are always ones a terrain is generated with.
    static_cast<void>(NewTerrain(Side(), GetRoughness(), std::nullopt));
}

Result<> CTerrainWorld::NewTerrain(int side, float roughness, std::optional<std::uint64_t> seed)
{
    Result<> generated = m_terrain.Generate(side, roughness, seed ? *seed : m_newSeed());
    if (generated) {
        ShowNewGrid();
    }
    return generated;
}

Result<> CTerrainWorld::Resample(int side)
{
    Result<> resampled = m_terrain.Resample(side);
    if (resampled) {
        ShowNewGrid();
    }
    return resampled;
}

void CTerrainWorld::ShowNewGrid()
{
    const int side = m_terrain.GetGridSize();
    m_selectedRow = std::clamp(m_selectedRow, 0, side - 1);
    m_selectedColumn = std::clamp(m_selectedColumn, 0, side - 1);
    m_floorMesh->AllHeightsChanged();
    m_changed.Touch();
    PinSelection();
}

void CTerrainWorld::RestoreHeights(const Heightfield& heights, std::optional<std::uint64_t> seed)
{
    if (m_terrain.Replace(heights, seed)) {
        ShowNewGrid();
    }
}

void CTerrainWorld::SetHeightAt(int row, int column, float height)
{
    const int side = m_terrain.GetGridSize();
    if (row < 0 || column < 0 || row >= side || column >= side) {
        return;
    }
    m_terrain.SetSample(row, column, height);
    m_floorMesh->HeightsChanged({row, column, row, column});
    m_changed.Touch();
}

Result<> CTerrainWorld::SetHeightsInRegion(const SampleBounds& region, std::span<const float> heights)
{
    if (!m_terrain.SetRegion(region, heights)) {
        return Failure("The region does not fit the grid of " + std::to_string(Side()) + " samples a side.");
    }
    m_floorMesh->HeightsChanged(region);
    m_changed.Touch();
    return {};
}

Result<> CTerrainWorld::SaveHeights(const std::string& path) const { return m_terrain.SaveHeights(path); }

Result<> CTerrainWorld::LoadHeights(const std::string& path)
{
    Result<> result = m_terrain.LoadHeights(path);
    if (result.ok()) {
        ShowNewGrid();
    }
    return result;
}

void CTerrainWorld::Update()
{
    // Measured on every tick, so the first animated tick after a pause does not jump.
    const float seconds = m_frameClock.SecondsSinceLast();
    TQR_SceneNode* airplane = m_root.GetChild(kAirplaneChild);
    TQR_SceneNode* sphere = m_root.GetChild(kSphereChild);
    if (airplane != nullptr && m_animate) {
        FlyAirplane(*airplane, m_flyDirection, m_speed, seconds);
    }
    if (sphere != nullptr) {
        PlaceSelector(*sphere);
    }
}

void CTerrainWorld::PlaceSelector(TQR_SceneNode& sphere)
{
    const TQR_Vector3 vertex = ReadSelectedVertex();
    TQR_XformInfo xform = sphere.GetXformInfo();
    xform.SetTranslation(vertex.x * kFloorScale, vertex.y + kSelectorLift, vertex.z * kFloorScale);
    sphere.SetXformInfo(xform);
}

void CTerrainWorld::Draw()
{
    TQRD3D_DrawHelper helper;
    m_pointLight.LoadToDevice();
    m_directionalLight.LoadToDevice();
    m_spotLight.LoadToDevice();
    m_directionalLight.Draw(&helper);
    m_spotLight.Draw(&helper);
    m_pointLight.Draw(&helper);
    m_root.Draw(helper.GetLevelOfDetail(), &helper);
    DrawBrushOutline(helper);
}

void CTerrainWorld::DrawBrushOutline(TQR_DrawHelper& helper) const
{
    if (!m_brushOutline) {
        return;
    }
    const std::vector<TQR_Vector3> points = BrushOutlinePoints(m_terrain.GetHeightfield(), *m_brushOutline);
    helper.ResetAttributes();
    helper.EnableLighting(false);
    helper.InitializeModelTransform();
    const TQR_Color outline(1.0f, 0.85f, 0.0f, 1.0f);
    helper.SetColor1(outline);
    helper.SetColor2(outline);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TQR_Vector3& from = points[i];
        const TQR_Vector3& to = points[(i + 1) % points.size()];
        helper.DrawLine(from.x, from.y, from.z, to.x, to.y, to.z);
    }
}

TQR_ChangeNumber CTerrainWorld::LastChange() const
{
    return std::max({m_changed.Get(), m_root.LastChangeInSubtree(), m_pointLight.LastChange(),
                     m_directionalLight.LastChange(), m_spotLight.LastChange()});
}

void CTerrainWorld::EnableFloorTexture(bool enable) { m_floorMesh->SetTexturing(enable); }

void CTerrainWorld::SetTextureFile(const std::wstring& fileName) { ChooseTexture(*m_floorMesh, fileName); }

void CTerrainWorld::ChooseTexture(TQR_Primitive& primitive, const std::wstring& fileName)
{
    primitive.SetTextureFileName(fileName);
    // The same name may stand for a changed image.
    m_changed.Touch();
    TQRD3D_GraphicsSystem* graphics = GetGraphicsSystem();
    graphics->ReleaseTexture(fileName);
    std::set<std::wstring> namesInUse;
    m_root.CollectTextureFileNames(namesInUse);
    graphics->ReleaseTexturesExcept(namesInUse);
}

void CTerrainWorld::ShowSelector(bool show) { m_sphereMesh->SetVisible(show); }

void CTerrainWorld::ShowAirplane(bool show) { m_airplaneMesh->SetVisible(show); }

void CTerrainWorld::SetWireframe(bool wireframe)
{
    m_floorMesh->SetFillMode(wireframe ? TQR_FillMode::Wireframe : TQR_FillMode::Solid);
}

void CTerrainWorld::SetSelectedRow(int row)
{
    m_changed.Assign(m_selectedRow, std::clamp(row, 0, Side() - 1));
    PinSelection();
}

void CTerrainWorld::SetSelectedColumn(int column)
{
    m_changed.Assign(m_selectedColumn, std::clamp(column, 0, Side() - 1));
    PinSelection();
}

void CTerrainWorld::SetSelectedHeight(int height)
{
    SetHeightAt(m_selectedRow, m_selectedColumn, static_cast<float>(height));
}

void CTerrainWorld::PinSelection() { m_floorMesh->SetPinnedSample(m_selectedRow, m_selectedColumn); }

TQR_Vector3 CTerrainWorld::ReadSelectedVertex() const
{
    const Heightfield& heights = m_terrain.GetHeightfield();
    const TQRD3D_ColorVertex vertex = GridVertexAt(m_selectedRow, m_selectedColumn, TerrainSpacing(heights),
                                                   heights.At(m_selectedRow, m_selectedColumn));
    return {vertex.x, vertex.y, vertex.z};
}

float CTerrainWorld::GetSelectedX() { return ReadSelectedVertex().x; }

float CTerrainWorld::GetSelectedY() { return ReadSelectedVertex().y; }

float CTerrainWorld::GetSelectedZ() { return ReadSelectedVertex().z; }
