#include "primitives/primitive_terrain.h"

#include <algorithm>
#include <tuple>

#include "graphics/graphics_system.h"
#include "graphics/material_conversion.h"
#include "graphics/surface_draw.h"
#include "primitives/grid_layout.h"
#include "primitives/terrain_chunk_geometry.h"
#include "scene/draw_helper.h"

namespace {

// Both views draw every tick.
constexpr int kFramesPerTick = 2;

TerrainView CurrentView(IDirect3DDevice9& device)
{
    TerrainView view;
    device.GetTransform(D3DTS_WORLD, &view.world);
    device.GetTransform(D3DTS_VIEW, &view.view);
    device.GetTransform(D3DTS_PROJECTION, &view.projection);
    ComPtr<IDirect3DSurface9> target;
    D3DSURFACE_DESC description{};
    if (SUCCEEDED(device.GetRenderTarget(0, target.ReleaseAndGetAddressOf())) &&
        SUCCEEDED(target->GetDesc(&description))) {
        view.targetHeight = static_cast<float>(description.Height);
    }
    return view;
}

} // namespace

TQRD3D_PrimitiveTerrain::TQRD3D_PrimitiveTerrain(const Heightfield& heights) : m_heights(heights)
{
    AllHeightsChanged();
}

TQRD3D_PrimitiveTerrain::~TQRD3D_PrimitiveTerrain() = default;

void TQRD3D_PrimitiveTerrain::AllHeightsChanged()
{
    m_layout = TerrainChunkLayout(m_heights.Side());
    m_chunks.assign(static_cast<std::size_t>(m_layout.ChunkCount()), ChunkState{});
    for (int chunkIndex = 0; chunkIndex < m_layout.ChunkCount(); ++chunkIndex) {
        MeasureChunk(chunkIndex);
    }
    UpdateBox();
    m_cache.Reset(m_layout.ChunkCount());
    for (TerrainBatch& batch : m_batches) {
        batch.Forget();
    }
    const int row = m_pinnedRow;
    const int column = m_pinnedColumn;
    m_pinnedRow = m_pinnedColumn = -2;
    SetPinnedSample(row, column);
}

void TQRD3D_PrimitiveTerrain::HeightsChanged(const SampleBounds& samples)
{
    if (m_heights.Side() != m_layout.Side()) {
        AllHeightsChanged();
        return;
    }
    for (const int chunkIndex : m_layout.ChunksHolding(samples)) {
        MeasureChunk(chunkIndex);
    }
    UpdateBox();
    // A sample's normal follows its neighbours' heights.
    const SampleBounds touched = samples.Grown(1);
    for (const int chunkIndex : m_layout.ChunksHolding(touched)) {
        m_cache.Refresh(m_heights, m_layout.Chunk(chunkIndex), chunkIndex, touched);
        for (TerrainBatch& batch : m_batches) {
            batch.Refresh(chunkIndex, m_layout, m_heights, m_cache);
        }
    }
}

void TQRD3D_PrimitiveTerrain::MeasureChunk(int chunkIndex)
{
    const TerrainChunk& chunk = m_layout.Chunk(chunkIndex);
    ChunkState& state = m_chunks[static_cast<std::size_t>(chunkIndex)];
    state.errors = ChunkLevelErrors(m_heights, chunk);
    std::tie(state.lowest, state.highest) = ChunkHeightRange(m_heights, chunk);
}

void TQRD3D_PrimitiveTerrain::UpdateBox()
{
    if (m_chunks.empty()) {
        m_box.SetCorners(-1.0f, 0.0f, -1.0f, 1.0f, 0.0f, 1.0f);
        return;
    }
    float lowest = m_chunks.front().lowest;
    float highest = m_chunks.front().highest;
    for (const ChunkState& chunk : m_chunks) {
        lowest = std::min(lowest, chunk.lowest);
        highest = std::max(highest, chunk.highest);
    }
    m_box.SetCorners(-1.0f, lowest, -1.0f, 1.0f, highest, 1.0f);
}

void TQRD3D_PrimitiveTerrain::SetPinnedSample(int row, int column)
{
    if (row == m_pinnedRow && column == m_pinnedColumn) {
        return;
    }
    m_pinnedRow = row;
    m_pinnedColumn = column;
    m_pinnedChunks.clear();
    if (m_heights.Contains(row, column)) {
        m_pinnedChunks = m_layout.ChunksHolding({row, column, row, column});
    }
}

void TQRD3D_PrimitiveTerrain::SetReliefStyle(const TerrainReliefStyle& style)
{
    if (m_relief.SetStyle(style)) {
        MarkChanged();
    }
}

void TQRD3D_PrimitiveTerrain::SetMaxPixelError(float pixels) { m_maxPixelError = pixels; }

TQRD3D_ColorVertex TQRD3D_PrimitiveTerrain::FullDetailVertex(int row, int column)
{
    const int chunkIndex = m_layout.ChunksHolding({row, column, row, column}).front();
    const TerrainChunk& chunk = m_layout.Chunk(chunkIndex);
    const auto vertices = m_cache.Vertices(m_heights, chunk, chunkIndex, 0);
    return vertices[static_cast<std::size_t>((row - chunk.firstRow) * (chunk.columns + 1) + column -
                                             chunk.firstColumn)];
}

