#include "desk/sources/MpegSource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/MpegStreams.h"
#include "support/SourceSignal.h"
#include "support/WavBuilder.h"

namespace zarnel {
namespace {

using test::GuardedBlock;

class MpegSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::haveMpegTestData()) GTEST_SKIP() << "no conformance streams at " << test::mpegTestData();
  }
  int32_t openStream(const std::string& name) {
    ref_ = test::readPcm(test::mpegTestData() + "/" + name + ".pcm");
    return source_.open((test::mpegTestData() + "/" + name + ".bit").c_str());
  }
  int32_t read() {
    const int32_t result = source_.readRt(block_.data());
    EXPECT_TRUE(block_.guardIntact());
    return result;
  }
  // Return: the first frame whose left or right differs by more than 1 from
  // the mono reference sample refIndex(i), or -1. The reference may end a
  // frame before the stream: frames past it are not compared.
  template <typename RefIndex>
  int32_t firstMismatch(RefIndex refIndex) {
    for (int32_t i = 0; i < kBlockFrames; ++i) {
      const size_t at = size_t(refIndex(i));
      if (at >= ref_.size()) break;
      const int32_t want = ref_[at];
      if (std::abs(block_.left(i) - want) > 1 || std::abs(block_.right(i) - want) > 1) return i;
    }
    return -1;
  }

  MpegSource source_;
  GuardedBlock block_;
  std::vector<int16_t> ref_;
};

// At 44100 Hz each frame is one block; open decodes the first frame, so the
// first block is the stream's second frame. The mono stream plays on both sides.
TEST_F(MpegSourceTest, Mono44100FramesAreBlocksToTheEnd) {
  ASSERT_EQ(openStream("l3-si"), 3);
  EXPECT_EQ(source_.sizeKey(), 24659);
  EXPECT_EQ(source_.outputRate(), 44100);
  int32_t blocks = 0;
  float last = 0.0f;
  while (read() == 1) {
    ++blocks;
    ASSERT_EQ(firstMismatch([&](int32_t i) { return blocks * 1152 + i; }), -1) << "block " << blocks;
    EXPECT_GT(source_.position(), last);
    last = source_.position();
  }
  EXPECT_EQ(blocks, 117);  // 118 frames less the one open decoded
  EXPECT_FLOAT_EQ(last, 1.0f);
}

// MPEG-2 Layer III at 22050 Hz: 576 frames per decoded frame, each repeated twice.
TEST_F(MpegSourceTest, Rate22050FramesOf576AreRaisedByRepetition) {
  ASSERT_GE(openStream("M2L3_bitrate_22_all"), 0);
  for (int32_t b = 1; b <= 20; ++b) {
    ASSERT_EQ(read(), 1);
    ASSERT_EQ(firstMismatch([&](int32_t i) { return b * 576 + i / 2; }), -1) << "block " << b;
  }
}

// 48000 Hz: output frame i of block b takes input frame ⌈i × 48000 / 44100⌉
// after the block's first, and blocks start ⌈1152 × 48000 / 44100⌉ = 1254
// input frames apart, across the decoded frames' boundaries.
TEST_F(MpegSourceTest, Rate48000IsDecimatedAcrossFrames) {
  ASSERT_GE(openStream("l3-he_48khz"), 0);
  for (int64_t b = 0; b < 30; ++b) {
    ASSERT_EQ(read(), 1);
    const auto index = [&](int32_t i) { return 1152 + b * 1254 + (int64_t(i) * 48000 + 44099) / 44100; };
    ASSERT_EQ(firstMismatch(index), -1) << "block " << b;
  }
}

TEST_F(MpegSourceTest, Rate32000FailsOnTheFirstRead) {
  ASSERT_GE(openStream("l3-he_32khz"), 0);
  EXPECT_EQ(source_.outputRate(), 32000);
  EXPECT_EQ(read(), -1);  // 32000 × 1152 / 44100 = 835, not the frame's 1152
}

// Seeking lands one block (1152 / 44100 s) before the point asked, never below 0.
TEST_F(MpegSourceTest, SeekLandsOneBlockEarly) {
  const int32_t length = openStream("l3-he_44khz");
  ASSERT_GT(length, 4);
  EXPECT_EQ(source_.seekRt(0.5f), 1);
  EXPECT_FLOAT_EQ(source_.position(), 0.5f - 1152.0f / (float(length) * 44100.0f));
  EXPECT_EQ(read(), 1);
  ASSERT_EQ(openStream("l3-hecommon"), 0);  // under a second: one block is more than 0.01
  EXPECT_EQ(source_.seekRt(0.01f), 1);
  EXPECT_EQ(source_.position(), 0.0f);
  EXPECT_EQ(read(), 1);
}

