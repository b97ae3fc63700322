#pragma once
// In-memory files for tests: paths map to byte arrays; nothing touches the disk.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ByteFile.h"

namespace zarnel {

class VirtualFileSystem : public FileSystem {
 public:
  // Adds or replaces a file. Paths compare exactly.
  void put(const std::string& path, std::vector<uint8_t> bytes);
  void remove(const std::string& path);
  // Makes reads of path fail after failAfter bytes (-1: never).
  void failReadsAfter(const std::string& path, int64_t failAfter);

  std::unique_ptr<ByteFile> openRead(const char* path) override;

 private:
  struct Entry {
    std::shared_ptr<const std::vector<uint8_t>> bytes;
    int64_t failAfter = -1;
  };
  std::map<std::string, Entry> files_;
};

}  // namespace zarnel
