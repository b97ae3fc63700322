#include "platform/posix/PosixPlatform.h"

#include <gtest/gtest.h>

#include "platform/ByteFile.h"
#include "platform/CdDrive.h"
#include "platform/MediaReader.h"
#include "platform/posix/TestMedia.h"

namespace zarnel {
namespace {

TEST(PosixPlatformTest, ServicesReachTheMachine) {
  PosixPlatform platform;
  const PlatformServices services = platform.services();
  ASSERT_TRUE(services.files && services.media && services.cd);
  test::ScratchDir dir("platform");
  test::writeBytes(dir.file("f"), {1, 2, 3});
  auto file = services.files->openRead(dir.file("f").c_str());
  ASSERT_TRUE(file);
  EXPECT_EQ(file->size(), 3);
  EXPECT_TRUE(services.cd->available());
  EXPECT_TRUE(services.cd->createDrive());
  if (services.media->load()) {
    EXPECT_TRUE(services.media->createSyncReader());
  }
  EXPECT_EQ(platform.services().media, services.media);  // the same objects every time
}

}  // namespace
}  // namespace zarnel
