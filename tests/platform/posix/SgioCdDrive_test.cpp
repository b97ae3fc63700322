#include "platform/posix/SgioCdDrive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/posix/TestMedia.h"

namespace zarnel {
namespace {

constexpr const char* kVariable = "ZARNEL_CD_DEVICE";

// Runs each test without the device override, and restores it afterwards.
class SgioCdDriveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* v = std::getenv(kVariable)) saved_ = v, hadValue_ = true;
    ::unsetenv(kVariable);
  }
  void TearDown() override {
    if (hadValue_) ::setenv(kVariable, saved_.c_str(), 1);
    else ::unsetenv(kVariable);
  }
  std::string saved_;
  bool hadValue_ = false;
};

TEST_F(SgioCdDriveTest, LettersFromDMapToOpticalDevicesInOrder) {
  EXPECT_EQ(SgioCdDrive::devicePath('D'), "/dev/sr0");
  EXPECT_EQ(SgioCdDrive::devicePath('e'), "/dev/sr1");
  EXPECT_EQ(SgioCdDrive::devicePath('Z'), "/dev/sr22");
  for (char letter : {'A', 'C', 'c', '1', ':', '\0'}) EXPECT_EQ(SgioCdDrive::devicePath(letter), "");
}

TEST_F(SgioCdDriveTest, EnvironmentNamesTheDeviceForEveryLetter) {
  ::setenv(kVariable, "/dev/sg3", 1);
  EXPECT_EQ(SgioCdDrive::devicePath('D'), "/dev/sg3");
  EXPECT_EQ(SgioCdDrive::devicePath('C'), "/dev/sg3");
  ::setenv(kVariable, "", 1);
  EXPECT_EQ(SgioCdDrive::devicePath('E'), "/dev/sr1");
}

TEST_F(SgioCdDriveTest, OpenFailsWithoutADriveThatTakesSgio) {
  test::ScratchDir dir("sgio");
  test::writeBytes(dir.file("plain"), std::vector<uint8_t>(4096));
  SgioCdDrive drive;
  std::vector<uint8_t> buffer(kCdSectorBytes);
  for (const std::string& device : {dir.file("missing"), dir.file("plain"), std::string("/dev/null")}) {
    ::setenv(kVariable, device.c_str(), 1);
    EXPECT_FALSE(drive.open('D')) << device;
    EXPECT_FALSE(drive.readSectors(0, 1, buffer.data())) << device;
  }
  ::unsetenv(kVariable);
  EXPECT_FALSE(drive.open('C'));
}

}  // namespace
}  // namespace zarnel
