// The Brush tool in the views, driven by real mouse events: a stroke changes only the vertices
// within its radius of its path, selects the vertex it pressed, and is one undo step; the brush's
// outline shows on the terrain under the pointer, and goes with the Camera tool.
#include "app/brush_panel.h"
#include "app/resources/main_dialog_ids.h"
#include "editor/terrain_document.h"
#include "editor_fixture.h"
#include "platform/win/qt_bridge.h"
#include "views/view_tool.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace {

class BrushToolTest : public EditorTest {
protected:
    CMouseCameraHandler& View(bool big)
    {
        return big ? static_cast<CMouseCameraHandler&>(m_editor->Dialog().BigView())
                   : static_cast<CMouseCameraHandler&>(m_editor->Dialog().SmallView());
    }
    QWidget* ViewWidget(bool big) { return WidgetOfWindow(View(big).GetViewWindow().GetSafeHwnd()); }
    // The terrain under a point of the view's widget (y down), as the views pick it.
    std::optional<TerrainHit> Under(bool big, QPoint point, const Heightfield& heights)
    {
        return PickTerrainAt(View(big), heights, point.x(), ViewWidget(big)->height() - point.y());
    }
    void Move(QWidget* view, QPoint to, Qt::MouseButtons buttons)
    {
        QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    void UseBrush(BrushKind kind, float radius)
    {
        if (!m_editor->Window().IsBrushToolChosen()) {
            m_editor->Trigger(EditorAction::BrushTool);
        }
        ASSERT_TRUE(m_editor->Window().IsBrushToolChosen());
        Brush brush;
        brush.kind = kind;
        brush.falloff = BrushFalloff::Constant;
        brush.radius = radius;
        brush.strength = 1.0f;
        brush.height = 12.0f;
        m_editor->Window().BrushPanel().ShowBrush(brush);
        // The brush panel opened beside the views: their new sizes first.
        QApplication::processEvents();
    }
};

TEST_F(BrushToolTest, AStrokeInEitherViewChangesOnlyItsRadiusSelectsItsStartAndUndoesInOneStep)
{
    constexpr float kRadius = 3.0f;
    const struct {
        bool big;
        BrushKind kind;
    } cases[] = {{true, BrushKind::Raise},    {false, BrushKind::Lower}, {true, BrushKind::Smooth},
                 {false, BrushKind::Flatten}, {true, BrushKind::Noise},  {false, BrushKind::Set}};
    // A rough terrain from a fixed seed, so that smoothing and flattening change something and
    // the pointer's points never fall on a ridge's edge.
    m_editor->MoveSlider(IDC_ROUGHNESS_SLIDER, 0, 1, 0.7f);
    ASSERT_TRUE(m_editor->Document().New(65, 7).ok());
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.big ? "big view, kind " : "small view, kind ")
                                        << static_cast<int>(c.kind));
        UseBrush(c.kind, kRadius);
        QWidget* view = ViewWidget(c.big);
        ASSERT_NE(view, nullptr);
        const QPoint from(view->width() / 2, view->height() / 2 + 10);
        const QPoint to = from + QPoint(25, 0);
        const Heightfield before = m_editor->World().HeightsSnapshot();
        const std::optional<TerrainHit> aimed = Under(c.big, from, before);
        ASSERT_TRUE(aimed) << "the press lies on the terrain";
        const int steps = m_editor->Document().StepCount();
        const std::size_t bytes = m_editor->Document().HistoryBytes();

        // The outline shows where the tool picked: the path of the stroke runs between them.
        QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, from);
        const std::optional<BrushOutline> start = m_editor->World().GetBrushOutline();
        Move(view, to, Qt::LeftButton);
        const std::optional<BrushOutline> end = m_editor->World().GetBrushOutline();
        QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, to);
        ASSERT_TRUE(start && end);
        EXPECT_LT(std::hypot(start->row - aimed->row, start->column - aimed->column), 0.5f)
            << "the press picked the terrain under the pointer";
        EXPECT_GT(std::hypot(end->row - start->row, end->column - start->column), 1.0f) << "the drag went somewhere";

        EXPECT_EQ(m_editor->World().GetSelectedRow(), static_cast<int>(std::lround(start->row)));
        EXPECT_EQ(m_editor->World().GetSelectedColumn(), static_cast<int>(std::lround(start->column)));
        ASSERT_EQ(m_editor->Document().StepCount(), steps + 1);
        EXPECT_EQ(m_editor->Document().UndoText(), QStringLiteral("Brush Stroke"));
        EXPECT_LT(m_editor->Document().HistoryBytes() - bytes, before.Samples().size() * sizeof(float) / 4)
            << "the step keeps the touched rectangle, not the grid";
        const Heightfield after = m_editor->World().HeightsSnapshot();
        int changed = 0;
        for (int row = 0; row < before.Side(); ++row) {
            for (int column = 0; column < before.Side(); ++column) {
                if (after.At(row, column) == before.At(row, column)) {
                    continue;
                }
                ++changed;
                // Distance to the stroke's path.
                const float pathRows = end->row - start->row;
                const float pathColumns = end->column - start->column;
                const float along =
                    std::clamp(((row - start->row) * pathRows + (column - start->column) * pathColumns) /
                                   (pathRows * pathRows + pathColumns * pathColumns),
                               0.0f, 1.0f);
                EXPECT_LE(std::hypot(row - start->row - along * pathRows, column - start->column - along * pathColumns),
                          kRadius + 1e-3f)
                    << row << ", " << column;
            }
        }
        EXPECT_GT(changed, 10);
        m_editor->Trigger(EditorAction::Undo);
        EXPECT_EQ(m_editor->World().HeightsSnapshot(), before) << "undone bit for bit in one step";
        m_editor->Trigger(EditorAction::Redo);
        EXPECT_EQ(m_editor->World().HeightsSnapshot(), after);
    }
}

