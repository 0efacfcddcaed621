// The transform panel driven through its radio buttons, sliders and buttons.
#include <gtest/gtest.h>

#include "scene/scene_node.h"
#include "ui/panel_ids.h"
#include "ui/tests/panel_test_support.h"
#include "ui/xform_info_control.h"

namespace {

void ExpectSameRotation(const TQR_Quaternion& actual, const TQR_Quaternion& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
    EXPECT_NEAR(actual.w, expected.w, 1e-5f);
}

class XformInfoControlTest : public PanelTest<CXformInfoControl, IDD_XFORM_INFO_CONTROL> {
protected:
    void ShowNode(const TQR_XformInfo& xform)
    {
        m_panel.SetRanges(-10, 10, 0.1f, 3, -180, 180);
        m_node.SetXformInfo(xform);
        m_panel.SetSceneNode(&m_node);
    }

    TQR_SceneNode m_node{L"floor"};
};

TEST_F(XformInfoControlTest, ScaleModeReinitialisesOnlyTheComponentsInsideTheScaleRange)
{
    TQR_XformInfo floor;
    floor.SetScale(15, 1, 15);
    floor.SetTranslation(4, -2, 7);
    ShowNode(floor);
    ClickControl(m_panel, IDC_XFORM_SCALE);
    EXPECT_NEAR(Slider(IDC_XFORM_Y).GetValue(), 1.0f, kSliderStep);
    EXPECT_FALSE(Slider(IDC_XFORM_Y).SetValue(3.5f)) << "Y takes the scale range 0.1..3";
    EXPECT_NEAR(Slider(IDC_XFORM_X).GetValue(), 4.0f, kSliderStep) << "X keeps the translation it showed";
    EXPECT_TRUE(Slider(IDC_XFORM_X).SetValue(-9.0f)) << "and the translation range";
    EXPECT_EQ(m_node.GetXformInfo(), floor) << "showing must not change the node";
}

TEST_F(XformInfoControlTest, RotateModeAppliesOnlyTheChangeSinceThePreviousMove)
{
    TQR_XformInfo expected;
    expected.RotateY(90);
    ShowNode(expected);
    ClickControl(m_panel, IDC_XFORM_ROTATE);
    MoveSliderTo(Slider(IDC_XFORM_X), 30);
    expected.RotateX(30);
    ExpectSameRotation(m_node.GetXformInfo().GetRotation(), expected.GetRotation());
    MoveSliderTo(Slider(IDC_XFORM_X), 45);
    expected.RotateX(15);
    ExpectSameRotation(m_node.GetXformInfo().GetRotation(), expected.GetRotation());

    ClickControl(m_panel, IDC_XFORM_TRANSLATE);
    ClickControl(m_panel, IDC_XFORM_ROTATE);
    EXPECT_NEAR(Slider(IDC_XFORM_X).GetValue(), 0.0f, kSliderStep) << "rotate mode starts again at 0";
    MoveSliderTo(Slider(IDC_XFORM_Z), 0.0f);
    ExpectSameRotation(m_node.GetXformInfo().GetRotation(), expected.GetRotation());
}

TEST_F(XformInfoControlTest, PivotModeWritesThePivotWithTheTranslationRange)
{
    ShowNode({});
    MoveSliderTo(Slider(IDC_XFORM_Y), 6);
    ClickControl(m_panel, IDC_XFORM_PIVOT);
    EXPECT_NEAR(Slider(IDC_XFORM_Y).GetValue(), 0.0f, kSliderStep) << "the pivot, not the translation";
    MoveSliderTo(Slider(IDC_XFORM_X), -8);
    EXPECT_EQ(m_node.GetXformInfo().GetPivot(), (TQR_Vector3{-8, 0, 0}));
    EXPECT_NEAR(m_node.GetXformInfo().GetTranslation().y, 6.0f, kSliderStep);
}

TEST_F(XformInfoControlTest, ResetGivesTheIdentityTransformAndShowsZeroTranslation)
{
    TQR_XformInfo airplane;
    airplane.SetTranslation(-2, 6, -2);
    airplane.SetPivot(1, 1, 1);
    airplane.RotateZ(40);
    ShowNode(airplane);
    ClickControl(m_panel, IDC_XFORM_RESET);
    EXPECT_EQ(m_node.GetXformInfo(), TQR_XformInfo{}) << "the pivot returns to the origin too";
    EXPECT_NEAR(Slider(IDC_XFORM_Y).GetValue(), 0.0f, kSliderStep);
}

TEST_F(XformInfoControlTest, ShowPivotSwitchesTheNodesPivotDisplayAndNothingWithoutANode)
{
    ClickControl(m_panel, IDC_XFORM_SHOW_PIVOT);
    m_panel.SetSceneNode(&m_node);
    EXPECT_EQ(m_panel.IsDlgButtonChecked(IDC_XFORM_SHOW_PIVOT), 0u);
    ClickControl(m_panel, IDC_XFORM_SHOW_PIVOT);
    EXPECT_TRUE(m_node.IsPivotVisible());
    ClickControl(m_panel, IDC_XFORM_SHOW_PIVOT);
    EXPECT_FALSE(m_node.IsPivotVisible());
}

} // namespace
