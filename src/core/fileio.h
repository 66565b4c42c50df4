#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace korvane {

namespace fs = std::filesystem;

// Reads a whole file; throws Error with the system's reason.
std::string ReadFile(const fs::path& path);

// Writes a file through a temporary file in the same folder that is renamed over the old
// one, so a crash or a full disk never leaves half a file. Throws Error on failure; the old
// file is then untouched.
void WriteFileAtomic(const fs::path& path, std::string_view data);

// The text of the last system error (errno) for messages.
std::string SystemErrorText(int err);

// True when the file exists and another holder (a LockedFile elsewhere) has its lock.
bool IsLockedByAnother(const fs::path& path);

// A file held open for reading and writing with an advisory exclusive lock for as long as
// the object lives. A second holder (another process, or another open in this one) cannot
// take the lock.
class LockedFile {
 public:
  LockedFile() = default;
  ~LockedFile();
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;
  LockedFile(LockedFile&& other) noexcept;
  LockedFile& operator=(LockedFile&& other) noexcept;

  // Opens (creating when missing) and locks; throws Error when the file cannot be opened or
  // is locked by someone else.
  void Open(const fs::path& path);
  // Opens an existing file for reading only, without the lock (a reader beside the holder);
  // writing through it fails. Throws Error when the file cannot be opened.
  void OpenForReading(const fs::path& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  const fs::path& Path() const { return path_; }
  int Descriptor() const { return fd_; }

  int64_t Size() const;
  void ReadAt(int64_t offset, void* data, size_t size) const;
  void WriteAt(int64_t offset, const void* data, size_t size);
  void Truncate(int64_t size);
  void Sync();

 private:
  int fd_ = -1;
  fs::path path_;
};

}  // namespace korvane
