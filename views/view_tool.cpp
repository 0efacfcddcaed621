#include "views/view_tool.h"

#include "views/window_handler.h"

std::optional<TerrainHit> PickTerrainAt(TQR_WindowHandler& view, const Heightfield& heights, int x, int y)
{
    TQR_Vector3 origin;
    TQR_Vector3 direction;
    if (!view.DeviceToWorld(x, y, origin, direction)) {
        return std::nullopt;
    }
    return PickTerrain(heights, origin, direction);
}
