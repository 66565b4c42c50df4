#include "scenario/variants.h"

#include "core/error.h"
#include "core/intlist.h"
#include "core/strutil.h"
#include "filters/texts.h"
#include "scenario/texts.h"
#include "stats/stat_table.h"

namespace korvane {

VariantPlan::VariantPlan(const std::vector<TFilterItem>& items) : items_(items) {
  count_ = items_.empty() ? 0 : 1;
  for (const TFilterItem& item : items_) {
    TIntArray draws = ParseIntList(item.drawsText);
    TIntArray levels = item.levelMode != LNO ? ParseIntList(item.levelText) : TIntArray{};
    bool bad = draws.empty() || (item.levelMode != LNO && levels.empty()) || item.sortColumn < 0 ||
               item.sortColumn >= StatColumnCount;
    for (int d : draws) bad = bad || d < 1;
    if (bad) throw Error(Format(texts::BadFilter, FilterItemToText(item).c_str()));
    const uint64_t radix =
        static_cast<uint64_t>(draws.size()) * (IsThresholdMode(item.levelMode) ? levels.size() : 1);
    if (__builtin_mul_overflow(count_, radix, &count_) || count_ > MaxVariants)
      throw Error(std::string(texts::TooManyVariants) + "\n\n" +
                  Format(texts::VariantsCount, static_cast<unsigned long long>(MaxVariants)));
    radix_.push_back(radix);
    draws_.push_back(std::move(draws));
    levels_.push_back(std::move(levels));
  }
}

TFilterVar VariantPlan::At(uint64_t k) const {
  TFilterVar v;
  // Mixed radix with the last item varying fastest.
  std::vector<uint64_t> digit(items_.size());
  for (size_t d = items_.size(); d-- > 0;) {
    digit[d] = k % radix_[d];
    k /= radix_[d];
  }
  for (size_t d = 0; d < items_.size(); ++d) {
    const TFilterItem& item = items_[d];
    const bool threshold = IsThresholdMode(item.levelMode);
    const uint64_t levelsPer = threshold ? levels_[d].size() : 1;
    TFilterPart& p = v.parts[d];
    p.used = true;
    p.methodCode = item.methodCode.empty()
                       ? std::string(Trim(item.methodText.substr(0, item.methodText.find(':'))))
                       : item.methodCode;
    p.drawsLen = draws_[d][digit[d] / levelsPer];
    p.sortColumn = item.sortColumn;
    p.bottomUp = item.bottomUp;
    p.multiSelect = item.multiSelect;
    p.keep = item.keep;
    p.levelMode = item.levelMode;
    p.coefsOverride = item.coefsOverride;
    p.coefs = item.coefs;
    p.stopMode = item.stopMode;
    p.stopValue = item.stopValue;
    if (threshold) {
      p.levelValue = p.levelText = std::to_string(levels_[d][digit[d] % levelsPer]);
    } else {
      p.levelValue = !levels_[d].empty() ? IntListToText(levels_[d], ",") : item.levelText;
      p.levelText = item.levelText;
    }
  }
  return v;
}

}  // namespace korvane
