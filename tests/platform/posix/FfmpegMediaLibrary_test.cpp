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
  auto reader = library.createSyncReader();
  ASSERT_TRUE(reader);
  EXPECT_TRUE(reader->open(path.c_str()));
  library.unload();
  EXPECT_EQ(library.createSyncReader(), nullptr);
}

}  // namespace
}  // namespace zarnel
