#include "core/fileio.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstring>
#include <functional>

#include "core/datadir.h"
#include "core/encoding.h"
#include "core/error.h"
#include "support/test_support.h"

namespace korvane {
namespace {

const char* OpName(FileOp op) {
  static const char* const names[] = {"Open", "Write", "Sync", "Rename", "Truncate", "Remove"};
  return names[static_cast<int>(op)];
}

// A fault hook that fails chosen calls (the n-th call of an operation, from 1) with an errno
// and records every call.
class FaultPlan {
 public:
  struct Point {
    FileOp op;
    int n;
  };
  FaultPlan() = default;
  FaultPlan(std::vector<Point> points, int err) : points_(std::move(points)), err_(err) {}
  int operator()(FileOp op, const fs::path& path) {
    calls.emplace_back(op, path);
    const int n = ++counts_[static_cast<size_t>(op)];
    for (const Point& p : points_)
      if (p.op == op && p.n == n) return err_;
    return 0;
  }
  std::vector<std::pair<FileOp, fs::path>> calls;

 private:
  std::vector<Point> points_;
  int err_ = 0;
  std::array<int, 6> counts_{};
};

// Every call of a recorded run as a point to fail: the k-th call of its operation.
std::vector<FaultPlan::Point> PointsOf(const FaultPlan& recorded) {
  std::vector<FaultPlan::Point> points;
  std::array<int, 6> seen{};
  for (const auto& [op, path] : recorded.calls)
    points.push_back({op, ++seen[static_cast<size_t>(op)]});
  return points;
}

std::vector<std::string> Listing(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Reason(const fs::path& path, int err) {
  return path.string() + ": " + std::strerror(err);
}

// Runs body in a child process whose files may grow to at most limit bytes (a write beyond it
// is cut short, the next one fails with EFBIG, as on a full disk); returns its exit code.
int WithFileSizeLimit(rlim_t limit, const std::function<int()>& body) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lim{limit, limit};
    if (setrlimit(RLIMIT_FSIZE, &lim) != 0) _exit(100);
    int code = 101;
    try {
      code = body();
    } catch (...) {
    }
    _exit(code);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
}

TEST(FileIo, AtomicWriteReplacesAndLeavesNoTemporaryFile) {
  test::TempDir dir;
  const fs::path f = dir / "a.txt";
  WriteFileAtomic(f, "one");
  WriteFileAtomic(f, "two");
  EXPECT_EQ(ReadFile(f), "two");
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir.path())) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 1);
}

TEST(FileIo, FailedWriteKeepsTheOldFile) {
  test::TempDir dir;
  const fs::path f = dir / "a.txt";
  WriteFileAtomic(f, "kept");
  EXPECT_THROW(WriteFileAtomic(dir / "missing-folder" / "a.txt", "x"), Error);
  EXPECT_THROW(ReadFile(dir / "nothing-here"), Error);
  EXPECT_EQ(ReadFile(f), "kept");
}

TEST(FileIo, LockIsExclusiveAcrossOpensAndProcesses) {
  test::TempDir dir;
  const fs::path f = dir / "Korvane.lsk";
  LockedFile first;
  first.Open(f);
  EXPECT_TRUE(fs::exists(f));
  LockedFile second;
  EXPECT_THROW(second.Open(f), Error);

  // Another process cannot take it either.
  const pid_t pid = fork();
  if (pid == 0) {
    LockedFile other;
    try {
      other.Open(f);
      _exit(0);
    } catch (...) {
      _exit(3);
    }
  }
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 3);

  first.Close();
  EXPECT_NO_THROW(second.Open(f));
}

TEST(FileIoFaults, AtomicWriteFlushesTheFileRenamesThenFlushesTheFolder) {
  test::TempDir dir;
  const fs::path f = dir / "Korvane.ini";
  WriteFileAtomic(f, "old");
  FaultPlan plan;
  {
    ScopedFaultHook hook(std::ref(plan));
    WriteFileAtomic(f, "new");
  }
  std::vector<std::string> calls;
  for (const auto& [op, path] : plan.calls) {
    std::string name = path == dir.path() ? "folder" : path.filename().string();
    if (name.rfind(".Korvane.ini.", 0) == 0 && name != ".Korvane.ini.XXXXXX") name = "temporary";
    calls.push_back(std::string(OpName(op)) + " " + name);
  }
  EXPECT_EQ(calls,
            (std::vector<std::string>{"Open .Korvane.ini.XXXXXX", "Write temporary",
                                      "Sync temporary", "Rename Korvane.ini", "Sync folder"}));
}

