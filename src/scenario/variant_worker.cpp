#include "scenario/variant_worker.h"

#include <algorithm>
#include <bit>

#include "core/error.h"
#include "core/strutil.h"
#include "scenario/row_tests.h"
#include "scenario/texts.h"

namespace korvane {

namespace {

std::string RowLog(const TStatValues& v) {
  return Format(texts::LogRow, v.value.c_str(), v.count.c_str(), v.countPercent.c_str(),
                v.deviation.c_str(), v.deviationPercent.c_str(), v.depth.c_str(),
                v.depthPercent.c_str(), v.weight.c_str());
}

std::string StepLog(int step, const TStatValues& v) {
  return Format(texts::LogStep, step, v.value.c_str(), v.count.c_str(), v.countPercent.c_str(),
                v.deviation.c_str(), v.deviationPercent.c_str(), v.depth.c_str(),
                v.depthPercent.c_str(), v.weight.c_str());
}

// The position of a combination among all of them, or -1 outside the game's numbers.
int CombIndex(const TComb& c) {
  int index = 0;
  for (uint8_t n : c) {
    if (n < MinNum || n > MaxNum) return -1;
    index = index * ValuesCount + (n - MinNum);
  }
  return index;
}

TComb CombAt(int index) {
  TComb c{};
  for (size_t p = c.size(); p-- > 0;) {
    c[p] = static_cast<uint8_t>(MinNum + index % ValuesCount);
    index /= ValuesCount;
  }
  return c;
}

int PopCount(const CombBits& b) {
  int n = 0;
  for (uint64_t w : b.words) n += std::popcount(w);
  return n;
}

uint64_t SelectionHash(int entry, bool remove, const TStatDrawArray& selection) {
  uint64_t h = static_cast<uint64_t>(entry) * 2 + (remove ? 1 : 0);
  for (const TStatDrawRec& r : selection)
    h = (h ^ r.key.Bits() ^ (static_cast<uint64_t>(static_cast<uint32_t>(r.count)) << 17)) *
        0x100000001b3ull;
  return h;
}

}  // namespace

VariantWorker::VariantWorker(const VariantContext& ctx, std::function<bool()> stop)
    : ctx_(ctx), stop_(std::move(stop)) {}

void VariantWorker::Reset() { matches_.clear(); }

void VariantWorker::Run(const TFilterVar& var, const CombList& start, const TableHistory& history,
                        VariantResult& out) {
  out.log.clear();
  out.messages.clear();
  out.tables.clear();
  out.error.clear();
  out.stopped = false;
  out.needsHistory = false;
  out.last.reset();
  out.list = start;
  out.startCount = start.Count();
  history_ = history;
  bits_ = LoadBits(start);
  try {
    for (const TFilterPart& p : var.parts) {
      if (stop_()) out.stopped = true;
      if (out.stopped) break;
      if (Count(out) > 1 && p.used) ApplyPart(p, out);
    }
  } catch (const Abort&) {
    out.needsHistory = true;
  } catch (const std::exception& e) {
    out.error = e.what();
  }
  if (bits_) StoreBits(out.list);
  out.history = history_;
}

bool VariantWorker::LoadBits(const CombList& list) {
  cur_ = CombBits{};
  int previous = -1;
  for (int k = 0; k < list.Count(); ++k) {
    const int i = CombIndex(list.At(k));
    if (i <= previous) return false;
    cur_.Set(i);
    previous = i;
  }
  cur_.count = list.Count();
  return true;
}

void VariantWorker::StoreBits(CombList& list) const {
  list.SetCount(cur_.count, cur_.count);
  int k = 0;
  for (size_t w = 0; w < cur_.words.size(); ++w)
    for (uint64_t bits = cur_.words[w]; bits != 0; bits &= bits - 1)
      list.Set(k++, CombAt(static_cast<int>(w * 64) + std::countr_zero(bits)));
}

int VariantWorker::EntryOf(const std::string& code) {
  if (const auto it = entries_.find(code); it != entries_.end()) return it->second;
  int found = -1;
  for (int entry : *ctx_.methods)
    if (SameText(ctx_.registry->Items(entry).MethodCode(), code)) {
      found = entry;
      break;
    }
  entries_.emplace(code, found);
  return found;
}

TCustomStat& VariantWorker::StatFor(int entry) {
  std::unique_ptr<TCustomStat>& stat = stats_[entry];
  if (!stat) stat = ctx_.registry->CreateStat(entry);
  return *stat;
}

void VariantWorker::ApplyPart(const TFilterPart& p, VariantResult& out) {
  const int entry = EntryOf(p.methodCode);
  if (entry < 0) {
    const int known = ctx_.registry->IndexOfCode(p.methodCode);
    const std::string name = known >= 0 ? ctx_.registry->Items(known).DisplayName() : std::string();
    throw Error(Format(texts::MethodNotFound, p.methodCode.c_str(), name.c_str()));
  }
  const StepTableKey key{entry, std::max(1, p.drawsLen),
                         p.coefsOverride ? p.coefs : ctx_.userCoefs};
  const int column = std::clamp(p.sortColumn, 0, StatColumnCount - 1);
  const std::shared_ptr<const StepTable> table = ctx_.tables->Get(key);
  if (!table->error.empty()) out.tables.push_back(table);

  // The same table as the step before is sorted again from that step's order; the order can
  // differ from a fresh sort only when the column's comparison is not a strict order.
  const StepTable::Order& sorted = table->Sorted(column, true);
  const std::vector<int>* order = &sorted.rows;
  std::vector<int> resorted;
  if (!sorted.unique) {
    if (!history_.known) throw Abort{};
    if (history_.present && history_.key == key) {
      resorted = table->Resorted(
          history_.fresh ? table->Sorted(history_.column, history_.descending).rows : history_.rows,
          column);
      order = &resorted;
    }
  }
  history_.known = history_.present = true;
  history_.key = key;
  history_.column = column;
  history_.descending = true;
  history_.fresh = order == &sorted.rows;
  history_.rows = resorted;
  out.last = AppliedStep{p.methodCode, key.depth, column};

  LogF(out, texts::LogTable, table->caption.c_str(), p.drawsLen);
  if (stop_()) {
    out.stopped = true;
    return;
  }
  if (ctx_.logOn)
    for (int r : *order) out.log.push_back(RowLog(table->values[static_cast<size_t>(r)]));

  TCustomStat& stat = StatFor(entry);
  int steps = 0;
  std::vector<int> selected;
  const int rows = static_cast<int>(order->size());
  for (int k = 0; k < rows; ++k) {
    if (stop_()) {
      out.stopped = true;
      return;
    }
    const int r = p.bottomUp ? rows - 1 - k : k;
    const TStatValues& vals = table->values[static_cast<size_t>((*order)[static_cast<size_t>(r)])];
    const int32_t value = stat.ParseValue(vals.value);
    if (StopBeforeRow(p, vals, Count(out), steps)) break;
    if (p.multiSelect) {
      if (RowQualifies(p, vals, value)) {
        selected.push_back(r);
        if (ctx_.logOn) out.log.push_back(StepLog(steps + 1, vals));
      }
      ++steps;
      continue;
    }
    if (!RowQualifies(p, vals, value)) continue;
    if (ctx_.logOn) out.log.push_back(StepLog(steps + 1, vals));
    Filter(stat, entry, *table, *order, {r}, p.keep, out);
    if (Count(out) == 0) {
      RollBack(out);
      if (p.stopMode == SZ) break;
    } else {
      ++steps;
    }
  }
  if (p.multiSelect) {
    Filter(stat, entry, *table, *order, selected, p.keep, out);
    if (Count(out) == 0) RollBack(out);
  }
}

VariantWorker::Matches& VariantWorker::MatchesFor(int entry, const TStatDrawArray& selection,
                                                  bool remove) {
  auto& bucket = matches_[SelectionHash(entry, remove, selection)];
  for (const auto& m : bucket)
    if (m->entry == entry && m->remove == remove && m->selection == selection) return *m;
  bucket.push_back(std::make_unique<Matches>(Matches{entry, remove, selection, {}, {}}));
  return *bucket.back();
}

void VariantWorker::Filter(TCustomStat& stat, int entry, const StepTable& table,
                           const std::vector<int>& order, const std::vector<int>& selected,
                           bool keep, VariantResult& out) {
  Log(out, keep ? texts::LogKeep : texts::LogRemove);
  CombList& list = out.list;
  if (bits_)
    undo_ = cur_;
  else
    list.UndoSave();
  // The selected rows go in the order of the table, as the user's selection does.
  std::vector<int> rows = selected;
  std::sort(rows.begin(), rows.end());
  selection_.clear();
  for (int r : rows)
    selection_.push_back(table.rows[static_cast<size_t>(order[static_cast<size_t>(r)])].rec);
  const bool remove = !keep;
  if (!selection_.empty()) {
    try {
      const int saved = bits_ ? undo_.count : list.UndoCount();
      if (saved > 0) {
        // A combination's answer depends only on the method, the selection and the offset:
        // every variant of the offset asks the method once per combination.
        Matches& m = MatchesFor(entry, selection_, remove);
        stat.LoadDraws(-1, ctx_.last, ctx_.sortFlag);
        auto ask = [&](int i, const TComb& c) {
          const bool kept =
              stat.CombMatches(selection_, ctx_.last, c, ctx_.sortFlag, remove) != remove;
          if (kept) m.kept.Set(i);
          m.known.Set(i);
          return kept;
        };
        if (bits_) {
          for (size_t w = 0; w < undo_.words.size(); ++w) {
            for (uint64_t unknown = undo_.words[w] & ~m.known.words[w]; unknown != 0;
                 unknown &= unknown - 1) {
              const int i = static_cast<int>(w * 64) + std::countr_zero(unknown);
              ask(i, CombAt(i));
            }
            cur_.words[w] = undo_.words[w] & m.kept.words[w];
          }
          cur_.count = PopCount(cur_);
        } else {
          list.KeepFromUndo([&](const TComb& c) {
            const int i = CombIndex(c);
            if (i < 0)
              return stat.CombMatches(selection_, ctx_.last, c, ctx_.sortFlag, remove) != remove;
            if (m.known.words[static_cast<size_t>(i >> 6)] & CombBits::Bit(i))
              return (m.kept.words[static_cast<size_t>(i >> 6)] & CombBits::Bit(i)) != 0;
            return ask(i, c);
          });
        }
        std::string values;
        for (size_t k = 0; k < rows.size(); ++k) {
          if (k > 0) values += "; ";
          values += table.rows[static_cast<size_t>(order[static_cast<size_t>(rows[k])])].Text(
              StatColumn::Value);
        }
        list.FiltersListAdd(remove, table.caption, std::move(values), Count(out));
      } else if (bits_) {
        cur_ = CombBits{};
      } else {
        list.SetCount(list.Capacity(), 0);
      }
    } catch (const std::exception& e) {
      // The list goes back to what it was before the filter; the run goes on.
      if (bits_)
        cur_ = undo_;
      else
        list.RestoreFromUndo();
      out.messages.push_back(e.what());
    }
  }
  LogF(out, texts::LogCount, Count(out));
}

void VariantWorker::RollBack(VariantResult& out) {
  Log(out, texts::LogUndo);
  if (bits_) {
    cur_ = undo_;
    out.list.FiltersListAddUndo(cur_.count);
  } else {
    out.list.UndoRestore();
    out.list.FiltersListAddUndo();
  }
}

}  // namespace korvane
