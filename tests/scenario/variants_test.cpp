#include "scenario/variants.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "stats/registry.h"

namespace korvane {
namespace {

class VariantsTest : public ::testing::Test {
 protected:
  void SetUp() override { registry.Build(); }
  TFilterItem Item(const char* text) { return TextToFilterItem(text, registry); }
  TDrawsArray draws;
  GameSettings settings;
  TStatList registry{draws, settings};
};

TEST_F(VariantsTest, CartesianProductInOrder) {
  const VariantPlan plan({Item("TSD1#NUMS:10,20#LMV:1-3;1#SF:1"), Item("TSF1#SUMS:5#LNO:#SF:1")});
  ASSERT_EQ(plan.Count(), 6u);
  std::vector<std::pair<int, std::string>> order;
  for (uint64_t k = 0; k < plan.Count(); ++k) {
    const TFilterVar v = plan.At(k);
    order.emplace_back(v.parts[0].drawsLen, v.parts[0].levelValue);
    EXPECT_EQ(v.parts[1].drawsLen, 5);
    EXPECT_FALSE(v.parts[2].used);
  }
  EXPECT_EQ(order, (std::vector<std::pair<int, std::string>>{
                       {10, "1"}, {10, "2"}, {10, "3"}, {20, "1"}, {20, "2"}, {20, "3"}}));
  EXPECT_EQ(FilterVarToText(plan.At(4)), "TSD#NUMS:20#LMV:2#SF:1 + TSF#SUMS:5#LNO:#SF:1");
}

TEST_F(VariantsTest, ListModesCarryTheWholeList) {
  const VariantPlan plan({Item("TSD1#NUMS:10#LDV:1-5;2#SF:1")});
  ASSERT_EQ(plan.Count(), 1u);
  EXPECT_EQ(plan.At(0).parts[0].levelValue, "1,3,5");
  EXPECT_EQ(plan.At(0).parts[0].levelText, "1-5;2");
  EXPECT_EQ(VariantPlan({Item("TSD1#NUMS:10#LNO:#SF:1")}).At(0).parts[0].levelValue, "");
}

TEST_F(VariantsTest, RefusedDescriptors) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"TSD1#NUMS:#LNO:#SF:1", "Некорректное описание фильтра: TSD1#NUMS:#LNO:#SF:1!"},
      {"TSD1#NUMS:10#LMV:#SF:1", "Некорректное описание фильтра: TSD1#NUMS:10#LMV:#SF:1!"},
      {"TSD99#NUMS:10#LNO:#SF:1", "Некорректное описание фильтра: TSD99#NUMS:10#LNO:#SF:1!"},
      {"TSD1#NUMS:0#LNO:#SF:1", "Некорректное описание фильтра: TSD1#NUMS:0#LNO:#SF:1!"},
      {"TSD1#NUMS:0-3;1#LNO:#SF:1", "Некорректное описание фильтра: TSD1#NUMS:0-3;1#LNO:#SF:1!"},
  };
  for (const Case& c : cases) {
    try {
      VariantPlan plan({Item(c.text)});
      ADD_FAILURE() << c.text;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST_F(VariantsTest, TooManyVariantsAreRefusedBeforeAnythingIsBuilt) {
  // 10,000 x 10,000 x 10,000: counted with overflow checks, refused at once.
  std::vector<TFilterItem> items;
  for (int i = 0; i < 7; ++i) items.push_back(Item("TSD1#NUMS:1-9999;1#LMV:0-9999;1#SF:1"));
  try {
    VariantPlan plan(items);
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Вы задали слишком много вариантов фильтров", 0), 0u);
  }
  // Exactly the limit is fine.
  EXPECT_EQ(VariantPlan({Item("TSD1#NUMS:1-1000;1#LMV:1-1000;1#SF:1")}).Count(), 1000000u);
}

}  // namespace
}  // namespace korvane
