#include "platform/posix/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

}  // namespace zarnel
