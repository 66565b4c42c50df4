#include "scenario/step_tables.h"

namespace korvane {

namespace {

std::vector<const std::string*> ColumnTexts(const std::vector<StatRow>& rows, StatColumn c) {
  std::vector<const std::string*> texts(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) texts[i] = &rows[i].Text(c);
  return texts;
}

}  // namespace

uint32_t StepColumns() {
  uint32_t bits = 0;
  for (StatColumn c :
       {StatColumn::Value, StatColumn::Count, StatColumn::CountShare, StatColumn::Deviation,
        StatColumn::DeviationShare, StatColumn::Depth, StatColumn::DepthShare, StatColumn::Weight,
        StatColumn::PeriodMin, StatColumn::Period, StatColumn::PeriodMax})
    bits |= StatColumnBit(c);
  return bits;
}

const StepTable::Order& StepTable::Sorted(int column, bool descending) const {
  const size_t slot = static_cast<size_t>(column) * 2 + (descending ? 1 : 0);
  std::call_once(once_[slot], [&] {
    std::vector<int> start(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) start[i] = static_cast<int>(i);
    Order& o = sorted_[slot];
    o.rows = SortedRowOrder(ColumnTexts(rows, static_cast<StatColumn>(column)),
                            ColumnTexts(rows, StatColumn::Value), descending, std::move(start),
                            &o.unique);
  });
  return sorted_[slot];
}

std::vector<int> StepTable::Resorted(const std::vector<int>& from, int column) const {
  return SortedRowOrder(ColumnTexts(rows, static_cast<StatColumn>(column)),
                        ColumnTexts(rows, StatColumn::Value), true, from);
}

void StepTables::Reset(int offset) {
  const std::lock_guard lock(mutex_);
  slots_.clear();
  offset_ = offset;
}

std::shared_ptr<const StepTable> StepTables::Get(const StepTableKey& key) {
  Slot* slot = nullptr;
  {
    const std::lock_guard lock(mutex_);
    for (const auto& s : slots_)
      if (s->key == key) {
        slot = s.get();
        break;
      }
    if (slot == nullptr) {
      slots_.push_back(std::make_unique<Slot>());
      slot = slots_.back().get();
      slot->key = key;
    }
  }
  // Another worker may be building it: this one waits for that build.
  std::call_once(slot->once, [&] { slot->table = Build(key); });
  return slot->table;
}

std::shared_ptr<StepTable> StepTables::Build(const StepTableKey& key) const {
  auto table = std::make_shared<StepTable>();
  table->caption = inputs_.registry->ListText(key.entry, true);
  StatBuildInput in;
  in.registry = inputs_.registry;
  in.entry = key.entry;
  in.offset = offset_;
  in.depth = key.depth;
  in.sortFlag = inputs_.sortFlag;
  in.showTotalLine = inputs_.showTotalLine;
  in.coefs = &key.coefs;
  in.columns = inputs_.columns;
  in.chart = false;
  in.sortRows = false;
  if (inputs_.prefetch != nullptr)
    if (const auto it = inputs_.prefetch->find(key.entry); it != inputs_.prefetch->end())
      in.prefetch = &it->second;
  StatTable built;
  try {
    built.Build(in);
  } catch (const std::exception& e) {
    table->error = e.what();
    return table;
  }
  table->rows = built.Rows();
  table->values.reserve(table->rows.size());
  for (int r = 0; r < built.RowCount(); ++r) table->values.push_back(built.RowToStatValues(r));
  return table;
}

}  // namespace korvane
