// The sum of the three numbers: the sum itself, fixed sum ranges, the change of the sum after
// draws that resemble the reference draw, the sums of the even and of the prime numbers.

#include "core/strutil.h"
#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

namespace {

int Sign(int v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

// SUMS: the sum.
class TstSumValues : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  void PrepareValues(int, TStatDrawArray& list) override {
    BasePrepare();
    for (int s = MinSum; s <= MaxSum; ++s) AddDword(list, false, s);
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    AddDword(list, true, SumOf(CurDraw.nums));
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    BaseEvaluateComb();
    AddDword(list, false, SumOf(comb));
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return HasKeyPair(selected, static_cast<int16_t>(SumOf(comb)), 0);
  }
  int32_t GraphValueOf(int, int, const TComb& comb, bool) override { return SumOf(comb); }
};

// SUM1..SUM3: whether the sum lies in a fixed range.
struct SumRange {
  int low, high, a, b;
};
constexpr SumRange kSumRanges[3] = {{6, 21, 1, 3}, {8, 19, 1, 2}, {9, 18, 2, 3}};

class TstSumRanges : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static std::string NameOf(int param) {
    if (param < 1 || param > 3) return {};
    const SumRange& r = kSumRanges[param - 1];
    return Format("Сумма тиража: диапазон %d (%d/%d)", param, r.a, r.b);
  }
  std::string ValueToText(const TStatDrawRec& rec) const override {
    if (rec.key.k[0] == 1) return Format("%d-%d", Range().low, Range().high);
    return "Остальные";
  }
  void PrepareValues(int, TStatDrawArray& list) override {
    BasePrepare();
    Add(list, false, 0);
    Add(list, false, 1);
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    Add(list, true, Inside(CurDraw.nums));
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    BaseEvaluateComb();
    Add(list, false, Inside(comb));
  }
  // The combination matches when the row of its own value is selected (with both rows
  // selected every combination matches).
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return HasKeyWord(selected, 1, Inside(comb));
  }
  int32_t GraphValueOf(int, int, const TComb& comb, bool) override { return Inside(comb); }

 private:
  const SumRange& Range() const {
    return kSumRanges[Param() >= 1 && Param() <= 3 ? Param() - 1 : 0];
  }
  int16_t Inside(const TComb& c) const {
    const int s = SumOf(c);
    return s >= Range().low && s <= Range().high ? 1 : 0;
  }
};

// The base of the methods that follow the sum after draws resembling the reference draw.
class SumChangeBase : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;

 protected:
  // The sum of the draw before archive index i (the zero draw before the first).
  int PreviousSum(int index) const { return SumOf(GetDraw(index - 1, false).nums); }
};

// SUMC: for a draw whose predecessor had the reference sum, the pair (previous, this) sum.
class TstSumChange : public SumChangeBase {
 public:
  using SumChangeBase::SumChangeBase;
  std::string ValueToText(const TStatDrawRec& rec) const override {
    const int a = rec.key.Dword(0);
    const int b = rec.key.Dword(1);
    if (b < a) return Format("- %.2d : %d - %d = %d", a - b, a, a - b, b);
    return Format("+%.2d : %d + %d = %d", b - a, a, b - a, b);
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    const int p = PreviousSum(index);
    if (p != SumOf(RefDraw.nums)) return;
    AddDword(list, true, p, SumOf(CurDraw.nums));
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return HasKeyDword(selected, 2, SumOf(comb));
  }
  int32_t GraphValueOf(int index, int, const TComb& comb, bool) override {
    return SumOf(comb) - PreviousSum(index);
  }
};

