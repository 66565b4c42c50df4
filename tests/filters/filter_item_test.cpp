#include "filters/filter_item.h"

#include <gtest/gtest.h>

#include "stats/registry.h"

namespace korvane {
namespace {

class FilterItemTest : public ::testing::Test {
 protected:
  void SetUp() override { registry.Build(); }
  TDrawsArray draws;
  GameSettings settings;
  TStatList registry{draws, settings};
};

TEST_F(FilterItemTest, ReadsTheWorkedExamples) {
  struct Case {
    const char* text;
    const char* written;  // nullptr: the same text
    TFilterItem item;
  };
  auto make = [](std::string code, std::string draws, int sort, bool bottomUp, bool multi,
                 bool keep, uint8_t mode, std::string level, uint8_t stop, int32_t stopValue) {
    TFilterItem i;
    i.used = true;
    i.methodCode = std::move(code);
    i.drawsText = std::move(draws);
    i.sortColumn = sort;
    i.bottomUp = bottomUp;
    i.multiSelect = multi;
    i.keep = keep;
    i.levelMode = mode;
    i.levelText = std::move(level);
    i.stopMode = stop;
    i.stopValue = stopValue;
    return i;
  };
  std::vector<Case> cases = {
      {"TSD1#NUMS:10#LMV:3#SF:1", nullptr,
       make("NUMS", "10", 1, false, false, false, LMV, "3", SF, 1)},
      {"BMF12#NUMS:10#LVA:1,2#SC:5", nullptr,
       make("NUMS", "10", 12, true, true, true, LVA, "1,2", SC, 5)},
      // Tolerances: lower-case codes, blanks after ":", runs of "#", a short flags field, a stop
      // value that is not a number.
      {"TSD#nums: 10 ##lmv: 3#sf:x", "TSD1#NUMS:10#LMV:3#SF:1",
       make("NUMS", "10", 1, false, false, false, LMV, "3", SF, 1)},
      {"FBM7#SUMS#CDP:1-5;2#ST:9", "BMF7#SUMS:#CDP:1-5;2#ST:9",
       make("SUMS", "", 7, true, true, true, CDP, "1-5;2", ST, 9)},
      {"TSDx#POS2:5", "TSD1#POS2:5#LNO:#SF:0",
       make("POS2", "5", 1, false, false, false, LNO, "", SF, 0)},
  };
  for (const Case& c : cases) {
    TFilterItem item = TextToFilterItem(c.text, registry);
    TFilterItem expected = c.item;
    expected.methodText = item.methodText;
    EXPECT_EQ(item, expected) << c.text;
    EXPECT_EQ(FilterItemToText(item), c.written ? c.written : c.text) << c.text;
  }
}

TEST_F(FilterItemTest, UnknownMethodKeepsItsText) {
  const TFilterItem item = TextToFilterItem("TSD#XXXX:5#LNO:#SF:1", registry);
  EXPECT_TRUE(item.used);
  EXPECT_TRUE(item.methodCode.empty());
  EXPECT_EQ(item.methodText, "XXXX:5");
  EXPECT_EQ(item.drawsText, "");
  EXPECT_EQ(FilterItemToText(item), "TSD1#XXXX:5#LNO:#SF:1");
  EXPECT_FALSE(TextToFilterItem("", registry).used);
}

TEST_F(FilterItemTest, CoefficientsField) {
  const TFilterItem item = TextToFilterItem("BMF8#SUMS:5-20;5#WMV:10#ST:3#0:-1:1:0:0", registry);
  EXPECT_TRUE(item.coefsOverride);
  EXPECT_EQ(item.coefs, (TWeightCoefs{0, -1, 1, false, false}));
  EXPECT_EQ(FilterItemToText(item), "BMF8#SUMS:5-20;5#WMV:10#ST:3#0:-1:1:0:0");
  // Both decimal points, stray characters ignored, flags "1" only.
  const TFilterItem loose =
      TextToFilterItem("TSD1#NUMS:5#WMV:1#SF:1#1,5x:abc:-0.25:1:yes", registry);
  EXPECT_EQ(loose.coefs.count, 1.5L);
  EXPECT_EQ(loose.coefs.deviation, 0);
  EXPECT_EQ(loose.coefs.level, -0.25L);
  EXPECT_TRUE(loose.coefs.usePercents);
  EXPECT_FALSE(loose.coefs.useAbsValues);
  EXPECT_EQ(FilterItemToText(loose), "TSD1#NUMS:5#WMV:1#SF:1#1.5:0:-0.25:1:0");
  // Very small and large values are written without an exponent, so they read back the same
  // ("1e-05" would read as 1).
  const char* extreme = "TSD1#NUMS:5#WMV:1#SF:1#0.00001:100000000:-0.0000025:0:0";
  const TFilterItem wide = TextToFilterItem(extreme, registry);
  EXPECT_EQ(wide.coefs.count, static_cast<long double>(0.00001));
  EXPECT_EQ(FilterItemToText(wide), extreme);
  EXPECT_EQ(TextToFilterItem(FilterItemToText(wide), registry), wide);
}

TEST_F(FilterItemTest, LongestCodeWins) {
  settings.config.channelSize = 1;
  // No CHN family yet: the sum codes show the rule (SUM1 is a prefix of SUM10 style texts).
  const TFilterItem item = TextToFilterItem("TSD1#SUMS2:5#LNO:#SF:1", registry);
  EXPECT_EQ(item.methodCode, "SUMS");
  const TFilterItem pos = TextToFilterItem("TSD1#POS3:5#LNO:#SF:1", registry);
  EXPECT_EQ(pos.methodCode, "POS3");
}

TEST_F(FilterItemTest, AbsurdInputNeverFails) {
  for (const char* text : {"#", "##########", "T", "TSD99999999999999#NUMS:0-2000000000;1",
                           "TSD1#NUMS:5-1;-1#LVA:9-0;0#SP:-5#::::::::", "\x01\x02#\xff\xfe"}) {
    const TFilterItem item = TextToFilterItem(text, registry);
    EXPECT_TRUE(item.used) << text;
    (void)FilterItemToText(item);
  }
  EXPECT_EQ(TextToFilterItem("TSD99999999999999#NUMS:5", registry).sortColumn, 1);
}

TEST_F(FilterItemTest, DialogValidation) {
  struct Case {
    const char* text;
    bool acceptsValues;
    const char* message;  // nullptr: accepted
  } cases[] = {
      {"TSD1#NUMS:10#LMV:3#SF:1", true, nullptr},
      {"TSD1#NUMS:0#LMV:3#SF:1", true, "Введен некорректный диапазон значений!"},
      {"TSD1#NUMS:x#LMV:3#SF:1", true, "Введен некорректный диапазон значений!"},
      {"TSD1#NUMS:10#LMV:#SF:1", true, "Введен некорректный диапазон значений!"},
      {"TSD1#NUMS:10#LNO:#SF:1", true, nullptr},
      {"TSD1#SUMC:10#LVA:1#SF:1", false,
       "Для данного вида статистики не доступен режим выделения по списку значений!"},
      {"TMD1#NUMS:10#LNO:#SC:5", true,
       "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не может "
       "быть выполнена!\nВыберите другой способ останова."},
  };
  for (const Case& c : cases) {
    const auto error = ValidateFilterItem(TextToFilterItem(c.text, registry), c.acceptsValues);
    if (c.message == nullptr)
      EXPECT_FALSE(error) << c.text;
    else
      EXPECT_EQ(error ? error->message : "", c.message) << c.text;
  }
}

TEST_F(FilterItemTest, PartAndVariantTexts) {
  TFilterPart p;
  p.used = true;
  p.methodCode = "NUMS";
  p.drawsLen = 10;
  p.keep = true;
  p.levelMode = LMV;
  p.levelText = "3";
  p.stopValue = 1;
  EXPECT_EQ(FilterPartToText(p), "TSF#NUMS:10#LMV:3#SF:1");
  TFilterVar v;
  v.parts[0] = p;
  v.parts[3] = p;
  v.parts[3].methodCode = "SUMS";
  EXPECT_EQ(FilterVarToText(v), "TSF#NUMS:10#LMV:3#SF:1 + TSF#SUMS:10#LMV:3#SF:1");
  EXPECT_TRUE(IsThresholdMode(LMV));
  EXPECT_FALSE(IsThresholdMode(LDV));
  EXPECT_FALSE(IsThresholdMode(LVA));
  EXPECT_TRUE(IsThresholdMode(PXR));
  EXPECT_STREQ(LevelModeCode(31), "LVA");
  EXPECT_STREQ(StopModeText(2), "Пока список не будет пуст и откатить на шаг");
}

}  // namespace
}  // namespace korvane
