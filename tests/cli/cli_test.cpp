// Runs korvane-cli as a user would and checks its output and exit codes.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>

#include "core/csv.h"
#include "core/dates.h"
#include "core/demo.h"
#include "core/encoding.h"
#include "core/fileio.h"
#include "core/strutil.h"
#include "support/local_server.h"
#include "support/test_support.h"
#include "support/update_support.h"

namespace korvane {
namespace {

struct CliRun {
  int code = -1;
  std::string out;
};

// stderr is dropped, or kept in `out` after stdout with withErrors.
CliRun Cli(const std::string& args, bool withErrors = false, const std::string& env = "") {
  const std::string cmd = env + " " + std::string(KORVANE_CLI_PATH) + " " + args +
                          (withErrors ? " 2>&1" : " 2>/dev/null");
  CliRun r;
  FILE* p = popen(cmd.c_str(), "r");
  if (p == nullptr) return r;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  const int status = pclose(p);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

class CliTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string D() const { return "--data-dir '" + dir.path().string() + "' "; }
};

TEST_F(CliTest, ImportListExportRoundTrip) {
  const std::string csv = DrawsToCsv(MakeDemoDraws(30, 5));
  test::WriteBytes(dir / "in.csv", csv);
  CliRun r = Cli(D() + "import-csv '" + (dir / "in.csv").string() + "'");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "added 30\n");
  EXPECT_EQ(fs::file_size(dir / "Korvane.ldr"), 600u);

  r = Cli(D() + "import-csv '" + (dir / "in.csv").string() + "'");
  EXPECT_EQ(r.out, "added 0\n");

  r = Cli(D() + "export-csv '" + (dir / "out.csv").string() + "'");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(test::ReadBytes(dir / "out.csv"), csv);

  const TDrawsArray draws = MakeDemoDraws(30, 5);
  r = Cli(D() + "draws --offset 1 --limit 2");
  EXPECT_EQ(r.code, 0);
  auto row = [&](const TDrawRec& d) {
    return std::to_string(d.number) + "\t" + std::to_string(d.nums[0]) + "\t" +
           std::to_string(d.nums[1]) + "\t" + std::to_string(d.nums[2]) + "\t" +
           std::to_string(d.nums[0] + d.nums[1] + d.nums[2]) + "\t" + d.DateText() + "\n";
  };
  EXPECT_EQ(r.out, "Тираж\t1\t2\t3\tS\tДата тиража\n" + row(draws[28]) + row(draws[27]));
}

TEST_F(CliTest, RejectedLinesAreCounted) {
  test::WriteBytes(dir / "in.csv",
                   "1;\"01/02/2020 M\";1;2;3\r\n2;\"01/02/2020 E\";1;-1;3\r\n\"open\r\n");
  const CliRun r = Cli(D() + "import-csv '" + (dir / "in.csv").string() + "'");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "added 1\nrejected 2\n");
}

TEST_F(CliTest, ExitCodes) {
  EXPECT_EQ(Cli(D()).code, 2);  // no command
  EXPECT_EQ(Cli(D() + "no-such-command").code, 2);
  EXPECT_EQ(Cli(D() + "draws --limit x").code, 2);
  EXPECT_EQ(Cli(D() + "import-csv '" + (dir / "missing.csv").string() + "'").code, 1);
  EXPECT_EQ(Cli(D() + "export-csv /nonexistent-folder/x.csv").code, 1);
  const CliRun empty = Cli(D() + "draws");
  EXPECT_EQ(empty.code, 0);
  EXPECT_EQ(empty.out, "Тираж\t1\t2\t3\tS\tДата тиража\n");
}

TEST_F(CliTest, DataDirFromTheEnvironment) {
  const std::string env = "KORVANE_DATA_DIR='" + dir.path().string() + "' ";
  const std::string cmd = env + KORVANE_CLI_PATH + " demo-archive --draws 12 >/dev/null 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  EXPECT_EQ(fs::file_size(dir / "Korvane.ldr"), 240u);
  EXPECT_EQ(Cli(D() + "demo-archive").code, 1);  // the archive is not empty any more
}

// The method list follows the channel size of the folder's settings.
TEST_F(CliTest, MethodsFollowTheChannelSize) {
  auto lines = [](const std::string& out) {
    std::vector<std::string> codes;
    for (size_t at = 0; at < out.size();) {
      const size_t end = out.find('\n', at);
      const std::string line = out.substr(at, end - at);
      const size_t tab = line.find('\t');
      codes.push_back(line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1));
      at = end == std::string::npos ? out.size() : end + 1;
    }
    return codes;
  };
  CliRun r = Cli(D() + "methods");
  ASSERT_EQ(r.code, 0);
  std::vector<std::string> codes = lines(r.out);
  EXPECT_EQ(codes.size(), 145u);
  EXPECT_EQ(codes.front(), "NUMS");
  EXPECT_EQ(codes.back(), "SHR3");
  EXPECT_EQ(std::count(codes.begin(), codes.end(), "CHN6"), 0);

  test::WriteBytes(dir / "Korvane.ini", "[GLOBAL]\r\nChannelSize=1\r\n");
  r = Cli(D() + "methods");
  ASSERT_EQ(r.code, 0);
  codes = lines(r.out);
  EXPECT_EQ(codes.size(), 160u);
  for (const char* code : {"CHN10", "SC2C10", "SC3C10"})
    EXPECT_EQ(std::count(codes.begin(), codes.end(), code), 1) << code;
}