const TQR_BoundingVolume* TQRD3D_PrimitiveTerrain::GetBoundingVolume(int) { return &m_box; }

void TQRD3D_PrimitiveTerrain::SetupDrawAttributes(TQR_DrawHelper* drawHelper)
{
    TQR_Primitive::SetupDrawAttributes(drawHelper);
    SetupSurfaceModes(drawHelper);
}

bool TQRD3D_PrimitiveTerrain::IsPinned(int chunkIndex) const
{
    return m_layout.ChunkCount() == 1 ||
           std::find(m_pinnedChunks.begin(), m_pinnedChunks.end(), chunkIndex) != m_pinnedChunks.end();
}

std::vector<int> TQRD3D_PrimitiveTerrain::ChooseLevels(const TerrainView& view) const
{
    const float spacing = TerrainSpacing(m_heights);
    std::vector<ChunkLodInput> inputs(m_chunks.size());
    for (int chunkIndex = 0; chunkIndex < m_layout.ChunkCount(); ++chunkIndex) {
        const TerrainChunk& chunk = m_layout.Chunk(chunkIndex);
        const ChunkState& state = m_chunks[static_cast<std::size_t>(chunkIndex)];
        ChunkLodInput& input = inputs[static_cast<std::size_t>(chunkIndex)];
        input.box.minX = static_cast<float>(chunk.firstColumn) * spacing - 1.0f;
        input.box.maxX = static_cast<float>(chunk.firstColumn + chunk.columns) * spacing - 1.0f;
        input.box.minZ = 1.0f - static_cast<float>(chunk.firstRow + chunk.rows) * spacing;
        input.box.maxZ = 1.0f - static_cast<float>(chunk.firstRow) * spacing;
        input.box.minY = state.lowest;
        input.box.maxY = state.highest;
        input.errors = state.errors;
        input.colourSpacing = GridHeightColor(state.lowest) == GridHeightColor(state.highest) ? 0.0f : spacing;
        input.pinned = m_maxPixelError <= 0.0f || IsPinned(chunkIndex);
    }
    std::vector<int> levels = ChooseChunkLevels(view, inputs, m_maxPixelError);
    // Chunks reaching the eye plane and pinned ones keep full detail whatever the error allowed,
    // so the doubling stops once the error no longer bounds anything on the screen.
    constexpr int kMaxDoublings = 24;
    float pixels = m_maxPixelError;
    for (int doubling = 0; doubling < kMaxDoublings && pixels > 0.0f && TriangleCount(levels) > kTriangleBudget;
         ++doubling) {
        pixels *= 2.0f;
        levels = ChooseChunkLevels(view, inputs, pixels);
    }
    return levels;
}

std::size_t TQRD3D_PrimitiveTerrain::TriangleCount(const std::vector<int>& levels) const
{
    std::size_t triangles = 0;
    for (std::size_t chunkIndex = 0; chunkIndex < levels.size(); ++chunkIndex) {
        if (levels[chunkIndex] != kChunkCulled) {
            const TerrainChunk& chunk = m_layout.Chunk(static_cast<int>(chunkIndex));
            triangles +=
                static_cast<std::size_t>(2 * chunk.RowsAt(levels[chunkIndex]) * chunk.ColumnsAt(levels[chunkIndex]));
        }
    }
    return triangles;
}

const TerrainBatch& TQRD3D_PrimitiveTerrain::BatchFor(const std::vector<int>& levels)
{
    for (int slot : {m_recentBatch, 1 - m_recentBatch}) {
        if (m_batches[slot].IsFor(levels)) {
            m_recentBatch = slot;
            return m_batches[slot];
        }
    }
    m_recentBatch = 1 - m_recentBatch;
    m_batches[m_recentBatch].Build(levels, m_layout, m_heights, m_cache, m_indexCache);
    return m_batches[m_recentBatch];
}

void TQRD3D_PrimitiveTerrain::DrawGeometry(int, TQR_DrawHelper*)
{
    IDirect3DDevice9* device = GetGraphicsSystem()->GetDevice();
    if (device == nullptr) {
        return;
    }
    if (m_heights.Side() != m_layout.Side()) {
        AllHeightsChanged();
    }
    m_lastLevels = ChooseLevels(CurrentView(*device));
    const TerrainBatch& batch = BatchFor(m_lastLevels);
    m_cache.Trim(kFramesPerTick);
    m_lastVertexCount = batch.Vertices().size();
    m_lastTriangleCount = batch.IndexCount() / 3;
    if (m_lastTriangleCount == 0) {
        return;
    }
    const TQRD3D_LightingOffScope lighting(device, !IsLighting());
    const D3DMATERIAL9 material =
        SurfaceMaterial(ToD3DMaterial(GetMaterial()), IsTexturing(), !IsLighting(), GetFlatColor());
    device->SetMaterial(&material);
    const std::vector<TQRD3D_ColorVertex>& vertices = m_relief.VerticesFor(batch);
    m_relief.Draw(*device, [&] {
        device->SetFVF(TQRD3D_ColorVertex::kFvf);
        device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(m_lastVertexCount),
                                       static_cast<UINT>(m_lastTriangleCount), batch.IndexData(),
                                       batch.HasWideIndices() ? D3DFMT_INDEX32 : D3DFMT_INDEX16, vertices.data(),
                                       sizeof(TQRD3D_ColorVertex));
    });
}
