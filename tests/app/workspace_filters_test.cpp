#include <gtest/gtest.h>

#include "app/workspace.h"
#include "core/demo.h"
#include "filters/comb_files.h"
#include "support/test_support.h"

namespace korvane {
namespace {

class FiltersTest : public ::testing::Test {
 protected:
  void Open(TDrawsArray draws) {
    test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(draws));
    ws = std::make_unique<Workspace>(host, dir.path());
    ASSERT_TRUE(ws->Open());
  }
  void SelectValues(const std::string& code, const std::vector<std::string>& values) {
    ASSERT_TRUE(ws->SelectStatMethodByCode(code));
    ws->BuildStatTable(true);
    ws->StatSetSort(0, false);  // rows by value: the values text follows the rows
    ASSERT_EQ(ws->StatSelectValues(values), std::nullopt);
  }
  test::TempDir dir;
  test::RecordingHost host;
  std::unique_ptr<Workspace> ws;
};

TEST_F(FiltersTest, KeepAndRemoveSelectedValues) {
  Open(MakeDemoDraws(50, 2));
  SelectValues("NUMS", {"3", "7"});
  ASSERT_TRUE(ws->StatFilter(false));
  EXPECT_EQ(ws->Combs().Count(), 488);
  ASSERT_EQ(ws->Combs().Filters().size(), 1u);
  const AppliedFilter& row = ws->Combs().Filters()[0];
  EXPECT_EQ(row.caption, "{ num } Числа тиража [ N ]");
  EXPECT_EQ(row.values, "3; 7");
  EXPECT_EQ(row.count, 488);
  EXPECT_EQ(row.image, FilterImage::Keep);
  EXPECT_TRUE(ws->Combs().CanUndo());
  EXPECT_EQ(ws->Panel(StatusPanel::Combs), "Комбинаций: 488");

  ws->CombsUndo();
  EXPECT_EQ(ws->Combs().Count(), 1000);
  EXPECT_TRUE(ws->Combs().Filters().empty());
  EXPECT_FALSE(ws->Combs().CanUndo());

  ASSERT_TRUE(ws->StatFilter(true));
  EXPECT_EQ(ws->Combs().Count(), 512);
  for (int i = 0; i < ws->Combs().Count(); ++i) {
    const TComb& c = ws->Combs().At(i);
    EXPECT_FALSE(ValueInComb(c, 3) || ValueInComb(c, 7));
  }
  // Nothing selected: no change, no row.
  ws->StatSelectRows({});
  EXPECT_FALSE(ws->StatFilter(false));
  EXPECT_EQ(ws->Combs().Filters().size(), 1u);
}

TEST_F(FiltersTest, GridFilters) {
  Open(MakeDemoDraws(50, 2));
  ASSERT_TRUE(ws->ApplyWeekFilter({2, 1}, false));  // the columns headed 0 and 1
  EXPECT_EQ(ws->Combs().Count(), 488);
  EXPECT_EQ(ws->Combs().Filters().back().caption, "Неделя");
  EXPECT_EQ(ws->Combs().Filters().back().values, "0; 1");
  ws->CombsUndo();
  ASSERT_TRUE(ws->ApplyLayoutFilter({"[3], [5]", "", "5"}, true));
  EXPECT_EQ(ws->Combs().Filters().back().values, "3; 5");
  EXPECT_EQ(ws->Combs().Count(), 512);
  ws->CombsUndo();
  // Only empty cells: the message, no row, no undo taken.
  EXPECT_FALSE(ws->ApplyCardFilter({"", ""}, false));
  EXPECT_EQ(host.lastMessage(), "В выделенном диапазоне нет значений для фильтра!");
  EXPECT_TRUE(ws->Combs().Filters().empty());
  EXPECT_FALSE(ws->Combs().CanUndo());
  ASSERT_TRUE(ws->ApplyCardFilter({"7", "7", "x"}, false));  // "x" reads as 0
  EXPECT_EQ(ws->Combs().Filters().back().values, "7; x");
  EXPECT_EQ(ws->Combs().Filters().back().caption, "Карта");
}

TEST_F(FiltersTest, DrawExclusionFollowsTheOffset) {
  TDrawsArray draws = MakeDemoDraws(20, 3);
  draws[19].nums = {4, 4, 7};
  draws[18].nums = {1, 2, 3};
  Open(draws);
  ws->CombsDelExists(1);
  EXPECT_EQ(ws->Combs().Count(), 999);
  EXPECT_FALSE(ws->Combs().Contains({4, 4, 7}));
  const AppliedFilter& row = ws->Combs().Filters().back();
  EXPECT_EQ(row.caption, "Последние тиражи");
  EXPECT_EQ(row.values, "1");
  EXPECT_EQ(row.count, 999);
  EXPECT_TRUE(ws->Combs().CanUndo());
  ws->CombsUndo();
  ws->SetDrawsOffset(1);
  ws->CombsDelExists(1);
  EXPECT_TRUE(ws->Combs().Contains({4, 4, 7}));
  EXPECT_FALSE(ws->Combs().Contains({1, 2, 3}));
  ws->CombsUndo();
  // N larger than the archive compares every visible draw; N = 0 removes nothing but logs.
  ws->CombsDelExists(1000);
  TCombsArray distinct;
  for (int i = 0; i < 19; ++i)
    if (std::find(distinct.begin(), distinct.end(), draws[static_cast<size_t>(i)].nums) ==
        distinct.end())
      distinct.push_back(draws[static_cast<size_t>(i)].nums);
  EXPECT_EQ(ws->Combs().Count(), 1000 - static_cast<int>(distinct.size()));
  ws->CombsUndo();
  ws->CombsDelExists(0);
  EXPECT_EQ(ws->Combs().Count(), 1000);
  EXPECT_EQ(ws->Combs().Filters().back().values, "0");
}

TEST_F(FiltersTest, FilesAndClipboard) {
  Open(MakeDemoDraws(20, 3));
  ASSERT_TRUE(ws->CombsSave(dir / "all.lcv"));
  EXPECT_EQ(fs::file_size(dir / "all.lcv"), 1000u * 7u);
  test::WriteBytes(dir / "two.lcv", "1,2,3\r\n4;5;6\r\n7 8 9\r\n\r\n");
  SelectValues("NUMS", {"3"});
  ws->StatFilter(false);
  ASSERT_TRUE(ws->CombsOpen(dir / "two.lcv"));
  EXPECT_EQ(ws->Combs().ToArray(), (TCombsArray{{1, 2, 3}, {4, 5, 6}}));
  EXPECT_FALSE(ws->Combs().CanUndo());  // opening drops the undo copy
  EXPECT_TRUE(ws->Combs().Filters().empty());
  // A file that cannot be read: the message, the previous list, no undo.
  EXPECT_FALSE(ws->CombsOpen(dir / "missing.lcv"));
  EXPECT_EQ(host.lastMessage().rfind("Ошибка чтения файла \"", 0), 0u);
  EXPECT_EQ(ws->Combs().Count(), 2);
  EXPECT_FALSE(ws->Combs().CanUndo());

  const std::string clip = ws->CombsCopyText({0, 1});
  EXPECT_EQ(clip, "01 02 03\r\n04 05 06\r\n");
  ASSERT_TRUE(ws->CombsPaste("00 05 09\r\n01 02 03\r\n"));
  EXPECT_EQ(ws->Combs().ToArray(), (TCombsArray{{0, 5, 9}, {1, 2, 3}}));
  // A paste that fails on its third line leaves the list as it was, without undo.
  EXPECT_FALSE(ws->CombsPaste("1 1 1\r\n2 2 2\r\nbad line\r\n3 3 3"));
  EXPECT_EQ(ws->Combs().ToArray(), (TCombsArray{{0, 5, 9}, {1, 2, 3}}));
  EXPECT_FALSE(ws->Combs().CanUndo());
  EXPECT_EQ(host.lastMessage(), "Некорректная комбинация: \"bad line\"!");
}

TEST_F(FiltersTest, GenerationFromAFile) {
  Open(MakeDemoDraws(20, 3));
  test::WriteBytes(dir / "mine.lcv", "1;1;1\r\n2;2;2\r\n");
  ASSERT_TRUE(ws->CombsGen({4, (dir / "mine.lcv").string()}, false));
  EXPECT_EQ(ws->Combs().Count(), 2);
  // A missing file: the message and the previous list back.
  EXPECT_FALSE(ws->CombsGen({4, (dir / "missing.lcv").string()}, false));
  EXPECT_EQ(ws->Combs().ToArray(), (TCombsArray{{1, 1, 1}, {2, 2, 2}}));
  EXPECT_FALSE(ws->Combs().CanUndo());
}

TEST_F(FiltersTest, DistinctNumbers) {
  Open(MakeDemoDraws(20, 3));
  ws->CombsPaste("1 1 2\r\n2 3 3\r\n");
  ws->CombsCheckNums();
  EXPECT_EQ(host.lastMessage(), "В текущем списке комбинаций содержится 3 уникальных номеров");
}

}  // namespace
}  // namespace korvane