TEST_F(CliTest, StakesAddCheckListAndDelete) {
  test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(10, 5)));
  const TDrawsArray draws = MakeDemoDraws(10, 5);
  const std::string nums = CombToText(draws[8].nums);
  CliRun r = Cli(D() + "stake-add --numbers '" + nums + "' --draw 9 --draws 3 --comment 'Мой'");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "added 3\n");
  EXPECT_EQ(fs::file_size(dir / "Korvane.lsk"), 5u * 304u);
  r = Cli(D() + "stakes");
  const auto lines = SplitLines(r.out);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0],
            "№ тиража\tВид ставки\tМоя ставка\tВыборка\tРезультаты тиража\tСовпадений\t"
            "Совпадения\tПрофит\tКомментарий");
  EXPECT_EQ(lines[1].substr(0, lines[1].find('\t')), "9");
  EXPECT_NE(lines[1].find("\t3\t"), std::string::npos);  // checked on adding: 3 matches
  EXPECT_EQ(lines[2], "\t\t\t\t\t\t\t\t");               // a separator
  EXPECT_EQ(Cli(D() + "stake-add --numbers '1;2;10'").code, 1);
  EXPECT_EQ(Cli(D() + "stake-add --numbers '1;2;3' --comment ' '").code, 1);
  r = Cli(D() + "check");
  EXPECT_EQ(r.out, "checked 0\nprofit 0.00\n");
  r = Cli(D() + "--yes stakes-delete --matches '=:3'");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "deleted 1\n");
  EXPECT_EQ(Cli(D() + "stakes-delete --matches 'x'").code, 2);
  r = Cli(D() + "stakes-delete --rows 1-2");  // without --yes the question is answered No
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(fs::file_size(dir / "Korvane.lsk"), 4u * 304u);
}

// While another copy of the program holds the folder, the commands that only read work and
// the ones that change it are refused with one line naming the folder.
TEST_F(CliTest, ReadersWorkBesideTheHolderWritersAreRefused) {
  test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(20, 4)));
  ASSERT_EQ(Cli(D() + "stake-add --numbers '1;2;3'").code, 0);
  test::WriteBytes(dir / "s.lsc", "FULL:0#FIRST| | | | | | | |\r\n");
  const std::string lsc = "'" + (dir / "s.lsc").string() + "'";
  LockedFile hold;
  hold.Open(dir / "Korvane.lsk");
  const std::string readers[] = {"draws",
                                 "methods",
                                 "stats --method NUMS",
                                 "combs",
                                 "filter --method NUMS --keep --values 1",
                                 "filter-text 'TSD1#NUMS:10#LMV:3#SF:1'",
                                 "scenario-text " + lsc,
                                 "export-csv '" + (dir / "out.csv").string() + "'",
                                 "ratings",
                                 "ratings-export '" + (dir / "r.csv").string() + "'",
                                 "regulars"};
  for (const std::string& cmd : readers) EXPECT_EQ(Cli(D() + cmd).code, 0) << cmd;
  const CliRun stakes = Cli(D() + "stakes");
  EXPECT_EQ(stakes.code, 0);
  EXPECT_EQ(SplitLines(stakes.out).size(), 2u);  // the header and the stake
  const std::string writers[] = {"import-csv '" + (dir / "out.csv").string() + "'",
                                 "stake-add --numbers '4;5;6'",
                                 "check",
                                 "--yes stakes-delete --rows 1-1",
                                 "forecast " + lsc,
                                 "test " + lsc + " --count 1",
                                 "--yes ratings-refresh",
                                 "regular-add --numbers '1;2;3'",
                                 "regular-stake",
                                 "regular-test --count 1"};
  const std::string refused = "Ошибка: Каталог данных " + dir.path().string() +
                              " занят: с ним работает другая копия программы. Команда, "
                              "изменяющая данные, не выполнена.\n";
  for (const std::string& cmd : writers) {
    const CliRun r = Cli(D() + cmd, true);
    EXPECT_EQ(r.code, 1) << cmd;
    EXPECT_EQ(r.out, refused) << cmd;
  }
  hold.Close();
  EXPECT_EQ(Cli(D() + "check").code, 0);
}

