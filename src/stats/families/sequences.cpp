// Runs of consecutive numbers in one draw: stretches of positions in which each number is one
// more than the number before it (4-5 in 4-5-9, the whole of 1-2-3).

#include <algorithm>

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

namespace {

// Which steps between neighbouring positions join them into one run: the table values take
// only +1, the graph values also -1.
bool StepUp(int step) { return step == 1; }
bool StepUpOrDown(int step) { return step == 1 || step == -1; }

int StepAt(const TComb& c, int p) {
  return c[static_cast<size_t>(p)] - c[static_cast<size_t>(p - 1)];
}

// Calls visit(length) for every run of +1 steps in position order, until visit returns true;
// the result is whether it did.
template <typename Visit>
bool VisitRuns(const TComb& c, Visit visit) {
  int len = 1;
  for (int p = 1; p < NumsCount; ++p) {
    if (StepUp(StepAt(c, p))) {
      ++len;
      continue;
    }
    if (visit(len)) return true;
    len = 1;
  }
  return visit(len);
}

// The number of runs of two or more positions.
template <bool (*Joins)(int)>
int16_t RunCount(const TComb& c) {
  int steps = 0;  // steps in the current run
  int16_t count = 0;
  for (int p = 1; p < NumsCount; ++p) {
    if (Joins(StepAt(c, p))) {
      ++steps;
      if (p == NumsCount - 1) ++count;
    } else {
      if (steps > 0) ++count;
      steps = 0;
    }
  }
  return count;
}

// The length of the longest run; NoRun when no step joins two positions.
template <bool (*Joins)(int), int NoRun>
int16_t LongestRun(const TComb& c) {
  int run = 1;
  int best = NoRun;
  for (int p = 1; p < NumsCount; ++p) {
    if (Joins(StepAt(c, p))) {
      ++run;
      best = std::max(best, run);
    } else {
      run = 1;
    }
  }
  return static_cast<int16_t>(best);
}

// SEQL: the length of every run, in position order.
class TstSequenceLen : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  void PrepareValues(int, TStatDrawArray& list) override {
    BasePrepare();
    for (int16_t len = 1; len <= NumsCount; ++len) Add(list, false, len);
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    AddRuns(list, CurDraw.nums, true);
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    BaseEvaluateComb();
    AddRuns(list, comb, false);
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return VisitRuns(comb,
                     [&](int len) { return HasKeyWord(selected, 1, static_cast<int16_t>(len)); });
  }

 private:
  void AddRuns(TStatDrawArray& list, const TComb& nums, bool withIntervals) {
    VisitRuns(nums, [&](int len) {
      Add(list, withIntervals, static_cast<int16_t>(len));
      return false;
    });
  }
};

// SEQS and LENS: one value per draw, listed in advance, with a graph value of its own.
using TstSequenceCnt = CombValueStat<RunCount<StepUp>, 0, 1, RunCount<StepUpOrDown>>;
using TstSequenceLenMax =
    CombValueStat<LongestRun<StepUp, 1>, 1, NumsCount, LongestRun<StepUpOrDown, 0>>;

}  // namespace

const std::vector<FamilyMember>& SequenceFamily() {
  static const std::vector<FamilyMember> members = {
      {"TstSequenceLen", "Длина последовательности в тираже", &CreateStatOf<TstSequenceLen>},
      {"TstSequenceCnt", "Количество последовательностей в тираже", &CreateStatOf<TstSequenceCnt>},
      {"TstSequenceLenMax", "Макс. длина последовательности в тираже",
       &CreateStatOf<TstSequenceLenMax>},
  };
  return members;
}

}  // namespace korvane
