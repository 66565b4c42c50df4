// The stake store under injected file faults: every write, flush, rename and truncation of an
// operation is made to fail in turn, and what is left on disk and in memory is compared with a
// clean run of the same operation.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <map>

#include "core/demo.h"
#include "core/error.h"
#include "core/strutil.h"
#include "stakes/stake_log.h"
#include "stakes/stake_store.h"
#include "stakes/texts.h"
#include "support/test_support.h"

namespace korvane {
namespace {

const char* OpName(FileOp op) {
  static const char* const names[] = {"Open", "Write", "Sync", "Rename", "Truncate", "Remove"};
  return names[static_cast<int>(op)];
}

// A fault hook that fails chosen calls (the n-th call of an operation, from 1) with an errno,
// records every call and lets a test look at the files before each call (`before`).
class FaultPlan {
 public:
  struct Point {
    FileOp op;
    int n;
  };
  FaultPlan() = default;
  FaultPlan(std::vector<Point> points, int err) : points_(std::move(points)), err_(err) {}
  int operator()(FileOp op, const fs::path& path) {
    if (before) before(op, path);
    calls.emplace_back(op, path);
    const int n = ++counts_[static_cast<size_t>(op)];
    for (const Point& p : points_)
      if (p.op == op && p.n == n) return err_;
    return 0;
  }
  std::vector<std::pair<FileOp, fs::path>> calls;
  std::function<void(FileOp, const fs::path&)> before;

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

std::string Trace(const FaultPlan::Point& p, int err) {
  return std::string(OpName(p.op)) + " #" + std::to_string(p.n) + " " + std::strerror(err);
}

std::string Reason(const fs::path& path, int err) {
  return path.string() + ": " + std::strerror(err);
}

TStakeData Stake(int32_t draw, TComb nums, std::string comment = "c") {
  TStakeData s;
  s.kind = 1;
  s.draw = draw;
  s.numbers = CombToCounted(nums);
  s.matched.count = -1;
  s.comment = std::move(comment);
  return s;
}

std::string Image(const std::vector<TStakeData>& records) {
  std::string bytes(records.size() * StakeRecSize, '\0');
  for (size_t i = 0; i < records.size(); ++i)
    EncodeStake(records[i], reinterpret_cast<uint8_t*>(bytes.data()) + i * StakeRecSize);
  return bytes;
}

std::vector<TStakeData> Records(const std::string& bytes) {
  std::vector<TStakeData> records;
  for (size_t at = 0; at + StakeRecSize <= bytes.size(); at += StakeRecSize)
    records.push_back(DecodeStake(reinterpret_cast<const uint8_t*>(bytes.data()) + at));
  return records;
}

// What a check reports: one line per callback, and the totals.
struct CheckRun {
  std::vector<std::string> seen;  // comment and matches of each stake handed to onChecked
  int checked = 0;
  int64_t profit = 0;
};

std::string Seen(const TStakeData& s) {
  return s.comment + "=" + std::to_string(s.matched.count) + "/" + s.profit.Text();
}

// Checks, keeping what the callbacks saw even when the check fails part-way.
void CheckInto(CheckRun& run, StakeStore& store, const TDrawsArray& draws,
               const TConfigData& config) {
  const StakeCheckResult r =
      store.Check(draws, config, [&](const TStakeData& s) { run.seen.push_back(Seen(s)); }, {});
  run.checked = r.checked;
  run.profit = r.profit.units;
}

CheckRun RunCheck(StakeStore& store, const TDrawsArray& draws, const TConfigData& config) {
  CheckRun run;
  CheckInto(run, store, draws, config);
  return run;
}

TConfigData Config() {
  TConfigData config;
  config.profits = {{3, Money{5000000}}, {2, Money{400000}}, {1, Money{20000}}};
  return config;
}

// A folder holding a stake file made from an image (written plainly: the faults come later).
struct StakeFolder {
  explicit StakeFolder(const std::string& image) {
    std::ofstream(file, std::ios::binary) << image;
    store.Open(file);
  }
  test::TempDir dir;
  fs::path file = dir / "Korvane.lsk";
  StakeStore store;
};

// --- Appends ----------------------------------------------------------------------------------

// The records appending a stake for k draws must give: separators between the draws, and one
// before the first when the file ends with a stake; no draw beyond the largest draw number.
void ReferenceAppend(std::vector<TStakeData>& file, const TStakeData& stake, int k) {
  if (k <= 1) {
    file.push_back(stake);
    return;
  }
  const int64_t last =
      std::min<int64_t>(int64_t{stake.draw} + k - 1, std::numeric_limits<int32_t>::max());
  for (int64_t d = stake.draw; d <= last; ++d) {
    if (!file.empty() && !file.back().IsSeparator()) file.push_back(MakeSeparator());
    TStakeData copy = stake;
    copy.draw = static_cast<int32_t>(d);
    file.push_back(copy);
  }
}

struct StartState {
  const char* name;
  std::vector<TStakeData> records;
};

std::vector<StartState> StartStates() {
  return {
      {"empty", {}},
      {"ends with a stake", {Stake(1, {1, 2, 3}, "a"), MakeSeparator(), Stake(2, {4, 5, 6}, "b")}},
      {"ends with a separator", {Stake(1, {1, 2, 3}, "a"), MakeSeparator()}},
  };
}

TEST(StakeAppendBytes, AppendAndAppendBatchWriteTheRecordsOfOneAppendAfterAnother) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  const std::vector<std::vector<TStakeData>> batches = {
      {Stake(7, {7, 7, 7}, "x")},
      {Stake(7, {1, 1, 1}, "x"), Stake(7, {2, 2, 2}, "y"), Stake(30, {3, 3, 3}, "z")},
      {Stake(kMax - 1, {1, 2, 3}, "top"), Stake(kMax, {3, 2, 1}, "max")},
      {Stake(0, {1, 2, 3}, "zero"), Stake(4, {5, 5, 5}, "four")},  // a draw-0 stake reads as a
                                                                   // separator
  };
  for (const StartState& start : StartStates()) {
    for (const auto& batch : batches) {
      for (int k : {0, 1, 2, 5}) {
        SCOPED_TRACE(testing::Message() << start.name << ", " << batch.size() << " stakes x" << k);
        std::vector<TStakeData> expected = start.records;
        for (const TStakeData& s : batch) ReferenceAppend(expected, s, k);

        StakeFolder one(Image(start.records));
        for (const TStakeData& s : batch) one.store.Append(s, k);
        EXPECT_EQ(test::ReadBytes(one.file), Image(expected));
        EXPECT_EQ(one.store.Count(), static_cast<int>(expected.size()));

        StakeFolder all(Image(start.records));
        all.store.AppendBatch(batch, k);
        EXPECT_EQ(test::ReadBytes(all.file), Image(expected));
        EXPECT_EQ(all.store.Count(), static_cast<int>(expected.size()));
        for (const TStakeData& s : expected)
          EXPECT_EQ(all.store.Find(s.draw, s.numbers), one.store.Find(s.draw, s.numbers));
        // The stakes waiting for their draws are the same: checking finds the same ones.
        const TDrawsArray draws = MakeDemoDraws(40, 2);
        const CheckRun a = RunCheck(one.store, draws, Config());
        const CheckRun b = RunCheck(all.store, draws, Config());
        EXPECT_EQ(a.seen, b.seen);
        EXPECT_EQ(test::ReadBytes(one.file), test::ReadBytes(all.file));
      }
    }
  }
}

TEST(StakeAppendBytes, ABatchHoldingACheckedStakeAppendsNothing) {
  const StartState start = StartStates()[1];
  StakeFolder f(Image(start.records));
  TStakeData checked = Stake(9, {1, 1, 1});
  checked.checked = 1;
  try {
    f.store.AppendBatch({Stake(7, {2, 2, 2}), checked, Stake(8, {3, 3, 3})}, 2);
    ADD_FAILURE() << "no failure";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), texts::CheckedStakeAppend);
  }
  EXPECT_EQ(test::ReadBytes(f.file), Image(start.records));
  EXPECT_EQ(f.store.Count(), 3);
  EXPECT_FALSE(f.store.Find(7, CombToCounted({2, 2, 2})));
}

