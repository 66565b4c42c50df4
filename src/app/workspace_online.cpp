// The online operations of the workspace: the draw download.

#include "app/dialogue.h"
#include "app/workspace.h"
#include "core/dates.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "online/texts.h"

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

}  // namespace

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

}  // namespace korvane
