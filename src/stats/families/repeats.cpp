// Numbers that come back at the same position: which numbers repeated (value members) and at
// how many positions (count members), between consecutive draws, between draws a few draws
// apart, in three draws in a row or in exactly two, and with the number moved up or down by
// one or two. Every member depends on the reference draw (the newest draw of the range).

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

namespace {

// Whether the draw two places back must hold the number as well (three draws in a row) or
// must not hold it (exactly two draws).
enum class ThirdDraw { Same, Different };

template <ThirdDraw Third>
bool InRun(uint8_t n, uint8_t before, uint8_t twoBefore) {
  return n == before && (n == twoBefore) == (Third == ThirdDraw::Same);
}

// The value members: the numbers of the newest draw, moved by the shift, are listed in
// advance; a combination matches when one of its numbers is selected, whatever the position
// at which the value repeated.
class RepValuesBase : public TCustomValuesStat {
 public:
  RepValuesBase(const StatContext& ctx, const StatClassInfo& info, int param, int shift)
      : TCustomValuesStat(ctx, info, param), shift_(shift) {}
  void PrepareValues(int last, TStatDrawArray& list) override {
    BasePrepare();
    for (uint8_t n : GetDraw(last, false).nums)
      Add(list, false, static_cast<int16_t>(ShiftValue(n, shift_)));
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    for (uint8_t n : comb)
      if (HasKeyWord(selected, 1, n)) return true;
    return false;
  }

 private:
  int shift_;
};

// The count members: the counts 1..3 are listed in advance (0 once it occurs).
class RepCountBase : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  void PrepareValues(int, TStatDrawArray& list) override {
    BasePrepare();
    for (int k = 1; k <= NumsCount; ++k) Add(list, false, static_cast<int16_t>(k));
  }
};

// RPV2, PRV2O1..PRV2O3, PRV+1, PRV-1, PRV+2, PRV-2: the reference draw and the draw Gap places
// before the evaluated one hold the same number x at a position, and the evaluated draw holds
// x + Shift there (wrapping within 0..9); the value is x + Shift.
template <int Shift, int Gap>
class TstRepValues2 : public RepValuesBase {
 public:
  TstRepValues2(const StatContext& ctx, const StatClassInfo& info, int param)
      : RepValuesBase(ctx, info, param, Shift) {}
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    const TComb earlier = ShiftComb(GetDraw(index - Gap, sortFlag).nums, Shift);
    const TComb reference = ShiftComb(RefDraw.nums, Shift);
    for (size_t p = 0; p < NumsCount; ++p)
      if (earlier[p] == reference[p] && earlier[p] == CurDraw.nums[p]) Add(list, true, earlier[p]);
  }
};

// RPV3, PRL2: a number that the reference draw shares at its position with the evaluated
// draw and the draw before it, and with (RPV3) or not with (PRL2) the draw two places back.
template <ThirdDraw Third>
class TstRepValuesRun : public RepValuesBase {
 public:
  TstRepValuesRun(const StatContext& ctx, const StatClassInfo& info, int param)
      : RepValuesBase(ctx, info, param, 0) {}
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    const TComb before = GetDraw(index - 1, sortFlag).nums;
    const TComb twoBefore = GetDraw(index - 2, sortFlag).nums;
    for (size_t p = 0; p < NumsCount; ++p) {
      const uint8_t n = CurDraw.nums[p];
      if (n == RefDraw.nums[p] && InRun<Third>(n, before[p], twoBefore[p])) Add(list, true, n);
    }
  }
};

// RPC2, RPO1, PRC2O2, PRC2O3, PRC+1, PRC-1, PRC+2, PRC-2: at how many positions the evaluated
// draw holds the number of the draw Gap places before it, moved by Shift. A combination is
// taken as the draw after the newest one.
template <int Shift, int Gap>
class TstRepCount2 : public RepCountBase {
 public:
  using RepCountBase::RepCountBase;
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    Add(list, true, RepeatsOf(CurDraw.nums, index - Gap, sortFlag));
  }
  bool CombMatches(const TStatDrawArray& selected, int last, const TComb& comb, bool sortFlag,
                   bool) override {
    return HasKeyWord(selected, 1, RepeatsOf(comb, last - Gap + 1, sortFlag));
  }

 private:
  int16_t RepeatsOf(const TComb& nums, int earlier, bool sortFlag) const {
    return static_cast<int16_t>(
        PositionMatches(nums, ShiftComb(GetDraw(earlier, sortFlag).nums, Shift)));
  }
};

