#pragma once
// Files through POSIX open, read and lseek; writable files through pread,
// pwrite and fdatasync, their writer lock through flock.

#include "platform/ByteFile.h"

namespace zarnel {

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<ByteFile> openRead(const char* path) override;

 protected:
  LockedFile tryOpenLocked(const char* path, bool create) override;
  void pauseBetweenTries(int32_t ms) override;
};

}  // namespace zarnel
