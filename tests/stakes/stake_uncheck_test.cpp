// Taking back the results of stakes whose draws were edited or deleted.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>

#include "core/error.h"
#include "stakes/stake_store.h"
#include "support/test_support.h"

namespace korvane {
namespace {

const TConfigData kConfig;  // a ticket costs 1.00, three matches win 500.00

// A stake as it is made, before any check.
TStakeData Stake(int32_t draw, TComb nums, std::string comment = "Ставка \"вручную\"") {
  TStakeData s;
  s.kind = StakeManual;
  s.draw = draw;
  s.sample = 7;
  s.numbers = CombToCounted(nums);
  s.matched.count = -1;
  s.profit = StakeProfit(kConfig, s.numbers.count, -1);
  s.comment = std::move(comment);
  return s;
}

TDrawRec Draw(int32_t number, TComb nums) {
  TDrawRec d;
  d.number = number;
  d.nums = nums;
  return d;
}

std::string Image(const std::vector<TStakeData>& records) {
  std::string bytes(records.size() * StakeRecSize, '\0');
  for (size_t i = 0; i < records.size(); ++i)
    EncodeStake(records[i], reinterpret_cast<uint8_t*>(bytes.data()) + i * StakeRecSize);
  return bytes;
}

struct Seen {
  std::vector<TStakeData> stakes;
  StakeCheckResult result;
};

Seen Check(StakeStore& store, const TDrawsArray& draws) {
  Seen seen;
  seen.result =
      store.Check(draws, kConfig, [&](const TStakeData& s) { seen.stakes.push_back(s); }, {});
  return seen;
}

// Counts the file operations of a call.
struct OpCounter {
  std::array<int, 6> counts{};
  int operator()(FileOp op, const fs::path&) {
    ++counts[static_cast<size_t>(op)];
    return 0;
  }
  int of(FileOp op) const { return counts[static_cast<size_t>(op)]; }
};

TEST(StakeUncheck, AStakeOfADeletedDrawIsAsBeforeItsCheckAndWaitsForTheDraw) {
  test::TempDir dir;
  const fs::path file = dir / "Korvane.lsk";
  StakeStore store;
  store.Open(file);
  const TStakeData fresh = Stake(5, {1, 2, 3});
  store.Append(fresh, 1);
  const std::string never = test::ReadBytes(file);
  ASSERT_EQ(never, Image({fresh}));

  Seen first = Check(store, {Draw(4, {0, 0, 0}), Draw(5, {1, 2, 3}), Draw(6, {9, 9, 9})});
  ASSERT_EQ(first.result.checked, 1);
  const TStakeData checked = store.Read(0);
  EXPECT_EQ(checked.matched.count, 3);
  EXPECT_EQ(checked.profit.Text(), "499.00");

  // Draw 5 is deleted.
  const TDrawsArray without = {Draw(4, {0, 0, 0}), Draw(6, {9, 9, 9})};
  const std::vector<TStakeData> old = store.Uncheck({5}, kConfig);
  EXPECT_EQ(old, std::vector<TStakeData>{checked});
  EXPECT_EQ(test::ReadBytes(file), never);
  EXPECT_EQ(store.Read(0), fresh);
  EXPECT_TRUE(store.Find(5, fresh.numbers));

  Seen none = Check(store, without);
  EXPECT_EQ(none.result.checked, 0);
  EXPECT_TRUE(none.stakes.empty());
  EXPECT_EQ(test::ReadBytes(file), never);

  // Nothing more to take back: no file operation.
  {
    OpCounter ops;
    ScopedFaultHook hook(std::ref(ops));
    EXPECT_TRUE(store.Uncheck({5}, kConfig).empty());
    EXPECT_EQ(ops.counts, (std::array<int, 6>{}));
  }

  // Draw 5 comes back with other numbers.
  Seen again = Check(store, {Draw(4, {0, 0, 0}), Draw(5, {3, 2, 1}), Draw(6, {9, 9, 9})});
  ASSERT_EQ(again.result.checked, 1);
  ASSERT_EQ(again.stakes.size(), 1u);
  EXPECT_EQ(again.stakes[0].result, (TComb{3, 2, 1}));
  EXPECT_EQ(again.stakes[0].matched.count, 1);  // the 2 in the middle
  EXPECT_EQ(again.stakes[0].profit.Text(), "-1.00");
  EXPECT_EQ(store.Read(0), again.stakes[0]);
}

// The file of the multi-stake cases: stakes of draws 5 and 7 in three runs of adjacent records,
// other stakes and separators between them.
std::vector<TStakeData> Mixed() {
  TStakeData multi = Stake(5, {1, 2, 3});
  multi.numbers = {4, {1, 2, 3, 4}};
  multi.profit = StakeProfit(kConfig, 4, -1);
  return {Stake(5, {1, 2, 3}, "a"), multi,           Stake(5, {5, 5, 5}, "c"), MakeSeparator(),
          Stake(6, {6, 6, 6}, "d"), MakeSeparator(), Stake(7, {7, 8, 9}, "e"), MakeSeparator(),
          Stake(9, {1, 1, 1}, "f"), MakeSeparator(), Stake(5, {5, 0, 5}, "g")};
}

const TDrawsArray kDraws = {Draw(5, {1, 2, 3}), Draw(6, {6, 1, 6}), Draw(7, {7, 8, 0})};
const TDrawsArray kEdited = {Draw(5, {5, 5, 5}), Draw(6, {6, 1, 6}), Draw(7, {7, 8, 0})};

// The mixed file checked against kDraws (draw 9 is not drawn yet).
std::string CheckedImage(const fs::path& dir) {
  StakeStore store;
  store.Open(dir / "checked.lsk");
  for (const TStakeData& s : Mixed())
    if (s.IsSeparator())
      store.AppendSeparator();
    else
      store.Append(s, 1);
  Check(store, kDraws);
  return test::ReadBytes(dir / "checked.lsk");
}

TEST(StakeUncheck, OnlyCheckedStakesOfTheDrawsAreTakenBackInOneWritePerRunAndOneFlush) {
  test::TempDir dir;
  const std::string checked = CheckedImage(dir.path());
  const fs::path file = dir / "Korvane.lsk";
  test::WriteBytes(file, checked);
  StakeStore store;
  store.Open(file);
  std::vector<TStakeData> before;
  for (int i = 0; i < store.Count(); ++i) before.push_back(store.Read(i));

  std::vector<TStakeData> old;
  OpCounter ops;
  {
    ScopedFaultHook hook(std::ref(ops));
    old = store.Uncheck({7, 5, 12}, kConfig);
  }
  EXPECT_EQ(ops.of(FileOp::Write), 3);  // records 0-2, 6 and 10
  EXPECT_EQ(ops.of(FileOp::Sync), 1);
  EXPECT_EQ(old, (std::vector<TStakeData>{before[0], before[1], before[2], before[6], before[10]}));

  std::vector<TStakeData> expected = Mixed();
  expected[4] = before[4];  // draw 6 keeps its result
  EXPECT_EQ(test::ReadBytes(file), Image(expected));

  // The next check takes the draws as they are now, and only the stakes taken back.
  Seen seen = Check(store, kEdited);
  std::vector<std::string> lines;
  for (const TStakeData& s : seen.stakes)
    lines.push_back(s.comment + " " + CombToText(s.result) + " " + std::to_string(s.matched.count) +
                    " " + s.profit.Text());
  EXPECT_EQ(lines,
            (std::vector<std::string>{"a 5;5;5 0 -1.00", "Ставка \"вручную\" 5;5;5 0 -64.00",
                                      "c 5;5;5 3 499.00", "e 7;8;0 2 -1.00", "g 5;5;5 2 -1.00"}));
  EXPECT_EQ(store.Read(8), Mixed()[8]);  // draw 9 still waits
}

TEST(StakeUncheck, WhileFlushesAreDeferredTheFlushComesAtTheEnd) {
  test::TempDir dir;
  const fs::path file = dir / "Korvane.lsk";
  test::WriteBytes(file, CheckedImage(dir.path()));
  StakeStore store;
  store.Open(file);
  OpCounter ops;
  ScopedFaultHook hook(std::ref(ops));
  store.DeferFlush(true);
  EXPECT_EQ(store.Uncheck({5}, kConfig).size(), 4u);
  EXPECT_EQ(ops.of(FileOp::Sync), 0);
  store.DeferFlush(false);
  EXPECT_EQ(ops.of(FileOp::Sync), 1);
}

TEST(StakeUncheckFaults, AFailedWriteOrFlushLeavesEveryRecordAsItWas) {
  test::TempDir base;
  const std::string checked = CheckedImage(base.path());
  std::string clean;
  {
    test::WriteBytes(base / "clean.lsk", checked);
    StakeStore store;
    store.Open(base / "clean.lsk");
    store.Uncheck({5, 7}, kConfig);
    clean = test::ReadBytes(base / "clean.lsk");
  }
  struct Point {
    FileOp op;
    int n;  // the n-th call of the operation, from 1
  };
  const Point points[] = {
      {FileOp::Write, 1}, {FileOp::Write, 2}, {FileOp::Write, 3}, {FileOp::Sync, 1}};
  for (const Point& p : points) {
    for (int err : {ENOSPC, EIO}) {
      SCOPED_TRACE(testing::Message() << (p.op == FileOp::Write ? "write #" : "flush #") << p.n
                                      << " " << std::strerror(err));
      test::TempDir dir;
      const fs::path file = dir / "Korvane.lsk";
      test::WriteBytes(file, checked);
      StakeStore store;
      store.Open(file);
      std::array<int, 6> counts{};
      {
        ScopedFaultHook hook([&](FileOp op, const fs::path&) {
          return ++counts[static_cast<size_t>(op)] == p.n && op == p.op ? err : 0;
        });
        try {
          store.Uncheck({5, 7}, kConfig);
          ADD_FAILURE() << "no failure";
        } catch (const Error& e) {
          EXPECT_NE(std::string(e.what()).find(std::strerror(err)), std::string::npos) << e.what();
        }
      }
      EXPECT_EQ(test::ReadBytes(file), checked);
      EXPECT_EQ(store.Read(0).matched.count, 3);
      // Nothing waits anew: a check finds only the stake of draw 9, which is not drawn.
      EXPECT_EQ(Check(store, kEdited).result.checked, 0);
      EXPECT_EQ(test::ReadBytes(file), checked);
      // A retry does what the clean run did.
      EXPECT_EQ(store.Uncheck({5, 7}, kConfig).size(), 5u);
      EXPECT_EQ(test::ReadBytes(file), clean);
    }
  }
}

}  // namespace
}  // namespace korvane
