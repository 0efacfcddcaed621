// Enumeration mappings, vertex layouts, light conversion and texture stage combiners.
#include "platform/d3d9/internal/enum_mapping.h"
#include "platform/d3d9/internal/fixed_function_pipeline.h"
#include "platform/d3d9/internal/gl_lighting.h"
#include "platform/d3d9/vertex_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

namespace {

using Mapping = std::function<std::optional<GLenum>(DWORD)>;

// Every value from 0 to 20 maps exactly as listed; all others are reported unknown.
void ExpectMapping(const char* name, const Mapping& mapping, const std::map<DWORD, GLenum>& known)
{
    for (DWORD value = 0; value <= 20; ++value) {
        SCOPED_TRACE(::testing::Message() << name << " " << value);
        const auto found = known.find(value);
        if (found == known.end()) {
            EXPECT_FALSE(mapping(value).has_value());
        } else {
            EXPECT_EQ(mapping(value), found->second);
        }
    }
}

TEST(EnumMappingTest, EveryPlatformValueMapsAndOthersAreUnknown)
{
    ExpectMapping("fill", GlPolygonMode, {{1, GL_POINT}, {2, GL_LINE}, {3, GL_FILL}});
    ExpectMapping("shade", GlShadeModel, {{1, GL_FLAT}, {2, GL_SMOOTH}});
    ExpectMapping("cull", GlCulledFace, {{1, GL_NONE}, {2, GL_FRONT}, {3, GL_BACK}});
    ExpectMapping("compare", GlCompareFunction,
                  {{1, GL_NEVER},
                   {2, GL_LESS},
                   {3, GL_EQUAL},
                   {4, GL_LEQUAL},
                   {5, GL_GREATER},
                   {6, GL_NOTEQUAL},
                   {7, GL_GEQUAL},
                   {8, GL_ALWAYS}});
    ExpectMapping("blend", GlBlendFactor,
                  {{1, GL_ZERO},
                   {2, GL_ONE},
                   {3, GL_SRC_COLOR},
                   {4, GL_ONE_MINUS_SRC_COLOR},
                   {5, GL_SRC_ALPHA},
                   {6, GL_ONE_MINUS_SRC_ALPHA},
                   {7, GL_DST_ALPHA},
                   {8, GL_ONE_MINUS_DST_ALPHA},
                   {9, GL_DST_COLOR},
                   {10, GL_ONE_MINUS_DST_COLOR}});
    ExpectMapping("blend op", GlBlendEquation,
                  {{1, GL_FUNC_ADD}, {2, GL_FUNC_SUBTRACT}, {3, GL_FUNC_REVERSE_SUBTRACT}, {4, GL_MIN}, {5, GL_MAX}});
    ExpectMapping("primitive", GlPrimitiveMode,
                  {{1, GL_POINTS},
                   {2, GL_LINES},
                   {3, GL_LINE_STRIP},
                   {4, GL_TRIANGLES},
                   {5, GL_TRIANGLE_STRIP},
                   {6, GL_TRIANGLE_FAN}});
    ExpectMapping("texture argument", GlCombineSource, {{0, GL_PRIMARY_COLOR}, {1, GL_PREVIOUS}, {2, GL_TEXTURE}});
    ExpectMapping("texture op", GlCombineFunction, {{1, GL_NONE}, {2, GL_REPLACE}, {3, GL_REPLACE}, {4, GL_MODULATE}});
}

TEST(VertexLayoutTest, PartsFollowEachOtherInFormatOrder)
{
    struct Case {
        DWORD fvf;
        UINT size;
        std::optional<UINT> normal, pointSize, diffuse, specular, texCoord0;
    };
    const Case cases[] = {
        {D3DFVF_XYZ, 12, {}, {}, {}, {}, {}},
        {0x152, 36, 12, {}, 24, {}, 28},
        {0x072, 32, 12, 24, 28, {}, {}},
        {D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | (2 << D3DFVF_TEXCOUNT_SHIFT), 36, {}, {}, 12, 16, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "format 0x" << std::hex << c.fvf);
        const auto layout = LayoutOfFvf(c.fvf);
        ASSERT_TRUE(layout.has_value());
        EXPECT_EQ(layout->size, c.size);
        EXPECT_EQ(layout->normal, c.normal);
        EXPECT_EQ(layout->pointSize, c.pointSize);
        EXPECT_EQ(layout->diffuse, c.diffuse);
        EXPECT_EQ(layout->specular, c.specular);
        EXPECT_EQ(layout->texCoord0, c.texCoord0);
    }
}

TEST(VertexLayoutTest, FormatsWithoutXyzPositionOrWithUnknownBitsAreNotDrawable)
{
    const DWORD formats[] = {0,
                             D3DFVF_NORMAL,
                             0x004,
                             D3DFVF_XYZ | 0x1000,
                             D3DFVF_XYZ | (9 << D3DFVF_TEXCOUNT_SHIFT),
                             D3DFVF_XYZ | D3DFVF_TEX1 | 0x30000};
    for (const DWORD fvf : formats) {
        SCOPED_TRACE(::testing::Message() << "format 0x" << std::hex << fvf);
        EXPECT_FALSE(LayoutOfFvf(fvf).has_value());
    }
}

TEST(LightConversionTest, LightTypesBecomeOpenGlPositionsAndCones)
{
    D3DLIGHT9 light;
    light.Position = {1.0f, 2.0f, 3.0f};
    light.Direction = {0.0f, -1.0f, 0.5f};
    light.Theta = 0.5f;
    light.Phi = 1.0f;
    light.Falloff = 1.0f;

    light.Type = D3DLIGHT_DIRECTIONAL;
    auto gl = ToGlLight(light);
    EXPECT_EQ(gl.position, (std::array<float, 4>{0.0f, 1.0f, -0.5f, 0.0f}));
    EXPECT_EQ(gl.spotCutoffDegrees, 180.0f);

    light.Type = D3DLIGHT_POINT;
    gl = ToGlLight(light);
    EXPECT_EQ(gl.position, (std::array<float, 4>{1.0f, 2.0f, 3.0f, 1.0f}));
    EXPECT_EQ(gl.spotCutoffDegrees, 180.0f);

    light.Type = D3DLIGHT_SPOT;
    gl = ToGlLight(light);
    EXPECT_EQ(gl.position, (std::array<float, 4>{1.0f, 2.0f, 3.0f, 1.0f}));
    EXPECT_EQ(gl.spotDirection, (std::array<float, 3>{0.0f, -1.0f, 0.5f}));
    EXPECT_NEAR(gl.spotCutoffDegrees, 28.6479f, 1e-3f);
    EXPECT_GT(gl.spotExponent, 0.0f);
}

TEST(LightConversionTest, SpotExponentMatchesThePlatformFalloffMidwayBetweenTheCones)
{
    struct Case {
        float theta, phi, falloff;
    };
    for (const Case& c : {Case{0.7853982f, 1.0471976f, 1.0f}, Case{0.2f, 0.6f, 2.0f}, Case{0.5f, 0.5f, 0.5f}}) {
        SCOPED_TRACE(::testing::Message() << c.theta << " " << c.phi << " " << c.falloff);
        const float middle = (c.theta + c.phi) / 4.0f;
        const float exponent = SpotExponentFor(c.theta, c.phi, c.falloff);
        EXPECT_NEAR(std::pow(std::cos(middle), exponent), std::pow(0.5f, c.falloff), 1e-4f);
    }
    EXPECT_EQ(SpotExponentFor(0.5f, 1.0f, 0.0f), 0.0f);
    EXPECT_EQ(SpotExponentFor(0.0f, 0.0f, 1.0f), 0.0f);
    EXPECT_EQ(SpotExponentFor(0.001f, 0.002f, 1.0f), 128.0f);
}

TEST(TextureStageTest, OperationsBecomeCombinerFunctionsWithTheirSources)
{
    TextureStageSettings stage;
    auto settings = CombineSettingsFor(stage);
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(settings->rgbFunction, static_cast<GLenum>(GL_MODULATE));
    EXPECT_EQ(settings->rgbSources, (std::array<GLenum, 2>{GL_TEXTURE, GL_PREVIOUS}));
    EXPECT_EQ(settings->alphaFunction, static_cast<GLenum>(GL_REPLACE));
    EXPECT_EQ(settings->alphaSources[0], static_cast<GLenum>(GL_TEXTURE));

    stage.colorOp = D3DTOP_SELECTARG2;
    stage.colorArg2 = D3DTA_DIFFUSE;
    stage.alphaOp = D3DTOP_DISABLE;
    settings = CombineSettingsFor(stage);
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(settings->rgbFunction, static_cast<GLenum>(GL_REPLACE));
    EXPECT_EQ(settings->rgbSources[0], static_cast<GLenum>(GL_PRIMARY_COLOR));
    EXPECT_EQ(settings->alphaSources[0], static_cast<GLenum>(GL_PREVIOUS));

    stage.colorOp = D3DTOP_DISABLE;
    EXPECT_FALSE(CombineSettingsFor(stage).has_value());
}

} // namespace
