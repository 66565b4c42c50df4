// The online operations of the workspace: the draw download and the self-update.

#include "app/dialogue.h"
#include "app/version.h"
#include "app/workspace.h"
#include "core/dates.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "online/texts.h"
#include "scenario/script_model.h"

namespace korvane {

namespace {

// The download's side of the workspace: progress to the Host, ranges into the archive.
class WorkspaceDownload final : public DownloadEvents {
 public:
  WorkspaceDownload(Host& host, const DownloadOptions& options,
                    std::function<void(const TDrawsArray&)> commit,
                    std::function<void(const ProxySettings&)> saveProxy)
      : host_(host),
        options_(options),
        commit_(std::move(commit)),
        saveProxy_(std::move(saveProxy)) {}

  void Progress(const DownloadProgress& p) override {
    host_.setStatus(p.status.empty() ? texts::Downloading : p.status);
    host_.progress(p.DaysDone(), p.DaysTotal(), p.waitText);
  }
  bool KeepGoing() override { return !host_.poll(); }
  void CommitRange(const TDrawsArray& draws) override { commit_(draws); }
  bool AskRetry(const std::string& failure) override {
    const std::string question = Format(texts::DownloadRetry, failure.c_str());
    if (!options_.retries) return host_.askError(question, true);
    // The command line answers from its option and says what failed.
    host_.showMessage(MessageKind::Warning, failure);
    return retried_++ < *options_.retries;
  }
  void Notice(const std::string& text) override { host_.showMessage(MessageKind::Error, text); }
  void SaveProxy(const ProxySettings& settings) override { saveProxy_(settings); }
  void RangeDone(const DownloadedRange& range) override {
    if (options_.onRange) options_.onRange(range);
  }

 private:
  Host& host_;
  const DownloadOptions& options_;
  std::function<void(const TDrawsArray&)> commit_;
  std::function<void(const ProxySettings&)> saveProxy_;
  int retried_ = 0;
};

// The update check's side of the workspace: the Host shows it.
class WorkspaceUpdate final : public UpdateEvents {
 public:
  WorkspaceUpdate(Host& host, const UpdateConfirm& confirm, std::function<void(bool)> busy)
      : host_(host), confirm_(confirm), busy_(std::move(busy)) {}
  void Progress(const std::string& text, int64_t done, int64_t total) override {
    host_.setStatus(text);
    // In kilobytes, so a large package fits the counters.
    host_.progress(static_cast<int>(done >> 10), static_cast<int>(total >> 10), text);
  }
  bool Confirm(const UpdateOffer& offer) override {
    // The dialog is shown outside the busy state, as any question.
    host_.progress(0, 0, "");
    busy_(false);
    const bool yes = confirm_ && confirm_(offer);
    busy_(true);
    return yes;
  }
  void Information(const std::string& text) override {
    host_.showMessage(MessageKind::Information, text);
  }
  void Success(const std::string& text) override { host_.showMessage(MessageKind::Warning, text); }
  void Failure(const std::string& text) override { host_.showMessage(MessageKind::Error, text); }

