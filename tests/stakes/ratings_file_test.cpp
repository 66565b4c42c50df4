#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

#include "core/error.h"
#include "core/stat_records.h"
#include "stakes/ratings.h"
#include "support/test_support.h"

namespace korvane {
namespace {

TRatingRec Row(const char* comment, int32_t stakes, int32_t matched, std::array<int32_t, 4> hits,
               int64_t profit = 0) {
  TRatingRec r;
  r.comment = comment;
  r.stakes = stakes;
  r.matchedSum = matched;
  r.matchCounts = hits;
  r.profit = Money{profit};
  return r;
}

std::string Bytes(const TRatingsArray& rows) {
  std::string bytes(rows.size() * RatingRecSize, '\0');
  for (size_t i = 0; i < rows.size(); ++i)
    EncodeRatingRec(rows[i], reinterpret_cast<uint8_t*>(bytes.data()) + i * RatingRecSize);
  return bytes;
}

class RatingsFileTest : public ::testing::Test {
 protected:
  fs::path Path() const { return dir / "Korvane.lrt"; }
  // Loads and returns the error text ("" when none).
  std::string Load(Ratings& ratings) {
    try {
      ratings.Load(Path());
    } catch (const Error& e) {
      return e.what();
    }
    return {};
  }
  test::TempDir dir;
  const TRatingsArray good = {
      Row("Сценарий 1 @ Сумма + Чётность", 2, 3, {1, 0, 0, 1}, 4980000),
      Row("Ставка \"вручную\"", 0, 0, {0, 0, 0, 0}, 0),
      Row("Все три", 1, 3, {0, 0, 0, 1}, std::numeric_limits<int64_t>::min()),
  };
};

TEST_F(RatingsFileTest, SaveWritesRowsAsRecordsAndLoadReadsThemBack) {
  Ratings ratings;
  ratings.Assign(good);
  ratings.Save(Path());
  EXPECT_EQ(test::ReadBytes(Path()), Bytes(good));  // 288 bytes a row, no header
  Ratings loaded;
  loaded.Add("Прежняя", 1, Money{0});
  EXPECT_EQ(Load(loaded), "");
  EXPECT_EQ(loaded.Rows(), good);
  // Rows are found ignoring case.
  loaded.Add("ВСЕ ТРИ", 0, Money{0});
  EXPECT_EQ(loaded.Count(), 3);
  EXPECT_EQ(loaded.Rows()[2].stakes, 2);

  Ratings empty;
  empty.Save(Path());
  EXPECT_EQ(test::ReadBytes(Path()), "");
  EXPECT_EQ(Load(loaded), "");
  EXPECT_EQ(loaded.Count(), 0);
}

TEST_F(RatingsFileTest, RowsNoStakesCanGiveAreRefusedByNumber) {
  struct Case {
    TRatingRec bad;
    const char* message;
  } cases[] = {
      {Row("x", -1, 0, {0, 0, 0, 0}),
       "Некорректная запись № 4 в файле рейтинга: отрицательное число ставок (-1)"},
      {Row("x", 2, -1, {2, 0, 0, 0}),
       "Некорректная запись № 4 в файле рейтинга: число угаданных (-1) вне диапазона 0..6"},
      {Row("x", 2, 7, {0, 0, 0, 2}),
       "Некорректная запись № 4 в файле рейтинга: число угаданных (7) вне диапазона 0..6"},
      {Row("x", 2, 3, {1, -1, 0, 0}),
       "Некорректная запись № 4 в файле рейтинга: число ставок с числом совпадений 1 (-1) вне "
       "диапазона 0..2"},
      {Row("x", 2, 3, {0, 0, 0, 3}),
       "Некорректная запись № 4 в файле рейтинга: число ставок с числом совпадений 3 (3) вне "
       "диапазона 0..2"},
      {Row("x", 2, 3, {0, 0, 0, 1}),
       "Некорректная запись № 4 в файле рейтинга: сумма чисел ставок по совпадениям (1) не "
       "равна числу ставок (2)"},
      {Row("x", 0, 0, {0, 0, 1, 0}),
       "Некорректная запись № 4 в файле рейтинга: число ставок с числом совпадений 2 (1) вне "
       "диапазона 0..0"},
      // The counters at the int32 limit: the sum is not taken in 32 bits.
      {Row("x", std::numeric_limits<int32_t>::max(), 0,
           {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max(), 0, 0}),
       "Некорректная запись № 4 в файле рейтинга: сумма чисел ставок по совпадениям "
       "(4294967294) не равна числу ставок (2147483647)"},
  };
  for (const Case& c : cases) {
    TRatingsArray rows = good;
    rows.push_back(c.bad);
    rows.push_back(good[0]);
    test::WriteBytes(Path(), Bytes(rows));
    Ratings ratings;
    EXPECT_EQ(Load(ratings), c.message);
    EXPECT_EQ(ratings.Rows(), good);  // what came before the bad record
  }
}

TEST_F(RatingsFileTest, BoundaryRowsAreAccepted) {
  const TRatingsArray rows = {
      Row("все угаданы", 5, 15, {0, 0, 0, 5}),
      Row("ничего", 5, 0, {5, 0, 0, 0}),
      Row(std::string(255, 'z').c_str(), 1, 1, {0, 1, 0, 0}),
      Row("max", std::numeric_limits<int32_t>::max(), 0,
          {std::numeric_limits<int32_t>::max(), 0, 0, 0}),
  };
  test::WriteBytes(Path(), Bytes(rows));
  Ratings ratings;
  EXPECT_EQ(Load(ratings), "");
  EXPECT_EQ(ratings.Rows(), rows);
}

TEST_F(RatingsFileTest, PieceOfARowAtTheEndIsRefused) {
  for (size_t extra : {size_t{1}, size_t{100}, RatingRecSize - 1}) {
    test::WriteBytes(Path(), Bytes(good) + std::string(extra, '\x07'));
    Ratings ratings;
    EXPECT_EQ(Load(ratings), "Некорректная запись № 4 в файле рейтинга: неполная запись (" +
                                 std::to_string(extra) + " байт из 288)");
    EXPECT_EQ(ratings.Rows(), good);
  }
  test::WriteBytes(Path(), std::string(10, '\0'));
  Ratings ratings;
  EXPECT_EQ(Load(ratings),
            "Некорректная запись № 1 в файле рейтинга: неполная запись (10 байт из 288)");
  EXPECT_EQ(ratings.Count(), 0);
}

TEST_F(RatingsFileTest, MissingFileIsAnError) {
  Ratings ratings;
  EXPECT_THROW(ratings.Load(Path()), Error);
  EXPECT_EQ(ratings.Count(), 0);
}

}  // namespace
}  // namespace korvane
