// A window handler bound to the graphics system's device: it holds a device reference and the
// window's swap chain, turns its camera into the view and projection transforms, and brackets
// each frame with BeginDraw and EndDraw, which present the frame into the window.
#pragma once

#include "platform/d3d9/com_ptr.h"
#include "platform/d3dx9/d3dx9.h"
#include "views/window_handler.h"

class TQRD3D_WindowHandler : public TQR_WindowHandler {
public:
    TQRD3D_WindowHandler() = default;
    // Releases the swap chain, then the device.
    ~TQRD3D_WindowHandler() override;

    // Device and swap chain both present.
    bool IsInitialized() const override;
    // Binds to a live window: takes a device reference and asks the graphics system for a
    // swap chain for the window. False for a dead window, without a device or a swap chain.
    bool AttachWindow(HWND window) override;
    void DetachWindow() override;
    // Makes the swap chain's back buffer the render target and begins the scene; nothing
    // without a device or swap chain. A window whose size differs from the back buffer's
    // (it was resized, or the chain is the device's own, made for the main window) first gets a
    // chain of its size, so the frame is drawn at the window's resolution.
    void BeginDraw() override;
    // Ends the scene and presents the back buffer into the window.
    void EndDraw() override;
    // The ray from the eye through the device point, given by the eye and a second point on
    // the ray one unit in front of the eye in view space (the direction is not normalised).
    // Zero vectors and a failure without a window area or with a degenerate camera.
    Result<> DeviceToWorld(int x, int y, TQR_Vector3& origin, TQR_Vector3& direction) override;
    void SetupWorldBoundsView() override;
    void SetViewTransform() override;
    void SetProjectionTransform() override;

    // The size frames are drawn at: the swap chain's back buffer; 0 by 0 without a chain.
    void GetBackBufferSize(int& width, int& height) const;

    // The camera's look-at matrix with the drag rotations in front of it: Ry x Rp x LookAt,
    // so that the scene turns about axes through the world origin.
    D3DXMATRIX ComputeViewMatrix();
    D3DXMATRIX ComputeProjectionMatrix();

protected:
    // Not owned beyond the one reference this handler holds; null while detached.
    IDirect3DDevice9* GetDevice() const { return m_device.Get(); }

private:
    void FollowWindowSize();

    // Declared so that the swap chain goes before the device.
    ComPtr<IDirect3DDevice9> m_device;
    ComPtr<IDirect3DSwapChain9> m_swapChain;
    ComPtr<IDirect3DSurface9> m_backBuffer;
};
