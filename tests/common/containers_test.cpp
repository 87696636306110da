#include <gtest/gtest.h>

#include <cstdint>
#include <new>

#include "common/dvec.h"
#include "common/memory.h"

namespace {

struct Counted {
  static int alive;
  Counted() { ++alive; }
  ~Counted() { --alive; }
};
int Counted::alive = 0;

TEST(DVec, GrowthDoublesOrJumpsToNeededCount) {
  DVec<int*> pointers;
  pointers.add(nullptr);
  EXPECT_EQ(pointers.capacity, 32u);
  for (int i = 1; i < 33; ++i) pointers.add(nullptr);
  EXPECT_EQ(pointers.count, 33u);
  EXPECT_EQ(pointers.capacity, 64u);
  pointers.reserve(200);  // larger than twice: jump to the needed count
  EXPECT_EQ(pointers.capacity, 200u);

  DVec<unsigned char> bytes;
  bytes.add(7);
  EXPECT_EQ(bytes.capacity, 128u);
}

TEST(DVec, ResizeZeroFillsAndKeepsValues) {
  DVec<long> values;
  values.add(42);
  values.resize(5);
  ASSERT_EQ(values.count, 5u);
  EXPECT_EQ(values[0], 42);
  for (uint32_t i = 1; i < 5; ++i) EXPECT_EQ(values[i], 0);
  values.resize(2);
  values.resize(4);  // shrinking then growing zeroes the revived slots
  EXPECT_EQ(values[3], 0);
}

TEST(DVec, AddingAnEntryOfItselfWhileGrowingIsSafe) {
  DVec<long> values;
  for (int i = 0; i < 32; ++i) values.add(i);
  values.add(values[5]);  // the source moves with the block
  EXPECT_EQ(values[32], 5);
}

TEST(VecOwn, DeletesEveryNonNullEntry) {
  {
    VecOwn<Counted*> owned;
    owned.add(new Counted);
    owned.add(nullptr);
    owned.add(new Counted);
    EXPECT_EQ(Counted::alive, 2);
  }
  EXPECT_EQ(Counted::alive, 0);
}

TEST(Memory, AllocationsAre64ByteAlignedAndCounted) {
  uint64_t before = Allocation_Count();
  for (size_t size : {0u, 1u, 3u, 63u, 65u, 1000u}) {
    void* block = ::operator new(size);
    EXPECT_NE(block, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 64, 0u) << size;
    ::operator delete(block);
  }
  EXPECT_EQ(Allocation_Count() - before, 6u);
}

TEST(Memory, ImpossibleAllocationThrowsBadAlloc) {
  // The last two would wrap around in the rounding to 64 bytes.
  for (size_t size : {SIZE_MAX - 4096, SIZE_MAX - 10, SIZE_MAX}) {
    volatile size_t huge = size;
    EXPECT_THROW({ void* p = ::operator new(huge); ::operator delete(p); }, std::bad_alloc) << size;
    EXPECT_THROW({ void* p = ::operator new[](huge); ::operator delete[](p); }, std::bad_alloc) << size;
  }
  volatile size_t wraps = SIZE_MAX - 10;
  EXPECT_EQ(::operator new(wraps, std::nothrow), nullptr);
}

}  // namespace
