#include <gtest/gtest.h>

#include "app/workspace.h"
#include "core/demo.h"
#include "core/encoding.h"
#include "core/error.h"
#include "support/test_support.h"

namespace korvane {
namespace {

class RunnerTest : public ::testing::Test {
 protected:
  void Open(const TDrawsArray& draws) {
    test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(draws));
    ws = std::make_unique<Workspace>(host, dir.path());
    ASSERT_TRUE(ws->Open());
    ws->SeedRandom(7);
    ws->OnScenarioStake([this](const TStakeData& s) { stakes.push_back(s); });
  }
  void Lines(std::vector<std::string> lines) {
    ws->ScriptClear();
    for (const std::string& l : lines) ws->ScriptAddLine(l);
  }
  test::TempDir dir;
  test::RecordingHost host;
  std::unique_ptr<Workspace> ws;
  std::vector<TStakeData> stakes;
};

TEST_F(RunnerTest, RemovesRowByRowAndRollsBackTheStepThatEmptiesTheList) {
  Open(MakeDemoDraws(30, 3));
  Lines({"FULL:0#ALL|TSD1#NUMS:10#LNO:#SF:1| | | | | | |"});
  ws->ScriptRun();
  ASSERT_EQ(stakes.size(), 1u);
  // The last row of the table (sorted by count, descending) is the number that stays.
  const StatRow& last = ws->Stats().Rows().back();
  (void)last;
  const TComb c = {stakes[0].numbers.nums[0], stakes[0].numbers.nums[1], stakes[0].numbers.nums[2]};
  EXPECT_EQ(c[0], c[1]);
  EXPECT_EQ(c[1], c[2]);
  EXPECT_EQ(ws->Combs().Count(), 1);
  const auto& filters = ws->Combs().Filters();
  ASSERT_EQ(filters.size(), 11u);  // nine steps, the tenth that emptied the list, its undo
  EXPECT_EQ(filters[0].count, 729);
  EXPECT_EQ(filters[1].count, 512);
  EXPECT_EQ(filters[8].count, 1);
  EXPECT_EQ(filters[9].count, 0);
  EXPECT_EQ(filters[10].caption, "Отмена последней операции");
  EXPECT_EQ(stakes[0].kind, StakeScenario);
  EXPECT_EQ(stakes[0].draw, 31);
  EXPECT_EQ(stakes[0].comment, "01.001: @ FULL#ALL + TSD#NUMS:10#LNO:#SF:1");
  EXPECT_FALSE(ws->Script().running);
  EXPECT_FALSE(ws->IsBusy());
  EXPECT_TRUE(host.messages.empty());
  // The table's sort is the one it had before the run.
  EXPECT_EQ(ws->Stats().SortColumn(), 1);
  EXPECT_FALSE(ws->Stats().Descending());
}

TEST_F(RunnerTest, LineWithoutFiltersAndStakeModes) {
  Open(MakeDemoDraws(30, 3));
  Lines({"EXCL:2#FIRST| | | | | | | |Без фильтров"});
  ws->ScriptRun();
  ASSERT_EQ(stakes.size(), 1u);
  EXPECT_EQ(stakes[0].comment, "01.000: Без фильтров @ EXCL:2#FIRST");
  EXPECT_EQ(ws->Combs().Count(),
            1000 - 2 + (MakeDemoDraws(30, 3)[28].nums == MakeDemoDraws(30, 3)[29].nums));
  stakes.clear();
  // With more than one combination SKIP and NONE stake nothing, STOP stops with the warning.
  Lines({"FULL:0#SKIP| | | | | | | |", "FULL:0#NONE| | | | | | | |"});
  ws->ScriptRun();
  EXPECT_TRUE(stakes.empty());
  Lines({"FULL:0#STOP| | | | | | | |", "FULL:0#FIRST| | | | | | | |"});
  ws->ScriptRun();
  EXPECT_TRUE(stakes.empty());  // the second line never ran
  ASSERT_FALSE(host.messages.empty());
  EXPECT_EQ(host.messages.back().first, MessageKind::Attention);
  EXPECT_EQ(host.messages.back().second.rfind(
                "Выполнение сценария прервано, т.к. после применения всех фильтров в списке "
                "комбинаций их осталось более одной: 1000!",
                0),
            0u);
  EXPECT_FALSE(ws->Script().failed);
  // With one combination left, STOP and SKIP stake it.
  ws->CombsPaste("1 2 3\r\n");
  Lines({"CURR:0#STOP| | | | | | | |", "CURR:0#SKIP| | | | | | | |"});
  ws->ScriptRun();
  EXPECT_EQ(stakes.size(), 2u);
}

TEST_F(RunnerTest, StopConditionOnTheListSize) {
  Open(MakeDemoDraws(200, 4));
  Lines({"FULL:0#NONE|TSD1#SUMS:100#LNO:#SC:50| | | | | | |"});
  ws->ScriptRun();
  EXPECT_LE(ws->Combs().Count(), 50);
  // The step before the last left more than 50.
  const auto& filters = ws->Combs().Filters();
  ASSERT_GE(filters.size(), 2u);
  EXPECT_GT(filters[filters.size() - 2].count, 50);
}

TEST_F(RunnerTest, TestRunsTheOffsetsDownAndRestoresTheOffset) {
  Open(MakeDemoDraws(40, 5));
  ws->SetDrawsOffset(7);
  Lines({"FULL:0#FIRST| | | | | | | |"});
  ws->ScriptTest(3);
  ASSERT_EQ(stakes.size(), 3u);
  EXPECT_EQ(stakes[0].draw, 38);  // offset 3: the draw after the 37th
  EXPECT_EQ(stakes[1].draw, 39);
  EXPECT_EQ(stakes[2].draw, 40);
  EXPECT_EQ(ws->DrawsOffset(), 7);
  // The stakes were checked: their draws are known.
  for (int i = 0; i < ws->Stakes().Count(); ++i) {
    const TStakeData s = ws->Stakes().Read(i);
    EXPECT_TRUE(s.IsSeparator() || s.IsChecked());
  }
}

TEST_F(RunnerTest, NewOnlyAddsNothingTheSecondTime) {
  Open(MakeDemoDraws(30, 3));
  ws->ToggleView(ViewFlag::ScriptLog);
  Lines({"FULL:0#FIRST#NEX| | | | | | | |"});
  ws->ScriptRun();
  EXPECT_EQ(stakes.size(), 1u);
  ws->ScriptRun();
  EXPECT_EQ(stakes.size(), 1u);
  const std::string log = Cp1251ToUtf8(test::ReadBytes(ws->TakeLastScriptLog()));
  EXPECT_NE(log.find("{-} Ставка на тираж 31 не добавлена, так как уже имеется в списке ставок: "
                     "[0;0;0]"),
            std::string::npos);
  // Every line carries a time stamp.
  for (const std::string& line : SplitLines(log)) EXPECT_EQ(line.front(), '[') << line;
}

TEST_F(RunnerTest, ADisabledMethodStopsTheRunWithTheMessage) {
  Open(MakeDemoDraws(30, 3));
  ws->SetEnabledMethods("SUMS");
  Lines({"FULL:0#FIRST|TSD1#NUMS:10#LNO:#SF:1| | | | | | |", "FULL:0#FIRST| | | | | | | |"});
  ws->ScriptRun();
  EXPECT_TRUE(stakes.empty());
  ASSERT_EQ(host.errorCount(), 1);
  EXPECT_EQ(host.lastMessage(),
            "Метод расчета статистики \"NUMS\" на найден!\nЧисла тиража\n\nВозможно, Вы отключили "
            "данных метод расчета либо использовали сценарий от другой модификации программы.");
  EXPECT_TRUE(ws->Script().failed);
  EXPECT_FALSE(ws->Script().running);
}

TEST_F(RunnerTest, MalformedScenariosGiveMessagesNotCrashes) {
  Open(MakeDemoDraws(30, 3));
  const std::string lines[] = {
      "",                       // a separator
      "|||||||||",              // nothing but separators
      "FULL:0#RAND",            // no filter fields
      "GARBAGE#WHAT|xx#yy|zz",  // unknown codes
      "FULL:0#FIRST|TSD1#NUMS:1-100000000;1#LMV:1-100000000;1#SF:1| | | | | | |",
      "FULL:0#FIRST|TSD1#NUMS:10#LDV:1;x#SF:1| | | | | | |",  // no list of numbers
      "FULL:0#FIRST|TSD1#NUMS:10#DDV:1#SF:1| | | | | | |",    // "-" in a list test
  };
  for (const std::string& line : lines) {
    Lines({line});
    host.messages.clear();
    ws->ScriptRun();
    EXPECT_FALSE(ws->Script().running) << line;
    EXPECT_FALSE(ws->IsBusy()) << line;
  }
  // The huge ranges never become variants.
  Lines({lines[4]});
  host.messages.clear();
  ws->ScriptRun();
  ASSERT_EQ(host.errorCount(), 1);
  Lines({lines[5]});
  host.messages.clear();
  ws->ScriptRun();
  EXPECT_EQ(host.lastMessage(), "Некорректное описание фильтра: TSD1#NUMS:10#LDV:1;x#SF:1!");
  // A list test meeting a cell that is not a number ("Отклонение" without the norm) fails.
  Lines({lines[6]});
  host.messages.clear();
  ws->ScriptRun();
  EXPECT_EQ(host.lastMessage(), "Значение \"-\" не является числом!");
  EXPECT_TRUE(ws->Script().failed);
  // The current scenario file was rewritten whole each time.
  EXPECT_EQ(Cp1251ToUtf8(test::ReadBytes(dir / "Korvane.lss")), lines[6] + "\r\n");
}

TEST_F(RunnerTest, FilesAppendWithASeparator) {
  Open(MakeDemoDraws(30, 3));
  test::WriteBytes(dir / "two.lsc", "A\r\nB\r\n");
  Lines({"X"});
  ASSERT_TRUE(ws->ScriptLoadFile(dir / "two.lsc", true));
  EXPECT_EQ(ws->ScriptLines(), (std::vector<std::string>{"X", "", "A", "B"}));
  ws->ScriptClear();
  ASSERT_TRUE(ws->ScriptLoadFile(dir / "two.lsc", true));
  EXPECT_EQ(ws->ScriptLines(), (std::vector<std::string>{"A", "B"}));
  EXPECT_FALSE(ws->ScriptLoadFile(dir / "missing.lsc", false));
  EXPECT_EQ(ws->ScriptLines().size(), 2u);
  EXPECT_THROW(ws->ScriptSetLine(5, "x"), Error);
}

}  // namespace
}  // namespace korvane
