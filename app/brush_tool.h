// The brush in the views: with the Brush tool chosen, the left button paints (press, drag,
// release is one stroke and one undo step) and a press selects the vertex under the pointer;
// the brush's outline follows the pointer on the terrain. While heavy work runs in the
// background a press paints nothing and says why.
#pragma once

#include "terrain/brush.h"
#include "views/view_tool.h"

#include <cstdint>
#include <functional>

class CEditorCommands;
class CTerrainWorld;

class CBrushTool final : public IViewTool {
public:
    // The commands must outlive the tool.
    explicit CBrushTool(CEditorCommands& commands);

    // The brush of the next stroke; a stroke being painted keeps its own.
    void SetBrush(const Brush& brush);
    const Brush& GetBrush() const { return m_brush; }
    // Called with the vertex a press selects.
    void SetSelectionListener(std::function<void(int row, int column)> listener) { m_select = std::move(listener); }
    // The tool is put away: a stroke being painted ends and the outline goes.
    void PutAway();

    std::wstring Press(TQR_WindowHandler& view, int x, int y) override;
    std::wstring Drag(TQR_WindowHandler& view, int x, int y) override;
    std::wstring Release(TQR_WindowHandler& view, int x, int y) override;
    void Hover(TQR_WindowHandler& view, int x, int y) override;

private:
    CTerrainWorld& World() const;
    // Picks the terrain under the point and moves the outline there (or hides it on a miss).
    std::optional<TerrainHit> Follow(TQR_WindowHandler& view, int x, int y);

    CEditorCommands& m_commands;
    Brush m_brush;
    // Each stroke's noise gets its own pattern.
    std::uint64_t m_strokes = 0;
    std::function<void(int, int)> m_select;
};
