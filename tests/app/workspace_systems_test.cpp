// The systems page's operations against the local library service, and system play (the two
// actions and the SYSA/SYSC stake modes of scenarios) over the local systems.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/workspace.h"
#include "core/demo.h"
#include "core/encoding.h"
#include "core/strutil.h"
#include "online/texts.h"
#include "support/local_server.h"
#include "support/test_support.h"

namespace korvane {
namespace {

std::vector<SystemTriple> AllTriples(int n) {
  std::vector<SystemTriple> out;
  for (int i = 1; i <= n; ++i)
    for (int j = i + 1; j <= n; ++j)
      for (int k = j + 1; k <= n; ++k) out.push_back({i, j, k});
  return out;
}

class SystemsWorkspaceTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::RecordingHost host;
  std::unique_ptr<test::LocalServer> server = test::LocalServer::Library();

  void SetUp() override {
    test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(30, 7)));
    test::WriteBytes(dir / "Korvane.ini",
                     Utf8ToCp1251("[ONLINE]\r\nLibraryUrl=" + server->Base() +
                                  "\r\nUserName=Тестер\r\nUserMail=tester@example.org\r\n"));
  }

  // A local system of n numbers holding every triple of 1..n once (a reversed order inside
  // each triple, so sorting is seen).
  void StoreFullSystem(const SystemsStore& store, int n) {
    std::vector<SystemTriple> t = AllTriples(n);
    for (SystemTriple& x : t) std::swap(x[0], x[2]);
    TSystemData s;
    s.id = 100 + n;
    s.nums = n;
    s.count = static_cast<int32_t>(t.size());
    s.created = EncodeDateTime(2024, 1, 1);
    SystemsStore(store.Folder()).Save(s, SystemText(t));
  }

  static std::vector<TStakeData> StakesOf(const Workspace& ws) {
    std::vector<TStakeData> out;
    for (int i = 0; i < ws.Stakes().Count(); ++i) out.push_back(ws.Stakes().Read(i));
    return out;
  }
};

TEST_F(SystemsWorkspaceTest, ListDownloadAddChangeDelete) {
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  ASSERT_TRUE(ws.SystemsRefresh());
  ASSERT_EQ(ws.Systems().List().size(), 4u);
  const int five = ws.Systems().RowOf(12);
  ASSERT_GE(five, 0);
  EXPECT_FALSE(ws.Systems().Downloaded(ws.Systems().List()[five]));
  ASSERT_TRUE(ws.SystemsDownload(five));
  EXPECT_TRUE(ws.Systems().Downloaded(ws.Systems().List()[five]));
  EXPECT_TRUE(fs::exists(dir / "Systems/3-05-1_0012.dat"));

  // Another's system cannot be deleted; an own one is asked about first.
  EXPECT_FALSE(ws.SystemsDelete(five));
  EXPECT_EQ(host.messages.back().second, texts::SystemNotOwn);
  TSystemData mine = ws.SystemsNewRecord();
  EXPECT_EQ(mine.author, "Тестер");
  mine.title = "Моя";
  mine.nums = 4;
  mine.count = 1;
  mine.description = "d";
  mine.combinations = "01 02 03";
  const auto row = ws.SystemsAdd(mine);
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(ws.Systems().List()[*row].id, 31);
  EXPECT_TRUE(ws.Systems().IsOwn(ws.Systems().List()[*row]));
  mine.title = "Моя вторая";
  ASSERT_TRUE(ws.SystemsChange(*row, mine));
  EXPECT_EQ(ws.Systems().List()[*row].title, "Моя вторая");
  EXPECT_EQ(ws.SystemCombinations(*row), "01 02 03");
  host.answers = {false};
  EXPECT_FALSE(ws.SystemsDelete(*row));
  EXPECT_EQ(host.questions.back(), Format(texts::SystemDeleteQuestion, "Моя вторая"));
  host.answers = {true};
  ASSERT_TRUE(ws.SystemsDelete(*row));
  EXPECT_EQ(ws.Systems().List().size(), 4u);
  ASSERT_TRUE(ws.SystemsRefresh());
  EXPECT_EQ(ws.Systems().RowOf(31), -1);
}

TEST_F(SystemsWorkspaceTest, FailuresShowTheirOwnMessage) {
  test::WriteBytes(dir / "Korvane.ini",
                   "[ONLINE]\r\nLibraryUrl=" + server->Base() + "/m/error\r\n");
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  EXPECT_FALSE(ws.SystemsRefresh());
  EXPECT_EQ(host.messages.back().second,
            Format(texts::SystemsListError, "Сервис временно недоступен"));
  EXPECT_TRUE(ws.Systems().List().empty());
}

