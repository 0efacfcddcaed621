// Reference counting for the device's objects.
// Implements: AddRef/Release with delete on the last release; handing an object out with a
// reference for the caller. Leaves out: QueryInterface, weak references, thread safety (single
// UI thread). The holder of references is ComPtr (com_ptr.h).
#pragma once

#include "platform/d3d9/com_ptr.h"
#include "platform/d3d9/d3d9.h"
#include "platform/d3d9/live_objects.h"

#include <utility>

// Implements Interface's reference counting: a new object holds one reference for its creator,
// and the last Release deletes it.
template <typename Interface> class RefCounted : public Interface, private D3D9LiveObject {
public:
    ULONG AddRef() final { return ++m_references; }
    ULONG Release() final
    {
        const ULONG remaining = --m_references;
        if (remaining == 0) {
            delete this;
        }
        return remaining;
    }

protected:
    template <typename... Args> explicit RefCounted(Args&&... args) : Interface(std::forward<Args>(args)...) {}
    ~RefCounted() override = default;

private:
    ULONG m_references = 1;
};

// Hands an object to a caller's out pointer with a reference for the caller.
template <typename Interface, typename Object> HRESULT HandOut(Object* object, Interface** out)
{
    *out = object;
    if (object != nullptr) {
        object->AddRef();
    }
    return D3D_OK;
}
