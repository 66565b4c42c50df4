#include "core/archive.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/demo.h"
#include "core/error.h"
#include "support/test_support.h"

namespace korvane {
namespace {

TDrawRec Draw(int32_t number, TComb nums, const char* date = "03/07/2021 M") {
  TDrawRec d;
  d.number = number;
  d.nums = nums;
  d.SetDateText(date);
  return d;
}

DrawArchive ArchiveOf(const std::vector<int32_t>& numbers) {
  DrawArchive a;
  for (int32_t n : numbers) a.Append(Draw(n, {1, 2, 3}));
  return a;
}

TEST(Archive, MissingFileGivesEmptyArchive) {
  test::TempDir dir;
  DrawArchive a;
  a.SetPath(dir / "Korvane.ldr");
  EXPECT_NO_THROW(a.Load());
  EXPECT_TRUE(a.Empty());
  EXPECT_FALSE(a.LoadFailed());
  EXPECT_EQ(a.NextDrawNumber(0), 1);
  EXPECT_FALSE(fs::exists(dir / "Korvane.ldr"));
}

TEST(Archive, SaveWritesTwentyBytesADrawAndLoadsBack) {
  test::TempDir dir;
  DrawArchive a;
  a.SetPath(dir / "Korvane.ldr");
  a.AppendAll(MakeDemoDraws(50, 7));
  a.Save();
  EXPECT_EQ(fs::file_size(dir / "Korvane.ldr"), 50u * 20u);
  DrawArchive b;
  b.SetPath(dir / "Korvane.ldr");
  b.Load();
  EXPECT_EQ(b.Draws(), a.Draws());
}

TEST(Archive, TrailingBytesAreIgnored) {
  test::TempDir dir;
  const std::string two = DrawArchive::Serialize({Draw(1, {1, 2, 3}), Draw(2, {4, 5, 6})});
  test::WriteBytes(dir / "Korvane.ldr", two + "12345");  // a 45-byte file
  DrawArchive a;
  a.SetPath(dir / "Korvane.ldr");
  a.Load();
  EXPECT_EQ(a.Count(), 2);
  EXPECT_FALSE(a.LoadFailed());
}

TEST(Archive, InvalidRecordStopsLoadingAndTheFileIsNeverRewritten) {
  struct Case {
    const char* what;
    int byte;
    uint8_t value;
  } cases[] = {{"number above 9", 4 + 20, 10},
               {"date length above 12", 7 + 20, 13},
               {"draw number 0", 0 + 20, 0}};
  for (const Case& c : cases) {
    test::TempDir dir;
    std::string bytes =
        DrawArchive::Serialize({Draw(1, {1, 2, 3}), Draw(2, {4, 5, 6}), Draw(3, {7, 8, 9})});
    bytes[static_cast<size_t>(c.byte)] = static_cast<char>(c.value);
    if (c.byte == 20) bytes[21] = bytes[22] = bytes[23] = 0;
    test::WriteBytes(dir / "Korvane.ldr", bytes);
    DrawArchive a;
    a.SetPath(dir / "Korvane.ldr");
    EXPECT_THROW(a.Load(), Error) << c.what;
    EXPECT_TRUE(a.LoadFailed()) << c.what;
    EXPECT_EQ(a.Count(), 1) << c.what;  // the part before the bad record stays
    a.Append(Draw(9, {0, 0, 0}));
    EXPECT_THROW(a.Save(), Error) << c.what;
    EXPECT_EQ(test::ReadBytes(dir / "Korvane.ldr"), bytes) << c.what;
  }
}

TEST(Archive, IndexOfDrawNumber) {
  struct Case {
    std::vector<int32_t> numbers;
    int32_t wanted;
    int index;
  } cases[] = {
      {{}, 1, -1},
      {{5}, 5, 0},
      {{1, 2, 3, 4, 5}, 3, 2},
      {{1, 2, 5, 9}, 5, 2},  // gaps
      {{1, 2, 5, 9}, 2, 1},
      {{1, 2, 5, 9}, 4, -1},
      {{1, 2, 5, 9}, 10, -1},
      {{1, 2, 5, 9}, 0, -1},
      {{10, 20, 30, 31, 32, 33, 34, 35, 100}, 30, 2},
      {{10, 20, 30, 31, 32, 33, 34, 35, 100}, 99, -1},  // a gap between two indexes
      {{7, 7, 7}, 7, 0},
      {{9, 8, 7, 6}, 7, 2},  // numbers not growing: the denominator is not positive
      {{1, 50, 2, 49, 3}, 2, 2},
      {{-2147483647, 2147483647}, 5, -1},  // needs 64 bits
      {{1, 2147483647}, 2147483647, 1},
  };
  for (const Case& c : cases) {
    const DrawArchive a = ArchiveOf(c.numbers);
    EXPECT_EQ(a.IndexOfDrawNumber(c.wanted), c.index) << "wanted " << c.wanted;
  }
}

TEST(Archive, NextDrawNumberStopsAtTheLargestNumber) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  struct Case {
    std::vector<int32_t> numbers;  // oldest first
    int listIndex;
    int next;
  } cases[] = {
      {{10, 11, 12}, 0, 13},       {{kMax - 2, kMax - 1}, 0, kMax},
      {{kMax - 1, kMax}, 0, kMax},  // no draw can follow the largest number
      {{kMax - 1, kMax}, 1, kMax}, {{kMax, 5}, 1, kMax},
      {{kMax, 5}, 0, 6},
  };
  for (const Case& c : cases) {
    // Read from a file, as a fuzzed Korvane.ldr would be.
    test::TempDir dir;
    TDrawsArray draws;
    for (int32_t n : c.numbers) draws.push_back(Draw(n, {1, 2, 3}));
    test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(draws));
    DrawArchive a;
    a.SetPath(dir / "Korvane.ldr");
    a.Load();
    EXPECT_EQ(a.NextDrawNumber(c.listIndex), c.next) << c.numbers.back() << " @" << c.listIndex;
  }
}

