#include "graphics_fixture.h"

#include "graphics/draw_helper.h"
#include "graphics/graphics_system.h"
#include "graphics/vertex_formats.h"

#include <gmock/gmock.h>

#include <cmath>

using ::testing::ElementsAre;
using ::testing::Pair;

namespace {

const TQR_Color kRed(255, 0, 0, 255);
const TQR_Color kBlue(0, 0, 255, 128);

class DrawHelperTest : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        CreateContext();
    }

    const FakeDraw& OnlyDraw()
    {
        EXPECT_EQ(m_device.draws.size(), 1u);
        return m_device.draws.back();
    }

    TQRD3D_DrawHelper m_helper;
};

void ExpectPosition(const TQRD3D_ColorVertex& vertex, float x, float y, float z)
{
    EXPECT_NEAR(vertex.x, x, 1e-3f);
    EXPECT_NEAR(vertex.y, y, 1e-3f);
    EXPECT_NEAR(vertex.z, z, 1e-3f);
}

TEST_F(DrawHelperTest, PointIsOneSpriteOfPointSizeInColourOne)
{
    m_helper.SetColor1(kRed);
    m_helper.SetPointSize(6.0f);
    EXPECT_TRUE(m_helper.DrawPoint(1.0f, 2.0f, 3.0f));
    EXPECT_THAT(m_device.log, ElementsAre("SetRenderState(156, 1)", "SetFVF(0x72)", "DrawPrimitiveUP"));
    const FakeDraw& draw = OnlyDraw();
    EXPECT_EQ(draw.type, D3DPT_POINTLIST);
    EXPECT_EQ(draw.primitiveCount, 1u);
    EXPECT_EQ(draw.stride, 32u);
    const TQRD3D_PointVertex point = draw.Vertices<TQRD3D_PointVertex>()[0];
    EXPECT_EQ((std::array{point.x, point.y, point.z, point.nx, point.ny, point.nz, point.size}),
              (std::array{1.0f, 2.0f, 3.0f, 0.0f, 1.0f, 0.0f, 6.0f}));
    EXPECT_EQ(point.diffuse, kRed.GetARGB());
}

