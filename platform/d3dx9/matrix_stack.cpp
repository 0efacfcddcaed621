#include "platform/d3d9/ref_counted.h"
#include "platform/d3dx9/d3dx9.h"

#include <vector>

namespace {

// A stack of matrices that starts with one identity entry and never becomes empty.
class MatrixStack final : public RefCounted<ID3DXMatrixStack> {
public:
    MatrixStack() : m_entries(1) { D3DXMatrixIdentity(&m_entries.back()); }

    HRESULT Pop() override
    {
        if (m_entries.size() == 1) {
            return D3DERR_INVALIDCALL;
        }
        m_entries.pop_back();
        return D3D_OK;
    }
    HRESULT Push() override
    {
        m_entries.push_back(m_entries.back());
        return D3D_OK;
    }
    HRESULT LoadIdentity() override
    {
        D3DXMatrixIdentity(&m_entries.back());
        return D3D_OK;
    }
    HRESULT LoadMatrix(const D3DXMATRIX* matrix) override
    {
        if (matrix == nullptr) {
            return D3DERR_INVALIDCALL;
        }
        m_entries.back() = *matrix;
        return D3D_OK;
    }
    HRESULT MultMatrix(const D3DXMATRIX* matrix) override { return Apply(matrix, false); }
    HRESULT MultMatrixLocal(const D3DXMATRIX* matrix) override { return Apply(matrix, true); }
    HRESULT Scale(float x, float y, float z) override { return ApplyScaling(x, y, z, false); }
    HRESULT ScaleLocal(float x, float y, float z) override { return ApplyScaling(x, y, z, true); }
    HRESULT Translate(float x, float y, float z) override { return ApplyTranslation(x, y, z, false); }
    HRESULT TranslateLocal(float x, float y, float z) override { return ApplyTranslation(x, y, z, true); }
    D3DXMATRIX* GetTop() override { return &m_entries.back(); }

private:
    // Local: top = matrix * top (object side); otherwise top = top * matrix (world side).
    HRESULT Apply(const D3DXMATRIX* matrix, bool local)
    {
        if (matrix == nullptr) {
            return D3DERR_INVALIDCALL;
        }
        D3DXMATRIX& top = m_entries.back();
        top = local ? *matrix * top : top * *matrix;
        return D3D_OK;
    }
    HRESULT ApplyScaling(float x, float y, float z, bool local)
    {
        D3DXMATRIX scaling;
        return Apply(D3DXMatrixScaling(&scaling, x, y, z), local);
    }
    HRESULT ApplyTranslation(float x, float y, float z, bool local)
    {
        D3DXMATRIX translation;
        return Apply(D3DXMatrixTranslation(&translation, x, y, z), local);
    }

    std::vector<D3DXMATRIX> m_entries;
};

} // namespace

// The flags have no meaning here.
HRESULT D3DXCreateMatrixStack(DWORD /*flags*/, ID3DXMatrixStack** stack)
{
    if (stack == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *stack = new MatrixStack();
    return D3D_OK;
}
