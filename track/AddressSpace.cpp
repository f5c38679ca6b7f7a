#include "track/AddressSpace.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace AddressSpace {

#ifdef _WIN32

std::size_t Granularity() {
    static const std::size_t granularity = [] {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        return static_cast<std::size_t>(info.dwAllocationGranularity);
    }();
    return granularity;
}

void* Reserve(std::size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE, PAGE_NOACCESS);
}

bool Commit(void* base, std::size_t from, std::size_t to) {
    return VirtualAlloc(static_cast<char*>(base) + from, to - from, MEM_COMMIT, PAGE_READWRITE)
           != nullptr;
}

void Release(void* base, std::size_t) {
    VirtualFree(base, 0, MEM_RELEASE);
}

#else

std::size_t Granularity() {
    static const std::size_t granularity = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return granularity;
}

void* Reserve(std::size_t bytes) {
    // Without access the mapping is not counted as memory in use; making a part of it writable
    // counts that part, and fails cleanly when the system cannot give it. The reservation starts
    // at a huge page, and huge pages are asked for: a large array then takes one page fault in
    // 2 MiB instead of one in 4 KiB.
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    void* mapped = mmap(nullptr, bytes + kHugePage, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        return nullptr;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned != start) {
        munmap(mapped, aligned - start);
    }
    munmap(reinterpret_cast<void*>(aligned + bytes), start + kHugePage - aligned);
    void* base = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
    madvise(base, bytes, MADV_HUGEPAGE);
#endif
    return base;
}

bool Commit(void* base, std::size_t from, std::size_t to) {
    return mprotect(static_cast<char*>(base) + from, to - from, PROT_READ | PROT_WRITE) == 0;
}

void Release(void* base, std::size_t bytes) {
    munmap(base, bytes);
}

#endif

}  // namespace AddressSpace
