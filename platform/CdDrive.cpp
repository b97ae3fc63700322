#include "platform/CdDrive.h"

namespace zarnel {

void buildReadCdCommand(uint8_t cdb[12], uint32_t startSector, uint32_t sectorCount) {
  cdb[0] = 0xBE;  // READ CD
  cdb[1] = 0x04;  // expected sector type: CD-DA
  cdb[2] = uint8_t(startSector >> 24);
  cdb[3] = uint8_t(startSector >> 16);
  cdb[4] = uint8_t(startSector >> 8);
  cdb[5] = uint8_t(startSector);
  cdb[6] = uint8_t(sectorCount >> 16);
  cdb[7] = uint8_t(sectorCount >> 8);
  cdb[8] = uint8_t(sectorCount);
  cdb[9] = 0x10;  // user data only
  cdb[10] = 0;
  cdb[11] = 0;
}

}  // namespace zarnel
