// The draw download as the workspace runs it: each range saved before the next, stakes checked
// afterwards, failures and a stop keeping what was saved.

#include <gtest/gtest.h>

#include "app/workspace.h"
#include "core/dates.h"
#include "core/demo.h"
#include "core/strutil.h"
#include "online/fake_http.h"
#include "online/texts.h"
#include "support/test_support.h"

namespace korvane {
namespace {

// A results page listing every day of the asked range with the same results.
std::string PageFor(const std::string& url) {
  std::string page = "<section class=\"winningNumbersResults\"></thead><tbody>";
  for (int d = test::QueryDate(url, "fromDateIn"); d <= test::QueryDate(url, "toDateIn");
       d = IncDateInt(d, 1))
    page += Format("<tr><td><div>%02d/%02d/%04d</div><div>1-2-3</div><div>4-5-6</div></td></tr>",
                   d / 100 % 100, d % 100, d / 10000);
  return page + "</tbody></table><footer id=\"footerMain\">";
}

class WorkspaceDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(10, 1, 20200105)));
    ws = std::make_unique<Workspace>(host, dir.path());
    ASSERT_TRUE(ws->Open());
    ws->SetHttpClientFactory([this] {
      auto client = std::make_unique<test::FakeHttp>();
      client->answer = [this](const std::string& url, const std::string&) {
        ++requests;
        if (failAt == requests) throw Error("HTTP/1.1 503 Service Unavailable");
        return PageFor(url);
      };
      return client;
    });
  }
  test::TempDir dir;
  test::RecordingHost host;
  std::unique_ptr<Workspace> ws;
  int requests = 0;
  int failAt = 0;
};

TEST_F(WorkspaceDownloadTest, RangesAreSavedAndStakesChecked) {
  // A stake on the next draw waits for it.
  ASSERT_TRUE(ws->AddStake(ws->NewStake(0, TComb{1, 2, 3}, ""), 1));
  EXPECT_FALSE(ws->Stakes().Read(0).IsChecked());
  DownloadOptions o;
  o.today = 20200601;
  std::vector<DownloadedRange> told;
  o.onRange = [&](const DownloadedRange& r) { told.push_back(r); };
  const DownloadResult r = ws->DownloadDraws(o);
  EXPECT_FALSE(r.failed);
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[0].first, 20200105);
  EXPECT_EQ(told[1].last, 20200601);
  EXPECT_EQ(ws->Archive().Count(), 10 + r.total);
  EXPECT_EQ(ws->Archive().AtList(0).DateText(), "06/01/2020 E");
  EXPECT_EQ(ws->Archive().AtList(0).number, 10 + r.total);
  // What is in memory is in the file.
  EXPECT_EQ(test::ReadBytes(dir / "Korvane.ldr"), DrawArchive::Serialize(ws->Archive().Draws()));
  EXPECT_TRUE(ws->Stakes().Read(0).IsChecked());
  EXPECT_EQ(ws->Panel(StatusPanel::Archive), Format("Архив тиражей: %d", 10 + r.total));
  EXPECT_FALSE(ws->IsBusy());
  EXPECT_TRUE(host.questions.empty());
}

TEST_F(WorkspaceDownloadTest, AFailureLaterKeepsTheSavedRanges) {
  failAt = 2;
  host.answers = {false};
  DownloadOptions o;
  o.today = 20200601;
  const DownloadResult r = ws->DownloadDraws(o);
  EXPECT_TRUE(r.failed);
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0], Format(texts::DownloadRetry, "HTTP/1.1 503 Service Unavailable"));
  // The first range (01/05/2020 to 04/13/2020) is in the file.
  EXPECT_EQ(ws->Archive().AtList(0).DateText(), "04/13/2020 E");
  Workspace reread(host, dir.path());
  ASSERT_TRUE(reread.OpenForReading());
  EXPECT_EQ(reread.Archive().Count(), ws->Archive().Count());
}

TEST_F(WorkspaceDownloadTest, TheCommandLineAnswersFromItsRetries) {
  failAt = 1;
  DownloadOptions o;
  o.today = 20200110;
  o.retries = 1;
  const DownloadResult r = ws->DownloadDraws(o);
  EXPECT_FALSE(r.failed);
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(host.lastMessage(), "HTTP/1.1 503 Service Unavailable");
  EXPECT_EQ(ws->Archive().AtList(0).DateText(), "01/10/2020 E");
}

TEST_F(WorkspaceDownloadTest, AStopKeepsWhatWasSaved) {
  host.stopRequested = true;
  DownloadOptions o;
  o.today = 20200601;
  const DownloadResult r = ws->DownloadDraws(o);
  EXPECT_TRUE(r.cancelled);
  EXPECT_EQ(requests, 0);
  EXPECT_EQ(ws->Archive().Count(), 10);
  EXPECT_TRUE(host.questions.empty());
}

TEST_F(WorkspaceDownloadTest, ADamagedArchiveIsNotDownloadedInto) {
  ws.reset();
  std::string bytes = DrawArchive::Serialize(MakeDemoDraws(10, 1, 20200105));
  bytes[5 * 20 + 4] = 77;  // a number out of range in the sixth record
  test::WriteBytes(dir / "Korvane.ldr", bytes);
  test::RecordingHost h;
  Workspace broken(h, dir.path());
  broken.Open();
  DownloadOptions o;
  o.today = 20200601;
  EXPECT_TRUE(broken.DownloadDraws(o).failed);
  EXPECT_EQ(test::ReadBytes(dir / "Korvane.ldr"), bytes);
}

}  // namespace
}  // namespace korvane
