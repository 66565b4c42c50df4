#include "support/test_support.h"

#include <unistd.h>

#include <cstdlib>

#include "core/error.h"

namespace korvane::test {

TempDir::TempDir() {
  std::string tmpl = (fs::temp_directory_path() / "korvane-test-XXXXXX").string();
  if (::mkdtemp(tmpl.data()) == nullptr) throw Error("mkdtemp failed");
  path_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

void WriteBytes(const fs::path& path, const std::string& bytes) { WriteFileAtomic(path, bytes); }

std::string ReadBytes(const fs::path& path) { return ReadFile(path); }

int RecordingHost::errorCount() const {
  int n = 0;
  for (const auto& m : messages) n += m.first == MessageKind::Error;
  return n;
}

}  // namespace korvane::test