TEST_F(CliTest, OffsetOutsideTheArchiveIsAUsageError) {
  test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(20, 4)));
  test::WriteBytes(dir / "s.lsc", "FULL:0#FIRST| | | | | | | |\r\n");
  const std::string cmds[] = {"draws", "stats --method NUMS",
                              "filter --method NUMS --keep --values 1",
                              "forecast '" + (dir / "s.lsc").string() + "'"};
  for (const std::string& cmd : cmds) {
    EXPECT_EQ(Cli(D() + cmd + " --offset 19").code, 0) << cmd;
    const CliRun r = Cli(D() + cmd + " --offset 20", true);
    EXPECT_EQ(r.code, 2) << cmd;
    EXPECT_NE(r.out.find("--offset: допустимы значения от 0 до 19"), std::string::npos) << cmd;
  }
}

// A step after the main one fails (the stake log cannot be written while checking): the
// message is shown, the command exits 1, and what was done stays.
TEST_F(CliTest, AFailedFollowUpStepExitsOne) {
  const TDrawsArray draws = MakeDemoDraws(10, 5);
  test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(draws));
  test::WriteBytes(dir / "Korvane.frm", "[TFormMain]\r\nStakesLogEnabled=1\r\n");
  for (int m = 0; m <= 3; ++m)
    fs::create_directory(dir / ("Korvane-" + std::to_string(m) + ".log"));
  const CliRun r =
      Cli(D() + "stake-add --numbers '" + CombToText(draws[4].nums) + "' --draw 5", true);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("Korvane-3.log"), std::string::npos) << r.out;
  const auto lines = SplitLines(Cli(D() + "stakes").out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[1].find("\t3\t"), std::string::npos);  // added and checked
}

// An archive read only up to a damaged record: what could be read is printed, every command
// that read it exits 1, and stakes are neither made nor checked against the partial list.
TEST_F(CliTest, ADamagedArchiveIsReportedAndStakesAreRefused) {
  std::string bytes = DrawArchive::Serialize(MakeDemoDraws(30, 4));
  bytes[20 * 20 + 4] = 12;  // record 21: a number outside 0..9
  test::WriteBytes(dir / "Korvane.ldr", bytes);
  CliRun r = Cli(D() + "draws", true);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("Некорректная запись № 21"), std::string::npos) << r.out;
  EXPECT_EQ(SplitLines(Cli(D() + "draws").out).size(), 21u);  // the header and 20 draws
  EXPECT_EQ(Cli(D() + "stats --method NUMS").code, 1);
  r = Cli(D() + "stake-add --numbers '1;2;3'", true);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("Ошибка чтения файла тиражей!"), std::string::npos) << r.out;
  EXPECT_EQ(fs::file_size(dir / "Korvane.lsk"), 0u);
  EXPECT_EQ(Cli(D() + "check").code, 1);
  EXPECT_EQ(test::ReadBytes(dir / "Korvane.ldr"), bytes);  // never rewritten
}

