// Segments: user-defined groups of numbers that may differ from position to position (the
// segment table of the game settings). The counterparts of the channel methods.

#include "core/strutil.h"
#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

namespace {

// The segment table of the game settings, copied when the instance is created.
template <class Base>
class SegmentsStatOf : public Base {
 public:
  SegmentsStatOf(const StatContext& ctx, const StatClassInfo& info, int param)
      : Base(ctx, info, param), table_(this->Config().segments) {}

 protected:
  // Calls fn(segment) for every cell of the table: positions 1..3, numbers in order.
  template <typename Fn>
  void ForEachCell(Fn fn) const {
    for (int p = 1; p <= NumsCount; ++p)
      for (int n = MinNum; n <= MaxNum; ++n) fn(SegmentOf(table_, p, n));
  }
  PosCoords CoordsOf(const TComb& c) const {
    PosCoords s;
    for (int p = 1; p <= NumsCount; ++p)
      s[static_cast<size_t>(p - 1)] =
          static_cast<int16_t>(SegmentOf(table_, p, c[static_cast<size_t>(p - 1)]));
    return s;
  }

 private:
  TSegmentTable table_;
};

using TCustomSegmentsStat = SegmentsStatOf<TCustomNumbersStat>;
using TCustomSegmentsGraphStat = SegmentsStatOf<TCustomGraphStat>;

// SGMS: the segment of each number at its position; every segment of the table is listed, in
// the order of its first cell.
class TstSegments : public CoordsStat<TCustomSegmentsStat> {
 public:
  using CoordsStat::CoordsStat;
  void PrepareValues(int, TStatDrawArray& list) override {
    BasePrepare();
    ForEachCell([&](int s) { Add(list, false, static_cast<int16_t>(s)); });
  }
};

// SGMV: for every segment of the table, in the order of its first cell, how many of the
// numbers lie in it, also none. Nothing is listed in advance.
class TstSegmValues : public CoordTallyStat<TCustomSegmentsStat> {
 public:
  TstSegmValues(const StatContext& ctx, const StatClassInfo& info, int param)
      : CoordTallyStat(ctx, info, param) {
    ForEachCell([&](int s) { EnterCoord(s); });
  }
  std::string ValueToText(const TStatDrawRec& rec) const override {
    return Format("%d x %d", rec.key.k[0], rec.key.k[1]);
  }
};

// SGMC: how many different segments the numbers touch.
using TstSegmCount = CoordValueStat<TCustomSegmentsGraphStat, DistinctCoords>;

// SGM%d: how many of the numbers lie in segment Param.
using TstSgmValCnt = CoordValueStat<TCustomSegmentsGraphStat, PositionsWithCoord>;

// KGM2, KGM3, KGS2, KGS3: pairs and triples of the segments of the positions.
template <PosGroups Groups>
using TstCombSegm = CoordGroupsStat<TCustomSegmentsStat, Groups>;

std::pair<int, int> SegmentParamRange(const TConfigData& config) {
  return SegmentRange(config.segments);
}

}  // namespace

const std::vector<FamilyMember>& SegmentFamily() {
  static const std::vector<FamilyMember> members = {
      {"TstSegments", "Сегменты матрицы", &CreateStatOf<TstSegments>},
      {"TstSegmValues", "Количество чисел в сегменте матрицы", &CreateStatOf<TstSegmValues>},
      {"TstSegmCount", "Количество не пустых сегментов в матрице", &CreateStatOf<TstSegmCount>},
      {"TstCombSegmMix2", "Сочетания из 2 сегментов по всем числам тиража",
       &CreateStatOf<TstCombSegm<PosGroups::AllPairs>>},
      {"TstCombSegmMix3", "Сочетания из 3 сегментов по всем числам тиража",
       &CreateStatOf<TstCombSegm<PosGroups::Triple>>},
      {"TstCombSegmSeq2", "Сочетания из 2 сегментов по соседним числам",
       &CreateStatOf<TstCombSegm<PosGroups::NeighbourPairs>>},
      {"TstCombSegmSeq3", "Сочетания из 3 сегментов по соседним числам",
       &CreateStatOf<TstCombSegm<PosGroups::Triple>>},
      {"TstSgmValCnt", "Количество чисел в %d сегменте матрицы", &CreateStatOf<TstSgmValCnt>,
       &SegmentParamRange},
  };
  return members;
}

}  // namespace korvane
