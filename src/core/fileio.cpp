#include "core/fileio.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/error.h"
#include "core/strutil.h"

namespace korvane {

std::string SystemErrorText(int err) { return std::strerror(err); }

namespace {

FaultHook& Hook() {
  static FaultHook hook;
  return hook;
}

// Asks the fault hook about an operation: 0 to go on, else the errno it fails with (errno is
// set to it, as the system call would have).
int Injected(FileOp op, const fs::path& path) {
  const FaultHook& hook = Hook();
  if (!hook) return 0;
  const int err = hook(op, path);
  if (err != 0) errno = err;
  return err;
}

[[noreturn]] void Fail(const fs::path& path, int err) {
  throw Error(Format("%s: %s", path.string().c_str(), SystemErrorText(err).c_str()));
}

// The system calls behind the operations, each failing with -1 and errno when the hook says so.
ssize_t WriteCall(int fd, const void* data, size_t size, const fs::path& path) {
  if (Injected(FileOp::Write, path) != 0) return -1;
  return ::write(fd, data, size);
}

ssize_t PwriteCall(int fd, const void* data, size_t size, int64_t offset, const fs::path& path) {
  if (Injected(FileOp::Write, path) != 0) return -1;
  return ::pwrite(fd, data, size, offset);
}

int SyncCall(int fd, const fs::path& path) {
  if (Injected(FileOp::Sync, path) != 0) return -1;
  return ::fsync(fd);
}

int TruncateCall(int fd, int64_t size, const fs::path& path) {
  if (Injected(FileOp::Truncate, path) != 0) return -1;
  return ::ftruncate(fd, size);
}

int UnlinkCall(const fs::path& path) {
  if (Injected(FileOp::Remove, path) != 0) return -1;
  return ::unlink(path.c_str());
}

void WriteAll(int fd, const char* data, size_t size, const fs::path& path, const fs::path& shown) {
  while (size > 0) {
    const ssize_t n = WriteCall(fd, data, size, path);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(shown, errno);
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
}

}  // namespace

void SetFaultHook(FaultHook hook) { Hook() = std::move(hook); }

fs::path BackupPath(const fs::path& path) {
  std::error_code ec;
  fs::path p = path;
  p += ".bak";
  for (int i = 1; fs::exists(p, ec); ++i) {
    p = path;
    p += Format(".%d.bak", i);
  }
  return p;
}

std::string ReadFile(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail(path, errno);
  std::string data;
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      Fail(path, err);
    }
    if (n == 0) break;
    data.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return data;
}

void SyncFolder(const fs::path& folder, const fs::path& changed) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) Fail(changed, errno);
  // A file system that cannot flush folders at all says EINVAL; there is nothing more to do.
  if (SyncCall(fd, folder) != 0 && errno != EINVAL) {
    const int err = errno;
    ::close(fd);
    Fail(changed, err);
  }
  ::close(fd);
}

void WriteFileAtomic(const fs::path& path, std::string_view data, bool ownerOnly) {
  const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::string tmpl = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
  if (Injected(FileOp::Open, tmpl) != 0) Fail(path, errno);
  const int fd = ::mkstemp(tmpl.data());
  if (fd < 0) Fail(path, errno);
  const fs::path tmp(tmpl);
  try {
    // Keep the permissions of the file being replaced, else the usual 0644 under the umask.
    struct stat st {};
    if (ownerOnly) {
      ::fchmod(fd, 0600);
    } else if (::stat(path.c_str(), &st) == 0) {
      ::fchmod(fd, st.st_mode & 07777);
    } else {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      ::fchmod(fd, 0666 & ~mask);
    }
    WriteAll(fd, data.data(), data.size(), tmp, path);
    if (SyncCall(fd, tmp) != 0) Fail(path, errno);
  } catch (...) {
    ::close(fd);
    UnlinkCall(tmp);
    throw;
  }
  if (::close(fd) != 0) {
    const int err = errno;
    UnlinkCall(tmp);
    Fail(path, err);
  }
  if (const int err = RenameFile(tmp, path); err != 0) {
    UnlinkCall(tmp);
    Fail(path, err);
  }
  SyncFolder(dir, path);
}

int AppendToFile(const fs::path& path, std::string_view data) {
  if (Injected(FileOp::Open, path) != 0) return errno;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  struct stat st {};
  const int64_t before = ::fstat(fd, &st) == 0 ? st.st_size : -1;
  int err = 0;
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = WriteCall(fd, data.data() + done, data.size() - done, path);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      break;
    }
    done += static_cast<size_t>(n);
  }
  // Half a line would spoil the next: a failed write takes back what it put in.
  if (err != 0 && done > 0 && before >= 0) TruncateCall(fd, before, path);
  if (::close(fd) != 0 && err == 0) err = errno;
  return err;
}

int RenameFile(const fs::path& from, const fs::path& to) {
  if (Injected(FileOp::Rename, to) != 0) return errno;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int RemoveFile(const fs::path& path) { return UnlinkCall(path) == 0 ? 0 : errno; }

LockedFile::~LockedFile() { Close(); }

LockedFile::LockedFile(LockedFile&& other) noexcept
    : fd_(other.fd_), path_(std::move(other.path_)) {
  other.fd_ = -1;
}

LockedFile& LockedFile::operator=(LockedFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    path_ = std::move(other.path_);
    other.fd_ = -1;
  }
  return *this;
}

void LockedFile::Open(const fs::path& path) {
  Close();
  if (Injected(FileOp::Open, path) != 0) Fail(path, errno);
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) Fail(path, errno);
  // flock locks belong to the open file description, so a second open in this process is
  // refused just as another process is.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    ::close(fd);
    if (err == EWOULDBLOCK)
      throw Error(Format("%s: файл занят другой копией программы", path.string().c_str()));
    Fail(path, err);
  }
  fd_ = fd;
  path_ = path;
}

void LockedFile::OpenForReading(const fs::path& path) {
  Close();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail(path, errno);
  fd_ = fd;
  path_ = path;
}

bool IsLockedByAnother(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

void LockedFile::Close() {
  if (fd_ >= 0) {
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
  }
}

int64_t LockedFile::Size() const {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) Fail(path_, errno);
  return st.st_size;
}

void LockedFile::ReadAt(int64_t offset, void* data, size_t size) const {
  auto* p = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t n = ::pread(fd_, p, size, offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(path_, errno);
    }
    if (n == 0) throw Error(Format("%s: неожиданный конец файла", path_.string().c_str()));
    p += n;
    size -= static_cast<size_t>(n);
    offset += n;
  }
}

void LockedFile::WriteAt(int64_t offset, const void* data, size_t size) {
  const auto* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = PwriteCall(fd_, p, size, offset, path_);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(path_, errno);
    }
    p += n;
    size -= static_cast<size_t>(n);
    offset += n;
  }
}

void LockedFile::Truncate(int64_t size) {
  if (TruncateCall(fd_, size, path_) != 0) Fail(path_, errno);
}

void LockedFile::Sync() {
  if (SyncCall(fd_, path_) != 0) Fail(path_, errno);
}

}  // namespace korvane
