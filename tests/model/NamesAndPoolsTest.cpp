#include "ModelTestSupport.h"
#include "model/Adressen.h"
#include "model/UniqueNames.h"
#include "model/base/Errors.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace zyn {
namespace {

using test::MakeNames;
using test::ReadBytes;
using test::TFixedClock;
using test::WriteBytes;

TEST(UniqueNames, CountsWithinOneSecondAndReusesRemovedNumbers) {
  TFixedClock clock;
  TUniqueNames names = MakeNames(clock);
  EXPECT_EQ(names.NewName(), "08122026_191503_0");
  EXPECT_EQ(names.NewName(), "08122026_191503_1");
  EXPECT_EQ(names.NewName(), "08122026_191503_2");
  EXPECT_GE(names.RemoveName("08122026_191503_1"), 0);
  EXPECT_EQ(names.NewName(), "08122026_191503_1");
  clock.Now.Second = 4;
  EXPECT_EQ(names.NewName(), "08122026_191504_0");
  EXPECT_EQ(names.Count(), 4);
}

TEST(UniqueNames, PrefixHasLeadingZerosEverywhere) {
  EXPECT_EQ(TUniqueNames::FormatPrefix({2027, 1, 2, 3, 4, 5}), "02012027_030405_");
}

TEST(UniqueNames, RandomNumbersDrawAgainOnACollision) {
  TFixedClock clock;
  int draws[] = {7, 7, 9};
  int next = 0;
  TUniqueNames names([&] { return clock.Now; }, [&] { return draws[next++]; });
  names.CountMethod = TCountMethod::cntRandom;
  EXPECT_EQ(names.NewName(), "08122026_191503_7");
  EXPECT_EQ(names.NewName(), "08122026_191503_9");
  EXPECT_EQ(next, 3);
}

TEST(UniqueNames, RemoveUnknownNameChangesNothing) {
  TFixedClock clock;
  TUniqueNames names = MakeNames(clock);
  names.NewName();
  EXPECT_EQ(names.RemoveName("nicht da"), -1);
  EXPECT_EQ(names.Count(), 1);
}

TEST(UniqueNames, SortedWithoutRegardToCaseAndDuplicatesIgnored) {
  TFixedClock clock;
  TUniqueNames names = MakeNames(clock);
  names.Add("b");
  names.Add("A");
  names.Add("a");
  names.Add("C");
  ASSERT_EQ(names.Count(), 3);
  EXPECT_EQ(names.Strings(0), "A");
  EXPECT_EQ(names.Strings(1), "b");
  EXPECT_EQ(names.Strings(2), "C");
  EXPECT_EQ(names.IndexOf("c"), 2);
}

TEST(UniqueNames, SyncToDeletesStrangersAndAddsMissing) {
  TFixedClock clock;
  TUniqueNames names = MakeNames(clock);
  names.Add("x1");
  names.Add("x2");
  std::vector<std::string> dest = {"fremd", "X2", "auch fremd"};
  names.SyncTo(dest);
  EXPECT_EQ(dest, (std::vector<std::string>{"X2", "x1"}));
}

TEST(UniqueNames, StreamAndFileRoundTrip) {
  TFixedClock clock;
  TUniqueNames names = MakeNames(clock);
  names.NewName();
  names.NewName();
  const auto bytes = WriteBytes(names);
  // list begin, two short strings of 17 characters, list end
  ASSERT_EQ(bytes.size(), 1u + 2 * 19 + 1);
  EXPECT_EQ(bytes.front(), 1);
  EXPECT_EQ(bytes[1], 6);
  EXPECT_EQ(bytes.back(), 0);
  TUniqueNames other = MakeNames(clock);
  other.Add("schon da");
  ReadBytes(other, bytes);  // adds, does not clear
  EXPECT_EQ(other.Count(), 3);
  EXPECT_EQ(WriteBytes(other).size(), bytes.size() + 10);

  const test::TempFolder folder("names");
  const std::string path = folder.File("names.bin");
  names.SaveToFile(path);
  TUniqueNames loaded = MakeNames(clock);
  loaded.Add("weg damit");
  loaded.LoadFromFile(path);  // clears first
  EXPECT_EQ(WriteBytes(loaded), bytes);
}

TEST(Adressen, UsedFreeAndFirstFree) {
  TAdressen pool;
  EXPECT_EQ(pool.MinAddress(), 0);
  EXPECT_EQ(pool.MaxAddress(), 31);
  EXPECT_EQ(pool.FirstFree(), 0);
  EXPECT_TRUE(pool.SetUsed(0));
  EXPECT_FALSE(pool.SetUsed(0));
  EXPECT_TRUE(pool.IsUsed(0));
  EXPECT_EQ(pool.FirstFree(), 1);
  pool.SetFree(0);
  EXPECT_EQ(pool.FirstFree(), 0);
  for (int a = 0; a <= 31; ++a) pool.SetUsed(a);
  EXPECT_EQ(pool.FirstFree(), -1);
  // Outside the range nothing can be taken and nothing breaks.
  EXPECT_FALSE(pool.SetUsed(32));
  EXPECT_FALSE(pool.SetUsed(-1));
  pool.SetFree(1000);
}

TEST(Adressen, ResizeKeepsFlagPositions) {
  TAdressen pool;
  pool.SetUsed(3);
  pool.SetMaxAddress(5);
  EXPECT_EQ(pool.AsHexText(), "000000010000");
  pool.SetMaxAddress(7);
  EXPECT_EQ(pool.AsHexText(), "0000000100000000");
}

TEST(Adressen, FreeAddressList) {
  TAdressen pool(0, 5);
  pool.SetUsed(1);
  pool.SetUsed(3);
  std::vector<std::string> list;
  EXPECT_EQ(pool.FreeAddressList("MRK", 3, list, 3), 2);
  EXPECT_EQ(list, (std::vector<std::string>{"MRK.000", "MRK.002", "MRK.003", "MRK.004", "MRK.005"}));
  EXPECT_EQ(pool.FreeAddressList("T", 2, list, 9), -1);
  EXPECT_EQ(list, (std::vector<std::string>{"T.00", "T.02", "T.04", "T.05"}));
}

TEST(Adressen, PoolAboveZeroRoundTrip) {
  TAdressen pool(4, 9);
  pool.SetUsed(4);
  pool.SetUsed(9);
  const auto bytes = WriteBytes(pool);
  // integer 4, integer 9, six Boolean values
  const std::vector<uint8_t> expected = {2, 4, 2, 9, 9, 8, 8, 8, 8, 9};
  EXPECT_EQ(bytes, expected);
  TAdressen read;
  ReadBytes(read, bytes);
  EXPECT_EQ(read, pool);
  EXPECT_EQ(WriteBytes(read), bytes);
}

TEST(Adressen, DamagedRangeIsRefused) {
  TAdressen pool;
  // MinAddress 0, MaxAddress 2147483647: would need two gigabytes of flags.
  const std::vector<uint8_t> bytes = {2, 0, 4, 0xFF, 0xFF, 0xFF, 0x7F};
  EXPECT_THROW(ReadBytes(pool, bytes), EReadError);
  const std::vector<uint8_t> reversed = {2, 9, 2, 3};
  EXPECT_THROW(ReadBytes(pool, reversed), EReadError);
}

}  // namespace
}  // namespace zyn
