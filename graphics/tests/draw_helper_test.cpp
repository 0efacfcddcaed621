#include "graphics_fixture.h"

#include "graphics/draw_helper.h"
#include "graphics/graphics_system.h"
#include "graphics/vertex_formats.h"

#include <gmock/gmock.h>

#include <cmath>
#include <functional>

using ::testing::ElementsAre;

namespace {

const TQR_Color kRed(255, 0, 0, 255);
const TQR_Color kBlue(0, 0, 255, 128);

// Position, normal and texture coordinates of a vertex, for comparing whole vertices.
std::vector<float> Fields(const TQRD3D_ColorVertex& v) { return {v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v}; }

MATCHER_P(FieldsNear, expected, "")
{
    const std::vector<float> actual = Fields(arg);
    for (std::size_t i = 0; i < actual.size(); ++i) {
        if (std::abs(actual[i] - expected[i]) > 1e-3f) {
            *result_listener << "field " << i << " is " << actual[i];
            return false;
        }
    }
    return true;
}

D3DXMATRIX Translation(float x, float y, float z)
{
    D3DXMATRIX matrix;
    D3DXMatrixTranslation(&matrix, x, y, z);
    return matrix;
}

MATCHER_P(MatrixNear, expected, "")
{
    for (int i = 0; i < 16; ++i) {
        if (std::abs(arg.m[i / 4][i % 4] - expected.m[i / 4][i % 4]) > 1e-5f) {
            return false;
        }
    }
    return true;
}

class DrawHelperTest : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        CreateDevice(m_mainWindow);
    }
    std::vector<TQRD3D_ColorVertex> Drawn(std::size_t index) const
    {
        return m_device.draws.at(index).Vertices<TQRD3D_ColorVertex>();
    }
    const D3DMATRIX& World() { return m_device.transforms[D3DTS_WORLD]; }

    TQRD3D_DrawHelper m_helper;
};

TEST_F(DrawHelperTest, PointIsOneSpriteOfPointSizeInColourOne)
{
    m_helper.SetColor1(kRed);
    m_helper.SetPointSize(6.0f);
    EXPECT_TRUE(m_helper.DrawPoint(1.0f, 2.0f, 3.0f));
    EXPECT_THAT(m_device.log, ElementsAre("SetRenderState(156, 1)", "SetFVF(114)", "DrawPrimitiveUP"));
    const RecordedDraw& draw = m_device.draws.at(0);
    EXPECT_EQ((std::tuple{draw.type, draw.primitiveCount, draw.stride}), (std::tuple{D3DPT_POINTLIST, 1u, 32u}));
    const TQRD3D_PointVertex p = draw.Vertices<TQRD3D_PointVertex>().at(0);
    EXPECT_EQ((std::vector{p.x, p.y, p.z, p.nx, p.ny, p.nz, p.size}), (std::vector{1.f, 2.f, 3.f, 0.f, 1.f, 0.f, 6.f}));
    EXPECT_EQ(p.diffuse, kRed.GetARGB());
}

TEST_F(DrawHelperTest, LineNormalFollowsDirectionOnlyWhenBothComponentsExceedThreshold)
{
    const struct {
        float x2, y2, nx, ny;
    } rows[] = {
        {5.0f, 7.0f, -5.0f, 4.0f}, {1.005f, 7.0f, 1.0f, 0.0f}, {5.0f, 2.005f, 1.0f, 0.0f}, {-3.0f, 7.0f, 1.0f, 0.0f}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& row = rows[i];
        SCOPED_TRACE("to (" + std::to_string(row.x2) + ", " + std::to_string(row.y2) + ")");
        EXPECT_TRUE(m_helper.DrawLine(1.0f, 2.0f, 3.0f, row.x2, row.y2, 11.0f));
        const RecordedDraw& draw = m_device.draws.at(i);
        EXPECT_EQ((std::tuple{draw.type, draw.primitiveCount, draw.stride, draw.fvf}),
                  (std::tuple{D3DPT_LINELIST, 1u, 36u, 0x152u}));
        EXPECT_THAT(Drawn(i),
                    ElementsAre(FieldsNear(std::vector{1.f, 2.f, 3.f, row.nx, row.ny, 0.f, 0.f, 0.f}),
                                FieldsNear(std::vector{row.x2, row.y2, 11.f, row.nx, row.ny, 0.f, 1.f, 1.f})));
    }
}

