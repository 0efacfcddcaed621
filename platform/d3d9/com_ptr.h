// A holder of one reference on a reference-counted device object (anything with AddRef and
// Release), for the device's own objects and for the layers above that keep device objects.
// Implements: taking a reference of its own or adopting the caller's, copy (a reference more),
// move, Reset, Get, comparison with null, and ReleaseAndGetAddressOf for the "T** out"
// parameters of the device's creation calls. Leaves out: QueryInterface conversions,
// Attach/Detach, thread safety.
#pragma once

#include <cstddef>
#include <utility>

template <typename T> class ComPtr {
public:
    ComPtr() = default;
    // Takes a reference of its own.
    explicit ComPtr(T* object) : m_object(object) { AddReference(); }
    // Takes over the reference the caller holds.
    static ComPtr Adopt(T* object)
    {
        ComPtr holder;
        holder.m_object = object;
        return holder;
    }
    ComPtr(const ComPtr& other) : m_object(other.m_object) { AddReference(); }
    ComPtr(ComPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    // Copy-and-swap: assigning a holder to itself keeps the reference.
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Releases the reference held, if any.
    void Reset()
    {
        if (m_object != nullptr) {
            std::exchange(m_object, nullptr)->Release();
        }
    }
    // Releases the reference held and gives the empty slot to a call that writes a new object
    // with a reference for its caller: device->CreateTexture(..., texture.ReleaseAndGetAddressOf()).
    T** ReleaseAndGetAddressOf()
    {
        Reset();
        return &m_object;
    }

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    bool operator==(std::nullptr_t) const { return m_object == nullptr; }

private:
    void AddReference() const
    {
        if (m_object != nullptr) {
            m_object->AddRef();
        }
    }

    T* m_object = nullptr;
};
