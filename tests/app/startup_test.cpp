#include "app/startup.h"

#include <gtest/gtest.h>

#include "core/demo.h"
#include "core/encoding.h"
#include "online/texts.h"
#include "support/local_server.h"
#include "support/test_support.h"

namespace korvane {
namespace {

TEST(CommandLine, SwitchesWithEveryPrefix) {
  for (const char* arg : {"loadonly", "/LOADONLY", "-loadonly", "--LoadOnly", "\\loadonly"})
    EXPECT_TRUE(CommandLine({arg}).LoadOnly()) << arg;
  for (const char* arg : {"xloadonly", "loadonly2", "---loadonly", "//loadonly"})
    EXPECT_FALSE(CommandLine({arg}).LoadOnly()) << arg;
  const CommandLine all({"/restart", "-FULLRECREATE", "--fullrefresh", "\\No-Language"});
  EXPECT_TRUE(all.Restart());
  EXPECT_TRUE(all.FullRecreate());
  EXPECT_TRUE(all.FullRefresh());
  EXPECT_TRUE(all.NoLanguage());
  EXPECT_FALSE(all.LoadOnly());
}

TEST(CommandLine, Options) {
  const CommandLine a({"--data-dir", "/tmp/x", "--seed=42"});
  ASSERT_TRUE(a.DataDir());
  EXPECT_EQ(*a.DataDir(), fs::path("/tmp/x"));
  EXPECT_EQ(a.Seed(), 42u);
  EXPECT_FALSE(CommandLine({"--seed", "-3"}).Seed());
  EXPECT_FALSE(CommandLine({"--data-dir"}).DataDir());
}

class FakeFace : public StartupFace {
 public:
  int language = 0;
  std::string caption;
  int firstRunShown = 0;
  int stored = 0;
  int downloads = 0;
  std::vector<bool> updateChecks;  // the silent flag of each check
  UpdateResult updateResult = UpdateResult::Nothing;
  int restarts = 0;
  void DownloadDraws() override { ++downloads; }
  UpdateResult CheckForUpdate(bool silent) override {
    updateChecks.push_back(silent);
    return updateResult;
  }
  void Restart() override { ++restarts; }
  void ApplyLanguage(int l) override { language = l; }
  void SetCaption(const std::string& c) override { caption = c; }
  void ShowFirstRunDialog() override { ++firstRunShown; }
  void StoreWindowState() override { ++stored; }
};

class StartupTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::RecordingHost host;
  FakeFace face;
};

TEST_F(StartupTest, FreshFolder) {
  Workspace ws(host, dir.path());
  ASSERT_EQ(RunWindowCreation(ws, CommandLine(), face), StartupResult::Continue);
  EXPECT_EQ(face.language, 1033);
  EXPECT_TRUE(ws.View().prefetchsInit);  // written once at the first start
  ASSERT_EQ(RunInitialisation(ws, CommandLine(), face), StartupResult::Continue);
  EXPECT_EQ(face.caption.rfind("Анализ статистики лотереи \"Florida PICK 3\" версия ", 0), 0u);
  EXPECT_TRUE(fs::exists(dir / "Korvane.lsk"));
  EXPECT_EQ(face.firstRunShown, 0);
  EXPECT_TRUE(host.messages.empty());
  // A new folder asks whether to download the draws; the default answer downloads.
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0], texts::DownloadOnStartQuestion);
  EXPECT_EQ(face.downloads, 1);
  EXPECT_FALSE(ws.IsBusy());
  RunShutdown(ws, face);
  EXPECT_EQ(face.stored, 1);
  EXPECT_FALSE(ws.DataFilesOpen());
  EXPECT_TRUE(fs::exists(dir / "Korvane.frm"));
}

TEST_F(StartupTest, NoLanguageAndFirstRun) {
  test::WriteBytes(dir / "Korvane.frm", "[TFormMain]\r\nFirstRun=1\r\nLanguage=1058\r\n");
  Workspace ws(host, dir.path());
  RunWindowCreation(ws, CommandLine({"no-language"}), face);
  EXPECT_EQ(face.language, 1049);
  RunInitialisation(ws, CommandLine(), face);
  EXPECT_EQ(face.firstRunShown, 1);
}

TEST_F(StartupTest, SwitchesThatEndTheRun) {
  test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(5, 1)));
  for (const char* sw : {"loadonly", "fullrecreate", "fullrefresh"}) {
    Workspace ws(host, dir.path());
    FakeFace f;
    RunWindowCreation(ws, CommandLine({sw}), f);
    EXPECT_EQ(RunInitialisation(ws, CommandLine({sw}), f), StartupResult::End) << sw;
    EXPECT_EQ(ws.Archive().Count(), 5) << sw;  // the archive was loaded first
    // Only "loadonly" downloads; no run that ends early asks about it.
    EXPECT_EQ(f.downloads, std::string(sw) == "loadonly" ? 1 : 0) << sw;
  }
  EXPECT_TRUE(host.questions.empty());
}

