#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace korvane {

namespace fs = std::filesystem;

// Every operation of the engine that changes a file goes through this file, so a test can make
// any of them fail.
enum class FileOp { Open, Write, Sync, Rename, Truncate, Remove };

// The fault hook, when set, is asked before each such operation: opening or creating a file for
// writing (for a temporary file not made yet, the path is its name pattern), each write call, a
// flush of a file or of a folder, a rename (the path is the new name), a truncation, a removal.
// Zero lets the operation run; any other value is an errno with which the operation fails as the
// system call would have, with the same message and the same clean-up. The clean-up after a
// failure asks the hook too. Not for use from more than one thread.
using FaultHook = std::function<int(FileOp op, const fs::path& path)>;
void SetFaultHook(FaultHook hook);

// Sets the hook for as long as the object lives; no hook is left afterwards.
class ScopedFaultHook {
 public:
  explicit ScopedFaultHook(FaultHook hook) { SetFaultHook(std::move(hook)); }
  ~ScopedFaultHook() { SetFaultHook(nullptr); }
  ScopedFaultHook(const ScopedFaultHook&) = delete;
  ScopedFaultHook& operator=(const ScopedFaultHook&) = delete;
};

// Reads a whole file; throws Error with the system's reason.
std::string ReadFile(const fs::path& path);

// Writes a file through a temporary file in the same folder (".<name>.XXXXXX") that is flushed
// and renamed over the old one; the folder is flushed after the rename, so the new file survives
// a power loss once this returns. Throws Error ("<path>: <reason>") on failure; no temporary file
// stays. A failure before the rename leaves the old file untouched; when only the flush of the
// folder fails, the new file is already in place. The new file keeps the permissions of the old
// one (else 0644 under the umask); `ownerOnly` makes it 0600 (a file holding a password).
void WriteFileAtomic(const fs::path& path, std::string_view data, bool ownerOnly = false);

// A free name beside a file for a copy of it: "<name>.bak", else "<name>.1.bak", ...
fs::path BackupPath(const fs::path& path);

// Appends to a text file (created when missing) with one write at its end and closes it.
// Returns 0, or the errno of the failure; a failed write leaves the file as it was.
[[nodiscard]] int AppendToFile(const fs::path& path, std::string_view data);

// Renames a file over another. Returns 0 or the errno of the failure.
[[nodiscard]] int RenameFile(const fs::path& from, const fs::path& to);

// Removes a file (not a folder). Returns 0 or the errno of the failure (ENOENT when missing).
[[nodiscard]] int RemoveFile(const fs::path& path);

// Flushes a folder's entries (the names made, renamed or removed in it) to the disk. Throws
// Error ("<path>: <reason>") with the path of the file whose change is being made durable.
void SyncFolder(const fs::path& folder, const fs::path& changed);

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
  // Write, Truncate and Sync throw Error ("<path>: <reason>").
  void WriteAt(int64_t offset, const void* data, size_t size);
  void Truncate(int64_t size);
  void Sync();

 private:
  int fd_ = -1;
  fs::path path_;
};

}  // namespace korvane
