// The main window at work: start-up state, every command's effect on the world and its status
// text, the sliders, the timer and the mouse, driven through the real widgets.
#include "app/resources/main_dialog_ids.h"
#include "editor_fixture.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace {

TEST_F(EditorTest, StartsWithItsControlsSetAndTheTimerRunning)
{
    EditorDriver& e = *m_editor;
    EXPECT_EQ(e.Status(), L"OnInitDialog Complete");
    EXPECT_TRUE(e.IsChecked(IDC_AIRPLANE_VISIBLE));
    for (const int id : {IDC_ANIMATE, IDC_ENABLE_TEXTURE, IDC_SELECTOR_VISIBLE, IDC_WIREFRAME}) {
        EXPECT_FALSE(e.IsChecked(id)) << "check box " << id;
    }
    EXPECT_EQ(e.Dialog().GetCheckedRadioButton(IDC_FLY_LEFT, IDC_FLY_STRAIGHT), IDC_FLY_LEFT);
    EXPECT_EQ(e.Text(IDC_LOAD_FILE_NAME), L"temp.txt");
    EXPECT_EQ(e.Text(IDC_SAVE_FILE_NAME), L"temp.txt");
    EXPECT_EQ(e.Text(IDC_TEXTURE_FILE_NAME), L"");
    EXPECT_EQ(e.Timers().Interval(e.Dialog().GetSafeHwnd(), 0), 25u);
    EXPECT_EQ(e.Dialog().GetIcon(TRUE), LoadIcon(IDR_MAINFRAME));
    // The selection starts at (0, 0); the sliders say so.
    EXPECT_FLOAT_EQ(e.SliderValue(IDC_ROW_SLIDER, 0, 62), 62.0f);
    EXPECT_FLOAT_EQ(e.SliderValue(IDC_COLUMN_SLIDER, 0, 62), 62.0f);
}

