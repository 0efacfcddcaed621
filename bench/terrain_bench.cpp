// The editor's heavier operations on the terrain and its meshes: generating a terrain (with the
// copy into the floor mesh), saving and loading a height file, loading each mesh file, and the
// grid mesh drawn into the big view at three sizes.
#include "bench/bench_views.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

#include "graphics/draw_helper.h"
#include "primitives/primitive_mesh_custom.h"
#include "scene/scene_node.h"
#include "world/testing/world_folder.h"

namespace {

// The working folder with the mesh data, the graphics context and a world whose floor mesh is
// ready, as in the running editor.
class TerrainScene {
public:
    explicit TerrainScene(benchmark::State& state)
    {
        if (!m_folder.IsReady() || !m_views.IsReady()) {
            state.SkipWithError("no mesh data or no OpenGL device");
            return;
        }
        m_world = std::make_unique<CTerrainWorld>();
        m_world->SetRoughness(0.6f);
        m_world->GenerateTerrain();
    }

    bool IsReady() const { return m_world != nullptr; }
    CTerrainWorld& World() { return *m_world; }
    const BenchViews& Views() const { return m_views; }
    std::string FilePath(const char* name) const { return (m_folder.Path() / name).string(); }

private:
    ScopedWorldFolder m_folder;
    BenchViews m_views;
    std::unique_ptr<CTerrainWorld> m_world;
};

void BM_GenerateTerrain(benchmark::State& state)
{
    TerrainScene scene(state);
    if (!scene.IsReady()) {
        return;
    }
    for (auto _ : state) {
        scene.World().GenerateTerrain();
    }
}

void BM_SaveHeights(benchmark::State& state)
{
    TerrainScene scene(state);
    if (!scene.IsReady()) {
        return;
    }
    const std::string path = scene.FilePath("heights.txt");
    for (auto _ : state) {
        if (!scene.World().SaveHeights(path).ok()) {
            state.SkipWithError("the height file could not be written");
            return;
        }
    }
}

void BM_LoadHeights(benchmark::State& state)
{
    TerrainScene scene(state);
    if (!scene.IsReady()) {
        return;
    }
    const std::string path = scene.FilePath("heights.txt");
    if (!scene.World().SaveHeights(path).ok()) {
        state.SkipWithError("the height file could not be written");
        return;
    }
    for (auto _ : state) {
        if (!scene.World().LoadHeights(path).ok()) {
            state.SkipWithError("the height file could not be read");
            return;
        }
    }
}

constexpr const wchar_t* kMeshFiles[] = {L"MeshFiles/sphere.x", L"MeshFiles/airplane 2.x", L"MeshFiles/cone.x",
                                         L"MeshFiles/cylinder.x"};
constexpr const char* kMeshLabels[] = {"sphere.x", "airplane 2.x", "cone.x", "cylinder.x"};

void BM_LoadMeshFile(benchmark::State& state)
{
    TerrainScene scene(state);
    if (!scene.IsReady()) {
        return;
    }
    const auto which = static_cast<size_t>(state.range(0));
    IDirect3DDevice9* device = GetGraphicsSystem()->GetDevice();
    for (auto _ : state) {
        ID3DXBuffer* materials = nullptr;
        DWORD materialCount = 0;
        ID3DXMesh* mesh = nullptr;
        if (FAILED(D3DXLoadMeshFromXW(kMeshFiles[which], D3DXMESH_SYSTEMMEM, device, nullptr, &materials, nullptr,
                                      &materialCount, &mesh))) {
            state.SkipWithError(D3DXGetLastErrorMessage());
            return;
        }
        mesh->Release();
        if (materials != nullptr) {
            materials->Release();
        }
    }
    state.SetLabel(kMeshLabels[which]);
}

// Rolling hills through all three height bands, written one vertex at a time as the world does.
void RaiseHills(TQRD3D_PrimitiveMeshCustom& grid)
{
    const int side = grid.GetVerticesPerSide();
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            grid.SelectVertex(row, column);
            const TQR_Vector3 position = grid.GetSelectedVertex();
            const float height = 1.0f + 4.0f * std::sin(position.x * 4.0f) * std::cos(position.z * 3.0f);
            grid.SetSelectedVertex(position.x, height, position.z);
        }
    }
    grid.ReleaseSelection();
}

// The floor node alone, scaled as the world scales it, drawn into the big view: clear, draw,
// present (the present waits for the rasteriser, so the drawing is measured in full).
void BM_GridDraw(benchmark::State& state)
{
    TerrainScene scene(state);
    if (!scene.IsReady()) {
        return;
    }
    const int side = static_cast<int>(state.range(0));
    const std::wstring fileName = L"Grid" + std::to_wstring(side) + L".x";
    auto* grid = new TQRD3D_PrimitiveMeshCustom(side, fileName.c_str());
    grid->SetLighting(false);
    TQR_SceneNode floor(L"floor");
    floor.SetPrimitive(grid);
    TQR_XformInfo xform;
    xform.SetScale(15.0f, 1.0f, 15.0f);
    floor.SetXformInfo(xform);
    RaiseHills(*grid);
    if (!grid->IsMeshReady()) {
        state.SkipWithError("the grid mesh could not be made");
        return;
    }
    for (auto _ : state) {
        BenchViews::DrawView(scene.Views().Big(), [&floor] {
            TQRD3D_DrawHelper helper;
            floor.Draw(helper.GetLevelOfDetail(), &helper);
        });
    }
    state.SetLabel(std::to_string(grid->GetFaceCount()) + " triangles");
}

} // namespace

BENCHMARK(BM_GenerateTerrain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveHeights)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadHeights)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadMeshFile)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GridDraw)->Arg(65)->Arg(129)->Arg(256)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
