#include <gtest/gtest.h>

#include "stats/class_table.h"
#include "stats/stat_fixture.h"
#include "support/test_support.h"

namespace korvane {
namespace {

TEST(ClassTable, HoldsEveryClassInRegistrationOrder) {
  const auto& classes = StatClasses();
  ASSERT_EQ(classes.size(), 143u);
  for (size_t i = 0; i < classes.size(); ++i) EXPECT_EQ(classes[i].number, static_cast<int>(i));
  EXPECT_STREQ(classes[0].codeFormat, "NUMS");
  EXPECT_STREQ(classes[45].codeFormat, "PRV2O1");
  EXPECT_STREQ(classes[142].codeFormat, "SHR%d");
  EXPECT_STREQ(classes[101].helpCodeFormat, "POSx");
  EXPECT_FALSE(classes[24].available);  // COLS
  EXPECT_EQ(classes[2].Features(), FeatureN | FeatureG);
  EXPECT_EQ(classes[2].BaseFeatures(), FeatureN);
  int available = 0;
  for (const auto& c : classes) available += c.available;
  EXPECT_EQ(available, 115);
}

TEST(Registry, EntriesOfTheBuiltFamilies) {
  test::StatFixture f;
  std::vector<std::string> codes;
  for (int i = 0; i < f.registry.Count(); ++i) codes.push_back(f.registry.Items(i).MethodCode());
  const std::vector<std::string> expected = {
      "NUMS", "DIGS", "EVEN", "EVNV", "SMAL", "SMLV", "PRIM", "PRMV", "SUMS", "SUM1", "SUM2",
      "SUM3", "SUMC", "SUMV", "SUMT", "SUME", "SUMP", "S2T3", "POS1", "POS2", "POS3"};
  EXPECT_EQ(codes, expected);  // no entry for POE (empty range) nor for unavailable classes
  EXPECT_EQ(f.registry.Items(f.Entry("POS2")).DisplayName(), "Число в 2 позиции тиража");
  EXPECT_EQ(f.registry.IndexOfCode("pos3"), 20);
  EXPECT_EQ(f.registry.IndexOfCode("COLS"), -1);
}

TEST(Registry, ListText) {
  test::StatFixture f;
  TStatList& r = f.registry;
  const int nums = f.Entry("NUMS");
  EXPECT_EQ(r.ListText(nums, true), "{ num } Числа тиража [ N ]");
  EXPECT_EQ(r.ListText(nums, false), "{ num } Числа тиража");
  EXPECT_EQ(r.ListText(f.Entry("EVEN"), true),
            "{ num } Количество четных чисел в тираже (Ч:Н) [ NG ]");
  EXPECT_EQ(r.ListText(f.Entry("SUM2"), true), "{ sum } Сумма тиража: диапазон 2 (1/2) [ NG ]");
  r.showGroupName = false;
  EXPECT_EQ(r.ListText(nums, true), "Числа тиража [ N ]");
  r.showMethodFlags = false;
  EXPECT_EQ(r.ListText(nums, true), "Числа тиража");
  // A custom name is shown as typed, percent signs included.
  r.Items(nums).customName = "Мои 50% чисел";
  EXPECT_EQ(r.ListText(nums, true), "Мои 50% чисел");
}

TEST(Registry, GroupCaptionAndDisplayNameOfGroup12) {
  EXPECT_EQ(TStatList::GroupCaption(1), "{ sum } Сумма чисел тиража");
  EXPECT_EQ(TStatList::GroupCaption(12), "{ shr } Методы шинковки");
  EXPECT_EQ(TStatList::GroupCaption(13), "#ERROR#");
  EXPECT_EQ(TStatList::GroupCaption(-1), "#ERROR#");
  StatClassInfo shr;
  shr.group = 12;
  shr.nameFormat = "Метод шинковки %d: %%s";
  TStatMethod m;
  m.statClass = &shr;
  m.param = 1;
  m.formula = "(n1+n2)/n3";
  EXPECT_EQ(m.DisplayName(), "Метод шинковки 1: (n1+n2)/n3");
  m.customName = "100% шинковка %s";
  EXPECT_EQ(m.DisplayName(), "100% шинковка (n1+n2)/n3");
}

TEST(Registry, EnabledCodes) {
  test::StatFixture f;
  TStatList& r = f.registry;
  EXPECT_EQ(r.GetEnabledCodes(), "");
  r.SetEnabledCodes("NUMS,SUMS");
  EXPECT_EQ(r.GetEnabledCodes(), "NUMS,SUMS");
  EXPECT_FALSE(r.IsEnabled(f.Entry("EVEN")));
  r.SetEnabledCodes("nums");
  EXPECT_EQ(r.GetEnabledCodes(), "NUMS");
  r.SetEnabledCodes("NUMS, SUMS");  // the second word is " SUMS"
  EXPECT_EQ(r.GetEnabledCodes(), "NUMS");
  r.SetEnabledCodes("  ");
  EXPECT_TRUE(r.allEnabled);

  for (int i = 0; i < r.Count(); ++i) r.Items(i).enabled = false;
  r.NormalizeEnabled();
  EXPECT_TRUE(r.allEnabled);
  EXPECT_TRUE(r.Items(3).enabled);
  r.Items(3).enabled = false;
  r.NormalizeEnabled();
  EXPECT_FALSE(r.allEnabled);
  EXPECT_FALSE(r.IsEnabled(3));
  r.EnableAll();
  EXPECT_TRUE(r.IsEnabled(3));
}

TEST(Registry, HelpLink) {
  test::StatFixture f;
  const TStatMethod& pos2 = f.registry.Items(f.Entry("POS2"));
  EXPECT_EQ(pos2.HelpLink(""), "");
  EXPECT_EQ(pos2.HelpLink("/nonexistent/help.chm"), "");
  test::TempDir dir;
  test::WriteBytes(dir / "help.chm", "x");
  const std::string help = (dir / "help.chm").string();
  EXPECT_EQ(pos2.HelpLink(help), "ms-its:" + help + "::/Filters_1049_POSx.htm");
  EXPECT_EQ(f.registry.Items(0).HelpLink(help), "ms-its:" + help + "::/Filters_1049_NUMS.htm");
}

TEST(Registry, WeightCoefsSaveApplyRestore) {
  test::StatFixture f;
  TStatList& r = f.registry;
  r.SaveWeightCoefs();
  const TWeightCoefs step{1, 2, 3, true, false};
  r.ApplyWeightCoefs(step);
  EXPECT_EQ(r.WeightCoefs(), step);
  r.ApplyWeightCoefs(std::nullopt);
  EXPECT_EQ(r.WeightCoefs(), TWeightCoefs());
  r.ApplyWeightCoefs(step);
  r.RestoreWeightCoefs();
  EXPECT_EQ(r.WeightCoefs(), TWeightCoefs());
}

TEST(Framework, GetDrawAndFindNextDraw) {
  test::StatFixture f({{5, 1, 3}, {2, 2, 2}, {7, 1, 0}});
  auto stat = f.registry.CreateStat(f.Entry("NUMS"));
  EXPECT_EQ(stat->GetDraw(-1, false).number, 0);
  EXPECT_EQ(stat->GetDraw(3, false).nums, (TComb{0, 0, 0}));
  EXPECT_EQ(stat->GetDraw(0, true).nums, (TComb{1, 3, 5}));
  EXPECT_EQ(stat->FindNextDraw(test::KeyRec(1), 1, 2, false), 102);
  EXPECT_EQ(stat->FindNextDraw(test::KeyRec(2), 0, 2, false), 101);
  EXPECT_EQ(stat->FindNextDraw(test::KeyRec(9), 0, 2, false), -1);
  EXPECT_EQ(stat->FindNextDraw(test::KeyRec(1), 3, 2, false), -1);  // start = archive length
  test::StatFixture empty;
  auto s2 = empty.registry.CreateStat(0);
  EXPECT_EQ(s2->GetDraw(0, false).number, 0);
}

}  // namespace
}  // namespace korvane
