// A tool that takes a view's left button instead of the camera (the brush): the view hands it
// presses, drags, releases and moves without a button, in device coordinates, and shows the
// status text each returns (an empty text leaves the status line as it is). The middle and right
// buttons keep their camera actions.
#pragma once

#include <optional>
#include <string>

#include "world/terrain_picking.h"

class TQR_WindowHandler;
class Heightfield;

class IViewTool {
public:
    virtual ~IViewTool() = default;

    virtual std::wstring Press(TQR_WindowHandler& view, int x, int y) = 0;
    virtual std::wstring Drag(TQR_WindowHandler& view, int x, int y) = 0;
    virtual std::wstring Release(TQR_WindowHandler& view, int x, int y) = 0;
    // The pointer moved without a button.
    virtual void Hover(TQR_WindowHandler& view, int x, int y) = 0;
};

// The terrain under a device point of the view, through the picking ray of the view's camera:
// none when the ray misses the terrain or the view cannot aim a ray.
std::optional<TerrainHit> PickTerrainAt(TQR_WindowHandler& view, const Heightfield& heights, int x, int y);