// A line's end takes colour 2 at any non-zero shade mode; the centres of discs and rectangles
// only at shade mode exactly 1.
TEST_F(DrawHelperTest, SecondColourDependsOnShadeMode)
{
    m_helper.SetColor1(kRed);
    m_helper.SetColor2(kBlue);
    const struct {
        TQR_ShadeMode shadeMode;
        TQR_Color lineEnd, centre;
    } rows[] = {{TQR_ShadeMode::Flat, kRed, kRed},
                {TQR_ShadeMode::Smooth, kBlue, kBlue},
                {static_cast<TQR_ShadeMode>(2), kBlue, kRed}};
    for (const auto& row : rows) {
        SCOPED_TRACE("shade mode " + std::to_string(static_cast<int>(row.shadeMode)));
        m_helper.SetShadeMode(row.shadeMode);
        m_device.ClearRecords();
        m_helper.DrawLine(0, 0, 0, 1, 1, 1);
        m_helper.DrawCircle(0, 0, 0, 1);
        m_helper.DrawRectangleXY(0, 0, 0, 1, 1, 0);
        m_helper.DrawRectangleXZ(0, 0, 0, 1, 0, 1);
        EXPECT_EQ(Drawn(0)[0].diffuse, kRed.GetARGB());
        EXPECT_EQ(Drawn(0)[1].diffuse, row.lineEnd.GetARGB());
        for (std::size_t shape = 1; shape < 4; ++shape) {
            const auto fan = Drawn(shape);
            EXPECT_EQ(fan[0].diffuse, row.centre.GetARGB()) << "shape " << shape;
            EXPECT_EQ(fan.back().diffuse, kRed.GetARGB()) << "shape " << shape;
        }
    }
}

TEST_F(DrawHelperTest, CircleIsClosedFanWhoseSizeFollowsDetail)
{
    m_helper.SetLevelOfDetail(0);
    EXPECT_TRUE(m_helper.DrawCircle(1.0f, 2.0f, 3.0f, 2.0f));
    const RecordedDraw& draw = m_device.draws.at(0);
    EXPECT_EQ((std::tuple{draw.type, draw.primitiveCount, draw.fvf}), (std::tuple{D3DPT_TRIANGLEFAN, 8u, 0x152u}));
    const auto v = Drawn(0);
    ASSERT_EQ(v.size(), 10u);
    EXPECT_THAT(v[0], FieldsNear(std::vector{1.f, 2.f, 3.f, 0.f, 0.f, 1.f, 0.5f, 0.5f}));
    EXPECT_THAT(v[1], FieldsNear(std::vector{3.f, 2.f, 3.f, 0.f, 0.f, 1.f, 1.f, 0.5f}));
    EXPECT_THAT(v[2], FieldsNear(std::vector{2.414f, 3.414f, 3.f, 0.f, 0.f, 1.f, 0.854f, 0.146f}));
    EXPECT_THAT(v[3], FieldsNear(std::vector{1.f, 4.f, 3.f, 0.f, 0.f, 1.f, 0.5f, 0.f}));
    EXPECT_EQ(std::memcmp(&v[9], &v[1], sizeof v[1]), 0) << "the rim is not closed";

    for (const auto& [level, count] : {std::pair{1, 20u}, std::pair{2, 40u}, std::pair{7, 40u}}) {
        m_device.ClearRecords();
        m_helper.SetLevelOfDetail(level);
        EXPECT_TRUE(m_helper.DrawCircle(0, 0, 0, 1));
        EXPECT_EQ(Drawn(0).size(), count) << "level " << level;
        EXPECT_NEAR(std::hypot(Drawn(0)[count / 2].x, Drawn(0)[count / 2].y), 1.0f, 1e-5f) << "level " << level;
    }
    m_device.ClearRecords();
    EXPECT_FALSE(m_helper.DrawCircle(0, 0, 0, 0.0f));
    EXPECT_FALSE(m_helper.DrawCircle(0, 0, 0, -1.0f));
    EXPECT_TRUE(m_device.log.empty());
}

