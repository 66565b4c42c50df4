#include "stats/stat_table.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "core/archive.h"
#include "core/strutil.h"
#include "core/weight.h"

namespace korvane {

const std::array<const char*, StatColumnCount>& StatColumnCaptions() {
  static const std::array<const char*, StatColumnCount> captions = {
      "Значение",    "Количество", "Кол-во в %",  "Норма",    "Отклонение",
      "Откл-ие в %", "Глубина",    "Глубина в %", "Вес",      "Посл. тираж",
      "Период min",  "Период",     "Период max",  "Ожд. ПРД", "Ожд. СТФ",
      "Ожд. КРН",    "Факт",       "+/- ПРД",     "+/- СТФ",  "+/- КРН"};
  return captions;
}

int64_t RoundDiv(int64_t num, int64_t den) {
  int64_t q = num / den;
  int64_t r = num % den;
  if (r < 0) {  // floor division
    --q;
    r += den;
  }
  if (2 * r > den || (2 * r == den && (q & 1) != 0)) ++q;
  return q;
}

namespace {

// A text read fully as a decimal number, "," taken as ".".
bool ReadNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  std::string t = text;
  std::replace(t.begin(), t.end(), ',', '.');
  const char* first = t.data();
  const char* last = t.data() + t.size();
  if (*first == '+') ++first;
  if (first == last) return false;
  for (const char* p = first; p != last; ++p)
    if (!((*p >= '0' && *p <= '9') || *p == '.' || (*p == '-' && p == first))) return false;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  return ec == std::errc() && ptr == last;
}

int Sign(int64_t v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

}  // namespace

int CompareCellTexts(const std::string& a, const std::string& b) {
  double x = 0;
  double y = 0;
  if (ReadNumber(a, x) && ReadNumber(b, y)) return x < y ? -1 : x > y ? 1 : 0;
  const std::string la = LowerUtf8(a);
  const std::string lb = LowerUtf8(b);
  return Sign(la.compare(lb));
}

void StatTable::Clear() {
  rows_.clear();
  chart_ = StatChart{};
  normShown_ = false;
  analysed_ = 0;
}

void StatTable::Build(const StatBuildInput& in) {
  Clear();
  if (in.registry == nullptr || in.entry < 0 || in.entry >= in.registry->Count()) return;
  const TDrawsArray& draws = *in.registry->Context().draws;
  if (draws.empty()) return;

  const int last = static_cast<int>(draws.size()) - 1 - in.offset;
  const int first = std::max(0, last - std::max(in.depth, 1) + 1);
  const int n = last - first + 1;
  auto stat = in.registry->CreateStat(in.entry);
  TStatDrawArray list;
  if (last >= first) {
    StatScratch scratch(std::max<size_t>(stat->ScratchSize(), 120), 0);
    TLastValueArray lastValues;
    stat->PrepareValues(last, list);
    for (int i = first; i <= last; ++i)
      stat->EvaluateDraw(i, last, in.sortFlag, list, scratch, lastValues);
    analysed_ = n;
  }
  const StatTotalsResult totals = StatTotals(list);
  const int64_t cmin = totals.minCount;
  const int64_t cmax = totals.maxCount;
  const int64_t total = totals.sum;
  const int64_t dmax = totals.maxDepth;

  // The norm: the full-set count scaled to the observed counts.
  const PrefetchData* pf = in.prefetch;
  const bool prefetch = pf != nullptr && pf->fmax != 0;
  auto scaledNorm = [&](int64_t fullCount) {
    if (pf->fmax == pf->fmin) return RoundDiv(fullCount * (cmax + cmin), 2 * int64_t{pf->fmax});
    return RoundDiv(fullCount * cmax, pf->fmax);
  };
  auto scaledValue = [&](int64_t fullCount) {
    if (pf->fmax == pf->fmin)
      return static_cast<double>(fullCount) * static_cast<double>(cmax + cmin) / 2.0 / pf->fmax;
    return static_cast<double>(fullCount) * static_cast<double>(cmax) / pf->fmax;
  };
  // Positions of the values by key (the first of equal keys).
  std::unordered_map<uint64_t, size_t> position;
  if (prefetch && !list.empty()) {
    position.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) position.try_emplace(list[i].key.Bits(), i);
    for (const TStatDrawRec& r : pf->records)
      if (const auto it = position.find(r.key.Bits()); it != position.end())
        list[it->second].expected = static_cast<int32_t>(scaledNorm(r.count));
  }
  normShown_ = prefetch;

