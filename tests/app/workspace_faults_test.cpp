// Faults injected into the file operations under the workspace's operations: a failed step
// changes nothing that was saved, nothing is checked against draws that are not in the file,
// and doing it again gives exactly the state of a clean run.

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

#include "app/workspace.h"
#include "cli/run_cli.h"
#include "core/csv.h"
#include "core/demo.h"
#include "core/fileio.h"
#include "support/test_support.h"

namespace korvane {
namespace {

// Fails the n-th operation of one kind on files whose name contains `name` (1-based).
struct FailNth {
  FileOp op;
  std::string name;
  int n;
  int err = ENOSPC;
  int seen = 0;
  int operator()(FileOp o, const fs::path& p) {
    if (o != op || p.filename().string().find(name) == std::string::npos) return 0;
    return ++seen == n ? err : 0;
  }
};

// The files a clean run and a faulted-then-repeated run must agree on.
std::string Image(const fs::path& dir) {
  std::string image;
  for (const char* name : {"Korvane.ldr", "Korvane.lsk"}) {
    std::error_code ec;
    image += std::string(name) + ":" +
             (fs::exists(dir / name, ec) ? test::ReadBytes(dir / name) : "") + "|";
  }
  return image;
}

class FaultsTest : public ::testing::Test {
 protected:
  // 30 draws in the file, 10 more to come; stakes for draws 31 and 35 wait for their draws.
  void SetUpFolder(const fs::path& dir) {
    const TDrawsArray all = MakeDemoDraws(40, 6);
    test::WriteBytes(dir / "Korvane.ldr",
                     DrawArchive::Serialize(TDrawsArray(all.begin(), all.begin() + 30)));
    test::WriteBytes(dir / "more.csv", DrawsToCsv(TDrawsArray(all.begin() + 30, all.end())));
    test::RecordingHost host;
    Workspace ws(host, dir);
    ASSERT_TRUE(ws.Open());
    ASSERT_EQ(ws.AddStakes({all[30].nums, {1, 2, 3}}, 31, 5, "Мой"), 2);
  }
  test::RecordingHost host;
};

TEST_F(FaultsTest, AFailedImportChecksNothingAndARepeatGivesTheCleanRun) {
  test::TempDir clean;
  SetUpFolder(clean.path());
  {
    Workspace ws(host, clean.path());
    ASSERT_TRUE(ws.Open());
    ASSERT_TRUE(ws.ImportCsv(clean / "more.csv").ok);
  }
  for (FileOp op : {FileOp::Write, FileOp::Sync, FileOp::Rename}) {
    test::TempDir dir;
    SetUpFolder(dir.path());
    const std::string before = Image(dir.path());
    test::RecordingHost faulted;
    {
      Workspace ws(faulted, dir.path());
      ASSERT_TRUE(ws.Open());
      {
        ScopedFaultHook hook(FailNth{op, "Korvane.ldr", 1});
        EXPECT_FALSE(ws.ImportCsv(dir / "more.csv").ok);
      }
      EXPECT_EQ(faulted.errorCount(), 1);
      // Nothing was checked against the draws that never reached the file; the list is the
      // file's again.
      EXPECT_EQ(Image(dir.path()), before) << static_cast<int>(op);
      EXPECT_EQ(ws.Archive().Count(), 30);
      ASSERT_TRUE(ws.ImportCsv(dir / "more.csv").ok);
    }
    EXPECT_EQ(Image(dir.path()), Image(clean.path())) << static_cast<int>(op);
  }
}

TEST_F(FaultsTest, AFailedAddOrEditOfADrawChecksNothing) {
  for (const bool edit : {false, true}) {
    test::TempDir dir;
    SetUpFolder(dir.path());
    Workspace ws(host, dir.path());
    ASSERT_TRUE(ws.Open());
    const std::string before = Image(dir.path());
    TDrawRec draw = MakeDemoDraws(40, 6)[30];
    {
      ScopedFaultHook hook(FailNth{FileOp::Rename, "Korvane.ldr", 1});
      if (edit) {
        draw.number = ws.Archive().AtList(0).number;
        EXPECT_FALSE(ws.EditDraw(0, draw));
      } else {
        EXPECT_FALSE(ws.AddDraw(draw));
      }
    }
    EXPECT_EQ(Image(dir.path()), before) << edit;
    EXPECT_EQ(ws.Archive().Count(), 30) << edit;
    EXPECT_EQ(ws.Archive().AtList(0).nums, MakeDemoDraws(40, 6)[29].nums) << edit;
  }
}

// A batch of stakes that fails on the way leaves none of it, and making it again gives the
// file of a clean run.
TEST_F(FaultsTest, AFailedBatchLeavesNothingAndARepeatGivesTheCleanRun) {
  const std::vector<TComb> combs = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}};
  test::TempDir clean;
  SetUpFolder(clean.path());
  {
    Workspace ws(host, clean.path());
    ASSERT_TRUE(ws.Open());
    ASSERT_EQ(ws.AddStakes(combs, 28, 3, "Пакет"), 4);
  }
  for (FileOp op : {FileOp::Write, FileOp::Sync}) {
    test::TempDir dir;
    SetUpFolder(dir.path());
    const std::string before = Image(dir.path());
    test::RecordingHost faulted;
    Workspace ws(faulted, dir.path());
    ASSERT_TRUE(ws.Open());
    {
      ScopedFaultHook hook(FailNth{op, "Korvane.lsk", 1});
      EXPECT_EQ(ws.AddStakes(combs, 28, 3, "Пакет"), 0);
    }
    EXPECT_EQ(faulted.errorCount(), 1);  // one message for the whole batch
    EXPECT_EQ(Image(dir.path()), before);
    ASSERT_EQ(ws.AddStakes(combs, 28, 3, "Пакет"), 4);
    EXPECT_EQ(Image(dir.path()), Image(clean.path()));
  }
}

