// The terrain surface drawn straight from a heightfield, at a cost that follows what the view
// shows rather than the size of the grid. It lies where the grid mesh lies (grid_layout.h: x and
// z from -1 to +1 in its own coordinates, y the height), with the grid's vertex colours by
// height band and texture coordinates, and draws with the primitive's attributes as the mesh
// primitives do (an unlit one shows its vertex colours; fill mode, shading and texturing as set).
//
// The grid is cut into chunks of 64 x 64 cells (terrain_chunk_layout.h). Each frame picks a
// level of detail per chunk from the camera, the coarsest whose height error stays within a
// pixel on the render target (terrain_lod_selection.h), skips chunks out of view, closes the
// seams between levels by stitching the finer chunk's edge onto its coarser neighbour's
// (chunk_stitching.h), and draws everything in one call (terrain_batch.h). A terrain of one
// chunk (65 samples per side or fewer) is always drawn in full detail and draws the grid mesh's
// triangles exactly; so is the chunk holding the pinned (selected) vertex.
//
// The primitive reads the heightfield by reference and copies nothing of it per frame: the owner
// says what changed, and an edit rebuilds only the chunks it touches.
#pragma once

#include <memory>
#include <vector>

#include "primitives/chunk_stitching.h"
#include "primitives/terrain_batch.h"
#include "primitives/terrain_chunk_cache.h"
#include "primitives/terrain_chunk_layout.h"
#include "primitives/terrain_lod_selection.h"
#include "primitives/terrain_relief_drawing.h"
#include "scene/bounding_box.h"
#include "scene/primitive.h"
#include "terrain/heightfield.h"

class TQRD3D_PrimitiveTerrain : public TQR_Primitive {
public:
    static constexpr float kDefaultMaxPixelError = 1.0f;
    // The most triangles one view draws: where the error bound would need more (a terrain rough
    // at the scale of its samples, seen whole at 4097 samples a side, asks for nearly all of its
    // 33 million), the allowed error doubles until the levels fit, so that neither the frame
    // time nor the memory of the drawn vertices grows with the grid beyond this.
    static constexpr std::size_t kTriangleBudget = std::size_t{1} << 21;

    // heights must outlive the primitive; tell it of every change (HeightsChanged,
    // AllHeightsChanged).
    explicit TQRD3D_PrimitiveTerrain(const Heightfield& heights);
    ~TQRD3D_PrimitiveTerrain() override;

    // After a change of every sample, or of the side.
    void AllHeightsChanged();
    // After a change of the samples in the rectangle (clipped to the grid): the chunks holding
    // them and their neighbours' normals are brought up to date, nothing else.
    void HeightsChanged(const SampleBounds& samples);
    // The chunks holding this sample are always drawn at full detail; (-1, -1) for none.
    void SetPinnedSample(int row, int column);
    // How the relief is drawn (terrain_relief.h): shading, slope colours, contour lines, water
    // plane. A change marks the primitive changed, so the views draw again.
    void SetReliefStyle(const TerrainReliefStyle& style);
    const TerrainReliefStyle& GetReliefStyle() const { return m_relief.Style(); }
    // The largest height error in pixels a chunk may show; 0 draws every chunk at full detail,
    // whatever the triangle budget.
    void SetMaxPixelError(float pixels);

    // The box of the whole terrain in its own coordinates.
    const TQR_BoundingVolume* GetBoundingVolume(int levelOfDetail) override;

    const TerrainChunkLayout& GetLayout() const { return m_layout; }
    // The level each chunk was drawn at in the last frame (kChunkCulled when out of view).
    const std::vector<int>& GetLastLevels() const { return m_lastLevels; }
    // The vertices and triangles of the last frame's draw.
    std::size_t GetLastVertexCount() const { return m_lastVertexCount; }
    std::size_t GetLastTriangleCount() const { return m_lastTriangleCount; }
    const TerrainChunkCache& GetChunkCache() const { return m_cache; }
    // The vertex of a sample of the grid as the full-detail level of its chunk draws it (built
    // now when that level is not kept).
    TQRD3D_ColorVertex FullDetailVertex(int row, int column);

protected:
    // The base attributes, the second colour and the shade and fill modes.
    void SetupDrawAttributes(TQR_DrawHelper* drawHelper) override;
    // Picks the levels for the current view, finds or builds its batch and draws it.
    void DrawGeometry(int levelOfDetail, TQR_DrawHelper* drawHelper) override;

private:
    struct ChunkState {
        std::vector<float> errors;
        float lowest = 0.0f;
        float highest = 0.0f;
    };
    // The chunk's level errors and height range.
    void MeasureChunk(int chunkIndex);
    void UpdateBox();
    bool IsPinned(int chunkIndex) const;
    std::vector<int> ChooseLevels(const TerrainView& view) const;
    std::size_t TriangleCount(const std::vector<int>& levels) const;
    // The batch for the levels: one of the last two views' (two views draw every tick), made
    // when neither fits.
    const TerrainBatch& BatchFor(const std::vector<int>& levels);

    const Heightfield& m_heights;
    TerrainChunkLayout m_layout;
    std::vector<ChunkState> m_chunks;
    TerrainChunkCache m_cache;
    ChunkIndexCache m_indexCache;
    TerrainBatch m_batches[2];
    TerrainReliefDrawing m_relief;
    int m_recentBatch = 0;
    std::vector<int> m_pinnedChunks;
    int m_pinnedRow = -1;
    int m_pinnedColumn = -1;
    float m_maxPixelError = kDefaultMaxPixelError;
    TQR_BoundingBox m_box;
    std::vector<int> m_lastLevels;
    std::size_t m_lastVertexCount = 0;
    std::size_t m_lastTriangleCount = 0;
};
