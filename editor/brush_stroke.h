// One brush stroke on the world's terrain while it is painted: dabs spaced along the pointer's
// path (a quarter of the radius apart), each shown at once through the world's region update, so
// only the chunks a dab touches are rebuilt. The stroke paints on its own copy of the grid and
// keeps the grid from before it, so that at its end the rectangle it touched can be kept for undo
// with its heights before and after.
#pragma once

#include <vector>

#include "base/result.h"
#include "primitives/terrain_chunk_layout.h"
#include "terrain/brush.h"
#include "terrain/heightfield.h"

class CTerrainWorld;

// The world's inclusive bounds of a rectangle of samples.
SampleBounds BoundsOf(const SampleRect& rect);

// The rectangle a stroke touched and its heights, row by row, before and after it.
struct StrokeRegion {
    SampleRect rect;
    std::vector<float> before;
    std::vector<float> after;
};

class CBrushStroke {
public:
    // Starts on the world's heights and paints the first dab at centre. A flatten brush takes
    // the surface height under centre as its target.
    CBrushStroke(CTerrainWorld& world, const Brush& brush, DabCentre centre);

    // The first dab; fails with a reason, changing nothing, for a brush or centre out of range.
    Result<> Start();
    // Dabs along the straight path from the last dab towards centre, one every spacing samples;
    // the last dab stays where the spacing puts it, so a slow drag paints evenly.
    Result<> MoveTo(DabCentre centre);

    // Nothing touched yet: an empty rectangle.
    StrokeRegion Region() const;
    const Brush& GetBrush() const { return m_brush; }

    // Samples between dabs along the path.
    static float DabSpacing(float radius);

private:
    Result<> Paint(const std::vector<DabCentre>& dabs);

    CTerrainWorld& m_world;
    Brush m_brush;
    DabCentre m_last;
    Heightfield m_before;
    Heightfield m_painted;
    SampleRect m_touched;
};
