// What the floor adds to its draw for a relief style (terrain_relief.h): the recoloured copy of
// a batch's vertices, the contour texture bound around the surface's draw and the water plane
// after it. Without a style nothing is copied and nothing is set: the plain draw stays as it is.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3d9/d3d9.h"
#include "primitives/device_state_scope.h"
#include "primitives/terrain_batch.h"
#include "primitives/terrain_relief.h"

class TerrainReliefDrawing {
public:
    // Takes the style sanitised; true when that changed what is drawn.
    bool SetStyle(const TerrainReliefStyle& style);
    const TerrainReliefStyle& Style() const { return m_style; }

    // The batch's own vertices when the style does not recolour them, else the styled copy,
    // made again only when the batch or the style changed since (one copy is kept for each
    // of the last two batches, as two views draw every tick).
    const std::vector<TQRD3D_ColorVertex>& VerticesFor(const TerrainBatch& batch);
    // Runs drawSurface with the contour texture modulating the vertex colours when contours are
    // on, then draws the water plane when it is on. The device's texture, stage and render
    // states are as they were afterwards. Without contours and water nothing is set.
    template <typename DrawSurface> void Draw(IDirect3DDevice9& device, DrawSurface&& drawSurface) const
    {
        {
            DeviceStateScope states(device);
            BindContours(states, device);
            drawSurface();
        }
        DrawWater(device);
    }

private:
    struct StyledBatch {
        const TerrainBatch* batch = nullptr;
        std::uint64_t batchRevision = 0;
        std::uint64_t styleRevision = 0;
        std::vector<TQRD3D_ColorVertex> vertices;
    };

    void BindContours(DeviceStateScope& states, IDirect3DDevice9& device) const;
    void DrawWater(IDirect3DDevice9& device) const;

    TerrainReliefStyle m_style;
    std::uint64_t m_styleRevision = 0;
    StyledBatch m_styled[2];
    int m_nextSlot = 0;
};
