// Sub-combinations of the numbers of one draw: every pair, the neighbouring pairs, the pair or
// triple starting at a position, and the pairs and triple of the numbers in ascending order.
// A value holds the numbers of the sub-combination in its first key components and is shown
// as the numbers joined with ":" ("3:7", "1:4:4").

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

namespace {

// Each kind of sub-combination is a Visit(numbers, param, f) that calls f(a, b, c) for every
// value in order (c = 0 for pairs) and stops at the first call that returns true; Visit
// returns whether one did.

// KNM2: every pair of positions i < j.
struct AllPairs {
  template <typename F>
  static bool Visit(const TComb& x, int, F&& f) {
    for (size_t i = 0; i < NumsCount; ++i)
      for (size_t j = i + 1; j < NumsCount; ++j)
        if (f(x[i], x[j], 0)) return true;
    return false;
  }
};

// KNM3: every triple of positions i < j < l.
struct AllTriples {
  template <typename F>
  static bool Visit(const TComb& x, int, F&& f) {
    for (size_t i = 0; i < NumsCount; ++i)
      for (size_t j = i + 1; j < NumsCount; ++j)
        for (size_t l = j + 1; l < NumsCount; ++l)
          if (f(x[i], x[j], x[l])) return true;
    return false;
  }
};

// KNS2: the pairs of neighbouring positions.
struct NeighbourPairs {
  template <typename F>
  static bool Visit(const TComb& x, int, F&& f) {
    for (size_t p = 1; p < NumsCount; ++p)
      if (f(x[p - 1], x[p], 0)) return true;
    return false;
  }
};

// KNS3: the triples of neighbouring positions.
struct NeighbourTriples {
  template <typename F>
  static bool Visit(const TComb& x, int, F&& f) {
    for (size_t p = 2; p < NumsCount; ++p)
      if (f(x[p - 2], x[p - 1], x[p])) return true;
    return false;
  }
};

// KNP21, KNP22: the pair starting at position param.
struct PairAt {
  template <typename F>
  static bool Visit(const TComb& x, int param, F&& f) {
    if (param < 1 || param + 1 > NumsCount) return false;
    const auto p = static_cast<size_t>(param - 1);
    return f(x[p], x[p + 1], 0);
  }
};

// KNP31: the triple starting at position param.
struct TripleAt {
  template <typename F>
  static bool Visit(const TComb& x, int param, F&& f) {
    if (param < 1 || param + 2 > NumsCount) return false;
    const auto p = static_cast<size_t>(param - 1);
    return f(x[p], x[p + 1], x[p + 2]);
  }
};

// KNO2, KNO3: the neighbouring sub-combinations of the numbers sorted ascending; draws and
// combinations are sorted here, whatever the sorting option says.
template <typename Neighbours>
struct Ascending {
  template <typename F>
  static bool Visit(const TComb& x, int param, F&& f) {
    TComb sorted = x;
    SortComb(sorted);
    return Neighbours::Visit(sorted, param, f);
  }
};

// A method whose values are the sub-combinations of Size numbers that Values visits. Every
// value of a draw is counted with intervals; a combination matches when one of its values is
// selected. Nothing is listed in advance and a single combination adds nothing (no norm).
template <size_t Size, typename Values>
class TstCombValues : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  std::string ValueToText(const TStatDrawRec& rec) const override {
    std::string text = NumToText(static_cast<uint16_t>(rec.key.k[0]));
    for (size_t i = 1; i < Size; ++i) {
      text += ':';
      text += NumToText(static_cast<uint16_t>(rec.key.k[i]));
    }
    return text;
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    Values::Visit(CurDraw.nums, Param(), [&](int16_t a, int16_t b, int16_t c) {
      Add(list, true, a, b, c);
      return false;
    });
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return Values::Visit(comb, Param(), [&](int16_t a, int16_t b, int16_t c) {
      return HasKey(selected, a, b, c, 0);
    });
  }
};

}  // namespace

const std::vector<FamilyMember>& CombValueFamily() {
  static const std::vector<FamilyMember> members = {
      {"TstCombValMix2", "Сочетания из 2 чисел по всем числам тиража",
       &CreateStatOf<TstCombValues<2, AllPairs>>},
      {"TstCombValMix3", "Сочетания из 3 чисел по всем числам тиража",
       &CreateStatOf<TstCombValues<3, AllTriples>>},
      {"TstCombValSeq2", "Сочетания из 2 соседних чисел тиража",
       &CreateStatOf<TstCombValues<2, NeighbourPairs>>},
      {"TstCombValSeq3", "Сочетания из 3 соседних чисел тиража",
       &CreateStatOf<TstCombValues<3, NeighbourTriples>>},
      {"TstCombValPos2", "Сочетания из 2-х чисел тиража начиная с %d позиции",
       &CreateStatOf<TstCombValues<2, PairAt>>},
      {"TstCombValPos3", "Сочетания из 3-х чисел тиража начиная с %d позиции",
       &CreateStatOf<TstCombValues<3, TripleAt>>},
      {"TstCombValSort2", "Сочетания из 2 чисел тиража по возрастанию",
       &CreateStatOf<TstCombValues<2, Ascending<NeighbourPairs>>>},
      {"TstCombValSort3", "Сочетания из 3 чисел тиража по возрастанию",
       &CreateStatOf<TstCombValues<3, Ascending<NeighbourTriples>>>},
  };
  return members;
}

}  // namespace korvane
