#include "graphics_fixture.h"

#include "graphics/graphics_system.h"
#include "platform/d3dx9/d3dx9.h"
#include "platform/win/dialog_service.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

using GraphicsSystemTest = GraphicsTest;

TEST_F(GraphicsSystemTest, ContextCreatesDeviceOnMainWindowWithInitialStates)
{
    m_device.transforms[D3DTS_VIEW].m[0][1] = 5.0f;
    ASSERT_TRUE(GetGraphicsSystem()->CreateGraphicsContext(m_mainWindow));
    EXPECT_EQ(GetGraphicsSystem()->GetDevice(), &m_device);
    ASSERT_EQ(m_d3d.deviceRequests.size(), 1u);
    const DeviceRequest& request = m_d3d.deviceRequests[0];
    EXPECT_EQ((std::tuple{request.adapter, request.type, request.focusWindow, request.behaviour}),
              (std::tuple{0u, D3DDEVTYPE_HAL, m_mainWindow, 0x20u}));
    const D3DPRESENT_PARAMETERS& p = request.parameters;
    EXPECT_EQ(
        (std::tuple{p.BackBufferFormat, p.Windowed, p.SwapEffect, p.EnableAutoDepthStencil, p.AutoDepthStencilFormat,
                    p.PresentationInterval}),
        (std::tuple{RecordingDirect3D::kDisplayFormat, TRUE, D3DSWAPEFFECT_DISCARD, TRUE, D3DFMT_D24S8, 0x80000000u}));
    EXPECT_EQ((std::tuple{p.BackBufferWidth, p.BackBufferHeight, p.BackBufferCount, p.hDeviceWindow}),
              (std::tuple{0u, 0u, 0u, nullptr}));
    EXPECT_THAT(m_device.log, ElementsAre("SetRenderState(22, 1)", "SetRenderState(29, 1)", "SetRenderState(145, 0)",
                                          "SetRenderState(146, 0)", "SetRenderState(147, 0)", "SetRenderState(148, 0)",
                                          "SetRenderState(143, 1)", "SetRenderState(7, 1)", "SetTransform(256)",
                                          "SetTransform(2)", "SetTransform(3)"));
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    for (const auto& [state, matrix] : m_device.transforms) {
        EXPECT_EQ(std::memcmp(&matrix, &identity, sizeof identity), 0) << "transform " << state;
    }

    // A second call, on any window, changes nothing.
    m_device.ClearRecords();
    EXPECT_TRUE(GetGraphicsSystem()->CreateGraphicsContext(m_windows.AddWindow(10, 10)));
    EXPECT_EQ(m_d3d.deviceRequests.size(), 1u);
    EXPECT_TRUE(m_device.log.empty());
}

TEST_F(GraphicsSystemTest, DeviceFailureShowsMessageBoxAndLeavesNoDevice)
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
    EXPECT_EQ(box.type, MB_OK);
    // A later attempt starts over; tear-down checks that the first object was not leaked.
    m_d3d.failCreateDevice = false;
    EXPECT_TRUE(GetGraphicsSystem()->CreateGraphicsContext(m_mainWindow));
}

TEST_F(GraphicsSystemTest, FirstSwapChainIsImplicitLaterOnesFitTheirWindow)
{
    CreateDevice(m_mainWindow);
    EXPECT_EQ(GetGraphicsSystem()->CreateSwapChain(reinterpret_cast<HWND>(0x7777)), nullptr) << "not a window";
    EXPECT_EQ(GetGraphicsSystem()->CreateSwapChain(m_windows.AddWindow(0, 50)), nullptr) << "zero width";
    EXPECT_EQ(GetGraphicsSystem()->CreateSwapChain(m_windows.AddWindow(50, 0)), nullptr) << "zero height";

    ComPtr<IDirect3DSwapChain9> implicit;
    m_device.GetSwapChain(0, implicit.ReleaseAndGetAddressOf());
    const ComPtr<IDirect3DSwapChain9> first = GetGraphicsSystem()->CreateSwapChain(m_windows.AddWindow(300, 300));
    EXPECT_EQ(first.Get(), implicit.Get()) << "refused requests were counted";
    EXPECT_TRUE(m_device.log.empty());

    const HWND small = m_windows.AddWindow(200, 100);
    const ComPtr<IDirect3DSwapChain9> secondChain = GetGraphicsSystem()->CreateSwapChain(small);
    ASSERT_NE(secondChain, nullptr);
    const auto* second = static_cast<const RecordingSwapChain*>(secondChain.Get());
    const D3DPRESENT_PARAMETERS& p = second->parameters;
    EXPECT_EQ((std::tuple{p.BackBufferWidth, p.BackBufferHeight, p.BackBufferFormat, p.Windowed, p.SwapEffect,
                          p.hDeviceWindow, p.PresentationInterval, p.EnableAutoDepthStencil}),
              (std::tuple{200u, 100u, RecordingDirect3D::kDisplayFormat, TRUE, D3DSWAPEFFECT_DISCARD, small,
                          0x80000000u, FALSE}));

    m_device.failAdditionalChains = true;
    EXPECT_EQ(GetGraphicsSystem()->CreateSwapChain(small), nullptr);
}

TEST_F(GraphicsSystemTest, ReleaseEmptiesTablesAndDropsDevice)
{
    WriteMeshFile("a.x", 1.0f);
    WriteImageFile("t.png", 2, 2, 0xFF00FF00);
    CreateDevice(m_mainWindow);
    ASSERT_NE(GetGraphicsSystem()->FindMesh(L"a.x"), nullptr);
    ASSERT_NE(GetGraphicsSystem()->FindTexture(L"t.png", true), nullptr);
    GetGraphicsSystem()->ReleaseResources();
    EXPECT_EQ(GetGraphicsSystem()->GetMeshes().Count() + GetGraphicsSystem()->GetTextures().Count(), 0);
    EXPECT_EQ(GetGraphicsSystem()->GetDevice(), nullptr);
    EXPECT_EQ(m_device.references, 1u);
    // Without a device lookups neither load nor report.
    EXPECT_EQ(GetGraphicsSystem()->FindMesh(L"a.x"), nullptr);
    EXPECT_EQ(GetGraphicsSystem()->FindMesh(L"missing.x"), nullptr);
    EXPECT_TRUE(m_statusTexts.empty());
}

TEST_F(GraphicsSystemTest, BindAndUnbindTextureSetStageZero)
{
    WriteImageFile("t.png", 2, 2, 0xFF00FF00);
    CreateDevice(m_mainWindow);
    EXPECT_TRUE(GetGraphicsSystem()->BindTexture(L"t.png", 0));
    EXPECT_THAT(m_device.log, ElementsAre("SetTextureStageState(0, 1, 2)", "SetTextureStageState(0, 4, 2)",
                                          "SetTexture(0, texture)"));
    EXPECT_EQ(m_device.textures[0], GetGraphicsSystem()->FindTexture(L"t.png", false)->GetTexture());
    m_device.ClearRecords();
    GetGraphicsSystem()->UnbindTexture(0);
    EXPECT_THAT(m_device.log, ElementsAre("SetTexture(0, null)", "SetTextureStageState(0, 1, 1)"));
    m_device.ClearRecords();
    EXPECT_FALSE(GetGraphicsSystem()->BindTexture(L"missing.png", 0));
    EXPECT_TRUE(m_device.log.empty()) << "a failed bind changed the stage";
}

} // namespace
