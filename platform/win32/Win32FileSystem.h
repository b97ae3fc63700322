#pragma once
// Files through the Windows file API.

#include "platform/ByteFile.h"

namespace zarnel {

class Win32FileSystem : public FileSystem {
 public:
  std::unique_ptr<ByteFile> openRead(const char* path) override;
  std::unique_ptr<WritableFile> openReadWrite(const char* path, bool create) override;
};

}  // namespace zarnel