TEST_F(SystemsWorkspaceTest, SystemPlayForFourToTenNumbers) {
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  for (int n = 4; n <= 10; ++n) StoreFullSystem(ws.Systems().Store(), n);
  for (int n = 4; n <= 10; ++n) {
    // The list's numbers, met first in this order: 9, 8, 7, ...
    std::string text;
    for (int k = 0; k < n; ++k)
      text += Format("%d;%d;%d\n", 9 - k, 9 - (k + 1) % n, 9 - (k + 2) % n);
    ASSERT_TRUE(ws.CombsPaste(text));
    const int before = ws.Stakes().Count();
    std::string proposed;
    const int added = ws.SystemStakes(false, [&](int32_t draw, const std::string& comment) {
      proposed = comment;
      return StakeBatchChoice{draw, 1, comment};
    });
    const auto expected = AllTriples(n);
    ASSERT_EQ(added, static_cast<int>(expected.size())) << n;
    EXPECT_EQ(proposed,
              Format("Системная игра для %d чисел [вся система]: 3-%02d-0_%04d", n, n, 100 + n));
    // A separator goes before the batch (not at the head of an empty file).
    const auto stakes = StakesOf(ws);
    const size_t first = static_cast<size_t>(before) + (before > 0 ? 1 : 0);
    ASSERT_EQ(stakes.size(), first + expected.size());
    if (before > 0) {
      EXPECT_TRUE(stakes[static_cast<size_t>(before)].IsSeparator());
    }
    // System index j is the j-th number met: 1 -> 9, 2 -> 8, ...; each stake sorted.
    for (size_t i = 0; i < expected.size(); ++i) {
      const TStakeData& s = stakes[first + i];
      TComb c = {static_cast<uint8_t>(9 - (expected[i][2] - 1)),
                 static_cast<uint8_t>(9 - (expected[i][1] - 1)),
                 static_cast<uint8_t>(9 - (expected[i][0] - 1))};
      SortComb(c);
      EXPECT_EQ(s.kind, StakeSystem);
      EXPECT_EQ(s.sample, static_cast<int32_t>(expected.size()));
      EXPECT_EQ(s.numbers.count, 3);
      EXPECT_TRUE(std::equal(c.begin(), c.end(), s.numbers.nums.begin())) << n << " " << i;
    }
  }
}

TEST_F(SystemsWorkspaceTest, ListOnlyModeNeedsTheSameOrderAndCancelWritesNothing) {
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  StoreFullSystem(ws.Systems().Store(), 4);
  // Numbers met: 1, 2, 3, 4. Only 1;2;3 stands in the list in the sorted order.
  ASSERT_TRUE(ws.CombsPaste("1;2;3\n4;2;1\n3;4;2\n"));
  const int before = ws.Stakes().Count();
  EXPECT_EQ(ws.SystemStakes(true, [](int32_t, const std::string&) { return std::nullopt; }), 0);
  EXPECT_EQ(ws.Stakes().Count(), before);  // cancelled: not even a separator
  const int added = ws.SystemStakes(true, [](int32_t draw, const std::string& c) {
    EXPECT_EQ(c, "Системная игра для 4 чисел [комбинации]: 3-04-0_0104");
    return StakeBatchChoice{draw, 2, "мой комментарий"};
  });
  EXPECT_EQ(added, 1);
  const auto stakes = StakesOf(ws);
  ASSERT_EQ(static_cast<int>(stakes.size()), before + 3);  // separator, one stake for 2 draws
  EXPECT_EQ(stakes.back().comment, "мой комментарий");
  EXPECT_EQ(stakes.back().sample, 3);

  // Six numbers and no system of six: the store's box, nothing staked.
  ASSERT_TRUE(ws.CombsPaste("1;2;3\n4;5;6\n"));
  EXPECT_EQ(ws.SystemStakes(false,
                            [](int32_t d, const std::string& c) {
                              return StakeBatchChoice{d, 1, c};
                            }),
            0);
  EXPECT_EQ(host.messages.back().second, Format(texts::SystemNotFoundBox, 6));
}

