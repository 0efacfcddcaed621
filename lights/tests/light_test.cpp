#include "lights/light.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "graphics/testing/device_fixture.h"
#include "lights/directional_light.h"
#include "lights/point_light.h"
#include "lights/spot_light.h"
#include "scene/testing/recording_draw_helper.h"
#include "scene/transform.h"

namespace {

struct Kind {
    const char* name;
    std::function<std::unique_ptr<TQRD3D_Light>(int)> make;
    D3DLIGHTTYPE type;
};

const Kind kKinds[] = {
    {"point", [](int index) { return std::make_unique<TQRD3D_PointLight>(index); }, D3DLIGHT_POINT},
    {"spot", [](int index) { return std::make_unique<TQRD3D_SpotLight>(index); }, D3DLIGHT_SPOT},
    {"directional", [](int index) { return std::make_unique<TQRD3D_DirectionalLight>(index); }, D3DLIGHT_DIRECTIONAL},
};

class LightTest : public DeviceFixture {};

TEST_F(LightTest, OnLightSendsItsRecordAndOffLightIsOnlyDisabledEveryTime)
{
    CreateDevice();
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        m_device.ClearRecords();
        const std::unique_ptr<TQRD3D_Light> light = kind.make(2);
        light->LoadToDevice();
        light->LoadToDevice();
        light->SwitchOn();
        light->SetPosition(1.0f, 2.0f, 3.0f);
        light->LoadToDevice();
        EXPECT_EQ(m_device.log, (std::vector<std::string>{"LightEnable(2, 0)", "LightEnable(2, 0)", "SetLight(2)",
                                                          "LightEnable(2, 1)"}));
        EXPECT_EQ(m_device.lights[2].Type, kind.type);
        EXPECT_EQ(m_device.lights[2].Position.y, 2.0f);
    }
}

TEST_F(LightTest, NegativeIndexNeverTouchesTheDevice)
{
    CreateDevice();
    TQRD3D_PointLight unloaded(-1);
    unloaded.SwitchOn();
    unloaded.LoadToDevice();
    unloaded.SwitchOff();
    unloaded.LoadToDevice();
    EXPECT_TRUE(m_device.log.empty());
}

TEST_F(LightTest, ColoursRoundTripThroughFloatChannels)
{
    TQRD3D_PointLight light(1);
    const TQR_Color orange(255, 128, 0, 255);
    light.SetDiffuse(orange);
    light.SetSpecular(TQR_Color(1, 2, 3, 4));
    light.SetAmbient(TQR_Color(5, 6, 7, 8));
    EXPECT_EQ(light.GetDiffuse(), orange);
    EXPECT_EQ(light.GetSpecular(), TQR_Color(1, 2, 3, 4));
    EXPECT_EQ(light.GetAmbient(), TQR_Color(5, 6, 7, 8));
    EXPECT_FLOAT_EQ(light.GetLight().Diffuse.g, 128.0f / 255.0f);
    light.SetDiffuseGray(0.5f);
    EXPECT_EQ(light.GetDiffuse(), TQR_Color(128, 128, 128, 255)) << "127.5 rounds away from zero";
}

// The row-vector rotation matrix of q applied to +X.
TQR_Vector3 TurnedX(const TQR_Quaternion& q)
{
    TQR_XformInfo xform;
    xform.SetRotation(q);
    return VectorTimesMatrix3({1.0f, 0.0f, 0.0f}, xform.GetRotationMatrix());
}