std::vector<std::string> Tabs(const std::string& line) {
  std::vector<std::string> cells;
  size_t from = 0;
  for (size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
    cells.push_back(line.substr(from, tab - from));
  cells.push_back(line.substr(from));
  return cells;
}

// Money text such as "-12.00" in hundredths.
int64_t Cents(const std::string& text) {
  return static_cast<int64_t>(std::llround(std::stod(text) * 100));
}

// After a back-test each scenario line variant is one rating row, and its counts are what the
// stake grid adds up to for that comment.
TEST_F(CliTest, RatingsAfterATestAddUpToTheStakeGrid) {
  test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(60, 9)));
  test::WriteBytes(dir / "s.lsc",
                   "FULL:0#RAND|TSD1#NUMS:10,20#LMV:1-2;1#SF:1| | | | | | |Nums\r\n"
                   "FULL:0#ALL|TSD1#SUMS:5#LMV:1#SF:1| | | | | | |Sums\r\n");
  ASSERT_EQ(Cli(D() + "test '" + (dir / "s.lsc").string() + "' --count 15").code, 0);

  struct Sum {
    int stakes = 0, matched = 0;
    std::array<int, 4> hits{};
    int64_t profit = 0;
  };
  std::map<std::string, Sum> grid;
  const std::vector<std::string> stakeLines = SplitLines(Cli(D() + "stakes").out);
  for (size_t i = 1; i < stakeLines.size(); ++i) {
    const std::vector<std::string> c = Tabs(stakeLines[i]);
    if (c[0].empty()) continue;  // the separator between runs
    ASSERT_EQ(c.size(), 9u);
    ASSERT_FALSE(c[5].empty()) << "unchecked: " << stakeLines[i];
    Sum& s = grid[c[8]];
    ++s.stakes;
    s.matched += std::stoi(c[5]);
    ++s.hits[static_cast<size_t>(std::stoi(c[5]))];
    s.profit += Cents(c[7]);
  }
  ASSERT_EQ(grid.size(), 5u);  // four variants of the first line and the second line

  const CliRun ratings = Cli(D() + "ratings --mode 2 --sort 0");
  ASSERT_EQ(ratings.code, 0);
  const std::vector<std::string> rows = SplitLines(ratings.out);
  ASSERT_EQ(rows.size(), grid.size() + 1);
  EXPECT_EQ(
      rows[0],
      "Комментарий\tСтавок\tУгадано\tСреднее\tПрофит\tСр. профит\t0\t1\t2\t3\tE0\tE1\tE2\tE3\t"
      "p(Угадано)\tp(3)");
  for (size_t i = 1; i < rows.size(); ++i) {
    const std::vector<std::string> c = Tabs(rows[i]);
    ASSERT_EQ(c.size(), 16u);
    ASSERT_EQ(grid.count(c[0]), 1u) << c[0];
    const Sum& s = grid[c[0]];
    EXPECT_EQ(std::stoi(c[1]), s.stakes) << c[0];
    EXPECT_EQ(std::stoi(c[2]), s.matched) << c[0];
    for (size_t m = 0; m < 4; ++m) EXPECT_EQ(std::stoi(c[6 + m]), s.hits[m]) << c[0];
    EXPECT_EQ(Cents(c[4]), s.profit) << c[0];
    EXPECT_EQ(c[13].back(), '%');
    if (i > 1) {
      EXPECT_LE(Tabs(rows[i - 1])[0], c[0]);  // sorted by comment
    }
  }

  // A rebuild from the file gives the same rows; the export writes them.
  EXPECT_EQ(Cli(D() + "--yes ratings-refresh").out, "rows 5\n");
  EXPECT_EQ(Cli(D() + "ratings --mode 2 --sort 0").out, ratings.out);
  ASSERT_EQ(Cli(D() + "ratings-export '" + (dir / "r.csv").string() + "'").code, 0);
  EXPECT_EQ(SplitLines(test::ReadBytes(dir / "r.csv")).size(), 6u);

  // Rows go back to a scenario file as lines, in the order of the list.
  const CliRun added =
      Cli(D() + "ratings-to-script '" + (dir / "back.lsc").string() + "' --rows 1-2");
  EXPECT_EQ(added.code, 0);
  EXPECT_EQ(added.out, "added 2\n");
  const std::vector<std::string> listed = SplitLines(Cli(D() + "ratings").out);
  const std::vector<std::string> lines = SplitLines(test::ReadBytes(dir / "back.lsc"));
  ASSERT_EQ(lines.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    const std::string comment = Tabs(listed[i + 1])[0];
    const std::string prefix = comment.substr(0, comment.find(" @ "));
    EXPECT_EQ(lines[i].substr(lines[i].rfind('|') + 1), prefix) << lines[i];
    EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), '|'), 8) << lines[i];
  }
  EXPECT_EQ(Cli(D() + "scenario-text '" + (dir / "back.lsc").string() + "'").code, 0);
}

// The regulars 8;9;0 with step 3 and 0;0;0 with step -1: a test over five draws makes ten
// checked stakes, the regulars keep where they got to, and a stake by a regular goes on.
TEST_F(CliTest, RegularsAreAddedTestedAndStaked) {
  test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(20, 4)));
  EXPECT_EQ(Cli(D() + "regular-add --numbers '8;9;0' --step 3 --comment Up").out, "regulars 1\n");
  EXPECT_EQ(Cli(D() + "regular-add --numbers '0,0,0' --step -1 --comment Down").out,
            "regulars 2\n");
  const CliRun twice = Cli(D() + "regular-add --numbers '1;1;1' --comment up", true);
  EXPECT_EQ(twice.code, 1);
  EXPECT_NE(twice.out.find("Запись с таким комментарией уже присутствует в списке!"),
            std::string::npos);
  const CliRun bad = Cli(D() + "regular-add --numbers '1;10;1' --comment New", true);
  EXPECT_EQ(bad.code, 1);
  EXPECT_NE(bad.out.find("Введена некорректная комбинация!"), std::string::npos);

  EXPECT_EQ(Cli(D() + "--yes regular-test --count 5").out, "records 10\n");
  EXPECT_EQ(Cli(D() + "regulars").out,
            "Комментарий\tСтартовая комбинация\tШаг\tТекущая комбинация\tСтавок\n"
            "Up\t8;9;0\t3\t3;4;5\t5\n"
            "Down\t0;0;0\t-1\t5;5;5\t5\n");
  const std::vector<std::string> stakes = SplitLines(Cli(D() + "stakes").out);
  ASSERT_EQ(stakes.size(), 11u);
  for (size_t i = 1; i < stakes.size(); ++i) {
    EXPECT_EQ(Tabs(stakes[i])[1], "Регуляр") << stakes[i];
    EXPECT_FALSE(Tabs(stakes[i])[5].empty()) << stakes[i];  // checked
  }
  EXPECT_EQ(Tabs(stakes[1])[2], "1;2;3");
  EXPECT_EQ(Tabs(stakes[2])[2], "9;9;9");
  const std::vector<std::string> ratings = SplitLines(Cli(D() + "ratings").out);
  ASSERT_EQ(ratings.size(), 3u);
  EXPECT_EQ(Tabs(ratings[1])[1], "5");
  EXPECT_EQ(Tabs(ratings[2])[1], "5");

  const CliRun staked = Cli(D() + "regular-stake --row 1");
  EXPECT_EQ(staked.code, 0);
  EXPECT_EQ(Tabs(staked.out)[2], "6;7;8");
  EXPECT_EQ(Tabs(SplitLines(Cli(D() + "regulars").out)[1])[3], "6;7;8");
  EXPECT_EQ(Cli(D() + "regular-stake --row 3").code, 2);
  EXPECT_EQ(Cli(D() + "regular-test --count 20").code, 2);  // 19 draws have one before them
}

