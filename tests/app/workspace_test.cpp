#include "app/workspace.h"

#include <gtest/gtest.h>

#include "core/demo.h"
#include "core/encoding.h"
#include "support/test_support.h"

namespace korvane {
namespace {

class WorkspaceTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::RecordingHost host;
};

TEST_F(WorkspaceTest, FreshFolderOpensQuietly) {
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(fs::exists(dir / "Korvane.lsk"));
  EXPECT_EQ(fs::file_size(dir / "Korvane.lsk"), 0u);
  EXPECT_FALSE(fs::exists(dir / "Korvane.ldr"));
  EXPECT_FALSE(fs::exists(dir / "Korvane.ini"));
  EXPECT_EQ(ws.Panel(StatusPanel::Archive), "Архив тиражей: 0");
  EXPECT_EQ(ws.Panel(StatusPanel::NextDraw), "Следующий тираж: 1");
  EXPECT_EQ(ws.Panel(StatusPanel::NextNumbers), "");
  EXPECT_FALSE(ws.IsBusy());
}

TEST_F(WorkspaceTest, SecondInstanceIsRefusedWithBothMessages) {
  Workspace first(host, dir.path());
  ASSERT_TRUE(first.Open());
  test::RecordingHost host2;
  Workspace second(host2, dir.path());
  EXPECT_FALSE(second.Open());
  ASSERT_EQ(host2.messages.size(), 2u);
  EXPECT_EQ(host2.messages[0].second.rfind("Ошибка чтения файла ставок!\n\n", 0), 0u);
  EXPECT_EQ(host2.messages[1].second.rfind("Невозможно получить монопольный доступ", 0), 0u);
  // The first is unaffected.
  EXPECT_TRUE(first.DataFilesOpen());
  EXPECT_TRUE(first.AddDraw(MakeDemoDraws(1, 1)[0]));
}

TEST_F(WorkspaceTest, FindInDrawsNamesTheDrawsInReadableText) {
  TDrawsArray draws = MakeDemoDraws(12, 2);
  draws[3].nums = draws[10].nums = {4, 0, 9};
  test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(draws));
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  ws.CombsFindInDraws({4, 0, 9});
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, MessageKind::Information);
  // Newest first, each line as the draw describes itself (no text converted twice).
  const std::string expected = "Выделенная комбинация найдена в следующих тиражах:\n\n" +
                               DrawToText(draws[10]) + "\n" + DrawToText(draws[3]) + "\n";
  EXPECT_EQ(host.messages[0].second, expected);
  EXPECT_NE(expected.find("Тираж № 11 от "), std::string::npos);
}

TEST_F(WorkspaceTest, PanelsFollowTheOffset) {
  test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(10, 2)));
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  EXPECT_EQ(ws.Panel(StatusPanel::Archive), "Архив тиражей: 10");
  EXPECT_EQ(ws.Panel(StatusPanel::NextDraw), "Следующий тираж: 11");
  host.changedAspects = 0;
  ws.SetDrawsOffset(1);
  EXPECT_EQ(ws.Panel(StatusPanel::NextDraw), "Следующий тираж: 10");
  EXPECT_EQ(ws.Panel(StatusPanel::NextNumbers), CombToText(ws.Archive().Draws().back().nums));
  EXPECT_TRUE(host.changedAspects & ChangeViews);
  host.changedAspects = 0;
  ws.SetDrawsOffset(1);  // the same value again does nothing
  EXPECT_EQ(host.changedAspects, 0u);
}

TEST_F(WorkspaceTest, BrokenArchiveIsReportedAndNeverOverwritten) {
  std::string bytes = DrawArchive::Serialize(MakeDemoDraws(3, 2));
  bytes[20 + 5] = 42;  // second record: a number above 9
  test::WriteBytes(dir / "Korvane.ldr", bytes);
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  ASSERT_EQ(host.errorCount(), 1);
  EXPECT_EQ(host.messages[0].second.rfind("Ошибка чтения файла тиражей!\n\n", 0), 0u);
  EXPECT_EQ(ws.Archive().Count(), 1);
  EXPECT_FALSE(ws.AddDraw(MakeDemoDraws(5, 9)[4]));
  EXPECT_EQ(host.lastMessage().rfind("Ошибка записи в файл тиражей!", 0), 0u);
  EXPECT_EQ(test::ReadBytes(dir / "Korvane.ldr"), bytes);
  EXPECT_FALSE(ws.IsBusy());
}

