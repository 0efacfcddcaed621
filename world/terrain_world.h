// The one model of the editor: the scene graph (a root with the terrain floor, the airplane and
// the selector sphere), the three lights, the terrain's height grid and the state the main
// dialog's controls change. Views draw it, the dialog's timer advances it, and everything
// reaches it through the application object (world/world_app.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/file_access.h"
#include "lights/directional_light.h"
#include "lights/point_light.h"
#include "lights/spot_light.h"
#include "primitives/primitive_mesh.h"
#include "primitives/primitive_mesh_custom.h"
#include "scene/scene_node.h"
#include "terrain/heightfield.h"
#include "terrain/random.h"
#include "world/airplane_flight.h"
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
    // here: they load at their first use after the device exists, and the first tick after that
    // copies the grid into the floor mesh. A null clock means the steady clock; tests replace the
    // clock and the seeds (by default fresh ones from the operating system, RandomSeed).
    explicit CTerrainWorld(std::unique_ptr<IMillisecondClock> clock = std::make_unique<CSteadyMillisecondClock>(),
                           SeedSource newSeed = RandomSeed);
    CTerrainWorld(const CTerrainWorld&) = delete;
    CTerrainWorld& operator=(const CTerrainWorld&) = delete;

    // A new terrain at the current side from a new seed, with the current roughness, copied into
    // the floor mesh.
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
    // Writes every grid sample into the y of its floor mesh vertex, in one pass.
    void ApplyHeightsToMesh();
    // True once the floor mesh holds the grid's heights: the mesh is made only when the device
    // exists, and the first tick after that copies the grid into it.
    bool FloorShowsHeights() const { return m_floorShowsHeights; }
    // Writes the grid as a text height file (CTerrainHeights::SaveHeights).
    Result<> SaveHeights(const std::string& path) const;
    // Reads a text height file (CTerrainHeights::LoadHeights); n x n numbers change the side. On
    // success the floor shows the loaded heights; a failed load changes neither the grid nor the
    // floor.
    Result<> LoadHeights(const std::string& path);

    // One timer tick: copies the grid into the floor mesh once the mesh can be made, measures
    // the time since the last tick, flies the airplane when animating and places the sphere
    // over the selected vertex.
    void Update();
    // Draws the scene into the current view: loads the lights into the device, draws the
    // markers of the lights that are on, then the scene graph.
    void Draw();

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

    // Clamped into 0..Side()-1. The selected vertex stays selected in the floor mesh until
    // the next mesh operation.
    void SetSelectedRow(int row);
    void SetSelectedColumn(int column);
    // The selected vertex's height, in the grid and the floor mesh alike, so a save writes
    // what the views show.
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
    // Sets one sample and its floor mesh vertex; nothing outside the grid.
    void SetHeightAt(int row, int column, float height);
    // The selected vertex's position in the floor mesh's own coordinates. Before the device
    // exists, the mesh's last cached position.
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
    // Owned by their nodes.
    TQRD3D_PrimitiveMeshCustom& GetFloorMesh() { return *m_floorMesh; }
    TQRD3D_PrimitiveMesh& GetAirplaneMesh() { return *m_airplaneMesh; }
    TQRD3D_PrimitiveMesh& GetSphereMesh() { return *m_sphereMesh; }
    const CTerrainHeights& GetHeights() const { return m_terrain; }

private:
    void AddFloor();
    void AddAirplane();
    void AddSphere();
    void SetUpLights();
    // Shows the grid after it was replaced: the floor mesh takes its side and heights and the
    // selection is clamped into it.
    void ShowNewGrid();
    // The sphere's translation follows the selected vertex, scaled as the floor node scales the
    // mesh, 0.5 above it.
    void PlaceSelector(TQR_SceneNode& sphere);
    // Selects the vertex of the current row and column, reads it and releases it again.
    TQR_Vector3 ReadSelectedVertex();

    FrameClock m_frameClock;
    TQR_SceneNode m_root;
    TQRD3D_PointLight m_pointLight;
    TQRD3D_DirectionalLight m_directionalLight;
    TQRD3D_SpotLight m_spotLight;
    int m_selectedColumn = 0;
    int m_selectedRow = 0;
    bool m_animate = false;
    TQR_FlyDirection m_flyDirection = TQR_FlyDirection::Left;
    float m_speed = 0.4f;
    bool m_floorShowsHeights = false;
    SeedSource m_newSeed;
    CTerrainHeights m_terrain;
    TQRD3D_PrimitiveMeshCustom* m_floorMesh = nullptr;
    TQRD3D_PrimitiveMesh* m_sphereMesh = nullptr;
    TQRD3D_PrimitiveMesh* m_airplaneMesh = nullptr;
};
