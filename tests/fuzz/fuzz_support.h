#pragma once

// Helpers shared by the fuzz targets: a scratch folder for the targets that read through a file,
// the input as text, and the check that turns a broken invariant into a finding.

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>

#include "core/error.h"
#include "core/fileio.h"

namespace korvane::fuzz {

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A folder of the process's own, removed at exit.
class ScratchDir {
 public:
  ScratchDir() {
    // In memory when possible: the stake file repairs sync their backups to disk.
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0
                              ? fs::path("/dev/shm")
                              : fs::temp_directory_path();
    std::string tmpl = (base / "korvane-fuzz-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    path_ = tmpl;
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const fs::path& path() const { return path_; }

  // Empties the folder (backups and temporary files of the last input) and writes the bytes
  // to a file of that name in it.
  fs::path Put(const char* name, std::string_view bytes) const {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(path_, ec)) fs::remove_all(entry.path(), ec);
    const fs::path file = path_ / name;
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() ||
        std::fclose(f) != 0) {
      std::perror(file.c_str());
      std::abort();
    }
    return file;
  }

 private:
  fs::path path_;
};

inline const ScratchDir& Scratch() {
  static const ScratchDir dir;
  return dir;
}

// A broken invariant of the code under test: reported like a crash, so libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* file, int line, const char* what) {
  std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, what);
  std::abort();
}

}  // namespace korvane::fuzz

#define KORVANE_FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : ::korvane::fuzz::Fail(__FILE__, __LINE__, #condition))
