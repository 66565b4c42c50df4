#include "stats/stat_table.h"

#include <algorithm>
#include <charconv>

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
  if (prefetch && !list.empty()) {
    for (const TStatDrawRec& r : pf->records)
      for (TStatDrawRec& e : list)
        if (e.key == r.key) {
          e.expected = static_cast<int32_t>(scaledNorm(r.count));
          break;
        }
  }
  normShown_ = prefetch;

  const TWeightCoefs& coefs = in.registry->WeightCoefs();
  rows_.reserve(list.size());
  for (const TStatDrawRec& rec : list) {
    StatRow row;
    row.rec = rec;
    auto& t = row.texts;
    const int64_t c = rec.count;
    const int64_t e = rec.expected;
    const int64_t d = rec.depth;
    const int64_t L = rec.lastDraw;
    t[0] = stat->ValueToText(rec);
    t[1] = std::to_string(c);
    t[2] = total != 0 ? Format("%.5f", static_cast<double>(c) * 100 / static_cast<double>(total))
                      : "-";
    if (prefetch) {
      t[3] = std::to_string(e);
      t[4] = std::to_string(c - e);
      const double pct = e != 0   ? static_cast<double>(c - e) * 100 / static_cast<double>(e)
                         : c != 0 ? 100.0
                                  : 0.0;
      t[5] = Format("%.5f", pct);
    } else {
      t[3] = t[4] = t[5] = "-";
    }
    if (d == 0) {
      for (int col = 6; col < StatColumnCount; ++col) t[static_cast<size_t>(col)] = "-";
      rows_.push_back(std::move(row));
      continue;
    }
    t[6] = std::to_string(d);
    t[7] = Format("%.2f", static_cast<double>(d) * 100 / static_cast<double>(dmax));
    t[8] = Format("%.2Lf", RowWeight(coefs, prefetch, c, e, d, total, dmax));
    t[9] = std::to_string(L);
    if (c < 2) {
      t[10] = t[11] = t[12] = t[13] = "-";
    } else {
      t[10] = std::to_string(rec.minInterval);
      t[11] = Format("%.4f", static_cast<double>(n) / static_cast<double>(c));
      t[12] = std::to_string(rec.maxInterval);
      t[13] = std::to_string(RoundDiv(n + L * c, c));
    }
    if (c < 1) {
      for (int col = 14; col < StatColumnCount; ++col) t[static_cast<size_t>(col)] = "-";
    } else {
      t[14] = std::to_string(RoundDiv((c + 1) * L, c));
      t[15] = std::to_string(RoundDiv((c + 2) * (L + 1), c + 1));
      const int start = IndexOfDrawNumber(draws, static_cast<int32_t>(L)) + 1;
      const int32_t f = stat->FindNextDraw(rec, start, last, in.sortFlag);
      if (f < 0) {
        t[16] = t[17] = t[18] = t[19] = "-";
      } else {
        t[16] = std::to_string(f);
        t[17] = DiffText(t[13], f);
        t[18] = DiffText(t[14], f);
        t[19] = DiffText(t[15], f);
      }
    }
    rows_.push_back(std::move(row));
  }

  // The chart.
  if (list.size() > 1) {
    if (prefetch) {
      chart_.hasTotal = in.showTotalLine;
      double k = 0;
      for (const TStatDrawRec& r : pf->records) {
        ++k;
        if (in.showTotalLine)
          chart_.total.push_back({k, scaledValue(r.count), stat->ValueToText(r)});
        for (const TStatDrawRec& e : list)
          if (e.key == r.key) {
            chart_.actual.push_back({k, static_cast<double>(e.count), stat->ValueToText(e)});
            break;
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
  SortRows();
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

void StatTable::SortRows() {
  const size_t col = static_cast<size_t>(sortColumn_);
  const bool desc = descending_;
  // -1 when a goes before b.
  auto compare = [col, desc](const StatRow& a, const StatRow& b) {
    int r = CompareCellTexts(a.texts[col], b.texts[col]);
    if (r == 0) r = CompareCellTexts(a.texts[0], b.texts[0]);
    return desc ? -r : r;
  };
  // A top-down stable merge sort: the comparison is not transitive on the difference
  // columns, so the algorithm fixes the order.
  std::vector<StatRow> buffer(rows_.size());
  auto sort = [&](auto&& self, size_t lo, size_t hi) -> void {
    if (hi - lo < 2) return;
    const size_t mid = (lo + hi) / 2;
    self(self, lo, mid);
    self(self, mid, hi);
    size_t i = lo, j = mid, k = lo;
    while (i < mid && j < hi) {
      if (compare(rows_[j], rows_[i]) < 0)
        buffer[k++] = std::move(rows_[j++]);
      else
        buffer[k++] = std::move(rows_[i++]);
    }
    while (i < mid) buffer[k++] = std::move(rows_[i++]);
    while (j < hi) buffer[k++] = std::move(rows_[j++]);
    for (size_t x = lo; x < hi; ++x) rows_[x] = std::move(buffer[x]);
  };
  sort(sort, 0, rows_.size());
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
  const auto& t = rows_[static_cast<size_t>(row)].texts;
  v.value = t[0];
  v.count = t[1];
  v.countPercent = t[2];
  v.deviation = t[4];
  v.deviationPercent = t[5];
  v.depth = t[6];
  v.depthPercent = t[7];
  v.weight = t[8];
  v.periodMin = t[10];
  v.period = t[11];
  v.periodMax = t[12];
  return v;
}

}  // namespace korvane