TEST_F(MpegSourceTest, XingFrameCountGivesTheLength) {
  const std::string path = ::testing::TempDir() + "/zarnel-xing.mp3";
  std::vector<uint8_t> bytes = test::xingFrame(2000, 0, {});
  test::append(bytes, test::silentFrame(), 20);
  test::writeBytes(path, bytes);
  EXPECT_EQ(source_.open(path.c_str()), 52);  // 2000 × 1152 / 44100 = 52.2 s
  EXPECT_EQ(source_.sizeKey(), int32_t(bytes.size()));
  EXPECT_EQ(read(), 1);
  std::remove(path.c_str());
}

// Writes bytes to a file of the test's own and removes it at the end.
class TempFile {
 public:
  TempFile(const std::string& name, const std::vector<uint8_t>& bytes) : path_(::testing::TempDir() + "/" + name) {
    test::writeBytes(path_, bytes);
  }
  ~TempFile() { std::remove(path_.c_str()); }
  const char* path() const { return path_.c_str(); }

 private:
  std::string path_;
};

// A 5 MB ID3v2 tag (cover art) and an ID3v1 tag around 200 frames: the
// length and every position count the audio only, the size key stays the
// file's size, and the last frame plays.
TEST_F(MpegSourceTest, TagsAreLeftOutOfLengthAndPositions) {
  std::vector<uint8_t> bytes = test::id3v2Tag(5u << 20);
  test::append(bytes, test::silentFrame(), 200);  // 83400 bytes at 128 kbit/s
  test::append(bytes, test::id3v1Tag());
  const TempFile file("zarnel-tagged.mp3", bytes);
  ASSERT_EQ(source_.open(file.path()), 5);
  EXPECT_EQ(source_.sizeKey(), int32_t(bytes.size()));
  EXPECT_EQ(source_.seekRt(0.0f), 1);
  int32_t blocks = 0;
  while (read() == 1) {
    ++blocks;
    ASSERT_FLOAT_EQ(source_.position(), float(blocks) / 200.0f) << blocks;
  }
  EXPECT_EQ(blocks, 200);
  EXPECT_EQ(source_.seekRt(0.5f), 1);
  EXPECT_FLOAT_EQ(source_.position(), 0.5f - 1152.0f / (5.0f * 44100.0f));
  ASSERT_EQ(read(), 1);
  EXPECT_GT(source_.position(), 0.49f);
  EXPECT_LT(source_.position(), 0.51f);
}

// A file cut off inside its last frame: the whole frames play, then the end.
TEST_F(MpegSourceTest, FileCutInsideItsLastFrameEndsAfterTheWholeFrames) {
  std::vector<uint8_t> bytes;
  test::append(bytes, test::silentFrame(), 21);
  bytes.erase(bytes.end() - 200, bytes.end());
  const TempFile file("zarnel-cut.mp3", bytes);
  ASSERT_EQ(source_.open(file.path()), 0);
  EXPECT_EQ(source_.seekRt(0.0f), 1);
  for (int32_t b = 0; b < 20; ++b) ASSERT_EQ(read(), 1) << b;
  EXPECT_EQ(read(), 0);
}

// A WAV file whose samples hold sync words that no following header
// confirms is no MPEG stream.
TEST_F(MpegSourceTest, WavFileWithSyncWordsFailsToOpen) {
  std::vector<uint8_t> pcm = test::toBytes(test::stereoSine(44100, 441.0, 613.0, 30000.0));
  std::vector<uint8_t> planted = test::noise(4000);
  test::plantUnconfirmedSyncs(planted, 500);
  pcm.insert(pcm.begin(), planted.begin(), planted.end());
  const TempFile file("zarnel-wav.mp3", test::makeWav(test::WavSpec{}, pcm));
  EXPECT_EQ(source_.open(file.path()), -1);
}

TEST_F(MpegSourceTest, UnreadableFilesFailToOpen) {
  EXPECT_EQ(source_.open("/nonexistent/zarnel.mp3"), -1);
  EXPECT_EQ(source_.open((test::mpegTestData() + "/l3-he_free.bit").c_str()), -1);
  EXPECT_EQ(source_.open((test::mpegTestData() + "/README.md").c_str()), -1);
}

}  // namespace
}  // namespace zarnel
