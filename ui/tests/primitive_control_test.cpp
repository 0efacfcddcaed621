// The primitive panel driven through its check boxes, channel radio buttons, sliders and the
// file dialog.
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/win/dialog_service.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"
#include "scene/primitive.h"
#include "ui/panel_ids.h"
#include "ui/primitive_control.h"
#include "ui/tests/panel_test_support.h"

namespace {

class PrimitivePanel : public CPrimitiveControl {
public:
    TQRMFC_SliderCtrlWithEcho& Slider(int id) { return *static_cast<TQRMFC_SliderCtrlWithEcho*>(GetDlgItem(id)); }
};

// Every colour the panel can edit, each with its own value so that a write to the wrong one
// shows.
struct Colours {
    TQR_Color flat;
    TQR_Color second;
    TQR_Material material;

    static Colours Of(const TQR_Primitive& primitive) {
        return {primitive.GetFlatColor(), primitive.GetSecondColor(), primitive.GetMaterial()};
    }
    bool operator==(const Colours&) const = default;
};

enum class Slot { Flat, Second, Emissive, Ambient, Diffuse, Specular };

TQR_Color& ColourIn(Colours& colours, Slot slot) {
    switch (slot) {
    case Slot::Flat:
        return colours.flat;
    case Slot::Second:
        return colours.second;
    case Slot::Emissive:
        return colours.material.m_emissive;
    case Slot::Ambient:
        return colours.material.m_ambient;
    case Slot::Diffuse:
        return colours.material.m_diffuse;
    case Slot::Specular:
        break;
    }
    return colours.material.m_specular;
}

class PrimitiveControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_panel.Create(IDD_PRIMITIVE_CONTROL, &m_host.Window()));
        PaintDistinctColours();
    }

    void PaintDistinctColours() {
        m_primitive.SetFlatColor(TQR_Color(10, 20, 30, 40));
        m_primitive.SetSecondColor(TQR_Color(50, 60, 70, 80));
        TQR_Material material;
        material.m_emissive = TQR_Color(90, 100, 110, 120);
        material.m_ambient = TQR_Color(130, 140, 150, 160);
        material.m_diffuse = TQR_Color(170, 180, 190, 200);
        material.m_specular = TQR_Color(210, 220, 230, 240);
        m_primitive.SetMaterial(material);
    }

    float Value(int id) { return m_panel.Slider(id).GetValue(); }

    PanelHost m_host;
    PrimitivePanel m_panel;
    PlainPrimitive m_primitive;
};

TEST_F(PrimitiveControlTest, EachChannelEditsTheColourOfTheLightingState) {
    struct Case {
        int channel;
        bool lighting;
        Slot slot;
    };
    for (const Case& c : {Case{IDC_PRIM_EMISSIVE_C1, true, Slot::Emissive}, Case{IDC_PRIM_EMISSIVE_C1, false, Slot::Flat},
                          Case{IDC_PRIM_AMBIENT_C2, true, Slot::Ambient}, Case{IDC_PRIM_AMBIENT_C2, false, Slot::Second},
                          Case{IDC_PRIM_DIFFUSE, true, Slot::Diffuse}, Case{IDC_PRIM_DIFFUSE, false, Slot::Diffuse},
                          Case{IDC_PRIM_SPECULAR, true, Slot::Specular}, Case{IDC_PRIM_SPECULAR, false, Slot::Specular}}) {
        SCOPED_TRACE(testing::Message() << "channel " << c.channel << (c.lighting ? " lit" : " unlit"));
        m_primitive.SetLighting(c.lighting);
        m_panel.SetPrimitive(&m_primitive);
        ClickControl(m_panel, c.channel);
        Colours expected = Colours::Of(m_primitive);
        const TQR_Color shown = ColourIn(expected, c.slot);
        EXPECT_NEAR(Value(IDC_PRIM_RED), shown.GetRed(), kSliderStep);
        EXPECT_NEAR(Value(IDC_PRIM_GREEN), shown.GetGreen(), kSliderStep);
        EXPECT_NEAR(Value(IDC_PRIM_BLUE), shown.GetBlue(), kSliderStep);
        EXPECT_NEAR(Value(IDC_PRIM_ALPHA), shown.GetAlpha(), kSliderStep);

        MoveSliderTo(m_panel.Slider(IDC_PRIM_RED), 0.5f);
        ColourIn(expected, c.slot) = TQR_Color(128, shown.GetGreenByte(), shown.GetBlueByte(), shown.GetAlphaByte());
        EXPECT_TRUE(Colours::Of(m_primitive) == expected) << "0.5 is stored as 128 in that colour alone";
        PaintDistinctColours();
    }
}

TEST_F(PrimitiveControlTest, SwitchingLightingMakesTheSameSlidersShowTheEmissiveColour) {
    m_primitive.SetLighting(false);
    m_panel.SetPrimitive(&m_primitive);
    EXPECT_NEAR(Value(IDC_PRIM_RED), m_primitive.GetFlatColor().GetRed(), kSliderStep);
    ClickControl(m_panel, IDC_PRIM_LIGHTING);
    EXPECT_TRUE(m_primitive.IsLighting());
    EXPECT_NEAR(Value(IDC_PRIM_RED), m_primitive.GetMaterial().m_emissive.GetRed(), kSliderStep);
}