struct AppendCase {
  const char* name;
  std::function<void(StakeStore&)> run;
  std::vector<std::pair<int32_t, TComb>> added;
};

std::vector<AppendCase> AppendCases() {
  return {
      {"Append x1",
       [](StakeStore& s) {
         s.Append(Stake(7, {7, 7, 7}, "n"), 1);
       },
       {{7, {7, 7, 7}}}},
      {"Append x3",
       [](StakeStore& s) {
         s.Append(Stake(7, {7, 7, 7}, "n"), 3);
       },
       {{7, {7, 7, 7}}, {8, {7, 7, 7}}, {9, {7, 7, 7}}}},
      {"AppendBatch of three x2",
       [](StakeStore& s) {
         s.AppendBatch(
             {Stake(7, {1, 1, 1}, "p"), Stake(7, {2, 2, 2}, "q"), Stake(9, {3, 3, 3}, "r")}, 2);
       },
       {{7, {1, 1, 1}},
        {8, {1, 1, 1}},
        {7, {2, 2, 2}},
        {8, {2, 2, 2}},
        {9, {3, 3, 3}},
        {10, {3, 3, 3}}}},
      {"AppendBatch of two x1",
       [](StakeStore& s) {
         s.AppendBatch({Stake(7, {1, 1, 1}, "p"), Stake(8, {2, 2, 2}, "q")}, 1);
       },
       {{7, {1, 1, 1}}, {8, {2, 2, 2}}}},
      {"AppendSeparator", [](StakeStore& s) { s.AppendSeparator(); }, {}},
  };
}

