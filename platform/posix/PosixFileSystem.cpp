#include "platform/posix/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "platform/AudioThread.h"
#include "platform/WritableFile.h"

namespace zarnel {

namespace {

class PosixFile : public ByteFile {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override { ::close(fd_); }

  int32_t read(void* dst, int32_t bytes) override {
    ZARNEL_NOT_ON_AUDIO_THREAD();
    if (bytes < 0) return -1;
    auto* out = static_cast<char*>(dst);
    int32_t done = 0;
    while (done < bytes) {
      ssize_t n = ::read(fd_, out + done, size_t(bytes - done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return -1;
      if (n == 0) break;
      done += int32_t(n);
    }
    return done;
  }
  bool seek(int64_t offset) override { return ::lseek(fd_, off_t(offset), SEEK_SET) == off_t(offset); }
  int64_t size() override {
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? int64_t(st.st_size) : -1;
  }

 private:
  int fd_;
};

// Positioned reads and writes, so the offset is ours and never the kernel's.
class PosixWritableFile : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : fd_(fd) {}
  ~PosixWritableFile() override { ::close(fd_); }

  int32_t read(void* dst, int32_t bytes) override {
    ZARNEL_NOT_ON_AUDIO_THREAD();
    if (bytes < 0) return -1;
    auto* out = static_cast<char*>(dst);
    int32_t done = 0;
    while (done < bytes) {
      ssize_t n = ::pread(fd_, out + done, size_t(bytes - done), off_t(offset_ + done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return -1;
      if (n == 0) break;
      done += int32_t(n);
    }
    offset_ += done;
    return done;
  }
  int32_t write(const void* src, int32_t bytes) override {
    if (bytes < 0) return -1;
    auto* in = static_cast<const char*>(src);
    int32_t done = 0;
    while (done < bytes) {
      ssize_t n = ::pwrite(fd_, in + done, size_t(bytes - done), off_t(offset_ + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return -1;
      done += int32_t(n);
    }
    offset_ += done;
    return done;
  }
  bool seek(int64_t offset) override {
    if (offset < 0) return false;
    offset_ = offset;
    return true;
  }
  int64_t size() override {
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? int64_t(st.st_size) : -1;
  }
  bool flush() override {
    while (::fdatasync(fd_) != 0)
      if (errno != EINTR) return false;
    return true;
  }
  bool truncate(int64_t size) override { return size >= 0 && ::ftruncate(fd_, off_t(size)) == 0; }

 private:
  int fd_;
  int64_t offset_ = 0;
};

}  // namespace

std::unique_ptr<ByteFile> PosixFileSystem::openRead(const char* path) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  if (!path) return nullptr;
  int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixFile>(fd);
}

// The writer lock is flock's exclusive lock on the open file: it belongs to
// this open file description, so a second open of the same file conflicts
// even inside one process, readers (which take no lock) are never refused,
// and the lock goes with the last descriptor of it.
LockedFile PosixFileSystem::tryOpenLocked(const char* path, bool create) {
  if (!path) return {};
  int fd = ::open(path, O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
  if (fd < 0) return {};
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return {};
  }
  int locked;
  while ((locked = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (locked != 0) {
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return {nullptr, busy ? WriteLock::kBusy : WriteLock::kFailed};
  }
  return {std::make_unique<PosixWritableFile>(fd), WriteLock::kHeld};
}

void PosixFileSystem::pauseBetweenTries(int32_t ms) {
  struct timespec left {ms / 1000, long(ms % 1000) * 1000000L};
  while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

}  // namespace zarnel
