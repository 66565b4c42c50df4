#include "core/csv.h"

#include <gtest/gtest.h>

#include "core/demo.h"
#include "core/error.h"

namespace korvane {
namespace {

using Fields = std::vector<std::string>;

TEST(CsvFields, Split) {
  struct Case {
    const char* line;
    Fields fields;
  } cases[] = {
      {"12;\"03/07/2021 M\";4;0;9", {"12", "03/07/2021 M", "4", "0", "9"}},
      {"7;03/07/2021 M;1;2;3", {"7", "03/07/2021", "M", "1", "2", "3"}},  // a blank splits
      {"  1 ; 2 ;3  ", {"1", "2", "3"}},
      {"1;2;", {"1", "2", ""}},  // a ";" at the very end adds one empty field
      {"1;;3", {"1", "", "3"}},
      {";1", {"", "1"}},
      {"\"a\"\"b\";c", {"a\"b", "c"}},  // doubled quote
      {"\"open;1;2", {"open;1;2"}},     // a quote left open takes the rest
      {"\"a\"b;c", {"a", "b", "c"}},
      {"", {}},
      {"   ", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCsvFields(c.line), c.fields) << c.line;
  EXPECT_EQ(SplitCsvFields(std::string_view("1;2\0;3", 6)), (Fields{"1", "2"}));
}

TEST(CsvWrite, WrittenForm) {
  TDrawRec d;
  d.number = 12;
  d.nums = {4, 0, 9};
  d.SetDateText("03/07/2021 M");
  EXPECT_EQ(DrawToCsvLine(d), "12;\"03/07/2021 M\";4;0;9");
  d.SetDateText("a\"b");
  EXPECT_EQ(DrawToCsvLine(d), "12;\"a\"\"b\";4;0;9");
  EXPECT_EQ(DrawsToCsv({d, d}).substr(0, 20), "12;\"a\"\"b\";4;0;9\r\n12;");
}

TEST(CsvImport, RoundTripReproducesTheArchive) {
  DrawArchive source;
  source.AppendAll(MakeDemoDraws(300, 11));
  const std::string csv = DrawsToCsv(source.Draws());
  DrawArchive target;
  const CsvImport imp = ParseDrawsCsv(csv, target);
  EXPECT_TRUE(imp.rejected.empty());
  EXPECT_EQ(imp.draws, source.Draws());
  target.AppendAll(imp.draws);
  EXPECT_EQ(DrawsToCsv(target.Draws()), csv);
  // A second import adds nothing: every number is already there.
  const CsvImport again = ParseDrawsCsv(csv, target);
  EXPECT_TRUE(again.draws.empty());
  EXPECT_EQ(again.duplicates, 300);
}

TEST(CsvImport, FourFieldLinesAreNumberedAsTheyAreRead) {
  DrawArchive a;
  a.AppendAll(MakeDemoDraws(100, 1));
  const CsvImport imp = ParseDrawsCsv("\"03/07/2021 M\";1;2;3\r\n\"03/07/2021 E\";4;5;6\r\n", a);
  ASSERT_EQ(imp.draws.size(), 2u);
  EXPECT_EQ(imp.draws[0].number, 101);
  EXPECT_EQ(imp.draws[1].number, 102);
  EXPECT_EQ(imp.draws[1].DateText(), "03/07/2021 E");
}

TEST(CsvImport, BadLinesAreRejectedAndCounted) {
  const std::string text =
      "1;\"03/07/2021 M\";1;2;3\r\n"    // good
      "\r\n"                            // blank: skipped, not counted
      "garbage\r\n"                     // 1 field
      "7;03/07/2021 M;1;2;3\r\n"        // 6 fields
      "2;\"03/07/2021 E\";12;2;3\r\n"   // number above 9
      "3;\"03/08/2021 M\";-1;2;3\r\n"   // negative number
      "4;\"03/08/2021 E\";x;2;3\r\n"    // unreadable number
      "5;\"02/30/2021 M\";1;2;3\r\n"    // impossible date
      "0;\"03/09/2021 M\";1;2;3\r\n"    // draw number 0
      "abc;\"03/09/2021 E\";1;2;3\r\n"  // unreadable draw number
      "\"unclosed;1;2;3\r\n"            // quote left open: one field
      "1;\"03/10/2021 M\";9;9;9\r\n"    // duplicate of line 1: skipped silently
      "6;\"03/10/2021 E\";0;0;0";       // good, no final line end
  DrawArchive a;
  const CsvImport imp = ParseDrawsCsv(text, a);
  ASSERT_EQ(imp.draws.size(), 2u);
  EXPECT_EQ(imp.draws[0].number, 1);
  EXPECT_EQ(imp.draws[1].number, 6);
  EXPECT_EQ(imp.duplicates, 1);
  std::vector<int> lines;
  for (const auto& r : imp.rejected) lines.push_back(r.line);
  EXPECT_EQ(lines, (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_NE(RejectedLinesText(imp.rejected).find("9"), std::string::npos);
  EXPECT_EQ(RejectedLinesText({}), "");
}

TEST(CsvImport, DrawNumbersAboveEightDigitsAreRejected) {
  struct Case {
    const char* number;
    bool accepted;
  } cases[] = {
      {"1", true},           {"99999998", true},   {"99999999", true},    {"100000000", false},
      {"100000001", false},  {"999999999", false}, {"2147483646", false}, {"2147483647", false},
      {"2147483648", false}, {"0", false},         {"-1", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    const std::string text = std::string(c.number) + ";\"03/07/2021 M\";1;2;3\r\n" +
                             "5;\"03/07/2021 E\";4;5;6\r\n";  // a good line after it
    DrawArchive a;
    const CsvImport imp = ParseDrawsCsv(text, a);
    if (c.accepted) {
      ASSERT_EQ(imp.draws.size(), 2u);
      EXPECT_EQ(std::to_string(imp.draws[0].number), c.number);
      EXPECT_TRUE(imp.rejected.empty());
    } else {
      ASSERT_EQ(imp.draws.size(), 1u);
      EXPECT_EQ(imp.draws[0].number, 5);
      ASSERT_EQ(imp.rejected.size(), 1u);
      EXPECT_EQ(imp.rejected[0].line, 1);
      EXPECT_EQ(RejectedLinesText(imp.rejected),
                "Пропущено некорректных строк: 1 (первая: строка 1, некорректный номер тиража).");
    }
  }
}

TEST(CsvImport, EmptyFileAddsNothing) {
  DrawArchive a;
  const CsvImport imp = ParseDrawsCsv("", a);
  EXPECT_TRUE(imp.draws.empty());
  EXPECT_TRUE(imp.rejected.empty());
}

TEST(DrawDialog, NumbersInput) {
  EXPECT_EQ(ParseDrawNumbersInput("1,2;3"), (TComb{1, 2, 3}));
  EXPECT_EQ(ParseDrawNumbersInput(" 0 ; 0 ; 9 "), (TComb{0, 0, 9}));
  for (const char* bad : {"1;2;10", "1;2", "1;2;3;4", "1;2;x", "1 2 3", "-1;2;3", ""}) {
    try {
      ParseDrawNumbersInput(bad);
      ADD_FAILURE() << bad;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "Введена некорректная комбинация!");
    }
  }
}

TEST(DrawDialog, RecordFromFields) {
  const DateTime date = EncodeDateTime(2021, 3, 7, 22, 0);  // only the day is taken
  const TDrawRec m = MakeDialogDraw(5, "4;0;9", date, EncodeDateTime(2000, 1, 1, 13, 59));
  EXPECT_EQ(m.DateText(), "03/07/2021 M");
  EXPECT_EQ(m.number, 5);
  EXPECT_EQ(m.nums, (TComb{4, 0, 9}));
  EXPECT_EQ(MakeDialogDraw(5, "4;0;9", date, EncodeDateTime(2000, 1, 1, 0, 30)).DateText(),
            "03/07/2021 E");
  DrawArchive empty;
  EXPECT_EQ(NewDrawProposal(empty).number, 1);
  EXPECT_EQ(CombToText(NewDrawProposal(empty).nums), "0;0;0");
}

}  // namespace
}  // namespace korvane
