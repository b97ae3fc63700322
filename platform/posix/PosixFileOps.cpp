#include "platform/posix/PosixFileOps.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>
#include <vector>

extern char** environ;

namespace zarnel {

namespace {

// Closes a descriptor when it goes out of scope.
struct FdCloser {
  int fd;
  ~FdCloser() {
    if (fd >= 0) ::close(fd);
  }
};

bool writeAll(int fd, const char* data, ssize_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size_t(size));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= n;
  }
  return true;
}

bool copyBytes(int from, int to) {
  std::vector<char> buffer(1 << 16);
  for (;;) {
    const ssize_t n = ::read(from, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    if (!writeAll(to, buffer.data(), n)) return false;
  }
}

// A file system without renameat2's no-replace flag nor hard links (FAT):
// a check then a rename, which a racing writer could still beat.
int checkThenRename(const std::string& from, const std::string& to) {
  struct stat info;
  if (::lstat(to.c_str(), &info) == 0) return EEXIST;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace

bool readSmallFile(const char* path, std::string& text) {
  FdCloser file{::open(path, O_RDONLY | O_CLOEXEC)};
  if (file.fd < 0) return false;
  char chunk[4096];
  for (;;) {
    const ssize_t n = ::read(file.fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    text.append(chunk, size_t(n));
  }
}

int placeWithoutReplacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
  struct stat info;
  if (::lstat(from.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
    if (::link(from.c_str(), to.c_str()) == 0) return ::unlink(from.c_str()) == 0 ? 0 : errno;
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) return errno;
  }
  return checkThenRename(from, to);
}

std::string destinationIn(const std::string& path, const std::string& folder) {
  const size_t slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty() || name == "." || name == ".." || folder.empty()) return {};
  return folder + (folder.back() == '/' ? "" : "/") + name;
}

bool copyIntoFolder(const std::string& path, const std::string& folder) {
  const std::string dest = destinationIn(path, folder);
  struct stat info;
  if (dest.empty() || ::lstat(dest.c_str(), &info) == 0) return false;
  FdCloser source{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (source.fd < 0 || ::fstat(source.fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
  std::string temp = dest + ".XXXXXX";
  FdCloser copy{::mkstemp(temp.data())};
  if (copy.fd < 0) return false;
  bool done =
      copyBytes(source.fd, copy.fd) && ::fchmod(copy.fd, info.st_mode & 07777) == 0 && ::fdatasync(copy.fd) == 0;
  done = ::close(copy.fd) == 0 && done;
  copy.fd = -1;
  done = done && placeWithoutReplacing(temp, dest) == 0;
  if (!done) ::unlink(temp.c_str());
  return done;
}

bool spawnDetached(const char* program, const std::string& argument) {
  std::string name = program;
  std::string arg = argument;
  char* argv[] = {name.data(), arg.data(), nullptr};
  pid_t child = 0;
  if (::posix_spawnp(&child, program, nullptr, nullptr, argv, environ) != 0) return false;
  std::thread([child] {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}

}  // namespace zarnel
