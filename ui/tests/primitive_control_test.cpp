// The primitive panel driven through its check boxes, channel radio buttons, sliders and the
// file dialog.
#include <array>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "graphics/graphics_system.h"
#include "graphics/testing/device_fixture.h"
#include "platform/d3dx9/testing/image_samples.h"
#include "platform/win/dialog_service.h"
#include "ui/panel_ids.h"
#include "ui/primitive_control.h"
#include "ui/tests/panel_test_support.h"

namespace {

// Every colour the panel can edit: flat, second, emissive, ambient, diffuse, specular.
enum Slot { kFlat, kSecond, kEmissive, kAmbient, kDiffuse, kSpecular };

std::array<TQR_Color, 6> AllColours(const TQR_Primitive& p)
{
    const TQR_Material m = p.GetMaterial();
    return {p.GetFlatColor(), p.GetSecondColor(), m.m_emissive, m.m_ambient, m.m_diffuse, m.m_specular};
}

class PrimitiveControlTest : public PanelTest<CPrimitiveControl, IDD_PRIMITIVE_CONTROL> {
protected:
    PrimitiveControlTest() { PaintDistinctColours(); }

    // A write to the wrong colour shows when each starts different.
    void PaintDistinctColours()
    {
        m_primitive.SetFlatColor(TQR_Color(10, 20, 30, 40));
        m_primitive.SetSecondColor(TQR_Color(50, 60, 70, 80));
        TQR_Material material;
        material.m_emissive = TQR_Color(90, 100, 110, 120);
        material.m_ambient = TQR_Color(130, 140, 150, 160);
        material.m_diffuse = TQR_Color(170, 180, 190, 200);
        material.m_specular = TQR_Color(210, 220, 230, 240);
        m_primitive.SetMaterial(material);
    }

