#include "platform/posix/FfmpegMediaLibrary.h"

#include <gtest/gtest.h>

#include "platform/posix/TestMedia.h"
#include "support/WavBuilder.h"

namespace zarnel {
namespace {

TEST(FfmpegMediaLibraryTest, HandsOutWorkingReadersOnlyWhileLoaded) {
  FfmpegMediaLibrary library;
  EXPECT_EQ(library.createSyncReader(), nullptr);
  if (!library.load()) GTEST_SKIP() << "built without FFmpeg";
  test::ScratchDir dir("library");
  const std::string path = dir.file("a.wav");
  test::writeBytes(path, test::makeWav({}, test::toBytes(test::stereoSine(4410, 440, 880, 9000))));
  auto first = library.createSyncReader();
  auto second = library.createSyncReader();
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(first->open(path.c_str()));
  EXPECT_TRUE(second->open(path.c_str()));  // readers share nothing
  library.unload();
  EXPECT_EQ(library.createSyncReader(), nullptr);
}

}  // namespace
}  // namespace zarnel
