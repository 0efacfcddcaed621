// What a frame costs as the terrain grows: the editor's tick with the airplane flying (both views
// drawn and presented) at 65, 1025 and 4097 samples a side, a one-vertex edit and the tick that
// shows it at 4097, and the tick at 65 beside a bare OpenGL program drawing the same triangles
// into the same two targets. Each comparison runs both sides in the same iteration, so the load
// of a shared machine weighs on both alike; the "ratio" counters are the ones to read.
#include "bench/bench_views.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/bare_gl_scene.h"
#include "graphics/draw_helper.h"
#include "platform/d3dx9/image_file.h"
#include "primitives/grid_layout.h"
#include "primitives/terrain_chunk_geometry.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr float kRoughness = 0.6f;
constexpr std::uint64_t kSeed = 1;

double Milliseconds(Clock::duration elapsed) { return std::chrono::duration<double, std::milli>(elapsed).count(); }

// The editor after a generation at a side, the airplane flying and the selector shown over a
// vertex a third of the way in; the first tick (loading the meshes) is not measured.
std::unique_ptr<CTerrainWorld> FlyingWorld(BenchViews& views, int side)
{
    auto world = std::make_unique<CTerrainWorld>();
    if (!world->NewTerrain(side, kRoughness, kSeed).ok()) {
        return nullptr;
    }
    world->SetSelectedRow(side / 3);
    world->SetSelectedColumn(side / 2);
    world->SetAnimate(true);
    world->ShowSelector(true);
    views.Tick(*world);
    return world;
}

// The time of one call of each action, summed over the iterations.
class SideBySide {
public:
    explicit SideBySide(std::size_t actions) : m_totals(actions, Clock::duration{}) {}
    void Time(std::size_t which, const std::function<void()>& action)
    {
        const auto start = Clock::now();
        action();
        m_totals[which] += Clock::now() - start;
    }
    double Ms(std::size_t which, benchmark::IterationCount iterations) const
    {
        return iterations > 0 ? Milliseconds(m_totals[which]) / static_cast<double>(iterations) : 0.0;
    }

private:
    std::vector<Clock::duration> m_totals;
};

// The flying tick at 65, 1025 and 4097 samples a side, one world each.
void BM_TickBySide(benchmark::State& state)
{
    BenchStage stage;
    if (!stage.Ready(state)) {
        return;
    }
    BenchViews& views = stage.Views();
    const std::array<int, 3> sides = {65, 1025, 4097};
    std::vector<std::unique_ptr<CTerrainWorld>> worlds;
    for (const int side : sides) {
        worlds.push_back(FlyingWorld(views, side));
        if (!worlds.back()) {
            state.SkipWithError("no terrain");
            return;
        }
    }
    SideBySide times(sides.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < sides.size(); ++i) {
            times.Time(i, [&] { views.Tick(*worlds[i]); });
        }
    }
    for (std::size_t i = 0; i < sides.size(); ++i) {
        const std::string side = std::to_string(sides[i]);
        state.counters["tick" + side + "_ms"] = times.Ms(i, state.iterations());
        state.counters["triangles" + side] = static_cast<double>(worlds[i]->GetFloorMesh().GetLastTriangleCount());
    }
    state.counters["ratio1025"] = times.Ms(1, state.iterations()) / times.Ms(0, state.iterations());
    state.counters["ratio4097"] = times.Ms(2, state.iterations()) / times.Ms(0, state.iterations());
}