TEST_F(DrawHelperTest, LineNormalFollowsDirectionOnlyWhenBothComponentsExceedThreshold)
{
    const struct {
        float x2, y2;
        TQR_Vector3 normal;
    } rows[] = {
        {5.0f, 7.0f, {-5.0f, 4.0f, 0.0f}},
        {1.005f, 7.0f, {1.0f, 0.0f, 0.0f}},
        {5.0f, 2.005f, {1.0f, 0.0f, 0.0f}},
        {-3.0f, 7.0f, {1.0f, 0.0f, 0.0f}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("to (" + std::to_string(row.x2) + ", " + std::to_string(row.y2) + ")");
        m_device.ClearRecords();
        EXPECT_TRUE(m_helper.DrawLine(1.0f, 2.0f, 3.0f, row.x2, row.y2, 11.0f));
        const FakeDraw& draw = OnlyDraw();
        EXPECT_EQ(draw.type, D3DPT_LINELIST);
        EXPECT_EQ(draw.fvf, 0x152u);
        EXPECT_EQ(draw.stride, 36u);
        const auto vertices = draw.Vertices<TQRD3D_ColorVertex>();
        ASSERT_EQ(vertices.size(), 2u);
        for (const TQRD3D_ColorVertex& vertex : vertices) {
            EXPECT_NEAR(vertex.nx, row.normal.x, 1e-5f);
            EXPECT_NEAR(vertex.ny, row.normal.y, 1e-5f);
            EXPECT_EQ(vertex.nz, 0.0f);
        }
        ExpectPosition(vertices[0], 1.0f, 2.0f, 3.0f);
        ExpectPosition(vertices[1], row.x2, row.y2, 11.0f);
        EXPECT_EQ((std::array{vertices[0].u, vertices[0].v, vertices[1].u, vertices[1].v}),
                  (std::array{0.0f, 0.0f, 1.0f, 1.0f}));
    }
}

// The line's end takes colour 2 at any non-zero shade mode; the disc's and rectangles' centres
// only at shade mode exactly 1.
TEST_F(DrawHelperTest, SecondColourDependsOnShadeMode)
{
    m_helper.SetColor1(kRed);
    m_helper.SetColor2(kBlue);
    const struct {
        int shadeMode;
        TQR_Color lineEnd;
        TQR_Color centre;
    } rows[] = {{0, kRed, kRed}, {1, kBlue, kBlue}, {2, kBlue, kRed}};
    for (const auto& row : rows) {
        SCOPED_TRACE("shade mode " + std::to_string(row.shadeMode));
        m_helper.SetShadeMode(row.shadeMode);
        m_device.ClearRecords();
        m_helper.DrawLine(0, 0, 0, 1, 1, 1);
        m_helper.DrawCircle(0, 0, 0, 1);
        m_helper.DrawRectangleXY(0, 0, 0, 1, 1, 0);
        m_helper.DrawRectangleXZ(0, 0, 0, 1, 0, 1);
        ASSERT_EQ(m_device.draws.size(), 4u);
        const auto line = m_device.draws[0].Vertices<TQRD3D_ColorVertex>();
        EXPECT_EQ(line[0].diffuse, kRed.GetARGB());
        EXPECT_EQ(line[1].diffuse, row.lineEnd.GetARGB());
        for (std::size_t shape = 1; shape < 4; ++shape) {
            const auto fan = m_device.draws[shape].Vertices<TQRD3D_ColorVertex>();
            EXPECT_EQ(fan[0].diffuse, row.centre.GetARGB()) << "shape " << shape;
            EXPECT_EQ(fan[1].diffuse, kRed.GetARGB()) << "shape " << shape;
            EXPECT_EQ(fan.back().diffuse, kRed.GetARGB()) << "shape " << shape;
        }
    }
}

TEST_F(DrawHelperTest, CircleAtLowestDetailIsTenVertexFan)
{
    m_helper.SetLevelOfDetail(0);
    EXPECT_TRUE(m_helper.DrawCircle(1.0f, 2.0f, 3.0f, 2.0f));
    const FakeDraw& draw = OnlyDraw();
    EXPECT_EQ(draw.type, D3DPT_TRIANGLEFAN);
    EXPECT_EQ(draw.primitiveCount, 8u);
    EXPECT_EQ(draw.fvf, 0x152u);
    const auto vertices = draw.Vertices<TQRD3D_ColorVertex>();
    ASSERT_EQ(vertices.size(), 10u);
    ExpectPosition(vertices[0], 1.0f, 2.0f, 3.0f);
    EXPECT_EQ((std::array{vertices[0].u, vertices[0].v}), (std::array{0.5f, 0.5f}));
    ExpectPosition(vertices[1], 3.0f, 2.0f, 3.0f);
    EXPECT_EQ((std::array{vertices[1].u, vertices[1].v}), (std::array{1.0f, 0.5f}));
    ExpectPosition(vertices[2], 2.414f, 3.414f, 3.0f);
    EXPECT_NEAR(vertices[3].u, 0.5f, 1e-6f) << "a quarter turn is at the top of the texture";
    EXPECT_NEAR(vertices[3].v, 0.0f, 1e-6f);
    EXPECT_EQ(std::memcmp(&vertices[9], &vertices[1], sizeof(TQRD3D_ColorVertex)), 0) << "the rim is closed";
    for (const TQRD3D_ColorVertex& vertex : vertices) {
        EXPECT_EQ((std::array{vertex.nx, vertex.ny, vertex.nz}), (std::array{0.0f, 0.0f, 1.0f}));
    }
}

TEST_F(DrawHelperTest, CircleVertexCountFollowsDetailAndRadiusMustBePositive)
{
    const struct {
        int level;
        std::size_t vertices;
    } rows[] = {{0, 10}, {1, 20}, {2, 40}, {7, 40}};
    for (const auto& row : rows) {
        SCOPED_TRACE("level " + std::to_string(row.level));
        m_device.ClearRecords();
        m_helper.SetLevelOfDetail(row.level);
        EXPECT_TRUE(m_helper.DrawCircle(0, 0, 0, 1));
        const FakeDraw& draw = OnlyDraw();
        EXPECT_EQ(draw.Vertices<TQRD3D_ColorVertex>().size(), row.vertices);
        EXPECT_EQ(draw.primitiveCount, row.vertices - 2);
        const auto vertices = draw.Vertices<TQRD3D_ColorVertex>();
        for (std::size_t i = 1; i < vertices.size(); ++i) {
            EXPECT_NEAR(std::hypot(vertices[i].x, vertices[i].y), 1.0f, 1e-5f) << "rim vertex " << i;
        }
    }
    m_device.ClearRecords();
    EXPECT_FALSE(m_helper.DrawCircle(0, 0, 0, 0.0f));
    EXPECT_FALSE(m_helper.DrawCircle(0, 0, 0, -1.0f));
    EXPECT_TRUE(m_device.log.empty());
}

TEST_F(DrawHelperTest, RectangleCornersDoNotDependOnArgumentOrder)
{
    EXPECT_TRUE(m_helper.DrawRectangleXY(5, 7, 3, 1, 2, 11));
    EXPECT_TRUE(m_helper.DrawRectangleXY(1, 2, 3, 5, 7, 11));
    ASSERT_EQ(m_device.draws.size(), 2u);
    EXPECT_EQ(m_device.draws[0].vertexBytes, m_device.draws[1].vertexBytes);
    const FakeDraw& draw = m_device.draws[0];
    EXPECT_EQ(draw.type, D3DPT_TRIANGLEFAN);
    EXPECT_EQ(draw.primitiveCount, 4u);
    const auto v = draw.Vertices<TQRD3D_ColorVertex>();
    ASSERT_EQ(v.size(), 6u);
    const float expected[6][5] = {{3, 4.5f, 0.5f, 0.5f}, {1, 7, 1, 0}, {1, 2, 1, 1},
                                  {5, 2, 0, 1},          {5, 7, 0, 0}, {1, 7, 1, 0}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE("vertex " + std::to_string(i));
        EXPECT_EQ((std::array{v[i].x, v[i].y, v[i].z, v[i].u, v[i].v}),
                  (std::array{expected[i][0], expected[i][1], 0.0f, expected[i][2], expected[i][3]}));
        EXPECT_EQ((std::array{v[i].nx, v[i].ny, v[i].nz}), (std::array{0.0f, 0.0f, 1.0f}));
    }
}

TEST_F(DrawHelperTest, RectangleXZLiesAtGroundLevelFacingUp)
{
    EXPECT_TRUE(m_helper.DrawRectangleXZ(5, 9, 7, 1, 9, 2));
    const auto v = OnlyDraw().Vertices<TQRD3D_ColorVertex>();
    ASSERT_EQ(v.size(), 6u);
    EXPECT_EQ((std::array{v[0].x, v[0].y, v[0].z}), (std::array{3.0f, 0.0f, 4.5f}));
    EXPECT_EQ((std::array{v[1].x, v[1].y, v[1].z}), (std::array{1.0f, 0.0f, 7.0f}));
    EXPECT_EQ((std::array{v[3].x, v[3].y, v[3].z}), (std::array{5.0f, 0.0f, 2.0f}));
    EXPECT_EQ((std::array{v[4].nx, v[4].ny, v[4].nz}), (std::array{0.0f, 1.0f, 0.0f}));
}

TEST_F(DrawHelperTest, ModeSettersMapToDeviceStates)
{
    const struct {
        bool fill;
        int mode;
        D3DRENDERSTATETYPE state;
        DWORD value;
    } rows[] = {
        {true, 2, D3DRS_FILLMODE, D3DFILL_SOLID},    {true, 1, D3DRS_FILLMODE, D3DFILL_WIREFRAME},
        {true, 0, D3DRS_FILLMODE, D3DFILL_POINT},    {true, 5, D3DRS_FILLMODE, D3DFILL_POINT},
        {false, 1, D3DRS_SHADEMODE, D3DSHADE_GOURAUD}, {false, 0, D3DRS_SHADEMODE, D3DSHADE_FLAT},
        {false, 2, D3DRS_SHADEMODE, D3DSHADE_FLAT},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE((row.fill ? "fill " : "shade ") + std::to_string(row.mode));
        m_device.ClearRecords();
        if (row.fill) {
            m_helper.SetFillMode(row.mode);
            EXPECT_EQ(m_helper.GetFillMode(), row.mode);
        } else {
            m_helper.SetShadeMode(row.mode);
            EXPECT_EQ(m_helper.GetShadeMode(), row.mode);
        }
        EXPECT_THAT(m_device.RenderStatesSet(), ElementsAre(Pair(row.state, row.value)));
    }
}

TEST_F(DrawHelperTest, BlendingAndLightingSetTheirStatesInOrder)
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
                                          "SetRenderState(171, 1)", "SetRenderState(27, 0)",
                                          "SetRenderState(137, 1)", "SetMaterial", "SetRenderState(137, 0)"));
    ASSERT_EQ(m_device.materials.size(), 1u);
    EXPECT_FLOAT_EQ(m_device.materials[0].Diffuse.g, 0.2f);
    EXPECT_FLOAT_EQ(m_device.materials[0].Power, 3.0f);
}

