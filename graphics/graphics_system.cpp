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

// Deletes the entries for which drop holds, from the last to the first.
template <typename Table, typename Predicate> void RemoveEntriesWhere(Table& table, Predicate drop)
{
    for (int i = table.Count() - 1; i >= 0; --i) {
        if (drop(*table.Get(i))) {
            table.RemoveAt(i);
        }
    }
}

template <typename Table> void RemoveAllEntries(Table& table)
{
    RemoveEntriesWhere(table, [](const auto&) { return true; });
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
    if (m_device && m_d3d) {
        return true;
    }
    // An object kept from an earlier failed attempt is replaced, not leaked.
    m_d3d = ComPtr<IDirect3D9>::Adopt(m_createDirect3D(D3D_SDK_VERSION));
    if (!m_d3d) {
        return false;
    }
    // A device that cannot be made is shown here, without an owner, while a missing Direct3D
    // object is not: the main dialog only learns "false" and stays up without views, so this
    // box is the user's one word on why nothing is drawn.
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
                                   &parameters, m_device.ReleaseAndGetAddressOf()))) {
        m_device.Reset();
        return false;
    }
    return static_cast<bool>(m_device);
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

ComPtr<IDirect3DSwapChain9> TQRD3D_GraphicsSystem::CreateSwapChain(HWND window)
{
    const ID3D9WindowHost* host = D3D9GetWindowHost();
    UINT width = 0;
    UINT height = 0;
    if (!m_device || host == nullptr || !host->IsLiveWindow(window) || !host->GetClientSize(window, &width, &height) ||
        width == 0 || height == 0) {
        return {};
    }
    ComPtr<IDirect3DSwapChain9> chain;
    if (m_contextCount == 0) {
        // The device's own back buffer, made for the window the device was created on.
        m_device->GetSwapChain(0, chain.ReleaseAndGetAddressOf());
    } else {
        chain = CreateAdditionalSwapChain(window, width, height);
    }
    ++m_contextCount;
    return chain;
}

// Additional chains ask for no depth buffer of their own; the device gives each chain one of its
// size, so every view is depth-tested.
ComPtr<IDirect3DSwapChain9> TQRD3D_GraphicsSystem::CreateAdditionalSwapChain(HWND window, UINT width, UINT height)
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
    ComPtr<IDirect3DSwapChain9> chain;
    if (FAILED(m_device->CreateAdditionalSwapChain(&parameters, chain.ReleaseAndGetAddressOf()))) {
        return {};
    }
    return chain;
}

TQRD3D_TextureResource* TQRD3D_GraphicsSystem::FindTexture(const std::wstring& fileName, bool create)
{
    return FindResourceEntry(m_textures, fileName, create, m_device.Get());
}

TQRD3D_MeshResource* TQRD3D_GraphicsSystem::FindMesh(const std::wstring& fileName, bool create)
{
    return FindResourceEntry(m_meshes, fileName, create, m_device.Get());
}

void TQRD3D_GraphicsSystem::ReleaseTexture(const std::wstring& fileName)
{
    RemoveEntriesWhere(m_textures, [&](const TQRD3D_Resource& entry) { return entry.GetFileName() == fileName; });
}

void TQRD3D_GraphicsSystem::ReleaseMesh(const std::wstring& fileName)
{
    RemoveEntriesWhere(m_meshes, [&](const TQRD3D_Resource& entry) { return entry.GetFileName() == fileName; });
}

void TQRD3D_GraphicsSystem::ReleaseTexturesExcept(const std::set<std::wstring>& namesInUse)
{
    RemoveEntriesWhere(m_textures,
                       [&](const TQRD3D_Resource& entry) { return namesInUse.count(entry.GetFileName()) == 0; });
}

TQRD3D_MeshResource* TQRD3D_GraphicsSystem::AddMesh(const std::wstring& fileName, ID3DXMesh* mesh)
{
    auto entry = std::make_unique<TQRD3D_MeshResource>();
    if (!entry->LoadFromMemory(m_device.Get(), fileName, mesh)) {
        return nullptr;
    }
    return InsertResourceEntry(m_meshes, std::move(entry));
}

bool TQRD3D_GraphicsSystem::BindTexture(const std::wstring& fileName, int stage)
{
    const TQRD3D_TextureResource* entry = FindTexture(fileName, true);
    if (entry == nullptr || !m_device) {
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
    if (!m_device) {
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
    m_device.Reset();
    m_d3d.Reset();
    m_contextCount = 0;
}

TQRD3D_GraphicsSystem* GetGraphicsSystem()
{
    static TQRD3D_GraphicsSystem graphicsSystem;
    return &graphicsSystem;
}
