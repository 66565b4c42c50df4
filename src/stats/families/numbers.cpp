// The drawn numbers one by one: numbers, digits, even/small/prime counts and patterns, the
// number at a position.

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

namespace {

bool IsEven(int n) { return n % 2 == 0; }
bool IsSmall(int n) { return n <= 4; }
bool IsOdd(int n) { return !IsEven(n); }
bool IsLarge(int n) { return !IsSmall(n); }

// NUMS: each of the three numbers.
class TstValues : public TCustomValuesStat {
 public:
  using TCustomValuesStat::TCustomValuesStat;
  void PrepareValues(int, TStatDrawArray& list) override {
    BasePrepare();
    for (int n = MinNum; n <= MaxNum; ++n) Add(list, false, static_cast<int16_t>(n));
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    for (uint8_t n : CurDraw.nums) Add(list, true, n);
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    BaseEvaluateComb();
    for (uint8_t n : comb) Add(list, false, n);
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    for (uint8_t n : comb)
      if (HasKey(selected, n, 0, 0, 0)) return true;
    return false;
  }
};

// DIGS: every decimal digit of every number; only digits that occurred are listed.
class TstDigits : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    AddDigits(list, CurDraw.nums, true);
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    BaseEvaluateComb();
    AddDigits(list, comb, false);
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    for (uint8_t n : comb) {
      char text[4];
      const int len = Digits(n, text);
      for (int i = 0; i < len; ++i)
        if (HasKey(selected, static_cast<int16_t>(text[i] - '0'), 0, 0, 0)) return true;
    }
    return false;
  }

 private:
  static int Digits(int n, char* text) {
    // The number text of a number 0..255 without allocating.
    if (n >= 100) {
      text[0] = static_cast<char>('0' + n / 100);
      text[1] = static_cast<char>('0' + n / 10 % 10);
      text[2] = static_cast<char>('0' + n % 10);
      return 3;
    }
    if (n >= 10) {
      text[0] = static_cast<char>('0' + n / 10);
      text[1] = static_cast<char>('0' + n % 10);
      return 2;
    }
    text[0] = static_cast<char>('0' + n);
    return 1;
  }
  void AddDigits(TStatDrawArray& list, const TComb& nums, bool withIntervals) {
    for (uint8_t n : nums) {
      char text[4];
      const int len = Digits(n, text);
      for (int i = 0; i < len; ++i) Add(list, withIntervals, static_cast<int16_t>(text[i] - '0'));
    }
  }
};

// EVEN, SMAL, PRIM: how many of the three numbers have the property.
template <bool (*Property)(int)>
int16_t PropertyCount(const TComb& c) {
  return static_cast<int16_t>(Property(c[0]) + Property(c[1]) + Property(c[2]));
}
template <bool (*Property)(int)>
using TstPropertyCount =
    CombValueStat<PropertyCount<Property>, 1, NumsCount, PropertyCount<Property>, TCustomRatioStat>;

// EVNV, SMLV, PRMV: the pattern of the property by position as a mask.
template <bool (*Bit)(int), bool PreListed>
class TstPropertyMask : public TCustomMaskStat {
 public:
  TstPropertyMask(const StatContext& ctx, const StatClassInfo& info, int param, const char* zero,
                  const char* one)
      : TCustomMaskStat(ctx, info, param), zero_(zero), one_(one) {}
  const char* ZeroLetter() const override { return zero_; }
  const char* OneLetter() const override { return one_; }
  void PrepareValues(int last, TStatDrawArray& list) override {
    if (PreListed) TCustomMaskStat::PrepareValues(last, list);
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    AddDword(list, true, MaskOf(CurDraw.nums));
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    BaseEvaluateComb();
    AddDword(list, false, MaskOf(comb));
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return HasKeyDword(selected, 1, MaskOf(comb));
  }

 private:
  static int32_t MaskOf(const TComb& c) {
    int32_t m = 0;
    for (uint8_t n : c) m = 2 * m + (Bit(n) ? 1 : 0);
    return m;
  }
  const char* zero_;
  const char* one_;
};

class TstEvenValues : public TstPropertyMask<IsOdd, true> {
 public:
  TstEvenValues(const StatContext& ctx, const StatClassInfo& info, int param)
      : TstPropertyMask(ctx, info, param, "Ч", "н") {}
};
class TstSmallValues : public TstPropertyMask<IsLarge, false> {
 public:
  TstSmallValues(const StatContext& ctx, const StatClassInfo& info, int param)
      : TstPropertyMask(ctx, info, param, "1", "2") {}
};
class TstPrimeValues : public TstPropertyMask<IsPrimeNumber, true> {
 public:
  TstPrimeValues(const StatContext& ctx, const StatClassInfo& info, int param)
      : TstPropertyMask(ctx, info, param, "С", "П") {}
};

// POS1..POS3: the number at position Param.
class TstPosVal : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  void PrepareValues(int, TStatDrawArray& list) override {
    BasePrepare();
    for (int n = MinNum; n <= MaxNum; ++n) Add(list, false, static_cast<int16_t>(n));
  }
  void EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& list, StatScratch&,
                    TLastValueArray&) override {
    BaseEvaluateDraw(index, last, sortFlag);
    Add(list, true, At(CurDraw.nums));
  }
  void EvaluateComb(TStatDrawArray& list, const TComb& comb) override {
    BaseEvaluateComb();
    Add(list, false, At(comb));
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    return HasKeyWord(selected, 1, At(comb));
  }
  int32_t GraphValueOf(int, int, const TComb& comb, bool) override { return At(comb); }

 private:
  int16_t At(const TComb& c) const { return c[static_cast<size_t>(Param() - 1)]; }
};

// POE: the extra number of games that draw one; this game has none (empty range).
class TstPosExt : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  bool CombMatches(const TStatDrawArray&, int, const TComb&, bool, bool) override { return false; }
};

}  // namespace

const std::vector<FamilyMember>& NumberFamily() {
  static const std::vector<FamilyMember> members = {
      {"TstValues", "Числа тиража", &CreateStatOf<TstValues>},
      {"TstDigits", "Цифры тиража", &CreateStatOf<TstDigits>},
      {"TstEvenCount", "Количество четных чисел в тираже (Ч:Н)",
       &CreateStatOf<TstPropertyCount<IsEven>>},
      {"TstEvenValues", "Четные и нечетные числа в тираже (Чн..нЧ)", &CreateStatOf<TstEvenValues>},
      {"TstSmallCount", "Количество чисел из первой половины диапазона (1П:2П)",
       &CreateStatOf<TstPropertyCount<IsSmall>>},
      {"TstSmallValues", "Числа из первой половины диапазона (12..12)",
       &CreateStatOf<TstSmallValues>},
      {"TstPrimeCount", "Количество простых чисел (П:С)",
       &CreateStatOf<TstPropertyCount<IsPrimeNumber>>},
      {"TstPrimeValues", "Простые и составные числа (ПС..СП)", &CreateStatOf<TstPrimeValues>},
      {"TstPosVal", "Число в %d позиции тиража", &CreateStatOf<TstPosVal>},
      {"TstPosExt", "Extra (Bonus, Star...) - число (!без фильтра!)", &CreateStatOf<TstPosExt>},
  };
  return members;
}

}  // namespace korvane
