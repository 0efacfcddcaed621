#include "graphics/graphics_system.h"

#include "graphics/resource_table.h"
#include "platform/d3d9/window_host.h"
#include "platform/d3dx9/d3dx9.h"
#include "platform/win/win_api.h"

#include <memory>
#include <utility>

namespace {

struct RenderStateSetting {
    D3DRENDERSTATETYPE state;
    DWORD value;
};

// Culling off draws both sides of every triangle; with every material source on the material,
// vertex colours matter only while lighting is off.
constexpr RenderStateSetting kInitialRenderStates[] = {
    {D3DRS_CULLMODE, D3DCULL_NONE},
    {D3DRS_SPECULARENABLE, TRUE},
    {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL},
    {D3DRS_SPECULARMATERIALSOURCE, D3DMCS_MATERIAL},
    {D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL},
    {D3DRS_EMISSIVEMATERIALSOURCE, D3DMCS_MATERIAL},
    {D3DRS_NORMALIZENORMALS, TRUE},
    {D3DRS_ZENABLE, D3DZB_TRUE},
};

template <typename Table> void RemoveAllEntries(Table& table)
{
    for (int i = table.Count() - 1; i >= 0; --i) {
        table.RemoveAt(i);
    }
}

template <typename Interface> void ReleaseAndClear(Interface*& object)
{
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

} // namespace

TQRD3D_GraphicsSystem::TQRD3D_GraphicsSystem() { SetDirect3DFactory(nullptr); }

TQRD3D_GraphicsSystem::~TQRD3D_GraphicsSystem() { ReleaseResources(); }

void TQRD3D_GraphicsSystem::SetDirect3DFactory(Direct3DFactory factory)
{
    m_createDirect3D = factory ? std::move(factory) : Direct3DFactory(Direct3DCreate9);
}

bool TQRD3D_GraphicsSystem::CreateGraphicsContext(HWND window)
{
    if (m_device != nullptr && m_d3d != nullptr) {
        return true;
    }
    // An object kept from an earlier failed attempt is replaced, not leaked.
    ReleaseAndClear(m_d3d);
    m_d3d = m_createDirect3D(D3D_SDK_VERSION);
    if (m_d3d == nullptr) {
        return false;
    }
    if (!CreateDevice(window)) {
        MessageBoxW(nullptr, L"D3D Creation Failed during CreateDevice",
                    L"TQRD3D_GraphicsSystem::CreateGraphicsContext", MB_OK);
        return false;
    }
    SetInitialDeviceState();
    return true;
}

// The back buffer takes the size of the window's client area: width, height, count,
// multisampling and device window stay zero.
bool TQRD3D_GraphicsSystem::CreateDevice(HWND window)
{
    D3DDISPLAYMODE mode;
    m_d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);
    D3DPRESENT_PARAMETERS parameters;
    parameters.BackBufferFormat = mode.Format;
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    if (FAILED(m_d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                   &parameters, &m_device))) {
        m_device = nullptr;
        return false;
    }
    return m_device != nullptr;
}

void TQRD3D_GraphicsSystem::SetInitialDeviceState()
{
    for (const RenderStateSetting& setting : kInitialRenderStates) {
        m_device->SetRenderState(setting.state, setting.value);
    }
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    for (D3DTRANSFORMSTATETYPE transform : {D3DTS_WORLD, D3DTS_VIEW, D3DTS_PROJECTION}) {
        m_device->SetTransform(transform, &identity);
    }
}

IDirect3DSwapChain9* TQRD3D_GraphicsSystem::CreateSwapChain(HWND window)
{
    const ID3D9WindowHost* host = D3D9GetWindowHost();
    UINT width = 0;
    UINT height = 0;
    if (m_device == nullptr || host == nullptr || !host->IsLiveWindow(window) ||
        !host->GetClientSize(window, &width, &height) || width == 0 || height == 0) {
        return nullptr;
    }
    IDirect3DSwapChain9* chain = nullptr;
    if (m_contextCount == 0) {
        // The device's own back buffer, made for the window the device was created on.
        m_device->GetSwapChain(0, &chain);
    } else {
        chain = CreateAdditionalSwapChain(window, width, height);
    }
    ++m_contextCount;
    return chain;
}

// Additional chains ask for no depth buffer of their own; the device gives each chain one of its
// size, so every view is depth-tested.
IDirect3DSwapChain9* TQRD3D_GraphicsSystem::CreateAdditionalSwapChain(HWND window, UINT width, UINT height)
{
    D3DDISPLAYMODE mode;
    m_d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);
    D3DPRESENT_PARAMETERS parameters;
    parameters.BackBufferWidth = width;
    parameters.BackBufferHeight = height;
    parameters.BackBufferFormat = mode.Format;
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.hDeviceWindow = window;
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    IDirect3DSwapChain9* chain = nullptr;
    if (FAILED(m_device->CreateAdditionalSwapChain(&parameters, &chain))) {
        return nullptr;
    }
    return chain;
}

TQRD3D_TextureResource* TQRD3D_GraphicsSystem::FindTexture(const std::wstring& fileName, bool create)
{
    return FindResourceEntry(m_textures, fileName, create, m_device);
}

TQRD3D_MeshResource* TQRD3D_GraphicsSystem::FindMesh(const std::wstring& fileName, bool create)
{
    return FindResourceEntry(m_meshes, fileName, create, m_device);
}

TQRD3D_MeshResource* TQRD3D_GraphicsSystem::AddMesh(const std::wstring& fileName, ID3DXMesh* mesh)
{
    auto entry = std::make_unique<TQRD3D_MeshResource>();
    if (!entry->LoadFromMemory(m_device, fileName, mesh)) {
        return nullptr;
    }
    return InsertResourceEntry(m_meshes, std::move(entry));
}

bool TQRD3D_GraphicsSystem::BindTexture(const std::wstring& fileName, int stage)
{
    const TQRD3D_TextureResource* entry = FindTexture(fileName, true);
    if (entry == nullptr || m_device == nullptr) {
        return false;
    }
    const auto stageIndex = static_cast<DWORD>(stage);
    m_device->SetTextureStageState(stageIndex, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    m_device->SetTextureStageState(stageIndex, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    m_device->SetTexture(stageIndex, entry->GetTexture());
    return true;
}

void TQRD3D_GraphicsSystem::UnbindTexture(int stage)
{
    if (m_device == nullptr) {
        return;
    }
    const auto stageIndex = static_cast<DWORD>(stage);
    m_device->SetTexture(stageIndex, nullptr);
    m_device->SetTextureStageState(stageIndex, D3DTSS_COLOROP, D3DTOP_DISABLE);
}

void TQRD3D_GraphicsSystem::ReleaseResources()
{
    RemoveAllEntries(m_textures);
    RemoveAllEntries(m_meshes);
    ReleaseAndClear(m_device);
    ReleaseAndClear(m_d3d);
    m_contextCount = 0;
}

TQRD3D_GraphicsSystem* GetGraphicsSystem()
{
    static TQRD3D_GraphicsSystem graphicsSystem;
    return &graphicsSystem;
}
