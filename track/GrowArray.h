#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

/// Array that grows by one eighth of its size, at least 4 and at most 1024 elements,
/// and releases its storage when its size is set to 0.
///
/// Trivially copyable elements live in one block that is grown with realloc, so that the
/// C library can remap a large block instead of copying it: with the step capped at 1024,
/// appending to a long track reallocates often. Other elements are held through pointers,
/// so that growing only moves the pointers; their addresses stay put.
template <typename T>
class GrowArray {
    static constexpr bool kRaw = std::is_trivially_copyable_v<T>;
    using Slot = std::conditional_t<kRaw, T, T*>;

public:
    GrowArray() = default;
    ~GrowArray() { RemoveAll(); }

    GrowArray(const GrowArray&) = delete;
    GrowArray& operator=(const GrowArray&) = delete;

    GrowArray(GrowArray&& other) noexcept
        : m_data(other.m_data), m_size(other.m_size), m_capacity(other.m_capacity) {
        other.m_data = nullptr;
        other.m_size = other.m_capacity = 0;
    }
    GrowArray& operator=(GrowArray&& other) noexcept {
        if (this != &other) {
            RemoveAll();
            std::swap(m_data, other.m_data);
            std::swap(m_size, other.m_size);
            std::swap(m_capacity, other.m_capacity);
        }
        return *this;
    }

    std::size_t GetSize() const { return m_size; }
    std::size_t GetCapacity() const { return m_capacity; }
    bool IsEmpty() const { return m_size == 0; }

    T& operator[](std::size_t i) {
        assert(i < m_size);
        if constexpr (kRaw) {
            return m_data[i];
        } else {
            return *m_data[i];
        }
    }
    const T& operator[](std::size_t i) const { return const_cast<GrowArray&>(*this)[i]; }

    /// Contiguous elements; only for trivially copyable element types.
    T* GetData() requires kRaw { return m_data; }
    const T* GetData() const requires kRaw { return m_data; }

    /// Sets the number of elements: new ones are value-initialised, surplus ones destroyed.
    void SetSize(std::size_t n) {
        if (n == 0) {
            DestroyRange(0, m_size);
            std::free(m_data);
            m_data = nullptr;
            m_size = m_capacity = 0;
            return;
        }
        if (m_data == nullptr) {
            Reallocate(n);
        } else if (n > m_capacity) {
            Reallocate(std::max(n, m_capacity + GrowStep()));
        }
        if (n < m_size) {
            DestroyRange(n, m_size);
            m_size = n;
        }
        ConstructUpTo(n);
    }

    void RemoveAll() { SetSize(0); }

    /// Appends one value-initialised element and returns it.
    T& Add() {
        if (m_size == m_capacity) {
            Reallocate(m_data == nullptr ? 1 : m_capacity + GrowStep());
        }
        ConstructUpTo(m_size + 1);
        return (*this)[m_size - 1];
    }

    /// Appends copies of count elements, growing by the same rule as SetSize.
    void Append(const T* source, std::size_t count) requires kRaw {
        if (count == 0) {
            return;
        }
        const std::size_t n = m_size + count;
        if (m_data == nullptr) {
            Reallocate(n);
        } else if (n > m_capacity) {
            Reallocate(std::max(n, m_capacity + GrowStep()));
        }
        std::memcpy(static_cast<void*>(m_data + m_size), source, count * sizeof(T));
        m_size = n;
    }

private:
    std::size_t GrowStep() const { return std::clamp<std::size_t>(m_size / 8, 4, 1024); }

    void Reallocate(std::size_t capacity) {
        if (capacity > static_cast<std::size_t>(-1) / sizeof(Slot)) {
            throw std::bad_alloc();
        }
        void* block = std::realloc(static_cast<void*>(m_data), capacity * sizeof(Slot));
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        m_data = static_cast<Slot*>(block);
        m_capacity = capacity;
    }

    // The size follows each new element, so a throwing constructor leaves a valid array.
    void ConstructUpTo(std::size_t n) {
        for (; m_size < n; ++m_size) {
            if constexpr (kRaw) {
                new (&m_data[m_size]) T();
            } else {
                m_data[m_size] = new T();
            }
        }
    }

    void DestroyRange(std::size_t from, std::size_t to) {
        if constexpr (!kRaw) {
            for (Slot* slot = m_data + from; slot != m_data + to; ++slot) {
                delete *slot;
            }
        }
    }

    Slot* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};
