#include "platform/virtual/VirtualFileSystem.h"

#include <algorithm>
#include <cstring>

#include "platform/AudioThread.h"
#include "platform/WritableFile.h"

namespace zarnel {

namespace {

using File = VirtualFileSystem::File;

int32_t readAt(const File& file, int64_t& offset, void* dst, int32_t count, int64_t failAfter) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  if (count < 0) return -1;
  if (failAfter >= 0 && offset + count > failAfter) return -1;
  int64_t left = int64_t(file.bytes.size()) - offset;
  int32_t n = int32_t(std::clamp<int64_t>(left, 0, count));
  if (n > 0) std::memcpy(dst, file.bytes.data() + offset, size_t(n));
  offset += n;
  return n;
}

class MemoryFile : public ByteFile {
 public:
  MemoryFile(std::shared_ptr<const File> file, int64_t failAfter)
      : file_(std::move(file)), failAfter_(failAfter) {}

  int32_t read(void* dst, int32_t count) override {
    if (file_->stall) file_->stall->holdRead();
    return readAt(*file_, offset_, dst, count, failAfter_);
  }
  bool seek(int64_t offset) override {
    if (offset < 0) return false;
    offset_ = offset;
    return true;
  }
  int64_t size() override { return int64_t(file_->bytes.size()); }

 private:
  std::shared_ptr<const File> file_;
  int64_t failAfter_;
  int64_t offset_ = 0;
};

class MemoryWritableFile : public WritableFile {
 public:
  explicit MemoryWritableFile(std::shared_ptr<File> file) : file_(std::move(file)) { ++file_->writers; }
  ~MemoryWritableFile() override { --file_->writers; }

  int32_t read(void* dst, int32_t count) override {
    return readAt(*file_, offset_, dst, count, file_->failReadsAfter);
  }
  bool seek(int64_t offset) override {
    if (offset < 0) return false;
    offset_ = offset;
    return true;
  }
  int64_t size() override { return int64_t(file_->bytes.size()); }

  int32_t write(const void* src, int32_t count) override {
    if (count < 0 || file_->frozen) return -1;
    int64_t kept = keptBytes(count);
    place(src, kept);
    file_->written += kept;
    if (kept < count) {
      file_->frozen = true;
      return -1;
    }
    if (file_->writeLimit >= 0) file_->writeLimit -= count;
    offset_ += count;
    return count;
  }
  bool flush() override { return !file_->frozen; }
  bool truncate(int64_t size) override {
    if (size < 0 || file_->frozen) return false;
    file_->bytes.resize(size_t(size), 0);
    return true;
  }

 private:
  // Return: how many of count bytes at the offset land before the limit.
  int64_t keptBytes(int32_t count) const {
    int64_t limit = file_->writeLimit;
    if (limit < 0 || limit >= count) return count;
    int64_t unit = std::max<int32_t>(1, file_->atomicUnit);
    int64_t end = (offset_ + limit) / unit * unit;
    return std::max<int64_t>(0, end - offset_);
  }
  void place(const void* src, int64_t count) {
    if (count <= 0) return;
    std::vector<uint8_t>& bytes = file_->bytes;
    if (int64_t(bytes.size()) < offset_ + count) bytes.resize(size_t(offset_ + count), 0);
    std::memcpy(bytes.data() + offset_, src, size_t(count));
  }

  std::shared_ptr<File> file_;
  int64_t offset_ = 0;
};

}  // namespace

void VirtualFileSystem::put(const std::string& path, std::vector<uint8_t> bytes) {
  auto file = std::make_shared<File>();
  file->bytes = std::move(bytes);
  files_[path] = std::move(file);
}

void VirtualFileSystem::remove(const std::string& path) { files_.erase(path); }

void VirtualFileSystem::failReadsAfter(const std::string& path, int64_t failAfter) {
  auto it = files_.find(path);
  if (it != files_.end()) it->second->failReadsAfter = failAfter;
}

void VirtualFileSystem::stallReads(const std::string& path, VirtualReadStall* stall) {
  auto it = files_.find(path);
  if (it != files_.end()) it->second->stall = stall;
}

void VirtualFileSystem::lockWrites(const std::string& path, bool locked) {
  auto it = files_.find(path);
  if (it != files_.end()) it->second->writeLocked = locked;
}

void VirtualFileSystem::failWritesAfter(const std::string& path, int64_t bytes,
                                        int32_t atomicUnit) {
  auto it = files_.find(path);
  if (it == files_.end()) return;
  it->second->writeLimit = bytes;
  it->second->atomicUnit = atomicUnit;
  it->second->frozen = false;
}

std::vector<uint8_t> VirtualFileSystem::bytes(const std::string& path) const {
  auto it = files_.find(path);
  return it == files_.end() ? std::vector<uint8_t>{} : it->second->bytes;
}

int64_t VirtualFileSystem::bytesWritten(const std::string& path) const {
  auto it = files_.find(path);
  return it == files_.end() ? 0 : it->second->written;
}

std::unique_ptr<ByteFile> VirtualFileSystem::openRead(const char* path) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  auto it = files_.find(path ? path : "");
  if (it == files_.end()) return nullptr;
  return std::make_unique<MemoryFile>(it->second, it->second->failReadsAfter);
}

void VirtualFileSystem::holdWriterLock(const std::string& path, int64_t ms) {
  auto it = files_.find(path);
  if (it != files_.end()) it->second->heldUntilMs = clockMs_ + ms;
}

LockedFile VirtualFileSystem::tryOpenLocked(const char* path, bool create) {
  std::string name = path ? path : "";
  auto it = files_.find(name);
  if (it == files_.end() && (!create || name.empty())) return {};
  if (it == files_.end()) it = files_.emplace(name, std::make_shared<File>()).first;
  const File& file = *it->second;
  if (file.writeLocked || file.writers > 0 || clockMs_ < file.heldUntilMs) return {nullptr, WriteLock::kBusy};
  return {std::make_unique<MemoryWritableFile>(it->second), WriteLock::kHeld};
}

void VirtualFileSystem::pauseBetweenTries(int32_t ms) {
  clockMs_ += ms;
  ++pauses_;
}

}  // namespace zarnel
