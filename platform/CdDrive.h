#pragma once
// Raw audio-CD reads: READ CD of N sectors at a start sector.

#include <cstdint>
#include <memory>

namespace zarnel {

constexpr int32_t kCdSectorBytes = 2352;
constexpr int32_t kCdFramesPerSector = 588;  // 2352 / 4
constexpr int32_t kCdSectorsPerSecond = 75;

// Builds the 12-byte READ CD command block for CD-DA user data.
void buildReadCdCommand(uint8_t cdb[12], uint32_t startSector, uint32_t sectorCount);

// One open CD drive. Reads run on a desk's reader thread (or an offline
// tool's thread), never on the audio thread; open and close on the UI thread.
class CdDrive {
 public:
  virtual ~CdDrive() = default;
  // Opens the drive of the given letter ('D' for "D:"). Return: false on failure.
  virtual bool open(char driveLetter) = 0;
  virtual void close() = 0;
  // Reads count raw sectors of 2352 bytes at start into dst.
  // Return: false on any drive error.
  virtual bool readSectors(uint32_t start, uint32_t count, uint8_t* dst) = 0;
};

// The raw-read access of the machine.
class CdAccess {
 public:
  virtual ~CdAccess() = default;
  // Return: false when this machine offers no raw CD access.
  virtual bool available() = 0;
  // Return: a new drive object, or null without access.
  virtual std::unique_ptr<CdDrive> createDrive() = 0;
};

}  // namespace zarnel
