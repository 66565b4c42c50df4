// Chains: transitions of numbers, channels, segments and counts from one draw to the next.
// A chain collects what followed those past draws whose predecessor (or two predecessors)
// resembled the reference draw (and the draw before it), so that the table lists what tends
// to follow the present situation. Numbers, channels and segments share one implementation
// through a ValueMap.

#include "core/strutil.h"
#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

namespace {

// How the components of a chain value read.
enum class ChainText {
  Numbers,    // number texts
  TwoDigits,  // "%.2d"
  Decimal,    // plain decimal
};

ChainText TextOfKind(ValueKind kind) {
  switch (kind) {
    case ValueKind::Channels:
      return ChainText::TwoDigits;
    case ValueKind::Segments:
      return ChainText::Decimal;
    case ValueKind::Numbers:
      break;
  }
  return ChainText::Numbers;
}

// The base of every chain: what the numbers stand for, how many draws a chain spans (2 or 3),
// and the draws around the evaluated one.
class TCustomChainStat : public TCustomStat {
 public:
  TCustomChainStat(const StatContext& ctx, const StatClassInfo& info, int param, ValueKind kind,
                   int draws, ChainText text)
      : TCustomStat(ctx, info, param), map_(kind, Config()), draws_(draws), text_(text) {}

  // "a -> b" or "a-b -> c".
  std::string ValueToText(const TStatDrawRec& rec) const override {
    const std::string a = Component(rec, 0);
    const std::string b = Component(rec, 1);
    if (draws_ == 2) return a + " -> " + b;
    return a + "-" + b + " -> " + Component(rec, 2);
  }

 protected:
  // The key component (1-based) that holds what followed: 2 or 3.
  int FollowerComponent() const { return draws_; }

  // Loads P1 and P2 (the draws before index) and R1 (the draw before the reference). False
  // when the draw lacks the predecessors the chain needs: then it adds nothing.
  bool LoadPredecessors(int index, int last, bool sortFlag) {
    P1 = GetDraw(index - 1, sortFlag);
    if (P1.number <= 0) return false;
    if (draws_ == 2) return true;
    P2 = GetDraw(index - 2, sortFlag);
    R1 = GetDraw(last - 1, sortFlag);
    return P2.number > 0;
  }

  // Some position p of the combination has its value as a selected follower.
  bool FollowerSelected(const TStatDrawArray& selected, const TComb& comb) const {
    for (int p = 1; p <= NumsCount; ++p)
      if (HasKeyWord(selected, FollowerComponent(), Value(p, comb[p - 1]))) return true;
    return false;
  }

  int16_t Value(int position, int number) const {
    return static_cast<int16_t>(map_.At(position, number));
  }
  void Add2(TStatDrawArray& list, int a, int b) {
    Add(list, true, static_cast<int16_t>(a), static_cast<int16_t>(b));
  }
  void Add3(TStatDrawArray& list, int a, int b, int c) {
    Add(list, true, static_cast<int16_t>(a), static_cast<int16_t>(b), static_cast<int16_t>(c));
  }

  ValueMap map_;
  TDrawRec P1, P2, R1;

 private:
  std::string Component(const TStatDrawRec& rec, size_t i) const {
    const int v = static_cast<uint16_t>(rec.key.k[i]);
    switch (text_) {
      case ChainText::Numbers:
        return NumToText(v);
      case ChainText::TwoDigits:
        return Format("%.2d", v);
      case ChainText::Decimal:
        break;
    }
    return std::to_string(v);
  }

  int draws_;
  ChainText text_;
};

// SDV2, SCV2, SSV2: every value of P1 that occurs in the reference draw, to every value of
// the draw, whatever the positions. A value of P1 at two positions counts twice.
template <ValueKind Kind>
class ChainAnyPosition : public TCustomChainStat {
 public:
  ChainAnyPosition(const StatContext& ctx, const StatClassInfo& info, int param)
      : TCustomChainStat(ctx, info, param, Kind, 2, TextOfKind(Kind)) {}

  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    if (!LoadPredecessors(index, last, sortFlag)) return;
    for (int q = 1; q <= NumsCount; ++q) {
      const int a = Value(q, P1.nums[q - 1]);
      if (!map_.In(RefDraw.nums, a)) continue;
      for (int p = 1; p <= NumsCount; ++p) Add2(list, a, Value(p, CurDraw.nums[p - 1]));
    }
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return FollowerSelected(selected, comb);
  }
};

