#include "platform/virtual/VirtualCdAccess.h"

#include <cstring>

#include "platform/AudioThread.h"

namespace zarnel {

namespace {
char upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
}  // namespace

// One drive over the access object's disc.
class VirtualCdDrive : public CdDrive {
 public:
  explicit VirtualCdDrive(VirtualCdAccess& access) : access_(access) {}

  bool open(char driveLetter) override {
    if (access_.openFails_ || access_.letter_ == 0) return false;
    if (upper(driveLetter) != access_.letter_) return false;
    access_.opens_.push_back(driveLetter);
    open_ = true;
    return true;
  }
  void close() override {
    if (open_) ++access_.closes_;
    open_ = false;
  }
  bool readSectors(uint32_t start, uint32_t count, uint8_t* dst) override {
    ZARNEL_NOT_ON_AUDIO_THREAD();
    if (access_.stall_) access_.stall_->holdRead();
    access_.reads_.push_back({start, count});
    const uint64_t discSectors = access_.disc_.size() / kCdSectorBytes;
    if (!open_ || access_.readFails_ || access_.letter_ == 0) return false;
    if (uint64_t(start) + count > discSectors) return false;
    std::memcpy(dst, access_.disc_.data() + uint64_t(start) * kCdSectorBytes,
                size_t(count) * kCdSectorBytes);
    return true;
  }

 private:
  VirtualCdAccess& access_;
  bool open_ = false;
};

void VirtualCdAccess::insertDisc(char letter, std::vector<uint8_t> sectors) {
  letter_ = upper(letter);
  disc_ = std::move(sectors);
}

std::unique_ptr<CdDrive> VirtualCdAccess::createDrive() {
  if (!available_) return nullptr;
  return std::make_unique<VirtualCdDrive>(*this);
}

}  // namespace zarnel
