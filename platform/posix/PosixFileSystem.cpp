#include "platform/posix/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/WritableFile.h"

namespace zarnel {

namespace {

class PosixFile : public ByteFile {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override { ::close(fd_); }

  int32_t read(void* dst, int32_t bytes) override {
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

std::unique_ptr<WritableFile> PosixFileSystem::openReadWrite(const char* path, bool create) {
  if (!path) return nullptr;
  int fd = ::open(path, O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
  if (fd < 0) return nullptr;
  struct stat st {};
  // The exclusive lock stands for the share mode of other systems: a second
  // program opening the same file for writing is refused, readers are not.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixWritableFile>(fd);
}

}  // namespace zarnel
