// A mesh and a texture loaded from files and drawn through the OpenGL device.
#include "platform/d3d9/testing/device_probe.h"
#include "platform/d3d9/testing/test_window_host.h"
#include "platform/d3dx9/d3dx9.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr UINT kSize = 64;

// 0xRRGGBB of pixel (x, y) of a presented frame, row 0 at the top.
DWORD Pixel(const PresentedFrame& frame, UINT x, UINT y)
{
    const BYTE* p = &frame.bgra[(size_t{y} * frame.width + x) * 4];
    return (DWORD{p[2]} << 16) | (DWORD{p[1]} << 8) | p[0];
}

bool Near(DWORD actual, DWORD expected)
{
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > 6) {
            return false;
        }
    }
    return true;
}

class MeshDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_d3d = Direct3DCreate9(D3D_SDK_VERSION);
        if (m_d3d == nullptr) {
            GTEST_SKIP() << kNoDeviceReason;
        }
        D3DPRESENT_PARAMETERS parameters;
        parameters.Windowed = TRUE;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        parameters.EnableAutoDepthStencil = TRUE;
        parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
        ASSERT_EQ(m_d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, m_window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                      &parameters, &m_device),
                  D3D_OK);
        m_device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        m_device->SetRenderState(D3DRS_LIGHTING, FALSE);
    }
    void TearDown() override
    {
        if (m_device != nullptr) {
            m_device->Release();
        }
        if (m_d3d != nullptr) {
            m_d3d->Release();
        }
    }

    TestWindowHost m_host{0x40};
    HWND m_window = m_host.AddWindow(kSize, kSize);
    IDirect3D9* m_d3d = nullptr;
    IDirect3DDevice9* m_device = nullptr;
};

// Two quads in clip space: the left one green by its vertex colours (subset 0), the right one
// textured with a red top row and a blue bottom row (subset 1).
TEST_F(MeshDrawTest, SubsetsDrawWithVertexColoursAndTheirMaterialsTexture)
{
    const std::filesystem::path folder = std::filesystem::path(RELIEF_TEST_OUTPUT_DIR) / "d3dx9";
    std::filesystem::create_directories(folder);
    const unsigned char texels[] = {255, 0, 0, 255, 0, 0, 255, 255};
    ASSERT_TRUE(QImage(texels, 1, 2, 4, QImage::Format_RGBA8888)
                    .save(QString::fromStdString((folder / "rows.png").string()), "png"));
    const std::filesystem::path meshFile = folder / "two quads.x";
    std::ofstream(meshFile) << R"(xof 0303txt 0032
Mesh {
 8; -1;1;0.5;, 0;1;0.5;, 0;-1;0.5;, -1;-1;0.5;, 0;1;0.5;, 1;1;0.5;, 1;-1;0.5;, 0;-1;0.5;;
 2; 4;0,1,2,3;, 4;4,5,6,7;;
 MeshVertexColors { 8; 0;0;1;0;1;;, 1;0;1;0;1;;, 2;0;1;0;1;;, 3;0;1;0;1;;,
                       4;1;1;1;1;;, 5;1;1;1;1;;, 6;1;1;1;1;;, 7;1;1;1;1;;; }
 MeshTextureCoords { 8; 0;0;, 1;0;, 1;1;, 0;1;, 0;0;, 1;0;, 1;1;, 0;1;; }
 MeshMaterialList { 2; 2; 0, 1;
  Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }
  Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { "rows.png"; } }
 }
})";
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer* materials = nullptr;
    DWORD materialCount = 0;
    ASSERT_EQ(D3DXLoadMeshFromXW(meshFile.wstring().c_str(), D3DXMESH_SYSTEMMEM, m_device, nullptr, &materials, nullptr,
                                 &materialCount, &mesh),
              D3D_OK)
        << D3DXGetLastErrorMessage();
    ASSERT_EQ(materialCount, 2u);
    const char* textureName = static_cast<D3DXMATERIAL*>(materials->GetBufferPointer())[1].pTextureFilename;
    const std::string texturePath = (folder / textureName).string();
    const std::wstring wideTexturePath(texturePath.begin(), texturePath.end());
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileW(m_device, wideTexturePath.c_str(), &texture), D3D_OK)
        << D3DXGetLastErrorMessage();

    m_device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    m_device->BeginScene();
    EXPECT_EQ(mesh->DrawSubset(0), D3D_OK);
    m_device->SetTexture(0, texture);
    m_device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    m_device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    EXPECT_EQ(mesh->DrawSubset(1), D3D_OK);
    m_device->EndScene();
    IDirect3DSwapChain9* chain = nullptr;
    ASSERT_EQ(m_device->GetSwapChain(0, &chain), D3D_OK);
    chain->Present(nullptr, nullptr, nullptr, nullptr, 0);
    chain->Release();

    const PresentedFrame* frame = m_host.LastFrame(m_window);
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->bgra.size(), size_t{kSize} * kSize * 4);
    EXPECT_PRED2(Near, Pixel(*frame, 16, 16), 0x00FF00u);
    EXPECT_PRED2(Near, Pixel(*frame, 16, 48), 0x00FF00u);
    EXPECT_PRED2(Near, Pixel(*frame, 48, 8), 0xFF0000u);
    EXPECT_PRED2(Near, Pixel(*frame, 48, 56), 0x0000FFu);

    texture->Release();
    materials->Release();
    mesh->Release();
}

} // namespace