  const TWeightCoefs& coefs = in.coefs != nullptr ? *in.coefs : in.registry->WeightCoefs();
  uint32_t mask = in.columns | StatColumnBit(StatColumn::Value);
  // A difference is made from its forecast's text.
  if (mask & StatColumnBit(StatColumn::DiffPrd)) mask |= StatColumnBit(StatColumn::ExpectedPrd);
  if (mask & StatColumnBit(StatColumn::DiffStf)) mask |= StatColumnBit(StatColumn::ExpectedStf);
  if (mask & StatColumnBit(StatColumn::DiffKrn)) mask |= StatColumnBit(StatColumn::ExpectedKrn);
  const auto want = [mask](StatColumn c) { return (mask & StatColumnBit(c)) != 0; };
  const bool wantFact =
      (mask & (StatColumnBit(StatColumn::Fact) | StatColumnBit(StatColumn::DiffPrd) |
               StatColumnBit(StatColumn::DiffStf) | StatColumnBit(StatColumn::DiffKrn))) != 0;
  rows_.reserve(list.size());
  std::vector<size_t> factRows;
  std::vector<TStatKey> factKeys;
  std::vector<int> factStarts;
  for (const TStatDrawRec& rec : list) {
    StatRow row;
    row.rec = rec;
    const int64_t c = rec.count;
    const int64_t e = rec.expected;
    const int64_t d = rec.depth;
    const int64_t L = rec.lastDraw;
    row.Text(StatColumn::Value) = stat->ValueToText(rec);
    if (want(StatColumn::Count)) row.Text(StatColumn::Count) = std::to_string(c);
    if (want(StatColumn::CountShare))
      row.Text(StatColumn::CountShare) =
          total != 0 ? FixedText(static_cast<double>(c) * 100 / static_cast<double>(total), 5)
                     : "-";
    if (prefetch) {
      if (want(StatColumn::Norm)) row.Text(StatColumn::Norm) = std::to_string(e);
      if (want(StatColumn::Deviation)) row.Text(StatColumn::Deviation) = std::to_string(c - e);
      if (want(StatColumn::DeviationShare)) {
        const double pct = e != 0   ? static_cast<double>(c - e) * 100 / static_cast<double>(e)
                           : c != 0 ? 100.0
                                    : 0.0;
        row.Text(StatColumn::DeviationShare) = FixedText(pct, 5);
      }
    } else {
      row.Text(StatColumn::Norm) = row.Text(StatColumn::Deviation) =
          row.Text(StatColumn::DeviationShare) = "-";
    }
    if (d == 0) {
      for (int col = static_cast<int>(StatColumn::Depth); col < StatColumnCount; ++col)
        row.texts[static_cast<size_t>(col)] = "-";
      rows_.push_back(std::move(row));
      continue;
    }
    if (want(StatColumn::Depth)) row.Text(StatColumn::Depth) = std::to_string(d);
    if (want(StatColumn::DepthShare))
      row.Text(StatColumn::DepthShare) =
          FixedText(static_cast<double>(d) * 100 / static_cast<double>(dmax), 2);
    if (want(StatColumn::Weight))
      row.Text(StatColumn::Weight) = FixedText(RowWeight(coefs, prefetch, c, e, d, total, dmax), 2);
    if (want(StatColumn::LastDraw)) row.Text(StatColumn::LastDraw) = std::to_string(L);
    if (c < 2) {
      row.Text(StatColumn::PeriodMin) = row.Text(StatColumn::Period) =
          row.Text(StatColumn::PeriodMax) = row.Text(StatColumn::ExpectedPrd) = "-";
    } else {
      if (want(StatColumn::PeriodMin))
        row.Text(StatColumn::PeriodMin) = std::to_string(rec.minInterval);
      if (want(StatColumn::Period))
        row.Text(StatColumn::Period) =
            FixedText(static_cast<double>(n) / static_cast<double>(c), 4);
      if (want(StatColumn::PeriodMax))
        row.Text(StatColumn::PeriodMax) = std::to_string(rec.maxInterval);
      if (want(StatColumn::ExpectedPrd))
        row.Text(StatColumn::ExpectedPrd) = std::to_string(RoundDiv(n + L * c, c));
    }
    if (c < 1) {
      for (int col = static_cast<int>(StatColumn::ExpectedStf); col < StatColumnCount; ++col)
        row.texts[static_cast<size_t>(col)] = "-";
    } else {
      if (want(StatColumn::ExpectedStf))
        row.Text(StatColumn::ExpectedStf) = std::to_string(RoundDiv((c + 1) * L, c));
      if (want(StatColumn::ExpectedKrn))
        row.Text(StatColumn::ExpectedKrn) = std::to_string(RoundDiv((c + 2) * (L + 1), c + 1));
      if (wantFact) {
        factRows.push_back(rows_.size());
        factKeys.push_back(rec.key);
        factStarts.push_back(IndexOfDrawNumber(draws, static_cast<int32_t>(L)) + 1);
      }
    }
    rows_.push_back(std::move(row));
  }
  // "Факт": the next occurrence after the last one, for all rows in one scan.
  if (!factRows.empty()) {
    const std::vector<int32_t> found = stat->FindNextDraws(factKeys, factStarts, last, in.sortFlag);
    for (size_t k = 0; k < factRows.size(); ++k) {
      StatRow& row = rows_[factRows[k]];
      const int32_t f = found[k];
      if (f < 0) {
        row.Text(StatColumn::Fact) = row.Text(StatColumn::DiffPrd) = row.Text(StatColumn::DiffStf) =
            row.Text(StatColumn::DiffKrn) = "-";
      } else {
        row.Text(StatColumn::Fact) = std::to_string(f);
        if (want(StatColumn::DiffPrd))
          row.Text(StatColumn::DiffPrd) = DiffText(row.Text(StatColumn::ExpectedPrd), f);
        if (want(StatColumn::DiffStf))
          row.Text(StatColumn::DiffStf) = DiffText(row.Text(StatColumn::ExpectedStf), f);
        if (want(StatColumn::DiffKrn))
          row.Text(StatColumn::DiffKrn) = DiffText(row.Text(StatColumn::ExpectedKrn), f);
      }
    }
  }