// SDP2, SCP2, SSP2 and SDP3, SCP3, SSP3 (every position), SDN, SCN, SSN and SDM, SCM, SSM (the
// position Param): position by position, when P1 (and P2) hold the value of the reference
// draw (and of the draw before it), what followed at that position.
template <ValueKind Kind, int Span, bool OnePosition>
class ChainByPosition : public TCustomChainStat {
 public:
  ChainByPosition(const StatContext& ctx, const StatClassInfo& info, int param)
      : TCustomChainStat(ctx, info, param, Kind, Span, TextOfKind(Kind)) {}

  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    if (!LoadPredecessors(index, last, sortFlag)) return;
    const int from = OnePosition ? Param() : 1;
    const int to = OnePosition ? Param() : NumsCount;
    for (int p = from; p <= to; ++p) {
      const size_t i = static_cast<size_t>(p - 1);
      const int v1 = Value(p, P1.nums[i]);
      if (v1 != Value(p, RefDraw.nums[i])) continue;
      const int c = Value(p, CurDraw.nums[i]);
      if (Span == 2) {
        Add2(list, v1, c);
        continue;
      }
      const int v2 = Value(p, P2.nums[i]);
      if (v2 == Value(p, R1.nums[i])) Add3(list, v2, v1, c);
    }
  }
  // Every position: a filter on 3 -> 7 of the first position keeps a 7 anywhere.
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return FollowerSelected(selected, comb);
  }
};

// SC2C, SC3C, SS2C, SS3C: how many numbers lie in channel (segment) Param, after draws whose
// count equals that of the reference draw (and of the draw before it). The predecessors are
// read in draw order. Before the evaluation the channel counts list the counts 0 .. channel
// size after the reference count, the segment counts the count 0 alone.
template <ValueKind Kind, int Span>
class ChainCount : public TCustomChainStat {
 public:
  ChainCount(const StatContext& ctx, const StatClassInfo& info, int param)
      : TCustomChainStat(ctx, info, param, Kind, Span, ChainText::Decimal) {}

  void PrepareValues(int last, TStatDrawArray& list) override {
    BasePrepare();
    const int r = CountIn(GetDraw(last, false).nums);
    const int r1 = CountIn(GetDraw(last - 1, false).nums);
    const int highest = Kind == ValueKind::Channels ? map_.ChannelSize() : 0;
    for (int c = 0; c <= highest; ++c) {
      if (Span == 2)
        Add(list, false, static_cast<int16_t>(r), static_cast<int16_t>(c));
      else
        Add(list, false, static_cast<int16_t>(r1), static_cast<int16_t>(r),
            static_cast<int16_t>(c));
    }
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    if (!LoadPredecessors(index, last, false)) return;
    const int n1 = CountIn(P1.nums);
    if (CountIn(RefDraw.nums) != n1) return;
    const int c = CountIn(CurDraw.nums);
    if (Span == 2) {
      Add2(list, n1, c);
      return;
    }
    const int n2 = CountIn(P2.nums);
    if (CountIn(R1.nums) == n2) Add3(list, n2, n1, c);
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return HasKeyWord(selected, FollowerComponent(), static_cast<int16_t>(CountIn(comb)));
  }

 private:
  int CountIn(const TComb& nums) const {
    int n = 0;
    for (int p = 1; p <= NumsCount; ++p)
      if (map_.At(p, nums[p - 1]) == Param()) ++n;
    return n;
  }
};

// What the numbers inside channels list.
enum InsideMode {
  InsideAll = 0,      // every transition inside the channel, and x -> 0 for none
  InsideSuccess = 1,  // the transitions only
  InsideFailure = 2,  // x -> 0 only
  InsideCount = 3,    // how many numbers of the draw lie in x's channel
};

