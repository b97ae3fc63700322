#include "platform/posix/SgioCdDrive.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/AudioThread.h"

namespace zarnel {

namespace {

constexpr const char* kDeviceVariable = "ZARNEL_CD_DEVICE";
constexpr char kFirstOpticalLetter = 'D';
// SG_IO with sg_io_hdr exists from this version of the SCSI generic interface.
constexpr int kMinSgVersion = 30000;

int openDevice(const std::string& path) {
  // O_NONBLOCK lets an optical drive open with its tray empty or the disc spinning up.
  int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  return fd;
}

bool takesSgio(int fd) {
  int version = 0;
  return ::ioctl(fd, SG_GET_VERSION_NUM, &version) == 0 && version >= kMinSgVersion;
}

}  // namespace

SgioCdDrive::~SgioCdDrive() { close(); }

std::string SgioCdDrive::devicePath(char driveLetter) {
  const char* chosen = std::getenv(kDeviceVariable);
  if (chosen && *chosen) return chosen;
  char upper = driveLetter >= 'a' && driveLetter <= 'z' ? char(driveLetter - 'a' + 'A') : driveLetter;
  if (upper < kFirstOpticalLetter || upper > 'Z') return {};
  return "/dev/sr" + std::to_string(upper - kFirstOpticalLetter);
}

bool SgioCdDrive::open(char driveLetter) {
  close();
  const std::string path = devicePath(driveLetter);
  if (path.empty()) return false;
  fd_ = openDevice(path);
  if (fd_ >= 0 && !takesSgio(fd_)) close();
  return fd_ >= 0;
}

void SgioCdDrive::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool SgioCdDrive::readSectors(uint32_t start, uint32_t count, uint8_t* dst) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  if (fd_ < 0 || !dst || count == 0 || count > kMaxSectorsPerRead) return false;
  request_.prepare(start, count, dst);
  int rc;
  do {
    rc = ::ioctl(fd_, SG_IO, &request_.header());
  } while (rc < 0 && errno == EINTR);
  return rc == 0 && request_.succeeded();
}

}  // namespace zarnel