TEST_F(SystemsWorkspaceTest, ScenarioStakeModesUseTheLocalSystems) {
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  StoreFullSystem(ws.Systems().Store(), 4);
  test::WriteBytes(dir / "a.lsc", "CURR#SYSA| | | | | | | |\r\n");
  test::WriteBytes(dir / "c.lsc", "CURR#SYSC| | | | | | | |\r\n");
  ASSERT_TRUE(ws.CombsPaste("1;2;3\n4;2;1\n3;4;2\n"));
  ASSERT_TRUE(ws.ScriptLoadFile(dir / "a.lsc", false));
  const int before = ws.Stakes().Count();
  ws.ScriptRun();
  EXPECT_EQ(ws.Stakes().Count() - before, 4);  // the whole system
  ASSERT_TRUE(ws.CombsPaste("1;2;3\n4;2;1\n3;4;2\n"));
  ASSERT_TRUE(ws.ScriptLoadFile(dir / "c.lsc", false));
  const int middle = ws.Stakes().Count();
  ws.ScriptRun();
  EXPECT_EQ(ws.Stakes().Count() - middle, 1 + 1);  // 1;2;3 only
  // Without a system for the numbers the run goes on with the store's message.
  ASSERT_TRUE(ws.CombsPaste("1;2;3\n4;5;6\n"));
  ws.ScriptRun();
  EXPECT_EQ(host.messages.back().second, Format(texts::SystemNotFoundBox, 6));
}

// The online scenario catalogue as the Сценарий page's panel uses it.
TEST_F(SystemsWorkspaceTest, ScenarioCatalogueRoundTrip) {
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  ASSERT_TRUE(ws.CatalogueRefresh(ScriptLibraryDefaultFilter));
  const auto rowOf = [&ws](int32_t id) {
    for (size_t i = 0; i < ws.CatalogueRows().size(); ++i)
      if (ws.CatalogueRows()[i].id == id) return static_cast<int>(i);
    return -1;
  };
  ASSERT_EQ(ws.CatalogueRows().size(), 4u);
  // Another program's own scenario cannot be downloaded.
  EXPECT_FALSE(ws.CatalogueDownload(rowOf(3)));
  // Over a non-empty scenario the download asks first.
  ws.ScriptAddLine("FULL:0#FIRST| | | | | | | |");
  host.answers = {false};
  EXPECT_FALSE(ws.CatalogueDownload(rowOf(1)));
  EXPECT_EQ(ws.ScriptLines().size(), 1u);
  EXPECT_EQ(host.questions.back(), Format(texts::ScenarioReplaceQuestion, "Три фильтра"));
  host.answers = {true};
  ASSERT_TRUE(ws.CatalogueDownload(rowOf(1)));
  EXPECT_EQ(ws.ScriptLines(),
            std::vector<std::string>{"FULL:0#ALL|TSD1#NUMS:10#LNO:#SF:1| | | | | | |"});
  // A spoiled text is refused; the editor keeps its scenario.
  host.answers = {true};
  EXPECT_FALSE(ws.CatalogueDownload(rowOf(5)));
  EXPECT_EQ(host.messages.back().second.rfind("Ошибка загрузки online-сценария!", 0), 0u);
  EXPECT_EQ(ws.ScriptLines().size(), 1u);

  // Publish, change, rate, view the ratings, delete.
  EXPECT_EQ(ws.CatalogueTitleFree(-1, "Три фильтра"), std::optional<bool>(false));
  TScriptData d;
  d.author = "Тестер";
  d.title = "Мой новый";
  d.description = "описание";
  const auto row = ws.CataloguePublish(d);
  ASSERT_TRUE(row.has_value());
  EXPECT_TRUE(ws.CatalogueRows()[*row].Editable());
  d.title = "Мой новый, изменённый";
  ASSERT_TRUE(ws.CatalogueChange(*row, d));
  ASSERT_TRUE(ws.CatalogueRate(rowOf(1), 4, "хорошо", ScriptLibraryDefaultFilter));
  EXPECT_EQ(ws.CatalogueRows()[rowOf(1)].ratingYours, 4);
  EXPECT_EQ(ws.CatalogueRows()[rowOf(6)].title, "Мой новый, изменённый");
  const auto rates = ws.CatalogueRates(rowOf(1));
  ASSERT_TRUE(rates.has_value());
  EXPECT_EQ(rates->back().notes, "хорошо");
  // A refused rating: the service's code in the box, the list as it was.
  EXPECT_FALSE(ws.CatalogueRate(rowOf(1), 9, "", ScriptLibraryDefaultFilter));
  EXPECT_EQ(host.messages.back().second,
            Format(texts::ScenarioRateError, Format(texts::ScenarioReturnCode, -3).c_str()));
  host.answers = {true};
  ASSERT_TRUE(ws.CatalogueDelete(rowOf(6)));
  EXPECT_EQ(rowOf(6), -1);
  EXPECT_FALSE(ws.CatalogueDelete(rowOf(1)));  // not the user's
}

}  // namespace
}  // namespace korvane
