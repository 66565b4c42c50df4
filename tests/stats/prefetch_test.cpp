#include <gtest/gtest.h>

#include "app/workspace.h"
#include "core/demo.h"
#include "stats/stat_fixture.h"
#include "support/test_support.h"

namespace korvane {
namespace {

TEST(Prefetch, FileFormat) {
  test::StatFixture f;
  auto even = f.registry.CreateStat(f.Entry("EVEN"));
  const std::string image = MakePrefetchImage(*even);
  ASSERT_EQ(image.size(), 5u * 12u);
  auto u32 = [&](size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
      v = v << 8 | static_cast<uint8_t>(image[at + static_cast<size_t>(i)]);
    return v;
  };
  // Records ascending by key: k = 0..3 with their counts, then the trailer.
  for (uint32_t k = 0; k < 4; ++k) {
    EXPECT_EQ(u32(k * 12), k);
    EXPECT_EQ(u32(k * 12 + 4), 0u);
  }
  EXPECT_EQ(u32(8), 125u);
  EXPECT_EQ(u32(20), 375u);
  EXPECT_EQ(u32(48), 125u);
  EXPECT_EQ(u32(52), 375u);
  EXPECT_EQ(u32(56), 0u);
}

TEST(Prefetch, ValidationRejectsDamagedFiles) {
  test::StatFixture f;
  auto nums = f.registry.CreateStat(f.Entry("NUMS"));
  const std::string good = MakePrefetchImage(*nums);
  EXPECT_TRUE(ParsePrefetch(good));
  std::string bad = good;
  bad[bad.size() - 1] = 1;  // third trailer field not 0
  EXPECT_FALSE(ParsePrefetch(bad));
  EXPECT_FALSE(ParsePrefetch(""));
  EXPECT_FALSE(ParsePrefetch(good.substr(0, good.size() - 5)));
  std::string zeroMax = good;
  for (size_t i = zeroMax.size() - 8; i < zeroMax.size() - 4; ++i) zeroMax[i] = 0;
  EXPECT_FALSE(ParsePrefetch(zeroMax));
  std::string minAboveMax = good;
  minAboveMax[minAboveMax.size() - 12] = static_cast<char>(0xFF);  // fmin 300 -> 511
  EXPECT_FALSE(ParsePrefetch(minAboveMax));
}

class PrefetchWorkspaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(200, 5)));
    ws = std::make_unique<Workspace>(host, dir.path());
    ASSERT_TRUE(ws->Open());
    ws->OverrideView(ViewFlag::Prefetchs, true);
    ws->SelectStatMethodByCode("NUMS");
  }
  test::TempDir dir;
  test::RecordingHost host;
  std::unique_ptr<Workspace> ws;
};

TEST_F(PrefetchWorkspaceTest, MissingAndEmptyFilesAreMade) {
  const fs::path file = dir / "Prefetchs" / "Korvane_NUMS.dfc";
  ws->BuildStatTable(true);
  EXPECT_EQ(fs::file_size(file), 11u * 12u);
  EXPECT_TRUE(ws->Stats().NormShown());
  test::WriteBytes(file, "");
  ws->BuildStatTable(true);
  EXPECT_EQ(fs::file_size(file), 11u * 12u);
  EXPECT_TRUE(host.messages.empty());
  // The user's combination list and its undo copy are untouched by the build.
  EXPECT_EQ(ws->Combs().Count(), 1000);
  EXPECT_FALSE(ws->Combs().CanUndo());
}

TEST_F(PrefetchWorkspaceTest, UnreadableFileGivesTheMessageAndNoNorms) {
  fs::create_directories(dir / "Prefetchs" / "Korvane_NUMS.dfc");  // a folder cannot be read
  ws->BuildStatTable(true);
  ASSERT_EQ(host.errorCount(), 1);
  EXPECT_EQ(host.lastMessage().rfind(
                "Ошибка открытия файла данных для полного набора вариантов!\n\nИмя файла: ", 0),
            0u);
  EXPECT_FALSE(ws->Stats().NormShown());
  EXPECT_FALSE(ws->Stats().Rows().empty());
  EXPECT_EQ(ws->Stats().Rows()[0].texts[3], "-");
}

TEST_F(PrefetchWorkspaceTest, CreateAllMakesEveryNormFile) {
  ws->CreateAllPrefetch(false, {});
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir / "Prefetchs")) {
    (void)e;
    ++files;
  }
  int norms = 0;
  for (int i = 0; i < ws->Registry().Count(); ++i) norms += ws->Registry().HasNorm(i);
  EXPECT_EQ(files, norms);
  // A group rebuild rewrites only that group's files.
  const fs::path sums = dir / "Prefetchs" / "Korvane_SUMS.dfc";
  const fs::path nums = dir / "Prefetchs" / "Korvane_NUMS.dfc";
  test::WriteBytes(sums, "junk");
  test::WriteBytes(nums, "junk");
  ws->CreateAllPrefetch(false, {1});
  EXPECT_GT(fs::file_size(sums), 12u);
  EXPECT_EQ(fs::file_size(nums), 4u);
}

TEST_F(PrefetchWorkspaceTest, UnchangedBuildsAreSkipped) {
  ws->OverrideView(ViewFlag::Prefetchs, false);
  ws->BuildStatTable(true);
  const int builds = static_cast<int>(host.statuses.size());
  ws->BuildStatTable(false);
  EXPECT_EQ(static_cast<int>(host.statuses.size()), builds);  // nothing done
  // A change of the weight coefficients alone rebuilds (the weight column depends on them).
  ws->SaveWeights();
  ws->ApplyStepWeights(TWeightCoefs{1, 0, 0, false, false});
  ws->BuildStatTable(false);
  EXPECT_GT(static_cast<int>(host.statuses.size()), builds);
  const std::string weight = ws->Stats().Rows()[0].texts[8];
  EXPECT_EQ(weight, ws->Stats().Rows()[0].texts[1] + ".00");
  // So does an edit of a draw (same archive length).
  const int again = static_cast<int>(host.statuses.size());
  TDrawRec d = ws->Archive().AtList(0);
  d.nums = {9, 9, 9};
  ws->EditDraw(0, d);
  EXPECT_GT(static_cast<int>(host.statuses.size()), again);
}

}  // namespace
}  // namespace korvane
