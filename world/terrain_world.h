// The one model of the editor: the scene graph (a root with the terrain floor, the airplane and
// the selector sphere), the three lights, the terrain's height grid and the state the main
// dialog's controls change. The floor draws the height grid itself, chunk by chunk with levels of
// detail (primitives/primitive_terrain.h): no full-resolution mesh of the grid is ever built, and
// every change of the grid is reported to the floor as the region it touched. Views draw it, the dialog's timer
// advances it, and everything reaches it through the application object (world/world_app.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "base/file_access.h"
#include "lights/directional_light.h"
#include "lights/point_light.h"
#include "lights/spot_light.h"
#include "primitives/primitive_mesh.h"
#include "primitives/primitive_terrain.h"
#include "scene/change_stamp.h"
#include "scene/scene_node.h"
#include "terrain/heightfield.h"
#include "terrain/random.h"
#include "world/airplane_flight.h"
#include "world/brush_outline.h"
#include "world/frame_clock.h"
#include "world/terrain_heights.h"

class CTerrainWorld {
public:
    // A new seed for each generation that is given none.
    using SeedSource = std::function<std::uint64_t()>;

    // Children of the root, in this order.
    static constexpr int kFloorChild = 0;
    static constexpr int kAirplaneChild = 1;
    static constexpr int kSphereChild = 2;

    // Builds the scene with every light off, the selection at (0, 0), the airplane still and
    // set to fly left, and generates the first terrain at 65 x 65 samples. Meshes are only named
    // here: they load at their first use after the device exists. A null clock means the steady clock; tests replace
    // the clock and the seeds (by default fresh ones from the operating system, RandomSeed).
    explicit CTerrainWorld(std::unique_ptr<IMillisecondClock> clock = std::make_unique<CSteadyMillisecondClock>(),
                           SeedSource newSeed = RandomSeed);
    CTerrainWorld(const CTerrainWorld&) = delete;
    CTerrainWorld& operator=(const CTerrainWorld&) = delete;

    // A new terrain at the current side from a new seed, with the current roughness.
    void GenerateTerrain();
    // A new terrain of side x side samples (one of SupportedSides) with roughness (0..1), from
    // seed, or from a new seed when none is given; the roughness stays for later generations.
    // Fails with a reason, changing nothing, for a side that is not supported or a roughness out
    // of range.
    Result<> NewTerrain(int side, float roughness, std::optional<std::uint64_t> seed);
    // The terrain at another side by bilinear resampling (terrain/resample.h): the same shape
    // and extent at another spacing. The seed is forgotten. Fails with a reason, changing
    // nothing, for a side that is not supported.
    Result<> Resample(int side);
    // Writes the grid as a text height file (CTerrainHeights::SaveHeights).
    Result<> SaveHeights(const std::string& path) const;
    // Reads a text height file (CTerrainHeights::LoadHeights); n x n numbers change the side. On
    // success the floor shows the loaded heights; a failed load changes neither the grid nor the
    // floor.
    Result<> LoadHeights(const std::string& path);

    // One timer tick: measures the time since the last tick, flies the airplane when animating and places the sphere
    // over the selected vertex.
    void Update();
    // Draws the scene into the current view: loads the lights into the device, draws the
    // markers of the lights that are on, then the scene graph.
    void Draw();
    // The number of the latest change of anything Draw shows: the heights and the selection,
    // a newly chosen texture, the scene graph (transforms, primitives and their attributes) and
    // the lights (see scene/change_stamp.h). A view that drew at this number need not draw again.
    TQR_ChangeNumber LastChange() const;

    // Read when the next generation starts.
    void SetRoughness(float roughness) { m_terrain.SetRoughness(roughness); }
    void SetAnimate(bool animate) { m_animate = animate; }
    void SetFlyDirection(TQR_FlyDirection direction) { m_flyDirection = direction; }
    // World units per second.
    void SetSpeed(float speed) { m_speed = speed; }
    // The floor shows its texture only when this is on and a texture file is set.
    void EnableFloorTexture(bool enable);
    // The full path of the image, chosen for the floor as ChooseTexture does.
    void SetTextureFile(const std::wstring& fileName);
    // Gives the primitive a newly chosen texture file, looked up when it is next drawn. The file
    // is read again even when the primitive had the same name (the image may have changed on
    // disk), and the textures that no primitive of the scene names any more are released.
    void ChooseTexture(TQR_Primitive& primitive, const std::wstring& fileName);
    void ShowSelector(bool show);
    // The airplane keeps flying while it is hidden.
    void ShowAirplane(bool show);
    // Wire frame when true, solid when false.
    void SetWireframe(bool wireframe);
    // The brush's outline, drawn on the terrain after the floor; none hides it.
    void SetBrushOutline(std::optional<BrushOutline> outline) { m_changed.Assign(m_brushOutline, outline); }
    const std::optional<BrushOutline>& GetBrushOutline() const { return m_brushOutline; }