// What the next opening makes of the stake file: a batch left in the journal is rolled back.
std::string AfterKill(const fs::path& file) {
  std::string bytes = test::ReadBytes(file);
  const fs::path journal = file.parent_path() / "Korvane.~add";
  std::error_code ec;
  if (fs::exists(journal, ec)) {
    const auto end = ParseInt64(Trim(test::ReadBytes(journal)));
    if (end && *end >= 0 && static_cast<size_t>(*end) < bytes.size())
      bytes.resize(static_cast<size_t>(*end));
  }
  return bytes;
}

// What a kill or a power loss can leave: before every file operation the stake file, as the
// next opening reads it, must be the old one or the new one, never a part of the batch; the
// image flushed last must be the new one when the append returns.
TEST(StakeAppendFaults, AKillOrPowerLossAnywhereLeavesTheOldFileOrTheNewOne) {
  const std::string old = Image(StartStates()[1].records);
  for (const AppendCase& c : AppendCases()) {
    SCOPED_TRACE(c.name);
    std::string clean;
    {
      StakeFolder f(old);
      c.run(f.store);
      clean = test::ReadBytes(f.file);
    }
    StakeFolder f(old);
    std::string durable = old;
    FaultPlan plan;
    plan.before = [&](FileOp op, const fs::path& path) {
      // The stake file, its batch journal (and the journal's temporary file) and the folder.
      const bool ours = path == f.file || path == f.dir.path() ||
                        path.filename().string().find("Korvane.~add") != std::string::npos;
      EXPECT_TRUE(ours) << OpName(op) << " " << path;
      const std::string now = AfterKill(f.file);
      EXPECT_TRUE(now == old || now == clean) << "a kill before " << OpName(op) << " leaves "
                                              << now.size() / StakeRecSize << " records";
      if (op == FileOp::Sync && path == f.file) durable = test::ReadBytes(f.file);
    };
    {
      ScopedFaultHook hook(std::ref(plan));
      c.run(f.store);
    }
    EXPECT_EQ(test::ReadBytes(f.file), clean);
    EXPECT_TRUE(durable == clean) << "not flushed before the append returned";
  }
}

// A kill in the middle of a long write leaves part of a batch and its journal: a reader beside
// the holder does not see the part, and the next opening takes it away and says so.
TEST(StakeAppendFaults, ABatchStoppedPartOfTheWayIsRolledBackOnOpening) {
  const std::vector<TStakeData> old = StartStates()[1].records;
  std::vector<TStakeData> killed = old;
  for (int i = 0; i < 5; ++i) killed.push_back(Stake(10 + i, {1, 2, 3}));
  std::string bytes = Image(killed);
  bytes.resize(bytes.size() - 100);  // the last record torn as well
  test::TempDir dir;
  const fs::path file = dir / "Korvane.lsk";
  test::WriteBytes(file, bytes);
  test::WriteBytes(dir / "Korvane.~add", std::to_string(old.size() * StakeRecSize));
  {
    StakeStore reader;
    reader.OpenForReading(file);
    EXPECT_EQ(reader.Count(), static_cast<int>(old.size()));
  }
  StakeStore store;
  const StakeFileRepair repair = store.Open(file);
  EXPECT_EQ(repair.unfinishedRecords, 4);
  EXPECT_EQ(repair.kind, StakeFileRepair::None);  // no torn tail is left to repair
  EXPECT_EQ(test::ReadBytes(file), Image(old));
  EXPECT_FALSE(fs::exists(dir / "Korvane.~add"));
  EXPECT_EQ(store.Count(), static_cast<int>(old.size()));
}

