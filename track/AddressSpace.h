#pragma once

#include <cstddef>

/// Address space reserved without memory behind it, then backed with memory from its start
/// as needed. A large array grows inside its reservation in place: nothing is copied, whatever
/// the C library's realloc would do (glibc remaps large blocks, other allocators copy).
namespace AddressSpace {

/// The unit of reservations and commits: the system's page size or allocation granularity.
std::size_t Granularity();

/// Reserves bytes (a multiple of the granularity) of address space; null when there is none.
void* Reserve(std::size_t bytes);

/// Backs the reserved bytes [from, to) of a reservation with zeroed, writable memory; both
/// are multiples of the granularity. False when the system has no memory to give.
bool Commit(void* base, std::size_t from, std::size_t to);

/// Returns a whole reservation, committed memory included.
void Release(void* base, std::size_t bytes);

}  // namespace AddressSpace
