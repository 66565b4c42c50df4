#include "app/systems_session.h"

#include "app/dialogue.h"
#include "app/version.h"
#include "core/strutil.h"
#include "online/texts.h"

namespace korvane {

SystemsSession::SystemsSession(const SessionContext& ctx, const SettingsStore& settings,
                               OnlineSession& online)
    : ctx_(ctx), settings_(settings), online_(online), store_(ctx.files.Dir() / SystemsFolder) {}

LibraryContext SystemsSession::Context() const { return LibraryIdentity(settings_.Online()); }

SystemsLibrary SystemsSession::Library(HttpClient& client) const {
  return SystemsLibrary(client, Context(), [this] { return !ctx_.host.poll(); });
}

bool SystemsSession::IsOwn(const TSystemData& s) const {
  return IsOwnSystem(s, settings_.Online().userMail);
}

int SystemsSession::RowOf(int32_t id) const {
  for (size_t i = 0; i < list_.size(); ++i)
    if (list_[i].id == id) return static_cast<int>(i);
  return -1;
}

bool SystemsSession::Refresh() {
  list_.clear();
  bool ok = true;
  {
    BusyScope busy(ctx_.busy, texts::SystemsListLoading);
    ok = Guarded(ctx_.host, texts::SystemsListError, [&] {
      const auto client = online_.NewClient();
      list_ = Library(*client).List();
    });
  }
  if (ok && list_.empty()) {
    TSystemData placeholder;
    placeholder.id = -1;
    placeholder.title = texts::SystemsListEmpty;
    list_.push_back(placeholder);
  }
  // A local system whose date is not the library's is downloaded again.
  for (size_t i = 0; ok && i < list_.size(); ++i)
    if (store_.Has(list_[i]) && !store_.Current(list_[i])) Download(static_cast<int>(i));
  ctx_.host.changed(ChangeSystems);
  return ok;
}

bool SystemsSession::Download(int row) {
  if (row < 0 || row >= static_cast<int>(list_.size()) || list_[static_cast<size_t>(row)].id <= 0)
    return false;
  const TSystemData& s = list_[static_cast<size_t>(row)];
  BusyScope busy(ctx_.busy, Format(texts::SystemDownloading, s.title.c_str()));
  std::string text;
  const bool ok = Guarded(ctx_.host, nullptr, [&] {
    try {
      const auto client = online_.NewClient();
      store_.Save(s, Library(*client).Combinations(s.id));
    } catch (const Error& e) {
      throw Error(Format(texts::SystemDownloadError, static_cast<int>(s.id), e.what()));
    }
  });
  ctx_.host.changed(ChangeSystems);
  return ok;
}

TSystemData SystemsSession::NewRecord() const {
  TSystemData s;
  s.author = settings_.Online().userName;
  s.mail = settings_.Online().userMail;
  s.created = Now();
  return s;
}

std::optional<int> SystemsSession::Add(TSystemData s) {
  s.id = 0;
  std::optional<int> row;
  BusyScope busy(ctx_.busy, Format(texts::SystemSaving, s.title.c_str()));
  Guarded(ctx_.host, texts::SystemAddError, [&] {
    const auto client = online_.NewClient();
    s.id = Library(*client).Put(s, false);
    if (!list_.empty() && list_.front().id <= 0) list_.clear();  // the placeholder goes
    list_.push_back(s);
    row = static_cast<int>(list_.size()) - 1;
  });
  ctx_.host.changed(ChangeSystems);
  return row;
}

bool SystemsSession::Change(int row, TSystemData s) {
  if (row < 0 || row >= static_cast<int>(list_.size())) return false;
  TSystemData& old = list_[static_cast<size_t>(row)];
  if (!IsOwn(old)) return false;
  s.id = old.id;
  BusyScope busy(ctx_.busy, Format(texts::SystemSaving, s.title.c_str()));
  const bool ok = Guarded(ctx_.host, texts::SystemChangeError, [&] {
    const auto client = online_.NewClient();
    Library(*client).Put(s, false);
    s.combinations.clear();
    old = s;
  });
  ctx_.host.changed(ChangeSystems);
  return ok;
}

bool SystemsSession::Delete(int row) {
  if (row < 0 || row >= static_cast<int>(list_.size()) || list_[static_cast<size_t>(row)].id <= 0)
    return false;
  const TSystemData s = list_[static_cast<size_t>(row)];
  if (!IsOwn(s)) {
    ctx_.host.showMessage(MessageKind::Warning, texts::SystemNotOwn);
    return false;
  }
  if (!ctx_.host.ask(Format(texts::SystemDeleteQuestion, s.title.c_str()), false)) return false;
  BusyScope busy(ctx_.busy, Format(texts::SystemDeleting, s.title.c_str()));
  const bool ok = Guarded(ctx_.host, texts::SystemDeleteError, [&] {
    const auto client = online_.NewClient();
    if (Library(*client).Put(s, true) != 0) return;
    store_.Remove(s);
    list_.erase(list_.begin() + row);
  });
  ctx_.host.changed(ChangeSystems);
  return ok;
}

std::string SystemsSession::CombinationsOf(int row) {
  if (row < 0 || row >= static_cast<int>(list_.size()) || list_[static_cast<size_t>(row)].id <= 0)
    return {};
  const TSystemData& s = list_[static_cast<size_t>(row)];
  std::string text;
  if (store_.Has(s)) {
    Guarded(ctx_.host, nullptr, [&] { text = ReadFile(store_.PathOf(s)); });
    return text;
  }
  BusyScope busy(ctx_.busy, Format(texts::SystemDownloading, s.title.c_str()));
  Guarded(ctx_.host, nullptr, [&] {
    try {
      const auto client = online_.NewClient();
      text = Library(*client).Combinations(s.id);
    } catch (const Error& e) {
      throw Error(Format(texts::SystemDownloadError, static_cast<int>(s.id), e.what()));
    }
  });
  return text;
}

LocalSystem SystemsSession::LoadLocal(const TByteArray& numbers) const {
  LocalSystem s = LoadLocalSystem(store_, numbers);
  if (!s.ok) ctx_.host.showMessage(MessageKind::Error, s.error);
  return s;
}

}  // namespace korvane
