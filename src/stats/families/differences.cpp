// Differences of the numbers of a draw: d1 between positions 1 and 2, d2 between positions 2
// and 3, their largest, the spread of the draw, equal differences and the pair (d1, d2).

#include <algorithm>
#include <cstdlib>

#include "core/strutil.h"
#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

namespace {

int16_t Diff1(const TComb& c) { return static_cast<int16_t>(std::abs(c[1] - c[0])); }
int16_t Diff2(const TComb& c) { return static_cast<int16_t>(std::abs(c[2] - c[1])); }

// The two differences tallied: each different difference with how often it occurs among
// d1, d2, the first difference first.
struct DiffTally {
  int size = 0;
  int16_t value[2] = {};
  int16_t count[2] = {};
};

DiffTally TallyOf(const TComb& c) {
  const int16_t d1 = Diff1(c);
  const int16_t d2 = Diff2(c);
  if (d1 == d2) return {1, {d1, 0}, {2, 0}};
  return {2, {d1, d2}, {1, 1}};
}

int16_t LargestDiff(const TComb& c) { return std::max(Diff1(c), Diff2(c)); }

int16_t Spread(const TComb& c) {
  int low = MaxNum;
  int high = MinNum;
  for (uint8_t n : c) {
    low = std::min<int>(low, n);
    high = std::max<int>(high, n);
  }
  return static_cast<int16_t>(high - low);
}

int16_t SameDiffCount(const TComb& c) {
  const DiffTally t = TallyOf(c);
  return t.size == 1 ? t.count[0] : std::max(t.count[0], t.count[1]);
}

// DIFA: both differences of the draw.
class TstDiffTotal : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  void PrepareValues(int, TStatDrawArray& list) override {
    BasePrepare();
    for (int16_t d = 1; d <= MaxNum - MinNum; ++d) Add(list, false, d);
  }
  // The second difference adds no interval: equal differences in one draw do not make an
  // interval of 0, though the second one still counts and becomes the previous occurrence.
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    Add(list, true, Diff1(CurDraw.nums));
    Add(list, false, Diff2(CurDraw.nums));
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    BaseEvaluateComb();
    Add(list, false, Diff1(comb));
    Add(list, false, Diff2(comb));
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return HasKeyWord(selected, 1, Diff1(comb)) || HasKeyWord(selected, 1, Diff2(comb));
  }
};

// DIFM, DIFD, DIFK: one value per draw, listed in advance from 1 to the largest.
constexpr int16_t kMaxDiff = MaxNum - MinNum;
using TstDiffMax = CombValueStat<LargestDiff, 1, kMaxDiff>;
using TstMinMaxDiffs = CombValueStat<Spread, 1, kMaxDiff>;
using TstDiffSameCnt = CombValueStat<SameDiffCount, 1, 2>;

// DIFO: each different difference with how often it occurs, "d x count".
class TstDiffSame : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  std::string ValueToText(const TStatDrawRec& rec) const override {
    return Format("%d x %d", rec.key.k[0], rec.key.k[1]);
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    AddTally(list, CurDraw.nums, true);
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    BaseEvaluateComb();
    AddTally(list, comb, false);
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    const DiffTally t = TallyOf(comb);
    for (int i = 0; i < t.size; ++i)
      if (HasKey(selected, t.value[i], t.count[i], 0, 0)) return true;
    return false;
  }

 private:
  void AddTally(TStatDrawArray& list, const TComb& nums, bool withIntervals) {
    const DiffTally t = TallyOf(nums);
    for (int i = 0; i < t.size; ++i) Add(list, withIntervals, t.value[i], t.count[i]);
  }
};

// KDS2: the pair (d1, d2) as "d1:d2". No norm: a combination adds nothing.
class TstCombDiffSeq2 : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  std::string ValueToText(const TStatDrawRec& rec) const override {
    return std::to_string(rec.key.k[0]) + ":" + std::to_string(rec.key.k[1]);
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    Add(list, true, Diff1(CurDraw.nums), Diff2(CurDraw.nums));
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return HasKey(selected, Diff1(comb), Diff2(comb), 0, 0);
  }
};

}  // namespace

// KDS3 and KDS4 need more positions than this game has; they get no entry.
const std::vector<FamilyMember>& DifferenceFamily() {
  static const std::vector<FamilyMember> members = {
      {"TstDiffTotal", "Все разности между соседними позициями", &CreateStatOf<TstDiffTotal>},
      {"TstDiffMax", "Максимальная разность между соседними позициями", &CreateStatOf<TstDiffMax>},
      {"TstMinMaxDiffs", "Разность между минимальным и максимальным числом",
       &CreateStatOf<TstMinMaxDiffs>},
      {"TstDiffSame", "Одинаковые разности между соседними позициями", &CreateStatOf<TstDiffSame>},
      {"TstDiffSameCnt", "Количество одинаковых разностей между соседними позициями",
       &CreateStatOf<TstDiffSameCnt>},
      {"TstCombDiffSeq2", "Сочетания из 2 разностей между числами", &CreateStatOf<TstCombDiffSeq2>},
  };
  return members;
}

}  // namespace korvane
