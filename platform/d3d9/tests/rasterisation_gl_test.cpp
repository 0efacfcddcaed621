// Pixel tests of clearing, vertex colours, shading, fill modes, culling and the depth test.
#include "device_fixture.h"

#include <bit>

namespace {

constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kGreen = 0xFF00FF00;
constexpr D3DCOLOR kBlue = 0xFF0000FF;
constexpr Rgb kRedRgb{255, 0, 0};
constexpr Rgb kGreenRgb{0, 255, 0};
constexpr Rgb kClearRgb{32, 32, 32};

struct PositionVertex {
    static constexpr DWORD kFvf = D3DFVF_XYZ;
    float x, y, z;
};

using RasterisationTest = DeviceTest;

TEST_F(RasterisationTest, ClearFillsWholeTargetOrOnlyTheGivenRectangles)
{
    const PresentedFrame& whole = Render([] {}, 0xFF3366CC);
    EXPECT_TRUE(RegionIs(whole, 0, 0, kSize, kSize, Rgb{0x33, 0x66, 0xCC}, 0));

    const D3DRECT topLeft{0, 0, 64, 32};
    const PresentedFrame& partial =
        Render([&] { EXPECT_EQ(m_device->Clear(1, &topLeft, D3DCLEAR_TARGET, kRed, 1.0f, 0), D3D_OK); });
    EXPECT_TRUE(RegionIs(partial, 0, 0, 64, 32, kRedRgb, 0));
    EXPECT_TRUE(RegionIs(partial, 64, 0, kSize, kSize, kClearRgb, 0));
    EXPECT_TRUE(RegionIs(partial, 0, 32, 64, kSize, kClearRgb, 0));
}

TEST_F(RasterisationTest, ClearRejectsMissingRectanglesUnknownFlagsAndDepthOutsideZeroToOne)
{
    EXPECT_EQ(m_device->Clear(1, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(m_device->Clear(0, nullptr, 0, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(m_device->Clear(0, nullptr, 0x10, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(m_device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.5f, 0), D3DERR_INVALIDCALL);
}

TEST_F(RasterisationTest, UnlitDrawingUsesVertexColoursAndWhiteWithoutThem)
{
    const std::vector<PositionVertex> plain{{-1.0f, 1.0f, 0.5f}, {0.0f, 1.0f, 0.5f},  {0.0f, -1.0f, 0.5f},
                                            {-1.0f, 1.0f, 0.5f}, {0.0f, -1.0f, 0.5f}, {-1.0f, -1.0f, 0.5f}};
    const PresentedFrame& frame = Render([&] {
        // A material and a light must play no part while lighting is off.
        D3DMATERIAL9 material;
        material.Emissive = {0.0f, 0.0f, 1.0f, 1.0f};
        m_device->SetMaterial(&material);
        EXPECT_EQ(DrawTriangles(Rectangle(0.0f, 1.0f, 1.0f, -1.0f, 0.5f, kGreen)), D3D_OK);
        EXPECT_EQ(DrawTriangles(plain), D3D_OK);
    });
    EXPECT_TRUE(RegionIs(frame, 4, 4, 60, 124, Rgb{255, 255, 255}));
    EXPECT_TRUE(RegionIs(frame, 68, 4, 124, 124, kGreenRgb));
}

TEST_F(RasterisationTest, FlatShadingUsesFirstVertexColourAndGouraudBlends)
{
    const std::vector<ColourVertex> triangle{
        {-1.0f, 1.0f, 0.5f, kRed}, {1.0f, 1.0f, 0.5f, kGreen}, {-1.0f, -1.0f, 0.5f, kBlue}};
    m_device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    const PresentedFrame& flat = Render([&] { DrawTriangles(triangle); });
    EXPECT_TRUE(RegionIs(flat, 4, 4, 40, 40, kRedRgb));

    m_device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    const PresentedFrame& smooth = Render([&] { DrawTriangles(triangle); });
    EXPECT_TRUE(RegionIs(smooth, 1, 1, 3, 3, kRedRgb, 16));
    EXPECT_TRUE(RegionIs(smooth, 123, 1, 125, 3, kGreenRgb, 16));
    EXPECT_TRUE(RegionIs(smooth, 1, 123, 3, 125, Rgb{0, 0, 255}, 16));
    EXPECT_TRUE(RegionIs(smooth, 42, 42, 43, 43, Rgb{85, 85, 85}, 8));
}

TEST_F(RasterisationTest, FillModesDrawPointsEdgesOrSolidTriangles)
{
    // A large triangle whose inside is far from every edge and vertex.
    const std::vector<ColourVertex> triangle{
        {-0.8f, 0.8f, 0.5f, kRed}, {0.8f, 0.8f, 0.5f, kRed}, {-0.8f, -0.8f, 0.5f, kRed}};
    m_device->SetRenderState(D3DRS_POINTSIZE, std::bit_cast<DWORD>(6.0f));
    struct Case {
        DWORD fillMode;
        Rgb inside;
        Rgb onTopEdge;
        Rgb atVertex;
    };
    const Case cases[] = {
        {D3DFILL_SOLID, kRedRgb, kRedRgb, kRedRgb},
        {D3DFILL_WIREFRAME, kClearRgb, kRedRgb, kRedRgb},
        {D3DFILL_POINT, kClearRgb, kClearRgb, kRedRgb},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "fill mode " << c.fillMode);
        m_device->SetRenderState(D3DRS_FILLMODE, c.fillMode);
        const PresentedFrame& frame = Render([&] { DrawTriangles(triangle); });
        EXPECT_TRUE(RegionIs(frame, 30, 30, 40, 40, c.inside));
        // The top edge runs along y = 12.8 from x = 12.8 to 115.2; the top-left vertex is at (12.8, 12.8).
        EXPECT_TRUE(RegionContains(frame, 60, 11, 61, 15, c.onTopEdge));
        EXPECT_TRUE(RegionContains(frame, 11, 11, 15, 15, c.atVertex));
    }
}

TEST_F(RasterisationTest, CullingNoneDrawsBothWindingsAndDefaultCullsCounterClockwise)
{
    const auto clockwise = Rectangle(-1.0f, 1.0f, 0.0f, -1.0f, 0.5f, kRed);
    auto counterClockwise = Rectangle(0.0f, 1.0f, 1.0f, -1.0f, 0.5f, kGreen);
    std::swap(counterClockwise[1], counterClockwise[2]);
    std::swap(counterClockwise[4], counterClockwise[5]);
    struct Case {
        DWORD cullMode;
        Rgb left;
        Rgb right;
    };
    const Case cases[] = {
        {D3DCULL_NONE, kRedRgb, kGreenRgb},
        {D3DCULL_CCW, kRedRgb, kClearRgb},
        {D3DCULL_CW, kClearRgb, kGreenRgb},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "cull mode " << c.cullMode);
        m_device->SetRenderState(D3DRS_CULLMODE, c.cullMode);
        const PresentedFrame& frame = Render([&] {
            DrawTriangles(clockwise);
            DrawTriangles(counterClockwise);
        });
        EXPECT_TRUE(RegionIs(frame, 8, 8, 56, 120, c.left));
        EXPECT_TRUE(RegionIs(frame, 72, 8, 120, 120, c.right));
    }
}

TEST_F(RasterisationTest, DepthTestKeepsNearerSurfaceWhateverTheDrawingOrder)
{
    const auto nearRed = Rectangle(-1.0f, 1.0f, 0.5f, -1.0f, 0.2f, kRed);
    const auto farGreen = Rectangle(-0.5f, 1.0f, 1.0f, -1.0f, 0.8f, kGreen);
    struct Case {
        DWORD zEnable;
        bool nearFirst;
        Rgb overlap;
    };
    for (const Case& c :
         {Case{D3DZB_TRUE, true, kRedRgb}, Case{D3DZB_TRUE, false, kRedRgb}, Case{D3DZB_FALSE, true, kGreenRgb}}) {
        SCOPED_TRACE(::testing::Message() << "z enable " << c.zEnable << (c.nearFirst ? ", near first" : ""));
        m_device->SetRenderState(D3DRS_ZENABLE, c.zEnable);
        const PresentedFrame& frame = Render([&] {
            DrawTriangles(c.nearFirst ? nearRed : farGreen);
            DrawTriangles(c.nearFirst ? farGreen : nearRed);
        });
        EXPECT_TRUE(RegionIs(frame, 40, 8, 88, 120, c.overlap));
        EXPECT_TRUE(RegionIs(frame, 104, 8, 120, 120, kGreenRgb));
    }
}

TEST_F(RasterisationTest, EveryPrimitiveTypeDrawsItsShape)
{
    // Lines run down x = 32; strip and fan fill the left half; the right half stays clear.
    const auto at = [](float x, float y) { return ColourVertex{x, y, 0.5f, kGreen}; };
    const std::vector<ColourVertex> line{at(-0.5f, 0.9f), at(-0.5f, -0.9f)};
    const std::vector<ColourVertex> lineStrip{at(-0.5f, 0.9f), at(-0.5f, 0.0f), at(-0.5f, -0.9f)};
    const std::vector<ColourVertex> strip{at(-1.0f, 1.0f), at(0.0f, 1.0f), at(-1.0f, -1.0f), at(0.0f, -1.0f)};
    const std::vector<ColourVertex> fan{at(-1.0f, 1.0f), at(0.0f, 1.0f), at(0.0f, -1.0f), at(-1.0f, -1.0f)};
    struct Case {
        const char* name;
        D3DPRIMITIVETYPE type;
        const std::vector<ColourVertex>* vertices;
        UINT count;
        bool filled;
    };
    const Case cases[] = {
        {"line list", D3DPT_LINELIST, &line, 1, false},
        {"line strip", D3DPT_LINESTRIP, &lineStrip, 2, false},
        {"triangle strip", D3DPT_TRIANGLESTRIP, &strip, 2, true},
        {"triangle fan", D3DPT_TRIANGLEFAN, &fan, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PresentedFrame& frame = Render([&] { EXPECT_EQ(Draw(c.type, *c.vertices, c.count), D3D_OK); });
        EXPECT_TRUE(RegionContains(frame, 31, 40, 34, 41, kGreenRgb));
        EXPECT_TRUE(RegionContains(frame, 31, 90, 34, 91, kGreenRgb));
        EXPECT_TRUE(RegionIs(frame, 12, 20, 20, 108, c.filled ? kGreenRgb : kClearRgb));
        EXPECT_TRUE(RegionIs(frame, 72, 8, 120, 120, kClearRgb));
    }
}

TEST_F(RasterisationTest, DrawingNeedsAnOpenSceneAndADrawableFormat)
{
    const auto square = Rectangle(-1.0f, 1.0f, 1.0f, -1.0f, 0.5f, kRed);
    m_device->SetFVF(ColourVertex::kFvf);
    EXPECT_EQ(m_device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, square.data(), sizeof(ColourVertex)),
              D3DERR_INVALIDCALL);
    ASSERT_EQ(m_device->BeginScene(), D3D_OK);
    EXPECT_EQ(m_device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(m_device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, square.data(), 4), D3DERR_INVALIDCALL);
    EXPECT_EQ(m_device->DrawPrimitiveUP(static_cast<D3DPRIMITIVETYPE>(9), 2, square.data(), sizeof(ColourVertex)),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(m_device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, nullptr, sizeof(ColourVertex)), D3DERR_INVALIDCALL);
    m_device->SetFVF(0);
    EXPECT_EQ(m_device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, square.data(), sizeof(ColourVertex)),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(m_device->EndScene(), D3D_OK);
    EXPECT_EQ(m_device->EndScene(), D3DERR_INVALIDCALL);
}

TEST_F(RasterisationTest, IndexedDrawingRejectsIndicesOutsideTheNamedVertices)
{
    const auto square = Rectangle(-1.0f, 1.0f, 1.0f, -1.0f, 0.5f, kGreen);
    const std::vector<WORD> inside{0, 1, 2, 3, 4, 5};
    const std::vector<DWORD> outside{0, 1, 2, 3, 4, 6};
    const PresentedFrame& frame = Render([&] {
        m_device->SetFVF(ColourVertex::kFvf);
        EXPECT_EQ(m_device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, 6, 2, outside.data(), D3DFMT_INDEX32,
                                                   square.data(), sizeof(ColourVertex)),
                  D3DERR_INVALIDCALL);
        EXPECT_EQ(m_device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, 6, 2, inside.data(), D3DFMT_D16,
                                                   square.data(), sizeof(ColourVertex)),
                  D3DERR_INVALIDCALL);
        EXPECT_EQ(m_device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, 6, 2, inside.data(), D3DFMT_INDEX16,
                                                   square.data(), sizeof(ColourVertex)),
                  D3D_OK);
    });
    EXPECT_TRUE(RegionIs(frame, 4, 4, 124, 124, kGreenRgb));
}

} // namespace