// The views on the command line: texts first, then the colours in the same shape; the grid
// filters take cells of the engine's own grids.
TEST_F(CliTest, ViewsAndTheirGridFilters) {
  TDrawsArray draws = MakeDemoDraws(30, 4);
  draws[29].nums = {0, 4, 7};
  draws[28].nums = {0, 5, 5};
  test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(draws));
  const std::vector<std::string> card = SplitLines(Cli(D() + "card --len 2").out);
  ASSERT_EQ(card.size(), 7u);  // header and two draws, an empty line, their colours
  EXPECT_EQ(card[1], "30\t0\t\t\t\t4\t\t\t7\t\t");
  EXPECT_EQ(card[3], "");
  EXPECT_EQ(Tabs(card[5])[1], "#00FF00");  // 0 again in the draw below, no neighbour beside
  EXPECT_EQ(Tabs(card[5])[0], "-");
  const CliRun graph = Cli(D() + "graph --method SUMS --len 2");
  EXPECT_EQ(graph.out,
            "Тираж\tЗначение\n29\t10\n30\t11\nСреднее значение\t10.500\n"
            "Наиболее часто встречающееся значение\t10\n");
  EXPECT_EQ(Cli(D() + "graph --method NUMS").code, 2);  // no graph value
  const std::vector<std::string> layout = SplitLines(Cli(D() + "layout --len 1 --offset 1").out);
  EXPECT_EQ(layout[0], "\t29");
  EXPECT_EQ(layout[1], "2\t5");
  EXPECT_EQ(layout[2], "1\t[0]");  // 0 is in the draw after the window
  EXPECT_EQ(SplitLines(Cli(D() + "week --len 5").out).size(), 17u);
  const CliRun sums = Cli(D() + "analyze-sums");
  EXPECT_NE(sums.out.find("Диапазон 2 (от 1/2 и выше по оси Y) - суммы 8-19"), std::string::npos);
  EXPECT_EQ(SplitLines(Cli(D() + "analyze-repeats --len 1 --depth 1").out)[1], "30\t1\t1\t29");

  // Keep the combinations with a number of the newest draw: 1000 - 7^3.
  EXPECT_EQ(SplitLines(Cli(D() + "filter --card 1,1-10 --keep").out).size(), 657u);
  EXPECT_EQ(SplitLines(Cli(D() + "filter --week '1;2' --remove").out).size(), 512u);
  EXPECT_EQ(SplitLines(Cli(D() + "filter --layout 1,1 --offset 1 --len 1 --remove").out).size(),
            729u);                                                   // without 0 and 5
  EXPECT_EQ(Cli(D() + "filter --card 1,0 --keep").code, 2);          // the draw numbers' column
  const CliRun empty = Cli(D() + "filter --card 1,2 --keep", true);  // an empty cell
  EXPECT_EQ(empty.code, 1);
  EXPECT_NE(empty.out.find("В выделенном диапазоне нет значений для фильтра!"), std::string::npos);
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

// Days from `from` to `to` with results made from the date; days ending in 3 have no row, and
// the evening of every 15th is "-".
std::vector<test::ResultDay> FixtureDays(int from, int to) {
  std::vector<test::ResultDay> days;
  for (int d = from; d <= to; d = IncDateInt(d, 1)) {
    if (d % 10 == 3) continue;
    const auto digits = [](int v) { return Format("%d-%d-%d", v % 10, v / 10 % 10, v / 100 % 10); };
    days.push_back({Format("%02d/%02d/%04d", d / 100 % 100, d % 100, d / 10000), digits(d * 7),
                    d % 100 == 15 ? "-" : digits(d * 13)});
  }
  return days;
}

int UsableDraws(const std::vector<test::ResultDay>& days) {
  int n = 0;
  for (const auto& d : days)
    n += (d.midday != "-" && !d.midday.empty()) + (d.evening != "-" && !d.evening.empty());
  return n;
}

