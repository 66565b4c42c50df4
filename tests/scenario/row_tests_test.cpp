#include "scenario/row_tests.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace korvane {
namespace {

TStatValues Row() {
  TStatValues v;
  v.value = "7";
  v.count = "12";
  v.countPercent = "4.00000";
  v.deviation = "-";
  v.deviationPercent = "-";
  v.depth = "3";
  v.depthPercent = "25.00";
  v.weight = "-1.50";
  v.periodMin = "-";
  v.period = "8.3333";
  v.periodMax = "20";
  return v;
}

TFilterPart Part(uint8_t mode, const char* value) {
  TFilterPart p;
  p.used = true;
  p.levelMode = mode;
  p.levelValue = value;
  return p;
}

TEST(RowQualifies, Modes) {
  struct Case {
    uint8_t mode;
    const char* value;
    bool result;
  } cases[] = {
      {LNO, "", true},
      {LMV, "3", true},
      {LMV, "4", false},
      {LMP, "25", true},
      {LLV, "2", false},
      {LDV, "1;3", true},
      {LDP, "25", true},
      {CMV, "12", true},
      {CLV, "11", false},
      {CDV, "12,13", true},
      {CDP, "4", true},
      {WMV, "-2", true},
      {WLV, "-2", false},
      {WDV, "-1.5", true},
      {PAM, "8", true},
      {PAL, "8", false},
      {PXR, "20", true},
      {LVA, "5,7", true},
      {LVA, "5", false},
      // Unreadable cells in threshold tests: 0 for "at least", 65535 for "at most".
      {DMV, "0", true},
      {DMV, "1", false},
      {DLV, "65535", true},
      {DLV, "65534", false},
      {PIM, "0", true},
      {PIL, "100", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RowQualifies(Part(c.mode, c.value), Row(), 7), c.result)
        << LevelModeCode(c.mode) << " " << c.value;
}

TEST(RowQualifies, ListTestsFailOnTextsThatAreNotNumbers) {
  EXPECT_THROW(RowQualifies(Part(DDV, "1"), Row(), 7), Error);    // "Отклонение" is "-"
  EXPECT_THROW(RowQualifies(Part(LDV, "1;x"), Row(), 7), Error);  // a word that is no number
  EXPECT_THROW(RowQualifies(Part(PIR, "3"), Row(), 7), Error);
}

TEST(StopTests, EveryMode) {
  TFilterPart p = Part(LNO, "");
  p.stopValue = 50;
  p.stopMode = SC;
  EXPECT_TRUE(StopBeforeRow(p, Row(), 50, 0));
  EXPECT_FALSE(StopBeforeRow(p, Row(), 51, 0));
  p.multiSelect = true;
  EXPECT_FALSE(StopBeforeRow(p, Row(), 1, 0));  // not tested in multi-select
  p.multiSelect = false;
  p.stopMode = ST;
  p.stopValue = 3;
  EXPECT_FALSE(StopBeforeRow(p, Row(), 100, 2));
  EXPECT_TRUE(StopBeforeRow(p, Row(), 100, 3));
  p.stopMode = SV;
  p.stopValue = 12;
  EXPECT_TRUE(StopBeforeRow(p, Row(), 100, 0));  // top-down: c <= V
  p.stopValue = 11;
  EXPECT_FALSE(StopBeforeRow(p, Row(), 100, 0));
  p.bottomUp = true;
  EXPECT_TRUE(StopBeforeRow(p, Row(), 100, 0));  // bottom-up: c >= V
  p.stopMode = SP;
  p.stopValue = 5;
  EXPECT_FALSE(StopBeforeRow(p, Row(), 100, 0));
  p.stopMode = SF;
  EXPECT_FALSE(StopBeforeRow(p, Row(), 0, 1000));
  p.stopMode = SZ;
  EXPECT_FALSE(StopBeforeRow(p, Row(), 0, 1000));
}

}  // namespace
}  // namespace korvane