TEST(StakeAppendFaults, AFailureAnywhereLeavesTheOldFileAndARetryGivesTheCleanRun) {
  const std::string old = Image(StartStates()[1].records);
  const TDrawsArray draws = MakeDemoDraws(40, 5);
  for (const AppendCase& c : AppendCases()) {
    std::string clean, cleanChecked;
    CheckRun cleanRun;
    FaultPlan recorded;
    {
      StakeFolder f(old);
      ScopedFaultHook hook(std::ref(recorded));
      c.run(f.store);
      clean = test::ReadBytes(f.file);
    }
    {
      StakeFolder f(old);
      c.run(f.store);
      cleanRun = RunCheck(f.store, draws, Config());
      cleanChecked = test::ReadBytes(f.file);
    }
    // Each point alone, then each point with the clean-up after it failing as well.
    std::vector<std::vector<FaultPlan::Point>> plans;
    for (const FaultPlan::Point& p : PointsOf(recorded)) {
      plans.push_back({p});
      plans.push_back({p, {FileOp::Truncate, 1}});
    }
    for (const auto& points : plans) {
      for (int err : {ENOSPC, EIO}) {
        SCOPED_TRACE(testing::Message() << c.name << ": " << Trace(points[0], err)
                                        << (points.size() > 1 ? " and its clean-up" : ""));
        StakeFolder f(old);
        FaultPlan plan(points, err);
        {
          ScopedFaultHook hook(std::ref(plan));
          try {
            c.run(f.store);
            ADD_FAILURE() << "no failure";
          } catch (const Error& e) {
            // The failed file's name (the stake file or the batch journal) and the reason.
            EXPECT_NE(std::string(e.what()).find(std::strerror(err)), std::string::npos)
                << e.what();
          }
        }
        if (points.size() == 1) {
          EXPECT_EQ(test::ReadBytes(f.file), old);
          EXPECT_FALSE(fs::exists(f.dir / "Korvane.~add"));
        }
        EXPECT_EQ(f.store.Count(), 3);
        EXPECT_EQ(f.store.Read(-1).comment, "b");
        for (const auto& [draw, nums] : c.added)
          EXPECT_FALSE(f.store.Find(draw, CombToCounted(nums))) << draw;
        c.run(f.store);
        EXPECT_EQ(test::ReadBytes(f.file), clean);
        EXPECT_EQ(f.store.Count(), static_cast<int>(clean.size() / StakeRecSize));
        for (const auto& [draw, nums] : c.added)
          EXPECT_TRUE(f.store.Find(draw, CombToCounted(nums))) << draw;
        const CheckRun run = RunCheck(f.store, draws, Config());
        EXPECT_EQ(run.seen, cleanRun.seen);
        EXPECT_EQ(test::ReadBytes(f.file), cleanChecked);
      }
    }
  }
}