// At 4097: one vertex set to a new height and the tick that shows it, against a plain tick.
void BM_EditAndTick4097(benchmark::State& state)
{
    BenchStage stage;
    if (!stage.Ready(state)) {
        return;
    }
    BenchViews& views = stage.Views();
    const std::unique_ptr<CTerrainWorld> world = FlyingWorld(views, 4097);
    if (!world) {
        state.SkipWithError("no terrain");
        return;
    }
    SideBySide times(2);
    int edit = 0;
    for (auto _ : state) {
        // Vertices all over the grid, so the edits reach near and far chunks alike.
        const int row = (edit * 1031) % 4097;
        const int column = (edit * 2053) % 4097;
        ++edit;
        times.Time(0, [&] {
            world->SetHeightAt(row, column, world->HeightAt(row, column) + 0.5f);
            views.Tick(*world);
        });
        times.Time(1, [&] { views.Tick(*world); });
    }
    state.counters["edit_tick_ms"] = times.Ms(0, state.iterations());
    state.counters["plain_tick_ms"] = times.Ms(1, state.iterations());
    state.counters["ratio"] = times.Ms(0, state.iterations()) / times.Ms(1, state.iterations());
}

// The bare program's copy of a mesh: its vertices, its triangles by material and the textures
// its materials name.
BareMesh BareMeshOf(ID3DXMesh& mesh, const D3DXMATERIAL* materials, DWORD materialCount)
{
    BareMesh bare;
    bare.fvf = mesh.GetFVF();
    void* data = nullptr;
    mesh.LockVertexBuffer(D3DLOCK_READONLY, &data);
    const auto* bytes = static_cast<const BYTE*>(data);
    bare.vertices.assign(bytes, bytes + static_cast<std::size_t>(mesh.GetNumVertices()) * mesh.GetNumBytesPerVertex());
    mesh.UnlockVertexBuffer();
    const bool wide = (mesh.GetOptions() & D3DXMESH_32BIT) != 0;
    mesh.LockIndexBuffer(D3DLOCK_READONLY, &data);
    DWORD* attributes = nullptr;
    mesh.LockAttributeBuffer(D3DLOCK_READONLY, &attributes);
    std::map<DWORD, BareMesh::Subset> subsets;
    for (DWORD face = 0; face < mesh.GetNumFaces(); ++face) {
        BareMesh::Subset& subset = subsets[attributes[face]];
        for (DWORD corner = 0; corner < 3; ++corner) {
            const DWORD at = 3 * face + corner;
            subset.indices.push_back(wide ? static_cast<const DWORD*>(data)[at] : static_cast<const WORD*>(data)[at]);
        }
    }
    mesh.UnlockAttributeBuffer();
    mesh.UnlockIndexBuffer();
    for (auto& [attribute, subset] : subsets) {
        if (attribute < materialCount) {
            subset.material = materials[attribute].MatD3D;
            if (const char* texture = materials[attribute].pTextureFilename) {
                if (auto image = DecodedImage::FromFile(std::string("MeshFiles/") + texture)) {
                    subset.textureWidth = image.value().width;
                    subset.textureHeight = image.value().height;
                    subset.texels = std::move(image.value().texels);
                }
            }
        }
        bare.subsets.push_back(std::move(subset));
    }
    return bare;
}

// The world transform the node's drawing sets.
D3DMATRIX WorldTransformOf(const TQR_SceneNode& node)
{
    TQRD3D_DrawHelper helper;
    helper.InitializeModelTransform();
    node.GetXformInfo().SetupModelTransform(&helper);
    D3DMATRIX world;
    GetGraphicsSystem()->GetDevice()->GetTransform(D3DTS_WORLD, &world);
    return world;
}

// The floor at full detail: every sample's vertex and the grid's triangles.
BareMesh BareFloorOf(const CTerrainWorld& world)
{
    const Heightfield& heights = world.GetHeights().GetHeightfield();
    const int side = heights.Side();
    std::vector<TQRD3D_ColorVertex> vertices;
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            vertices.push_back(TerrainVertex(heights, row, column, TerrainSpacing(heights)));
        }
    }
    BareMesh floor;
    floor.fvf = TQRD3D_ColorVertex::kFvf;
    const auto* bytes = reinterpret_cast<const BYTE*>(vertices.data());
    floor.vertices.assign(bytes, bytes + vertices.size() * sizeof(TQRD3D_ColorVertex));
    BareMesh::Subset subset;
    subset.indices.resize(static_cast<std::size_t>(6 * (side - 1) * (side - 1)));
    WriteGridIndices(subset.indices.data(), side);
    floor.subsets.push_back(std::move(subset));
    return floor;
}

