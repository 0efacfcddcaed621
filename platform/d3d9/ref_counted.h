// Reference counting for the device's objects, and a holder for references they keep.
// Implements: AddRef/Release with delete on the last release; ComPtr, a move-only holder of one
// reference. Leaves out: QueryInterface, weak references, thread safety (single UI thread).
#pragma once

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

// Holds one reference on a COM-style object and releases it when destroyed.
template <typename T> class ComPtr {
public:
    ComPtr() = default;
    // Takes a reference of its own.
    explicit ComPtr(T* object) : m_object(object)
    {
        if (m_object != nullptr) {
            m_object->AddRef();
        }
    }
    // Takes over the reference the caller holds.
    static ComPtr Adopt(T* object)
    {
        ComPtr holder;
        holder.m_object = object;
        return holder;
    }
    ComPtr(ComPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_object = std::exchange(other.m_object, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    void Reset()
    {
        if (m_object != nullptr) {
            std::exchange(m_object, nullptr)->Release();
        }
    }
    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object = nullptr;
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