TEST(FileIoFaults, AtomicWriteFailingAnywhereKeepsTheOldFileAndNoTemporary) {
  FaultPlan recorded;
  {
    test::TempDir dir;
    WriteFileAtomic(dir / "Korvane.ini", "old");
    ScopedFaultHook hook(std::ref(recorded));
    WriteFileAtomic(dir / "Korvane.ini", "new contents");
  }
  const std::vector<FaultPlan::Point> points = PointsOf(recorded);
  ASSERT_GE(points.size(), 5u);
  for (bool existing : {true, false}) {
    for (int err : {ENOSPC, EIO}) {
      bool renamed = false;  // the points after the rename find the new file in place
      for (const FaultPlan::Point& point : points) {
        SCOPED_TRACE(testing::Message() << OpName(point.op) << " #" << point.n << " "
                                        << std::strerror(err) << (existing ? "" : " (new file)"));
        test::TempDir dir;
        const fs::path f = dir / "Korvane.ini";
        if (existing) WriteFileAtomic(f, "old");
        FaultPlan plan({point}, err);
        {
          ScopedFaultHook hook(std::ref(plan));
          try {
            WriteFileAtomic(f, "new contents");
            ADD_FAILURE() << "no failure";
          } catch (const Error& e) {
            EXPECT_EQ(e.what(), Reason(f, err));
          }
        }
        if (renamed || existing) {
          EXPECT_EQ(ReadFile(f), renamed ? "new contents" : "old");
        }
        EXPECT_EQ(Listing(dir.path()), existing || renamed ? std::vector<std::string>{"Korvane.ini"}
                                                           : std::vector<std::string>{});
        if (point.op == FileOp::Rename) renamed = true;
        WriteFileAtomic(f, "new contents");
        EXPECT_EQ(ReadFile(f), "new contents");
        EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"Korvane.ini"});
      }
    }
  }
}

TEST(FileIoFaults, AtomicWriteCutShortByAFullDiskKeepsTheOldFile) {
  test::TempDir dir;
  const fs::path f = dir / "Korvane.ldr";
  WriteFileAtomic(f, "old");
  const int code = WithFileSizeLimit(16, [&] {
    try {
      WriteFileAtomic(f, std::string(100, 'x'));
      return 1;
    } catch (const Error& e) {
      return e.what() == Reason(f, EFBIG) ? 0 : 2;
    }
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ReadFile(f), "old");
  EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"Korvane.ldr"});
}

TEST(FileIoFaults, FailedAppendLeavesTheFileAsItWas) {
  struct Case {
    FileOp op;
    int err;
  } cases[] = {{FileOp::Open, EACCES},
               {FileOp::Open, ENOSPC},
               {FileOp::Write, ENOSPC},
               {FileOp::Write, EIO}};
  for (bool existing : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << OpName(c.op) << " " << std::strerror(c.err)
                                      << (existing ? "" : " (new file)"));
      test::TempDir dir;
      const fs::path f = dir / "Korvane-1.log";
      if (existing) {
        ASSERT_EQ(AppendToFile(f, "line one\r\n"), 0);
      }
      FaultPlan plan({{c.op, 1}}, c.err);
      {
        ScopedFaultHook hook(std::ref(plan));
        EXPECT_EQ(AppendToFile(f, "line two\r\n"), c.err);
      }
      if (existing || c.op == FileOp::Write) {
        EXPECT_EQ(ReadFile(f), existing ? "line one\r\n" : "");
      } else {
        EXPECT_FALSE(fs::exists(f));
      }
      EXPECT_EQ(AppendToFile(f, "line two\r\n"), 0);
      EXPECT_EQ(ReadFile(f), existing ? "line one\r\nline two\r\n" : "line two\r\n");
    }
  }
}

TEST(FileIoFaults, AppendCutShortByAFullDiskTakesItsBytesBack) {
  test::TempDir dir;
  const fs::path f = dir / "Korvane-2.log";
  ASSERT_EQ(AppendToFile(f, "line one\r\n"), 0);
  const int code = WithFileSizeLimit(16, [&] { return AppendToFile(f, "line two, longer\r\n"); });
  EXPECT_EQ(code, EFBIG);
  EXPECT_EQ(ReadFile(f), "line one\r\n");
}

