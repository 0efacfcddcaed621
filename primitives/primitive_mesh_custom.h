// The terrain surface: a square grid of N x N vertices spanning -1 to +1 in x and z of its own
// coordinates, flat at y = 0 when built. On first use the grid is generated in memory and entered
// into the mesh table under the primitive's file name, so it is found and drawn by that name like
// any X-file mesh; a copy is written as a text X file of that name where the working folder
// allows it and the grid is small enough. From then on the primitive edits the vertex buffer of
// that table entry in place (one vertex at a time through a selection, or every height at once,
// each store recolouring the vertex by its height) and draws it through the inherited mesh
// drawing, with normals recomputed at the first draw after a vertex moved. The side may change;
// the grid is then built anew at the new side under the same name.
#pragma once

#include <span>

#include "platform/d3dx9/d3dx9.h"
#include "primitives/primitive_mesh.h"
#include "scene/vector_math.h"

struct TQRD3D_ColorVertex;

class TQRD3D_PrimitiveMeshCustom : public TQRD3D_PrimitiveMesh {
public:
    static constexpr const wchar_t* kDefaultFileName = L"YourMeshFileName.x";
    // Sides up to this one are drawn with 16-bit indices, larger ones with 32-bit indices.
    static constexpr int kMaxSixteenBitSide = 256;
    static constexpr int kMaxVerticesPerSide = 4097;
    // The X file copy is written only up to this side: a text X file of a 4097 grid would take
    // about 1.5 GB and minutes to write, for a copy nothing reads.
    static constexpr int kMaxSavedSide = 257;

    // N vertices per side, 2 to kMaxVerticesPerSide (any other N has no vertices and never
    // becomes ready); a null file name means "YourMeshFileName.x". A relative name is written
    // relative to the working directory.
    TQRD3D_PrimitiveMeshCustom(int verticesPerSide, const wchar_t* fileName);
    // Only drops the pointer: the mesh table owns the mesh.
    ~TQRD3D_PrimitiveMeshCustom() override;

    // Generates the grid, writes a copy of it (up to kMaxSavedSide; a failure to write is
    // ignored) and enters it into the mesh table. An entry of that name that is a grid of this
    // size already (made by another grid of the name) is taken over instead; one that is not (a
    // grid of another side, a mesh loaded from a file of that name) is replaced, since this
    // primitive can only edit its own layout. Keeps the table entry's mesh. False without a
    // device or when creation fails.
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

    // Sets every vertex's height (and so its colour) from heights, N x N values row by row, in
    // one pass; the selection is released first. False when the count is not N x N (nothing
    // changes) or the mesh cannot be made ready.
    bool SetHeights(std::span<const float> heights);
    // Makes the grid N vertices per side (as the constructor takes it). The selection is dropped
    // without writing it back, and the mesh of the old side leaves the mesh table at once, so
    // that the two never take memory together; the grid of the new side is built, flat, at its
    // next use. Nothing happens when N is the current side.
    void SetVerticesPerSide(int verticesPerSide);

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
    // Sets the sizes that follow from the side; a side outside 2..kMaxVerticesPerSide makes an
    // empty grid.
    void SetSize(int verticesPerSide);
    // True once the mesh is ready, creating it when needed. A mesh the table has let go of
    // (its resources released) is never used again: the primitive goes back to not ready.
    bool MakeMeshReady();
    bool IsMeshStillInTable() const;
    bool IsUsableGridMesh(ID3DXMesh* mesh) const;
    bool UsesWideIndices() const { return m_verticesPerSide > kMaxSixteenBitSide; }
    void WriteIndices() const;
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
    int m_verticesPerSide = 0;
    int m_faceCount = 0;
    int m_vertexCount = 0;
    int m_selectedIndex = -1;
    TQR_Vector3 m_selectedPosition;
    float m_spacing = 0.0f;
};
