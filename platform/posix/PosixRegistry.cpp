#include "platform/posix/PosixRegistry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/AudioThread.h"
#include "platform/posix/RegExport.h"

namespace zarnel {

namespace {

constexpr const char* kRootKey = "HKEY_LOCAL_MACHINE\\";
constexpr const char* kFileBelowConfig = "/zarnel/Zarnel.reg";
// Windows limits value names to this many characters.
constexpr size_t kMaxNameBytes = 16383;

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  const passwd* user = ::getpwuid(::getuid());
  return user && user->pw_dir ? user->pw_dir : "";
}

bool writeAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

// Reads at most limit + 1 bytes, so that a file growing past the limit shows.
bool readAll(int fd, std::string& text, size_t limit) {
  char block[8192];
  while (text.size() <= limit) {
    const ssize_t n = ::read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    text.append(block, size_t(n));
  }
  return false;
}

bool validName(const char* name) {
  const size_t length = std::strlen(name);
  if (length > kMaxNameBytes) return false;
  for (size_t i = 0; i < length; ++i)
    if (uint8_t(name[i]) < 0x20) return false;
  return true;
}

// Makes the rename itself survive a crash; a failure here loses nothing.
void syncFolder(const std::string& file) {
  const size_t slash = file.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string PosixRegistry::defaultPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return std::string(config) + kFileBelowConfig;
  const std::string home = homeFolder();
  return home.empty() ? "" : home + "/.config" + kFileBelowConfig;
}

bool PosixRegistry::open(const char* subKey) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  if (open_) return false;
  std::string text;
  if (path_.empty() || !readFile(text)) return false;
  keyPath_ = std::string(kRootKey) + subKey;
  if (!parseRegExport(text, keyPath_, values_, damaged_)) return false;
  open_ = true;
  changed_ = false;
  return true;
}

bool PosixRegistry::readFile(std::string& text) const {
  // Non-blocking, so that a pipe put in the file's place cannot hang the open.
  const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  const bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                  size_t(info.st_size) <= kMaxFileBytes && readAll(fd, text, kMaxFileBytes);
  ::close(fd);
  return ok;
}

bool PosixRegistry::read(const char* name, uint32_t& type, std::vector<uint8_t>& data) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  const RegistryValue* value = open_ ? values_.find(name) : nullptr;
  if (!value) return false;
  type = value->type;
  data = value->data;
  return true;
}

bool PosixRegistry::write(const char* name, uint32_t type, const uint8_t* data, uint32_t size) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  if (!open_ || !validName(name) || size > kMaxRegistryValueBytes) return false;
  if (!values_.set({name, type, std::vector<uint8_t>(data, data + size)})) return false;
  changed_ = true;
  return true;
}

bool PosixRegistry::close() {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  if (!open_) return true;
  open_ = false;
  const bool stored = !changed_ || writeFile(formatRegExport(keyPath_, values_));
  values_.clear();
  return stored;
}

bool PosixRegistry::writeFile(const std::string& text) {
  if (text.size() > kMaxFileBytes) return false;
  struct stat old;
  const mode_t mode = ::stat(path_.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0600;
  std::string temp = path_ + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, text) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok || !replaceFile(temp, path_)) {
    ::unlink(temp.c_str());
    return false;
  }
  syncFolder(path_);
  return true;
}

bool PosixRegistry::replaceFile(const std::string& temp, const std::string& target) {
  return ::rename(temp.c_str(), target.c_str()) == 0;
}

}  // namespace zarnel