// SDA2, SDG2, SDZ2, SDC2: for every number x of P1 (read in draw order) that occurs in the
// reference draw, the numbers of the draw in x's channel. The second component ends as the
// last such number (0 when there was none, or when the last was the number 0), or as their
// count in the count mode.
template <InsideMode Mode>
class ChainInside : public TCustomChainStat {
 public:
  ChainInside(const StatContext& ctx, const StatClassInfo& info, int param)
      : TCustomChainStat(ctx, info, param, ValueKind::Channels, 2,
                         Mode == InsideCount ? ChainText::Decimal : ChainText::TwoDigits) {}

  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    if (!LoadPredecessors(index, last, false)) return;
    for (uint8_t x : P1.nums) {
      if (!ValueInComb(RefDraw.nums, x)) continue;
      const int channel = Channel(x);
      int second = 0;
      for (uint8_t n : CurDraw.nums) {
        if (Channel(n) != channel) continue;
        if (Mode == InsideCount) {
          ++second;
        } else {
          second = n;
          if (Mode == InsideAll || Mode == InsideSuccess) Add2(list, x, n);
        }
      }
      if (Mode == InsideCount || ((Mode == InsideAll || Mode == InsideFailure) && second == 0))
        Add2(list, x, second);
    }
  }

  // A row (a, b) continues from a number r = a of the reference draw: to the number b, or to
  // any number of r's channel for the counts and for a row a -> 0 with a other than 0.
  bool CombMatches(const TStatDrawArray& selected, int last, const TComb& comb, bool,
                   bool) override {
    const TDrawRec ref = GetDraw(last, false);
    for (uint8_t r : ref.nums)
      for (uint8_t n : comb)
        for (const TStatDrawRec& s : selected) {
          const int a = s.key.k[0];
          const int b = s.key.k[1];
          if (a != r) continue;
          const bool byChannel = Mode == InsideCount || (a != 0 && b == 0);
          if (byChannel ? Channel(n) == Channel(r) : b == n) return true;
        }
    return false;
  }

 private:
  int Channel(int n) const { return map_.At(1, n); }
};

// The classes by their registered names.
using TstChain2DrawsAll = ChainAnyPosition<ValueKind::Numbers>;
using TstChain2DrawsPos = ChainByPosition<ValueKind::Numbers, 2, false>;
using TstChain2Pos = ChainByPosition<ValueKind::Numbers, 2, true>;
using TstChain3DrawsPos = ChainByPosition<ValueKind::Numbers, 3, false>;
using TstChain3Pos = ChainByPosition<ValueKind::Numbers, 3, true>;
using TstChain2ChannelsAll = ChainAnyPosition<ValueKind::Channels>;
using TstChain2ChannelsPos = ChainByPosition<ValueKind::Channels, 2, false>;
using TstChain2Channel = ChainByPosition<ValueKind::Channels, 2, true>;
using TstChain3ChannelsPos = ChainByPosition<ValueKind::Channels, 3, false>;
using TstChain3Channel = ChainByPosition<ValueKind::Channels, 3, true>;
using TstChain2CnlCnt = ChainCount<ValueKind::Channels, 2>;
using TstChain3CnlCnt = ChainCount<ValueKind::Channels, 3>;
using TstChainChannels2InsideAll = ChainInside<InsideAll>;
using TstChainChannels2InsideSuc = ChainInside<InsideSuccess>;
using TstChainChannels2InsideBad = ChainInside<InsideFailure>;
using TstChainChannels2InsideCnt = ChainInside<InsideCount>;
using TstChain2SegmentsAll = ChainAnyPosition<ValueKind::Segments>;
using TstChain2SegmentsPos = ChainByPosition<ValueKind::Segments, 2, false>;
using TstChain2Segment = ChainByPosition<ValueKind::Segments, 2, true>;
using TstChain3SegmentsPos = ChainByPosition<ValueKind::Segments, 3, false>;
using TstChain3Segment = ChainByPosition<ValueKind::Segments, 3, true>;
using TstChain2SgmCnt = ChainCount<ValueKind::Segments, 2>;
using TstChain3SgmCnt = ChainCount<ValueKind::Segments, 3>;