// RPC3, PRB2: at how many positions the evaluated draw holds the number of the draw before
// it, and of (RPC3) or not of (PRB2) the draw two places back. A combination is taken as the
// draw after the newest one.
template <ThirdDraw Third>
class TstRepCountRun : public RepCountBase {
 public:
  using RepCountBase::RepCountBase;
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    Add(list, true, RunsOf(CurDraw.nums, index - 1, sortFlag));
  }
  bool CombMatches(const TStatDrawArray& selected, int last, const TComb& comb, bool sortFlag,
                   bool) override {
    return HasKeyWord(selected, 1, RunsOf(comb, last, sortFlag));
  }

 private:
  // `before` is the archive index of the draw just before the numbers.
  int16_t RunsOf(const TComb& nums, int before, bool sortFlag) const {
    const TComb a = GetDraw(before, sortFlag).nums;
    const TComb b = GetDraw(before - 1, sortFlag).nums;
    int16_t k = 0;
    for (size_t p = 0; p < NumsCount; ++p)
      if (InRun<Third>(nums[p], a[p], b[p])) ++k;
    return k;
  }
};

}  // namespace

const std::vector<FamilyMember>& RepeatFamily() {
  static const std::vector<FamilyMember> members = {
      {"TstRepValues2", "Повторяющиеся числа в 2-х тиражах подряд",
       &CreateStatOf<TstRepValues2<0, 1>>},
      {"TstRepValues3", "Повторяющиеся числа в 3-х тиражах подряд",
       &CreateStatOf<TstRepValuesRun<ThirdDraw::Same>>},
      {"TstRepValues2B3", "Повторяющиеся числа не более чем в 2-х тиражах",
       &CreateStatOf<TstRepValuesRun<ThirdDraw::Different>>},
      {"TstRepValues2over1", "Повторяющиеся числа в 2-х тиражах через 1 тираж(а)",
       &CreateStatOf<TstRepValues2<0, 2>>},
      {"TstRepValues2over2", "Повторяющиеся числа в 2-х тиражах через 2 тираж(а)",
       &CreateStatOf<TstRepValues2<0, 3>>},
      {"TstRepValues2over3", "Повторяющиеся числа в 2-х тиражах через 3 тираж(а)",
       &CreateStatOf<TstRepValues2<0, 4>>},
      {"TstRepValues2P1", "Данные предыдущего тиража + 1", &CreateStatOf<TstRepValues2<+1, 1>>},
      {"TstRepValues2N1", "Данные предыдущего тиража - 1", &CreateStatOf<TstRepValues2<-1, 1>>},
      {"TstRepValues2P2", "Данные предыдущего тиража + 2", &CreateStatOf<TstRepValues2<+2, 1>>},
      {"TstRepValues2N2", "Данные предыдущего тиража - 2", &CreateStatOf<TstRepValues2<-2, 1>>},
      {"TstRepCount2", "Количество повторов в 2-х тиражах подряд",
       &CreateStatOf<TstRepCount2<0, 1>>},
      {"TstRepCount3", "Количество повторов в 3-х тиражах подряд",
       &CreateStatOf<TstRepCountRun<ThirdDraw::Same>>},
      {"TstRepCount2B3", "Количество повторов не более чем в 2-х тиражах",
       &CreateStatOf<TstRepCountRun<ThirdDraw::Different>>},
      {"TstRepCount2over1", "Количество повторов в 2-х тиражах через 1 тираж(а)",
       &CreateStatOf<TstRepCount2<0, 2>>},
      {"TstRepCount2over2", "Количество повторов в 2-х тиражах через 2 тираж(а)",
       &CreateStatOf<TstRepCount2<0, 3>>},
      {"TstRepCount2over3", "Количество повторов в 2-х тиражах через 3 тираж(а)",
       &CreateStatOf<TstRepCount2<0, 4>>},
      {"TstRepCount2P1", "Количество совпадений \"значений + 1\"",
       &CreateStatOf<TstRepCount2<+1, 1>>},
      {"TstRepCount2N1", "Количество совпадений \"значений - 1\"",
       &CreateStatOf<TstRepCount2<-1, 1>>},
      {"TstRepCount2P2", "Количество совпадений \"значений + 2\"",
       &CreateStatOf<TstRepCount2<+2, 1>>},
      {"TstRepCount2N2", "Количество совпадений \"значений - 2\"",
       &CreateStatOf<TstRepCount2<-2, 1>>},
  };
  return members;
}

}  // namespace korvane
