// The favourite methods and the user's names of methods, kept in Korvane.flt and name files.

#include <gtest/gtest.h>

#include "app/workspace.h"
#include "core/encoding.h"
#include "core/fileio.h"
#include "stats/texts.h"
#include "support/test_support.h"

namespace korvane {
namespace {

class FavouritesTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::RecordingHost host;

  std::unique_ptr<Workspace> Open() {
    auto ws = std::make_unique<Workspace>(host, dir.path());
    EXPECT_TRUE(ws->Open());
    ws->LoadFilterNames(ws->Files().Favourites(), true);
    return ws;
  }
  std::string Flt() const { return Cp1251ToUtf8(ReadFile(dir / "Korvane.flt")); }
  static Workspace::FavouriteChoice ChoiceOf(const Workspace& ws) {
    Workspace::FavouriteChoice c;
    const TStatList& r = ws.Registry();
    for (int i = 0; i < r.Count(); ++i) {
      c.enabled.push_back(r.IsEnabled(i));
      c.names.push_back(r.Items(i).DisplayName());
    }
    c.ordered = r.ordered;
    c.showGroupName = r.showGroupName;
    c.showMethodFlags = r.showMethodFlags;
    return c;
  }
};

TEST_F(FavouritesTest, NoFileMeansEveryMethodWithDefaultFlags) {
  auto ws = Open();
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(ws->Registry().allEnabled);
  EXPECT_EQ(ws->StatMethodList().size(), 145u);
  EXPECT_FALSE(ws->Registry().ordered);
  EXPECT_TRUE(ws->Registry().showGroupName);
  EXPECT_TRUE(ws->Registry().showMethodFlags);
  EXPECT_FALSE(fs::exists(dir / "Korvane.flt"));
}

TEST_F(FavouritesTest, ChoiceIsSavedAndReadBack) {
  {
    auto ws = Open();
    auto c = ChoiceOf(*ws);
    c.enabled.assign(c.enabled.size(), false);
    const int nums = ws->Registry().IndexOfCode("NUMS");
    const int digs = ws->Registry().IndexOfCode("DIGS");
    c.enabled[nums] = c.enabled[digs] = true;
    c.names[nums] = "  Мои числа ";
    // The default name in other letter case is no name of the user's.
    ASSERT_EQ(ws->Registry().Items(digs).DefaultName(), "Цифры тиража");
    c.names[digs] = "ЦИФРЫ ТИРАЖА";
    c.ordered = true;
    ASSERT_TRUE(ws->ApplyFavourites(c));
    EXPECT_EQ(ws->StatMethodList().size(), 2u);
    const std::string flt = Flt();
    EXPECT_NE(flt.find("[FILTERS]\r\nFavorites=NUMS,DIGS\r\nOrdered=1\r\n"), std::string::npos);
    EXPECT_NE(flt.find("[STRINGS_RUS]\r\nNUMS=Мои числа\r\n"), std::string::npos);
    EXPECT_EQ(flt.find("DIGS="), std::string::npos);
  }
  auto ws = Open();
  EXPECT_EQ(ws->StatMethodList().size(), 2u);
  EXPECT_TRUE(ws->Registry().ordered);
  EXPECT_EQ(ws->Registry().Items(0).DisplayName(), "Мои числа");
  // Renaming survives a rebuild of the registry (new game settings).
  ws->BuildRegistry();
  EXPECT_EQ(ws->Registry().Items(0).customName, "Мои числа");

  // "Все доступные статистики": asked, No default; Yes uses every method and keeps the names.
  host.answers = {false};
  EXPECT_FALSE(ws->ResetFavourites());
  EXPECT_EQ(ws->StatMethodList().size(), 2u);
  EXPECT_EQ(host.questions.back(), texts::FavouritesResetQuestion);
  host.answers = {true};
  ASSERT_TRUE(ws->ResetFavourites());
  EXPECT_EQ(ws->StatMethodList().size(), 145u);
  EXPECT_NE(Flt().find("Favorites=\r\n"), std::string::npos);
  EXPECT_NE(Flt().find("NUMS=Мои числа"), std::string::npos);
}

TEST_F(FavouritesTest, NothingTickedOrUnknownCodesMeanEveryMethod) {
  auto ws = Open();
  auto c = ChoiceOf(*ws);
  c.enabled.assign(c.enabled.size(), false);
  ASSERT_TRUE(ws->ApplyFavourites(c));
  EXPECT_EQ(ws->StatMethodList().size(), 145u);
  EXPECT_NE(Flt().find("Favorites=\r\n"), std::string::npos);
  ws.reset();
  // A file of another game's methods leaves no empty list behind.
  test::WriteBytes(dir / "Korvane.flt", "[FILTERS]\r\nFavorites=XXXX,YYYY\r\n");
  auto again = Open();
  EXPECT_EQ(again->StatMethodList().size(), 145u);
}

TEST_F(FavouritesTest, NameFilesExportEveryNameAndImportReplacesAll) {
  auto ws = Open();
  auto c = ChoiceOf(*ws);
  c.names[0] = "Мои числа";
  ASSERT_TRUE(ws->ApplyFavourites(c));
  const fs::path names = dir / "names.flt";
  // The export holds every method's name as shown, and no FILTERS section; the registry's
  // names stay those of Korvane.flt.
  auto shown = ChoiceOf(*ws).names;
  shown[1] = "Цифры по-моему";
  ASSERT_TRUE(ws->ExportFilterNames(shown, names));
  const std::string text = Cp1251ToUtf8(ReadFile(names));
  EXPECT_EQ(text.find("[FILTERS]"), std::string::npos);
  EXPECT_NE(text.find("NUMS=Мои числа\r\n"), std::string::npos);
  EXPECT_NE(text.find("DIGS=Цифры по-моему\r\n"), std::string::npos);
  EXPECT_NE(
      text.find("SUMS=" + ws->Registry().Items(ws->Registry().IndexOfCode("SUMS")).DefaultName()),
      std::string::npos);
  EXPECT_TRUE(ws->Registry().Items(1).customName.empty());
  // An import replaces every name, also with none for methods it does not mention.
  test::WriteBytes(dir / "few.flt", Utf8ToCp1251("[STRINGS_RUS]\r\nDIGS=Цифры\r\n"));
  ASSERT_TRUE(ws->ImportFilterNames(dir / "few.flt"));
  EXPECT_TRUE(ws->Registry().Items(0).customName.empty());
  EXPECT_EQ(ws->Registry().Items(1).customName, "Цифры");
  // A file that cannot be read is reported.
  fs::create_directory(dir / "dir.flt");
  EXPECT_FALSE(ws->ImportFilterNames(dir / "dir.flt"));
  EXPECT_EQ(host.messages.back().second.rfind("Ошибка загрузки списка фильтров!", 0), 0u);
}

}  // namespace
}  // namespace korvane
