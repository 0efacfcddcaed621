// What a view's last frame of the world showed, so that a timer tick can tell whether drawing
// again would show anything new: the world drawn and the number of its latest change then, the
// camera's view and projection matrices and the size of the window.
#pragma once

#include <array>
#include <optional>

#include "platform/d3d9/d3d9types.h"
#include "scene/change_stamp.h"

class CTerrainWorld;

struct CViewFrame {
    const CTerrainWorld* world = nullptr;
    TQR_ChangeNumber worldChange = 0;
    std::array<float, 16> view{};
    std::array<float, 16> projection{};
    int width = 0;
    int height = 0;

    // The frame a view of that window size would draw now; a null world shows nothing.
    static CViewFrame Of(const CTerrainWorld* world, const D3DMATRIX& view, const D3DMATRIX& projection, int width,
                         int height);
    bool operator==(const CViewFrame&) const = default;
};

class CViewFrameRecord {
public:
    // True when the frame would show what the window does not show yet: nothing was drawn
    // since the record was made or forgotten, the frame differs from the last one drawn, or the
    // world animates (the airplane moves on every tick).
    bool NeedsDrawing(const CViewFrame& frame) const;
    void Drawn(const CViewFrame& frame) { m_last = frame; }
    // The window's image is gone (a new swap chain).
    void Forget() { m_last.reset(); }

private:
    std::optional<CViewFrame> m_last;
};
