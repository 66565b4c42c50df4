#pragma once

// The statistic method framework: the abstract method and its intermediate bases.
//
// A method turns a draw of the archive, or a candidate combination, into statistic values
// (TStatKey) collected in TStatDrawRec accumulators. What a method is (code, name, group,
// features, parameters) is class metadata kept in StatClassInfo (registry.h); what it does
// is the virtual operations below.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/config.h"
#include "core/game.h"
#include "core/stat_records.h"
#include "stats/stat_class.h"

namespace korvane {

// Feature bits of a method.
enum StatFeature : uint8_t {
  FeatureS = 1,   // shown only
  FeatureN = 2,   // has a norm (prefetch file)
  FeatureD = 4,   // depends on the reference draw
  FeatureP = 8,   // shown only (period methods)
  FeatureG = 16,  // has a graph value
};

// What every instance reads from the program: the archive and the game settings.
struct StatContext {
  const TDrawsArray* draws = nullptr;
  const GameSettings* settings = nullptr;
};

// The scratch block of one evaluation run: zeroed at the start, sized by the method.
using StatScratch = std::vector<uint8_t>;

class TCustomStat {
 public:
  TCustomStat(const StatContext& ctx, const StatClassInfo& info, int param);
  virtual ~TCustomStat() = default;
  TCustomStat(const TCustomStat&) = delete;
  TCustomStat& operator=(const TCustomStat&) = delete;

  int Param() const { return param_; }
  const StatClassInfo& Class() const { return info_; }

  // Value texts and their parsing.
  virtual std::string ValueToText(const TStatDrawRec& rec) const = 0;
  virtual int32_t TextToKey(std::string_view text) const;
  // TextToKey when the class accepts typed values, else 0.
  int32_t ParseValue(std::string_view text) const {
    return info_.acceptsValueText ? TextToKey(text) : 0;
  }

  // Bytes of scratch the method needs for one evaluation run.
  virtual size_t ScratchSize() const { return 120; }

  virtual void PrepareValues(int last, TStatDrawArray& list);
  void LoadDraws(int current, int reference, bool sortFlag);
  virtual void EvaluateComb(TStatDrawArray& list, const TComb& comb);
  virtual void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list,
                            StatScratch& scratch, TLastValueArray& lastValues);
  // The draw number of the first draw from `start` on whose values hold the record's key, or -1.
  // Every draw of the scan is evaluated with a fresh value list and last-values list; the
  // scratch block is zeroed once before the scan, so state kept there carries through it.
  int32_t FindNextDraw(const TStatDrawRec& rec, int start, int last, bool sortFlag);
  // FindNextDraw for many keys at once: element i is FindNextDraw of keys[i] from starts[i].
  // Scans that have reached the same scratch state at the same draw go on as one, so a draw
  // is evaluated once per distinct state rather than once per key.
  virtual std::vector<int32_t> FindNextDraws(const std::vector<TStatKey>& keys,
                                             const std::vector<int>& starts, int last,
                                             bool sortFlag);
  virtual bool CombMatches(const TStatDrawArray& selected, int last, const TComb& comb,
                           bool sortFlag, bool remove) = 0;

  // Graph values (methods with feature G).
  virtual bool HasGraph() const { return false; }
  virtual int32_t GraphValueOf(int /*index*/, int /*last*/, const TComb& /*comb*/,
                               bool /*sortFlag*/) {
    return 0;
  }
  int32_t GraphValue(int index, int last, bool sortFlag);

  // A copy of draw index (zeros outside the archive), numbers sorted with sortFlag.
  TDrawRec GetDraw(int index, bool sortFlag) const;

 protected:
  const TDrawsArray& Draws() const { return *ctx_.draws; }
  int DrawCount() const { return static_cast<int>(ctx_.draws->size()); }
  const TConfigData& Config() const { return ctx_.settings->config; }
  const GameSettings& Settings() const { return *ctx_.settings; }

