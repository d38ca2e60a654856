// Global memory blocks: GlobalAlloc, GlobalLock, GlobalUnlock, GlobalFree.
//
// The program reads its support information file into a movable global
// block, as it did on Windows. Blocks here live on the process heap; a
// movable block never moves, but its handle is not its address, so code
// that forgets to lock it fails here as it would there. Every handle is
// checked against the table of live blocks: a stale or foreign handle is
// refused instead of touching freed memory.
//
// uw::FailGlobalAllocations lets a test make the next allocations fail, to
// reach the program's out-of-memory message.
#pragma once

#include <cstddef>

#include "platform/win/windef.h"

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_SHARE = 0x2000;

// The largest block: 2 GiB - 1, what the 32-bit program this layer serves
// could address. A larger request fails like an allocation that finds no
// memory (and never reaches the heap with an impossible size).
constexpr std::size_t GLOBAL_ALLOC_LIMIT = 0x7FFFFFFF;

// Allocates a block of `bytes` bytes. GMEM_ZEROINIT fills it with zeros;
// GMEM_MOVEABLE gives a handle that GlobalLock turns into the address;
// without it (GMEM_FIXED) the handle is the address itself. Other flags
// (GMEM_SHARE, ...) are accepted and have no effect. Returns null when the
// memory cannot be had, and for more than GLOBAL_ALLOC_LIMIT bytes.
// NOTES: a block of 0 bytes is a valid block with no usable bytes (the real
// call makes a discarded block of it, which cannot be locked).
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);

// Address of the block `handle` (and, for a movable block, one more lock).
// Returns null for a null, freed or unknown handle.
void* GlobalLock(HGLOBAL handle);

// Undoes one GlobalLock. Returns TRUE when the block is still locked
// afterwards, FALSE when this was the last lock, when it was not locked,
// and for a fixed block or an unknown handle.
BOOL GlobalUnlock(HGLOBAL handle);

// Frees the block, locked or not. Returns null on success and `handle`
// itself when it names no live block (a double free is refused, not done).
// GlobalFree(nullptr) returns null.
HGLOBAL GlobalFree(HGLOBAL handle);

namespace uw {

// For tests: the next `count` calls of GlobalAlloc fail (return null).
// 0 ends a failure run early.
void FailGlobalAllocations(int count);

}  // namespace uw
