// Series and periods of values: how long a value of the newest draw kept occurring (or kept
// away) draw after draw, and after how many draws a value came back. Both follow numbers,
// channels or segments alike through a ValueMap.

#include <algorithm>
#include <cstring>
#include <tuple>

#include "core/strutil.h"
#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

namespace {

// Numbers and segments read in decimal, channels with two digits.
std::string ValueText(ValueKind kind, int v) {
  switch (kind) {
    case ValueKind::Channels:
      return Format("%.2d", v);
    case ValueKind::Numbers:
      return NumToText(v);
    case ValueKind::Segments:
      break;
  }
  return std::to_string(v);
}

// "value x length"; the length (run, pause or period) is kept in 16 bits.
std::string LengthText(ValueKind kind, const TStatDrawRec& rec) {
  return Format("%s x %d", ValueText(kind, rec.key.k[0]).c_str(),
                static_cast<int>(static_cast<uint16_t>(rec.key.k[1])));
}

// A length as the second key component: saturated, never wrapped.
int16_t LengthKey(int32_t length) { return static_cast<int16_t>(Saturate16(length)); }

// The run of one value in progress, kept in the caller's scratch block at entry index v.
struct RunState {
  int32_t count = 0;     // draws in the run so far
  int32_t lastDraw = 0;  // draw number of the last draw of the run
  int32_t depth = 0;     // depth of that draw
};
static_assert(sizeof(RunState) == 12);

// GRPV..GRSP: for the values of the reference draw, the lengths of the runs of consecutive
// draws holding the value (groups) or lacking it (pauses). A run is recorded when it ends, or
// at the newest draw of the range while it is still going on there. The run of every value
// carries from draw to draw in the caller's scratch block, which starts zeroed (no runs).
class SerialStat : public TCustomStat {
 public:
  SerialStat(const StatContext& ctx, const StatClassInfo& info, int param, ValueKind kind,
             bool groups)
      : TCustomStat(ctx, info, param), map_(kind, Config()), groups_(groups) {
    std::tie(low_, high_) = map_.Range();
  }

  std::string ValueToText(const TStatDrawRec& rec) const override {
    return LengthText(map_.Kind(), rec);
  }

  // One entry for every value from 0 to the highest: eleven for the channels of size 1.
  size_t ScratchSize() const override {
    return static_cast<size_t>(std::max(high_, 0) + 1) * sizeof(RunState);
  }

  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch& scratch,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    if (high_ < low_) return;
    // Entries past a smaller block than asked for have never held a run.
    if (scratch.size() < ScratchSize()) scratch.resize(ScratchSize(), 0);
    const int depth = last - index + 1;
    for (int v = low_; v <= high_; ++v) {
      RunState s = LoadRun(scratch, v);
      if (map_.In(CurDraw.nums, v) == groups_) {
        ++s.count;
        s.lastDraw = CurDraw.number;
        s.depth = depth;
        if (index == last && map_.In(RefDraw.nums, v)) Record(list, v, s);
      } else {
        if (s.count > 0 && map_.In(RefDraw.nums, v)) Record(list, v, s);
        s = RunState{};
      }
      StoreRun(scratch, v, s);
    }
  }

  // Only the value of a row counts, never its length.
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    for (int p = 1; p <= NumsCount; ++p)
      if (HasKeyWord(selected, 1, static_cast<int16_t>(map_.At(p, comb[p - 1])))) return true;
    return false;
  }

 private:
  static RunState LoadRun(const StatScratch& scratch, int v) {
    RunState s;
    std::memcpy(&s, scratch.data() + static_cast<size_t>(v) * sizeof(RunState), sizeof s);
    return s;
  }
  static void StoreRun(StatScratch& scratch, int v, const RunState& s) {
    std::memcpy(scratch.data() + static_cast<size_t>(v) * sizeof(RunState), &s, sizeof s);
  }
  void Record(TStatDrawArray& list, int v, const RunState& s) {
    Work.depth = s.depth;
    Work.lastDraw = s.lastDraw;
    Work.prevDraw = s.lastDraw;
    Work.count = 1;
    Add(list, true, static_cast<int16_t>(v), LengthKey(s.count));
  }

  ValueMap map_;
  bool groups_;
  int low_ = 0;
  int high_ = -1;
};