TEST(ArrowRotationTest, TurnsXOntoTheDirectionAndSnapsNearTheXAxis)
{
    const std::pair<TQR_Vector3, TQR_Vector3> cases[] = {
        {{0, -1, 0}, {0, -1, 0}},
        {{0, 0, 2}, {0, 0, 1}},
        {{1, 1, 0}, {0.7071068f, 0.7071068f, 0}},
        {{-1, 0, 0}, {-1, 0, 0}},
        {{-1, 0.01f, 0}, {-1, 0, 0}},
        {{1, 0, 0.02f}, {1, 0, 0}},
        {{0, 0, 0}, {1, 0, 0}},
        {{-0.5f, -0.5f, 0.5f}, {-0.57735f, -0.57735f, 0.57735f}},
    };
    for (const auto& [direction, expected] : cases) {
        SCOPED_TRACE(testing::Message() << direction.x << ", " << direction.y << ", " << direction.z);
        const TQR_Vector3 turned = TurnedX(ArrowRotationOnto(direction));
        EXPECT_NEAR(turned.x, expected.x, 1e-5f);
        EXPECT_NEAR(turned.y, expected.y, 1e-5f);
        EXPECT_NEAR(turned.z, expected.z, 1e-5f);
    }
    const TQR_Quaternion down = ArrowRotationOnto({0, -1, 0});
    const TQR_Quaternion quarterAboutMinusZ = QuaternionFromAxisAngle({0, 0, -1}, 90.0f);
    EXPECT_NEAR(down.z, quarterAboutMinusZ.z, 1e-6f);
    EXPECT_NEAR(down.w, quarterAboutMinusZ.w, 1e-6f);
}

// Without a device the marker meshes are not found, but their placement and attributes still
// reach the draw helper.
TEST(LightMarkerTest, MarkerIsDrawnOnlyWhenTheLightIsOnAndItsMarkerWanted)
{
    for (int state = 0; state < 4; ++state) {
        const bool on = (state & 1) != 0;
        const bool wanted = (state & 2) != 0;
        SCOPED_TRACE(testing::Message() << "on " << on << ", wanted " << wanted);
        TQRD3D_PointLight light(1);
        if (on) {
            light.SwitchOn();
        }
        if (wanted) {
            light.EnableDrawLight();
        }
        TQR_RecordingDrawHelper helper;
        light.Draw(&helper);
        EXPECT_EQ(helper.Calls().empty(), !(on && wanted));
    }
}

TEST(LightMarkerTest, MarkerStandsAtTheLightUnlitInTheDiffuseColour)
{
    struct Case {
        const Kind& kind;
        TQR_Vector3 scale;
        // Where the marker's +X axis ends up: row 0 of the row-vector rotation.
        TQR_Vector3 pointing;
        // The spheres are flat-shaded; the arrow leaves the shading alone.
        TQR_ShadeMode shadeMode;
    };
    for (const Case& c : {Case{kKinds[0], {0.3f, 0.3f, 0.3f}, {1, 0, 0}, TQR_ShadeMode::Flat},
                          Case{kKinds[1], {1, 1, 1}, {1, 0, 0}, TQR_ShadeMode::Flat},
                          Case{kKinds[2], {1.2f, 1.0f, 1.2f}, {0, 0, -1}, TQR_ShadeMode::Smooth}}) {
        SCOPED_TRACE(c.kind.name);
        const std::unique_ptr<TQRD3D_Light> light = c.kind.make(1);
        light->SwitchOn();
        light->EnableDrawLight();
        light->SetPosition(1.0f, 2.0f, 3.0f);
        light->SetDirection({0.0f, 0.0f, -4.0f});
        light->SetDiffuse(TQR_Color(255, 128, 0, 255));
        TQR_RecordingDrawHelper helper;
        light->Draw(&helper);

        const auto placed = std::find_if(helper.Calls().begin(), helper.Calls().end(),
                                         [](const TQR_RecordedCall& call) { return call.name == "SetTransformation"; });
        ASSERT_NE(placed, helper.Calls().end());
        const std::vector<double> expected = {
            1, 2, 3, c.scale.x, c.scale.y, c.scale.z, c.pointing.x, c.pointing.y, c.pointing.z};
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_NEAR(placed->args[i], expected[i], 1e-6) << "argument " << i;
        }
        EXPECT_EQ(helper.GetColor1(), TQR_Color(255, 128, 0, 255));
        EXPECT_EQ(helper.GetShadeMode(), c.shadeMode);
        const auto lighting = std::find_if(helper.Calls().begin(), helper.Calls().end(),
                                           [](const TQR_RecordedCall& call) { return call.name == "EnableLighting"; });
        ASSERT_NE(lighting, helper.Calls().end());
        EXPECT_EQ(lighting->args, std::vector<double>{0});
    }
}

} // namespace
