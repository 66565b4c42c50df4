#pragma once

// The local results service of the online tests (tests/online/results_server.py), started for
// as long as the object lives.

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "core/fileio.h"

namespace korvane::test {

class LocalServer {
 public:
  // `args` are the script's options (--rows FILE, --tls CERT KEY, --proxy, ...).
  explicit LocalServer(const std::vector<std::string>& args,
                       const std::string& script = KORVANE_RESULTS_SERVER);
  // The online libraries' service (tests/online/library_server.py).
  static std::unique_ptr<LocalServer> Library(const std::vector<std::string>& args = {}) {
    return std::make_unique<LocalServer>(args, KORVANE_LIBRARY_SERVER);
  }
  ~LocalServer();
  LocalServer(const LocalServer&) = delete;
  LocalServer& operator=(const LocalServer&) = delete;

  int Port() const { return port_; }
  // The service address whose results page answers in `mode` (plain, gzip, 500, ...).
  std::string Url(const std::string& mode, const std::string& scheme = "http") const;
  // "http://127.0.0.1:<port>".
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }

 private:
  pid_t pid_ = -1;
  int stdin_ = -1;
  int port_ = 0;
};

// The test certificate authority and the server certificate for 127.0.0.1.
fs::path TlsFile(const std::string& name);

// A fixture file of results: one day a line, "mm/dd/yyyy<TAB>midday<TAB>evening".
struct ResultDay {
  std::string date;
  std::string midday;
  std::string evening;
};
void WriteResultDays(const fs::path& file, const std::vector<ResultDay>& days);

}  // namespace korvane::test
