// The single owner of the Direct3D object, the device every view and drawing call uses, and
// the tables of loaded meshes and textures. Reached from anywhere through GetGraphicsSystem.
#pragma once

#include "graphics/mesh_resource.h"
#include "graphics/texture_resource.h"
#include "platform/d3d9/com_ptr.h"
#include "platform/d3d9/d3d9.h"
#include "scene/containers.h"

#include <functional>
#include <set>
#include <string>

class TQRD3D_GraphicsSystem {
public:
    // Makes the Direct3D object for an SDK version, with a reference for the caller, or null;
    // Direct3DCreate9 unless replaced.
    using Direct3DFactory = std::function<IDirect3D9*(UINT sdkVersion)>;

    TQRD3D_GraphicsSystem();
    TQRD3D_GraphicsSystem(const TQRD3D_GraphicsSystem&) = delete;
    TQRD3D_GraphicsSystem& operator=(const TQRD3D_GraphicsSystem&) = delete;
    // Releases the resources; the tables then delete what is left, meshes first.
    virtual ~TQRD3D_GraphicsSystem();

    // Creates the Direct3D object and the device on the main window, with the initial render
    // states and identity transforms. True when both exist (a second call changes nothing). A
    // failed device creation is shown in a message box.
    bool CreateGraphicsContext(HWND window);
    // Null when there is no device; no reference is added.
    IDirect3DDevice9* GetDevice() const { return m_device.Get(); }
    // The first call hands out the device's own swap chain 0 whatever the window; later calls
    // make an additional chain sized to the window's client area. Null (and not counted) for a
    // handle that is not a window or a client area without width or height.
    ComPtr<IDirect3DSwapChain9> CreateSwapChain(HWND window);

    // The shared entry of a file name, loaded on first use when create is set; null when the
    // name is empty, the file cannot be found or loaded, or there is no device.
    TQRD3D_TextureResource* FindTexture(const std::wstring& fileName, bool create);
    TQRD3D_MeshResource* FindMesh(const std::wstring& fileName, bool create);
    TQRD3D_MeshResource* FindMesh(const std::wstring& fileName) { return FindMesh(fileName, true); }
    // Enters a mesh made in memory into the mesh table under fileName, so that it is found and
    // drawn by that name as a loaded one is (see TQRD3D_MeshResource::LoadFromMemory); the entry
    // adds a reference of its own. Null without a device, or when the name is empty or taken.
    TQRD3D_MeshResource* AddMesh(const std::wstring& fileName, ID3DXMesh* mesh);

    // Drops the texture entry of the file name, so the next lookup reads the file again.
    void ReleaseTexture(const std::wstring& fileName);
    // Drops the mesh entry of the file name (and the mesh with it, once nothing else holds a
    // reference), so the next lookup loads the file or a new mesh can take the name.
    void ReleaseMesh(const std::wstring& fileName);
    // Drops every texture entry whose name is not in namesInUse, so a texture that nothing names
    // any more does not stay in memory. Textures of meshes stay with their meshes.
    void ReleaseTexturesExcept(const std::set<std::wstring>& namesInUse);

    // Finds or loads the texture and sets it on the stage to select its colour and alpha.
    bool BindTexture(const std::wstring& fileName, int stage);
    // No texture on the stage, its colour operation disabled.
    void UnbindTexture(int stage);

    // Empties both tables and releases the device and the Direct3D object: back to the state
    // before CreateGraphicsContext, swap chain count included.
    void ReleaseResources();

    // The loaded entries in file name order.
    const TQR_PointerArray<TQRD3D_TextureResource*>& GetTextures() const { return m_textures; }
    const TQR_PointerArray<TQRD3D_MeshResource*>& GetMeshes() const { return m_meshes; }

    // Tests put a device double in place of the real one; an empty factory restores the
    // real one.
    void SetDirect3DFactory(Direct3DFactory factory);

private:
    bool CreateDevice(HWND window);
    void SetInitialDeviceState();
    ComPtr<IDirect3DSwapChain9> CreateAdditionalSwapChain(HWND window, UINT width, UINT height);

    ComPtr<IDirect3D9> m_d3d;
    ComPtr<IDirect3DDevice9> m_device;
    int m_contextCount = 0;
    TQR_PointerArray<TQRD3D_TextureResource*> m_textures;
    TQR_PointerArray<TQRD3D_MeshResource*> m_meshes;
    Direct3DFactory m_createDirect3D;
};

// The single instance. It exists from its first use on, so lookups made before
// CreateGraphicsContext simply find no device: they return null and record nothing.
TQRD3D_GraphicsSystem* GetGraphicsSystem();
