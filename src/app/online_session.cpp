#include "app/online_session.h"

#include <cstdlib>

#include "app/version.h"

namespace korvane {

LibraryContext LibraryIdentity(const OnlineSettings& online) {
  LibraryContext c;
  c.serviceUrl = online.libraryUrl;
  c.appVersion = ProgramVersion;
  c.userName = online.userName;
  c.userMail = online.userMail;
  return c;
}

OnlineSession::OnlineSession() {
  // Test runs verify their local TLS server against a certificate authority of their own.
  if (const char* ca = std::getenv("KORVANE_TEST_CA_FILE"); ca != nullptr && *ca != '\0')
    options_.caFile = ca;
  factory_ = [this] { return MakeCurlClient(options_); };
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    programDir_ = exe.parent_path();
    exeName_ = exe.filename().string();
  }
}

void OnlineSession::SetClientFactory(ClientFactory factory) {
  factory_ = std::move(factory);
  download_.reset();
}

HttpClient& OnlineSession::DownloadClient() {
  if (!download_) download_ = factory_();
  return *download_;
}

}  // namespace korvane
