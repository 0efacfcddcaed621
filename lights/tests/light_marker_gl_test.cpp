#include <gtest/gtest.h>

#include "lights/directional_light.h"
#include "lights/point_light.h"
#include "lights/spot_light.h"
#include "primitives/testing/gl_fixture.h"
#include "primitives/testing/mesh_files.h"

namespace {

// The marker meshes have no vertex colours, so unlit they show white whatever the light's
// colour.
constexpr Rgb kMarker{255, 255, 255};

class LightMarkerGlTest : public GlFixture {
protected:
    void SetUp() override
    {
        GlFixture::SetUp();
        if (!IsSkipped() && !CopyMarkerMeshes()) {
            GTEST_SKIP() << "the marker meshes are not in data/MeshFiles";
        }
    }

    void Show(TQRD3D_Light& light)
    {
        light.SwitchOn();
        light.EnableDrawLight();
        Render([&](TQR_DrawHelper* helper) { light.Draw(helper); });
    }

    ::testing::AssertionResult Covered(float x, float y, bool expected) const
    {
        const auto [column, row] = PixelOf(x, y, 0.0f);
        return PixelNear(column, row, expected ? kMarker : kBackgroundRgb);
    }
};

// The sphere has radius 1: 0.3 around a point light, 1 around a spot light.
TEST_F(LightMarkerGlTest, SphereMarkersStandWhereTheLightsAre)
{
    SetView(FrontView(2.0f));
    TQRD3D_PointLight point(1);
    point.SetPosition(1.0f, 1.0f, 0.0f);
    Show(point);
    EXPECT_TRUE(Covered(1.0f, 1.0f, true));
    EXPECT_TRUE(Covered(1.2f, 1.0f, true));
    EXPECT_TRUE(Covered(1.45f, 1.0f, false));
    EXPECT_TRUE(Covered(-1.0f, -1.0f, false));

    TQRD3D_SpotLight spot(3);
    spot.SetPosition(-0.8f, -0.8f, 0.0f);
    Show(spot);
    EXPECT_TRUE(Covered(-0.8f, -0.8f, true));
    EXPECT_TRUE(Covered(0.0f, -0.8f, true));
    EXPECT_TRUE(Covered(0.4f, -0.8f, false));
    EXPECT_TRUE(Covered(1.0f, 1.0f, false));
}

// The arrow is 1.2 long (its x scaled by 1.2): a thin shaft, then the head from 0.84 to 1.2.
TEST_F(LightMarkerGlTest, DirectionalMarkerPointsAlongTheDirection)
{
    struct Case {
        const char* name;
        TQR_Vector3 direction;
        TQR_Vector3 position;
        TQR_Vector3 unit;
    };
    SetView(FrontView(0.8f));
    for (const Case& c :
         {Case{"down", {0, -1, 0}, {0, 0.6f, 0}, {0, -1, 0}}, Case{"along -X", {-1, 0, 0}, {0.6f, 0, 0}, {-1, 0, 0}},
          Case{"zero along +X", {0, 0, 0}, {-0.6f, 0, 0}, {1, 0, 0}},
          Case{"down and left", {-2, -2, 0}, {0.4f, 0.4f, 0}, {-0.7071068f, -0.7071068f, 0}}}) {
        SCOPED_TRACE(c.name);
        TQRD3D_DirectionalLight light(2);
        light.SetDirection(c.direction);
        light.SetPosition(c.position);
        Show(light);
        const auto along = [&](float distance) { return c.position + c.unit * distance; };
        for (float distance : {0.3f, 0.6f, 1.0f}) {
            const TQR_Vector3 point = along(distance);
            const auto [column, row] = PixelOf(point.x, point.y, 0.0f);
            EXPECT_TRUE(PixelNearAround(column, row, kMarker)) << "at " << distance;
        }
        EXPECT_TRUE(Covered(along(1.3f).x, along(1.3f).y, false));
        EXPECT_TRUE(Covered(along(-0.15f).x, along(-0.15f).y, false));
    }
}

} // namespace
