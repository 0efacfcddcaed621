// Growable arrays that hold every collection of the scene graph and the resource tables.
#pragma once

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

// A growable array of values, contiguous and in index order. It never deletes what its
// elements point to. Polymorphic so that arrays can be deleted through a base pointer.
template <typename T> class TQR_Array {
public:
    TQR_Array() = default;
    TQR_Array(const TQR_Array&) = default;
    virtual ~TQR_Array() = default;

    // Not virtual: the owning pointer array forbids copying, and a virtual assignment would let
    // a copy through a base reference give two arrays ownership of the same objects.
    TQR_Array& operator=(const TQR_Array&) = default;

    // Removes the element at index and moves the later ones down by one. An index out of
    // range changes nothing.
    virtual void RemoveAt(int index)
    {
        if (IsValidIndex(index)) {
            m_elements.erase(m_elements.begin() + index);
        }
    }

    int Count() const { return static_cast<int>(m_elements.size()); }

    // The element at index, or a value-initialised element (null for pointers) when the index
    // is negative or not less than Count().
    T Get(int index) const { return IsValidIndex(index) ? m_elements[static_cast<std::size_t>(index)] : T{}; }

    void Append(const T& element) { m_elements.push_back(element); }

    // A negative index inserts first; an index not less than Count() appends.
    void InsertAt(const T& element, int index)
    {
        if (index < 0) {
            index = 0;
        }
        if (index >= Count()) {
            Append(element);
            return;
        }
        // Append and rotate into place: GCC 12 reports a false array-bounds error for
        // vector::insert of trivially copyable elements at -O2.
        m_elements.push_back(element);
        std::rotate(m_elements.begin() + index, m_elements.end() - 1, m_elements.end());
    }

protected:
    bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }

    std::vector<T> m_elements;
};

// An array of pointers to polymorphic objects that owns them: the objects are created with new
// by the caller, handed over with Append or InsertAt, and deleted by the array.
template <typename T> class TQR_PointerArray : public TQR_Array<T> {
    static_assert(std::is_pointer_v<T>, "TQR_PointerArray holds pointers");

public:
    TQR_PointerArray() = default;
    // Two arrays owning the same objects would delete them twice.
    TQR_PointerArray(const TQR_PointerArray&) = delete;
    TQR_PointerArray& operator=(const TQR_PointerArray&) = delete;

    // Deletes every non-null element, from index 0 upward, while the array owns them.
    ~TQR_PointerArray() override
    {
        // Checked here rather than at class level: a node holds an array of its own, still
        // incomplete, type.
        static_assert(std::has_virtual_destructor_v<std::remove_pointer_t<T>>,
                      "elements are deleted through their virtual destructor");
        if (!m_ownsElements) {
            return;
        }
        for (T element : this->m_elements) {
            delete element;
        }
    }

    // Takes the element out and deletes it (when not null), whatever the ownership flag says.
    // An index out of range changes nothing.
    void RemoveAt(int index) override
    {
        if (!this->IsValidIndex(index)) {
            return;
        }
        T element = this->Get(index);
        TQR_Array<T>::RemoveAt(index);
        delete element;
    }

    bool OwnsElements() const { return m_ownsElements; }

private:
    bool m_ownsElements = true;
};
