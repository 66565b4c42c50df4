#include "stakes/ratings.h"

#include "core/strutil.h"

namespace korvane {

void Ratings::Add(const TStakeData& stake) {
  Add(stake.comment, stake.matched.count, stake.profit);
}

void Ratings::Add(std::string_view comment, int matches, Money profit) {
  const std::string key = LowerUtf8(comment);
  auto it = index_.find(key);
  if (it == index_.end()) {
    TRatingRec r;
    r.comment = std::string(comment);
    rows_.push_back(std::move(r));
    it = index_.emplace(key, static_cast<int>(rows_.size()) - 1).first;
  }
  AddStakeToRating(rows_[static_cast<size_t>(it->second)], matches, profit);
}

void Ratings::Clear() {
  rows_.clear();
  index_.clear();
}

void Ratings::Assign(TRatingsArray rows) {
  Clear();
  rows_ = std::move(rows);
  for (size_t i = 0; i < rows_.size(); ++i)
    index_.emplace(LowerUtf8(rows_[i].comment), static_cast<int>(i));
}

}  // namespace korvane
