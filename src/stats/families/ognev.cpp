// Ognev numbers: the difference triangle of the three numbers reduced to one characteristic
// number (HCO1, HCO2), and the numbers predicted from the newest draw of the range (HCO3).

#include <algorithm>
#include <array>
#include <string>

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

namespace {

// The reduced difference triangle of one combination: one element, or two when mode 2 meets
// neighbouring differences that differ by 1.
struct Triangle {
  uint8_t size = 0;
  std::array<uint8_t, 2> at{};
};

// The triangles of every combination for one mode, built once from ReduceDifferences so that
// the hot paths look them up instead of building a byte array per draw and combination.
template <int Mode>
const Triangle& TriangleOf(const TComb& c) {
  static const std::array<Triangle, CombsCount> table = [] {
    std::array<Triangle, CombsCount> t{};
    for (int i = 0; i < CombsCount; ++i) {
      const TComb comb{static_cast<uint8_t>(MinNum + i / (ValuesCount * ValuesCount)),
                       static_cast<uint8_t>(MinNum + i / ValuesCount % ValuesCount),
                       static_cast<uint8_t>(MinNum + i % ValuesCount)};
      const TByteArray r = ReduceDifferences(NumsCount, Mode, comb);
      Triangle& tri = t[static_cast<size_t>(i)];
      tri.size = static_cast<uint8_t>(std::min<size_t>(r.size(), tri.at.size()));
      for (size_t k = 0; k < tri.size; ++k) tri.at[k] = r[k];
    }
    return t;
  }();
  // Numbers of draws and combinations always lie in MinNum..MaxNum.
  const int i = ((c[0] - MinNum) * ValuesCount + (c[1] - MinNum)) * ValuesCount + (c[2] - MinNum);
  return table[static_cast<size_t>(i)];
}

// HCO1 (mode 0) and HCO2 (mode 1): the first element of the triangle.
template <int Mode>
int16_t OgnevNumber(const TComb& c) {
  return TriangleOf<Mode>(c).at[0];
}

using TstOgnev1 = CombValueStat<OgnevNumber<0>>;
using TstOgnev2 = CombValueStat<OgnevNumber<1>>;

// HCO3 (mode 2): numbers predicted from the newest draw of the range, each counted 1 when the
// draw after it holds the number. Only meant for filtering: a combination passes when it
// holds one of the selected numbers.
class TstOgnev3 : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  std::string ValueToText(const TStatDrawRec& rec) const override {
    std::string text = std::to_string(rec.key.k[0]);
    if (rec.key.k[3] == kPairMarker) text += " (" + std::to_string(rec.key.k[1]) + ")";
    return text;
  }
  // Only the reference draw adds values; its last-draw and depth fields stay those of the
  // base part, while the count says whether the following draw holds the value.
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    if (CurDraw.number != RefDraw.number) return;
    const Triangle& t = TriangleOf<2>(CurDraw.nums);
    const TDrawRec next = GetDraw(last + 1, false);
    int16_t f;
    if (t.size == 2) {
      f = t.at[1];
      AddPredicted(list, next, f, t.at[0], 0, kPairMarker);
    } else {
      f = t.at[0];
      AddPredicted(list, next, f);
    }
    // The numbers f·f (f·f·f when f·f is below 9) stepping down by f while above f.
    int g = f * f >= 9 ? f * f : f * f * f;
    for (; g > f; g -= f)
      if (g >= MinNum && g <= MaxNum) AddPredicted(list, next, static_cast<int16_t>(g));
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    for (uint8_t n : comb)
      if (HasKeyWord(selected, 1, n)) return true;
    return false;
  }

 private:
  // Component 4 of a value that came from a two-element triangle.
  static constexpr int16_t kPairMarker = 2;

  void AddPredicted(TStatDrawArray& list, const TDrawRec& next, int16_t k1, int16_t k2 = 0,
                    int16_t k3 = 0, int16_t k4 = 0) {
    Work.count = ValueInDraw(next, k1) ? 1 : 0;
    Add(list, false, k1, k2, k3, k4);
  }
};

}  // namespace

const std::vector<FamilyMember>& OgnevFamily() {
  static const std::vector<FamilyMember> members = {
      {"TstOgnev1", "Число Огнева 1 (только разность)", &CreateStatOf<TstOgnev1>},
      {"TstOgnev2", "Число Огнева 2 (разность + сложение, если {0,1})", &CreateStatOf<TstOgnev2>},
      {"TstOgnev3", "Числа Огнева 3 (динамический, только фильтр)", &CreateStatOf<TstOgnev3>},
  };
  return members;
}

}  // namespace korvane
