// The level of detail each chunk of the terrain is drawn at in one view: the coarsest level
// whose error, seen from the camera, stays within a number of pixels on the render target; and
// chunks wholly outside the view are not drawn at all.
#pragma once

#include <span>
#include <vector>

#include "platform/d3d9/d3d9types.h"

// How the view being drawn sees the terrain: the transforms from the terrain's own
// coordinates to clip space (row vectors: own * world * view * projection, a right-handed view
// looking along -z) and the height of the render target in pixels.
struct TerrainView {
    D3DMATRIX world;
    D3DMATRIX view;
    D3DMATRIX projection;
    float targetHeight = 0.0f;
};

// A chunk's box in the terrain's own coordinates.
struct ChunkBox {
    float minX = 0.0f;
    float maxX = 0.0f;
    float minY = 0.0f;
    float maxY = 0.0f;
    float minZ = 0.0f;
    float maxZ = 0.0f;
};

// What the choice needs to know of one chunk.
struct ChunkLodInput {
    ChunkBox box;
    // Vertical error bounds per level, in the terrain's own height units (ChunkLevelErrors).
    std::span<const float> errors;
    // Always drawn at level 0 (it holds the selected vertex).
    bool pinned = false;
    // For a chunk whose samples take more than one height band colour, the spacing of its full-
    // detail samples in the terrain's own units: a coarser level moves the edges between its
    // colours by up to one of its cells. 0 for a chunk of one colour.
    float colourSpacing = 0.0f;
};

inline constexpr int kChunkCulled = -1;

// The level per chunk, or kChunkCulled for a chunk whose box lies wholly outside the view. A
// level's error in pixels is its error scaled into world units by the world transform, times the
// pixels per world unit at the nearest depth of the chunk's box, widened by the factor by which
// the corners of the view see a displacement larger than its centre does; a box reaching the
// eye plane takes the coarsest level without error. A chunk of several colours also keeps each
// level's cells within half that many pixels, so that the edges between its colours, blended
// across a cell, stay in place.
std::vector<int> ChooseChunkLevels(const TerrainView& view, std::span<const ChunkLodInput> chunks, float maxPixelError);
