#include "scene/draw_helper.h"

#include <gtest/gtest.h>

#include "scene/status.h"
#include "scene/testing/recording_draw_helper.h"

namespace {

const TQR_Color kWhite(255, 255, 255, 255);

TEST(DrawHelperTest, BaseStartsWithTheDescribedAttributes)
{
    const TQR_DrawHelper helper;
    EXPECT_EQ(helper.GetLevelOfDetail(), 2);
    EXPECT_EQ(helper.GetShadeMode(), TQR_ShadeMode::Smooth);
    EXPECT_EQ(helper.GetFillMode(), TQR_FillMode::Solid);
    EXPECT_EQ(helper.GetPointSize(), 1.0f);
    EXPECT_EQ(helper.GetColor1(), kWhite);
    EXPECT_EQ(helper.GetColor2(), kWhite);
    EXPECT_EQ(helper.GetMaterial(), TQR_Material());
    EXPECT_TRUE(helper.GetTextureFileName().empty());
}

TEST(DrawHelperTest, SettersReturnThePreviousValue)
{
    TQR_DrawHelper helper;
    const TQR_Color red(255, 0, 0, 255);
    EXPECT_EQ(helper.SetColor1(red), kWhite);
    EXPECT_EQ(helper.SetColor1(kWhite), red);
    EXPECT_EQ(helper.SetColor2(red), kWhite);
    EXPECT_EQ(helper.SetPointSize(4.0f), 1.0f);
    TQR_Material shiny;
    shiny.m_power = 40.0f;
    EXPECT_EQ(helper.SetMaterial(shiny), TQR_Material());
    EXPECT_EQ(helper.GetMaterial().m_power, 40.0f);
}

TEST(DrawHelperTest, ResetAttributesKeepsModesMaterialAndTexture)
{
    TQR_RecordingDrawHelper helper;
    TQR_Material shiny;
    shiny.m_power = 40.0f;
    helper.SetShadeMode(TQR_ShadeMode::Flat);
    helper.SetFillMode(TQR_FillMode::Wireframe);
    helper.SetMaterial(shiny);
    helper.SetTextureFileName(L"grass.png");
    helper.SetPointSize(5.0f);
    helper.SetColor1(TQR_Color(1, 2, 3, 4));
    helper.SetColor2(TQR_Color(5, 6, 7, 8));
    helper.ClearCalls();

    helper.ResetAttributes();
    EXPECT_EQ(helper.CallNames(), (std::vector<std::string>{"ResetAttributes", "EnableBlending", "EnableTexture"}));
    EXPECT_EQ(helper.Calls()[1].args[0], 0.0);
    EXPECT_EQ(helper.Calls()[2].args[0], 0.0);
    EXPECT_EQ(helper.GetPointSize(), 1.0f);
    EXPECT_EQ(helper.GetColor1(), kWhite);
    EXPECT_EQ(helper.GetColor2(), kWhite);
    EXPECT_EQ(helper.GetShadeMode(), TQR_ShadeMode::Flat);
    EXPECT_EQ(helper.GetFillMode(), TQR_FillMode::Wireframe);
    EXPECT_EQ(helper.GetMaterial(), shiny);
    EXPECT_EQ(helper.GetTextureFileName(), L"grass.png");
}

TEST(RecordingDrawHelperTest, StackComposesAndRestoresTransforms)
{
    TQR_RecordingDrawHelper helper;
    helper.PushModelTransform();
    helper.SetTransformation(1, 0, 0, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0);
    helper.PushModelTransform();
    helper.SetTransformation(0, 2, 0, 3, 3, 3, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0);
    TQR_Vector3 point{1, 1, 1};
    helper.TransformPoint(point);
    // Child first (scale 3, up 2), then the parent (right 1).
    EXPECT_EQ(point, (TQR_Vector3{4, 5, 3}));
    EXPECT_EQ(helper.StackDepth(), 3);
    EXPECT_TRUE(helper.PopModelTransform());
    EXPECT_TRUE(helper.PopModelTransform());
    EXPECT_FALSE(helper.PopModelTransform());
    EXPECT_EQ(helper.ModelMatrix(), TQR_Matrix4());
}

TEST(StatusTest, ShowStatusWritesToTheInstalledSinkOnly)
{
    ShowStatus(L"nobody listens");
    std::vector<std::wstring> shown;
    SetStatusSink([&shown](const std::wstring& text) { shown.push_back(text); });
    ShowStatus(L"creating new terain");
    ShowStatus(L"");
    SetStatusSink(nullptr);
    ShowStatus(L"after removal");
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"creating new terain", L""}));
}

} // namespace
