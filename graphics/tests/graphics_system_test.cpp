#include "graphics_fixture.h"

#include "graphics/graphics_system.h"
#include "platform/win/dialog_service.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::Pair;

namespace {

bool IsIdentity(const D3DMATRIX& matrix)
{
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            if (matrix.m[row][column] != (row == column ? 1.0f : 0.0f)) {
                return false;
            }
        }
    }
    return true;
}

using GraphicsSystemTest = GraphicsTest;

TEST_F(GraphicsSystemTest, ContextCreatesDeviceOnMainWindowWithInitialStates)
{
    ASSERT_TRUE(GetGraphicsSystem()->CreateGraphicsContext(m_mainWindow));
    EXPECT_EQ(GetGraphicsSystem()->GetDevice(), &m_device);

    ASSERT_EQ(m_d3d.deviceRequests.size(), 1u);
    const FakeDeviceRequest& request = m_d3d.deviceRequests[0];
    EXPECT_EQ(request.adapter, 0u);
    EXPECT_EQ(request.type, D3DDEVTYPE_HAL);
    EXPECT_EQ(request.focusWindow, m_mainWindow);
    EXPECT_EQ(request.behaviour, 0x20u);
    const D3DPRESENT_PARAMETERS& p = request.parameters;
    EXPECT_EQ(p.BackBufferFormat, FakeDirect3D::kDisplayMode.Format);
    EXPECT_EQ(p.Windowed, TRUE);
    EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_DISCARD);
    EXPECT_EQ(p.EnableAutoDepthStencil, TRUE);
    EXPECT_EQ(p.AutoDepthStencilFormat, D3DFMT_D24S8);
    EXPECT_EQ(p.PresentationInterval, 0x80000000u);
    EXPECT_EQ(p.BackBufferWidth + p.BackBufferHeight + p.BackBufferCount, 0u);
    EXPECT_EQ(p.hDeviceWindow, nullptr);

    EXPECT_THAT(m_device.RenderStatesSet(),
                ElementsAre(Pair(D3DRS_CULLMODE, 1u), Pair(D3DRS_SPECULARENABLE, 1u),
                            Pair(D3DRS_DIFFUSEMATERIALSOURCE, 0u), Pair(D3DRS_SPECULARMATERIALSOURCE, 0u),
                            Pair(D3DRS_AMBIENTMATERIALSOURCE, 0u), Pair(D3DRS_EMISSIVEMATERIALSOURCE, 0u),
                            Pair(D3DRS_NORMALIZENORMALS, 1u), Pair(D3DRS_ZENABLE, 1u)));
    const std::vector<std::string> transforms(m_device.log.end() - 3, m_device.log.end());
    EXPECT_THAT(transforms, ElementsAre("SetTransform(256)", "SetTransform(2)", "SetTransform(3)"));
    for (D3DTRANSFORMSTATETYPE transform : {D3DTS_WORLD, D3DTS_VIEW, D3DTS_PROJECTION}) {
        EXPECT_TRUE(IsIdentity(m_device.Transform(transform))) << "transform " << transform;
    }
}

TEST_F(GraphicsSystemTest, SecondContextCreationChangesNothing)
{
    CreateContext();
    EXPECT_TRUE(GetGraphicsSystem()->CreateGraphicsContext(m_windows.Add(10, 10)));
    EXPECT_EQ(m_d3d.deviceRequests.size(), 1u);
    EXPECT_TRUE(m_device.log.empty());
    EXPECT_EQ(GetGraphicsSystem()->GetDevice(), &m_device);
}

TEST_F(GraphicsSystemTest, DeviceFailureShowsMessageBoxAndKeepsNoDevice)
{
    ScriptedDialogService dialogs;
    m_d3d.failCreateDevice = true;
    EXPECT_FALSE(GetGraphicsSystem()->CreateGraphicsContext(m_mainWindow));
    EXPECT_EQ(GetGraphicsSystem()->GetDevice(), nullptr);
    ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
    const auto& box = dialogs.MessageBoxes()[0];
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text, L"D3D Creation Failed during CreateDevice");
    EXPECT_EQ(box.caption, L"TQRD3D_GraphicsSystem::CreateGraphicsContext");
    EXPECT_EQ(box.type & MB_TYPEMASK, MB_OK);

    // A later attempt starts over without leaking the first Direct3D object.
    m_d3d.failCreateDevice = false;
    EXPECT_TRUE(GetGraphicsSystem()->CreateGraphicsContext(m_mainWindow));
    EXPECT_EQ(dialogs.MessageBoxes().size(), 1u);
}

TEST_F(GraphicsSystemTest, MissingDirect3DFailsSilently)
{
    ScriptedDialogService dialogs;
    GetGraphicsSystem()->SetDirect3DFactory([](UINT) -> IDirect3D9* { return nullptr; });
    EXPECT_FALSE(GetGraphicsSystem()->CreateGraphicsContext(m_mainWindow));
    EXPECT_TRUE(dialogs.MessageBoxes().empty());
    EXPECT_TRUE(m_d3d.deviceRequests.empty());
}