// A scenario line in stake mode ALL whose appends fail stops with one message.
TEST_F(FaultsTest, AFailedAppendInStakeModeAllStopsTheRunWithOneMessage) {
  test::TempDir dir;
  SetUpFolder(dir.path());
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  ws.ScriptAddLine("FULL:0#ALL| | | | | | | |");
  int writes = 0;
  {
    // The run's separator is written; every stake after it fails.
    ScopedFaultHook hook([&writes](FileOp op, const fs::path& p) {
      return op == FileOp::Write && p.filename() == "Korvane.lsk" && ++writes > 1 ? ENOSPC : 0;
    });
    ws.ScriptRun();
  }
  EXPECT_EQ(host.errorCount(), 1);
  EXPECT_EQ(writes, 2);  // no append was tried after the failed one
  EXPECT_TRUE(ws.Script().failed);
  EXPECT_FALSE(ws.Script().running);
}

// The program's own temporary files left by a kill are removed once the folder is held; a
// reader beside the holder removes nothing.
TEST_F(FaultsTest, StaleTemporariesGoWhenTheFolderIsOpened) {
  test::TempDir dir;
  SetUpFolder(dir.path());
  for (const char* name : {".Korvane.ldr.Ab12Cd", "Korvane.~tmp", "notes.txt"})
    test::WriteBytes(dir / name, "x");
  {
    Workspace reader(host, dir.path());
    ASSERT_TRUE(reader.OpenForReading());
    EXPECT_TRUE(fs::exists(dir / ".Korvane.ldr.Ab12Cd"));
  }
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  EXPECT_FALSE(fs::exists(dir / ".Korvane.ldr.Ab12Cd"));
  EXPECT_FALSE(fs::exists(dir / "Korvane.~tmp"));
  EXPECT_TRUE(fs::exists(dir / "notes.txt"));
}

// korvane-cli exits 1 when a write of `check` or of `test` fails, with the step's message.
TEST_F(FaultsTest, CheckAndTestExitOneWhenAWriteFails) {
  struct Case {
    std::vector<std::string> args;
    FileOp op;
  } cases[] = {{{"check"}, FileOp::Write},
               {{"check"}, FileOp::Sync},
               {{"test", "s.lsc", "--count", "3"}, FileOp::Write}};
  for (const Case& c : cases) {
    test::TempDir dir;
    SetUpFolder(dir.path());
    // The draws of the stakes arrive; the command checks them.
    test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(40, 6)));
    test::WriteBytes(dir / "s.lsc", "FULL:0#FIRST| | | | | | | |\r\n");
    std::vector<std::string> args = {"korvane-cli", "--data-dir", dir.path().string()};
    for (const std::string& a : c.args) args.push_back(a == "s.lsc" ? (dir / a).string() : a);
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    int code;
    {
      ScopedFaultHook hook(FailNth{c.op, "Korvane.lsk", 1});
      code = RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
    }
    EXPECT_EQ(code, 1) << c.args[0];
    EXPECT_NE(err.str().find("Ошибка"), std::string::npos) << err.str();
  }
}

}  // namespace
}  // namespace korvane
