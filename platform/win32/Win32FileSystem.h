#pragma once
// Files through the Windows file API; writable files locked with LockFileEx.

#include "platform/ByteFile.h"

namespace zarnel {

class Win32FileSystem : public FileSystem {
 public:
  std::unique_ptr<ByteFile> openRead(const char* path) override;

 protected:
  LockedFile tryOpenLocked(const char* path, bool create) override;
  void pauseBetweenTries(int32_t ms) override;
};

}  // namespace zarnel
