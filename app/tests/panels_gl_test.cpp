// The editing panels reached from the main window: they open as tool windows, edit the live
// world, and the views show each change at the next tick.
#include "app/resources/main_dialog_ids.h"
#include "editor_fixture.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"
#include "ui/panel_ids.h"
#include "world/testing/headless_renderer.h"

#include <QDir>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void ClickIn(const CWnd& window, int id)
{
    QWidget* control = WidgetOfWindow(::GetDlgItem(window.m_hWnd, id));
    ASSERT_NE(control, nullptr) << "no control " << id;
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
}

int Brightness(QColor c) { return c.red() + c.green() + c.blue(); }

// Pixels that became brighter, within the square of that half size around the centre, or
// anywhere when the half size is negative.
int BrighterPixels(const QImage& before, const QImage& after, std::pair<int, int> centre, int halfSize)
{
    int count = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            const bool inside =
                halfSize < 0 || (std::abs(x - centre.first) <= halfSize && std::abs(y - centre.second) <= halfSize);
            count += (inside && Brightness(after.pixelColor(x, y)) > Brightness(before.pixelColor(x, y)) + 6) ? 1 : 0;
        }
    }
    return count;
}

TEST_F(EditorTest, LightPanelSwitchesThePointLightOnAndTheNextFrameShowsItsMarkerAndItsLight)
{
    EditorDriver& e = *m_editor;
    ASSERT_TRUE(e.Tick());
    const QImage bigBefore = e.BigViewImage();
    const QImage smallBefore = e.SmallViewImage();

    e.Click(IDC_LIGHTS);
    LightControl& panel = e.Dialog().LightPanel();
    ASSERT_TRUE(panel.IsWindowVisible());
    ClickIn(panel, IDC_LIGHT_ON);
    ClickIn(panel, IDC_LIGHT_DRAW);
    for (const int id : {IDC_LIGHT_RED, IDC_LIGHT_GREEN, IDC_LIGHT_BLUE}) {
        static_cast<QSlider*>(WidgetOfWindow(::GetDlgItem(panel.m_hWnd, id)))->setValue(100000);
    }
    const TQRD3D_PointLight& light = e.World().GetPointLight();
    ASSERT_TRUE(light.IsOn() && light.IsDrawLight());
    EXPECT_EQ(light.GetDiffuse(), TQR_Color(255, 255, 255, 255));
    EXPECT_EQ(e.BigViewImage(), bigBefore) << "nothing is drawn between ticks";

    ASSERT_TRUE(e.Tick());
    const QImage bigAfter = e.BigViewImage();
    const QImage smallAfter = e.SmallViewImage();
    QDir().mkpath(RELIEF_TEST_OUTPUT_DIR);
    bigAfter.save(RELIEF_TEST_OUTPUT_DIR "/panels_light_big_after.png");
    smallAfter.save(RELIEF_TEST_OUTPUT_DIR "/panels_light_small_after.png");

    // The small view looks down on the marker; the big view's camera does not reach that high.
    const auto marker = ProjectToImage(SmallViewCamera(), smallAfter.width(), smallAfter.height(), light.GetPosition());
    EXPECT_GT(BrighterPixels(smallBefore, smallAfter, marker, 8), 10) << "the marker";
    // The airplane, lit from above, brightens in the big view; the unlit floor does not.
    const auto plane = ProjectToImage(BigViewCamera(), bigAfter.width(), bigAfter.height(), {-2, 6, -2});
    const int brighterOnPlane = BrighterPixels(bigBefore, bigAfter, plane, 30);
    EXPECT_GT(brighterOnPlane, 20) << "the airplane";
    EXPECT_EQ(BrighterPixels(bigBefore, bigAfter, plane, -1), brighterOnPlane);
}

TEST_F(EditorTest, ButtonsOpenOneToolWindowEachAndTheSceneTreeEditsTheLiveWorld)
{
    EditorDriver& e = *m_editor;
    e.Click(IDC_LIGHTS);
    LightControl& lights = e.Dialog().LightPanel();
    const HWND lightWindow = lights.m_hWnd;
    lights.ShowWindow(SW_HIDE);
    e.Click(IDC_LIGHTS);
    EXPECT_EQ(lights.m_hWnd, lightWindow) << "a second click shows the same window again";
    EXPECT_TRUE(lights.IsWindowVisible());

    e.Click(IDC_SCENE);
    CSceneTreeWindow& scene = e.Dialog().SceneWindow();
    ASSERT_TRUE(scene.IsWindowVisible());
    auto& tree = *static_cast<CTreeCtrl*>(scene.GetPanel().GetDlgItem(IDC_SCENE_TREE));
    tree.SelectItem(tree.GetChildItem(tree.GetRootItem()));
    ClickIn(scene.GetPanel().GetPrimitivePanel(), IDC_PRIM_VISIBILITY);
    EXPECT_FALSE(e.World().GetFloorMesh().IsVisible());
}

} // namespace
