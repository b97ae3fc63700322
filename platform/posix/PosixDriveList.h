#pragma once
// Logical drives on Linux, in the drive-letter form the program uses:
// "C:\" stands for the root folder "/" (a fixed drive), and each optical
// drive is a CD-ROM drive under the letter the CD reader maps to it
// (SgioCdDrive::devicePath: D: is /dev/sr0, E: is /dev/sr1, ... or every
// letter is ZARNEL_CD_DEVICE). A letter is listed when its device exists and
// no earlier letter names the same device.

#include "platform/DriveList.h"

namespace zarnel {

// Thread: UI thread.
class PosixDriveList : public DriveList {
 public:
  std::vector<std::string> logicalDrives() override;
  // Return: kFixed for "C:\" and "/", kCdRom for a listed optical drive's
  // root ("D:\" or "D:/", any case), else kNoRootDir.
  DriveType driveType(const char* path) override;
};

}  // namespace zarnel
