#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "track/AddressSpace.h"

/// Array that grows by one eighth of its size, at least 4 and at most 1024 elements,
/// and releases its storage when its size is set to 0.
///
/// Trivially copyable elements live in one block; other elements are held through pointers,
/// so that growing only moves the pointers and their addresses stay put. With the step capped
/// at 1024, appending to a long track grows the block often, so growth must not copy it: a
/// small block is grown with realloc, a large one lives in reserved address space and grows by
/// committing memory at its end (see AddressSpace). Only when a reservation is outgrown is the
/// block copied, into one eight times as large, which keeps appending linear.
template <typename T>
class GrowArray {
    static constexpr bool kRaw = std::is_trivially_copyable_v<T>;
    using Slot = std::conditional_t<kRaw, T, T*>;
    static constexpr std::size_t kMappedBytes = std::size_t{1} << 20;  // from here on: reserved
    static constexpr std::size_t kMinReserve = std::size_t{64} << 20;  // the first reservation
    static constexpr std::size_t kCommitStep = std::size_t{2} << 20;   // a huge page at a time

public:
    GrowArray() = default;
    ~GrowArray() { RemoveAll(); }

    GrowArray(const GrowArray&) = delete;
    GrowArray& operator=(const GrowArray&) = delete;

    GrowArray(GrowArray&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr)),
          m_size(std::exchange(other.m_size, 0)),
          m_capacity(std::exchange(other.m_capacity, 0)),
          m_reserved(std::exchange(other.m_reserved, 0)),
          m_committed(std::exchange(other.m_committed, 0)) {}
    GrowArray& operator=(GrowArray&& other) noexcept {
        if (this != &other) {
            RemoveAll();
            std::swap(m_data, other.m_data);
            std::swap(m_size, other.m_size);
            std::swap(m_capacity, other.m_capacity);
            std::swap(m_reserved, other.m_reserved);
            std::swap(m_committed, other.m_committed);
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
            FreeBlock(m_data, m_reserved);
            m_data = nullptr;
            m_size = m_capacity = m_reserved = m_committed = 0;
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

    /// Makes room for n elements at once, so that appending up to n grows nothing; a reader
    /// that knows how many points come saves the steps of growing.
    void Reserve(std::size_t n) {
        if (n > m_capacity) {
            Reallocate(n);
        }
    }

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
        if (capacity > static_cast<std::size_t>(-1) / sizeof(Slot) / 8) {
            throw std::bad_alloc();
        }
        const std::size_t bytes = capacity * sizeof(Slot);
        if (bytes > m_committed) {
            if (m_reserved == 0 && bytes < kMappedBytes) {
                void* block = std::realloc(static_cast<void*>(m_data), bytes);
                if (block == nullptr) {
                    throw std::bad_alloc();
                }
                m_data = static_cast<Slot*>(block);
            } else {
                GrowMapped(bytes);
            }
        }
        m_capacity = capacity;
    }

    /// Commits the reservation up to bytes, moving to a larger reservation when it is too small.
    void GrowMapped(std::size_t bytes) {
        const std::size_t committed = RoundUp(bytes, kCommitStep);
        if (committed <= m_reserved) {
            if (!AddressSpace::Commit(m_data, m_committed, committed)) {
                throw std::bad_alloc();
            }
            m_committed = committed;
            return;
        }
        const std::size_t reserved = RoundUp(std::max(8 * bytes, kMinReserve), kCommitStep);
        void* block = AddressSpace::Reserve(reserved);
        if (block == nullptr || !AddressSpace::Commit(block, 0, committed)) {
            FreeBlock(block, block != nullptr ? reserved : 0);
            throw std::bad_alloc();
        }
        if (m_size != 0) {
            std::memcpy(block, static_cast<const void*>(m_data), m_size * sizeof(Slot));
        }
        FreeBlock(m_data, m_reserved);
        m_data = static_cast<Slot*>(block);
        m_reserved = reserved;
        m_committed = committed;
    }

    static std::size_t RoundUp(std::size_t bytes, std::size_t unit) {
        unit = std::max(unit, AddressSpace::Granularity());
        return (bytes + unit - 1) / unit * unit;
    }

    static void FreeBlock(void* block, std::size_t reserved) {
        if (reserved != 0) {
            AddressSpace::Release(block, reserved);
        } else {
            std::free(block);
        }
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
    std::size_t m_reserved = 0;   // bytes of address space; 0 for a block from realloc
    std::size_t m_committed = 0;  // bytes of the reservation backed by memory
};