TEST_F(DrawHelperTest, TextureIsBoundByNameAndUnbound)
{
    WriteImageFile("Textures/ground.png", 2, 2, 0xFF808080);
    m_helper.SetTextureFileName(L"ground.png");
    EXPECT_TRUE(m_helper.EnableTexture(true));
    ASSERT_EQ(m_device.textures.size(), 1u);
    EXPECT_EQ(m_device.textures[0].second, GetGraphicsSystem()->FindTexture(L"ground.png", false)->GetTexture());
    EXPECT_TRUE(m_helper.EnableTexture(false));
    EXPECT_EQ(m_device.textures.back().second, nullptr);

    m_device.ClearRecords();
    m_helper.SetTextureFileName(L"absent.png");
    EXPECT_FALSE(m_helper.EnableTexture(true));
    EXPECT_TRUE(m_device.log.empty()) << "the stage keeps its previous state";
    EXPECT_THAT(m_statusTexts, ElementsAre(L"**ERROR** [absent.png]: file not found!"));
}

TEST_F(DrawHelperTest, ResetAttributesSwitchesBlendingAndTextureOffButLeavesLighting)
{
    m_helper.SetColor1(kRed);
    m_helper.SetPointSize(4.0f);
    m_helper.ResetAttributes();
    EXPECT_THAT(m_device.log, ElementsAre("SetRenderState(27, 0)", "SetTexture(0, null)",
                                          "SetTextureStageState(0, 1, 1)"));
    EXPECT_EQ(m_helper.GetColor1(), TQR_Color(255, 255, 255, 255));
    EXPECT_EQ(m_helper.GetPointSize(), 1.0f);
}

