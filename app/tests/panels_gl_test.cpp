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
#include <string>

namespace {

void ClickIn(const CWnd& window, int id)
{
    QWidget* control = WidgetOfWindow(::GetDlgItem(window.m_hWnd, id));
    ASSERT_NE(control, nullptr) << "no control " << id;
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
}

// Drags a slider of the 0..1 colour range to the value, as the user would.
void DragColourSlider(const CWnd& window, int id, float value)
{
    auto* slider = static_cast<QSlider*>(WidgetOfWindow(::GetDlgItem(window.m_hWnd, id)));
    ASSERT_NE(slider, nullptr) << "no slider " << id;
    slider->setValue(static_cast<int>(value * 100000.0f + 0.5f));
}

int Brightness(QColor c) { return c.red() + c.green() + c.blue(); }

// Pixels that became brighter by more than a step of the light's contribution, within the
// square of that half size around the centre, or anywhere when the half size is negative.
int BrighterPixels(const QImage& before, const QImage& after, int centreX, int centreY, int halfSize)
{
    int count = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            const bool inside = halfSize < 0 || (std::abs(x - centreX) <= halfSize && std::abs(y - centreY) <= halfSize);
            count += (inside && Brightness(after.pixelColor(x, y)) > Brightness(before.pixelColor(x, y)) + 6) ? 1 : 0;
        }
    }
    return count;
}

void SaveForLooking(const QImage& image, const std::string& name)
{
    QDir().mkpath(RELIEF_TEST_OUTPUT_DIR);
    image.save(QString::fromStdString(std::string(RELIEF_TEST_OUTPUT_DIR) + "/" + name));
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
        DragColourSlider(panel, id, 1.0f);
    }
    const TQRD3D_PointLight& light = e.World().GetPointLight();
    ASSERT_TRUE(light.IsOn());
    ASSERT_TRUE(light.IsDrawLight());
    EXPECT_EQ(light.GetDiffuse(), TQR_Color(255, 255, 255, 255));
    EXPECT_EQ(e.BigViewImage(), bigBefore) << "nothing is drawn between ticks";

    ASSERT_TRUE(e.Tick());
    const QImage bigAfter = e.BigViewImage();
    const QImage smallAfter = e.SmallViewImage();
    SaveForLooking(bigBefore, "panels_light_big_before.png");
    SaveForLooking(bigAfter, "panels_light_big_after.png");
    SaveForLooking(smallBefore, "panels_light_small_before.png");
    SaveForLooking(smallAfter, "panels_light_small_after.png");

    // The small view looks down on the marker where the light is; the big view's camera does
    // not reach that high.
    const auto [markerX, markerY] =
        ProjectToImage(SmallViewCamera(), smallAfter.width(), smallAfter.height(), light.GetPosition());
    EXPECT_GT(BrighterPixels(smallBefore, smallAfter, markerX, markerY, 8), 10)
        << "the marker at (" << markerX << ", " << markerY << ")";
    // The airplane, lit from above, brightens in the big view.
    const auto [planeX, planeY] = ProjectToImage(BigViewCamera(), bigAfter.width(), bigAfter.height(), {-2, 6, -2});
    const int brighterOnPlane = BrighterPixels(bigBefore, bigAfter, planeX, planeY, 30);
    EXPECT_GT(brighterOnPlane, 20) << "the airplane at (" << planeX << ", " << planeY << ")";
    EXPECT_EQ(BrighterPixels(bigBefore, bigAfter, 0, 0, -1), brighterOnPlane) << "the unlit floor stays as it was";
}

TEST_F(EditorTest, SecondClickBringsTheOpenToolWindowBackInsteadOfANewOne)
{
    EditorDriver& e = *m_editor;
    e.Click(IDC_LIGHTS);
    LightControl& lights = e.Dialog().LightPanel();
    const HWND lightWindow = lights.m_hWnd;
    lights.ShowWindow(SW_HIDE);
    e.Click(IDC_LIGHTS);
    EXPECT_EQ(lights.m_hWnd, lightWindow);
    EXPECT_TRUE(lights.IsWindowVisible());

    e.Click(IDC_SCENE);
    CSceneTreeWindow& scene = e.Dialog().SceneWindow();
    ASSERT_TRUE(scene.IsWindowVisible());
    EXPECT_EQ(GetWindowTextString(scene.m_hWnd), L"Scene");
    const HWND sceneWindow = scene.m_hWnd;
    e.Click(IDC_SCENE);
    EXPECT_EQ(scene.m_hWnd, sceneWindow);

    // The tree's first pick goes to the live world: hiding the floor through the embedded panel.
    CPrimitiveControl& primitives = scene.GetPanel().GetPrimitivePanel();
    auto& tree = *static_cast<CTreeCtrl*>(scene.GetPanel().GetDlgItem(IDC_SCENE_TREE));
    tree.SelectItem(tree.GetChildItem(tree.GetRootItem()));
    ASSERT_TRUE(primitives.IsWindowVisible());
    ClickIn(primitives, IDC_PRIM_VISIBILITY);
    EXPECT_FALSE(e.World().GetFloorMesh().IsVisible());
}

}  // namespace