TEST_F(DrawHelperTest, RectanglesAreFansAroundTheCentreWhateverTheCornerOrder)
{
    EXPECT_TRUE(m_helper.DrawRectangleXY(5, 7, 3, 1, 2, 11));
    EXPECT_TRUE(m_helper.DrawRectangleXY(1, 2, 3, 5, 7, 11));
    EXPECT_TRUE(m_helper.DrawRectangleXZ(5, 9, 7, 1, 9, 2));
    EXPECT_EQ(m_device.draws.at(0).bytes, m_device.draws.at(1).bytes);
    EXPECT_EQ((std::tuple{m_device.draws[0].type, m_device.draws[0].primitiveCount}),
              (std::tuple{D3DPT_TRIANGLEFAN, 4u}));
    EXPECT_THAT(Drawn(0), ElementsAre(FieldsNear(std::vector{3.f, 4.5f, 0.f, 0.f, 0.f, 1.f, 0.5f, 0.5f}),
                                      FieldsNear(std::vector{1.f, 7.f, 0.f, 0.f, 0.f, 1.f, 1.f, 0.f}),
                                      FieldsNear(std::vector{1.f, 2.f, 0.f, 0.f, 0.f, 1.f, 1.f, 1.f}),
                                      FieldsNear(std::vector{5.f, 2.f, 0.f, 0.f, 0.f, 1.f, 0.f, 1.f}),
                                      FieldsNear(std::vector{5.f, 7.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f}),
                                      FieldsNear(std::vector{1.f, 7.f, 0.f, 0.f, 0.f, 1.f, 1.f, 0.f})));
    EXPECT_THAT(Drawn(2)[0], FieldsNear(std::vector{3.f, 0.f, 4.5f, 0.f, 1.f, 0.f, 0.5f, 0.5f}));
    EXPECT_THAT(Drawn(2)[1], FieldsNear(std::vector{1.f, 0.f, 7.f, 0.f, 1.f, 0.f, 1.f, 0.f}));
    EXPECT_THAT(Drawn(2)[3], FieldsNear(std::vector{5.f, 0.f, 2.f, 0.f, 1.f, 0.f, 0.f, 1.f}));
}

TEST_F(DrawHelperTest, ModeSettersStoreAndMapToDeviceStates)
{
    // Values outside the enumerations (made by casts) give points and flat shading.
    const struct {
        bool fill;
        int mode;
        const char* state;
    } rows[] = {{true, 2, "SetRenderState(8, 3)"},  {true, 1, "SetRenderState(8, 2)"},
                {true, 0, "SetRenderState(8, 1)"},  {true, 5, "SetRenderState(8, 1)"},
                {false, 1, "SetRenderState(9, 2)"}, {false, 0, "SetRenderState(9, 1)"},
                {false, 2, "SetRenderState(9, 1)"}};
    for (const auto& row : rows) {
        SCOPED_TRACE((row.fill ? "fill " : "shade ") + std::to_string(row.mode));
        m_device.ClearRecords();
        const auto fill = static_cast<TQR_FillMode>(row.mode);
        const auto shade = static_cast<TQR_ShadeMode>(row.mode);
        row.fill ? m_helper.SetFillMode(fill) : m_helper.SetShadeMode(shade);
        EXPECT_EQ(row.fill ? static_cast<int>(m_helper.GetFillMode()) : static_cast<int>(m_helper.GetShadeMode()),
                  row.mode);
        EXPECT_THAT(m_device.log, ElementsAre(row.state));
    }
}

TEST_F(DrawHelperTest, BlendingLightingAndResetSetTheirStatesInOrder)
{
    TQR_Material material;
    material.m_diffuse = TQR_Color(255, 51, 0, 255);
    material.m_power = 3.0f;
    m_helper.SetMaterial(material);
    EXPECT_TRUE(m_helper.EnableBlending(true));
    EXPECT_TRUE(m_helper.EnableBlending(false));
    EXPECT_TRUE(m_helper.EnableLighting(true));
    EXPECT_TRUE(m_helper.EnableLighting(false));
    EXPECT_THAT(m_device.log, ElementsAre("SetRenderState(27, 1)", "SetRenderState(19, 5)", "SetRenderState(20, 6)",
                                          "SetRenderState(171, 1)", "SetRenderState(27, 0)", "SetRenderState(137, 1)",
                                          "SetMaterial", "SetRenderState(137, 0)"));
    EXPECT_EQ((std::tuple{m_device.materials.at(0).Diffuse.g, m_device.materials[0].Power}), (std::tuple{0.2f, 3.0f}));

    // Reset switches blending and texturing off and leaves lighting alone.
    m_device.ClearRecords();
    m_helper.SetColor1(kRed);
    m_helper.ResetAttributes();
    EXPECT_THAT(m_device.log,
                ElementsAre("SetRenderState(27, 0)", "SetTexture(0, null)", "SetTextureStageState(0, 1, 1)"));
    EXPECT_EQ(m_helper.GetColor1(), TQR_Color(255, 255, 255, 255));
}

