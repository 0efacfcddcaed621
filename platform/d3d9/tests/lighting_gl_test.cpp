// Pixel tests of fixed-function lighting: point, directional and spot lights, attenuation,
// global ambient, and lights given in world space.
#include "device_fixture.h"

namespace {

struct LitVertex {
    static constexpr DWORD kFvf = D3DFVF_XYZ | D3DFVF_NORMAL;
    float x, y, z;
    float nx, ny, nz;
};

// The whole target at depth z as a fine grid (lighting is computed per vertex), facing the
// viewer at the origin.
std::vector<LitVertex> LitSquare(float z)
{
    constexpr int kCells = 32;
    const auto at = [](int i) { return -1.0f + 2.0f * static_cast<float>(i) / kCells; };
    std::vector<LitVertex> vertices;
    for (int row = 0; row < kCells; ++row) {
        for (int column = 0; column < kCells; ++column) {
            const float x0 = at(column), x1 = at(column + 1), y0 = at(row), y1 = at(row + 1);
            for (const auto& [x, y] : {std::pair{x0, y1}, {x1, y1}, {x1, y0}, {x0, y1}, {x1, y0}, {x0, y0}}) {
                vertices.push_back({x, y, z, 0.0f, 0.0f, -1.0f});
            }
        }
    }
    return vertices;
}

D3DLIGHT9 WhiteLight(D3DLIGHTTYPE type)
{
    D3DLIGHT9 light;
    light.Type = type;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    light.Range = 100.0f;
    light.Attenuation0 = 1.0f;
    return light;
}

class LightingTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        m_device->SetRenderState(D3DRS_LIGHTING, TRUE);
        D3DMATERIAL9 material;
        material.Diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
        material.Ambient = {1.0f, 1.0f, 1.0f, 1.0f};
        m_device->SetMaterial(&material);
    }

    const PresentedFrame& RenderWithLight(const D3DLIGHT9& light)
    {
        EXPECT_EQ(m_device->SetLight(0, &light), D3D_OK);
        EXPECT_EQ(m_device->LightEnable(0, TRUE), D3D_OK);
        return Render([&] { EXPECT_EQ(DrawTriangles(LitSquare(0.5f)), D3D_OK); });
    }
};

