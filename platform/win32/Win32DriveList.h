#pragma once
// The machine's logical drives through the system's drive functions.

#include "platform/DriveList.h"

namespace zarnel {

// Thread: UI thread.
class Win32DriveList : public DriveList {
 public:
  // Return: the drive strings that fit 256 bytes; empty when they do not all fit.
  std::vector<std::string> logicalDrives() override;
  DriveType driveType(const char* path) override;
};

}  // namespace zarnel
