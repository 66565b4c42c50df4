#include "support/test_support.h"

#include <unistd.h>

#include <cstdio>
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

std::string WorkbookSheetXml(const fs::path& book) {
  return WorkbookPartXml(book, "xl/worksheets/sheet1.xml");
}

std::string WorkbookPartXml(const fs::path& book, const std::string& part) {
  const std::string cmd =
      "python3 -c \"import zipfile,sys; sys.stdout.write(zipfile.ZipFile("
      "sys.argv[1]).read(sys.argv[2]).decode())\" '" +
      book.string() + "' '" + part + "'";
  std::string out;
  FILE* p = popen(cmd.c_str(), "r");
  if (p == nullptr) return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

}  // namespace korvane::test
