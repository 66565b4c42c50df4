// Shredding methods: three methods the user defines by formulas over the numbers of the draw
// (n1..n3), the draw before it (p1..p3) and the one before that (t1..t3).

#include "core/shredding.h"

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

namespace {

class TstShreddingStat : public TCustomGraphStat {
 public:
  TstShreddingStat(const StatContext& ctx, const StatClassInfo& info, int param)
      : TCustomGraphStat(ctx, info, param), formula_(FormulaOf(ctx, param), DigitsOf(ctx, param)) {}

  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    Add(list, true,
        Component(
            formula_.Value(Nums(index - 2, sortFlag), Nums(index - 1, sortFlag), CurDraw.nums)));
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    BaseEvaluateComb();
    Add(list, false, Component(formula_.Value(TComb{}, TComb{}, comb)));
  }
  // The combination stands for the draw after the newest analysed one.
  bool CombMatches(const TStatDrawArray& selected, int last, const TComb& comb, bool sortFlag,
                   bool) override {
    const int64_t v = formula_.Value(Nums(last - 1, sortFlag), Nums(last, sortFlag), comb);
    return HasKeyWord(selected, 1, Component(v));
  }
  // The full value, not reduced to the 16 bits of a key.
  int32_t GraphValueOf(int index, int, const TComb& comb, bool sortFlag) override {
    return static_cast<int32_t>(
        formula_.Value(Nums(index - 2, sortFlag), Nums(index - 1, sortFlag), comb));
  }

 private:
  static const ShreddingFormula& Settings(const StatContext& ctx, int param) {
    static const ShreddingFormula none{"", 2};
    if (param < 1 || param > 3) return none;
    return ctx.settings->shredding[static_cast<size_t>(param - 1)];
  }
  static std::string FormulaOf(const StatContext& ctx, int param) {
    return Settings(ctx, param).formula;
  }
  static int DigitsOf(const StatContext& ctx, int param) { return Settings(ctx, param).digits; }
  // A key component holds the value modulo 65536.
  static int16_t Component(int64_t v) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(v) & 0xFFFF));
  }
  TComb Nums(int index, bool sortFlag) const { return GetDraw(index, sortFlag).nums; }

  ShreddingFormulaProgram formula_;
};

}  // namespace

const std::vector<FamilyMember>& ShreddingFamily() {
  static const std::vector<FamilyMember> members = {
      {"TstShreddingStat", "Метод шинковки %d: %%s", &CreateStatOf<TstShreddingStat>},
  };
  return members;
}

}  // namespace korvane
