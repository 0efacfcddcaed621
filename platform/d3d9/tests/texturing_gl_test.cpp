// Pixel tests of texture stage 0, alpha blending and point sprites.
#include "device_fixture.h"

#include "platform/d3d9/ref_counted.h"

#include <bit>
#include <cstring>

namespace {

constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kGreen = 0xFF00FF00;
constexpr D3DCOLOR kBlue = 0xFF0000FF;
constexpr D3DCOLOR kWhite = 0xFFFFFFFF;
constexpr Rgb kClearRgb{32, 32, 32};

struct TexturedVertex {
    static constexpr DWORD kFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
    float x, y, z;
    D3DCOLOR colour;
    float u, v;
};

struct SizedPointVertex {
    static constexpr DWORD kFvf = D3DFVF_XYZ | D3DFVF_PSIZE | D3DFVF_DIFFUSE;
    float x, y, z;
    float size;
    D3DCOLOR colour;
};

// The whole target, (u, v) = (0, 0) at the top-left corner, tinted by the vertex colour.
std::vector<TexturedVertex> TexturedSquare(D3DCOLOR tint)
{
    return {{-1.0f, 1.0f, 0.5f, tint, 0.0f, 0.0f}, {1.0f, 1.0f, 0.5f, tint, 1.0f, 0.0f},
            {1.0f, -1.0f, 0.5f, tint, 1.0f, 1.0f}, {-1.0f, 1.0f, 0.5f, tint, 0.0f, 0.0f},
            {1.0f, -1.0f, 0.5f, tint, 1.0f, 1.0f}, {-1.0f, -1.0f, 0.5f, tint, 0.0f, 1.0f}};
}

class TexturingTest : public DeviceTest {
protected:
    // 2 x 2 texels, rows top first: red, green / blue, half-transparent white.
    ComPtr<IDirect3DTexture9> MakeQuadrantTexture()
    {
        IDirect3DTexture9* texture = nullptr;
        EXPECT_EQ(m_device->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
        D3DLOCKED_RECT locked;
        EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
        const D3DCOLOR rows[2][2] = {{kRed, kGreen}, {kBlue, 0x80FFFFFF}};
        for (int row = 0; row < 2; ++row) {
            std::memcpy(static_cast<BYTE*>(locked.pBits) + row * locked.Pitch, rows[row], sizeof rows[row]);
        }
        EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
        return ComPtr<IDirect3DTexture9>::Adopt(texture);
    }
};

TEST_F(TexturingTest, SelectedTextureShowsTexelsWithTopRowAtVZero)
{
    const auto texture = MakeQuadrantTexture();
    m_device->SetTexture(0, texture.Get());
    m_device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    m_device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    // The vertex colour must not show through a selected texture.
    const PresentedFrame& frame = Render([&] { DrawTriangles(TexturedSquare(0xFF000000)); });
    EXPECT_TRUE(RegionIs(frame, 8, 8, 56, 56, Rgb{255, 0, 0}));
    EXPECT_TRUE(RegionIs(frame, 72, 8, 120, 56, Rgb{0, 255, 0}));
    EXPECT_TRUE(RegionIs(frame, 8, 72, 56, 120, Rgb{0, 0, 255}));
    EXPECT_TRUE(RegionIs(frame, 72, 72, 120, 120, Rgb{255, 255, 255}));
}

TEST_F(TexturingTest, StageOperationDecidesBetweenTextureVertexColourAndTheirProduct)
{
    const auto texture = MakeQuadrantTexture();
    struct Case {
        const char* name;
        DWORD colorOp;
        bool bindTexture;
        Rgb topLeft;
        Rgb bottomRight;
    };
    // Tint (0, 255, 255): the product keeps only the green and blue channels of each texel.
    const Case cases[] = {
        {"modulate", D3DTOP_MODULATE, true, Rgb{0, 0, 0}, Rgb{0, 255, 255}},
        {"disabled stage", D3DTOP_DISABLE, true, Rgb{0, 255, 255}, Rgb{0, 255, 255}},
        {"no texture bound", D3DTOP_MODULATE, false, Rgb{0, 255, 255}, Rgb{0, 255, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_device->SetTexture(0, c.bindTexture ? texture.Get() : nullptr);
        m_device->SetTextureStageState(0, D3DTSS_COLOROP, c.colorOp);
        const PresentedFrame& frame = Render([&] { DrawTriangles(TexturedSquare(0xFF00FFFF)); });
        EXPECT_TRUE(RegionIs(frame, 8, 8, 56, 56, c.topLeft));
        EXPECT_TRUE(RegionIs(frame, 72, 72, 120, 120, c.bottomRight));
    }
}

TEST_F(TexturingTest, ReleasedTextureIsUnboundFromTheStage)
{
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(m_device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    m_device->SetTexture(0, texture);
    texture->Release();
    IDirect3DBaseTexture9* bound = texture;
    EXPECT_EQ(m_device->GetTexture(0, &bound), D3D_OK);
    EXPECT_EQ(bound, nullptr);
    const PresentedFrame& frame = Render([&] { DrawTriangles(TexturedSquare(kGreen)); });
    EXPECT_TRUE(RegionIs(frame, 8, 8, 120, 120, Rgb{0, 255, 0}));
}

TEST_F(TexturingTest, TextureLockingChecksLevelRectangleAndNesting)
{
    IDirect3DTexture9* raw = nullptr;
    ASSERT_EQ(m_device->CreateTexture(8, 4, 0, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &raw, nullptr), D3D_OK);
    const auto texture = ComPtr<IDirect3DTexture9>::Adopt(raw);
    EXPECT_EQ(texture->GetLevelCount(), 1u);
    D3DLOCKED_RECT locked;
    const RECT outside{4, 0, 9, 4};
    const RECT empty{2, 2, 2, 3};
    EXPECT_EQ(texture->LockRect(1, &locked, nullptr, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture->LockRect(0, &locked, &outside, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture->LockRect(0, &locked, &empty, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture->UnlockRect(0), D3DERR_INVALIDCALL);

    D3DLOCKED_RECT whole;
    ASSERT_EQ(texture->LockRect(0, &whole, nullptr, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(whole.Pitch, 32);
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture->UnlockRect(0), D3D_OK);

    const RECT part{1, 2, 3, 4};
    ASSERT_EQ(texture->LockRect(0, &locked, &part, 0), D3D_OK);
    EXPECT_EQ(static_cast<BYTE*>(locked.pBits) - static_cast<BYTE*>(whole.pBits), 2 * 32 + 4);
    EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
}

TEST_F(TexturingTest, CreateTextureRejectsWhatItCannotHold)
{
    IDirect3DTexture9* texture = nullptr;
    struct Case {
        const char* name;
        UINT width, height, levels;
        DWORD usage;
        D3DFORMAT format;
    };
    const Case cases[] = {
        {"zero width", 0, 4, 1, 0, D3DFMT_A8R8G8B8},
        {"several levels", 4, 4, 3, 0, D3DFMT_A8R8G8B8},
        {"render target", 4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8},
        {"depth format", 4, 4, 1, 0, D3DFMT_D24S8},
        {"beyond the size limit", 1u << 20, 4, 1, 0, D3DFMT_A8R8G8B8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(
            m_device->CreateTexture(c.width, c.height, c.levels, c.usage, c.format, D3DPOOL_MANAGED, &texture, nullptr),
            D3DERR_INVALIDCALL);
        EXPECT_EQ(texture, nullptr);
    }
}

TEST_F(TexturingTest, SourceAlphaBlendingMixesWithWhatIsBehind)
{
    const auto halfRed = Rectangle(-1.0f, 1.0f, 1.0f, -1.0f, 0.5f, 0x80FF0000);
    const PresentedFrame& opaque = Render([&] { DrawTriangles(halfRed); }, kBlue);
    EXPECT_TRUE(RegionIs(opaque, 8, 8, 120, 120, Rgb{255, 0, 0}));

    m_device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    m_device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    m_device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    m_device->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    const PresentedFrame& blended = Render([&] { DrawTriangles(halfRed); }, kBlue);
    EXPECT_TRUE(RegionIs(blended, 8, 8, 120, 120, Rgb{128, 0, 127}, 3));
}

TEST_F(TexturingTest, PointSpritesTakeTheVertexSizeOrThePointSizeState)
{
    m_device->SetRenderState(D3DRS_POINTSPRITEENABLE, TRUE);
    m_device->SetRenderState(D3DRS_POINTSIZE, std::bit_cast<DWORD>(8.0f));
    // Left: a point of its own size 40; right: a point of a format without size, at 8.
    const std::vector<SizedPointVertex> sized{{-0.5f, 0.0f, 0.5f, 40.0f, kWhite}};
    const std::vector<ColourVertex> unsized{{0.5f, 0.0f, 0.5f, kWhite}};
    const PresentedFrame& frame = Render([&] {
        EXPECT_EQ(Draw(D3DPT_POINTLIST, sized, 1), D3D_OK);
        EXPECT_EQ(Draw(D3DPT_POINTLIST, unsized, 1), D3D_OK);
    });
    // Centres at (32, 64) and (96, 64).
    EXPECT_TRUE(RegionIs(frame, 14, 46, 50, 82, Rgb{255, 255, 255}));
    EXPECT_TRUE(RegionIs(frame, 32, 8, 33, 42, kClearRgb));
    EXPECT_TRUE(RegionIs(frame, 94, 62, 98, 66, Rgb{255, 255, 255}));
    EXPECT_TRUE(RegionIs(frame, 96, 40, 97, 58, kClearRgb));
    EXPECT_TRUE(RegionIs(frame, 80, 64, 90, 65, kClearRgb));
}

TEST_F(TexturingTest, IndexedPointsKeepTheirOwnSizes)
{
    const std::vector<SizedPointVertex> points{{-0.5f, 0.0f, 0.5f, 30.0f, kRed}, {0.5f, 0.0f, 0.5f, 4.0f, kGreen}};
    const std::vector<WORD> indices{1, 0};
    const PresentedFrame& frame = Render([&] {
        m_device->SetFVF(SizedPointVertex::kFvf);
        EXPECT_EQ(m_device->DrawIndexedPrimitiveUP(D3DPT_POINTLIST, 0, 2, 2, indices.data(), D3DFMT_INDEX16,
                                                   points.data(), sizeof(SizedPointVertex)),
                  D3D_OK);
    });
    EXPECT_TRUE(RegionIs(frame, 20, 52, 44, 76, Rgb{255, 0, 0}));
    EXPECT_TRUE(RegionIs(frame, 95, 63, 97, 65, Rgb{0, 255, 0}));
    EXPECT_TRUE(RegionIs(frame, 96, 54, 97, 60, kClearRgb));
}

} // namespace
