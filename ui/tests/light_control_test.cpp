// The light panel on the world's three lights, driven through its radio buttons, check boxes
// and sliders.
#include <gtest/gtest.h>

#include "ui/light_control.h"
#include "ui/panel_ids.h"
#include "ui/tests/panel_test_support.h"
#include "ui/tests/world_fixture.h"

namespace {

class LightPanel : public LightControl {
public:
    TQRMFC_SliderCtrlWithEcho& Slider(int id) { return *static_cast<TQRMFC_SliderCtrlWithEcho*>(GetDlgItem(id)); }
};

class LightControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_panel.Create(IDD_LIGHT_CONTROL, &m_host.Window()));
        m_panel.ShowWindow(SW_SHOW);
    }

    CTerrainWorld& World() { return m_world.GetWorld(); }
    float Value(int id) { return m_panel.Slider(id).GetValue(); }

    void ExpectSliders(std::initializer_list<std::pair<int, float>> expected) {
        for (const auto& [id, value] : expected) {
            EXPECT_NEAR(Value(id), value, kSliderStep) << "slider " << id;
        }
    }

    PanelHost m_host;
    RegisteredWorld m_world;
    LightPanel m_panel;
};

TEST_F(LightControlTest, StartsOnThePointLightShowingItsDiffuseColourAndPosition) {
    EXPECT_EQ(m_panel.GetCheckedRadioButton(IDC_LIGHT_POINT, IDC_LIGHT_SPOT), IDC_LIGHT_POINT);
    EXPECT_EQ(m_panel.GetCheckedRadioButton(IDC_LIGHT_POSITION_MODE, IDC_LIGHT_DIRECTION_MODE), IDC_LIGHT_POSITION_MODE);
    EXPECT_EQ(m_panel.GetCheckedRadioButton(IDC_LIGHT_DIFFUSE, IDC_LIGHT_AMBIENT), IDC_LIGHT_DIFFUSE);
    ExpectSliders({{IDC_LIGHT_RED, 0.2f}, {IDC_LIGHT_GREEN, 0.2f}, {IDC_LIGHT_BLUE, 0.2f}, {IDC_LIGHT_ALPHA, 1.0f},
                   {IDC_LIGHT_X, 2.0f}, {IDC_LIGHT_Y, 12.0f}, {IDC_LIGHT_Z, 2.0f}});
    EXPECT_EQ(EchoOf(m_panel.Slider(IDC_LIGHT_THETA)), L" 45.00");
    EXPECT_EQ(EchoOf(m_panel.Slider(IDC_LIGHT_PHI)), L" 60.00");

    ClickControl(m_panel, IDC_LIGHT_SPOT);
    ExpectSliders({{IDC_LIGHT_RED, 0.2f}, {IDC_LIGHT_GREEN, 0.2f}, {IDC_LIGHT_BLUE, 128 / 255.0f}, {IDC_LIGHT_X, -2.0f}});
}

TEST_F(LightControlTest, ComponentOutsideTheRangeLeavesItsSliderOnRefresh) {
    World().GetSpotLight().SetPosition(5, 30, -1);
    ClickControl(m_panel, IDC_LIGHT_SPOT);
    ExpectSliders({{IDC_LIGHT_X, 5.0f}, {IDC_LIGHT_Y, 12.0f}, {IDC_LIGHT_Z, -1.0f}});
    EXPECT_EQ(EchoOf(m_panel.Slider(IDC_LIGHT_Y)), L" 12.00");
}

TEST_F(LightControlTest, ConeAnglesAreShownInDegreesAndStoredInRadians) {
    World().GetPointLight().SetPhi(1.0471976f);
    ClickControl(m_panel, IDC_LIGHT_POINT);
    EXPECT_EQ(EchoOf(m_panel.Slider(IDC_LIGHT_PHI)), L" 60.00");

    MoveSliderTo(m_panel.Slider(IDC_LIGHT_THETA), 90);
    MoveSliderTo(m_panel.Slider(IDC_LIGHT_THETA), 45);
    EXPECT_FLOAT_EQ(World().GetPointLight().GetTheta(), 0.7853982f);
    EXPECT_FLOAT_EQ(World().GetPointLight().GetPhi(), 1.0471976f);
}

TEST_F(LightControlTest, DirectionModeWritesTheNormalisedDirectionAndKeepsAZeroVector) {
    TQRD3D_Light& light = World().GetPointLight();
    light.SetDirection({0, 0, 0});
    ClickControl(m_panel, IDC_LIGHT_DIRECTION_MODE);
    MoveSliderTo(m_panel.Slider(IDC_LIGHT_X), 0);
    EXPECT_EQ(light.GetDirection(), (TQR_Vector3{0, 0, 0}));
    EXPECT_EQ(light.GetPosition(), (TQR_Vector3{2, 12, 2})) << "direction mode leaves the position";

    MoveSliderTo(m_panel.Slider(IDC_LIGHT_X), 3);
    MoveSliderTo(m_panel.Slider(IDC_LIGHT_Z), 4);
    const TQR_Vector3 direction = light.GetDirection();
    EXPECT_NEAR(direction.x, 0.6f, 1e-4f);
    EXPECT_NEAR(direction.y, 0.0f, 1e-4f);
    EXPECT_NEAR(direction.z, 0.8f, 1e-4f);
    EXPECT_NEAR(Value(IDC_LIGHT_X), 3.0f, kSliderStep) << "the sliders keep the raw values";
}

