#include "app/tables_session.h"

#include <algorithm>

#include "app/dialogue.h"
#include "core/error.h"
#include "stakes/texts.h"

namespace korvane {

TablesSession::TablesSession(const SessionContext& ctx, const SettingsStore& settings)
    : ctx_(ctx), settings_(settings) {}

std::vector<std::string> TablesSession::Names() const {
  std::vector<std::string> names;
  for (const TTableData& r : tables_.Rows()) names.push_back(r.name);
  return names;
}

void TablesSession::Load() {
  tables_.Clear();
  std::error_code ec;
  if (Visible() && fs::exists(ctx_.files.Tables(), ec)) {
    BusyScope busy(ctx_.busy, texts::LoadingTables);
    Guarded(ctx_.host, texts::TablesReadError, [&] { tables_.Load(ctx_.files.Tables()); });
  }
  Refresh();
}

void TablesSession::Drop() {
  tables_.Clear();
  Refresh();
}

bool TablesSession::Save() {
  bool ok = true;
  if (Visible()) {
    BusyScope busy(ctx_.busy, texts::SavingTables);
    ok = Guarded(ctx_.host, texts::TablesWriteError, [&] { tables_.Save(ctx_.files.Tables()); });
  }
  Refresh();
  return ok;
}

bool TablesSession::Add(const std::vector<TTableData>& regulars) {
  {
    BusyScope busy(ctx_.busy, texts::MakingTables);
    if (!Guarded(ctx_.host, nullptr, [&] {
          for (const TTableData& r : regulars) tables_.Add(r);
        }))
      return false;
  }
  return Save();
}

bool TablesSession::Delete(std::vector<int> rows) {
  if (!ConfirmDelete(ctx_.host, static_cast<int>(rows.size()))) return false;
  {
    BusyScope busy(ctx_.busy, texts::DeletingTables);
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (!Guarded(ctx_.host, nullptr, [&] {
          for (int r : rows) tables_.Delete(r);
        })) {
      Refresh();
      return false;
    }
  }
  return Save();
}

bool TablesSession::Replace(int row, const TTableData& regular) {
  if (!Guarded(ctx_.host, nullptr, [&] { tables_.Replace(row, regular); })) return false;
  return Save();
}

const TTableData& TablesSession::Advance(int row, const DrawArchive& archive, int offset) {
  TTableData r = tables_.Rows().at(static_cast<size_t>(row));
  TablesAdvance(r, archive, offset);
  tables_.Replace(row, r);
  return tables_.Rows()[static_cast<size_t>(row)];
}

void TablesSession::Refresh() { ctx_.host.changed(ChangeTables); }

}  // namespace korvane