TEST_F(DrawHelperTest, FirstMatrixOperationStartsFromIdentity)
{
    const D3DXMATRIX stale = Translation(9, 9, 9);
    const std::function<void(TQRD3D_DrawHelper&)> operations[] = {
        [](TQRD3D_DrawHelper& h) { EXPECT_TRUE(h.PushModelTransform()); },
        [](TQRD3D_DrawHelper& h) { h.PopModelTransform(); },
        [](TQRD3D_DrawHelper& h) {
            EXPECT_TRUE(h.SetTransformation(0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0));
        },
    };
    for (std::size_t i = 0; i < std::size(operations); ++i) {
        m_device.SetTransform(D3DTS_WORLD, &stale);
        TQRD3D_DrawHelper helper;
        operations[i](helper);
        EXPECT_THAT(World(), MatrixNear(Translation(0, 0, 0))) << "operation " << i;
    }
    TQR_Vector3 point{1, 2, 3};
    EXPECT_FALSE(TQRD3D_DrawHelper().TransformPoint(point)) << "no stack yet";
    EXPECT_EQ(point, (TQR_Vector3{1, 2, 3}));
}

TEST_F(DrawHelperTest, TransformsComposeAndMirrorTheStackTop)
{
    ASSERT_TRUE(m_helper.PushModelTransform());
    m_helper.SetTransformation(1, 2, 3, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0);
    ASSERT_TRUE(m_helper.PushModelTransform());
    // Scale (2, 3, 1) and a quarter turn about z (x goes to y) around the pivot (1, 0, 0),
    // then translate by (10, 0, 0): (2, 0, 0) -> (1, 0, 0) -> (2, 0, 0) -> (0, 2, 0) -> (1, 2, 0)
    // -> (11, 2, 0), and the outer translation gives (12, 4, 3).
    m_helper.SetTransformation(10, 0, 0, 2, 3, 1, 0, 1, 0, -1, 0, 0, 0, 0, 1, 1, 0, 0);
    TQR_Vector3 point{2, 0, 0};
    ASSERT_TRUE(m_helper.TransformPoint(point));
    EXPECT_NEAR(point.x, 12.0f, 1e-5f);
    EXPECT_NEAR(point.y, 4.0f, 1e-5f);
    EXPECT_NEAR(point.z, 3.0f, 1e-5f);
    D3DXVECTOR3 viaDevice;
    const D3DXVECTOR3 original(2, 0, 0);
    const D3DXMATRIX world(World());
    D3DXVec3TransformCoord(&viaDevice, &original, &world);
    EXPECT_EQ((std::tuple{viaDevice.x, viaDevice.y}), (std::tuple{point.x, point.y}));
    ASSERT_TRUE(m_helper.PopModelTransform());
    EXPECT_THAT(World(), MatrixNear(Translation(1, 2, 3)));
    ASSERT_TRUE(m_helper.PopModelTransform());
    EXPECT_THAT(World(), MatrixNear(Translation(0, 0, 0)));
}

using DrawHelperWithoutDeviceTest = GraphicsTest;

TEST_F(DrawHelperWithoutDeviceTest, DrawingAndMatricesFailWhileModesAreStillStored)
{
    TQRD3D_DrawHelper helper;
    TQR_Vector3 point{1, 2, 3};
    const bool anySucceeded =
        helper.DrawPoint(0, 0, 0) || helper.DrawLine(0, 0, 0, 1, 1, 1) || helper.DrawCircle(0, 0, 0, 1) ||
        helper.DrawRectangleXY(0, 0, 0, 1, 1, 1) || helper.DrawRectangleXZ(0, 0, 0, 1, 1, 1) ||
        helper.InitializeModelTransform() || helper.PushModelTransform() || helper.PopModelTransform() ||
        helper.SetTransformation(0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0) || helper.TransformPoint(point);
    EXPECT_FALSE(anySucceeded);
    EXPECT_TRUE(helper.EnableBlending(true) && helper.EnableTexture(true) && helper.EnableLighting(true));
    helper.SetFillMode(TQR_FillMode::Wireframe);
    helper.SetShadeMode(TQR_ShadeMode::Flat);
    EXPECT_EQ((std::tuple{helper.GetFillMode(), helper.GetShadeMode()}),
              (std::tuple{TQR_FillMode::Wireframe, TQR_ShadeMode::Flat}));
    EXPECT_TRUE(m_device.log.empty());
    EXPECT_TRUE(m_statusTexts.empty());
}

} // namespace
