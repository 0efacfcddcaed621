#include "views/d3d_window_handler.h"

#include "graphics/graphics_system.h"

#include <cmath>
#include <utility>

namespace {

D3DXVECTOR3 ToD3DX(const TQR_Vector3& v) { return {v.x, v.y, v.z}; }

TQR_Vector3 FromD3DX(const D3DXVECTOR3& v) { return {v.x, v.y, v.z}; }

} // namespace

TQRD3D_WindowHandler::~TQRD3D_WindowHandler()
{
    m_backBuffer.Reset();
    DetachWindow();
}

bool TQRD3D_WindowHandler::IsInitialized() const { return m_device && m_swapChain; }

bool TQRD3D_WindowHandler::AttachWindow(HWND window)
{
    DetachWindow();
    if (!TQR_WindowHandler::AttachWindow(window)) {
        return false;
    }
    TQRD3D_GraphicsSystem* graphics = GetGraphicsSystem();
    m_device = ComPtr<IDirect3DDevice9>(graphics->GetDevice());
    if (!m_device) {
        return false;
    }
    m_swapChain = graphics->CreateSwapChain(window);
    return IsInitialized();
}

void TQRD3D_WindowHandler::DetachWindow()
{
    m_swapChain.Reset();
    m_device.Reset();
}

void TQRD3D_WindowHandler::GetBackBufferSize(int& width, int& height) const
{
    D3DPRESENT_PARAMETERS parameters{};
    const bool known = m_swapChain && SUCCEEDED(m_swapChain->GetPresentParameters(&parameters));
    width = known ? static_cast<int>(parameters.BackBufferWidth) : 0;
    height = known ? static_cast<int>(parameters.BackBufferHeight) : 0;
}

void TQRD3D_WindowHandler::FollowWindowSize()
{
    int width = 0;
    int height = 0;
    GetWindowSize(width, height);
    D3DPRESENT_PARAMETERS parameters{};
    if (width <= 0 || height <= 0 || FAILED(m_swapChain->GetPresentParameters(&parameters)) ||
        (parameters.BackBufferWidth == static_cast<UINT>(width) &&
         parameters.BackBufferHeight == static_cast<UINT>(height))) {
        return;
    }
    if (ComPtr<IDirect3DSwapChain9> resized = GetGraphicsSystem()->CreateSwapChain(GetWindow())) {
        m_swapChain = std::move(resized);
    }
}

void TQRD3D_WindowHandler::BeginDraw()
{
    if (!IsInitialized()) {
        return;
    }
    FollowWindowSize();
    m_swapChain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, m_backBuffer.ReleaseAndGetAddressOf());
    m_device->SetRenderTarget(0, m_backBuffer.Get());
    m_device->BeginScene();
}

void TQRD3D_WindowHandler::EndDraw()
{
    if (m_device) {
        m_device->EndScene();
    }
    if (m_swapChain) {
        m_swapChain->Present(nullptr, nullptr, GetWindow(), nullptr, 0);
    }
    m_backBuffer.Reset();
}

D3DXMATRIX TQRD3D_WindowHandler::ComputeViewMatrix()
{
    const TQR_Camera& camera = GetCamera();
    const D3DXVECTOR3 eye = ToD3DX(camera.GetPosition());
    const D3DXVECTOR3 target = ToD3DX(camera.GetLookAt());
    const D3DXVECTOR3 up = ToD3DX(camera.GetUpVector());
    D3DXMATRIX lookAt;
    D3DXMatrixLookAtRH(&lookAt, &eye, &target, &up);

    const D3DXVECTOR3 viewDirection = target - eye;
    D3DXVECTOR3 right;
    D3DXVec3Cross(&right, &up, &viewDirection);
    // A zero axis (up along the view direction) stays zero.
    D3DXVec3Normalize(&right, &right);
    D3DXMATRIX pitch;
    D3DXMatrixRotationAxis(&pitch, &right, camera.GetPitch() * kRadiansPerDegree);
    const D3DXVECTOR3 worldY(0.0f, 1.0f, 0.0f);
    D3DXMATRIX yaw;
    D3DXMatrixRotationAxis(&yaw, &worldY, camera.GetYaw() * kRadiansPerDegree);

    D3DXMATRIX yawPitch;
    D3DXMatrixMultiply(&yawPitch, &yaw, &pitch);
    D3DXMATRIX view;
    D3DXMatrixMultiply(&view, &yawPitch, &lookAt);
    return view;
}

D3DXMATRIX TQRD3D_WindowHandler::ComputeProjectionMatrix()
{
    const TQR_Camera& camera = GetCamera();
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovRH(&projection, camera.GetFovRadians(), GetAspectRatio(), camera.GetNear(),
                               camera.GetFar());
    return projection;
}

Result<> TQRD3D_WindowHandler::DeviceToWorld(int x, int y, TQR_Vector3& origin, TQR_Vector3& direction)
{
    origin = {};
    direction = {};
    const D3DXMATRIX view = ComputeViewMatrix();
    D3DXMATRIX viewInverse;
    int width = 0;
    int height = 0;
    GetWindowSize(width, height);
    if (width <= 0 || height <= 0) {
        return Failure{"no picking ray: the view has no window area to aim through"};
    }
    if (D3DXMatrixInverse(&viewInverse, nullptr, &view) == nullptr) {
        return Failure{"no picking ray: the camera's view cannot be inverted"};
    }
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float slope = std::tan(GetCamera().GetFovRadians() * 0.5f);
    const D3DXVECTOR3 inView((2.0f * static_cast<float>(x) / w - 1.0f) * slope * w / h,
                             (2.0f * static_cast<float>(y) / h - 1.0f) * slope, -1.0f);
    const D3DXVECTOR3 eye(viewInverse(3, 0), viewInverse(3, 1), viewInverse(3, 2));
    D3DXVECTOR3 onRay;
    D3DXVec3TransformCoord(&onRay, &inView, &viewInverse);
    origin = FromD3DX(eye);
    direction = FromD3DX(onRay - eye);
    return {};
}

void TQRD3D_WindowHandler::SetupWorldBoundsView()
{
    if (m_device == nullptr) {
        return;
    }
    const TQR_BoundingBox bounds = GetWorldBounds();
    const TQR_Vector3 centre = bounds.GetCenter();
    D3DXMATRIX toCentre;
    D3DXMatrixTranslation(&toCentre, -centre.x, -centre.y, 0.0f);
    D3DXMATRIX toUnit;
    D3DXMatrixScaling(&toUnit, 2.0f / bounds.Width(), 2.0f / bounds.Height(), 1.0f);
    D3DXMATRIX view;
    D3DXMatrixMultiply(&view, &toCentre, &toUnit);
    m_device->SetTransform(D3DTS_VIEW, &view);
}

void TQRD3D_WindowHandler::SetViewTransform()
{
    if (m_device == nullptr) {
        return;
    }
    const D3DXMATRIX view = ComputeViewMatrix();
    m_device->SetTransform(D3DTS_VIEW, &view);
}

void TQRD3D_WindowHandler::SetProjectionTransform()
{
    if (m_device == nullptr) {
        return;
    }
    const D3DXMATRIX projection = ComputeProjectionMatrix();
    m_device->SetTransform(D3DTS_PROJECTION, &projection);
}
