#pragma once
// Files through POSIX open, read and lseek.

#include "platform/ByteFile.h"

namespace zarnel {

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<ByteFile> openRead(const char* path) override;
};

}  // namespace zarnel
