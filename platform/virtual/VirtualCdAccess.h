#pragma once
// In-memory raw CD access: one disc of raw 2352-byte sectors in one drive
// letter. Opens and sector reads are recorded, and each can be made to fail.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/CdDrive.h"
#include "platform/virtual/VirtualReadStall.h"

namespace zarnel {

// One readSectors call a drive received.
struct CdSectorRead {
  uint32_t start = 0;
  uint32_t count = 0;
  bool operator==(const CdSectorRead&) const = default;
};

// Drives it creates share this object's disc and records; it must outlive
// them. One thread at a time: a desk's reader thread may read while the test
// waits, and the test looks at the records once the readers are settled.
class VirtualCdAccess : public CdAccess {
 public:
  explicit VirtualCdAccess(bool available = true) : available_(available) {}

  // Puts a disc in drive letter (any case): sector 0 starts at sectors[0].
  // Reads that reach past the last whole sector fail.
  void insertDisc(char letter, std::vector<uint8_t> sectors);
  void ejectDisc() { letter_ = 0; }
  void setOpenFails(bool fails) { openFails_ = fails; }
  void setReadFails(bool fails) { readFails_ = fails; }
  // Makes every sector read ask stall first, which holds it while a stall
  // lasts (null: never). stall must outlive the drives.
  void setStall(VirtualReadStall* stall) { stall_ = stall; }

  // Every readSectors call, failed ones included, in order.
  const std::vector<CdSectorRead>& reads() const { return reads_; }
  // Letters of every successful drive open, in order.
  const std::vector<char>& opens() const { return opens_; }
  int32_t closes() const { return closes_; }

  bool available() override { return available_; }
  std::unique_ptr<CdDrive> createDrive() override;

 private:
  friend class VirtualCdDrive;

  bool available_;
  char letter_ = 0;
  std::vector<uint8_t> disc_;
  bool openFails_ = false;
  bool readFails_ = false;
  VirtualReadStall* stall_ = nullptr;
  std::vector<CdSectorRead> reads_;
  std::vector<char> opens_;
  int32_t closes_ = 0;
};

}  // namespace zarnel
