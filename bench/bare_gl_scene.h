// The floor of what this machine can do for one tick of the editor while the airplane flies: the
// triangles the editor draws (the floor grid, the airplane, the selector sphere) with the states
// each needs, drawn by plain OpenGL calls on a context of its own into two targets of the views'
// sizes and read back as the views' images (the big view's target has the dialog's size and is
// scaled onto its window, as the editor does), with nothing of the editor's device layer in
// between. The editor's own meshes and transforms are copied in once, before the timing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/d3d9/d3d9types.h"

// A mesh as the bare program draws it: vertices in the editor's layout, the triangles of each
// material, the world transform, and whether it is lit (the floor and the sphere are not).
struct BareMesh {
    struct Subset {
        std::vector<DWORD> indices;
        D3DMATERIAL9 material;
        // Bytes B, G, R, A, rows top first; empty without a texture.
        std::vector<BYTE> texels;
        UINT textureWidth = 0;
        UINT textureHeight = 0;
    };
    std::vector<BYTE> vertices;
    DWORD fvf = 0;
    std::vector<Subset> subsets;
    D3DMATRIX world;
    bool lit = false;
};

struct BareView {
    // The camera's matrices, the size drawn at and the size of the window it is shown in.
    D3DMATRIX view;
    D3DMATRIX projection;
    int targetWidth = 0;
    int targetHeight = 0;
    int windowWidth = 0;
    int windowHeight = 0;
};

class BareGlScene {
public:
    ~BareGlScene();
    BareGlScene(const BareGlScene&) = delete;
    BareGlScene& operator=(const BareGlScene&) = delete;

    // Null, with the reason, when no OpenGL context can be made.
    static std::unique_ptr<BareGlScene> Create(std::vector<BareMesh> meshes, std::vector<BareView> views,
                                               std::string& reason);

    // Both views: clear, every mesh, read back.
    void DrawTick();
    // The last image read back for a view, B, G, R, A, row 0 at the top.
    const std::vector<unsigned char>& Pixels(std::size_t view) const;

private:
    struct Target;
    struct GlMesh;
    BareGlScene() = default;
    void DrawView(Target& target);
    void DrawMesh(const GlMesh& mesh);

    void* m_display = nullptr;
    void* m_context = nullptr;
    std::vector<std::unique_ptr<Target>> m_targets;
    std::vector<std::unique_ptr<GlMesh>> m_meshes;
};
