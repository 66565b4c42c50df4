// Runs korvane-cli as a user would and checks its output and exit codes.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>

#include "core/csv.h"
#include "core/demo.h"
#include "core/encoding.h"
#include "core/fileio.h"
#include "support/test_support.h"

namespace korvane {
namespace {

struct CliRun {
  int code = -1;
  std::string out;
};

// stderr is dropped, or kept in `out` after stdout with withErrors.
CliRun Cli(const std::string& args, bool withErrors = false) {
  const std::string cmd =
      std::string(KORVANE_CLI_PATH) + " " + args + (withErrors ? " 2>&1" : " 2>/dev/null");
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
                                 "export-csv '" + (dir / "out.csv").string() + "'"};
  for (const std::string& cmd : readers) EXPECT_EQ(Cli(D() + cmd).code, 0) << cmd;
  const CliRun stakes = Cli(D() + "stakes");
  EXPECT_EQ(stakes.code, 0);
  EXPECT_EQ(SplitLines(stakes.out).size(), 2u);  // the header and the stake
  const std::string writers[] = {"import-csv '" + (dir / "out.csv").string() + "'",
                                 "stake-add --numbers '4;5;6'",
                                 "check",
                                 "--yes stakes-delete --rows 1-1",
                                 "forecast " + lsc,
                                 "test " + lsc + " --count 1"};
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

}  // namespace
}  // namespace korvane
