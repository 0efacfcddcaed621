// View > Shading, View > Overlays and the sun and overlay panel: the switches and fields reach
// the floor and survive a restart, the water level tells its listeners, and stored nonsense
// loads as sane values.
#include "editor_fixture.h"

#include <QDoubleSpinBox>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

using ReliefSettingsTest = EditorTest;

TEST_F(ReliefSettingsTest, SwitchesAndPanelReachTheFloorAndSurviveARestart)
{
    const TerrainReliefStyle& floor = m_editor->World().GetFloorMesh().GetReliefStyle();
    EXPECT_EQ(floor, TerrainReliefStyle{}) << "unlit, no overlays at first";
    for (const EditorAction action : {EditorAction::Shading, EditorAction::SlopeOverlay, EditorAction::ContourOverlay,
                                      EditorAction::WaterOverlay, EditorAction::SlopeOverlay}) {
        m_editor->Trigger(action);
    }
    m_editor->Trigger(EditorAction::SunPanel);
    QWidget* panel = m_editor->Window().ReliefPanel();
    ASSERT_TRUE(panel != nullptr && panel->isVisible());
    std::vector<float> heard;
    CReliefSettings& relief = m_editor->Window().Relief();
    relief.AddChangeListener([&] { heard.push_back(relief.WaterLevel()); });
    panel->findChild<QSlider*>("sunAzimuth")->setValue(120);
    panel->findChild<QDoubleSpinBox*>("contourInterval")->setValue(2.5);
    panel->findChild<QDoubleSpinBox*>("waterLevel")->setValue(-1.5);
    relief.SetWaterLevel(-1.5f);
    EXPECT_EQ(heard, (std::vector<float>{0.0f, 0.0f, -1.5f})) << "one call per change, none for no change";
    relief.SetWaterLevel(4.25f);
    EXPECT_DOUBLE_EQ(panel->findChild<QDoubleSpinBox*>("waterLevel")->value(), 4.25) << "the panel follows";

    TerrainReliefStyle expected;
    expected.shading = expected.contours = expected.water = true;
    expected.sunAzimuth = 120.0f;
    expected.contourInterval = 2.5f;
    expected.waterLevel = 4.25f;
    EXPECT_EQ(floor, expected);
    // The next start reads the settings, not what the floor still holds.
    m_editor->World().GetFloorMesh().SetReliefStyle({});
    m_editor->Reopen();
    EXPECT_EQ(m_editor->World().GetFloorMesh().GetReliefStyle(), expected);
    EXPECT_TRUE(m_editor->Window().Action(EditorAction::Shading)->isChecked());
    EXPECT_FALSE(m_editor->Window().Action(EditorAction::SlopeOverlay)->isChecked());

    m_editor->Settings().setValue("relief/sunAzimuth", "north");
    m_editor->Settings().setValue("relief/contourInterval", 0);
    m_editor->Settings().setValue("relief/sunElevation", 400);
    expected.sunAzimuth = TerrainReliefStyle{}.sunAzimuth;
    expected.contourInterval = TerrainReliefStyle::kMinContourInterval;
    expected.sunElevation = TerrainReliefStyle::kMaxSunElevation;
    EXPECT_EQ(LoadReliefStyle(m_editor->Settings()), expected);
}

} // namespace
