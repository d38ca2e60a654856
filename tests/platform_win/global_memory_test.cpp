#include "platform/win/global_memory.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(GlobalMemoryTest, MoveableBlockAsTheSupportFileUsesIt) {
  const HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, 30000);
  ASSERT_NE(nullptr, handle);
  auto* data = static_cast<unsigned char*>(GlobalLock(handle));
  ASSERT_NE(nullptr, data);
  EXPECT_NE(static_cast<void*>(data), handle);  // a handle is not an address
  for (int i = 0; i < 30000; ++i) ASSERT_EQ(0, data[i]) << "byte " << i;
  std::memset(data, 0xFF, 30000);  // the whole block is usable
  EXPECT_EQ(data, GlobalLock(handle));
  EXPECT_EQ(TRUE, GlobalUnlock(handle));  // still locked once
  EXPECT_EQ(FALSE, GlobalUnlock(handle));
  EXPECT_EQ(FALSE, GlobalUnlock(handle));  // not locked any more
  EXPECT_EQ(nullptr, GlobalFree(handle));
}

TEST(GlobalMemoryTest, FixedBlockHandleIsItsAddress) {
  const HGLOBAL handle = GlobalAlloc(GMEM_FIXED, 16);
  ASSERT_NE(nullptr, handle);
  EXPECT_EQ(handle, GlobalLock(handle));
  EXPECT_EQ(FALSE, GlobalUnlock(handle));
  EXPECT_EQ(nullptr, GlobalFree(handle));
}

TEST(GlobalMemoryTest, StaleAndForeignHandlesAreRefused) {
  const HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, 8);
  ASSERT_NE(nullptr, GlobalLock(handle));
  EXPECT_EQ(nullptr, GlobalFree(handle));  // a locked block is freed too
  EXPECT_EQ(handle, GlobalFree(handle));   // but not twice
  EXPECT_EQ(nullptr, GlobalLock(handle));
  EXPECT_EQ(FALSE, GlobalUnlock(handle));

  int local = 0;
  EXPECT_EQ(nullptr, GlobalLock(&local));
  EXPECT_EQ(static_cast<HGLOBAL>(&local), GlobalFree(&local));
  EXPECT_EQ(nullptr, GlobalLock(nullptr));
  EXPECT_EQ(nullptr, GlobalFree(nullptr));
}

TEST(GlobalMemoryTest, EmptyAndImpossibleSizes) {
  const HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(nullptr, empty);
  EXPECT_NE(nullptr, GlobalLock(empty));
  EXPECT_EQ(nullptr, GlobalFree(empty));
  EXPECT_EQ(nullptr, GlobalAlloc(GMEM_MOVEABLE, GLOBAL_ALLOC_LIMIT + 1));
  EXPECT_EQ(nullptr, GlobalAlloc(GMEM_FIXED, static_cast<std::size_t>(-1)));
}

TEST(GlobalMemoryTest, InjectedFailuresCoverTheNextAllocations) {
  uw::FailGlobalAllocations(2);
  EXPECT_EQ(nullptr, GlobalAlloc(GMEM_MOVEABLE, 8));
  EXPECT_EQ(nullptr, GlobalAlloc(GMEM_MOVEABLE, 8));
  const HGLOBAL third = GlobalAlloc(GMEM_MOVEABLE, 8);
  EXPECT_NE(nullptr, third);
  GlobalFree(third);

  uw::FailGlobalAllocations(5);
  uw::FailGlobalAllocations(0);  // ends the run early
  const HGLOBAL after = GlobalAlloc(GMEM_MOVEABLE, 8);
  EXPECT_NE(nullptr, after);
  GlobalFree(after);
}

}  // namespace
