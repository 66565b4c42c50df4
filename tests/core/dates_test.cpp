#include "core/dates.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace korvane {
namespace {

DateTime At(int y, int m, int d, int h, int mi = 0) { return EncodeDateTime(y, m, d, h, mi); }

TEST(Dates, DrawDateToText) {
  struct Case {
    DateTime d;
    const char* text;
  } cases[] = {
      {At(2021, 3, 7, 0), "03/07/2021 E"},
      {At(2021, 3, 7, 1), "03/07/2021 M"},
      {At(2021, 3, 7, 13, 59), "03/07/2021 M"},
      {At(2021, 3, 7, 14), "03/07/2021 E"},
      {At(2021, 3, 7, 23, 59), "03/07/2021 E"},
      {At(1988, 4, 29, 19, 57), "04/29/1988 E"},
      {DateTime{0}, ""},
      {DateTime{-5}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DrawDateToText(c.d), c.text);
}

TEST(Dates, TextToDrawDate) {
  struct Case {
    const char* text;
    DateTime d;
  } cases[] = {
      {"03/07/2021 M", At(2021, 3, 7, 13)},
      {"03/07/2021 e", At(2021, 3, 7, 19, 57)},
      {"  03/07/2021 E  ", At(2021, 3, 7, 19, 57)},
      {"03/07/2021", At(2021, 3, 7, 0)},
      {"13/07/2021 M", DateTime{13 * 3600}},  // month out of range: only the time
      {"03/07/1900 E", DateTime{19 * 3600 + 57 * 60}},
      {"03/07/2999 M", DateTime{13 * 3600}},
      {"garbage", DateTime{0}},
      {"", DateTime{0}},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToDrawDate(c.text), c.d) << c.text;
  EXPECT_THROW(TextToDrawDate("02/30/2021 M"), Error);
  EXPECT_THROW(TextToDrawDate("02/29/2021 E"), Error);
  EXPECT_EQ(TextToDrawDate("02/29/2020 E"), At(2020, 2, 29, 19, 57));
}

TEST(Dates, TextFormsAreInverse) {
  for (const char* text : {"01/01/1901 M", "12/31/2098 E", "02/29/2000 M", "07/15/2021 E"})
    EXPECT_EQ(DrawDateToText(TextToDrawDate(text)), text);
  // Date 0 with a time still prints: the texts of the dates out of range are not kept.
  EXPECT_EQ(DrawDateToText(TextToDrawDate("13/07/2021 M")), "12/30/1899 M");
}

TEST(Dates, DateInts) {
  EXPECT_EQ(DateToInt(At(2021, 3, 7, 13)), 20210307);
  EXPECT_EQ(IntToDate(20210307), At(2021, 3, 7, 0));
  EXPECT_EQ(IncDateInt(20210228, 1), 20210301);
  EXPECT_EQ(IncDateInt(20200228, 1), 20200229);
  EXPECT_EQ(IncDateInt(20210101, -1), 20201231);
  EXPECT_EQ(IncDateInt(12345, 0), 12345);  // unchanged when no days are added
  EXPECT_THROW(IntToDate(20210230), Error);
}

}  // namespace
}  // namespace korvane