// SUMV: the change of the sum after draws whose sum lies within the tolerance of the
// reference sum. No graph value.
class TstSumChangeSome : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  std::string ValueToText(const TStatDrawRec& rec) const override {
    const int v = rec.key.Dword(0);
    return v < 0 ? Format("- %.2d", -v) : Format("+%.2d", v);
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    const int p = SumOf(GetDraw(index - 1, false).nums);
    const int r = SumOf(RefDraw.nums);
    if (r < p - SumTolerance || r > p + SumTolerance) return;
    AddDword(list, true, SumOf(CurDraw.nums) - p);
  }
  bool CombMatches(const TStatDrawArray& selected, int last, const TComb& comb, bool sortFlag,
                   bool) override {
    LoadDraws(last, last, sortFlag);
    return HasKeyDword(selected, 1, SumOf(comb) - SumOf(RefDraw.nums));
  }
};

// SUMT: the direction of the change after draws whose predecessor had the reference sum.
class TstSumTrend : public SumChangeBase {
 public:
  using SumChangeBase::SumChangeBase;
  std::string ValueToText(const TStatDrawRec& rec) const override {
    const int v = rec.key.Dword(0);
    return v > 0 ? "+" : v < 0 ? "-" : "=";
  }
  void PrepareValues(int, TStatDrawArray& list) override {
    BasePrepare();
    AddDword(list, false, 0);
    AddDword(list, false, 1);
    AddDword(list, false, -1);
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    const int p = PreviousSum(index);
    if (p != SumOf(RefDraw.nums)) return;
    AddDword(list, true, Sign(SumOf(CurDraw.nums) - p));
  }
  bool CombMatches(const TStatDrawArray& selected, int last, const TComb& comb, bool sortFlag,
                   bool) override {
    LoadDraws(last, last, sortFlag);
    return HasKeyDword(selected, 1, Sign(SumOf(comb) - SumOf(RefDraw.nums)));
  }
  int32_t GraphValueOf(int index, int, const TComb& comb, bool) override {
    return Sign(SumOf(comb) - PreviousSum(index));
  }
};

// SUME, SUMP: the sum of the numbers with a property; nothing listed in advance.
template <bool (*Property)(int)>
class TstSumOf : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    AddDword(list, true, ValueOf(CurDraw.nums));
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    BaseEvaluateComb();
    AddDword(list, false, ValueOf(comb));
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return HasKeyPair(selected, static_cast<int16_t>(ValueOf(comb)), 0);
  }
  int32_t GraphValueOf(int, int, const TComb& comb, bool) override { return ValueOf(comb); }

 private:
  static int ValueOf(const TComb& c) {
    int s = 0;
    for (uint8_t n : c)
      if (Property(n)) s += n;
    return s;
  }
};

bool IsEven(int n) { return n % 2 == 0; }

// S2T3: how many positions hold the sum of the other two numbers.
int16_t SumOfOtherTwoCount(const TComb& c) {
  return static_cast<int16_t>((c[0] == c[1] + c[2]) + (c[1] == c[0] + c[2]) +
                              (c[2] == c[0] + c[1]));
}
using TstSum2To3 = CombValueStat<SumOfOtherTwoCount>;

}  // namespace

const std::vector<FamilyMember>& SumFamily() {
  static const std::vector<FamilyMember> members = {
      {"TstSumValues", "Сумма тиража: все значения", &CreateStatOf<TstSumValues>},
      {"TstSumRanges", "Сумма тиража: диапазон %d", &CreateStatOf<TstSumRanges>, nullptr,
       &TstSumRanges::NameOf},
      {"TstSumChange", "Сумма тиража: изменения (точно)", &CreateStatOf<TstSumChange>},
      {"TstSumChangeSome", "Сумма тиража: изменения (диапазон)", &CreateStatOf<TstSumChangeSome>},
      {"TstSumTrend", "Сумма тиража: направление изменения", &CreateStatOf<TstSumTrend>},
      {"TstSumEvenValues", "Сумма тиража: только четные", &CreateStatOf<TstSumOf<IsEven>>},
      {"TstSumPrimeValues", "Сумма тиража: только простые", &CreateStatOf<TstSumOf<IsPrimeNumber>>},
      {"TstSum2To3", "Сумма двух чисел тиража равна третьему числу", &CreateStatOf<TstSum2To3>},
  };
  return members;
}

}  // namespace korvane
