// The device's recorded state: validation, lights and change flags, without OpenGL.
#include "platform/d3d9/internal/device_state.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceStateTest, InvalidRenderStateValuesAreRejectedAndTheOldValueKept)
{
    DeviceState state(true);
    struct Case {
        D3DRENDERSTATETYPE state;
        DWORD valid;
        DWORD invalid;
    };
    const Case cases[] = {
        {D3DRS_ZENABLE, D3DZB_FALSE, 2},
        {D3DRS_FILLMODE, D3DFILL_WIREFRAME, 0},
        {D3DRS_SHADEMODE, D3DSHADE_FLAT, 3},
        {D3DRS_CULLMODE, D3DCULL_NONE, 4},
        {D3DRS_ZFUNC, D3DCMP_ALWAYS, 9},
        {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA, 0},
        {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA, 17},
        {D3DRS_BLENDOP, D3DBLENDOP_MAX, 6},
        {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "render state " << c.state);
        EXPECT_EQ(state.SetRenderState(c.state, c.valid), D3D_OK);
        EXPECT_EQ(state.SetRenderState(c.state, c.invalid), D3DERR_INVALIDCALL);
        EXPECT_EQ(state.RenderState(c.state), c.valid);
    }
    DWORD value = 0;
    EXPECT_EQ(state.SetRenderState(static_cast<D3DRENDERSTATETYPE>(60), 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(state.GetRenderState(static_cast<D3DRENDERSTATETYPE>(60), &value), D3DERR_INVALIDCALL);
    EXPECT_EQ(state.GetRenderState(static_cast<D3DRENDERSTATETYPE>(1000), &value), D3DERR_INVALIDCALL);
    EXPECT_EQ(state.GetRenderState(D3DRS_LIGHTING, nullptr), D3DERR_INVALIDCALL);
}

TEST(DeviceStateTest, ChangeFlagsReportEachChangeOnce)
{
    DeviceState state(true);
    state.TakeTransformsChanged();
    state.TakeLightsChanged();
    state.TakeMaterialChanged();
    const D3DMATRIX matrix{};
    state.SetTransform(D3DTS_WORLD, &matrix);
    EXPECT_TRUE(state.TakeTransformsChanged());
    EXPECT_FALSE(state.TakeTransformsChanged());
    EXPECT_FALSE(state.TakeLightsChanged());
    // Lights reach OpenGL through the view, so a new view re-specifies them.
    state.SetTransform(D3DTS_VIEW, &matrix);
    EXPECT_TRUE(state.TakeLightsChanged());
    const D3DMATERIAL9 material;
    state.SetMaterial(&material);
    EXPECT_TRUE(state.TakeMaterialChanged());
    state.MarkAllChanged();
    EXPECT_TRUE(state.TakeTransformsChanged());
    EXPECT_TRUE(state.TakeLightsChanged());
    EXPECT_TRUE(state.TakeMaterialChanged());
}

TEST(DeviceStateTest, EnablingAnUnsetLightGivesTheDefaultWhiteDirectionalLight)
{
    DeviceState state(true);
    D3DLIGHT9 light;
    BOOL enabled = TRUE;
    EXPECT_EQ(state.GetLight(5, &light), D3DERR_INVALIDCALL);
    EXPECT_EQ(state.GetLightEnable(5, &enabled), D3DERR_INVALIDCALL);
    ASSERT_EQ(state.LightEnable(5, TRUE), D3D_OK);
    ASSERT_EQ(state.GetLight(5, &light), D3D_OK);
    EXPECT_EQ(light.Type, D3DLIGHT_DIRECTIONAL);
    EXPECT_EQ(light.Diffuse.r, 1.0f);
    EXPECT_EQ(light.Direction.z, 1.0f);
    EXPECT_EQ(state.GetLightEnable(5, &enabled), D3D_OK);
    EXPECT_EQ(enabled, TRUE);
}

TEST(DeviceStateTest, LightsAreValidatedAndAtMostEightEnabled)
{
    DeviceState state(true);
    D3DLIGHT9 light;
    light.Type = static_cast<D3DLIGHTTYPE>(4);
    EXPECT_EQ(state.SetLight(0, &light), D3DERR_INVALIDCALL);
    light.Type = D3DLIGHT_SPOT;
    light.Attenuation1 = -1.0f;
    EXPECT_EQ(state.SetLight(0, &light), D3DERR_INVALIDCALL);
    EXPECT_EQ(state.SetLight(0, nullptr), D3DERR_INVALIDCALL);
    light.Attenuation1 = 0.5f;
    EXPECT_EQ(state.SetLight(0, &light), D3D_OK);

    for (DWORD index = 10; index < 10 + kMaxActiveLights; ++index) {
        ASSERT_EQ(state.LightEnable(index, TRUE), D3D_OK);
    }
    EXPECT_EQ(state.LightEnable(0, TRUE), D3DERR_INVALIDCALL);
    EXPECT_EQ(state.LightEnable(10, TRUE), D3D_OK);
    EXPECT_EQ(state.LightEnable(11, FALSE), D3D_OK);
    EXPECT_EQ(state.LightEnable(0, TRUE), D3D_OK);
    D3DLIGHT9 read;
    state.GetLight(0, &read);
    EXPECT_EQ(read.Type, D3DLIGHT_SPOT);
    EXPECT_EQ(read.Attenuation1, 0.5f);
}

TEST(DeviceStateTest, TextureStageZeroStartsModulatingAndRejectsWhatItCannotDo)
{
    DeviceState state(true);
    struct Case {
        D3DTEXTURESTAGESTATETYPE type;
        DWORD initial;
        DWORD valid;
        DWORD invalid;
    };
    const Case cases[] = {
        {D3DTSS_COLOROP, D3DTOP_MODULATE, D3DTOP_SELECTARG1, 5}, {D3DTSS_COLORARG1, D3DTA_TEXTURE, D3DTA_DIFFUSE, 3},
        {D3DTSS_COLORARG2, D3DTA_CURRENT, D3DTA_TEXTURE, 4},     {D3DTSS_ALPHAOP, D3DTOP_SELECTARG1, D3DTOP_DISABLE, 0},
        {D3DTSS_ALPHAARG1, D3DTA_TEXTURE, D3DTA_CURRENT, 0x10},  {D3DTSS_ALPHAARG2, D3DTA_CURRENT, D3DTA_DIFFUSE, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "stage state " << c.type);
        DWORD value = 0;
        ASSERT_EQ(state.GetTextureStageState(0, c.type, &value), D3D_OK);
        EXPECT_EQ(value, c.initial);
        EXPECT_EQ(state.SetTextureStageState(0, c.type, c.valid), D3D_OK);
        EXPECT_EQ(state.SetTextureStageState(0, c.type, c.invalid), D3DERR_INVALIDCALL);
        EXPECT_EQ(state.SetTextureStageState(1, c.type, c.valid), D3DERR_INVALIDCALL);
        state.GetTextureStageState(0, c.type, &value);
        EXPECT_EQ(value, c.valid);
    }
    EXPECT_EQ(state.SetTextureStageState(0, static_cast<D3DTEXTURESTAGESTATETYPE>(11), 0), D3DERR_INVALIDCALL);
}

TEST(DeviceStateTest, VertexFormatMustBeDrawableOrNone)
{
    DeviceState state(true);
    EXPECT_EQ(state.SetFVF(0x152), D3D_OK);
    EXPECT_EQ(state.SetFVF(0x004), D3DERR_INVALIDCALL);
    EXPECT_EQ(state.FVF(), 0x152u);
    EXPECT_EQ(state.SetFVF(0), D3D_OK);
    EXPECT_EQ(state.FVF(), 0u);
}

} // namespace
