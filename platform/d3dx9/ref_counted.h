// Reference counting for the library's objects and a holder of one reference for internal use.
#pragma once

#include "platform/d3d9/d3d9.h"

#include <utility>

// Implements AddRef/Release of an interface: a new object holds one reference for its creator
// and the last Release deletes it.
template <typename Interface>
class RefCounted : public Interface {
public:
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override
    {
        const ULONG remaining = --m_references;
        if (remaining == 0) {
            delete this;
        }
        return remaining;
    }

protected:
    RefCounted() = default;
    ~RefCounted() override = default;

private:
    ULONG m_references = 1;
};

// Owns one reference to an object and releases it when destroyed.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    explicit ComRef(T* adopted) : m_object(adopted) {}
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept
    {
        Reset(std::exchange(other.m_object, nullptr));
        return *this;
    }
    ~ComRef() { Reset(nullptr); }

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    // For creation functions that write a new reference: releases the old object first.
    T** Receive()
    {
        Reset(nullptr);
        return &m_object;
    }
    // Hands the reference to the caller.
    T* Detach() { return std::exchange(m_object, nullptr); }
    void Reset(T* adopted)
    {
        if (m_object != nullptr) {
            m_object->Release();
        }
        m_object = adopted;
    }

private:
    T* m_object = nullptr;
};
