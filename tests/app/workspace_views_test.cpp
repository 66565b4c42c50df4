// The analysis views follow the archive (an edit in place too) and the offset, and only while
// their page shows.

#include <gtest/gtest.h>

#include "app/workspace.h"
#include "core/demo.h"
#include "support/test_support.h"

namespace korvane {
namespace {

TEST(WorkspaceViews, RemadeWhenTheirInputsChangeAndOnlyWhileShown) {
  test::TempDir dir;
  test::RecordingHost host;
  TDrawsArray draws = MakeDemoDraws(20, 3);
  draws.back().nums = {1, 2, 3};
  test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(draws));
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  ws.RecomputeViews(true);  // as the window's start-up does
  EXPECT_EQ(ws.Views().Card().Text(1, 2), "1");
  EXPECT_EQ(ws.Views().Layout().rows > 1, true);

  // The same number of draws, one edited in place: the card and layout follow.
  TDrawRec edited = draws.back();
  edited.nums = {9, 9, 9};
  ASSERT_TRUE(ws.EditDraw(0, edited));
  EXPECT_EQ(ws.Views().Card().Text(1, 2), "");
  EXPECT_EQ(ws.Views().Card().Text(1, 10), "9");

  // A hidden page keeps what it had; shown again it is made afresh.
  ws.ToggleView(ViewFlag::TabCard);
  edited.nums = {4, 4, 4};
  ASSERT_TRUE(ws.EditDraw(0, edited));
  EXPECT_EQ(ws.Views().Card().Text(1, 10), "9");
  ws.ToggleView(ViewFlag::TabCard);
  EXPECT_EQ(ws.Views().Card().Text(1, 5), "4");

  // The graph needs its method; the offset moves its window.
  ws.SetGraphLen(5);
  ws.SetGraphMethod(ws.Registry().IndexOfCode("SUMS"));
  ASSERT_EQ(ws.Views().Graph().points.size(), 5u);
  EXPECT_EQ(ws.Views().Graph().points.back().value, 12);
  ws.SetDrawsOffset(1);
  EXPECT_EQ(ws.Views().Graph().points.back().draw, draws[18].number);
  EXPECT_EQ(host.errorCount(), 0);
}

}  // namespace
}  // namespace korvane