TEST(DataFolder, StaleTemporariesOfOurOwnNamingAreRemoved) {
  struct Case {
    const char* name;  // under the data folder
    bool removed;
  } cases[] = {
      {".Korvane.ldr.AbC123", true},
      {".Korvane.ini.xyz789", true},
      {".Korvane.frm.000000", true},
      {".Korvane.lsk.bak.Q1w2E3", true},
      {".Korvane.lsk.1.bak.ZZZZZZ", true},
      {"Korvane.~tmp", true},
      {"Prefetchs/.Korvane_SUM1.dfc.a1B2c3", true},
      {"Prefetchs/.Korvane_FR2_3.dfc.XyZ987", true},
      {"Korvane.ldr", false},
      {"Korvane.ini", false},
      {"Korvane.lsk", false},
      {"Korvane.lsk.bak", false},
      {"Korvane-3.log", false},
      {"ScriptLog_2026-01-02-03-04-05.txt", false},
      {".Korvane.ldr", false},
      {".Korvane.AbC123", false},           // no file of ours is called "Korvane"
      {".Korvane.ldr.AbC12", false},        // five characters
      {".Korvane.ldr.AbC1234", false},      // seven
      {".Korvane.ldr.AbC-12", false},       // not a letter or digit
      {".Korvane.ldr.AbC12_", false},       //
      {".korvane.ldr.AbC123", false},       // another case
      {"..Korvane.ldr.AbC123", false},      //
      {".Other.ini.AbC123", false},         // another program's
      {".combs.txt.AbC123", false},         // a file of the user's
      {"Korvane.~tmp.bak", false},          //
      {"Korvane.lsk.~tmp", false},          //
      {"korvane.~tmp", false},              //
      {"Other.~tmp", false},                //
      {".Korvane_SUM1.dfc.a1B2c3", false},  // prefetch files live in Prefetchs only
      {"Prefetchs/Korvane_SUM1.dfc", false},
      {"Prefetchs/.Korvane_SUM1.dfc.a1B2c", false},
      {"Prefetchs/.Korvane_SUM1.txt.a1B2c3", false},
      {"Prefetchs/.Korvane.ldr.AbC123", false},
      {"Prefetchs/Korvane.~tmp", false},
      {"Other/.Korvane.ldr.AbC123", false},  // only the two folders are looked at
  };
  test::TempDir dir;
  fs::create_directories(dir / "Prefetchs");
  fs::create_directories(dir / "Other");
  int expected = 0;
  for (const Case& c : cases) {
    test::WriteBytes(dir / c.name, c.name);
    expected += c.removed;
  }
  // Folders and links named like our temporaries are not ours.
  fs::create_directories(dir / ".Korvane.lrt.Fold3r");
  fs::create_directory_symlink(dir / "Other", dir / ".Korvane.ltb.L1nk00");
  fs::create_symlink(dir / "Korvane.ini", dir / ".Korvane.ini.L1nk01");
  EXPECT_EQ(RemoveStaleTemporaries(dir.path()), expected);
  for (const Case& c : cases) EXPECT_EQ(!fs::exists(dir / c.name), c.removed) << c.name;
  EXPECT_TRUE(fs::is_directory(dir / ".Korvane.lrt.Fold3r"));
  EXPECT_TRUE(fs::is_symlink(dir / ".Korvane.ltb.L1nk00"));
  EXPECT_TRUE(fs::is_symlink(dir / ".Korvane.ini.L1nk01"));
  EXPECT_EQ(ReadFile(dir / "Korvane.ini"), "Korvane.ini");
  EXPECT_EQ(RemoveStaleTemporaries(dir.path()), 0);
  // A folder without Prefetchs, and one that does not exist.
  test::TempDir bare;
  test::WriteBytes(bare / ".Korvane.ini.AbC123", "x");
  EXPECT_EQ(RemoveStaleTemporaries(bare.path()), 1);
  EXPECT_EQ(RemoveStaleTemporaries(bare / "missing"), 0);
}

TEST(Encoding, Cp1251RoundTrip) {
  const std::string utf8 = "Анализ статистики: Ёё №5";
  const std::string cp = Utf8ToCp1251(utf8);
  EXPECT_EQ(cp.size(), 24u);  // one byte a character
  EXPECT_EQ(static_cast<unsigned char>(cp[0]), 0xC0);
  EXPECT_EQ(Cp1251ToUtf8(cp), utf8);
  EXPECT_EQ(Utf8ToCp1251("a\xE2\x82\xAC"), "a\x88");  // the euro sign exists in 1251
  EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD"
                         "b"),
            "a?b");  // a CJK character does not
}

TEST(Encoding, SplitLines) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitLines("").empty());
}

}  // namespace
}  // namespace korvane