  // The base parts the families call first.
  void BasePrepare() { Work = TStatDrawRec{}; }
  void BaseEvaluateDraw(int index, int last, bool sortFlag);
  void BaseEvaluateComb() {
    Work = TStatDrawRec{};
    Work.count = 1;
  }
  // Adds Work with its key set to the given components.
  void Add(TStatDrawArray& list, bool withIntervals, int16_t k1, int16_t k2 = 0, int16_t k3 = 0,
           int16_t k4 = 0) {
    Work.key.k = {k1, k2, k3, k4};
    AddWork(list, withIntervals);
  }
  void AddDword(TStatDrawArray& list, bool withIntervals, int32_t d1, int32_t d2 = 0) {
    Work.key.SetDword(0, d1);
    Work.key.SetDword(1, d2);
    AddWork(list, withIntervals);
  }
  // AddStatValue of Work. Long lists (methods with hundreds of values) are searched through
  // an index of key positions kept for the list last worked on, rebuilt whenever the list
  // is another one, has shrunk or has moved in memory.
  void AddWork(TStatDrawArray& list, bool withIntervals);

  TDrawRec CurDraw;
  TDrawRec RefDraw;
  TStatDrawRec Work;

 private:
  void IndexList(TStatDrawArray& list);

  const StatContext& ctx_;
  const StatClassInfo& info_;
  int param_;
  const TStatDrawArray* indexedList_ = nullptr;
  const TStatDrawRec* indexedData_ = nullptr;
  size_t indexedSize_ = 0;
  std::unordered_map<uint64_t, uint32_t> keyIndex_;
};

// Creates an instance of a method class (the factories of the families).
template <typename T>
std::unique_ptr<TCustomStat> CreateStatOf(const StatContext& ctx, const StatClassInfo& info,
                                          int param) {
  return std::make_unique<T>(ctx, info, param);
}

// Values are lottery numbers; the text is the first key component.
class TCustomValuesStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  std::string ValueToText(const TStatDrawRec& rec) const override;
};

// Values are counts; the text is the first key component in decimal.
class TCustomNumbersStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  std::string ValueToText(const TStatDrawRec& rec) const override;
};

// Values are 3-bit position masks shown as letters.
class TCustomMaskStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  virtual const char* ZeroLetter() const = 0;
  virtual const char* OneLetter() const = 0;
  std::string ValueToText(const TStatDrawRec& rec) const override;
  int32_t TextToKey(std::string_view text) const override;
  void PrepareValues(int last, TStatDrawArray& list) override;
};

// Methods with a graph value.
class TCustomGraphStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  bool HasGraph() const override { return true; }
  std::string ValueToText(const TStatDrawRec& rec) const override;
};

// Counts k of the three numbers having a property, shown as "k:3-k".
class TCustomRatioStat : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  std::string ValueToText(const TStatDrawRec& rec) const override;
  int32_t TextToKey(std::string_view text) const override;
};

// Key look-ups of CombMatches: linear scans, true at the first hit.
bool HasKey(const TStatDrawArray& list, int16_t k1, int16_t k2, int16_t k3, int16_t k4);
bool HasKeyWord(const TStatDrawArray& list, int k, int16_t v);
bool HasKeyDword(const TStatDrawArray& list, int k, int32_t v);
bool HasKeyByte(const TStatDrawArray& list, int k, uint8_t v);
bool HasKeyPair(const TStatDrawArray& list, int16_t a, int16_t b);

inline int SumOf(const TComb& c) { return c[0] + c[1] + c[2]; }

// One value per draw and per combination, ValueOf(numbers), matched by key component 1; the
// graph value is GraphOf(numbers), the value itself unless told otherwise. With
// First <= Last the values First..Last are listed in advance. Combinations are taken in
// their stored order.
template <int16_t (*ValueOf)(const TComb&), int16_t First = 0, int16_t Last = -1,
          int16_t (*GraphOf)(const TComb&) = ValueOf, class Base = TCustomGraphStat>
