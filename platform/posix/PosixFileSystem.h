#pragma once
// Files through POSIX open, read and lseek; writable files through pread,
// pwrite and fdatasync, locked against a second writer.

#include "platform/ByteFile.h"

namespace zarnel {

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<ByteFile> openRead(const char* path) override;
  std::unique_ptr<WritableFile> openReadWrite(const char* path, bool create) override;
};

}  // namespace zarnel