TEST_F(CliTest, DownloadFromTheLocalService) {
  const auto days = FixtureDays(19880429, 19890301);
  test::WriteResultDays(dir / "rows.tsv", days);
  test::LocalServer server({"--rows", (dir / "rows.tsv").string()});
  const std::string get = D() + "download --today 19890301 --results-url ";
  // An empty archive is filled range by range, 100 days at a time.
  CliRun r = Cli(get + server.Url("gzip"));
  ASSERT_EQ(r.code, 0) << r.out;
  const auto lines = [](const std::string& text) {
    std::vector<std::string> out;
    for (std::string_view l : SplitAny(text, "\n"))
      if (!l.empty()) out.emplace_back(l);
    return out;
  };
  auto out = lines(r.out);
  ASSERT_GE(out.size(), 6u) << r.out;
  EXPECT_EQ(out[0], "Период\tДобавлено тиражей");
  EXPECT_EQ(out[1].substr(0, 24), "04/29/1988 - 08/06/1988\t");
  EXPECT_EQ(out[out.size() - 2].substr(13, 11), "03/01/1989\t");
  EXPECT_EQ(out.back(), "added " + std::to_string(UsableDraws(days)));
  r = Cli(D() + "draws");
  out = lines(r.out);
  ASSERT_EQ(static_cast<int>(out.size()), UsableDraws(days) + 1);
  // The newest draw is the evening of 03/01/1989, numbered after all the others.
  const int v = 19890301 * 13;
  EXPECT_EQ(out[1], Format("%d\t%d\t%d\t%d\t%d\t03/01/1989 E", UsableDraws(days), v % 10,
                           v / 10 % 10, v / 100 % 10, v % 10 + v / 10 % 10 + v / 100 % 10));
  EXPECT_EQ(out.back().substr(0, 2), "1\t");
  EXPECT_NE(out.back().find("04/29/1988 M"), std::string::npos);

  // Up to date: one request for the newest day, nothing added.
  r = Cli(get + server.Url("plain"));
  EXPECT_EQ(r.out, "Период\tДобавлено тиражей\n03/01/1989 - 03/01/1989\t0\nadded 0\n");
  // A failing service: the retries, then a failure that keeps the archive.
  r = Cli(D() + "download --today 19890310 --retries 2 --results-url " + server.Url("500"), true);
  EXPECT_EQ(r.code, 1);
  size_t failures = 0;
  for (size_t at = r.out.find("HTTP/1.1 500"); at != std::string::npos;
       at = r.out.find("HTTP/1.1 500", at + 1))
    ++failures;
  EXPECT_EQ(failures, 3u) << r.out;
  EXPECT_EQ(lines(Cli(D() + "draws").out).size(), out.size());
  // A failure answered by one retry goes on.
  r = Cli(D() + "download --today 19890310 --retries 1 --results-url " + server.Url("failonce"));
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "Период\tДобавлено тиражей\n03/01/1989 - 03/10/1989\t0\nadded 0\n");
  // A page whose results never end goes to the same retry; a page without results ends quietly.
  r = Cli(D() + "download --today 19890310 --results-url " + server.Url("noclose"), true);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("Не удалось найти пару идентификаторов"), std::string::npos) << r.out;
  r = Cli(D() + "download --today 19890310 --results-url " + server.Url("nosection"), true);
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "Период\tДобавлено тиражей\n03/01/1989 - 03/10/1989\t0\nadded 0\n");
  // Bad options.
  EXPECT_EQ(Cli(D() + "download --today 19890230").code, 2);
  EXPECT_EQ(Cli(D() + "download --proxy 'host:99999'").code, 2);
}

TEST_F(CliTest, DownloadTodaysEveningThenThroughProxies) {
  std::vector<test::ResultDay> days = {{"03/01/1989", "1-1-1", "2-2-2"},
                                       {"03/02/1989", "3-3-3", ""}};
  test::WriteResultDays(dir / "rows.tsv", days);
  test::WriteBytes(dir / "in.csv", "1;\"03/01/1989 M\";1;1;1\r\n2;\"03/01/1989 E\";2;2;2\r\n");
  ASSERT_EQ(Cli(D() + "import-csv '" + (dir / "in.csv").string() + "'").code, 0);
  {
    test::LocalServer server({"--rows", (dir / "rows.tsv").string()});
    const CliRun r = Cli(D() + "download --today 19890302 --results-url " + server.Url("plain"));
    EXPECT_EQ(r.out, "Период\tДобавлено тиражей\n03/01/1989 - 03/02/1989\t1\nadded 1\n");
  }
  // The evening result is out; the service is reached through the stored automatic proxy
  // choice: two dead candidates of the list are passed over without a question.
  days[1].evening = "4-4-4";
  test::WriteResultDays(dir / "rows.tsv", days);
  const fs::path log = dir / "proxy.log";
  test::LocalServer proxy({"--proxy", "--log", log.string()});
  test::LocalServer server({"--rows", (dir / "rows.tsv").string(), "--proxies",
                            "127.0.0.1:1,127.0.0.1:2,127.0.0.1:" + std::to_string(proxy.Port())});
  test::WriteBytes(dir / "Korvane.ini",
                   "[PROXY]\r\nProxyMode=1\r\n[ONLINE]\r\nProxyListUrl=http://127.0.0.1:" +
                       std::to_string(server.Port()) + "/proxylist\r\n");
  CliRun r = Cli(D() + "download --today 19890302 --results-url " + server.Url("plain"), true);
  EXPECT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find("03/02/1989 - 03/02/1989\t1\nadded 1\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Повторить"), std::string::npos) << r.out;
  EXPECT_NE(test::ReadBytes(log).find("GET " + server.Url("plain")), std::string::npos);
  EXPECT_EQ(Cli(D() + "draws --limit 1").out,
            "Тираж\t1\t2\t3\tS\tДата тиража\n4\t4\t4\t4\t12\t03/02/1989 E\n");
  // The proxy that worked is stored for the next start.
  const std::string ini = test::ReadBytes(dir / "Korvane.ini");
  EXPECT_NE(ini.find("ProxyServer=127.0.0.1\r\nProxyPort=" + std::to_string(proxy.Port())),
            std::string::npos)
      << ini;
  // A manual proxy given on the command line, over TLS verified with the tests' authority.
  test::LocalServer tls({"--rows", (dir / "rows.tsv").string(), "--tls",
                         test::TlsFile("server.pem").string(),
                         test::TlsFile("server.key").string()});
  const std::string https =
      D() + "download --today 19890302 --proxy none --results-url " + tls.Url("plain", "https");
  r = Cli(https, false, "KORVANE_TEST_CA_FILE='" + test::TlsFile("ca.pem").string() + "'");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(Cli(https).code, 1);  // the system store does not know the tests' authority
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

