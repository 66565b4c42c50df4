#include "filters/comb_list.h"

#include <gtest/gtest.h>

#include "core/demo.h"

namespace korvane {
namespace {

TEST(CombGenerate, ModesAndCounts) {
  struct Case {
    int mode;
    const char* text;
    int count;
  } cases[] = {
      {0, "", 1000},   {1, "0", 271},        {2, "1;2", 8},   {3, "0,1,2,3,4,5,6,7,8,9", 0},
      {2, "", 0},      {3, "", 1000},        {1, "x;5", 488},  // a word that is not a number is 0
      {1, "12;-1", 0}, {1, " 3 ;; 3 ", 271}, {7, "", 1000},
  };
  for (const Case& c : cases) {
    CombList list;
    list.Generate({c.mode, c.text});
    EXPECT_EQ(list.Count(), c.count) << c.mode << " " << c.text;
  }
  CombList all;
  all.Generate({0, ""});
  EXPECT_EQ(all.At(0), (TComb{0, 0, 0}));
  EXPECT_EQ(all.At(1), (TComb{0, 0, 1}));
  EXPECT_EQ(all.At(10), (TComb{0, 1, 0}));
  EXPECT_EQ(all.At(999), (TComb{9, 9, 9}));
  EXPECT_TRUE(all.Contains({5, 0, 5}));
}

TEST(CombList, UndoAndRowDeletion) {
  CombList list;
  list.Generate({2, "1;2"});
  EXPECT_FALSE(list.CanUndo());
  list.UndoSave();
  list.RemoveRowsFromUndo({0, 3, 7, 42});
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(list.At(0), (TComb{1, 1, 2}));
  EXPECT_TRUE(list.CanUndo());
  list.UndoRestore();
  EXPECT_EQ(list.Count(), 8);
  EXPECT_FALSE(list.CanUndo());
  EXPECT_EQ(list.At(0), (TComb{1, 1, 1}));

  list.FiltersListAdd(true, "Выделенные комбинации", "4");
  list.FiltersListAddUndo();
  ASSERT_EQ(list.Filters().size(), 2u);
  EXPECT_EQ(list.Filters()[0].image, FilterImage::Remove);
  EXPECT_EQ(list.Filters()[0].count, 8);
  EXPECT_EQ(list.Filters()[1].caption, "Отмена последней операции");
  list.FiltersListDeleteLast();
  list.FiltersListDeleteLast();
  list.FiltersListDeleteLast();  // no-op when empty
  EXPECT_TRUE(list.Filters().empty());
}

TEST(CombList, CapacityGrows) {
  CombList list;
  EXPECT_EQ(list.Capacity(), 1000);
  for (int i = 0; i < 2500; ++i) list.Append({1, 2, 3});
  EXPECT_EQ(list.Count(), 2500);
  EXPECT_GE(list.Capacity(), 2500);
  list.UndoSave();
  EXPECT_EQ(list.UndoCount(), 2500);
}

TEST(CombList, FindInDrawsListsAtMost26NewestFirst) {
  TDrawsArray draws = MakeDemoDraws(100, 1);
  for (int i = 0; i < 30; ++i) draws[static_cast<size_t>(i * 3)].nums = {4, 0, 9};
  const auto lines = FindCombInDraws(draws, {4, 0, 9});
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines[0].rfind("Тираж № 88 от", 0), 0u);
  EXPECT_TRUE(FindCombInDraws(draws, {4, 0, 8}).size() < 26u);
}

}  // namespace
}  // namespace korvane