 private:
  Host& host_;
  const UpdateConfirm& confirm_;
  std::function<void(bool)> busy_;
};

}  // namespace

UpdateResult Workspace::CheckForUpdate(const UpdateCheckOptions& options,
                                       const UpdateConfirm& confirm) {
  UpdateRequest request;
  const std::string host = Online().updateHost.empty() ? DefaultUpdateHost() : Online().updateHost;
  request.address = options.address.value_or(UpdateDescriptionAddress(host));
  request.silent = options.silent;
  request.languageAbbr = "RUS";
  request.languageId = 1049;
  request.programDir = online_.ProgramDir();
  request.exeName = online_.ExeName();
  request.currentVersion = ProgramVersion;
  request.keys = UpdateKeysFor(request.address);
  std::optional<BusyScope> busy;
  busy.emplace(busy_, texts::UpdateSearching);
  WorkspaceUpdate events(host_, confirm, [&](bool on) {
    if (on)
      busy.emplace(busy_, texts::UpdateSearching);
    else
      busy.reset();
  });
  const UpdateResult result = korvane::CheckForUpdate(
      request, MakeUpdateFetcher(online_.Options(), [this] { return !host_.poll(); }), events);
  host_.progress(0, 0, "");
  return result;
}

DownloadResult Workspace::DownloadDraws(const DownloadOptions& options) {
  DownloadResult result;
  {
    BusyScope busy(busy_, texts::Downloading);
    if (archive_.LoadFailed()) {
      ReportError(texts::DrawsWriteError,
                  Format(texts::ArchiveNotLoaded, archive_.Path().string().c_str()));
      result.failed = true;
      return result;
    }
    DownloadRequest request;
    request.resultsUrl = options.resultsUrl.value_or(Online().resultsUrl);
    request.today = options.today.value_or(DateToInt(Now()));
    const TDrawsArray& draws = archive_.Draws();
    request.recent.assign(
        draws.end() - static_cast<std::ptrdiff_t>(std::min<size_t>(3, draws.size())), draws.end());
    ProxyChooser proxy(options.proxy.value_or(settings_.Proxy()), Online().proxyListUrl);
    const PageFetcher listFetch = [this](const std::string& url) {
      return online_.NewClient()->Get(url, [this] { return !host_.poll(); });
    };
    auto commit = [&](const TDrawsArray& added) {
      const TDrawsArray before = archive_.Draws();
      archive_.AppendAll(added);
      CommitArchiveChange(before);
      RecomputeViews();
    };
    auto saveProxy = [&](const ProxySettings& p) {
      if (!options.proxy) settings_.SetProxy(p);
    };
    WorkspaceDownload events(host_, options, commit, saveProxy);
    HttpClient* client = nullptr;
    if (!Guarded(host_, texts::DownloadFailed, [&] { client = &online_.DownloadClient(); })) {
      result.failed = true;
      return result;
    }
    result = korvane::DownloadDraws(*client, proxy, listFetch, request, events);
    host_.progress(0, 0, "");
  }
  // Stakes are checked against what the archive now holds, also after a failure.
  stakes_.CheckAndRefresh();
  return result;
}

namespace {

// One request of the scenario catalogue on a new client; the Host's poll stops it.
template <class Request>
auto OnCatalogue(OnlineSession& online, Host& host, const LibraryContext& identity,
                 Request&& request) {
  const auto client = online.NewClient();
  ScenarioLibrary library(*client, identity, [&host] { return !host.poll(); });
  return request(library);
}

}  // namespace

LibraryContext Workspace::LibraryIdentity() const { return korvane::LibraryIdentity(Online()); }

std::optional<std::vector<TScriptInfo>> Workspace::ScenarioCatalogue(int filter) {
  std::optional<std::vector<TScriptInfo>> list;
  BusyScope busy(busy_, texts::ScenarioListLoading);
  Guarded(host_, texts::ScenarioListError, [&] {
    list = OnCatalogue(online_, host_, LibraryIdentity(),
                       [&](ScenarioLibrary& l) { return l.List(filter); });
  });
  return list;
}

std::optional<std::vector<std::string>> Workspace::ScenarioFromCatalogue(int32_t id) {
  std::optional<std::vector<std::string>> lines;
  BusyScope busy(busy_, texts::ScenarioDownloading);
  Guarded(host_, texts::ScenarioDownloadError, [&] {
    const std::string text = OnCatalogue(online_, host_, LibraryIdentity(),
                                         [&](ScenarioLibrary& l) { return l.Script(id); });
    lines = ParseForeignScenarioText(text);
  });
  return lines;
}

namespace {

bool RowIn(const std::vector<TScriptInfo>& rows, int row) {
  return row >= 0 && row < static_cast<int>(rows.size());
}

}  // namespace

bool Workspace::CatalogueRefresh(int filter) {
  const auto list = ScenarioCatalogue(filter);
  if (!list) return false;
  catalogue_ = *list;
  CatalogueChanged();
  return true;
}

void Workspace::CatalogueChanged() {
  ++catalogueRevision_;
  host_.changed(ChangeScript);
}

void Workspace::CatalogueClear() {
  catalogue_.clear();
  CatalogueChanged();
}

TScriptData Workspace::CatalogueNewRecord() const {
  TScriptData d;
  d.id = -1;
  d.author = Online().userName;
  d.language = 1049;  // the interface is Russian
  d.universal = false;
  d.isPublic = true;
  return d;
}

bool Workspace::CatalogueDownload(int row) {
  if (!RowIn(catalogue_, row) || !catalogue_[static_cast<size_t>(row)].usable) return false;
  const TScriptInfo info = catalogue_[static_cast<size_t>(row)];
  if (!scenario_.Lines().empty() &&
      !host_.ask(Format(texts::ScenarioReplaceQuestion, info.title.c_str()), false))
    return false;
  const auto lines = ScenarioFromCatalogue(info.id);
  if (!lines || lines->empty()) return false;
  scenario_.Replace(*lines);
  return true;
}

bool Workspace::CatalogueRate(int row, int value, const std::string& notes, int filter) {
  if (!RowIn(catalogue_, row)) return false;
  const int32_t id = catalogue_[static_cast<size_t>(row)].id;
  bool ok = false;
  {
    BusyScope busy(busy_, texts::ScenarioRating);
    ok = Guarded(host_, texts::ScenarioRateError, [&] {
      OnCatalogue(online_, host_, LibraryIdentity(),
                  [&](ScenarioLibrary& l) { return l.Rate(id, value, notes); });
    });
  }
  return ok && CatalogueRefresh(filter);
}

std::optional<bool> Workspace::CatalogueTitleFree(int32_t id, const std::string& title) {
  std::optional<bool> free;
  Guarded(host_, texts::ScenarioTitleCheckError, [&] {
    free = OnCatalogue(online_, host_, LibraryIdentity(),
                       [&](ScenarioLibrary& l) { return l.TitleFree(id, title); });
  });
  return free;
}

std::optional<int> Workspace::CataloguePublish(const TScriptData& data) {
  std::optional<int> row;
  BusyScope busy(busy_, texts::ScenarioSaving);
  Guarded(host_, texts::ScenarioSaveError, [&] {
    TScriptData d = data;
    d.id = -1;
    const int32_t id = OnCatalogue(online_, host_, LibraryIdentity(), [&](ScenarioLibrary& l) {
      return l.Put(d, ScenarioToText(scenario_.Lines()), false);
    });
    if (id <= 0) return;
    TScriptInfo info;
    info.id = id;
    info.author = d.author;
    info.mail = Online().userMail;
    info.language = d.language;
    info.appName = "Korvane";
    info.appVersion = ProgramVersion;
    info.universal = d.universal;
    info.isPublic = d.isPublic;
    info.created = Now();
    info.title = d.title;
    info.description = d.description;
    info.own = true;
    info.usable = true;
    catalogue_.push_back(info);
    row = static_cast<int>(catalogue_.size()) - 1;
  });
  CatalogueChanged();
  return row;
}

bool Workspace::CatalogueChange(int row, const TScriptData& data) {
  if (!RowIn(catalogue_, row) || !catalogue_[static_cast<size_t>(row)].Editable()) return false;
  TScriptInfo& info = catalogue_[static_cast<size_t>(row)];
  BusyScope busy(busy_, texts::ScenarioSaving);
  const bool ok = Guarded(host_, texts::ScenarioSaveError, [&] {
    TScriptData d = data;
    d.id = info.id;
    const int32_t id = OnCatalogue(online_, host_, LibraryIdentity(), [&](ScenarioLibrary& l) {
      return l.Put(d, ScenarioToText(scenario_.Lines()), false);
    });
    if (id <= 0) return;
    info.id = id;
    info.appVersion = ProgramVersion;
    info.created = Now();
    info.author = d.author;
    info.language = d.language;
    info.universal = d.universal;
    info.isPublic = d.isPublic;
    info.title = d.title;
    info.description = d.description;
  });
  CatalogueChanged();
  return ok;
}

bool Workspace::CatalogueDelete(int row) {
  if (!RowIn(catalogue_, row) || !catalogue_[static_cast<size_t>(row)].Editable()) return false;
  const TScriptInfo info = catalogue_[static_cast<size_t>(row)];
  if (!host_.ask(Format(texts::ScenarioDeleteQuestion, info.title.c_str()), false)) return false;
  BusyScope busy(busy_, texts::ScenarioDeleting);
  bool removed = false;
  Guarded(host_, texts::ScenarioDeleteError, [&] {
    TScriptData d;
    d.id = info.id;
    d.title = info.title;
    d.author = info.author;
    if (OnCatalogue(online_, host_, LibraryIdentity(),
                    [&](ScenarioLibrary& l) { return l.Put(d, "", true); }) != 0)
      return;
    catalogue_.erase(catalogue_.begin() + row);
    removed = true;
  });
  CatalogueChanged();
  return removed;
}

std::optional<std::vector<TScriptRate>> Workspace::CatalogueRates(int row) {
  if (!RowIn(catalogue_, row)) return std::nullopt;
  std::optional<std::vector<TScriptRate>> rates;
  BusyScope busy(busy_, texts::ScenarioRatesLoading);
  Guarded(host_, texts::ScenarioRatesError, [&] {
    rates = OnCatalogue(online_, host_, LibraryIdentity(), [&](ScenarioLibrary& l) {
      return l.Rates(catalogue_[static_cast<size_t>(row)].id);
    });
  });
  return rates;
}

}  // namespace korvane