// PRDV, PRDC, PRDG: the distance in draw numbers from one occurrence of a value to the next.
// The latest occurrence of every value lives in the caller's last-values list.
class PeriodsStat : public TCustomStat {
 public:
  PeriodsStat(const StatContext& ctx, const StatClassInfo& info, int param, ValueKind kind)
      : TCustomStat(ctx, info, param), map_(kind, Config()) {}

  std::string ValueToText(const TStatDrawRec& rec) const override {
    return LengthText(map_.Kind(), rec);
  }

  // The first occurrence in the run has no period, and a value at two positions of one draw
  // gets period 0 at the second: neither is recorded.
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray& lastValues) override {
    BaseEvaluateDraw(index, last, sortFlag);
    TLastValueRec item;
    item.lastDraw = CurDraw.number;
    for (int p = 1; p <= NumsCount; ++p) {
      const auto e = static_cast<int16_t>(map_.At(p, CurDraw.nums[p - 1]));
      item.key.k = {e, 0, 0, 0};
      const int32_t period = AddLastValue(lastValues, item);
      if (period > 0) Add(list, true, e, LengthKey(period));
    }
  }

  // A row (e, r) says that e occurred r draws before the draw after the range, i.e. in the
  // draw at index last - r + 1 (the zero draw outside the archive). The keep filter asks for
  // one such row that holds; the remove filter for one that fails.
  bool CombMatches(const TStatDrawArray& selected, int last, const TComb& comb, bool,
                   bool remove) override {
    for (int p = 1; p <= NumsCount; ++p) {
      const int e = map_.At(p, comb[p - 1]);
      for (const TStatDrawRec& s : selected) {
        if (s.key.k[0] != e) continue;
        const TDrawRec d = GetDraw(last - static_cast<uint16_t>(s.key.k[1]) + 1, false);
        if (map_.In(d.nums, e) != remove) return true;
      }
    }
    return false;
  }

 private:
  ValueMap map_;
};

template <ValueKind Kind, bool Groups>
std::unique_ptr<TCustomStat> CreateSeries(const StatContext& ctx, const StatClassInfo& info,
                                          int param) {
  return std::make_unique<SerialStat>(ctx, info, param, Kind, Groups);
}

template <ValueKind Kind>
std::unique_ptr<TCustomStat> CreatePeriods(const StatContext& ctx, const StatClassInfo& info,
                                           int param) {
  return std::make_unique<PeriodsStat>(ctx, info, param, Kind);
}

constexpr bool kGroups = true;
constexpr bool kPauses = false;

}  // namespace

const std::vector<FamilyMember>& SeriesFamily() {
  static const std::vector<FamilyMember> members = {
      {"TstNumGroups", "Повторы чисел в нескольких тиражах подряд",
       &CreateSeries<ValueKind::Numbers, kGroups>},
      {"TstNumPauses", "Интервалы между повторениями чисел",
       &CreateSeries<ValueKind::Numbers, kPauses>},
      {"TstChnGroups", "Повторы каналов в нескольких тиражах подряд",
       &CreateSeries<ValueKind::Channels, kGroups>},
      {"TstChnPauses", "Интервалы между повторениями каналов",
       &CreateSeries<ValueKind::Channels, kPauses>},
      {"TstSgmGroups", "Повторы сегментов в нескольких тиражах подряд",
       &CreateSeries<ValueKind::Segments, kGroups>},
      {"TstSgmPauses", "Интервалы между повторениями сегментов",
       &CreateSeries<ValueKind::Segments, kPauses>},
      {"TstNumPeriods", "Периоды повторения чисел", &CreatePeriods<ValueKind::Numbers>},
      {"TstChnPeriods", "Периоды повторения каналов", &CreatePeriods<ValueKind::Channels>},
      {"TstSgmPeriods", "Периоды повторения сегментов", &CreatePeriods<ValueKind::Segments>},
  };
  return members;
}

}  // namespace korvane
