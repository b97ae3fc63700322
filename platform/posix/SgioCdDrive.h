#pragma once
// A CD drive read raw through Linux SG_IO.
//
// Drive letters map to optical devices: 'D' (the first optical drive) is
// /dev/sr0, 'E' is /dev/sr1, and so on up to 'Z'; letters are case-blind.
// The environment variable ZARNEL_CD_DEVICE, when set and not empty, names
// the device to use for every drive letter instead (for example /dev/sr1 or
// /dev/sg2).

#include <string>

#include "platform/CdDrive.h"
#include "platform/posix/SgioReadCdRequest.h"

namespace zarnel {

class SgioCdDrive : public CdDrive {
 public:
  // Largest read the drive accepts in one request (the kernel may limit a
  // single transfer; the program reads 27 sectors at a time).
  static constexpr uint32_t kMaxSectorsPerRead = 128;

  SgioCdDrive() = default;
  ~SgioCdDrive() override;
  SgioCdDrive(const SgioCdDrive&) = delete;
  SgioCdDrive& operator=(const SgioCdDrive&) = delete;

  // Return: the device path for driveLetter, empty for a letter below 'D' or
  // not a letter. Reads ZARNEL_CD_DEVICE. Thread: UI thread.
  static std::string devicePath(char driveLetter);

  // Closes any open device, then opens the letter's device for reading and
  // writing, or failing that for reading only.
  // Return: false when there is no such device or it does not take SG_IO.
  // Thread: UI thread.
  bool open(char driveLetter) override;
  // Post: no device open. Thread: UI thread.
  void close() override;
  // Reads count raw CD-DA sectors at start into dst with a 5 second time-out.
  // Pre: dst holds count * 2352 bytes.
  // Return: false when no device is open, count is 0 or above
  // kMaxSectorsPerRead, or the drive reports an error. Thread: audio thread.
  bool readSectors(uint32_t start, uint32_t count, uint8_t* dst) override;

 private:
  int fd_ = -1;
  SgioReadCdRequest request_;
};

}  // namespace zarnel
