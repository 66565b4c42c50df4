#pragma once

// The systems part of the workspace: the list of the online systems library and the local
// store of downloaded systems (Systems/ in the data folder), from which system play takes
// its wheel systems.

#include <optional>
#include <string>
#include <vector>

#include "app/online_session.h"
#include "app/session_context.h"
#include "app/settings_store.h"
#include "online/systems.h"

namespace korvane {

class SystemsSession {
 public:
  SystemsSession(const SessionContext& ctx, const SettingsStore& settings, OnlineSession& online);

  const std::vector<TSystemData>& List() const { return list_; }
  const SystemsStore& Store() const { return store_; }
  bool IsOwn(const TSystemData& s) const;
  bool Downloaded(const TSystemData& s) const { return store_.Has(s); }
  // The row of a system id in the list; -1 when absent.
  int RowOf(int32_t id) const;

  // "Обновить": the list anew; stale local systems are downloaded again at once. An empty
  // list gets the placeholder row. False on a failure (message shown; the list is empty).
  bool Refresh();
  // "Загрузить" of one row's system: its combinations into the store. False when it failed.
  bool Download(int row);
  // "Добавить": a new record of the user's (for the dialog), and its saving; the new row.
  TSystemData NewRecord() const;
  std::optional<int> Add(TSystemData s);
  // "Свойства" of an own system: saved with its id; the row follows.
  bool Change(int row, TSystemData s);
  // "Удалить": asks for an own system, refuses another's.
  bool Delete(int row);
  // The combinations of a row: the local file's, else the library's.
  std::string CombinationsOf(int row);
  // The system for the numbers, written with them; a failure's box is shown.
  LocalSystem LoadLocal(const TByteArray& numbers) const;

 private:
  LibraryContext Context() const;
  SystemsLibrary Library(HttpClient& client) const;

  SessionContext ctx_;
  const SettingsStore& settings_;
  OnlineSession& online_;
  SystemsStore store_;
  std::vector<TSystemData> list_;
};

}  // namespace korvane
