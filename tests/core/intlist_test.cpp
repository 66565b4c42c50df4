#include "core/intlist.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(IntList, Parse) {
  struct Case {
    const char* text;
    TIntArray expected;
  } cases[] = {
      {"1;3;5", {1, 3, 5}},
      {"1,3;5", {1, 3, 5}},
      {" 7 ", {7}},
      {"-4", {-4}},
      {"0-9;3", {0, 3, 6, 9}},
      {"0-9,3", {0, 3, 6, 9}},
      {"0-10;3", {0, 3, 6, 9}},
      {"-5--1;2", {-5, -3, -1}},
      {"9-0;-3", {9, 6, 3, 0}},
      {"5-0;10", {5}},  // (0 - 5) div 10 + 1 = 1 element
      {"0-9", {}},      // no step
      {"0-9;0", {}},    // zero step
      {"9-0;1", {}},    // negative count
      {"a;b", {}},
      {"", {}},
      {"1;;3", {}},
      {"0-2000000000;1", {}},  // more than 10000 elements
      {"99999999999;1", {}},   // not a 32-bit integer
      {"-2147483648-2147483647;2147483647", {-2147483648, -1, 2147483646}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseIntList(c.text), c.expected) << c.text;
  EXPECT_EQ(ParseIntList("0-9999;1").size(), 10000u);
  EXPECT_TRUE(ParseIntList("0-10000;1").empty());
}

TEST(IntList, ToText) {
  EXPECT_EQ(IntListToText({1, 3, 5}, ";"), "1;3;5");
  EXPECT_EQ(IntListToText({}, ";"), "");
  EXPECT_EQ(IntListToText({-2}, ", "), "-2");
}

}  // namespace
}  // namespace korvane