D3DXMATRIX Translation(float x, float y, float z)
{
    D3DXMATRIX matrix;
    D3DXMatrixTranslation(&matrix, x, y, z);
    return matrix;
}

bool SameMatrix(const D3DMATRIX& a, const D3DMATRIX& b)
{
    for (int i = 0; i < 16; ++i) {
        if (std::abs(a.m[i / 4][i % 4] - b.m[i / 4][i % 4]) > 1e-5f) {
            return false;
        }
    }
    return true;
}

// Whatever the device's world transform was, the first matrix operation of a fresh helper
// starts from the identity.
TEST_F(DrawHelperTest, FirstMatrixOperationStartsFromIdentity)
{
    const D3DXMATRIX stale = Translation(9, 9, 9);
    const std::function<bool(TQRD3D_DrawHelper&)> operations[] = {
        [](TQRD3D_DrawHelper& h) { return h.PushModelTransform(); },
        [](TQRD3D_DrawHelper& h) { return h.PopModelTransform() || true; },
        [](TQRD3D_DrawHelper& h) {
            return h.SetTransformation(0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0);
        },
    };
    for (std::size_t i = 0; i < std::size(operations); ++i) {
        SCOPED_TRACE("operation " + std::to_string(i));
        m_device.SetTransform(D3DTS_WORLD, &stale);
        TQRD3D_DrawHelper helper;
        EXPECT_TRUE(operations[i](helper));
        D3DXMATRIX identity;
        D3DXMatrixIdentity(&identity);
        EXPECT_TRUE(SameMatrix(m_device.Transform(D3DTS_WORLD), identity));
    }
}