  // The chart.
  if (in.chart && list.size() > 1) {
    if (prefetch) {
      chart_.hasTotal = in.showTotalLine;
      double k = 0;
      for (const TStatDrawRec& r : pf->records) {
        ++k;
        if (in.showTotalLine)
          chart_.total.push_back({k, scaledValue(r.count), stat->ValueToText(r)});
        if (const auto it = position.find(r.key.Bits()); it != position.end()) {
          const TStatDrawRec& e = list[it->second];
          chart_.actual.push_back({k, static_cast<double>(e.count), stat->ValueToText(e)});
        }
      }
    } else {
      TStatDrawArray sorted = list;
      SortStatValues(sorted);
      double k = 0;
      for (const TStatDrawRec& e : sorted)
        chart_.actual.push_back({++k, static_cast<double>(e.count), stat->ValueToText(e)});
    }
  }
  if (in.sortRows) SortRows();
}

void StatTable::SetSort(int column, bool descending) {
  sortColumn_ = std::clamp(column, 0, StatColumnCount - 1);
  descending_ = descending;
  SortRows();
}

void StatTable::ClickColumn(int column) {
  if (column == sortColumn_)
    SetSort(column, !descending_);
  else
    SetSort(column, false);
}

namespace {

// CompareCellTexts on keys read once per cell: the number when the text is one, and the
// lower-case text.
struct CellKey {
  bool isNumber = false;
  double number = 0;
  std::string lower;
};

CellKey KeyOf(const std::string& text) {
  CellKey k;
  k.isNumber = ReadNumber(text, k.number);
  k.lower = LowerUtf8(text);
  return k;
}

int CompareKeys(const CellKey& a, const CellKey& b) {
  if (a.isNumber && b.isNumber) return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
  return Sign(a.lower.compare(b.lower));
}

// Numbers compare as numbers, texts and mixed pairs as texts: a strict order when there are only
// numbers, only texts, or every text lies below (or above) every number's text.
bool ConsistentKeys(const std::vector<CellKey>& keys) {
  const std::string* maxText = nullptr;
  const std::string* minText = nullptr;
  const std::string* maxNumber = nullptr;
  const std::string* minNumber = nullptr;
  for (const CellKey& k : keys) {
    const std::string*& lo = k.isNumber ? minNumber : minText;
    const std::string*& hi = k.isNumber ? maxNumber : maxText;
    if (lo == nullptr || k.lower < *lo) lo = &k.lower;
    if (hi == nullptr || k.lower > *hi) hi = &k.lower;
  }
  if (minText == nullptr || minNumber == nullptr) return true;
  return *maxText < *minNumber || *minText > *maxNumber;
}

}  // namespace