    // Clamped into 0..Side()-1. The floor draws the selected vertex's chunk at full detail.
    void SetSelectedRow(int row);
    void SetSelectedColumn(int column);
    // The selected vertex's height in the grid, which the floor draws, so a save writes what
    // the views show.
    void SetSelectedHeight(int height);

    // Samples per side of the grid and the floor mesh; rows and columns run from 0 to Side() - 1.
    int Side() const { return m_terrain.GetGridSize(); }
    // The seed the current terrain was generated from; none after a load, a resample or a
    // restore without one.
    std::optional<std::uint64_t> CurrentSeed() const { return m_terrain.GetSeed(); }
    float GetRoughness() const { return m_terrain.GetRoughness(); }
    // A seed from the world's seed source, as a generation given none takes.
    std::uint64_t NewSeed() { return m_newSeed(); }
    // The height grid as a value: every sample the views show.
    Heightfield HeightsSnapshot() const { return m_terrain.GetHeightfield(); }
    // Replaces the grid with heights, of any supported side, and shows them; seed is the seed
    // they were generated from, when known (an undo passes the one CurrentSeed gave with the
    // snapshot). A heightfield of a side the world does not hold changes nothing.
    void RestoreHeights(const Heightfield& heights, std::optional<std::uint64_t> seed = std::nullopt);
    float HeightAt(int row, int column) const { return m_terrain.GetSample(row, column); }
    // Sets one sample; the floor redraws only what it touches. Nothing outside the grid.
    void SetHeightAt(int row, int column, float height);
    // Sets the samples of a rectangle, heights row by row, at the cost of what it touches (for
    // brush strokes): the floor updates only the vertices, normals and colours of the affected
    // chunks. Fails with a reason, changing nothing, when the rectangle is empty or leaves the
    // grid, or heights does not hold one value per sample of it.
    Result<> SetHeightsInRegion(const SampleBounds& region, std::span<const float> heights);
    // The selected vertex's position in the floor's own coordinates (x and z from -1 to +1),
    // read from the grid.
    float GetSelectedX();
    float GetSelectedY();
    float GetSelectedZ();
    int GetSelectedRow() const { return m_selectedRow; }
    int GetSelectedColumn() const { return m_selectedColumn; }

    bool IsAnimating() const { return m_animate; }
    TQR_FlyDirection GetFlyDirection() const { return m_flyDirection; }
    float GetSpeed() const { return m_speed; }

    TQR_SceneNode& GetRoot() { return m_root; }
    TQRD3D_PointLight& GetPointLight() { return m_pointLight; }
    TQRD3D_DirectionalLight& GetDirectionalLight() { return m_directionalLight; }
    TQRD3D_SpotLight& GetSpotLight() { return m_spotLight; }
    // Owned by their nodes. The floor draws the grid (a terrain primitive, not a mesh).
    TQRD3D_PrimitiveTerrain& GetFloorMesh() { return *m_floorMesh; }
    TQRD3D_PrimitiveMesh& GetAirplaneMesh() { return *m_airplaneMesh; }
    TQRD3D_PrimitiveMesh& GetSphereMesh() { return *m_sphereMesh; }
    const CTerrainHeights& GetHeights() const { return m_terrain; }

private:
    void AddFloor();
    void AddAirplane();
    void AddSphere();
    void SetUpLights();
    // Shows the grid after it was replaced: the floor takes its side and heights and the
    // selection is clamped into it.
    void ShowNewGrid();
    // The sphere's translation follows the selected vertex, scaled as the floor node scales the
    // mesh, 0.5 above it.
    void PlaceSelector(TQR_SceneNode& sphere);
    // The floor's vertex of the current row and column, read from the grid.
    TQR_Vector3 ReadSelectedVertex() const;
    void PinSelection();
    void DrawBrushOutline(TQR_DrawHelper& helper) const;

    // Changes of the world's own that the scene graph and the lights do not record: the
    // heights, the selection and a texture file read again.
    TQR_ChangeStamp m_changed;
    FrameClock m_frameClock;
    TQR_SceneNode m_root;
    TQRD3D_PointLight m_pointLight;
    TQRD3D_DirectionalLight m_directionalLight;
    TQRD3D_SpotLight m_spotLight;
    int m_selectedColumn = 0;
    int m_selectedRow = 0;
    std::optional<BrushOutline> m_brushOutline;
    bool m_animate = false;
    TQR_FlyDirection m_flyDirection = TQR_FlyDirection::Left;
    float m_speed = 0.4f;
    SeedSource m_newSeed;
    CTerrainHeights m_terrain;
    TQRD3D_PrimitiveTerrain* m_floorMesh = nullptr;
    TQRD3D_PrimitiveMesh* m_sphereMesh = nullptr;
    TQRD3D_PrimitiveMesh* m_airplaneMesh = nullptr;
};
