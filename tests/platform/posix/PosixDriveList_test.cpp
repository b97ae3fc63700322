#include "platform/posix/PosixDriveList.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace zarnel {
namespace {

// Points every CD drive letter at one device for the test's life.
class CdDeviceOverride {
 public:
  explicit CdDeviceOverride(const char* device) {
    const char* saved = std::getenv("ZARNEL_CD_DEVICE");
    had_ = saved != nullptr;
    if (had_) saved_ = saved;
    ::setenv("ZARNEL_CD_DEVICE", device, 1);
  }
  ~CdDeviceOverride() {
    if (had_)
      ::setenv("ZARNEL_CD_DEVICE", saved_.c_str(), 1);
    else
      ::unsetenv("ZARNEL_CD_DEVICE");
  }

 private:
  bool had_ = false;
  std::string saved_;
};

TEST(PosixDriveList, RootIsTheFixedDriveCAndOneDeviceIsOneCdDrive) {
  CdDeviceOverride device("/dev/null");  // a device node every machine has
  PosixDriveList drives;
  EXPECT_EQ(drives.logicalDrives(), (std::vector<std::string>{"C:\\", "D:\\"}));
  EXPECT_EQ(drives.driveType("C:\\"), DriveType::kFixed);
  EXPECT_EQ(drives.driveType("/"), DriveType::kFixed);
  EXPECT_EQ(drives.driveType("d:/"), DriveType::kCdRom);
  EXPECT_EQ(drives.driveType("E:\\"), DriveType::kNoRootDir);
  EXPECT_EQ(drives.driveType("D:"), DriveType::kNoRootDir);
  EXPECT_EQ(drives.driveType("D:\\music"), DriveType::kNoRootDir);
  EXPECT_EQ(drives.driveType(""), DriveType::kNoRootDir);
}

TEST(PosixDriveList, AMissingDeviceIsNoDrive) {
  CdDeviceOverride device("/nonexistent/sr9");
  PosixDriveList drives;
  EXPECT_EQ(drives.logicalDrives(), (std::vector<std::string>{"C:\\"}));
  EXPECT_EQ(drives.driveType("D:\\"), DriveType::kNoRootDir);
}

}  // namespace
}  // namespace zarnel
