#include "platform/posix/SgioReadCdRequest.h"

#include "platform/CdDrive.h"

namespace zarnel {

void SgioReadCdRequest::prepare(uint32_t start, uint32_t count, uint8_t* dst) {
  buildReadCdCommand(cdb_, start, count);
  io_ = sg_io_hdr_t{};
  io_.interface_id = 'S';
  io_.dxfer_direction = SG_DXFER_FROM_DEV;
  io_.cmd_len = kCommandBytes;
  io_.cmdp = cdb_;
  io_.mx_sb_len = kSenseBytes;
  io_.sbp = sense_;
  io_.dxfer_len = count * uint32_t(kCdSectorBytes);
  io_.dxferp = dst;
  io_.timeout = kTimeoutMs;
}

bool SgioReadCdRequest::succeeded() const {
  // SG_INFO_OK covers the SCSI status, the host status and the driver status.
  return (io_.info & SG_INFO_OK_MASK) == SG_INFO_OK && io_.status == 0 && io_.host_status == 0 &&
         io_.driver_status == 0 && io_.resid == 0;
}

}  // namespace zarnel
