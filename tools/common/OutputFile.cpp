#include "tools/common/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace zarnel::tools {

namespace {

constexpr size_t kStreamBuffer = 1 << 20;  // bytes buffered before each write to the file

// Return: whether the file path names (standard input for "-") exists, with st filled.
bool statOf(const std::string& path, struct stat& st) {
  return path == "-" ? fstat(STDIN_FILENO, &st) == 0 : stat(path.c_str(), &st) == 0;
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A symbolic link is written through: the file it points to is replaced and
// the link kept. A dangling link is replaced itself.
std::string resolveLink(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// The mode a new file would get from the umask, or the mode of the file replaced.
mode_t modeFor(const std::string& target) {
  struct stat st;
  if (stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Makes a finished rename durable; a folder that cannot be synced is no failure.
void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  ::close(fd);
}

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  if (!statOf(a, sa) || !statOf(b, sb)) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

OutputFile::~OutputFile() { abandon(); }

bool OutputFile::open(const std::string& target, const std::vector<std::string>& inputs, std::string& error) {
  abandon();
  if (!refuseInputs(target, inputs, error)) return false;
  target_ = resolveLink(target);
  return createTemporary(error);
}

bool OutputFile::refuseInputs(const std::string& target, const std::vector<std::string>& inputs,
                              std::string& error) {
  for (const std::string& input : inputs) {
    if (sameFile(target, input)) {
      error = target + " is the input " + (input == "-" ? std::string("(standard input)") : input) +
              "; it is not overwritten";
      return false;
    }
  }
  struct stat st;
  if (stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    error = target + " is a directory";
    return false;
  }
  return true;
}

bool OutputFile::createTemporary(std::string& error) {
  std::string name = folderOf(target_) + "/." + baseOf(target_) + ".XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    error = "cannot create a file in " + folderOf(target_) + ": " + std::strerror(errno);
    return false;
  }
  temporary_ = name;
  fchmod(fd, modeFor(target_));
  file_ = fdopen(fd, "wb");
  if (file_ == nullptr) {
    error = "cannot write " + target_ + ": " + std::strerror(errno);
    ::close(fd);
    abandon();
    return false;
  }
  buffer_.resize(kStreamBuffer);
  std::setvbuf(file_, buffer_.data(), _IOFBF, buffer_.size());
  return true;
}

bool OutputFile::commit(std::string& error) {
  if (file_ == nullptr) {
    error = "no output is open";
    return false;
  }
  errno = 0;
  bool ok = std::fflush(file_) == 0 && std::ferror(file_) == 0 && fsync(fileno(file_)) == 0;
  int cause = ok ? 0 : errno;
  if (std::fclose(file_) != 0 && ok) {
    ok = false;
    cause = errno;
  }
  file_ = nullptr;
  if (ok && std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    ok = false;
    cause = errno;
  }
  if (!ok) {
    error = "cannot write " + target_ + ": " + std::strerror(cause != 0 ? cause : EIO);
    abandon();
    return false;
  }
  temporary_.clear();
  syncFolder(folderOf(target_));
  return true;
}

void OutputFile::abandon() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
}

}  // namespace zarnel::tools