TEST(Archive, LookUps) {
  DrawArchive a;
  a.Append(Draw(10, {1, 2, 3}, "03/06/2021 E"));
  a.Append(Draw(11, {4, 5, 6}, "03/07/2021 M"));
  a.Append(Draw(12, {7, 8, 9}, "03/07/2021 E"));
  EXPECT_EQ(a.NextDrawNumber(0), 13);
  EXPECT_EQ(a.NextDrawNumber(2), 11);
  EXPECT_EQ(a.NextDrawNumber(3), -1);
  EXPECT_EQ(a.NextDrawNumber(-1), -1);
  EXPECT_EQ(a.DrawNumbersAt(0), (TComb{7, 8, 9}));
  EXPECT_EQ(a.DrawNumbersAt(3), (TComb{0, 0, 0}));
  EXPECT_EQ(a.NextDrawNumbersText(0), "");
  EXPECT_EQ(a.NextDrawNumbersText(1), "7;8;9");
  EXPECT_EQ(a.NextDrawNumbersText(3), "");
  EXPECT_EQ(a.DrawDateIntAt(0, 0), 20210307);
  EXPECT_EQ(a.DrawDateIntAt(2, 1), 20210307);
  EXPECT_EQ(a.DrawDateIntAt(5, 0), 19880429);
  EXPECT_EQ(a.IndexOfDrawDate("03/07/2021 e", 0), 2);
  EXPECT_EQ(a.IndexOfDrawDate("03/06/2021 E", 2), -1);  // only the last two searched
  EXPECT_EQ(a.IndexOfDrawDate("03/06/2021 E", 3), 0);
  EXPECT_EQ(DrawArchive().DrawDateIntAt(0, 0), 19880429);
}

TEST(Archive, OffsetAndKnownNextDraw) {
  DrawArchive a = ArchiveOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  a.Replace(9, Draw(10, {4, 0, 4}));
  EXPECT_TRUE(a.KnownNextDraw().none());
  EXPECT_TRUE(a.SetDrawsOffset(1));
  EXPECT_FALSE(a.SetDrawsOffset(1));
  EXPECT_EQ(a.NextDrawNumber(a.DrawsOffset()), 10);  // second-newest + 1
  EXPECT_EQ(a.NextDrawNumbersText(a.DrawsOffset()), "4;0;4");
  EXPECT_TRUE(a.KnownNextDraw().test(4));
  EXPECT_TRUE(a.KnownNextDraw().test(0));
  EXPECT_EQ(a.KnownNextDraw().count(), 2u);
  a.SetDrawsOffset(50);
  EXPECT_EQ(a.DrawsOffset(), 9);
  // Shrinking the archive clamps the offset.
  a.DeleteListRows({0, 1, 2, 3, 4, 5, 6});
  EXPECT_EQ(a.DrawsOffset(), 2);
}

TEST(Archive, DeleteListRowsUsesIndexesNotNumbers) {
  DrawArchive a;
  a.Append(Draw(5, {1, 1, 1}));
  a.Append(Draw(5, {2, 2, 2}));  // the same number twice
  a.Append(Draw(6, {3, 3, 3}));
  EXPECT_EQ(a.DeleteListRows({1, 1}), 1);  // list row 1 = the second draw numbered 5
  ASSERT_EQ(a.Count(), 2);
  EXPECT_EQ(a.Draws()[0].nums, (TComb{1, 1, 1}));
  EXPECT_EQ(a.Draws()[1].nums, (TComb{3, 3, 3}));
  EXPECT_THROW(a.DeleteDrawAt(2), Error);
  EXPECT_THROW(a.DeleteDrawAt(-1), Error);
}

TEST(Archive, DeletingEverythingLeavesAnEmptyFile) {
  test::TempDir dir;
  DrawArchive a = ArchiveOf({1, 2, 3});
  a.SetPath(dir / "Korvane.ldr");
  a.Save();
  a.DeleteListRows({0, 1, 2});
  a.Save();
  EXPECT_TRUE(a.Empty());
  EXPECT_EQ(fs::file_size(dir / "Korvane.ldr"), 0u);
}

TEST(Archive, RowTexts) {
  DrawArchive a;
  a.Append(Draw(77, {9, 0, 5}, "12/31/2020 E"));
  const auto row = a.RowTexts(0, false);
  EXPECT_EQ(row, (std::array<std::string, 6>{"77", "9", "0", "5", "14", "12/31/2020 E"}));
  const auto sorted = a.RowTexts(0, true);
  EXPECT_EQ(sorted[1], "0");
  EXPECT_EQ(sorted[3], "9");
  EXPECT_EQ(ArchiveColumnCaptions()[0], "Тираж");
  EXPECT_EQ(ArchiveColumnCaptions()[5], "Дата тиража");
}

TEST(Demo, DrawsAreValidAndRepeatable) {
  const TDrawsArray d = MakeDemoDraws(1001, 3);
  ASSERT_EQ(d.size(), 1001u);
  EXPECT_EQ(d, MakeDemoDraws(1001, 3));
  EXPECT_EQ(d.back().DateText(), "12/09/2026 E");
  EXPECT_EQ(d[d.size() - 2].DateText(), "12/09/2026 M");
  for (size_t i = 0; i < d.size(); ++i) {
    EXPECT_EQ(d[i].number, static_cast<int32_t>(i + 1));
    for (uint8_t n : d[i].nums) EXPECT_LE(n, 9);
  }
}

}  // namespace
}  // namespace korvane
