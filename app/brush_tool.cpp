#include "app/brush_tool.h"

#include "app/editor_commands.h"
#include "editor/terrain_document.h"
#include "scene/status.h"
#include "views/mouse_input.h"
#include "world/terrain_world.h"

#include <QString>

namespace {

std::wstring CannotPaint(const std::string& reason)
{
    return L"The brush cannot paint: " + QString::fromStdString(reason).toStdWString();
}

} // namespace

CBrushTool::CBrushTool(CEditorCommands& commands) : m_commands(commands) {}

CTerrainWorld& CBrushTool::World() const { return m_commands.Document().World(); }

void CBrushTool::SetBrush(const Brush& brush)
{
    m_brush = brush;
    if (const std::optional<BrushOutline> outline = World().GetBrushOutline()) {
        World().SetBrushOutline(BrushOutline{outline->row, outline->column, m_brush.radius});
    }
}

void CBrushTool::PutAway()
{
    m_commands.Document().EndStroke();
    World().SetBrushOutline(std::nullopt);
}

std::optional<TerrainHit> CBrushTool::Follow(TQR_WindowHandler& view, int x, int y)
{
    std::optional<TerrainHit> hit = PickTerrainAt(view, World().GetHeights().GetHeightfield(), x, y);
    World().SetBrushOutline(hit ? std::optional(BrushOutline{hit->row, hit->column, m_brush.radius}) : std::nullopt);
    return hit;
}

std::wstring CBrushTool::Press(TQR_WindowHandler& view, int x, int y)
{
    if (m_commands.RefusedWhileBusy()) {
        return {};
    }
    const std::optional<TerrainHit> hit = Follow(view, x, y);
    if (!hit) {
        return L"No terrain under the pointer";
    }
    if (m_select) {
        m_select(hit->nearestRow, hit->nearestColumn);
    }
    Brush brush = m_brush;
    brush.seed = m_brush.seed + m_strokes++;
    if (const Result<> begun = m_commands.Document().BeginStroke(brush, {hit->row, hit->column}); !begun) {
        return CannotPaint(begun.reason());
    }
    return FormatStatus("Begin Brush Stroke: (%d %d)", hit->nearestRow, hit->nearestColumn);
}

std::wstring CBrushTool::Drag(TQR_WindowHandler& view, int x, int y)
{
    const std::optional<TerrainHit> hit = Follow(view, x, y);
    if (!hit || !m_commands.Document().InStroke()) {
        return {};
    }
    if (const Result<> painted = m_commands.Document().ContinueStroke({hit->row, hit->column}); !painted) {
        return CannotPaint(painted.reason());
    }
    return FormatStatus("Brush Stroke To: (%d %d)", hit->nearestRow, hit->nearestColumn);
}

std::wstring CBrushTool::Release(TQR_WindowHandler& view, int x, int y)
{
    Follow(view, x, y);
    if (!m_commands.Document().InStroke()) {
        return {};
    }
    m_commands.Document().EndStroke();
    return L"Brush Stroke Done";
}

void CBrushTool::Hover(TQR_WindowHandler& view, int x, int y) { Follow(view, x, y); }
