#include "stakes/stake_store.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/demo.h"
#include "core/error.h"
#include "stakes/stake_log.h"
#include "support/test_support.h"

namespace korvane {
namespace {

TStakeData Stake(int32_t draw, TComb nums, const char* comment = "c") {
  TStakeData s;
  s.kind = 1;
  s.draw = draw;
  s.numbers = CombToCounted(nums);
  s.matched.count = -1;
  s.comment = comment;
  return s;
}

std::vector<int32_t> Draws(const StakeStore& st) {
  std::vector<int32_t> d;
  for (int i = 0; i < st.Count(); ++i) d.push_back(st.Read(i).draw);
  return d;
}

class StakeStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { store.Open(dir / "Korvane.lsk"); }
  test::TempDir dir;
  StakeStore store;
};

TEST_F(StakeStoreTest, AppendAndSeparators) {
  store.Append(Stake(10, {1, 2, 3}), 1);
  store.Append(Stake(20, {4, 5, 6}), 3);
  EXPECT_EQ(Draws(store), (std::vector<int32_t>{10, -1, 20, -1, 21, -1, 22}));
  store.AppendSeparator();
  store.AppendSeparator();  // the file already ends with one
  EXPECT_EQ(store.Count(), 8);
  store.Append(Stake(30, {7, 8, 9}), 2);  // no separator after a separator
  EXPECT_EQ(Draws(store), (std::vector<int32_t>{10, -1, 20, -1, 21, -1, 22, -1, 30, -1, 31}));
  EXPECT_EQ(fs::file_size(dir / "Korvane.lsk"), 11u * 304u);

  TStakeData checked = Stake(40, {1, 1, 1});
  checked.checked = 1;
  try {
    store.Append(checked, 1);
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Добавление в конец файла уже проверенной ставки!");
  }
  EXPECT_EQ(store.Count(), 11);

  EXPECT_TRUE(store.Find(21, CombToCounted({4, 5, 6})));
  EXPECT_FALSE(store.Find(21, CombToCounted({6, 5, 4})));  // another order
  EXPECT_FALSE(store.Find(23, CombToCounted({4, 5, 6})));
  EXPECT_THROW(store.Read(11), Error);
  EXPECT_EQ(store.Read(-1).draw, 31);
}

TEST_F(StakeStoreTest, CheckingAndPricing) {
  TDrawsArray draws = MakeDemoDraws(10, 1);
  draws[4].nums = {1, 2, 3};  // draw 5
  draws[5].nums = {3, 2, 1};  // draw 6
  TConfigData config;
  config.cost = Money{10000};
  config.profits = {{3, Money{5000000}}, {1, Money{20000}}};
  store.Append(Stake(5, {1, 2, 3}), 1);
  store.Append(Stake(6, {1, 2, 3}), 1);
  store.AppendSeparator();
  store.Append(Stake(99, {1, 2, 3}), 1);  // not in the archive yet
  std::vector<int> matches;
  const StakeCheckResult r = store.Check(
      draws, config, [&](const TStakeData& s) { matches.push_back(s.matched.count); }, {});
  EXPECT_EQ(r.checked, 2);
  EXPECT_EQ(matches, (std::vector<int>{3, 1}));
  EXPECT_EQ(r.profit.units, 4990000 + 10000);
  EXPECT_TRUE(store.Read(0).IsChecked());
  EXPECT_EQ(store.Read(1).matched.count, 1);
  EXPECT_FALSE(store.Read(3).IsChecked());
  // Checked stakes are left alone; the unchecked one waits for its draw.
  EXPECT_EQ(store.Check(draws, config, {}, {}).checked, 0);
  // The store survives closing and opening; the waiting stake is found again.
  store.Close();
  store.Open(dir / "Korvane.lsk");
  EXPECT_EQ(store.Read(1).matched.count, 1);
  TDrawsArray more = MakeDemoDraws(99, 1);
  EXPECT_EQ(store.Check(more, config, {}, {}).checked, 1);
  EXPECT_EQ(store.Check(more, config, {}, {}).checked, 0);
}

TEST_F(StakeStoreTest, DeleteByEveryRelationKeepsSeparators) {
  auto fill = [&] {
    store.Truncate();
    TDrawsArray draws = MakeDemoDraws(10, 1);
    draws[0].nums = {1, 2, 3};
    TConfigData config;
    store.Append(Stake(1, {1, 2, 3}), 1);  // 3 matches
    store.AppendSeparator();
    store.Append(Stake(1, {1, 2, 9}), 1);   // 2
    store.Append(Stake(1, {1, 9, 9}), 1);   // 1
    store.Append(Stake(1, {9, 9, 9}), 1);   // 0
    store.Append(Stake(50, {1, 2, 3}), 1);  // unchecked: -1
    store.Check(draws, config, {}, {});
  };
  struct Case {
    StakeRelation op;
    int value;
    std::vector<int> kept;  // matched counts of what remains (separator: 100)
  } cases[] = {
      {StakeRelation::Equal, 2, {3, 100, 1, 0, -1}},
      {StakeRelation::Greater, 1, {100, 1, 0, -1}},
      {StakeRelation::NotLess, 1, {100, 0, -1}},
      {StakeRelation::Less, 1, {3, 100, 2, 1}},  // unchecked stakes go too
      {StakeRelation::NotGreater, 0, {3, 100, 2, 1}},
  };
  for (const Case& c : cases) {
    fill();
    store.DeleteByCondition(c.op, c.value);
    std::vector<int> kept;
    for (int i = 0; i < store.Count(); ++i) {
      const TStakeData s = store.Read(i);
      kept.push_back(s.kind == 0 ? 100 : s.matched.count);
    }
    EXPECT_EQ(kept, c.kept) << static_cast<int>(c.op) << " " << c.value;
  }
  fill();
  store.DeleteRows(2, 3);  // the separator and the 2-match stake
  EXPECT_EQ(store.Count(), 4);
  EXPECT_EQ(store.Read(1).matched.count, 1);
  EXPECT_FALSE(fs::exists(dir / "Korvane.~tmp"));
}

TEST_F(StakeStoreTest, FailedRenameKeepsTheOldFile) {
  store.Append(Stake(1, {1, 2, 3}), 1);
  store.Append(Stake(2, {4, 5, 6}), 1);
  const std::string before = test::ReadBytes(dir / "Korvane.lsk");
  {
    ScopedFaultHook hook([](FileOp op, const fs::path&) { return op == FileOp::Rename ? EIO : 0; });
    EXPECT_THROW(store.DeleteRows(1, 1), Error);
  }
  EXPECT_EQ(test::ReadBytes(dir / "Korvane.lsk"), before);
  EXPECT_EQ(store.Count(), 2);
  EXPECT_EQ(store.Read(0).draw, 1);
  store.DeleteRows(1, 1);
  EXPECT_EQ(store.Count(), 1);
  // The hold on the file did not lapse: a second store cannot take it.
  StakeStore other;
  EXPECT_THROW(other.Open(dir / "Korvane.lsk"), Error);
}

TEST_F(StakeStoreTest, RepairsTornTailAndOtherVersions) {
  store.Append(Stake(1, {1, 2, 3}), 1);
  store.Append(Stake(2, {4, 5, 6}), 1);
  store.Close();
  std::string bytes = test::ReadBytes(dir / "Korvane.lsk");
  test::WriteBytes(dir / "Korvane.lsk", bytes + "torn");
  StakeFileRepair r = store.Open(dir / "Korvane.lsk");
  EXPECT_EQ(r.kind, StakeFileRepair::TornTail);
  EXPECT_EQ(r.tailBytes, 4);
  EXPECT_EQ(store.Count(), 2);
  EXPECT_EQ(test::ReadBytes(r.backup), bytes + "torn");
  store.Close();

  bytes[0] = 1;  // another version
  test::WriteBytes(dir / "Korvane.lsk", bytes);
  r = store.Open(dir / "Korvane.lsk");
  EXPECT_EQ(r.kind, StakeFileRepair::OldVersion);
  EXPECT_EQ(store.Count(), 0);
  EXPECT_EQ(test::ReadBytes(r.backup), bytes);  // a second backup beside the first
  EXPECT_NE(r.backup.filename(), "Korvane.lsk.bak");
}

TEST_F(StakeStoreTest, CountDrawsReturnsWhereToReadFrom) {
  TDrawsArray draws = MakeDemoDraws(10, 1);
  TConfigData config;
  for (int d : {3, 3, 4, 5, 5, 5, 6}) store.Append(Stake(d, {1, 2, 3}), 1);
  store.Append(Stake(50, {1, 2, 3}), 1);  // unchecked
  store.Check(draws, config, {}, {});
  auto r = store.CountDraws(2);
  EXPECT_EQ(r.count, 2);
  EXPECT_EQ(r.start, 3);  // the stakes of draws 5 and 6 (and the unchecked tail)
  r = store.CountDraws(100);
  EXPECT_EQ(r.count, 4);
  EXPECT_EQ(r.start, 0);
}

TEST_F(StakeStoreTest, StakesOverConsecutiveDrawsEndAtTheLargestDrawNumber) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  struct Case {
    int32_t draw;
    int k;
    std::vector<int32_t> draws;
  } cases[] = {
      {10, 3, {10, -1, 11, -1, 12}},
      {kMax - 3, 3, {kMax - 3, -1, kMax - 2, -1, kMax - 1}},
      {kMax - 1, 5, {kMax - 1, -1, kMax}},  // no draw can follow kMax
      {kMax, 3, {kMax}},
      {kMax, 1, {kMax}},
  };
  for (const Case& c : cases) {
    store.Truncate();
    store.Append(Stake(c.draw, {1, 2, 3}), c.k);
    EXPECT_EQ(Draws(store), c.draws) << c.draw << " x" << c.k;
    EXPECT_TRUE(store.Find(c.draws.back(), CombToCounted({1, 2, 3})));
  }
}