TEST_F(LightingTest, DirectionalLightLightsSurfacesFacingItOnly)
{
    struct Case {
        const char* name;
        D3DVECTOR direction;
        Rgb expected;
    };
    const Case cases[] = {
        {"shining onto the front", {0.0f, 0.0f, 1.0f}, Rgb{204, 204, 204}},
        {"shining onto the back", {0.0f, 0.0f, -1.0f}, Rgb{0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        D3DLIGHT9 light = WhiteLight(D3DLIGHT_DIRECTIONAL);
        light.Direction = c.direction;
        EXPECT_TRUE(RegionIs(RenderWithLight(light), 8, 8, 120, 120, c.expected, 3));
    }
}

TEST_F(LightingTest, PointLightIsBrightestOnTheSurfaceClosestToIt)
{
    D3DLIGHT9 light = WhiteLight(D3DLIGHT_POINT);
    light.Position = {-0.625f, 0.0f, 0.3f};
    const PresentedFrame& frame = RenderWithLight(light);
    // The light is 0.2 in front of the grid vertex at pixel (24, 64).
    EXPECT_TRUE(RegionIs(frame, 24, 64, 25, 65, Rgb{204, 204, 204}, 4));
    EXPECT_GT(Brightness(PixelAt(frame, 24, 64)), Brightness(PixelAt(frame, 64, 64)) + 150);
    EXPECT_GT(Brightness(PixelAt(frame, 64, 64)), Brightness(PixelAt(frame, 110, 64)) + 30);
}

TEST_F(LightingTest, AttenuationDimsThePointLightWithDistance)
{
    struct Case {
        const char* name;
        float constant, linear, quadratic;
        Rgb centre;
    };
    // The light is 0.2 in front of the centre: 1 / (a0 + a1 * 0.2 + a2 * 0.04) of 0.8.
    const Case cases[] = {
        {"none", 1.0f, 0.0f, 0.0f, Rgb{204, 204, 204}},
        {"linear", 1.0f, 5.0f, 0.0f, Rgb{102, 102, 102}},
        {"quadratic", 1.0f, 0.0f, 25.0f, Rgb{102, 102, 102}},
        {"constant", 4.0f, 0.0f, 0.0f, Rgb{51, 51, 51}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        D3DLIGHT9 light = WhiteLight(D3DLIGHT_POINT);
        light.Position = {0.0f, 0.0f, 0.3f};
        light.Attenuation0 = c.constant;
        light.Attenuation1 = c.linear;
        light.Attenuation2 = c.quadratic;
        EXPECT_TRUE(RegionIs(RenderWithLight(light), 64, 64, 65, 65, c.centre, 4));
    }
}

TEST_F(LightingTest, SpotLightLightsInsideItsConeOnly)
{
    D3DLIGHT9 light = WhiteLight(D3DLIGHT_SPOT);
    light.Position = {0.0f, 0.0f, -1.0f};
    light.Direction = {0.0f, 0.0f, 1.0f};
    light.Theta = 0.3f;
    light.Phi = 0.6f;
    light.Falloff = 1.0f;
    const PresentedFrame& frame = RenderWithLight(light);
    // The outer cone meets the surface 1.5 away in a circle of radius 0.46 (29 pixels).
    EXPECT_TRUE(RegionIs(frame, 62, 62, 66, 66, Rgb{204, 204, 204}, 6));
    EXPECT_GT(Brightness(PixelAt(frame, 64, 64)), Brightness(PixelAt(frame, 64 + 20, 64)));
    EXPECT_TRUE(RegionIs(frame, 64 + 34, 60, 124, 68, Rgb{0, 0, 0}, 2));
    EXPECT_TRUE(RegionIs(frame, 60, 4, 68, 64 - 34, Rgb{0, 0, 0}, 2));
}

TEST_F(LightingTest, GlobalAmbientStartsAtZeroAndFollowsTheRenderState)
{
    const auto render = [&] { return Render([&] { DrawTriangles(LitSquare(0.5f)); }); };
    EXPECT_TRUE(RegionIs(render(), 8, 8, 120, 120, Rgb{0, 0, 0}, 1));
    m_device->SetRenderState(D3DRS_AMBIENT, 0xFF404040);
    EXPECT_TRUE(RegionIs(render(), 8, 8, 120, 120, Rgb{64, 64, 64}, 2));
}

TEST_F(LightingTest, LightsStayPutInTheWorldWhenTheViewMoves)
{
    D3DMATRIX view{};
    view._11 = view._22 = view._33 = view._44 = 1.0f;
    view._41 = 0.375f;
    m_device->SetTransform(D3DTS_VIEW, &view);
    D3DLIGHT9 light = WhiteLight(D3DLIGHT_POINT);
    light.Position = {-0.625f, 0.0f, 0.3f};
    const PresentedFrame& frame = RenderWithLight(light);
    // The view moves the world right by 0.375: the light now stands in front of pixel (48, 64).
    EXPECT_TRUE(RegionIs(frame, 48, 64, 49, 65, Rgb{204, 204, 204}, 4));
    EXPECT_GT(Brightness(PixelAt(frame, 48, 64)), Brightness(PixelAt(frame, 24, 64)) + 100);
}

TEST_F(LightingTest, SpecularAndNormalisationFollowTheirRenderStates)
{
    D3DMATERIAL9 material;
    material.Diffuse = {0.5f, 0.5f, 0.5f, 1.0f};
    material.Specular = {0.25f, 0.25f, 0.25f, 1.0f};
    material.Power = 4.0f;
    m_device->SetMaterial(&material);
    D3DLIGHT9 light = WhiteLight(D3DLIGHT_DIRECTIONAL);
    light.Direction = {0.0f, 0.0f, 1.0f};
    light.Specular = {1.0f, 1.0f, 1.0f, 1.0f};
    // Normals three times too long triple the diffuse term unless they are normalised.
    auto longNormals = LitSquare(0.5f);
    for (LitVertex& vertex : longNormals) {
        vertex.nz *= 3.0f;
    }
    struct Case {
        const char* name;
        BOOL specular;
        BOOL normalise;
        Rgb centre;
    };
    const Case cases[] = {
        {"diffuse only", FALSE, TRUE, Rgb{128, 128, 128}},
        {"with specular", TRUE, TRUE, Rgb{191, 191, 191}},
        {"unnormalised", FALSE, FALSE, Rgb{255, 255, 255}},
    };
    m_device->SetLight(0, &light);
    m_device->LightEnable(0, TRUE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_device->SetRenderState(D3DRS_SPECULARENABLE, c.specular);
        m_device->SetRenderState(D3DRS_NORMALIZENORMALS, c.normalise);
        const PresentedFrame& frame = Render([&] { DrawTriangles(longNormals); });
        EXPECT_TRUE(RegionIs(frame, 64, 64, 65, 65, c.centre, 4));
    }
}

} // namespace
