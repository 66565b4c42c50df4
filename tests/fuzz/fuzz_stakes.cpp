// The stake file Korvane.lsk: 304-byte records, opened (and repaired) as at start-up, every
// record read for the grid, then checked against a small archive as the program does next.

#include <cstddef>
#include <cstdint>

#include "core/config.h"
#include "core/game.h"
#include "fuzz_support.h"
#include "stakes/ratings.h"
#include "stakes/stake_data.h"
#include "stakes/stake_store.h"

namespace {

using namespace korvane;

const TDrawsArray& Draws() {
  static const TDrawsArray draws = [] {
    TDrawsArray d;
    for (int32_t n = 1; n <= 20; ++n) {
      TDrawRec r;
      r.number = n;
      r.nums = {static_cast<uint8_t>(n % 10), static_cast<uint8_t>(n * 3 % 10),
                static_cast<uint8_t>(n * 7 % 10)};
      r.SetDateText("03/07/2021 M");
      d.push_back(r);
    }
    return d;
  }();
  return draws;
}

const TConfigData& Config() {
  static const TConfigData config = [] {
    TConfigData c;
    c.cost = Money{10000};
    c.profits = {{3, Money{5000000}}, {2, Money{800000}}, {1, Money{20000}}};
    return c;
  }();
  return config;
}

void ReadAll(std::string_view bytes) {
  StakeStore store;
  const StakeFileRepair repair = store.Open(fuzz::Scratch().Put("Korvane.lsk", bytes));
  // A file of another version is emptied, a torn tail cut; whole records stay as they were.
  const bool sameVersion = bytes.empty() || static_cast<uint8_t>(bytes[0]) == StakeVersion;
  const int expected = sameVersion ? static_cast<int>(bytes.size() / StakeRecSize) : 0;
  KORVANE_FUZZ_CHECK(store.Count() == expected);
  KORVANE_FUZZ_CHECK((repair.kind == StakeFileRepair::None) ==
                     (sameVersion && bytes.size() % StakeRecSize == 0));

  for (int i = 0; i < store.Count(); ++i) {
    const TStakeData s = store.Read(i);
    const auto* rec = reinterpret_cast<const uint8_t*>(bytes.data()) + i * StakeRecSize;
    KORVANE_FUZZ_CHECK(s == DecodeStake(rec));
    (void)StakeRowTexts(s);
    if (!s.IsSeparator()) KORVANE_FUZZ_CHECK(store.Find(s.draw, s.numbers));
  }
  if (store.Count() > 0) KORVANE_FUZZ_CHECK(store.Read(-1) == store.Read(store.Count() - 1));
  for (int limit : {0, 1, 10, store.Count()}) {
    const StakeStore::CountedDraws counted = store.CountDraws(limit);
    KORVANE_FUZZ_CHECK(counted.count >= 0 && counted.count <= limit);
    KORVANE_FUZZ_CHECK(counted.start >= 0 && counted.start <= store.Count());
  }

  Ratings ratings;
  int seen = 0;
  const StakeCheckResult result = store.Check(
      Draws(), Config(),
      [&](const TStakeData& s) {
        ++seen;
        ratings.Add(s);
      },
      [](int, int) {});
  KORVANE_FUZZ_CHECK(result.checked == seen);
  for (int i = 0; i < store.Count(); ++i) (void)StakeRowTexts(store.Read(i));
  for (const TRatingRec& row : ratings.Rows()) (void)row.profit.Text();
  (void)result.profit.Text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    ReadAll(korvane::fuzz::AsText(data, size));
  } catch (const korvane::Error&) {
  }
  return 0;
}
