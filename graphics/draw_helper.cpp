#include "graphics/draw_helper.h"

#include "graphics/graphics_system.h"
#include "graphics/material_conversion.h"
#include "graphics/shape_vertices.h"

namespace {

IDirect3DDevice9* CurrentDevice() { return GetGraphicsSystem()->GetDevice(); }

template <typename Vertex>
bool DrawVertices(IDirect3DDevice9* device, D3DPRIMITIVETYPE type, UINT primitiveCount, const Vertex* vertices)
{
    device->SetFVF(Vertex::kFvf);
    return SUCCEEDED(device->DrawPrimitiveUP(type, primitiveCount, vertices, sizeof(Vertex)));
}

int DiscVertexCount(int levelOfDetail)
{
    switch (levelOfDetail) {
    case 0:
        return 10;
    case 1:
        return 20;
    default:
        return 40;
    }
}

} // namespace

bool TQRD3D_DrawHelper::DrawPoint(float x, float y, float z)
{
    IDirect3DDevice9* device = CurrentDevice();
    if (device == nullptr) {
        return false;
    }
    const TQRD3D_PointVertex point{x, y, z, 0.0f, 1.0f, 0.0f, GetPointSize(), GetColor1().GetARGB()};
    device->SetRenderState(D3DRS_POINTSPRITEENABLE, TRUE);
    return DrawVertices(device, D3DPT_POINTLIST, 1, &point);
}

bool TQRD3D_DrawHelper::DrawLine(float x1, float y1, float z1, float x2, float y2, float z2)
{
    IDirect3DDevice9* device = CurrentDevice();
    if (device == nullptr) {
        return false;
    }
    const TQR_Color& endColor = GetShadeMode() != TQR_ShadeMode::Flat ? GetColor2() : GetColor1();
    const auto vertices = MakeLineVertices({x1, y1, z1}, {x2, y2, z2}, GetColor1().GetARGB(), endColor.GetARGB());
    return DrawVertices(device, D3DPT_LINELIST, 1, vertices.data());
}

bool TQRD3D_DrawHelper::DrawCircle(float x, float y, float z, float radius)
{
    IDirect3DDevice9* device = CurrentDevice();
    if (radius <= 0.0f || device == nullptr) {
        return false;
    }
    const int count = DiscVertexCount(GetLevelOfDetail());
    const TQR_Color& centreColor = GetShadeMode() == TQR_ShadeMode::Smooth ? GetColor2() : GetColor1();
    const std::vector<TQRD3D_ColorVertex> vertices =
        MakeDiscVertices({x, y, z}, radius, count, GetColor1().GetARGB(), centreColor.GetARGB());
    return DrawVertices(device, D3DPT_TRIANGLEFAN, static_cast<UINT>(count - 2), vertices.data());
}

bool TQRD3D_DrawHelper::DrawRectangleXY(float x1, float y1, float, float x2, float y2, float)
{
    return DrawRectangle(false, x1, y1, x2, y2);
}

bool TQRD3D_DrawHelper::DrawRectangleXZ(float x1, float, float z1, float x2, float, float z2)
{
    return DrawRectangle(true, x1, z1, x2, z2);
}

bool TQRD3D_DrawHelper::DrawRectangle(bool inXZPlane, float a1, float b1, float a2, float b2)
{
    IDirect3DDevice9* device = CurrentDevice();
    if (device == nullptr) {
        return false;
    }
    const TQR_Color& centreColor = GetShadeMode() == TQR_ShadeMode::Smooth ? GetColor2() : GetColor1();
    const auto plane = inXZPlane ? TQRD3D_RectanglePlane::XZ : TQRD3D_RectanglePlane::XY;
    const auto vertices = MakeRectangleVertices(plane, a1, b1, a2, b2, GetColor1().GetARGB(), centreColor.GetARGB());
    return DrawVertices(device, D3DPT_TRIANGLEFAN, 4, vertices.data());
}

bool TQRD3D_DrawHelper::InitializeModelTransform()
{
    IDirect3DDevice9* device = CurrentDevice();
    if (device == nullptr) {
        return false;
    }
    if (m_matrixStack == nullptr && FAILED(D3DXCreateMatrixStack(0, m_matrixStack.ReleaseAndGetAddressOf()))) {
        m_matrixStack.Reset();
        return false;
    }
    m_matrixStack->LoadIdentity();
    ApplyWorldTransform(device);
    return true;
}