TEST_F(EditorTest, CheckBoxesSwitchTheWorldAndReportTheirState)
{
    CTerrainWorld& world = m_editor->World();
    struct Case {
        int id;
        std::wstring name;
        std::function<bool()> state;
    };
    const Case cases[] = {
        {IDC_ANIMATE, L"Anime", [&] { return world.IsAnimating(); }},
        {IDC_ENABLE_TEXTURE, L"Texture", [&] { return world.GetFloorMesh().IsTexturing(); }},
        {IDC_SELECTOR_VISIBLE, L"Selector Visible", [&] { return world.GetSphereMesh().IsVisible(); }},
        {IDC_AIRPLANE_VISIBLE, L"Airplane Visible", [&] { return world.GetAirplaneMesh().IsVisible(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "check box " << c.id);
        const bool initially = m_editor->IsChecked(c.id);
        EXPECT_EQ(c.state(), initially);
        for (const bool expected : {!initially, initially}) {
            m_editor->Click(c.id);
            EXPECT_EQ(m_editor->Status(), c.name + (expected ? L" is ON" : L" is OFF"));
            EXPECT_EQ(c.state(), expected);
            EXPECT_EQ(m_editor->IsChecked(c.id), expected);
        }
    }
}

TEST_F(EditorTest, FlyDirectionFollowsTheCheckedRadioButton)
{
    CTerrainWorld& world = m_editor->World();
    struct Case {
        int id;
        TQR_FlyDirection direction;
        std::wstring status;
    };
    for (const Case& c : {Case{IDC_FLY_RIGHT, TQR_FlyDirection::Right, L"Set Airplane fly right"},
                          Case{IDC_FLY_STRAIGHT, TQR_FlyDirection::Straight, L"Set Airplane fly straight"},
                          Case{IDC_FLY_LEFT, TQR_FlyDirection::Left, L"Set Airplane fly left"}}) {
        SCOPED_TRACE(testing::Message() << "radio " << c.id);
        m_editor->Click(c.id);
        EXPECT_EQ(m_editor->Status(), c.status);
        EXPECT_EQ(world.GetFlyDirection(), c.direction);
    }

    // With no button checked the direction stays and the status line is cleared.
    world.SetFlyDirection(TQR_FlyDirection::Straight);
    m_editor->Dialog().CheckRadioButton(IDC_FLY_LEFT, IDC_FLY_STRAIGHT, 0);
    m_editor->Dialog().SendMessage(
        WM_COMMAND, MAKEWPARAM(IDC_FLY_RIGHT, BN_CLICKED),
        reinterpret_cast<LPARAM>(::GetDlgItem(m_editor->Dialog().GetSafeHwnd(), IDC_FLY_RIGHT)));
    EXPECT_EQ(m_editor->Status(), L"");
    EXPECT_EQ(world.GetFlyDirection(), TQR_FlyDirection::Straight);
}

TEST_F(EditorTest, GenerateFillsTheFloorWithTheNewTerrainAtTheSlidersRoughness)
{
    const std::vector<float> first = FloorHeights();
    const CTerrainHeights& grid = m_editor->World().GetHeights();
    EXPECT_FLOAT_EQ(first[0], grid.GetSample(0, 0)) << "the floor starts with the first terrain";
    EXPECT_FLOAT_EQ(first[24], grid.GetSample(60, 60)) << "the floor starts with the first terrain";

    m_editor->MoveSlider(IDC_ROUGHNESS_SLIDER, 0, 1, 0.6f);
    m_editor->Click(IDC_GENERATE);
    EXPECT_EQ(m_editor->Status(), L"creating new terain");
    EXPECT_NEAR(m_editor->World().GetHeights().GetRoughness(), 0.6f, 1e-4);

    const std::vector<float> generated = FloorHeights();
    EXPECT_NE(generated, first);
    EXPECT_FLOAT_EQ(generated[6], grid.GetSample(15, 15)) << "the mesh shows the grid";
    EXPECT_FLOAT_EQ(generated[24], grid.GetSample(60, 60));
}

TEST_F(EditorTest, YLevelSliderSetsTheHeightTowardZeroAndFollowsItWithinItsRange)
{
    CTerrainWorld& world = m_editor->World();
    for (const auto& [value, height] : {std::pair{3.9f, 3.0f}, std::pair{-2.7f, -2.0f}, std::pair{1.0f, 1.0f}}) {
        SCOPED_TRACE(testing::Message() << "slider at " << value);
        m_editor->MoveSlider(IDC_HEIGHT_SLIDER, -15, 15, value);
        EXPECT_FLOAT_EQ(world.GetSelectedY(), height);
    }

    world.SetSelectedHeight(5);
    m_editor->Tick();
    EXPECT_NEAR(m_editor->SliderValue(IDC_HEIGHT_SLIDER, -15, 15), 5.0f, 1e-3);
    world.SetSelectedHeight(20);
    m_editor->Tick();
    EXPECT_NEAR(m_editor->SliderValue(IDC_HEIGHT_SLIDER, -15, 15), 5.0f, 1e-3) << "out of range: the thumb stays";
}

TEST_F(EditorTest, RowAndColumnSlidersSelectSixtyTwoMinusTheirValueTruncated)
{
    CTerrainWorld& world = m_editor->World();
    struct Case {
        int id;
        float value;
        int selected;
    };
    // 1 and 3 land on trackbar steps just above them (1.00006, 3.00018), so 62 minus the value
    // is just below 61 and 59; their echoes show 1.00 and 3.00.
    for (const Case& c :
         {Case{IDC_COLUMN_SLIDER, 10, 52}, Case{IDC_COLUMN_SLIDER, 1, 61}, Case{IDC_COLUMN_SLIDER, 0, 62},
          Case{IDC_COLUMN_SLIDER, 30.3f, 31}, Case{IDC_COLUMN_SLIDER, 0.4f, 61}, Case{IDC_COLUMN_SLIDER, 3, 59},
          Case{IDC_COLUMN_SLIDER, 62, 0}, Case{IDC_ROW_SLIDER, 10, 52}, Case{IDC_ROW_SLIDER, 1, 61},
          Case{IDC_ROW_SLIDER, 62, 0}, Case{IDC_ROW_SLIDER, 30.3f, 31}, Case{IDC_ROW_SLIDER, 0.4f, 61},
          Case{IDC_ROW_SLIDER, 3, 59}, Case{IDC_ROW_SLIDER, 0, 62}}) {
        SCOPED_TRACE(testing::Message() << "slider " << c.id << " at " << c.value);
        m_editor->MoveSlider(c.id, 0, 62, c.value);
        EXPECT_EQ(c.id == IDC_ROW_SLIDER ? world.GetSelectedRow() : world.GetSelectedColumn(), c.selected);
    }
}

TEST_F(EditorTest, MovingOneSliderLeavesWhatTheOthersControlAlone)
{
    CTerrainWorld& world = m_editor->World();
    world.SetSelectedColumn(5);
    world.SetSelectedHeight(7);

    m_editor->MoveSlider(IDC_SPEED_SLIDER, 0.2f, 1.0f, 0.8f);
    EXPECT_NEAR(world.GetSpeed(), 0.8f, 1e-4);
    EXPECT_EQ(world.GetSelectedColumn(), 5) << "the column slider was not moved";
    EXPECT_FLOAT_EQ(world.GetSelectedY(), 7.0f) << "the Y-level slider was not moved";

    m_editor->MoveSlider(IDC_ROUGHNESS_SLIDER, 0, 1, 0.3f);
    EXPECT_NEAR(world.GetHeights().GetRoughness(), 0.3f, 1e-4);
    EXPECT_NEAR(world.GetSpeed(), 0.8f, 1e-4);
    EXPECT_FLOAT_EQ(world.GetSelectedY(), 7.0f);
}

TEST_F(EditorTest, AirplaneFliesOnlyWhileAnimationIsOn)
{
    CTerrainWorld& world = m_editor->World();
    const auto position = [&] {
        return world.GetRoot().GetChild(CTerrainWorld::kAirplaneChild)->GetXformInfo().GetTranslation();
    };
    const TQR_Vector3 start = position();
    m_editor->Time().AdvanceSeconds(2.0);
    m_editor->Tick();
    EXPECT_FLOAT_EQ(position().x, start.x);
    EXPECT_FLOAT_EQ(position().z, start.z);

    m_editor->Click(IDC_ANIMATE);
    m_editor->Time().AdvanceSeconds(2.0);
    m_editor->Tick();
    const TQR_Vector3 moved = position();
    EXPECT_NEAR(std::hypot(moved.x - start.x, moved.z - start.z), 0.4 * 2.0, 0.02) << "speed 0.4 for two seconds";
    EXPECT_FLOAT_EQ(moved.y, start.y);

    m_editor->Click(IDC_ANIMATE);
    m_editor->Time().AdvanceSeconds(2.0);
    m_editor->Tick();
    EXPECT_FLOAT_EQ(position().x, moved.x) << "switched off: the airplane stops";
}

void Drag(QWidget* view, Qt::MouseButton button, QPoint from, QPoint to)
{
    QTest::mousePress(view, button, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, button, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    QTest::mouseRelease(view, button, Qt::NoModifier, to);
}

TEST_F(EditorTest, MouseDragsInEitherViewMoveItsCamera)
{
    CTutorialDlg& dialog = m_editor->Dialog();
    QWidget* big = WidgetOfWindow(dialog.BigView().GetViewWindow().GetSafeHwnd());
    QWidget* small = WidgetOfWindow(dialog.SmallView().GetViewWindow().GetSafeHwnd());
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);

    Drag(big, Qt::LeftButton, QPoint(100, 100), QPoint(130, 100));
    EXPECT_FLOAT_EQ(dialog.BigView().GetCamera().GetYaw(), 30.0f) << "left drag rotates the big view";

    const float smallDistance = dialog.SmallView().GetCamera().GetPosition().y;
    Drag(small, Qt::RightButton, QPoint(100, 100), QPoint(140, 100));
    EXPECT_NE(dialog.SmallView().GetCamera().GetPosition().y, smallDistance) << "right drag zooms the small view";
    EXPECT_FLOAT_EQ(dialog.BigView().GetCamera().GetYaw(), 30.0f) << "the big view is not affected";
}

} // namespace
