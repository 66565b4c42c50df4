#include "core/log_files.h"

#include <system_error>
#include <vector>

namespace korvane {

namespace {

std::vector<fs::path> Matching(const fs::path& dir, const std::regex& pattern) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec))
    if (e.is_regular_file(ec) && std::regex_match(e.path().filename().string(), pattern))
      files.push_back(e.path());
  return files;
}

}  // namespace

int LogFiles::Count() const { return static_cast<int>(Matching(dir_, pattern_).size()); }

std::pair<int, int> LogFiles::DeleteAll() const {
  int deleted = 0;
  int failed = 0;
  for (const fs::path& p : Matching(dir_, pattern_)) (RemoveFile(p) == 0 ? deleted : failed)++;
  return {deleted, failed};
}

}  // namespace korvane