TEST_F(WorkspaceTest, DeleteAsksWithNoAsDefaultAndSavesOnce) {
  test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(5, 2)));
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  EXPECT_FALSE(ws.DeleteDraws({0, 2}));  // no answer given: the default No
  EXPECT_EQ(host.questions.back(),
            "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
  EXPECT_EQ(ws.Archive().Count(), 5);
  host.answers = {true};
  EXPECT_TRUE(ws.DeleteDraws({0}));
  EXPECT_EQ(host.questions.back(), "Удалить выделенную запись?");
  EXPECT_EQ(ws.Archive().Count(), 4);
  EXPECT_EQ(fs::file_size(dir / "Korvane.ldr"), 80u);
}

TEST_F(WorkspaceTest, ImportAddsNothingWhenTheFileCannotBeRead) {
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  const ImportReport r = ws.ImportCsv(dir / "missing.csv");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(host.errorCount(), 1);
  EXPECT_TRUE(ws.Archive().Empty());
  EXPECT_FALSE(fs::exists(dir / "Korvane.ldr"));
  EXPECT_FALSE(ws.IsBusy());
}

TEST_F(WorkspaceTest, ImportReportsRejectedLinesOnceAndExportRoundTrips) {
  const std::string csv =
      DrawsToCsv(MakeDemoDraws(20, 4)) + "21;\"12/10/2026 M\";1;12;3\r\nnonsense\r\n";
  test::WriteBytes(dir / "in.csv", csv);
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  const ImportReport r = ws.ImportCsv(dir / "in.csv");
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.added, 20);
  EXPECT_EQ(r.rejected.size(), 2u);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, MessageKind::Warning);
  EXPECT_EQ(fs::file_size(dir / "Korvane.ldr"), 400u);

  ASSERT_TRUE(ws.ExportCsv(dir / "out.csv"));
  EXPECT_EQ(test::ReadBytes(dir / "out.csv"), DrawsToCsv(MakeDemoDraws(20, 4)));
  const ImportReport again = ws.ImportCsv(dir / "out.csv");
  EXPECT_EQ(again.added, 0);
  EXPECT_EQ(again.duplicates, 20);
}

TEST_F(WorkspaceTest, SettingsFilesWithNonsenseLoadWithDefaults) {
  test::WriteBytes(dir / "Korvane.ini",
                   "[GLOBAL]\r\nChannelSize=abc\r\n\x01\x02garbage\r\n[CDL\r\nLevel=1e999\r\n");
  test::WriteBytes(dir / "Korvane.frm", "[TFormMain]\r\nDrawsStatLen=x\r\nColorDraws=0\r\n");
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(ws.Config().channelSize, 2);
  EXPECT_EQ(ws.Config().weights.level, 1);
  EXPECT_EQ(ws.View().drawsStatLen, 1000);
  EXPECT_FALSE(ws.View().colorDraws);
}

TEST_F(WorkspaceTest, GameSettingsAndViewStateAreWrittenThrough) {
  {
    Workspace ws(host, dir.path());
    ASSERT_TRUE(ws.Open());
    TConfigData config = ws.Config();
    config.channelSize = 5;
    EXPECT_EQ(ws.ApplyGameSettings(config), ConfigChangeChannelSize);
    ASSERT_TRUE(ws.View().colorCombs);
    ASSERT_TRUE(ws.ToggleView(ViewFlag::ColorCombs));
    ws.SetStatDepth(321);
    ASSERT_TRUE(ws.SaveViewState());
  }
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  EXPECT_EQ(ws.Config().channelSize, 5);
  EXPECT_FALSE(ws.View().colorCombs);
  EXPECT_EQ(ws.View().drawsStatLen, 321);
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace korvane
