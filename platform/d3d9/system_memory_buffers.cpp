#include "platform/d3d9/system_memory_buffers.h"

#include <vector>

namespace {

// The byte store and lock bookkeeping both buffer kinds share.
class ByteStore {
public:
    explicit ByteStore(UINT length) : m_bytes(length) {}

    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags)
    {
        if (data == nullptr || offset > m_bytes.size()) {
            return D3DERR_INVALIDCALL;
        }
        if (size != 0 && size > m_bytes.size() - offset) {
            *data = nullptr;
            return D3DERR_INVALIDCALL;
        }
        if ((flags & D3DLOCK_READONLY) == 0) {
            ++m_writeCount;
        }
        *data = m_bytes.data() + offset;
        return D3D_OK;
    }

    UINT Size() const { return static_cast<UINT>(m_bytes.size()); }
    DWORD WriteCount() const { return m_writeCount; }

private:
    std::vector<BYTE> m_bytes;
    DWORD m_writeCount = 0;
};

template <typename Interface> class SystemMemoryBuffer : public Interface {
public:
    SystemMemoryBuffer(UINT length, D3DFORMAT format, DWORD fvf) : m_store(length), m_format(format), m_fvf(fvf) {}

    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override
    {
        const ULONG remaining = --m_references;
        if (remaining == 0) {
            delete this;
        }
        return remaining;
    }

    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override
    {
        return m_store.Lock(offset, size, data, flags);
    }
    HRESULT Unlock() override { return D3D_OK; }

    template <typename Desc> HRESULT FillDesc(Desc* desc) const
    {
        if (desc == nullptr) {
            return D3DERR_INVALIDCALL;
        }
        desc->Format = m_format;
        desc->Pool = D3DPOOL_SYSTEMMEM;
        desc->Size = m_store.Size();
        return D3D_OK;
    }

    DWORD WriteCount() const { return m_store.WriteCount(); }
    DWORD Fvf() const { return m_fvf; }

protected:
    ~SystemMemoryBuffer() override = default;

private:
    ULONG m_references = 1;
    ByteStore m_store;
    D3DFORMAT m_format;
    DWORD m_fvf;
};

class SystemMemoryVertexBuffer final : public SystemMemoryBuffer<IDirect3DVertexBuffer9> {
public:
    using SystemMemoryBuffer::SystemMemoryBuffer;
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override
    {
        const HRESULT result = FillDesc(desc);
        if (SUCCEEDED(result)) {
            desc->FVF = Fvf();
        }
        return result;
    }
};

class SystemMemoryIndexBuffer final : public SystemMemoryBuffer<IDirect3DIndexBuffer9> {
public:
    using SystemMemoryBuffer::SystemMemoryBuffer;
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override { return FillDesc(desc); }
};

} // namespace

HRESULT CreateSystemMemoryVertexBuffer(UINT length, DWORD fvf, IDirect3DVertexBuffer9** buffer)
{
    if (buffer == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *buffer = nullptr;
    if (length == 0) {
        return D3DERR_INVALIDCALL;
    }
    *buffer = new SystemMemoryVertexBuffer(length, D3DFMT_UNKNOWN, fvf);
    return D3D_OK;
}

HRESULT CreateSystemMemoryIndexBuffer(UINT length, D3DFORMAT format, IDirect3DIndexBuffer9** buffer)
{
    if (buffer == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *buffer = nullptr;
    if (length == 0 || (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32)) {
        return D3DERR_INVALIDCALL;
    }
    *buffer = new SystemMemoryIndexBuffer(length, format, 0);
    return D3D_OK;
}

DWORD SystemMemoryBufferWriteCount(IDirect3DIndexBuffer9* buffer)
{
    const auto* own = dynamic_cast<SystemMemoryIndexBuffer*>(buffer);
    return own == nullptr ? 0 : own->WriteCount();
}
