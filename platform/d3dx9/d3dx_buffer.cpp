#include "platform/d3d9/ref_counted.h"
#include "platform/d3dx9/d3dx9.h"

#include <vector>

namespace {

class Buffer final : public RefCounted<ID3DXBuffer> {
public:
    explicit Buffer(DWORD size) : m_bytes(size) {}
    void* GetBufferPointer() override { return m_bytes.data(); }
    DWORD GetBufferSize() override { return static_cast<DWORD>(m_bytes.size()); }

private:
    std::vector<BYTE> m_bytes;
};

} // namespace

// The bytes start zeroed.
HRESULT D3DXCreateBuffer(DWORD size, ID3DXBuffer** buffer)
{
    if (buffer == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *buffer = new Buffer(size);
    return D3D_OK;
}