TEST_F(CliTest, ExportXlsxWritesTheViewAsTheWindowShowsIt) {
  test::WriteBytes(dir / "in.csv", DrawsToCsv(MakeDemoDraws(30, 5)));
  ASSERT_EQ(Cli(D() + "import-csv '" + (dir / "in.csv").string() + "'").code, 0);
  ASSERT_EQ(Cli(D() + "stake-add --numbers '1;2;3' --comment '=1+1'").code, 0);
  CliRun r = Cli(D() + "export-xlsx stakes '" + (dir / "s.xlsx").string() + "'");
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_EQ(r.out, "rows 1\n");
  const std::string xml = test::WorkbookSheetXml(dir / "s.xlsx");
  EXPECT_NE(xml.find("<t>Ставки</t>"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<t>=1+1</t>"), std::string::npos) << xml;  // text, not a formula
  EXPECT_EQ(xml.find("<f>"), std::string::npos);
  // The draws, newest first, below the title, the date line and the header (row 4).
  r = Cli(D() + "export-xlsx draws '" + (dir / "d.xlsx").string() + "'");
  EXPECT_EQ(r.out, "rows 30\n");
  const std::string draws = test::WorkbookSheetXml(dir / "d.xlsx");
  EXPECT_NE(draws.find("<row r=\"4\"><c r=\"A4\""), std::string::npos);
  EXPECT_NE(draws.find("<row r=\"5\"><c r=\"A5\" s=\"4\"><v>30</v>"), std::string::npos) << draws;
  // Korvane.ini is not written by the command line's export.
  EXPECT_FALSE(fs::exists(dir / "Korvane.ini"));
  EXPECT_EQ(Cli(D() + "export-xlsx nothing x.xlsx").code, 2);
}

// A copy of korvane-cli in a folder of its own is the program; its data is in the same folder,
// as when no data folder is named.
TEST_F(CliTest, CheckUpdateInstallsASignedVersionInTheProgramFolder) {
  const fs::path prog = dir / "korvane";
  fs::create_directories(prog);
  fs::copy_file(KORVANE_CLI_PATH, prog / "korvane-cli");
  test::UpdateSigner signer;
  test::LocalServer server({"--files", (dir / "site").string()});
  const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());
  const std::string url = base + "/files/autoupdates/Velmora_AU.cfg";
  const auto run = [&](const std::string& args) {
    const std::string cmd =
        "env -u KORVANE_DATA_DIR KORVANE_TEST_UPDATE_KEY=" + signer.PublicHex() + " '" +
        (prog / "korvane-cli").string() + "' " + args + " 2>&1";
    CliRun r;
    FILE* p = popen(cmd.c_str(), "r");
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
  };
  test::WriteBytes(dir / "in.csv", DrawsToCsv(MakeDemoDraws(12, 5)));
  ASSERT_EQ(run("import-csv '" + (dir / "in.csv").string() + "'").code, 0);
  const std::string draws = ReadFile(prog / "Korvane.ldr");

  // Nothing published yet: a 404 is a failure, not "no update".
  CliRun r = run("check-update --url " + url);
  EXPECT_EQ(r.code, 1) << r.out;
  EXPECT_NE(r.out.find("Ошибка поиска обновлений!"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("404"), std::string::npos) << r.out;

  const std::string script = "#!/bin/sh\necho korvane-cli 0.2.0.9\n";
  test::PublishUpdate(dir / "site", signer, base,
                      test::UpdateSection("korvane-cli", "0.2.0.9", "ChecksumCRC32=%CRC%\r\n"),
                      {{"korvane-cli", script, 0755}, {"doc/", "", 0755, 'd'}, {"doc/NEWS", "n"}});
  // Offered and declined (no --yes).
  r = run("check-update --url " + url);
  EXPECT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find("Новая версия программы:\tКорване 0.2.0.9"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("< Описание обновления не доступно >"), std::string::npos) << r.out;
  EXPECT_EQ(fs::file_size(prog / "korvane-cli"), fs::file_size(KORVANE_CLI_PATH));

  // Installed: the program is the new one, the data is where it was.
  r = run("--yes check-update --url " + url);
  EXPECT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find("Установка обновления \"Корване 0.2.0.9\" успешно выполнена."),
            std::string::npos)
      << r.out;
  EXPECT_EQ(ReadFile(prog / "korvane-cli"), script);
  EXPECT_EQ(run("--version").out, "korvane-cli 0.2.0.9\n");
  EXPECT_EQ(ReadFile(prog / "doc/NEWS"), "n");
  EXPECT_EQ(ReadFile(prog / "Korvane.ldr"), draws);
  EXPECT_FALSE(fs::exists(prog / "SelfUpdate"));
  EXPECT_FALSE(fs::exists(dir / "korvane.~new"));
}

TEST_F(CliTest, CheckUpdateRefusesWhatIsNotSigned) {
  test::UpdateSigner signer;
  test::UpdateSigner stranger;
  test::LocalServer server({"--files", (dir / "site").string()});
  const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());
  // Signed by another key than the one the program trusts.
  test::PublishUpdate(dir / "site", stranger, base, test::UpdateSection("korvane-cli", "9.9.9.99"),
                      {{"korvane-cli", "x"}});
  const std::string env = "KORVANE_TEST_UPDATE_KEY=" + signer.PublicHex();
  CliRun r = Cli(D() + "--yes check-update --url " + base + "/files/autoupdates/Velmora_AU.cfg",
                 true, env);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("Подпись"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Новая версия"), std::string::npos) << r.out;
  // The test key is not taken for a service elsewhere; without the service nothing is asked.
  r = Cli(D() + "check-update", true, env);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("UpdateHost"), std::string::npos) << r.out;
}

