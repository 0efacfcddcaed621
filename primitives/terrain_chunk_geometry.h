// What a chunk of the terrain draws, read from the heightfield: its vertices at a level of
// detail, how far each level strays from the full-detail surface, and its height range. The
// terrain lies in its own coordinates as the grid mesh does (grid_layout.h): x and z from -1 to
// +1, y the height.
#pragma once

#include <span>
#include <utility>
#include <vector>

#include "graphics/vertex_formats.h"
#include "primitives/terrain_chunk_layout.h"
#include "terrain/heightfield.h"

// The spacing of the samples in the terrain's own coordinates: 2 / (side - 1).
float TerrainSpacing(const Heightfield& heights);

// GridVertexAt for the sample, with the normal of the full-detail surface there: the
// normalised sum of the cross products of the grid triangles around the sample, which is what
// computing the normals of the whole grid mesh gives.
TQRD3D_ColorVertex TerrainVertex(const Heightfield& heights, int row, int column, float spacing);

// The chunk's vertices at a level, row by row: RowsAt(level) + 1 rows of ColumnsAt(level) + 1.
void WriteChunkVertices(const Heightfield& heights, const TerrainChunk& chunk, int level,
                        std::span<TQRD3D_ColorVertex> vertices);
// Rewrites those vertices of the chunk's level whose sample lies in the rectangle.
void RefreshChunkVertices(const Heightfield& heights, const TerrainChunk& chunk, int level, const SampleBounds& samples,
                          std::span<TQRD3D_ColorVertex> vertices);

// For each level of the chunk, a bound of the largest vertical distance between the chunk drawn
// at that level and its full-detail surface: 0 for level 0, never smaller for a coarser level.
// Each level adds the largest distance of the next finer level's samples from its own surface.
std::vector<float> ChunkLevelErrors(const Heightfield& heights, const TerrainChunk& chunk);

// The lowest and highest sample of the chunk.
std::pair<float, float> ChunkHeightRange(const Heightfield& heights, const TerrainChunk& chunk);