std::pair<int, int> ChannelParams(const TConfigData& config) {
  return ChannelRange(config.channelSize);
}
std::pair<int, int> SegmentParams(const TConfigData& config) {
  return SegmentRange(config.segments);
}

}  // namespace

const std::vector<FamilyMember>& ChainFamily() {
  static const std::vector<FamilyMember> members = {
      {"TstChain2DrawsAll", "Переходы чисел между 2 тиражами без учета позиции",
       &CreateStatOf<TstChain2DrawsAll>},
      {"TstChain2DrawsPos", "Переходы чисел между 2 тиражами с учетом позиции",
       &CreateStatOf<TstChain2DrawsPos>},
      {"TstChain2Pos", "Переходы чисел между 2 тиражами в %d позиции", &CreateStatOf<TstChain2Pos>},
      {"TstChain3DrawsPos", "Переходы чисел между 3 тиражами с учетом позиции",
       &CreateStatOf<TstChain3DrawsPos>},
      {"TstChain3Pos", "Переходы чисел между 3 тиражами в %d позиции", &CreateStatOf<TstChain3Pos>},
      {"TstChain2ChannelsAll", "Переходы каналов между 2 тиражами без учета позиции",
       &CreateStatOf<TstChain2ChannelsAll>},
      {"TstChain2ChannelsPos", "Переходы каналов между 2 тиражами с учетом позиции",
       &CreateStatOf<TstChain2ChannelsPos>},
      {"TstChain2Channel", "Переходы каналов между 2 тиражами в %d позиции",
       &CreateStatOf<TstChain2Channel>},
      {"TstChain3ChannelsPos", "Переходы каналов между 3 тиражами с учетом позиции",
       &CreateStatOf<TstChain3ChannelsPos>},
      {"TstChain3Channel", "Переходы каналов между 3 тиражами в %d позиции",
       &CreateStatOf<TstChain3Channel>},
      {"TstChain2CnlCnt", "Переходы кол-ва чисел в %d канале между 2 тиражами",
       &CreateStatOf<TstChain2CnlCnt>, &ChannelParams},
      {"TstChain3CnlCnt", "Переходы кол-ва чисел в %d канале между 3 тиражами",
       &CreateStatOf<TstChain3CnlCnt>, &ChannelParams},
      {"TstChainChannels2InsideAll", "Переходы чисел в пределах каналов (все)",
       &CreateStatOf<TstChainChannels2InsideAll>},
      {"TstChainChannels2InsideSuc", "Переходы чисел в пределах каналов (N-M, удачные)",
       &CreateStatOf<TstChainChannels2InsideSuc>},
      {"TstChainChannels2InsideBad", "Переходы чисел в пределах каналов (N-0, не удачные)",
       &CreateStatOf<TstChainChannels2InsideBad>},
      {"TstChainChannels2InsideCnt", "Переходы чисел в пределах каналов (количество)",
       &CreateStatOf<TstChainChannels2InsideCnt>},
      {"TstChain2SegmentsAll", "Переходы сегментов между 2 тиражами без учета позиции",
       &CreateStatOf<TstChain2SegmentsAll>},
      {"TstChain2SegmentsPos", "Переходы сегментов между 2 тиражами с учетом позиции",
       &CreateStatOf<TstChain2SegmentsPos>},
      {"TstChain2Segment", "Переходы сегментов между 2 тиражами в %d позиции",
       &CreateStatOf<TstChain2Segment>},
      {"TstChain3SegmentsPos", "Переходы сегментов между 3 тиражами с учетом позиции",
       &CreateStatOf<TstChain3SegmentsPos>},
      {"TstChain3Segment", "Переходы сегментов между 3 тиражами в %d позиции",
       &CreateStatOf<TstChain3Segment>},
      {"TstChain2SgmCnt", "Переходы кол-ва чисел в %d сегменте между 2 тиражами",
       &CreateStatOf<TstChain2SgmCnt>, &SegmentParams},
      {"TstChain3SgmCnt", "Переходы кол-ва чисел в %d сегменте между 3 тиражами",
       &CreateStatOf<TstChain3SgmCnt>, &SegmentParams},
  };
  return members;
}

}  // namespace korvane