// Pixels of the outline's yellow in a square around the point.
int OutlinePixels(const QImage& image, QPoint centre, int half)
{
    int count = 0;
    for (int y = std::max(centre.y() - half, 0); y < std::min(centre.y() + half, image.height()); ++y) {
        for (int x = std::max(centre.x() - half, 0); x < std::min(centre.x() + half, image.width()); ++x) {
            const QRgb pixel = image.pixel(x, y);
            count += qRed(pixel) > 200 && qGreen(pixel) > 170 && qBlue(pixel) < 90 ? 1 : 0;
        }
    }
    return count;
}

TEST_F(BrushToolTest, TheOutlineFollowsThePointerOnTheTerrainWhileTheBrushIsChosen)
{
    UseBrush(BrushKind::Raise, 6.0f);
    QWidget* view = ViewWidget(true);
    const QPoint left(view->width() / 3, view->height() * 2 / 3);
    const QPoint right(view->width() * 2 / 3, view->height() * 2 / 3);
    const struct {
        std::string name;
        QPoint pointer;
        bool brush;
        int nearLeft; // at least (> 0) or none (0)
        int nearRight;
    } cases[] = {
        {"pointer left", left, true, 1, 0},
        {"pointer right", right, true, 0, 1},
        {"camera tool", right, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.brush) {
            m_editor->Trigger(EditorAction::CameraTool);
        }
        Move(view, c.pointer, Qt::NoButton);
        m_editor->Tick();
        const QImage image = m_editor->BigViewImage();
        const int half = view->width() / 8;
        EXPECT_EQ(OutlinePixels(image, left, half) > 20, c.nearLeft > 0);
        EXPECT_EQ(OutlinePixels(image, right, half) > 20, c.nearRight > 0);
        if (HasFailure()) {
            image.save(QString::fromStdString(std::string(RELIEF_TEST_OUTPUT_DIR) + "/brush_outline.png"));
        }
    }
}

} // namespace
