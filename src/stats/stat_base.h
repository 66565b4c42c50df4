#pragma once

// The statistic method framework: the abstract method and its intermediate bases.
//
// A method turns a draw of the archive, or a candidate combination, into statistic values
// (TStatKey) collected in TStatDrawRec accumulators. What a method is (code, name, group,
// features, parameters) is class metadata kept in StatClassInfo (registry.h); what it does
// is the virtual operations below.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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
  virtual int32_t FindNextDraw(const TStatDrawRec& rec, int start, int last, bool sortFlag);
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
    AddStatValue(list, Work, withIntervals);
  }
  void AddDword(TStatDrawArray& list, bool withIntervals, int32_t d1, int32_t d2 = 0) {
    Work.key.SetDword(0, d1);
    Work.key.SetDword(1, d2);
    AddStatValue(list, Work, withIntervals);
  }

  TDrawRec CurDraw;
  TDrawRec RefDraw;
  TStatDrawRec Work;

 private:
  const StatContext& ctx_;
  const StatClassInfo& info_;
  int param_;
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

// The prime table of the families: 1 and the primes from 2 to 251.
bool IsPrimeNumber(int n);

}  // namespace korvane