TEST_F(PrimitiveControlTest, PowerModeEditsThePowerOnZeroTo200AndColourModeRestoresTheRange) {
    m_panel.SetPrimitive(&m_primitive);
    ClickControl(m_panel, IDC_PRIM_POWER);
    for (const int id : {IDC_PRIM_RED, IDC_PRIM_GREEN, IDC_PRIM_BLUE}) {
        EXPECT_FALSE(IsControlEnabled(m_panel, id)) << id;
    }
    EXPECT_EQ(EchoOf(m_panel.Slider(IDC_PRIM_ALPHA)), L" 1.00") << "the default power";
    const Colours before = Colours::Of(m_primitive);
    MoveSliderTo(m_panel.Slider(IDC_PRIM_ALPHA), 150.0f);
    Colours expected = before;
    expected.material.m_power = 150.0f;
    EXPECT_TRUE(Colours::Of(m_primitive) == expected) << "only the power changes";

    ClickControl(m_panel, IDC_PRIM_DIFFUSE);
    for (const int id : {IDC_PRIM_RED, IDC_PRIM_GREEN, IDC_PRIM_BLUE}) {
        EXPECT_TRUE(IsControlEnabled(m_panel, id)) << id;
    }
    EXPECT_FALSE(m_panel.Slider(IDC_PRIM_ALPHA).SetValue(1.5f)) << "back to 0..1";
    EXPECT_NEAR(Value(IDC_PRIM_ALPHA), m_primitive.GetMaterial().m_diffuse.GetAlpha(), kSliderStep);
}

TEST_F(PrimitiveControlTest, PowerAboveTheRangeLeavesTheSliderWherePowerModeStarts) {
    TQR_Material shiny;
    shiny.m_power = 250.0f;
    m_primitive.SetMaterial(shiny);
    m_panel.SetPrimitive(&m_primitive);
    ClickControl(m_panel, IDC_PRIM_POWER);
    EXPECT_EQ(EchoOf(m_panel.Slider(IDC_PRIM_ALPHA)), L" 10.00");
    EXPECT_FLOAT_EQ(m_primitive.GetMaterial().m_power, 250.0f);
}

TEST_F(PrimitiveControlTest, CheckBoxesShowAndSwitchTheAttributes) {
    m_primitive.SetFillMode(1);
    m_primitive.SetShadeMode(1);
    m_primitive.SetBlending(true);
    m_primitive.SetShowBoundingVolume(true);
    m_primitive.SetTexturing(true);
    m_panel.SetPrimitive(&m_primitive);
    for (const int id : {IDC_PRIM_WIREFRAME, IDC_PRIM_SHADING, IDC_PRIM_BLENDING, IDC_PRIM_BOUND_VOL, IDC_PRIM_TEXTURE,
                         IDC_PRIM_VISIBILITY}) {
        EXPECT_EQ(m_panel.IsDlgButtonChecked(id), static_cast<UINT>(BST_CHECKED)) << id;
        ClickControl(m_panel, id);
    }
    EXPECT_EQ(m_primitive.GetFillMode(), 2) << "unchecking wire frame means solid, not points";
    EXPECT_EQ(m_primitive.GetShadeMode(), 0);
    EXPECT_FALSE(m_primitive.IsBlending());
    EXPECT_FALSE(m_primitive.IsShowBoundingVolume());
    EXPECT_FALSE(m_primitive.IsTexturing());
    EXPECT_FALSE(m_primitive.IsVisible());

    ClickControl(m_panel, IDC_PRIM_WIREFRAME);
    EXPECT_EQ(m_primitive.GetFillMode(), 1);
}

TEST_F(PrimitiveControlTest, BrowseShowsTheFileNameAndARefreshTheFullPath) {
    ScriptedDialogService dialogs;
    m_panel.SetPrimitive(&m_primitive);
    ClickControl(m_panel, IDC_PRIM_BROWSE);
    EXPECT_STREQ(m_primitive.GetTextureFileName(), L"") << "cancelling changes nothing";

    dialogs.QueueFileAnswer({true, L"/home/user/textures/grass.png"});
    ClickControl(m_panel, IDC_PRIM_BROWSE);
    ASSERT_EQ(dialogs.FileDialogs().size(), 2u);
    const FileDialogRequest& request = dialogs.FileDialogs()[1];
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_EQ(ControlText(m_panel, IDC_PRIM_TEXTURE_LABEL), L"grass.png");
    EXPECT_STREQ(m_primitive.GetTextureFileName(), L"/home/user/textures/grass.png");

    m_panel.RefreshFromPrimitive();
    EXPECT_EQ(ControlText(m_panel, IDC_PRIM_TEXTURE_LABEL), L"/home/user/textures/grass.png");
}

TEST_F(PrimitiveControlTest, PanelIsShownExactlyWhileItHasAPrimitive) {
    EXPECT_FALSE(m_panel.IsWindowVisible()) << "no primitive after creation";
    m_panel.SetPrimitive(&m_primitive);
    EXPECT_TRUE(m_panel.IsWindowVisible());
    m_panel.SetPrimitive(nullptr);
    EXPECT_FALSE(m_panel.IsWindowVisible());
}

TEST_F(PrimitiveControlTest, ChannelLabelsAreDrawnInTheirColours) {
    m_panel.SetPrimitive(&m_primitive);
    struct Case {
        int id;
        int channel;  // 0 red, 1 green, 2 blue
    };
    for (const Case& c : {Case{IDC_PRIM_RED_LABEL, 0}, Case{IDC_PRIM_GREEN_LABEL, 1}, Case{IDC_PRIM_BLUE_LABEL, 2}}) {
        SCOPED_TRACE(c.id);
        const QImage image = WidgetOfWindow(::GetDlgItem(m_panel.m_hWnd, c.id))->grab().toImage();
        int saturated = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                const int channels[3] = {pixel.red(), pixel.green(), pixel.blue()};
                const bool strong = channels[c.channel] > 180;
                const bool othersWeak = channels[(c.channel + 1) % 3] < 90 && channels[(c.channel + 2) % 3] < 90;
                saturated += (strong && othersWeak) ? 1 : 0;
            }
        }
        EXPECT_GT(saturated, 3);
    }
}

}  // namespace