TEST(StakeAppendFaults, AnAppendCutShortByAFullDiskIsTakenBack) {
  const std::string old = Image(StartStates()[1].records);
  test::TempDir dir;
  const fs::path file = dir / "Korvane.lsk";
  test::WriteBytes(file, old);
  const pid_t pid = fork();
  if (pid == 0) {
    int code = 1;
    try {
      StakeStore store;
      store.Open(file);
      std::signal(SIGXFSZ, SIG_IGN);
      const rlim_t limit = old.size() + 1000;  // three records and a part of the fourth
      const rlimit lim{limit, limit};
      if (setrlimit(RLIMIT_FSIZE, &lim) != 0) _exit(100);
      try {
        store.Append(Stake(7, {7, 7, 7}), 5);
      } catch (const Error& e) {
        code = e.what() == Reason(file, EFBIG) ? 0 : 2;
      }
      if (code == 0 && (store.Count() != 3 || store.Find(7, CombToCounted({7, 7, 7})))) code = 3;
    } catch (...) {
      code = 4;
    }
    _exit(code);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(test::ReadBytes(file), old);
}

// Every operation that changes the stake file flushes it before it returns.
TEST(StakeAppendFaults, EveryChangeOfTheStakeFileIsFlushedBeforeItReturns) {
  const std::string old = Image(StartStates()[1].records);
  const TDrawsArray draws = MakeDemoDraws(5, 1);
  struct Case {
    const char* name;
    std::function<void(StakeStore&)> run;
  } cases[] = {
      {"Append",
       [](StakeStore& s) {
         s.Append(Stake(7, {7, 7, 7}), 1);
       }},
      {"Append x2",
       [](StakeStore& s) {
         s.Append(Stake(7, {7, 7, 7}), 2);
       }},
      {"AppendBatch",
       [](StakeStore& s) {
         s.AppendBatch({Stake(7, {7, 7, 7})}, 1);
       }},
      {"AppendSeparator", [](StakeStore& s) { s.AppendSeparator(); }},
      {"Write over a record",
       [](StakeStore& s) {
         s.Write(Stake(3, {3, 3, 3}), 0);
       }},
      {"Write at the end",
       [](StakeStore& s) {
         s.Write(Stake(3, {3, 3, 3}), 3);
       }},
      {"Check", [&](StakeStore& s) { s.Check(draws, Config(), {}, {}); }},
      {"Truncate", [](StakeStore& s) { s.Truncate(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StakeFolder f(old);
    FaultPlan plan;
    {
      ScopedFaultHook hook(std::ref(plan));
      c.run(f.store);
    }
    // The stake file is flushed after its last change (a batch then drops its journal).
    int lastChange = -1, lastSync = -1;
    for (size_t i = 0; i < plan.calls.size(); ++i) {
      if (plan.calls[i].second != f.file) continue;
      if (plan.calls[i].first == FileOp::Sync)
        lastSync = static_cast<int>(i);
      else
        lastChange = static_cast<int>(i);
    }
    ASSERT_GE(lastChange, 0);
    EXPECT_GT(lastSync, lastChange);
    EXPECT_FALSE(fs::exists(f.dir / "Korvane.~add"));
  }
}

// --- Checking ---------------------------------------------------------------------------------

// A file of a few thousand records: stakes of draws 1..60 with separators now and then, some
// already checked, some of a draw the archive does not hold yet.
std::vector<TStakeData> CheckFile() {
  std::vector<TStakeData> records;
  const TDrawsArray draws = MakeDemoDraws(60, 7);
  for (int i = 0; i < 2600; ++i) {
    const TComb nums{static_cast<uint8_t>(i % 10), static_cast<uint8_t>(i / 10 % 10),
                     static_cast<uint8_t>(i / 100 % 10)};
    TStakeData s = Stake(1 + i * 7 % 60, nums, "s" + std::to_string(i));
    if (i % 53 == 0) s.draw = 500;
    if (i % 31 == 0) CheckStake(s, draws[static_cast<size_t>(s.draw - 1) % draws.size()], Config());
    records.push_back(s);
    if (i % 4 == 3) records.push_back(MakeSeparator());
  }
  return records;
}

TEST(StakeCheckFaults, ALogLineIsWrittenOnlyForAResultThatIsFlushedToTheFile) {
  const std::vector<TStakeData> records = CheckFile();
  const std::string old = Image(records);
  const TDrawsArray draws = MakeDemoDraws(60, 7);
  std::map<std::string, size_t> where;
  for (size_t i = 0; i < records.size(); ++i)
    if (!records[i].IsSeparator()) where[records[i].comment] = i;

  StakeFolder f(old);
  std::string durable = old;
  std::vector<std::string> called;
  auto verify = [&](const char* when) {
    const std::vector<TStakeData> flushed = Records(durable);
    for (const std::string& comment : called)
      ASSERT_TRUE(flushed[where.at(comment)].IsChecked())
          << "a power loss " << when << " keeps the log line of " << comment
          << " without its result";
  };
  FaultPlan plan;
  plan.before = [&](FileOp op, const fs::path& path) {
    if (op == FileOp::Sync && path == f.file) durable = test::ReadBytes(f.file);
    verify(OpName(op));
  };
  {
    ScopedFaultHook hook(std::ref(plan));
    f.store.Check(draws, Config(), [&](const TStakeData& s) { called.push_back(s.comment); }, {});
  }
  verify("after the check");
  EXPECT_GT(called.size(), 2000u);
  EXPECT_EQ(durable, test::ReadBytes(f.file));
}

TEST(StakeCheckFaults, AFailedWriteBackLeavesEachStakeCheckedWithItsCallbackOrNeither) {
  const std::vector<TStakeData> records = CheckFile();
  const std::string old = Image(records);
  const TDrawsArray draws = MakeDemoDraws(60, 7);
  CheckRun clean;
  std::string cleanBytes;
  FaultPlan recorded;
  {
    StakeFolder f(old);
    ScopedFaultHook hook(std::ref(recorded));
    clean = RunCheck(f.store, draws, Config());
    cleanBytes = test::ReadBytes(f.file);
  }
  ASSERT_GT(clean.checked, 2000);
  std::vector<FaultPlan::Point> points = PointsOf(recorded);
  ASSERT_GE(points.size(), 4u);  // more than one block
  for (const FaultPlan::Point& point : points) {
    for (int err : {ENOSPC, EIO}) {
      SCOPED_TRACE(Trace(point, err));
      StakeFolder f(old);
      CheckRun failed;
      FaultPlan plan({point}, err);
      {
        ScopedFaultHook hook(std::ref(plan));
        try {
          CheckInto(failed, f.store, draws, Config());
          ADD_FAILURE() << "no failure";
        } catch (const Error& e) {
          EXPECT_EQ(e.what(), Reason(f.file, err));
        }
      }
      std::map<std::string, int> calls;
      for (const std::string& seen : failed.seen) ++calls[seen.substr(0, seen.find('='))];
      const std::vector<TStakeData> now = Records(test::ReadBytes(f.file));
      ASSERT_EQ(now.size(), records.size());
      int checkedNow = 0;
      for (size_t i = 0; i < now.size(); ++i) {
        if (records[i].IsSeparator() || records[i].IsChecked()) {
          EXPECT_EQ(now[i], records[i]);
          continue;
        }
        const int n = calls.count(now[i].comment) ? calls[now[i].comment] : 0;
        EXPECT_EQ(n, now[i].IsChecked() ? 1 : 0) << now[i].comment;
        checkedNow += now[i].IsChecked();
        if (!now[i].IsChecked()) {
          EXPECT_EQ(now[i], records[i]);
        }
      }
      EXPECT_EQ(checkedNow, static_cast<int>(failed.seen.size()));
      // The check run again finishes the work: together exactly the clean run.
      const CheckRun rest = RunCheck(f.store, draws, Config());
      std::vector<std::string> all = failed.seen;
      all.insert(all.end(), rest.seen.begin(), rest.seen.end());
      EXPECT_EQ(all, clean.seen);
      EXPECT_EQ(test::ReadBytes(f.file), cleanBytes);
      int64_t profit = rest.profit;
      for (size_t i = 0; i < now.size(); ++i)
        if (!records[i].IsChecked() && now[i].IsChecked()) profit += now[i].profit.units;
      EXPECT_EQ(checkedNow + rest.checked, clean.checked);
      EXPECT_EQ(profit, clean.profit);
      EXPECT_EQ(RunCheck(f.store, draws, Config()).checked, 0);
    }
  }
}

// --- Deleting ---------------------------------------------------------------------------------

TEST(StakeDeleteFaults, TheRewriteIsFlushedRenamedAndTheFolderFlushed) {
  StakeFolder f(Image(CheckFile()));
  FaultPlan plan;
  {
    ScopedFaultHook hook(std::ref(plan));
    f.store.DeleteRows(5, 1500);
  }
  std::vector<std::string> tail;
  for (size_t i = plan.calls.size() - 3; i < plan.calls.size(); ++i) {
    const auto& [op, path] = plan.calls[i];
    tail.push_back(std::string(OpName(op)) + " " +
                   (path == f.dir.path() ? std::string("folder") : path.filename().string()));
  }
  EXPECT_EQ(tail,
            (std::vector<std::string>{"Sync Korvane.~tmp", "Rename Korvane.lsk", "Sync folder"}));
}

TEST(StakeDeleteFaults, AFailedRewriteKeepsTheOldFileAndLeavesNoTemporary) {
  const std::string old = Image(CheckFile());
  const int oldCount = static_cast<int>(old.size() / StakeRecSize);
  std::string clean;
  FaultPlan recorded;
  {
    StakeFolder f(old);
    ScopedFaultHook hook(std::ref(recorded));
    f.store.DeleteRows(5, 1500);
    clean = test::ReadBytes(f.file);
  }
  const int cleanCount = static_cast<int>(clean.size() / StakeRecSize);
  bool renamed = false;
  for (const FaultPlan::Point& point : PointsOf(recorded)) {
    for (int err : {ENOSPC, EIO}) {
      SCOPED_TRACE(Trace(point, err));
      StakeFolder f(old);
      const fs::path tmp = f.dir / "Korvane.~tmp";
      FaultPlan plan({point}, err);
      std::string message;
      {
        ScopedFaultHook hook(std::ref(plan));
        try {
          f.store.DeleteRows(5, 1500);
        } catch (const Error& e) {
          message = e.what();
        }
      }
      EXPECT_FALSE(fs::exists(tmp));
      StakeStore other;  // the hold on the file never lapsed
      EXPECT_THROW(other.Open(f.file), Error);
      if (point.op == FileOp::Remove) {  // a stale temporary that cannot go is written over
        EXPECT_EQ(message, "");
        EXPECT_EQ(test::ReadBytes(f.file), clean);
        continue;
      }
      if (renamed) {  // only the flush of the folder failed: the new file is in place
        EXPECT_EQ(message, Reason(f.file, err));
        EXPECT_EQ(test::ReadBytes(f.file), clean);
        EXPECT_EQ(f.store.Count(), cleanCount);
        EXPECT_EQ(f.store.Read(4).comment, Records(clean)[4].comment);
        continue;
      }
      EXPECT_EQ(message,
                point.op == FileOp::Rename
                    ? Format(texts::StakeRenameError, tmp.string().c_str(), std::strerror(err))
                    : Reason(tmp, err));
      EXPECT_EQ(test::ReadBytes(f.file), old);
      EXPECT_EQ(f.store.Count(), oldCount);
      EXPECT_EQ(f.store.Read(4).comment, Records(old)[4].comment);
      f.store.DeleteRows(5, 1500);
      EXPECT_EQ(test::ReadBytes(f.file), clean);
      EXPECT_EQ(f.store.Count(), cleanCount);
    }
    if (point.op == FileOp::Rename) renamed = true;
  }
  EXPECT_TRUE(renamed);
}

TEST(StakeDeleteFaults, AStaleTemporaryLongerThanTheNewFileLeavesNothingBehind) {
  const std::string old = Image(CheckFile());
  StakeFolder f(old);
  test::WriteBytes(f.dir / "Korvane.~tmp", old + old);
  FaultPlan plan({{FileOp::Remove, 1}}, EACCES);  // it cannot be removed first
  {
    ScopedFaultHook hook(std::ref(plan));
    f.store.DeleteRows(1, 10);
  }
  EXPECT_EQ(test::ReadBytes(f.file), old.substr(10 * StakeRecSize));
  EXPECT_EQ(f.store.Count(), static_cast<int>(old.size() / StakeRecSize) - 10);
}

// --- Logs -------------------------------------------------------------------------------------

TEST(StakeLogFaults, AFailedLineIsReportedAndLeavesTheLogAsItWas) {
  TStakeData s = Stake(77, {4, 0, 9}, "t");
  s.checked = 1;
  s.matched = {1, {4, 0, 0, 0}};
  struct Case {
    FileOp op;
    int err;
    const char* message;  // with the path and the reason
  } cases[] = {
      {FileOp::Open, EACCES, texts::FileWriteError},
      {FileOp::Write, ENOSPC, texts::FileWriteError},
      {FileOp::Write, EIO, texts::FileWriteError},
      {FileOp::Remove, EACCES, texts::FileDeleteError},  // the file over the size limit
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Trace({c.op, 1}, c.err));
    test::TempDir dir;
    StakeLog log(dir.path());
    if (c.op == FileOp::Remove) log.sizeLimit = 100;  // one line is over it
    const fs::path path = log.PathFor(1);
    std::vector<std::string> errors;
    auto onError = [&](const std::string& e) { errors.push_back(e); };
    log.Write(s, onError);
    const std::string before = test::ReadBytes(path);
    FaultPlan plan({{c.op, 1}}, c.err);
    {
      ScopedFaultHook hook(std::ref(plan));
      log.Write(s, onError);
    }
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], Format(c.message, path.string().c_str(), std::strerror(c.err)));
    if (c.op == FileOp::Remove) {
      EXPECT_GT(test::ReadBytes(path).size(), before.size());  // the line still went in
    } else {
      EXPECT_EQ(test::ReadBytes(path), before);
    }
  }
}

}  // namespace
}  // namespace korvane