bool TQRD3D_DrawHelper::EnsureMatrixStack() { return m_matrixStack != nullptr || InitializeModelTransform(); }

void TQRD3D_DrawHelper::ApplyWorldTransform(IDirect3DDevice9* device) const
{
    device->SetTransform(D3DTS_WORLD, m_matrixStack->GetTop());
}

bool TQRD3D_DrawHelper::PushModelTransform()
{
    IDirect3DDevice9* device = CurrentDevice();
    if (device == nullptr || !EnsureMatrixStack()) {
        return false;
    }
    const HRESULT pushed = m_matrixStack->Push();
    ApplyWorldTransform(device);
    return SUCCEEDED(pushed);
}

bool TQRD3D_DrawHelper::PopModelTransform()
{
    IDirect3DDevice9* device = CurrentDevice();
    if (device == nullptr || !EnsureMatrixStack()) {
        return false;
    }
    const HRESULT popped = m_matrixStack->Pop();
    ApplyWorldTransform(device);
    return SUCCEEDED(popped);
}

bool TQRD3D_DrawHelper::SetTransformation(float tx, float ty, float tz, float sx, float sy, float sz, float r00,
                                          float r01, float r02, float r10, float r11, float r12, float r20, float r21,
                                          float r22, float px, float py, float pz)
{
    IDirect3DDevice9* device = CurrentDevice();
    if (device == nullptr || !EnsureMatrixStack()) {
        return false;
    }
    D3DXMATRIX rotation;
    D3DXMatrixIdentity(&rotation);
    const float rows[3][3] = {{r00, r01, r02}, {r10, r11, r12}, {r20, r21, r22}};
    for (UINT row = 0; row < 3; ++row) {
        for (UINT column = 0; column < 3; ++column) {
            rotation(row, column) = rows[row][column];
        }
    }
    // Local operations multiply on the object side, so the result is
    // T(-p) * S * R * T(p) * T(t) * previous top.
    m_matrixStack->TranslateLocal(tx, ty, tz);
    m_matrixStack->TranslateLocal(px, py, pz);
    m_matrixStack->MultMatrixLocal(&rotation);
    m_matrixStack->ScaleLocal(sx, sy, sz);
    m_matrixStack->TranslateLocal(-px, -py, -pz);
    ApplyWorldTransform(device);
    return true;
}

bool TQRD3D_DrawHelper::TransformPoint(TQR_Vector3& point)
{
    if (CurrentDevice() == nullptr || m_matrixStack == nullptr) {
        return false;
    }
    const D3DXVECTOR3 in(point.x, point.y, point.z);
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &in, m_matrixStack->GetTop());
    point = TQR_Vector3{out.x, out.y, out.z};
    return true;
}

void TQRD3D_DrawHelper::SetShadeMode(TQR_ShadeMode mode)
{
    TQR_DrawHelper::SetShadeMode(mode);
    if (IDirect3DDevice9* device = CurrentDevice()) {
        device->SetRenderState(D3DRS_SHADEMODE, ToD3DShadeMode(mode));
    }
}

void TQRD3D_DrawHelper::SetFillMode(TQR_FillMode mode)
{
    TQR_DrawHelper::SetFillMode(mode);
    if (IDirect3DDevice9* device = CurrentDevice()) {
        device->SetRenderState(D3DRS_FILLMODE, ToD3DFillMode(mode));
    }
}

bool TQRD3D_DrawHelper::EnableBlending(bool on)
{
    IDirect3DDevice9* device = CurrentDevice();
    if (device == nullptr) {
        return true;
    }
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, on ? TRUE : FALSE);
    if (on) {
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    }
    return true;
}

// A texture that cannot be found or loaded is reported by the lookup; the stage then keeps
// its previous texture state.
bool TQRD3D_DrawHelper::EnableTexture(bool on)
{
    if (CurrentDevice() == nullptr) {
        return true;
    }
    if (on) {
        return GetGraphicsSystem()->BindTexture(GetTextureFileName(), 0);
    }
    GetGraphicsSystem()->UnbindTexture(0);
    return true;
}

bool TQRD3D_DrawHelper::EnableLighting(bool on)
{
    IDirect3DDevice9* device = CurrentDevice();
    if (device == nullptr) {
        return true;
    }
    device->SetRenderState(D3DRS_LIGHTING, on ? TRUE : FALSE);
    if (on) {
        const D3DMATERIAL9 material = ToD3DMaterial(GetMaterial());
        device->SetMaterial(&material);
    }
    return true;
}