class CombValueStat : public Base {
 public:
  using Base::Base;
  void PrepareValues(int, TStatDrawArray& list) override {
    this->BasePrepare();
    for (int v = First; v <= Last; ++v) this->Add(list, false, static_cast<int16_t>(v));
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    this->BaseEvaluateDraw(index, last, sortFlag);
    this->Add(list, true, ValueOf(this->CurDraw.nums));
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    this->BaseEvaluateComb();
    this->Add(list, false, ValueOf(comb));
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return HasKeyWord(selected, 1, ValueOf(comb));
  }
  int32_t GraphValueOf(int, int, const TComb& comb, bool) override { return GraphOf(comb); }
};

// What a number at a position stands for in the methods that treat numbers, channels and
// segments alike: the number itself, its channel or its segment. The channel size and the
// segment table are copies taken from the game settings when the method is created.
enum class ValueKind : uint8_t { Numbers, Channels, Segments };

class ValueMap {
 public:
  ValueMap(ValueKind kind, const TConfigData& config)
      : kind_(kind), channelSize_(config.channelSize), segments_(config.segments) {}

  ValueKind Kind() const { return kind_; }
  int ChannelSize() const { return channelSize_; }

  // Position 1..3.
  int At(int position, int number) const {
    switch (kind_) {
      case ValueKind::Channels:
        return ChannelOf(number, channelSize_);
      case ValueKind::Segments:
        return SegmentOf(segments_, position, number);
      case ValueKind::Numbers:
        break;
    }
    return number;
  }
  // Some position p of the numbers has At(p, nums[p]) = v.
  bool In(const TComb& nums, int v) const {
    for (int p = 1; p <= NumsCount; ++p)
      if (At(p, nums[static_cast<size_t>(p - 1)]) == v) return true;
    return false;
  }
  // The smallest and the largest value: the numbers of the game, the channels 1..count, or
  // the segment numbers found in the table.
  std::pair<int, int> Range() const {
    switch (kind_) {
      case ValueKind::Channels:
        return {1, ChannelsCount(channelSize_)};
      case ValueKind::Segments:
        return SegmentRange(segments_);
      case ValueKind::Numbers:
        break;
    }
    return {MinNum, MaxNum};
  }

 private:
  ValueKind kind_;
  int channelSize_;
  TSegmentTable segments_;
};

// The prime table of the families: 1 and the primes from 2 to 251.
bool IsPrimeNumber(int n);

// Position coordinates: one value per position of a combination standing for the number
// there, such as its channel, its segment at that position, or its matrix column or row. The
// channel, matrix and segment families describe a draw by them: a family base supplies
// `PosCoords CoordsOf(const TComb&) const`, and the method templates below do the rest.
using PosCoords = std::array<int16_t, NumsCount>;

// The number of different coordinates (the parameter is not used).
int16_t DistinctCoords(const PosCoords& c, int param);
// How many positions have the coordinate v.
int16_t PositionsWithCoord(const PosCoords& c, int v);

// How many positions lie in each coordinate, in the order the coordinates were entered; a
// coordinate counted without having been entered is appended. Fixed capacity, so that the
// hot paths do not allocate.
class CoordTally {
 public:
  struct Entry {
    int16_t coord;
    int16_t count;
  };
  // Enters the coordinate with count 0 unless it is there already.
  void Enter(int coord) { Add(coord, 0); }
  void Count(const PosCoords& c) {
    for (int16_t v : c) Add(v, 1);
  }
  const Entry* begin() const { return entries_.data(); }
  const Entry* end() const { return entries_.data() + size_; }

 private:
  void Add(int coord, int count);
  // Every cell of a segment table, and the three coordinates of a combination.
  std::array<Entry, NumsCount * ValuesCount + NumsCount> entries_{};
  size_t size_ = 0;
};

// The groups of positions of the sub-combination methods: every pair (1,2), (1,3), (2,3);
// the neighbouring pairs (1,2), (2,3); or the one triple (1,2,3).
enum class PosGroups : uint8_t { AllPairs, NeighbourPairs, Triple };

