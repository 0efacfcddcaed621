// The transform panel driven through its radio buttons, sliders and buttons.
#include <gtest/gtest.h>

#include "scene/scene_node.h"
#include "ui/panel_ids.h"
#include "ui/tests/panel_test_support.h"
#include "ui/xform_info_control.h"

namespace {

// Exposes the sliders by their ids, as the user sees them.
class XformPanel : public CXformInfoControl {
public:
    TQRMFC_SliderCtrlWithEcho& Slider(int id) { return *static_cast<TQRMFC_SliderCtrlWithEcho*>(GetDlgItem(id)); }
};

void ExpectSameRotation(const TQR_Quaternion& actual, const TQR_Quaternion& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
    EXPECT_NEAR(actual.w, expected.w, 1e-5f);
}

class XformInfoControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_panel.Create(IDD_XFORM_INFO_CONTROL, &m_host.Window()));
        m_panel.ShowWindow(SW_SHOW);
        m_panel.SetRanges(-10, 10, 0.1f, 3, -180, 180);
    }

    void SetNodeTransform(const TQR_XformInfo& xform) {
        m_node.SetXformInfo(xform);
        m_panel.SetSceneNode(&m_node);
    }

    float Value(int id) { return m_panel.Slider(id).GetValue(); }

    PanelHost m_host;
    XformPanel m_panel;
    TQR_SceneNode m_node{L"floor"};
};

TEST_F(XformInfoControlTest, ScaleModeReinitialisesOnlyTheComponentsInsideTheScaleRange) {
    TQR_XformInfo floor;
    floor.SetScale(15, 1, 15);
    floor.SetTranslation(4, -2, 7);
    SetNodeTransform(floor);
    ClickControl(m_panel, IDC_XFORM_SCALE);

    EXPECT_NEAR(Value(IDC_XFORM_Y), 1.0f, kSliderStep);
    EXPECT_FALSE(m_panel.Slider(IDC_XFORM_Y).SetValue(3.5f)) << "Y takes the scale range 0.1..3";
    EXPECT_NEAR(Value(IDC_XFORM_X), 4.0f, kSliderStep) << "X keeps the translation it showed";
    EXPECT_NEAR(Value(IDC_XFORM_Z), 7.0f, kSliderStep);
    EXPECT_TRUE(m_panel.Slider(IDC_XFORM_X).SetValue(-9.0f)) << "X keeps the translation range";
    EXPECT_EQ(m_node.GetXformInfo(), floor) << "showing must not change the node";
}

TEST_F(XformInfoControlTest, RotateModeAppliesOnlyTheChangeSinceThePreviousMove) {
    TQR_XformInfo turned;
    turned.RotateY(90);
    SetNodeTransform(turned);
    ClickControl(m_panel, IDC_XFORM_ROTATE);

    MoveSliderTo(m_panel.Slider(IDC_XFORM_X), 30);
    TQR_XformInfo expected = turned;
    expected.RotateX(30);
    ExpectSameRotation(m_node.GetXformInfo().GetRotation(), expected.GetRotation());

    MoveSliderTo(m_panel.Slider(IDC_XFORM_X), 45);
    expected.RotateX(15);
    ExpectSameRotation(m_node.GetXformInfo().GetRotation(), expected.GetRotation());
    EXPECT_EQ(EchoOf(m_panel.Slider(IDC_XFORM_X)), L" 45.00");

    const TQR_XformInfo rotated = m_node.GetXformInfo();
    ClickControl(m_panel, IDC_XFORM_TRANSLATE);
    ClickControl(m_panel, IDC_XFORM_ROTATE);
    for (const int id : {IDC_XFORM_X, IDC_XFORM_Y, IDC_XFORM_Z}) {
        SCOPED_TRACE(id);
        EXPECT_NEAR(Value(id), 0.0f, kSliderStep);
    }
    EXPECT_EQ(m_node.GetXformInfo(), rotated);
    MoveSliderTo(m_panel.Slider(IDC_XFORM_Z), 0.0f);
    ExpectSameRotation(m_node.GetXformInfo().GetRotation(), rotated.GetRotation());
}

TEST_F(XformInfoControlTest, TranslateAndPivotModesWriteTheirPartWithTheTranslationRange) {
    TQR_XformInfo start;
    start.SetScale(2, 2, 2);
    SetNodeTransform(start);

    MoveSliderTo(m_panel.Slider(IDC_XFORM_Y), 6);
    EXPECT_FLOAT_EQ(m_node.GetXformInfo().GetTranslation().y, 6.0f);

    ClickControl(m_panel, IDC_XFORM_PIVOT);
    EXPECT_NEAR(Value(IDC_XFORM_Y), 0.0f, kSliderStep) << "the pivot, not the translation";
    MoveSliderTo(m_panel.Slider(IDC_XFORM_X), -8);
    const TQR_XformInfo after = m_node.GetXformInfo();
    EXPECT_FLOAT_EQ(after.GetPivot().x, -8.0f) << "beyond the scale range: the translation range applies";
    EXPECT_FLOAT_EQ(after.GetTranslation().y, 6.0f);
    EXPECT_FLOAT_EQ(after.GetScale().x, 2.0f);
}

TEST_F(XformInfoControlTest, ResetGivesTheIdentityTransformAndShowsZeroTranslation) {
    TQR_XformInfo airplane;
    airplane.SetTranslation(-2, 6, -2);
    airplane.SetScale(0.2f, 0.2f, 0.2f);
    airplane.SetPivot(1, 1, 1);
    airplane.RotateZ(40);
    SetNodeTransform(airplane);

    ClickControl(m_panel, IDC_XFORM_RESET);
    EXPECT_EQ(m_node.GetXformInfo(), TQR_XformInfo{}) << "the pivot returns to the origin too";
    for (const int id : {IDC_XFORM_X, IDC_XFORM_Y, IDC_XFORM_Z}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(EchoOf(m_panel.Slider(id)), L" 0.00");
    }
}

TEST_F(XformInfoControlTest, ShowPivotSwitchesTheNodesPivotDisplayAndNothingWithoutANode) {
    ClickControl(m_panel, IDC_XFORM_SHOW_PIVOT);
    EXPECT_FALSE(m_node.IsPivotVisible());

    m_panel.SetSceneNode(&m_node);
    EXPECT_EQ(m_panel.IsDlgButtonChecked(IDC_XFORM_SHOW_PIVOT), 0u);
    ClickControl(m_panel, IDC_XFORM_SHOW_PIVOT);
    EXPECT_TRUE(m_node.IsPivotVisible());
    ClickControl(m_panel, IDC_XFORM_SHOW_PIVOT);
    EXPECT_FALSE(m_node.IsPivotVisible());
}

}  // namespace
