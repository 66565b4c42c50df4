#pragma once

// The online services of the workspace: the HTTP client of the draw download (one for the
// whole run, so its cookies stay) and the clients of single requests.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/config.h"
#include "online/download.h"
#include "online/http.h"
#include "online/library.h"
#include "online/update.h"

namespace korvane {

// What a download may change for one run (the command line's options, tests).
struct DownloadOptions {
  std::optional<std::string> resultsUrl;  // in place of the configured service
  std::optional<int> retries;             // answer the retry question Yes so many times, then No
  std::optional<int> today;               // yyyymmdd, in place of the local date
  std::optional<ProxySettings> proxy;     // for this run only, not stored
  // Told after every range that was read.
  std::function<void(const DownloadedRange&)> onRange;
};

// What an update check may change for one run (the command line's options, tests).
struct UpdateCheckOptions {
  bool silent = false;
  std::optional<std::string> address;  // of the description file, in place of the service's
};

// The update dialog: true installs.
using UpdateConfirm = std::function<bool(const UpdateOffer&)>;

// Who the program and the user are to the online libraries (section ONLINE of Korvane.ini).
LibraryContext LibraryIdentity(const OnlineSettings& online);

class OnlineSession {
 public:
  using ClientFactory = std::function<std::unique_ptr<HttpClient>()>;

  OnlineSession();
  // The options of every client: the time-outs and a certificate file of the tests
  // (KORVANE_TEST_CA_FILE).
  const HttpOptions& Options() const { return options_; }
  // Replaces the clients (tests).
  void SetClientFactory(ClientFactory factory);

  // The client of the draw download, made at its first use.
  HttpClient& DownloadClient();
  // A new client for one request without a proxy.
  std::unique_ptr<HttpClient> NewClient() const { return factory_(); }

  // The folder the program runs from and its executable's name, as they were at start: the
  // self-update replaces this folder, and a restart starts this file. Tests give a copy.
  const fs::path& ProgramDir() const { return programDir_; }
  const std::string& ExeName() const { return exeName_; }
  void SetProgramLocation(fs::path dir, std::string exeName) {
    programDir_ = std::move(dir);
    exeName_ = std::move(exeName);
  }

 private:
  fs::path programDir_;
  std::string exeName_;
  HttpOptions options_;
  ClientFactory factory_;
  std::unique_ptr<HttpClient> download_;
};

}  // namespace korvane