// The editor's flying scene for the bare program: the floor, the airplane and the selector sphere,
// each with its node's transform.
std::vector<BareMesh> BareMeshesOf(CTerrainWorld& world)
{
    std::vector<BareMesh> meshes;
    BareMesh floor = BareFloorOf(world);
    floor.world = WorldTransformOf(*world.GetRoot().GetChild(CTerrainWorld::kFloorChild));
    meshes.push_back(std::move(floor));
    const std::pair<const wchar_t*, int> files[] = {{L"MeshFiles/airplane 2.x", CTerrainWorld::kAirplaneChild},
                                                    {L"MeshFiles/sphere.x", CTerrainWorld::kSphereChild}};
    for (const auto& [file, child] : files) {
        ID3DXBuffer* materials = nullptr;
        DWORD materialCount = 0;
        ID3DXMesh* mesh = nullptr;
        if (FAILED(D3DXLoadMeshFromXW(file, D3DXMESH_SYSTEMMEM, GetGraphicsSystem()->GetDevice(), nullptr, &materials,
                                      nullptr, &materialCount, &mesh))) {
            return {};
        }
        BareMesh bare =
            BareMeshOf(*mesh, static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer()), materialCount);
        bare.world = WorldTransformOf(*world.GetRoot().GetChild(child));
        bare.lit = child == CTerrainWorld::kAirplaneChild;
        meshes.push_back(std::move(bare));
        mesh->Release();
        materials->Release();
    }
    return meshes;
}

BareView BareViewOf(const BenchViews::View& view, int targetWidth, int targetHeight)
{
    BareView bare;
    D3DXMATRIX viewMatrix;
    D3DXMATRIX projection;
    CameraMatrices(view.camera, view.width, view.height, viewMatrix, projection);
    bare.view = viewMatrix;
    bare.projection = projection;
    bare.targetWidth = targetWidth;
    bare.targetHeight = targetHeight;
    bare.windowWidth = view.width;
    bare.windowHeight = view.height;
    return bare;
}

// The editor's flying tick at 65 and the bare program's, one after the other in each iteration.
void BM_TickVsBareGl(benchmark::State& state)
{
    BenchStage stage;
    if (!stage.Ready(state)) {
        return;
    }
    BenchViews& views = stage.Views();
    const std::unique_ptr<CTerrainWorld> world = FlyingWorld(views, 65);
    std::vector<BareMesh> meshes = world ? BareMeshesOf(*world) : std::vector<BareMesh>{};
    if (meshes.size() != 3) {
        state.SkipWithError("the meshes could not be read");
        return;
    }
    std::string reason;
    const std::unique_ptr<BareGlScene> bare =
        BareGlScene::Create(std::move(meshes),
                            {BareViewOf(views.Big(), BenchViews::kDialogWidth, BenchViews::kDialogHeight),
                             BareViewOf(views.Small(), kSmallViewWidth, kSmallViewHeight)},
                            reason);
    if (!bare) {
        state.SkipWithError(reason.c_str());
        return;
    }
    SideBySide times(2);
    for (auto _ : state) {
        times.Time(0, [&] { views.Tick(*world); });
        times.Time(1, [&] { bare->DrawTick(); });
    }
    state.counters["tick_ms"] = times.Ms(0, state.iterations());
    state.counters["bare_ms"] = times.Ms(1, state.iterations());
    state.counters["ratio"] = times.Ms(0, state.iterations()) / times.Ms(1, state.iterations());
}

} // namespace

BENCHMARK(BM_TickBySide)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_EditAndTick4097)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_TickVsBareGl)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

BENCHMARK_MAIN();
