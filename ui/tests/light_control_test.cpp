// The light panel on the world's three lights, driven through its radio buttons, check boxes
// and sliders.
#include <gtest/gtest.h>

#include "ui/light_control.h"
#include "ui/panel_ids.h"
#include "ui/tests/panel_test_support.h"

namespace {

class LightControlTest : public PanelTest<LightControl, IDD_LIGHT_CONTROL> {
protected:
    void ExpectSliders(std::initializer_list<std::pair<int, float>> expected)
    {
        for (const auto& [id, value] : expected) {
            EXPECT_NEAR(Slider(id).GetValue(), value, kSliderStep) << "slider " << id;
        }
    }

    CTerrainWorld& m_lights = World();
};

TEST_F(LightControlTest, ShowsTheChosenLightAndKeepsSlidersForValuesOutOfRange)
{
    EXPECT_EQ(m_panel.GetCheckedRadioButton(IDC_LIGHT_POINT, IDC_LIGHT_SPOT), IDC_LIGHT_POINT);
    EXPECT_EQ(m_panel.GetCheckedRadioButton(IDC_LIGHT_DIFFUSE, IDC_LIGHT_AMBIENT), IDC_LIGHT_DIFFUSE);
    ExpectSliders({{IDC_LIGHT_RED, 0.2f},
                   {IDC_LIGHT_BLUE, 0.2f},
                   {IDC_LIGHT_ALPHA, 1.0f},
                   {IDC_LIGHT_Y, 12.0f},
                   {IDC_LIGHT_THETA, 45.0f},
                   {IDC_LIGHT_PHI, 60.0f}});

    m_lights.GetSpotLight().SetPosition(5, 30, -1);
    m_lights.GetSpotLight().SetPhi(1.0471976f / 2);
    ClickControl(m_panel, IDC_LIGHT_SPOT);
    ExpectSliders({{IDC_LIGHT_BLUE, 128 / 255.0f}, {IDC_LIGHT_X, 5.0f}, {IDC_LIGHT_Y, 12.0f}, {IDC_LIGHT_PHI, 30.0f}});
}

TEST_F(LightControlTest, AnySliderRewritesTheWholeLightFromTheControls)
{
    TQRD3D_Light& light = m_lights.GetPointLight();
    light.SetPosition(1, 1, 1);
    light.SetFalloff(7);
    light.SetTheta(0.1f);
    light.SwitchOn();
    light.SetSpecular(TQR_Color(255, 255, 255, 255));

    MoveSliderTo(Slider(IDC_LIGHT_RED), 0.5f);
    EXPECT_EQ(light.GetLight().Diffuse.r, 128 / 255.0f) << "0.5 is stored as 128 / 255";
    EXPECT_EQ(light.GetDiffuse(), TQR_Color(128, 51, 51, 255));
    EXPECT_EQ(light.GetPosition(), (TQR_Vector3{2, 12, 2}));
    EXPECT_NEAR(light.GetFalloff(), 1.0f, kSliderStep);
    EXPECT_FALSE(light.IsOn()) << "the check box is unchecked";
    EXPECT_EQ(light.GetSpecular(), TQR_Color(255, 255, 255, 255)) << "only the shown colour is written";

    MoveSliderTo(Slider(IDC_LIGHT_THETA), 45);
    EXPECT_FLOAT_EQ(light.GetTheta(), 0.7853982f);
}

TEST_F(LightControlTest, DirectionModeWritesTheNormalisedDirectionAndKeepsAZeroVector)
{
    TQRD3D_Light& light = m_lights.GetPointLight();
    light.SetDirection({0, 0, 0});
    ClickControl(m_panel, IDC_LIGHT_DIRECTION_MODE);
    MoveSliderTo(Slider(IDC_LIGHT_X), 0);
    EXPECT_EQ(light.GetDirection(), (TQR_Vector3{0, 0, 0}));

    MoveSliderTo(Slider(IDC_LIGHT_X), 3);
    MoveSliderTo(Slider(IDC_LIGHT_Z), 4);
    EXPECT_NEAR(light.GetDirection().x, 0.6f, 1e-4f);
    EXPECT_NEAR(light.GetDirection().z, 0.8f, 1e-4f);
    EXPECT_NEAR(Slider(IDC_LIGHT_X).GetValue(), 3.0f, kSliderStep) << "the sliders keep the raw values";
    EXPECT_EQ(light.GetPosition(), (TQR_Vector3{2, 12, 2})) << "direction mode leaves the position";
}

TEST_F(LightControlTest, RadioButtonsAndCheckBoxesActOnTheChosenLightAndColour)
{
    ClickControl(m_panel, IDC_LIGHT_DIRECTIONAL);
    ClickControl(m_panel, IDC_LIGHT_AMBIENT);
    ExpectSliders({{IDC_LIGHT_GREEN, 26 / 255.0f}});
    MoveSliderTo(Slider(IDC_LIGHT_GREEN), 0.75f);
    EXPECT_EQ(m_lights.GetDirectionalLight().GetAmbient().GetGreenByte(), 191);
    EXPECT_EQ(m_lights.GetDirectionalLight().GetDiffuse(), TQR_Color(0.2f, 0.1f, 0.1f, 1.0f));

    ClickControl(m_panel, IDC_LIGHT_ON);
    ClickControl(m_panel, IDC_LIGHT_DRAW);
    EXPECT_TRUE(m_lights.GetDirectionalLight().IsOn() && m_lights.GetDirectionalLight().IsDrawLight());
    ClickControl(m_panel, IDC_LIGHT_SPOT);
    EXPECT_EQ(m_panel.IsDlgButtonChecked(IDC_LIGHT_ON), 0u) << "the spot light is still off";
    EXPECT_FALSE(m_lights.GetPointLight().IsOn());
}

TEST(LightControlWithoutWorldTest, SelectsNothingUntilAWorldIsThere)
{
    PanelHost host;
    LightControl panel;
    ASSERT_TRUE(panel.Create(IDD_LIGHT_CONTROL, &host.Window()));
    MoveSliderTo(SliderOf(panel, IDC_LIGHT_X), 5);
    RegisteredWorld world;
    ClickControl(panel, IDC_LIGHT_POINT);
    MoveSliderTo(SliderOf(panel, IDC_LIGHT_X), -3);
    EXPECT_EQ(world.GetWorld().GetPointLight().GetPosition(), (TQR_Vector3{-3, 12, 2}));
}

} // namespace
