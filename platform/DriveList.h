#pragma once
// The machine's logical drives and their kinds, as drive-letter roots ("D:\").

#include <cstdint>
#include <string>
#include <vector>

namespace zarnel {

// Drive kinds, numbered as the Windows drive types.
enum class DriveType : int32_t {
  kUnknown = 0,
  kNoRootDir = 1,  // not the root of an existing drive
  kRemovable = 2,
  kFixed = 3,
  kRemote = 4,
  kCdRom = 5,
  kRamDisk = 6,
};

// Thread: UI thread.
class DriveList {
 public:
  virtual ~DriveList() = default;
  // Return: the root path of every logical drive, in drive-letter order;
  // empty when they cannot be listed.
  virtual std::vector<std::string> logicalDrives() = 0;
  // Return: the kind of the drive whose root is path; kNoRootDir when path is
  // not a drive root.
  virtual DriveType driveType(const char* path) = 0;
};

}  // namespace zarnel
