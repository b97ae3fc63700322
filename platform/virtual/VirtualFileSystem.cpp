#include "platform/virtual/VirtualFileSystem.h"

#include <algorithm>
#include <cstring>

namespace zarnel {

namespace {

class MemoryFile : public ByteFile {
 public:
  MemoryFile(std::shared_ptr<const std::vector<uint8_t>> bytes, int64_t failAfter)
      : bytes_(std::move(bytes)), failAfter_(failAfter) {}

  int32_t read(void* dst, int32_t count) override {
    if (count < 0) return -1;
    if (failAfter_ >= 0 && offset_ + count > failAfter_) return -1;
    int64_t left = int64_t(bytes_->size()) - offset_;
    int32_t n = int32_t(std::clamp<int64_t>(left, 0, count));
    if (n > 0) std::memcpy(dst, bytes_->data() + offset_, size_t(n));
    offset_ += n;
    return n;
  }
  bool seek(int64_t offset) override {
    if (offset < 0) return false;
    offset_ = offset;
    return true;
  }
  int64_t size() override { return int64_t(bytes_->size()); }

 private:
  std::shared_ptr<const std::vector<uint8_t>> bytes_;
  int64_t failAfter_;
  int64_t offset_ = 0;
};

}  // namespace

void VirtualFileSystem::put(const std::string& path, std::vector<uint8_t> bytes) {
  files_[path] = Entry{std::make_shared<const std::vector<uint8_t>>(std::move(bytes)), -1};
}

void VirtualFileSystem::remove(const std::string& path) { files_.erase(path); }

void VirtualFileSystem::failReadsAfter(const std::string& path, int64_t failAfter) {
  auto it = files_.find(path);
  if (it != files_.end()) it->second.failAfter = failAfter;
}

std::unique_ptr<ByteFile> VirtualFileSystem::openRead(const char* path) {
  auto it = files_.find(path ? path : "");
  if (it == files_.end()) return nullptr;
  return std::make_unique<MemoryFile>(it->second.bytes, it->second.failAfter);
}

}  // namespace zarnel
