#include "core/datadir.h"

#include <cstdlib>
#include <system_error>

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

}  // namespace korvane
