#include "world/view_frame_record.h"

#include <cstring>

#include "world/terrain_world.h"

namespace {

std::array<float, 16> MatrixValues(const D3DMATRIX& matrix)
{
    std::array<float, 16> values;
    std::memcpy(values.data(), &matrix._11, sizeof values);
    return values;
}

} // namespace

CViewFrame CViewFrame::Of(const CTerrainWorld* world, const D3DMATRIX& view, const D3DMATRIX& projection, int width,
                          int height)
{
    CViewFrame frame;
    frame.world = world;
    frame.worldChange = world != nullptr ? world->LastChange() : 0;
    frame.view = MatrixValues(view);
    frame.projection = MatrixValues(projection);
    frame.width = width;
    frame.height = height;
    return frame;
}

bool CViewFrameRecord::NeedsDrawing(const CViewFrame& frame) const
{
    return !m_last || !(*m_last == frame) || (frame.world != nullptr && frame.world->IsAnimating());
}