// The keys of the groups of c in the order above, unused components 0; returns how many.
int PosGroupKeys(PosGroups groups, const PosCoords& c, std::array<TStatKey, 3>& keys);
// The components of a group key in decimal joined with ":" ("1:4", "1:1:5").
std::string PosGroupText(PosGroups groups, const TStatKey& key);

// The coordinate of every position as a value (key component 1); a coordinate met at two
// positions counts twice.
template <class Base>
class CoordsStat : public Base {
 public:
  using Base::Base;
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    this->BaseEvaluateDraw(index, last, sortFlag);
    for (int16_t v : this->CoordsOf(this->CurDraw.nums)) this->Add(list, true, v);
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    this->BaseEvaluateComb();
    for (int16_t v : this->CoordsOf(comb)) this->Add(list, false, v);
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    for (int16_t v : this->CoordsOf(comb))
      if (HasKeyWord(selected, 1, v)) return true;
    return false;
  }
};

// (coordinate, how many positions lie in it) for every coordinate the derived class entered
// with EnterCoord, in that order, also when the count is 0: one value per coordinate.
template <class Base>
class CoordTallyStat : public Base {
 public:
  using Base::Base;
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    this->BaseEvaluateDraw(index, last, sortFlag);
    for (const auto& e : TallyOf(this->CurDraw.nums)) this->Add(list, true, e.coord, e.count);
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    this->BaseEvaluateComb();
    for (const auto& e : TallyOf(comb)) this->Add(list, false, e.coord, e.count);
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    for (const auto& e : TallyOf(comb))
      if (HasKey(selected, e.coord, e.count, 0, 0)) return true;
    return false;
  }

 protected:
  void EnterCoord(int coord) { entered_.Enter(coord); }

 private:
  CoordTally TallyOf(const TComb& comb) const {
    CoordTally tally = entered_;
    tally.Count(this->CoordsOf(comb));
    return tally;
  }
  CoordTally entered_;
};

// One value per combination, ValueOf(coordinates, Param()), matched by key component 1 and
// also the graph value.
template <class Base, int16_t (*ValueOf)(const PosCoords&, int)>
class CoordValueStat : public Base {
 public:
  using Base::Base;
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    this->BaseEvaluateDraw(index, last, sortFlag);
    this->Add(list, true, Value(this->CurDraw.nums));
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    this->BaseEvaluateComb();
    this->Add(list, false, Value(comb));
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return HasKeyWord(selected, 1, Value(comb));
  }
  int32_t GraphValueOf(int, int, const TComb& comb, bool) override { return Value(comb); }

 private:
  int16_t Value(const TComb& comb) const { return ValueOf(this->CoordsOf(comb), this->Param()); }
};

// The groups of coordinates (PosGroups) of a draw as values, shown joined with ":". Nothing
// is listed in advance and nothing is added for a combination (no norm).
template <class Base, PosGroups Groups>
class CoordGroupsStat : public Base {
 public:
  using Base::Base;
  std::string ValueToText(const TStatDrawRec& rec) const override {
    return PosGroupText(Groups, rec.key);
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    this->BaseEvaluateDraw(index, last, sortFlag);
    std::array<TStatKey, 3> keys;
    const int n = PosGroupKeys(Groups, this->CoordsOf(this->CurDraw.nums), keys);
    for (int i = 0; i < n; ++i) {
      this->Work.key = keys[static_cast<size_t>(i)];
      this->AddWork(list, true);
    }
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    std::array<TStatKey, 3> keys;
    const int n = PosGroupKeys(Groups, this->CoordsOf(comb), keys);
    for (int i = 0; i < n; ++i) {
      const auto& k = keys[static_cast<size_t>(i)].k;
      if (HasKey(selected, k[0], k[1], k[2], k[3])) return true;
    }
    return false;
  }
};

}  // namespace korvane
