#include "core/datadir.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string_view>
#include <system_error>
#include <vector>

namespace korvane {

fs::path ExecutableDir() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path();
  return exe.parent_path();
}

fs::path ResolveDataDir(const std::optional<fs::path>& given) {
  if (given && !given->empty()) return *given;
  if (const char* env = std::getenv(DataDirEnv); env != nullptr && *env != '\0')
    return fs::path(env);
  return ExecutableDir();
}

namespace {

// mkstemp's six letters and digits.
bool IsTemporarySuffix(std::string_view s) {
  return s.size() == 6 && std::all_of(s.begin(), s.end(), [](char c) {
           return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
         });
}

// ".<prefix><name><ending>.XXXXXX" with a name of at least one character: what WriteFileAtomic
// leaves of "<prefix><name><ending>".
bool IsAtomicTemporary(std::string_view name, std::string_view prefix, std::string_view ending) {
  if (name.size() < 1 + prefix.size() + 1 + ending.size() + 7) return false;
  if (name[0] != '.' || name.substr(1, prefix.size()) != prefix) return false;
  const std::string_view suffix = name.substr(name.size() - 7);
  if (suffix[0] != '.' || !IsTemporarySuffix(suffix.substr(1))) return false;
  const std::string_view file = name.substr(1 + prefix.size(), name.size() - 8 - prefix.size());
  return file.size() > ending.size() && file.substr(file.size() - ending.size()) == ending;
}

int RemoveMatching(const fs::path& dir, const std::function<bool(std::string_view)>& ours) {
  int removed = 0;
  std::error_code ec;
  std::vector<fs::path> stale;
  for (const auto& e : fs::directory_iterator(dir, ec)) {
    // Only plain files: a folder or a link of that name is nothing we made.
    if (e.symlink_status(ec).type() != fs::file_type::regular) continue;
    if (ours(e.path().filename().string())) stale.push_back(e.path());
  }
  for (const fs::path& p : stale) removed += RemoveFile(p) == 0;
  return removed;
}

}  // namespace

int RemoveStaleTemporaries(const fs::path& dataDir) {
  const std::string base = FileBaseName;
  const std::string stakeTemporary = base + ".~tmp";
  int removed = RemoveMatching(dataDir, [&](std::string_view name) {
    return name == stakeTemporary || IsAtomicTemporary(name, base + ".", "");
  });
  removed += RemoveMatching(dataDir / PrefetchFolder, [&](std::string_view name) {
    return IsAtomicTemporary(name, base + "_", ".dfc");
  });
  return removed;
}

}  // namespace korvane