TEST_F(DrawHelperTest, SetTransformationComposesPivotRotationScaleAndTranslation)
{
    // Rotation by 90 degrees about z in row-vector form: x goes to y.
    ASSERT_TRUE(m_helper.SetTransformation(10, 0, 0, 2, 3, 1, 0, 1, 0, -1, 0, 0, 0, 0, 1, 1, 0, 0));
    TQR_Vector3 point{2, 0, 0};
    ASSERT_TRUE(m_helper.TransformPoint(point));
    // (2,0,0) - p = (1,0,0); scaled (2,0,0); rotated (0,2,0); + p = (1,2,0); + t = (11,2,0).
    EXPECT_NEAR(point.x, 11.0f, 1e-5f);
    EXPECT_NEAR(point.y, 2.0f, 1e-5f);
    EXPECT_NEAR(point.z, 0.0f, 1e-5f);

    D3DXVECTOR3 viaDevice;
    const D3DXVECTOR3 original(2, 0, 0);
    D3DXMATRIX world(m_device.Transform(D3DTS_WORLD));
    D3DXVec3TransformCoord(&viaDevice, &original, &world);
    EXPECT_NEAR(viaDevice.x, 11.0f, 1e-5f) << "the device's world transform is the top of the stack";
}

TEST_F(DrawHelperTest, PushAndPopMirrorTheStackIntoTheWorldTransform)
{
    ASSERT_TRUE(m_helper.PushModelTransform());
    m_helper.SetTransformation(1, 2, 3, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0);
    EXPECT_TRUE(SameMatrix(m_device.Transform(D3DTS_WORLD), Translation(1, 2, 3)));
    ASSERT_TRUE(m_helper.PushModelTransform());
    m_helper.SetTransformation(1, 0, 0, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0);
    EXPECT_TRUE(SameMatrix(m_device.Transform(D3DTS_WORLD), Translation(2, 2, 3)));
    ASSERT_TRUE(m_helper.PopModelTransform());
    EXPECT_TRUE(SameMatrix(m_device.Transform(D3DTS_WORLD), Translation(1, 2, 3)));
    ASSERT_TRUE(m_helper.PopModelTransform());
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    EXPECT_TRUE(SameMatrix(m_device.Transform(D3DTS_WORLD), identity));
}

TEST_F(DrawHelperTest, TransformPointBeforeAnyStackLeavesPointAlone)
{
    TQR_Vector3 point{1, 2, 3};
    EXPECT_FALSE(m_helper.TransformPoint(point));
    EXPECT_EQ(point, (TQR_Vector3{1, 2, 3}));
    EXPECT_TRUE(m_device.log.empty());
}

using DrawHelperWithoutDeviceTest = GraphicsTest;

TEST_F(DrawHelperWithoutDeviceTest, DrawingAndMatricesFailWhileModesAreStillStored)
{
    TQRD3D_DrawHelper helper;
    EXPECT_FALSE(helper.DrawPoint(0, 0, 0));
    EXPECT_FALSE(helper.DrawLine(0, 0, 0, 1, 1, 1));
    EXPECT_FALSE(helper.DrawCircle(0, 0, 0, 1));
    EXPECT_FALSE(helper.DrawRectangleXY(0, 0, 0, 1, 1, 1));
    EXPECT_FALSE(helper.DrawRectangleXZ(0, 0, 0, 1, 1, 1));
    EXPECT_FALSE(helper.InitializeModelTransform());
    EXPECT_FALSE(helper.PushModelTransform());
    EXPECT_FALSE(helper.PopModelTransform());
    EXPECT_FALSE(helper.SetTransformation(0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0));
    TQR_Vector3 point{1, 2, 3};
    EXPECT_FALSE(helper.TransformPoint(point));
    EXPECT_TRUE(helper.EnableBlending(true));
    EXPECT_TRUE(helper.EnableTexture(true));
    EXPECT_TRUE(helper.EnableLighting(true));
    helper.SetFillMode(1);
    helper.SetShadeMode(0);
    EXPECT_EQ(helper.GetFillMode(), 1);
    EXPECT_EQ(helper.GetShadeMode(), 0);
    EXPECT_TRUE(m_device.log.empty());
    EXPECT_TRUE(m_statusTexts.empty());
}

} // namespace
