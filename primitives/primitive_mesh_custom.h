// The terrain surface: a square grid of N x N vertices spanning -1 to +1 in x and z of its own
// coordinates, flat at y = 0 when built. On first use the grid is generated in memory and entered
// into the mesh table under the primitive's file name, so it is found and drawn by that name like
// any X-file mesh; a copy is written as a text X file of that name where the working folder
// allows it. From then on the primitive edits the vertex buffer of that table entry in
// place (one vertex at a time through a selection, each store recolouring the vertex by its
// height) and draws it through the inherited mesh drawing, with normals recomputed at the
// first draw after a vertex moved.
#pragma once

#include "platform/d3dx9/d3dx9.h"
#include "primitives/primitive_mesh.h"
#include "scene/vector_math.h"

struct TQRD3D_ColorVertex;

class TQRD3D_PrimitiveMeshCustom : public TQRD3D_PrimitiveMesh {
public:
    static constexpr const wchar_t* kDefaultFileName = L"YourMeshFileName.x";

    // N vertices per side (16-bit indices: 2 to 256; any other N has no vertices and never
    // becomes ready); a null file name means "YourMeshFileName.x". A relative name is written
    // relative to the working directory.
    TQRD3D_PrimitiveMeshCustom(int verticesPerSide, const wchar_t* fileName);
    // Only drops the pointer: the mesh table owns the mesh.
    ~TQRD3D_PrimitiveMeshCustom() override;

    // Generates the grid, writes a copy of it (a failure to write is ignored) and enters it into
    // the mesh table, unless the table holds an entry of that name already, which is then taken
    // over; keeps the table entry's mesh. False without a device, when creation fails, or when
    // the entry of that name is not a usable grid (one of another vertex format or count is
    // refused).
    virtual bool CreateMesh();
    // Fills the vertex and index buffers of the mesh with the flat grid.
    virtual void BuildGrid();

    // Writes back the pending vertex, then selects vertex row * N + column and reads its
    // position. Rows and columns are not checked; a vertex outside the grid is never touched.
    void SelectVertex(int row, int column);
    // The cached position of the selected vertex; no buffer access.
    TQR_Vector3 GetSelectedVertex() const { return m_selectedPosition; }
    // Replaces the cached position only; the mesh takes it at the next write-back (the next
    // SelectVertex, ReleaseSelection or draw).
    void SetSelectedVertex(float x, float y, float z) { m_selectedPosition = {x, y, z}; }
    // Writes back the pending vertex, if one is selected, and clears the selection.
    void ReleaseSelection();

    bool IsMeshReady() const { return m_meshReady; }
    int GetVerticesPerSide() const { return m_verticesPerSide; }
    int GetFaceCount() const { return m_faceCount; }
    // -1 when nothing is selected.
    int GetSelectedIndex() const { return m_selectedIndex; }
    float GetSpacing() const { return m_spacing; }

protected:
    // Makes the mesh ready before the mesh drawing looks the entry up by name, so that the
    // lookup finds the grid instead of searching the folders for a file of that name.
    void SetupDrawAttributes(TQR_DrawHelper* drawHelper) override;
    // Makes the mesh ready, writes back the pending vertex, recomputes the normals if a vertex
    // moved since they were last computed, and draws the table entry as any mesh primitive does.
    void DrawGeometry(int levelOfDetail, TQR_DrawHelper* drawHelper) override;

private:
    // True once the mesh is ready, creating it when needed. A mesh the table has let go of
    // (its resources released) is never used again: the primitive goes back to not ready.
    bool MakeMeshReady();
    bool IsMeshStillInTable() const;
    bool IsUsableGridMesh(ID3DXMesh* mesh) const;
    void StoreSelectedVertex();
    void LoadSelectedVertex();
    // Makes the mesh ready and hands the selected vertex, locked, to edit; nothing when the
    // mesh cannot be made ready or no vertex of the grid is selected.
    template <typename Edit> void EditSelectedVertex(Edit edit);

    bool m_meshReady = false;
    // The mesh's normals match its vertex positions.
    bool m_normalsCurrent = false;
    // Borrowed, without a reference of its own: the mesh table's entry, or the new mesh while
    // CreateMesh builds and saves it.
    ID3DXMesh* m_mesh = nullptr;
    int m_verticesPerSide;
    int m_faceCount;
    int m_vertexCount;
    int m_selectedIndex = -1;
    TQR_Vector3 m_selectedPosition;
    float m_spacing;
};