TEST_F(LightControlTest, AnySliderRewritesTheWholeLightFromTheControls) {
    TQRD3D_Light& light = World().GetPointLight();
    light.SetPosition(1, 1, 1);
    light.SetFalloff(7);
    light.SetTheta(0.1f);
    light.SwitchOn();
    light.EnableDrawLight();
    light.SetSpecular(TQR_Color(1.0f, 1.0f, 1.0f, 1.0f));

    MoveSliderTo(m_panel.Slider(IDC_LIGHT_RED), 0.5f);
    EXPECT_EQ(light.GetLight().Diffuse.r, 128 / 255.0f) << "0.5 is stored as 128 / 255";
    EXPECT_EQ(light.GetDiffuse(), TQR_Color(128, 51, 51, 255));
    EXPECT_EQ(light.GetPosition(), (TQR_Vector3{2, 12, 2}));
    EXPECT_NEAR(light.GetFalloff(), 1.0f, kSliderStep);
    EXPECT_NEAR(light.GetTheta(), 0.7853982f, 1e-5f);
    EXPECT_FALSE(light.IsOn()) << "the check boxes are unchecked";
    EXPECT_FALSE(light.IsDrawLight());
    EXPECT_EQ(light.GetSpecular(), TQR_Color(255, 255, 255, 255)) << "only the shown colour is written";
}

TEST_F(LightControlTest, ColourRadioButtonsChooseWhichColourTheSlidersEdit) {
    struct Case {
        int id;
        TQR_Color (TQRD3D_Light::*get)() const;
    };
    TQRD3D_Light& light = World().GetDirectionalLight();
    ClickControl(m_panel, IDC_LIGHT_DIRECTIONAL);
    for (const Case& c : {Case{IDC_LIGHT_SPECULAR, &TQRD3D_Light::GetSpecular}, Case{IDC_LIGHT_AMBIENT, &TQRD3D_Light::GetAmbient},
                          Case{IDC_LIGHT_DIFFUSE, &TQRD3D_Light::GetDiffuse}}) {
        SCOPED_TRACE(c.id);
        ClickControl(m_panel, c.id);
        EXPECT_NEAR(Value(IDC_LIGHT_GREEN), (light.*c.get)().GetGreen(), kSliderStep);
        MoveSliderTo(m_panel.Slider(IDC_LIGHT_GREEN), 0.75f);
        EXPECT_EQ((light.*c.get)().GetGreenByte(), 191);
    }
    EXPECT_EQ(World().GetPointLight().GetDiffuse(), TQR_Color(0.2f, 0.2f, 0.2f, 1.0f)) << "other lights untouched";
}

TEST_F(LightControlTest, CheckBoxesSwitchTheSelectedLightAndItsMarker) {
    ClickControl(m_panel, IDC_LIGHT_ON);
    ClickControl(m_panel, IDC_LIGHT_DRAW);
    EXPECT_TRUE(World().GetPointLight().IsOn());
    EXPECT_TRUE(World().GetPointLight().IsDrawLight());

    ClickControl(m_panel, IDC_LIGHT_SPOT);
    EXPECT_EQ(m_panel.IsDlgButtonChecked(IDC_LIGHT_ON), 0u) << "the spot light is still off";
    ClickControl(m_panel, IDC_LIGHT_ON);
    EXPECT_TRUE(World().GetSpotLight().IsOn());
    EXPECT_FALSE(World().GetSpotLight().IsDrawLight());
    EXPECT_FALSE(World().GetDirectionalLight().IsOn());
}

TEST(LightControlWithoutWorldTest, SelectsNothingUntilAWorldIsThereAndThenTheChosenLight) {
    PanelHost host;
    LightPanel panel;
    ASSERT_TRUE(panel.Create(IDD_LIGHT_CONTROL, &host.Window()));
    MoveSliderTo(panel.Slider(IDC_LIGHT_X), 5);
    ClickControl(panel, IDC_LIGHT_ON);
    EXPECT_NEAR(panel.Slider(IDC_LIGHT_X).GetValue(), 5.0f, kSliderStep);

    RegisteredWorld world;
    ClickControl(panel, IDC_LIGHT_POINT);
    EXPECT_NEAR(panel.Slider(IDC_LIGHT_Y).GetValue(), 12.0f, kSliderStep);
    EXPECT_EQ(panel.IsDlgButtonChecked(IDC_LIGHT_ON), 0u);
    MoveSliderTo(panel.Slider(IDC_LIGHT_X), -3);
    EXPECT_EQ(world.GetWorld().GetPointLight().GetPosition(), (TQR_Vector3{-3, 12, 2}));
}

}  // namespace