std::vector<int> SortedRowOrder(const std::vector<const std::string*>& column,
                                const std::vector<const std::string*>& value, bool descending,
                                std::vector<int> order, bool* unique) {
  const size_t n = column.size();
  std::vector<CellKey> byCol(n);
  std::vector<CellKey> byValue(n);
  for (size_t i = 0; i < n; ++i) {
    byCol[i] = KeyOf(*column[i]);
    byValue[i] = column[i] == value[i] ? byCol[i] : KeyOf(*value[i]);
  }
  // -1 when row a goes before row b.
  auto compare = [&](int a, int b) {
    int r = CompareKeys(byCol[static_cast<size_t>(a)], byCol[static_cast<size_t>(b)]);
    if (r == 0) r = CompareKeys(byValue[static_cast<size_t>(a)], byValue[static_cast<size_t>(b)]);
    return descending ? -r : r;
  };
  // A top-down stable merge sort: the comparison is not transitive on the difference columns,
  // so the algorithm fixes the order.
  std::vector<int> buffer(n);
  auto sort = [&](auto&& self, size_t lo, size_t hi) -> void {
    if (hi - lo < 2) return;
    const size_t mid = (lo + hi) / 2;
    self(self, lo, mid);
    self(self, mid, hi);
    size_t i = lo, j = mid, k = lo;
    while (i < mid && j < hi) {
      if (compare(order[j], order[i]) < 0)
        buffer[k++] = order[j++];
      else
        buffer[k++] = order[i++];
    }
    while (i < mid) buffer[k++] = order[i++];
    while (j < hi) buffer[k++] = order[j++];
    for (size_t x = lo; x < hi; ++x) order[x] = buffer[x];
  };
  sort(sort, 0, n);
  if (unique != nullptr) {
    *unique = ConsistentKeys(byCol) && ConsistentKeys(byValue);
    for (size_t i = 1; i < n && *unique; ++i) *unique = compare(order[i - 1], order[i]) != 0;
  }
  return order;
}

void StatTable::SortRows() {
  const size_t n = rows_.size();
  std::vector<const std::string*> column(n);
  std::vector<const std::string*> value(n);
  std::vector<int> order(n);
  for (size_t i = 0; i < n; ++i) {
    column[i] = &rows_[i].texts[static_cast<size_t>(sortColumn_)];
    value[i] = &rows_[i].Text(StatColumn::Value);
    order[i] = static_cast<int>(i);
  }
  order = SortedRowOrder(column, value, descending_, std::move(order));
  std::vector<StatRow> sorted;
  sorted.reserve(n);
  for (int i : order) sorted.push_back(std::move(rows_[static_cast<size_t>(i)]));
  rows_ = std::move(sorted);
}

void StatTable::Select(int row, bool on) {
  if (row >= 0 && row < RowCount()) rows_[static_cast<size_t>(row)].selected = on;
}

void StatTable::SelectOnly(const std::vector<int>& rows) {
  SelectAll(false);
  for (int r : rows) Select(r, true);
}

void StatTable::SelectAll(bool on) {
  for (StatRow& r : rows_) r.selected = on;
}

int StatTable::SelectedCount() const {
  int n = 0;
  for (const StatRow& r : rows_) n += r.selected;
  return n;
}

std::vector<int> StatTable::SelectedRows() const {
  std::vector<int> out;
  for (int i = 0; i < RowCount(); ++i)
    if (rows_[static_cast<size_t>(i)].selected) out.push_back(i);
  return out;
}

TStatDrawArray StatTable::SelectedRecords() const {
  TStatDrawArray out;
  for (const StatRow& r : rows_)
    if (r.selected) out.push_back(r.rec);
  return out;
}

TStatValues StatTable::RowToStatValues(int row) const {
  TStatValues v;
  if (row < 0 || row >= RowCount()) return v;
  const StatRow& r = rows_[static_cast<size_t>(row)];
  v.value = r.Text(StatColumn::Value);
  v.count = r.Text(StatColumn::Count);
  v.countPercent = r.Text(StatColumn::CountShare);
  v.deviation = r.Text(StatColumn::Deviation);
  v.deviationPercent = r.Text(StatColumn::DeviationShare);
  v.depth = r.Text(StatColumn::Depth);
  v.depthPercent = r.Text(StatColumn::DepthShare);
  v.weight = r.Text(StatColumn::Weight);
  v.periodMin = r.Text(StatColumn::PeriodMin);
  v.period = r.Text(StatColumn::Period);
  v.periodMax = r.Text(StatColumn::PeriodMax);
  return v;
}

}  // namespace korvane