    PlainPrimitive m_primitive;
};

TEST_F(PrimitiveControlTest, EachChannelEditsTheColourOfTheLightingStateAlone)
{
    struct Case {
        int channel;
        bool lighting;
        Slot slot;
    };
    for (const Case& c : {Case{IDC_PRIM_EMISSIVE_C1, true, kEmissive}, Case{IDC_PRIM_EMISSIVE_C1, false, kFlat},
                          Case{IDC_PRIM_AMBIENT_C2, true, kAmbient}, Case{IDC_PRIM_AMBIENT_C2, false, kSecond},
                          Case{IDC_PRIM_DIFFUSE, false, kDiffuse}, Case{IDC_PRIM_SPECULAR, false, kSpecular}}) {
        SCOPED_TRACE(testing::Message() << "channel " << c.channel << (c.lighting ? " lit" : " unlit"));
        PaintDistinctColours();
        m_primitive.SetLighting(c.lighting);
        m_panel.SetPrimitive(&m_primitive);
        ClickControl(m_panel, c.channel);
        std::array<TQR_Color, 6> expected = AllColours(m_primitive);
        const TQR_Color shown = expected[c.slot];
        EXPECT_NEAR(Slider(IDC_PRIM_GREEN).GetValue(), shown.GetGreen(), kSliderStep);
        EXPECT_NEAR(Slider(IDC_PRIM_ALPHA).GetValue(), shown.GetAlpha(), kSliderStep);

        MoveSliderTo(Slider(IDC_PRIM_RED), 0.5f);
        expected[c.slot] = TQR_Color(128, shown.GetGreenByte(), shown.GetBlueByte(), shown.GetAlphaByte());
        EXPECT_TRUE(AllColours(m_primitive) == expected) << "0.5 is stored as 128, in that colour alone";
    }
}

TEST_F(PrimitiveControlTest, PowerModeUsesTheAlphaSliderFrom0To200)
{
    m_panel.SetPrimitive(&m_primitive);
    ClickControl(m_panel, IDC_PRIM_POWER);
    EXPECT_FALSE(IsControlEnabled(m_panel, IDC_PRIM_RED));
    EXPECT_FALSE(IsControlEnabled(m_panel, IDC_PRIM_BLUE));
    EXPECT_NEAR(Slider(IDC_PRIM_ALPHA).GetValue(), 1.0f, kSliderStep) << "the default power";
    const auto colours = AllColours(m_primitive);
    MoveSliderTo(Slider(IDC_PRIM_ALPHA), 150.0f);
    EXPECT_FLOAT_EQ(m_primitive.GetMaterial().m_power, 150.0f);
    EXPECT_TRUE(AllColours(m_primitive) == colours);

    ClickControl(m_panel, IDC_PRIM_DIFFUSE);
    EXPECT_TRUE(IsControlEnabled(m_panel, IDC_PRIM_RED));
    EXPECT_FALSE(Slider(IDC_PRIM_ALPHA).SetValue(1.5f)) << "back to 0..1";

    TQR_Material shiny = m_primitive.GetMaterial();
    shiny.m_power = 250.0f;
    m_primitive.SetMaterial(shiny);
    ClickControl(m_panel, IDC_PRIM_POWER);
    EXPECT_NEAR(Slider(IDC_PRIM_ALPHA).GetValue(), 10.0f, kSliderStep) << "beyond 200: where power mode starts";
}

TEST_F(PrimitiveControlTest, CheckBoxesShowAndSwitchTheAttributes)
{
    m_primitive.SetFillMode(TQR_FillMode::Wireframe);
    m_primitive.SetBlending(true);
    m_primitive.SetShowBoundingVolume(true);
    m_primitive.SetTexturing(true);
    m_primitive.SetLighting(false);
    m_panel.SetPrimitive(&m_primitive);
    for (const int id : {IDC_PRIM_WIREFRAME, IDC_PRIM_SHADING, IDC_PRIM_BLENDING, IDC_PRIM_BOUND_VOL, IDC_PRIM_TEXTURE,
                         IDC_PRIM_VISIBILITY}) {
        EXPECT_EQ(m_panel.IsDlgButtonChecked(id), static_cast<UINT>(BST_CHECKED)) << id;
        ClickControl(m_panel, id);
    }
    EXPECT_EQ(m_primitive.GetFillMode(), TQR_FillMode::Solid) << "unchecking wire frame means solid, not points";
    EXPECT_EQ(m_primitive.GetShadeMode(), TQR_ShadeMode::Flat);
    EXPECT_FALSE(m_primitive.IsBlending() || m_primitive.IsShowBoundingVolume() || m_primitive.IsTexturing() ||
                 m_primitive.IsVisible());

    EXPECT_NEAR(Slider(IDC_PRIM_RED).GetValue(), m_primitive.GetFlatColor().GetRed(), kSliderStep);
    ClickControl(m_panel, IDC_PRIM_LIGHTING);
    EXPECT_TRUE(m_primitive.IsLighting());
    EXPECT_NEAR(Slider(IDC_PRIM_RED).GetValue(), m_primitive.GetMaterial().m_emissive.GetRed(), kSliderStep)
        << "lighting on: the same sliders show the emissive colour";
}

TEST_F(PrimitiveControlTest, BrowseShowsTheFileNameAndARefreshTheFullPath)
{
    ScriptedDialogService dialogs;
    m_panel.SetPrimitive(&m_primitive);
    EXPECT_TRUE(m_panel.IsWindowVisible());
    ClickControl(m_panel, IDC_PRIM_BROWSE);
    EXPECT_STREQ(m_primitive.GetTextureFileName(), L"") << "cancelling changes nothing";

    dialogs.QueueFileAnswer({true, L"/home/user/textures/grass.png"});
    ClickControl(m_panel, IDC_PRIM_BROWSE);
    ASSERT_EQ(dialogs.FileDialogs().size(), 2u);
    EXPECT_TRUE(dialogs.FileDialogs()[1].open);
    EXPECT_EQ(ControlText(m_panel, IDC_PRIM_TEXTURE_LABEL), L"grass.png");
    EXPECT_STREQ(m_primitive.GetTextureFileName(), L"/home/user/textures/grass.png");
    m_panel.RefreshFromPrimitive();
    EXPECT_EQ(ControlText(m_panel, IDC_PRIM_TEXTURE_LABEL), L"/home/user/textures/grass.png");

    m_panel.SetPrimitive(nullptr);
    EXPECT_FALSE(m_panel.IsWindowVisible());
}

// The graphics system on the recording device, in a scratch working folder, while it lives.
class RecordingGraphics {
public:
    RecordingGraphics()
    {
        GetGraphicsSystem()->SetDirect3DFactory([this](UINT) -> IDirect3D9* {
            m_d3d.AddRef();
            return &m_d3d;
        });
        GetGraphicsSystem()->CreateGraphicsContext(reinterpret_cast<HWND>(0x100));
    }
    ~RecordingGraphics()
    {
        GetGraphicsSystem()->ReleaseResources();
        GetGraphicsSystem()->SetDirect3DFactory(nullptr);
    }

private:
    ScopedWorkingFolder m_folder;
    RecordingDirect3D m_d3d;
};

TEST_F(PrimitiveControlTest, BrowseReadsTheFileAgainAndReleasesTexturesNoLongerNamed)
{
    RecordingGraphics graphics;
    ScriptedDialogService dialogs;
    m_panel.SetPrimitive(&World().GetFloorMesh());
    World().EnableFloorTexture(true);
    const auto browse = [&](const std::wstring& name, int red, int blue) {
        std::ofstream(std::filesystem::path(name), std::ios::binary) << image_samples::OneColourPpm(red, 0, blue);
        dialogs.QueueFileAnswer({true, name});
        ClickControl(m_panel, IDC_PRIM_BROWSE);
        World().Draw();
    };
    browse(L"a.ppm", 255, 0);
    browse(L"b.ppm", 255, 0);
    const TQR_PointerArray<TQRD3D_TextureResource*>& textures = GetGraphicsSystem()->GetTextures();
    ASSERT_EQ(textures.Count(), 1);
    EXPECT_EQ(textures.Get(0)->GetFileName(), L"b.ppm");
    browse(L"b.ppm", 0, 255);
    ASSERT_EQ(textures.Count(), 1);
    EXPECT_EQ(static_cast<const RecordingTexture*>(textures.Get(0)->GetTexture())->Texel(0, 0), 0xFF0000FFu);
}

} // namespace