TEST_F(StakeStoreTest, CheckTotalOfAnyStakeFileStaysInRange) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  const TDrawsArray draws = MakeDemoDraws(10, 1);
  struct Case {
    int64_t cost;
    int32_t numbersCount;  // of both stakes; a stake file may hold any count
    int64_t stakeProfit, total;
  } cases[] = {
      {10000, 3, -10000, -20000},
      {10000, 4, -640000, -1280000},
      {10000, 2097152, -kMax, kMin},  // 2^63 tickets each
      {10000, std::numeric_limits<int32_t>::max(), -kMax, kMin},
      {kMax / 2 + 2, 3, -(kMax / 2 + 2), kMin},  // each in range, the sum not
      {-(kMax / 2 + 1), 3, kMax / 2 + 1, kMax},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cost << " x" << c.numbersCount);
    store.Truncate();
    for (int32_t d : {4, 7}) {
      TStakeData s = Stake(d, {1, 2, 3});
      s.numbers.count = c.numbersCount;
      store.Write(s, store.Count());
    }
    TConfigData config;
    config.cost = Money{c.cost};
    config.profits.clear();
    const StakeCheckResult r = store.Check(draws, config, {}, {});
    EXPECT_EQ(r.checked, 2);
    EXPECT_EQ(store.Read(0).profit.units, c.stakeProfit);
    EXPECT_EQ(store.Read(1).profit.units, c.stakeProfit);
    EXPECT_EQ(r.profit.units, c.total);
  }
}