// The scenario catalogue is asked for at start-up only when its panel shows, a library is
// set and no switch ends the run early.
TEST_F(StartupTest, CatalogueLoadedAtStart) {
  const auto server = test::LocalServer::Library();
  struct Case {
    const char* frm;
    const char* library;
    const char* sw;
    size_t rows;
  };
  const Case cases[] = {
      {"", "", "", 0},                            // no library: nothing asked, nothing said
      {"", "x", "", 4},                           // shown by default, with the default filter
      {"ScriptLibraryOn=0\r\n", "x", "", 0},      // the panel is off
      {"ScriptLibraryFilter=3\r\n", "x", "", 1},  // "Только мои"
      {"", "x", "fullrefresh", 0},
      {"", "x", "loadonly", 0},
  };
  for (const Case& c : cases) {
    test::TempDir d;
    test::WriteBytes(d / "Korvane.frm",
                     std::string("[TFormMain]\r\nDownloadDrawsOnStart=2\r\n") + c.frm);
    if (*c.library != 0)
      test::WriteBytes(d / "Korvane.ini", Utf8ToCp1251("[ONLINE]\r\nLibraryUrl=" + server->Base() +
                                                       "\r\nUserMail=tester@example.org\r\n"));
    test::RecordingHost h;
    FakeFace f;
    Workspace ws(h, d.path());
    const CommandLine args(*c.sw != 0 ? std::vector<std::string>{c.sw}
                                      : std::vector<std::string>{});
    RunWindowCreation(ws, args, f);
    RunInitialisation(ws, args, f);
    EXPECT_EQ(ws.CatalogueRows().size(), c.rows) << c.frm << c.sw;
    EXPECT_TRUE(h.messages.empty()) << c.frm << c.sw;
  }
}

TEST_F(StartupTest, DownloadChoiceAtStart) {
  struct Case {
    const char* frm;
    std::vector<bool> answers;
    int questions;
    int downloads;
  };
  const Case cases[] = {
      {"", {false}, 1, 0},                           // asked, answered No
      {"DownloadDrawsOnStart=0\r\n", {true}, 1, 1},  // asked, answered Yes
      {"DownloadDrawsOnStart=1\r\n", {}, 0, 1},      // always, without asking
      {"DownloadDrawsOnStart=2\r\n", {}, 0, 0},      // never
  };
  for (const Case& c : cases) {
    test::TempDir d;
    test::WriteBytes(d / "Korvane.frm", std::string("[TFormMain]\r\n") + c.frm);
    test::RecordingHost h;
    h.answers = c.answers;
    FakeFace f;
    Workspace ws(h, d.path());
    RunWindowCreation(ws, CommandLine(), f);
    RunInitialisation(ws, CommandLine(), f);
    EXPECT_EQ(static_cast<int>(h.questions.size()), c.questions) << c.frm;
    EXPECT_EQ(f.downloads, c.downloads) << c.frm;
  }
  // "loadonly" with a prefetch switch downloads and goes on to the prefetch run.
  test::TempDir d;
  test::RecordingHost h;
  FakeFace f;
  Workspace ws(h, d.path());
  RunWindowCreation(ws, CommandLine({"loadonly", "fullrefresh"}), f);
  EXPECT_EQ(RunInitialisation(ws, CommandLine({"loadonly", "fullrefresh"}), f), StartupResult::End);
  EXPECT_EQ(f.downloads, 1);
}

TEST_F(StartupTest, UpdateCheckAtStart) {
  struct Case {
    const char* frm;
    UpdateResult result;
    std::vector<bool> checks;
    int restarts;
    StartupResult end;
  };
  const Case cases[] = {
      {"DownloadDrawsOnStart=2\r\n", UpdateResult::Nothing, {true}, 0, StartupResult::Continue},
      {"DownloadDrawsOnStart=2\r\n", UpdateResult::Failed, {true}, 0, StartupResult::Continue},
      // An installed update restarts before the prefetch files and the download.
      {"DownloadDrawsOnStart=1\r\n", UpdateResult::Installed, {true}, 1, StartupResult::End},
      {"AutoUpdates=0\r\nDownloadDrawsOnStart=2\r\n",
       UpdateResult::Installed,
       {},
       0,
       StartupResult::Continue},
  };
  for (const Case& c : cases) {
    test::TempDir d;
    test::WriteBytes(d / "Korvane.frm", std::string("[TFormMain]\r\n") + c.frm);
    test::RecordingHost h;
    FakeFace f;
    f.updateResult = c.result;
    Workspace ws(h, d.path());
    RunWindowCreation(ws, CommandLine(), f);
    EXPECT_EQ(RunInitialisation(ws, CommandLine(), f), c.end) << c.frm;
    EXPECT_EQ(f.updateChecks, c.checks) << c.frm;
    EXPECT_EQ(f.restarts, c.restarts) << c.frm;
    EXPECT_EQ(f.downloads, 0) << c.frm;
  }
  // A predecessor whose program file the update replaced is still the same program.
  EXPECT_EQ(RunningExeName("/opt/korvane.~new/korvane (deleted)"), "korvane");
  EXPECT_EQ(RunningExeName("/opt/korvane/korvane"), "korvane");
}

TEST_F(StartupTest, SecondInstanceEnds) {
  Workspace first(host, dir.path());
  RunWindowCreation(first, CommandLine(), face);
  ASSERT_EQ(RunInitialisation(first, CommandLine(), face), StartupResult::Continue);
  test::RecordingHost host2;
  Workspace second(host2, dir.path());
  RunWindowCreation(second, CommandLine(), face);
  EXPECT_EQ(RunInitialisation(second, CommandLine(), face), StartupResult::End);
  EXPECT_EQ(host2.errorCount(), 2);
}

}  // namespace
}  // namespace korvane