TEST_F(GraphicsSystemTest, FirstSwapChainIsTheImplicitOneWhateverWindow)
{
    CreateContext();
    IDirect3DSwapChain9* implicit = nullptr;
    m_device.GetSwapChain(0, &implicit);
    IDirect3DSwapChain9* first = GetGraphicsSystem()->CreateSwapChain(m_windows.Add(200, 100));
    EXPECT_EQ(first, implicit);
    EXPECT_TRUE(m_device.additionalChains.empty());
    first->Release();
    implicit->Release();
}

TEST_F(GraphicsSystemTest, LaterSwapChainsAreSizedToTheirWindow)
{
    CreateContext();
    GetGraphicsSystem()->CreateSwapChain(m_mainWindow)->Release();
    const HWND small = m_windows.Add(200, 100);
    IDirect3DSwapChain9* chain = GetGraphicsSystem()->CreateSwapChain(small);
    ASSERT_NE(chain, nullptr);
    D3DPRESENT_PARAMETERS p;
    chain->GetPresentParameters(&p);
    chain->Release();
    EXPECT_EQ(p.BackBufferWidth, 200u);
    EXPECT_EQ(p.BackBufferHeight, 100u);
    EXPECT_EQ(p.BackBufferFormat, FakeDirect3D::kDisplayMode.Format);
    EXPECT_EQ(p.Windowed, TRUE);
    EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_DISCARD);
    EXPECT_EQ(p.hDeviceWindow, small);
    EXPECT_EQ(p.PresentationInterval, 0x80000000u);
    EXPECT_EQ(p.EnableAutoDepthStencil, FALSE);
}

TEST_F(GraphicsSystemTest, SwapChainRefusedForNonWindowOrEmptyClientAreaIsNotCounted)
{
    CreateContext();
    const struct {
        const char* what;
        HWND window;
    } refused[] = {
        {"not a window", reinterpret_cast<HWND>(0x7777)},
        {"zero width", m_windows.Add(0, 50)},
        {"zero height", m_windows.Add(50, 0)},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(GetGraphicsSystem()->CreateSwapChain(row.window), nullptr);
    }
    IDirect3DSwapChain9* first = GetGraphicsSystem()->CreateSwapChain(m_windows.Add(30, 30));
    EXPECT_TRUE(m_device.additionalChains.empty()) << "a refused request was counted";
    first->Release();
}

TEST_F(GraphicsSystemTest, FailedAdditionalChainIsNullButCounted)
{
    CreateContext();
    GetGraphicsSystem()->CreateSwapChain(m_mainWindow)->Release();
    m_device.failAdditionalChains = true;
    EXPECT_EQ(GetGraphicsSystem()->CreateSwapChain(m_windows.Add(20, 20)), nullptr);
    m_device.failAdditionalChains = false;
    IDirect3DSwapChain9* chain = GetGraphicsSystem()->CreateSwapChain(m_windows.Add(20, 20));
    EXPECT_EQ(m_device.additionalChains.size(), 2u);
    chain->Release();
}

TEST_F(GraphicsSystemTest, ReleaseEmptiesTablesAndDropsDevice)
{
    WriteMeshFile("a.x", 1.0f);
    WriteImageFile("t.png", 2, 2, 0xFF00FF00);
    CreateContext();
    ASSERT_NE(GetGraphicsSystem()->FindMesh(L"a.x"), nullptr);
    ASSERT_NE(GetGraphicsSystem()->FindTexture(L"t.png", true), nullptr);
    GetGraphicsSystem()->ReleaseResources();
    EXPECT_EQ(GetGraphicsSystem()->GetMeshes().Count(), 0);
    EXPECT_EQ(GetGraphicsSystem()->GetTextures().Count(), 0);
    EXPECT_EQ(GetGraphicsSystem()->GetDevice(), nullptr);
    EXPECT_EQ(m_device.references, 1u);
    EXPECT_EQ(GetGraphicsSystem()->FindMesh(L"a.x"), nullptr);
    EXPECT_TRUE(m_statusTexts.empty()) << "a lookup without a device reported something";
}

TEST_F(GraphicsSystemTest, BindAndUnbindTextureSetStageZero)
{
    WriteImageFile("t.png", 2, 2, 0xFF00FF00);
    CreateContext();
    EXPECT_TRUE(GetGraphicsSystem()->BindTexture(L"t.png", 0));
    EXPECT_THAT(m_device.log, ElementsAre("SetTextureStageState(0, 1, 2)", "SetTextureStageState(0, 4, 2)",
                                          "SetTexture(0, texture)"));
    EXPECT_EQ(m_device.textures.back().second, GetGraphicsSystem()->FindTexture(L"t.png", false)->GetTexture());
    m_device.ClearRecords();

    GetGraphicsSystem()->UnbindTexture(0);
    EXPECT_THAT(m_device.log, ElementsAre("SetTexture(0, null)", "SetTextureStageState(0, 1, 1)"));
    m_device.ClearRecords();

    EXPECT_FALSE(GetGraphicsSystem()->BindTexture(L"missing.png", 0));
    EXPECT_TRUE(m_device.log.empty()) << "a failed bind changed the stage";
}

} // namespace
