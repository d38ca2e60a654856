#include "platform/win/global_memory.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>

namespace {

struct Block {
  void* data = nullptr;
  bool moveable = false;
  unsigned locks = 0;
};

// The live blocks by handle. A movable block's handle is the address of its
// Block record, so it differs from the data address; a fixed block's handle
// is the data address.
struct Table {
  std::mutex m_lock;
  std::unordered_map<HGLOBAL, Block*> m_blocks;
};

Table& TheTable() {
  static Table* table = new Table;  // never destroyed: blocks may outlive statics
  return *table;
}

std::atomic<int> g_failuresLeft{0};

bool TakeInjectedFailure() {
  int left = g_failuresLeft.load();
  while (left > 0) {
    if (g_failuresLeft.compare_exchange_weak(left, left - 1)) return true;
  }
  return false;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
  if (TakeInjectedFailure() || bytes > GLOBAL_ALLOC_LIMIT) return nullptr;
  // Room for at least one byte, so every block has its own address.
  void* data = (flags & GMEM_ZEROINIT) != 0 ? std::calloc(bytes > 0 ? bytes : 1, 1)
                                            : std::malloc(bytes > 0 ? bytes : 1);
  if (data == nullptr) return nullptr;
  Block* block = new (std::nothrow) Block;
  if (block == nullptr) {
    std::free(data);
    return nullptr;
  }
  block->data = data;
  block->moveable = (flags & GMEM_MOVEABLE) != 0;
  const HGLOBAL handle = block->moveable ? static_cast<HGLOBAL>(block) : data;
  Table& table = TheTable();
  std::lock_guard<std::mutex> guard(table.m_lock);
  table.m_blocks[handle] = block;
  return handle;
}

void* GlobalLock(HGLOBAL handle) {
  Table& table = TheTable();
  std::lock_guard<std::mutex> guard(table.m_lock);
  const auto found = table.m_blocks.find(handle);
  if (handle == nullptr || found == table.m_blocks.end()) return nullptr;
  Block* block = found->second;
  if (block->moveable) ++block->locks;
  return block->data;
}

BOOL GlobalUnlock(HGLOBAL handle) {
  Table& table = TheTable();
  std::lock_guard<std::mutex> guard(table.m_lock);
  const auto found = table.m_blocks.find(handle);
  if (handle == nullptr || found == table.m_blocks.end()) return FALSE;
  Block* block = found->second;
  if (!block->moveable || block->locks == 0) return FALSE;
  --block->locks;
  return block->locks > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL handle) {
  if (handle == nullptr) return nullptr;
  Block* block = nullptr;
  {
    Table& table = TheTable();
    std::lock_guard<std::mutex> guard(table.m_lock);
    const auto found = table.m_blocks.find(handle);
    if (found == table.m_blocks.end()) return handle;
    block = found->second;
    table.m_blocks.erase(found);
  }
  std::free(block->data);
  delete block;
  return nullptr;
}

namespace uw {

void FailGlobalAllocations(int count) { g_failuresLeft.store(count > 0 ? count : 0); }

}  // namespace uw
