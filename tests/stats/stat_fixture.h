#pragma once

// A registry over a small archive for method tests.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "stats/registry.h"
#include "stats/stat_table.h"

namespace korvane::test {

class StatFixture {
 public:
  explicit StatFixture(std::vector<TComb> numbers = {}) { SetDraws(numbers); }

  void SetDraws(const std::vector<TComb>& numbers) {
    draws.clear();
    int n = 100;
    for (const TComb& c : numbers) {
      TDrawRec d;
      d.number = n++;
      d.nums = c;
      draws.push_back(d);
    }
    registry.Build();
  }

  int Entry(const std::string& code) const {
    const int i = registry.IndexOfCode(code);
    EXPECT_GE(i, 0) << code;
    return i;
  }

  // Protocol 1 over archive indexes first..last.
  TStatDrawArray Evaluate(const std::string& code, int first, int last, bool sortFlag = false) {
    auto stat = registry.CreateStat(Entry(code));
    TStatDrawArray list;
    StatScratch scratch(std::max<size_t>(stat->ScratchSize(), 120), 0);
    TLastValueArray lastValues;
    stat->PrepareValues(last, list);
    for (int i = first; i <= last; ++i)
      stat->EvaluateDraw(i, last, sortFlag, list, scratch, lastValues);
    return list;
  }
  TStatDrawArray EvaluateAll(const std::string& code, bool sortFlag = false) {
    return Evaluate(code, 0, static_cast<int>(draws.size()) - 1, sortFlag);
  }

  // Value text -> count of an evaluated list, in list order.
  std::vector<std::pair<std::string, int>> Texts(const std::string& code,
                                                 const TStatDrawArray& list) {
    auto stat = registry.CreateStat(Entry(code));
    std::vector<std::pair<std::string, int>> out;
    for (const TStatDrawRec& r : list) out.emplace_back(stat->ValueToText(r), r.count);
    return out;
  }

  // Filter protocol: the combination matches the selected values (keys of `selected`).
  bool Matches(const std::string& code, const TStatDrawArray& selected, const TComb& comb,
               bool sortFlag = false) {
    auto stat = registry.CreateStat(Entry(code));
    const int last = static_cast<int>(draws.size()) - 1;
    stat->LoadDraws(-1, last, sortFlag);
    return stat->CombMatches(selected, last, comb, sortFlag, false);
  }

  TDrawsArray draws;
  GameSettings settings;
  TStatList registry{draws, settings};
};

// Value texts with their counts, in list order.
using Texts = std::vector<std::pair<std::string, int>>;

// The values a method saw over the whole archive (count above 0), in list order.
inline Texts Seen(StatFixture& f, const std::string& code, bool sortFlag = false) {
  Texts seen;
  for (const auto& t : f.Texts(code, f.EvaluateAll(code, sortFlag)))
    if (t.second > 0) seen.push_back(t);
  return seen;
}

inline TStatDrawRec KeyRec(int16_t k1, int16_t k2 = 0, int16_t k3 = 0, int16_t k4 = 0) {
  TStatDrawRec r;
  r.key.k = {k1, k2, k3, k4};
  return r;
}

inline TStatDrawRec DwordRec(int32_t d1, int32_t d2 = 0) {
  TStatDrawRec r;
  r.key.SetDword(0, d1);
  r.key.SetDword(1, d2);
  return r;
}

}  // namespace korvane::test
