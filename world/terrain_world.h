// The one model of the editor: the scene graph (a root with the terrain floor, the airplane and
// the selector sphere), the three lights, the terrain's height grid and the state the main
// dialog's controls change. Views draw it, the dialog's timer advances it, and everything
// reaches it through the application object (world/world_app.h).
#pragma once

#include <memory>
#include <string>

#include "base/file_access.h"
#include "lights/directional_light.h"
#include "lights/point_light.h"
#include "lights/spot_light.h"
#include "primitives/primitive_mesh.h"
#include "primitives/primitive_mesh_custom.h"
#include "scene/scene_node.h"
#include "terrain/heightfield.h"
#include "world/airplane_flight.h"
#include "world/frame_clock.h"
#include "world/terrain_heights.h"

class CTerrainWorld {
public:
    // Children of the root, in this order.
    static constexpr int kFloorChild = 0;
    static constexpr int kAirplaneChild = 1;
    static constexpr int kSphereChild = 2;

    // Builds the scene with every light off, the selection at (0, 0), the airplane still and
    // set to fly left, and generates the first terrain. Meshes are only named here: they load
    // at their first use after the device exists, so the first terrain reaches the floor mesh
    // only through a later generation or load. A null clock means the steady clock; tests
    // replace the clock and the random numbers of the generation.
    explicit CTerrainWorld(std::unique_ptr<IMillisecondClock> clock = std::make_unique<CSteadyMillisecondClock>(),
                           std::unique_ptr<CRandomSource> random = std::make_unique<CLibraryRandomSource>());
    CTerrainWorld(const CTerrainWorld&) = delete;
    CTerrainWorld& operator=(const CTerrainWorld&) = delete;

    // Sizes the grid, generates heights with the current roughness and copies them into the
    // floor mesh.
    void GenerateTerrain();
    // Writes every grid sample into the y of its floor mesh vertex, one vertex at a time.
    void ApplyHeightsToMesh();
    // True once the floor mesh holds the grid's heights: the mesh is made only when the device
    // exists, and the first tick after that copies the grid into it.
    bool FloorShowsHeights() const { return m_floorShowsHeights; }
    // The grid, not the mesh: a height edited with the selector is not saved.
    Result<> SaveHeights(const std::string& path) const;
    // On success the floor shows the loaded heights; a failed load changes neither the grid
    // nor the floor.
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

    // The selected vertex stays selected in the floor mesh until the next mesh operation.
    void SetSelectedRow(int row);
    void SetSelectedColumn(int column);
    // The selected vertex's height, in the grid and the floor mesh alike, so a save writes
    // what the views show.
    void SetSelectedHeight(int height);

    // The height grid as a value: every sample the views show.
    Heightfield HeightsSnapshot() const;
    // Replaces every sample with those of heights (of the grid's side) and shows them.
    void RestoreHeights(const Heightfield& heights);
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
    CTerrainHeights m_terrain;
    TQRD3D_PrimitiveMeshCustom* m_floorMesh = nullptr;
    TQRD3D_PrimitiveMesh* m_sphereMesh = nullptr;
    TQRD3D_PrimitiveMesh* m_airplaneMesh = nullptr;
};