TEST(StakeLogTest, LineFormatAndSizeRule) {
  test::TempDir dir;
  StakeLog log(dir.path());
  TStakeData s = Stake(77, {4, 0, 9}, "Тест");
  s.sample = 12;
  s.checked = 1;
  s.result = {4, 1, 9};
  s.matched = {2, {4, 9, 0, 0}};
  s.profit = Money{-10000};
  EXPECT_EQ(StakeLog::Line(s, EncodeDateTime(2026, 12, 10, 3, 4, 5)),
            "2026.12.10 03:04:05: Тираж № 77. Ставка: \"Тест\" [4;0;9] {12}. Результаты тиража: "
            "[4;1;9]. Совпадений: 2. Профит: -1.00.");
  log.sizeLimit = 300;
  std::vector<std::string> errors;
  auto onError = [&](const std::string& e) { errors.push_back(e); };
  for (int i = 0; i < 3; ++i) log.Write(s, onError);
  const auto size3 = fs::file_size(dir / "Korvane-2.log");
  EXPECT_GT(size3, 300u);
  log.Write(s, onError);  // larger than the limit: started anew
  EXPECT_LT(fs::file_size(dir / "Korvane-2.log"), size3);
  EXPECT_TRUE(errors.empty());
  s.matched.count = 0;
  log.Write(s, onError);
  EXPECT_EQ(log.Files().Count(), 2);
  EXPECT_EQ(log.Files().DeleteAll(), (std::pair<int, int>{2, 0}));
  EXPECT_EQ(log.Files().Count(), 0);
}

}  // namespace
}  // namespace korvane