TEST_F(CliTest, SystemsFromTheLibraryIntoTheLocalStore) {
  const auto server = test::LocalServer::Library();
  test::WriteBytes(dir / "Korvane.ini", "[ONLINE]\r\nLibraryUrl=" + server->Base() + "\r\n");
  CliRun r = Cli(D() + "systems --refresh");
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find("12\tПятёрка\tИван\t05\t1\t10\t"), std::string::npos) << r.out;
  r = Cli(D() + "system-get 12");
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_EQ(r.out, (dir / "Systems/3-05-1_0012.dat").string() + "\n");
  EXPECT_EQ(Cli(D() + "systems").out, "Числа\tФайл\n05\t3-05-1_0012.dat\n");
  // Now marked as downloaded in the list.
  EXPECT_NE(Cli(D() + "systems --refresh").out.find("\tЗагружена\t"), std::string::npos);
  r = Cli(D() + "system-get 99", true);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("#99"), std::string::npos);
  // A library that answers with an error: its text, exit 1.
  test::WriteBytes(dir / "Korvane.ini",
                   "[ONLINE]\r\nLibraryUrl=" + server->Base() + "/m/error\r\n");
  r = Cli(D() + "systems --refresh", true);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("Ошибка загрузки списка систем!"), std::string::npos) << r.out;
}

TEST_F(CliTest, ScenariosFromTheOnlineCatalogue) {
  const auto server = test::LocalServer::Library();
  test::WriteBytes(dir / "Korvane.ini", "[ONLINE]\r\nLibraryUrl=" + server->Base() +
                                            "\r\nUserMail=tester@example.org\r\n");
  CliRun r = Cli(D() + "scenarios-online");
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find("1\tОбщий\tТри фильтра\tИван\tУниверсальный\t0.1.0.1\tRUS\t"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("2\tМой\tМой сценарий\t"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Скрытый"), std::string::npos);
  EXPECT_NE(Cli(D() + "scenarios-online --filter 0").out.find("\tСкрытый\t"), std::string::npos);
  r = Cli(D() + "scenario-get 1 '" + (dir / "s.lsc").string() + "'");
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_EQ(r.out, "lines 1\n");
  EXPECT_EQ(ReadFile(dir / "s.lsc"), "FULL:0#ALL|TSD1#NUMS:10#LNO:#SF:1| | | | | | |\r\n");
  EXPECT_NE(Cli(D() + "scenario-text '" + (dir / "s.lsc").string() + "'").out.find("TSD1"),
            std::string::npos);
  // A spoiled text is refused and no file is written.
  r = Cli(D() + "scenario-get 5 '" + (dir / "bad.lsc").string() + "'", true);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("Ошибка загрузки online-сценария!"), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists(dir / "bad.lsc"));
}

}  // namespace
}  // namespace korvane
