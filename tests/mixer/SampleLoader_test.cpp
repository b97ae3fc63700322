// Whole sample files decoded into memory.

#include "mixer/SampleLoader.h"

#include <gtest/gtest.h>

#include "platform/virtual/VirtualFileSystem.h"
#include "support/MpegStreams.h"
#include "support/WavBuilder.h"

namespace zarnel {
namespace {

// Frame i: left i, right -i (16-bit wrap), so a lost or repeated frame shows.
std::vector<int16_t> ramp(int32_t frames) {
  std::vector<int16_t> out(size_t(frames) * 2);
  for (int32_t i = 0; i < frames; ++i) {
    out[size_t(i) * 2] = int16_t(i);
    out[size_t(i) * 2 + 1] = int16_t(-i);
  }
  return out;
}

TEST(SampleLoader, AWavIsReadInWholeBlocksFromItsStart) {
  VirtualFileSystem files;
  files.put("s/Air Horn.WAV", test::makeWav({}, test::toBytes(ramp(66150))));  // 1.5 s
  const SampleLoad load = decodeSample(files, "s/Air Horn.WAV");
  ASSERT_TRUE(load.data) << sampleLoadErrorText(load);
  EXPECT_EQ(load.error, SampleLoadError::kNone);
  ASSERT_EQ(load.data->length, 66150 / 1152 * 1152);  // the last part block is left out
  for (int32_t i = 0; i < load.data->length; ++i) {
    ASSERT_EQ(load.data->frames[size_t(i) * 2], int16_t(i)) << i;
    ASSERT_EQ(load.data->frames[size_t(i) * 2 + 1], int16_t(-i)) << i;
  }
}

TEST(SampleLoader, TooLongDamagedMissingAndEmptyFilesLoadNothingAndSayWhy) {
  VirtualFileSystem files;
  files.put("long.wav", test::makeWav({}, test::toBytes(std::vector<int16_t>(size_t(44100) * 61 * 2, 5))));
  files.put("broken.wav", test::makeWav({1, 2, 44100, 24}, std::vector<uint8_t>(600, 1)));
  files.put("short.wav", test::makeWav({}, test::toBytes(ramp(1000))));
  struct Case {
    const char* path;
    SampleLoadError error;
    const char* text;
  };
  const Case cases[] = {
      {"long.wav", SampleLoadError::kTooLong, "longer than 60 seconds"},
      {"broken.wav", SampleLoadError::kOpenFailed, "24-bit WAV is not supported"},
      {"missing.wav", SampleLoadError::kOpenFailed, nullptr},
      {"short.wav", SampleLoadError::kNoAudio, "the file holds no audio"},
      {"missing.mp3", SampleLoadError::kOpenFailed, nullptr},
  };
  for (const Case& c : cases) {
    const SampleLoad load = decodeSample(files, c.path);
    EXPECT_FALSE(load.data) << c.path;
    EXPECT_EQ(load.error, c.error) << c.path;
    EXPECT_FALSE(sampleLoadErrorText(load).empty()) << c.path;
    if (c.text) {
      EXPECT_EQ(sampleLoadErrorText(load), c.text) << c.path;
    }
  }
}

TEST(SampleLoader, AnMpegFileIsDecodedFromItsFirstFrame) {
  if (!test::haveMpegTestData()) GTEST_SKIP() << "no conformance streams";
  VirtualFileSystem files;  // MPEG files are read from the disk
  const SampleLoad load = decodeSample(files, test::mpegTestData() + "/l3-si.bit");
  ASSERT_TRUE(load.data) << sampleLoadErrorText(load);
  const std::vector<int16_t> ref = test::readPcm(test::mpegTestData() + "/l3-si.pcm");
  EXPECT_GE(load.data->length, 117 * 1152);
  EXPECT_EQ(load.data->length % 1152, 0);
  for (int32_t i = 0; i < 2 * 1152; ++i) ASSERT_NEAR(load.data->frames[size_t(i) * 2], ref[size_t(i)], 1) << i;
}

TEST(SampleLoader, TheNameIsTheFileNameWithoutFolderOrExtension) {
  EXPECT_EQ(sampleName("C:\\Zarnel\\samples\\Air Horn.wav"), "Air Horn");
  EXPECT_EQ(sampleName("/home/dj/samples/siren.mp3"), "siren");
  EXPECT_EQ(sampleName("/a.b/noext"), "noext");
  EXPECT_EQ(sampleName("two.dots.wav"), "two.dots");
  EXPECT_EQ(sampleName(".hidden"), ".hidden");
}

}  // namespace
}  // namespace zarnel
