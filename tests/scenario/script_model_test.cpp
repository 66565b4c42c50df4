#include "scenario/script_model.h"

#include <gtest/gtest.h>

#include "scenario/script_log.h"

namespace korvane {
namespace {

TEST(ScriptOptions, TextForms) {
  struct Case {
    const char* text;
    TScriptOptions o;
    const char* written;
  } cases[] = {
      {"excl:3#all#nex#clr", {3, StartExcl, ModeAll, true, true}, "EXCL:3#ALL#CLR#NEX"},
      {"CURR#SKIP", {0, StartCurr, ModeSkip, false, false}, "CURR:0#SKIP"},
      {"FULL:0#RAND", {0, StartFull, ModeRand, false, false}, "FULL:0#RAND"},
      {"EXCL:5#ALL#CLR#NEX", {5, StartExcl, ModeAll, true, true}, "EXCL:5#ALL#CLR#NEX"},
      {"###FULL:x##FIRST#junk#NEX", {0, StartFull, ModeFirst, false, true}, "FULL:0#FIRST#NEX"},
      {"", {}, "FULL:0#RAND"},
      {"XXXX:7#WHAT", {7, StartFull, ModeRand, false, false}, "FULL:7#RAND"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextToOptions(c.text), c.o) << c.text;
    EXPECT_EQ(OptionsToText(TextToOptions(c.text)), c.written) << c.text;
  }
  const TScriptOptions o{5, StartExcl, ModeAll, true, true};
  EXPECT_EQ(OptionsToShortText(o), "EXCL:5#ALL#NEX");
  EXPECT_EQ(OptionsToShortText({0, StartFull, ModeRand, true, false}), "FULL#RAND");
  EXPECT_EQ(OptionsToDisplayText(o),
            "Исключить 5 тиражей; Все; Удалить ставки; Только новые ставки");
  EXPECT_EQ(OptionsToDisplayText({0, StartFull, ModeNone, false, false}),
            "Исходный список; Не делать ставок; Все создаваемые ставки");
  EXPECT_EQ(OptionsToDisplayText({0, 7, 12, false, false}),
            "# ERROR #; # ERROR #; Все создаваемые ставки");
  EXPECT_EQ(StakeModeText(6), "Остановить выполнение сценария");
}

TEST(ScriptLine, BuildAndRead) {
  const std::string empty = BuildLine("FULL:0#RAND", {}, "");
  EXPECT_EQ(empty, "FULL:0#RAND| | | | | | | |");
  EXPECT_EQ(LineOptions(empty), "FULL:0#RAND");
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(LineFilter(empty, i), "");
  EXPECT_EQ(LineComment(empty), "");
  const std::string line =
      "EXCL:1#RAND#NEX|TSD1#NUMS:10#LMV:3#SF:1| | | | | | |Числа за 10 тиражей";
  EXPECT_EQ(BuildLine("EXCL:1#RAND#NEX", {"TSD1#NUMS:10#LMV:3#SF:1"}, "Числа за 10 тиражей"), line);
  EXPECT_EQ(LineFilter(line, 1), "TSD1#NUMS:10#LMV:3#SF:1");
  EXPECT_EQ(LineComment(line), "Числа за 10 тиражей");
  // Runs of "|" count as one; missing fields read as empty.
  EXPECT_EQ(LineFilter("FULL:0#RAND||||A||B", 2), "B");
  EXPECT_EQ(LineComment("FULL:0#RAND|x"), "");
  EXPECT_TRUE(IsSeparatorLine("   "));
  EXPECT_EQ(StakeComment(3, 12, "Числа за 10 тиражей", "EXCL:1#RAND + TSD#NUMS:10#LMV:3#SF:1"),
            "03.012: Числа за 10 тиражей @ EXCL:1#RAND + TSD#NUMS:10#LMV:3#SF:1");
  EXPECT_EQ(StakeComment(1, 0, "", "FULL#ALL"), "01.000: @ FULL#ALL");
}

TEST(ScriptFiles, TextForm) {
  const std::vector<std::string> lines = {"a", "", "b"};
  EXPECT_EQ(ScenarioToText(lines), "a\r\n\r\nb\r\n");
  EXPECT_EQ(ParseScenarioText("a\r\n\r\nb\r\n"), lines);
  EXPECT_EQ(ScriptLog::FileName(EncodeDateTime(2024, 3, 7, 21, 5, 9)),
            "ScriptLog_2024-03-07-21-05-09.txt");
  EXPECT_EQ(ScriptLog::Stamp(EncodeDateTime(2024, 3, 7, 21, 5, 9)), "[2024-03-07 21:05:09]: ");
}

}  // namespace
}  // namespace korvane
