#pragma once
// One READ CD request for Linux SG_IO: the command block, the sense buffer and
// the sg_io_hdr that points at them, kept together so the pointers stay valid.

#include <scsi/sg.h>

#include <cstdint>

namespace zarnel {

// Thread: one owner (the drive); prepare and the ioctl on the audio thread.
class SgioReadCdRequest {
 public:
  static constexpr unsigned kTimeoutMs = 5000;
  static constexpr unsigned char kSenseBytes = 32;
  static constexpr unsigned char kCommandBytes = 12;

  SgioReadCdRequest() = default;
  SgioReadCdRequest(const SgioReadCdRequest&) = delete;
  SgioReadCdRequest& operator=(const SgioReadCdRequest&) = delete;

  // Fills the request for count raw CD-DA sectors of 2352 bytes at start,
  // read from the drive into dst.
  // Pre: count * 2352 fits in 32 bits; dst holds that many bytes.
  // Post: header() is ready for ioctl(fd, SG_IO, ...); earlier results are cleared.
  void prepare(uint32_t start, uint32_t count, uint8_t* dst);
  sg_io_hdr_t& header() { return io_; }
  const uint8_t* command() const { return cdb_; }
  // Return: true when, after the ioctl, the kernel, the host adapter and the
  // drive all report success and the whole transfer arrived.
  bool succeeded() const;

 private:
  sg_io_hdr_t io_{};
  uint8_t cdb_[kCommandBytes]{};
  uint8_t sense_[kSenseBytes]{};
};

}  // namespace zarnel
