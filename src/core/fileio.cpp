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

[[noreturn]] void Fail(const fs::path& path, int err) {
  throw Error(Format("%s: %s", path.string().c_str(), SystemErrorText(err).c_str()));
}

void WriteAll(int fd, const char* data, size_t size, const fs::path& path) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(path, errno);
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
}

}  // namespace

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

void WriteFileAtomic(const fs::path& path, std::string_view data) {
  const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::string tmpl = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(tmpl.data());
  if (fd < 0) Fail(path, errno);
  const fs::path tmp(tmpl);
  try {
    // Keep the permissions of the file being replaced, else the usual 0644 under the umask.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
      ::fchmod(fd, st.st_mode & 07777);
    } else {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      ::fchmod(fd, 0666 & ~mask);
    }
    WriteAll(fd, data.data(), data.size(), path);
    if (::fsync(fd) != 0) Fail(path, errno);
    if (::close(fd) != 0) {
      const int err = errno;
      ::unlink(tmp.c_str());
      Fail(path, err);
    }
  } catch (...) {
    ::close(fd);
    ::unlink(tmp.c_str());
    throw;
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    Fail(path, err);
  }
}

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
    const ssize_t n = ::pwrite(fd_, p, size, offset);
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
  if (::ftruncate(fd_, size) != 0) Fail(path_, errno);
}

void LockedFile::Sync() {
  if (::fsync(fd_) != 0) Fail(path_, errno);
}

}  // namespace korvane
