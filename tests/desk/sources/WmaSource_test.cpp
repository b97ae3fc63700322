#include "desk/sources/WmaSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/virtual/VirtualMediaLibrary.h"
#include "support/SourceSignal.h"

namespace zarnel {
namespace {

using test::GuardedBlock;
using test::signalBytes;

constexpr int64_t kSampleTicks = 1'000'000;  // 0.1 s per sample

MediaOutputFormat pcm(int32_t rate, int32_t channels, int32_t bits) {
  return MediaOutputFormat{true, true, true, rate, channels, bits};
}

// bytes cut into samples of chunk bytes; sample k plays from k × 0.1 s.
// Duration 12.5 s, file size 123456.
VirtualMediaFile mediaFile(const MediaOutputFormat& out, const std::vector<uint8_t>& bytes,
                           int32_t chunk) {
  VirtualMediaFile file;
  file.outputs = {out};
  file.duration = 125'000'000;
  file.fileSize = 123456;
  for (size_t at = 0; at < bytes.size(); at += size_t(chunk)) {
    const auto end = bytes.begin() + int64_t(std::min(at + size_t(chunk), bytes.size()));
    const int64_t k = int64_t(file.samples.size());
    file.samples.push_back({{bytes.begin() + int64_t(at), end}, k * kSampleTicks, kSampleTicks});
  }
  return file;
}

class WmaSourceTest : public ::testing::Test {
 protected:
  int32_t openFile(VirtualMediaFile file) {
    library_.addFile("t.wma", std::move(file));
    return source_.open("t.wma");
  }
  int32_t read() {
    const int32_t result = source_.readRt(block_.data());
    EXPECT_TRUE(block_.guardIntact());
    return result;
  }

  VirtualMediaLibrary library_;
  WmaSource source_{&library_};
  GuardedBlock block_;
};

TEST_F(WmaSourceTest, OpenFailsWithoutLibraryReaderOrUsableOutput) {
  EXPECT_EQ(WmaSource(nullptr).open("t.wma"), -1);
  {
    VirtualMediaLibrary broken;
    broken.setLoadFails(true);
    broken.addFile("t.wma", mediaFile(pcm(44100, 2, 16), {}, 4));
    EXPECT_EQ(WmaSource(&broken).open("t.wma"), -1);
  }
  {
    VirtualMediaLibrary noReader;
    noReader.setCreateFails(true);
    noReader.addFile("t.wma", mediaFile(pcm(44100, 2, 16), {}, 4));
    EXPECT_EQ(WmaSource(&noReader).open("t.wma"), -1);
  }
  EXPECT_EQ(source_.open("missing.wma"), -1);
  const MediaOutputFormat video{false, false, false, 0, 0, 0};
  for (const MediaOutputFormat& out : {video, pcm(44100, 6, 16), pcm(44100, 2, 24), pcm(96000, 2, 16)}) {
    EXPECT_EQ(openFile(mediaFile(out, signalBytes(0, 4000), 4000)), -1) << out.channels << " " << out.rate;
    EXPECT_EQ(read(), -1);
  }
  library_.setOpenFails(true);
  EXPECT_EQ(openFile(mediaFile(pcm(44100, 2, 16), {}, 4)), -1);
}

TEST_F(WmaSourceTest, AFailedOpenSaysWhy) {
  EXPECT_EQ(WmaSource(nullptr).open("t.wma"), -1);
  {
    WmaSource none(nullptr);
    none.open("t.wma");
    EXPECT_EQ(none.openFailure(), OpenFailure::kNoDevice);
  }
  EXPECT_EQ(source_.open("missing.wma"), -1);
  EXPECT_EQ(source_.openFailure(), OpenFailure::kReaderRefused);
  const MediaOutputFormat video{false, false, false, 0, 0, 0};
  const std::pair<MediaOutputFormat, OpenFailure> cases[] = {
      {video, OpenFailure::kNotSupported},
      {pcm(44100, 6, 16), OpenFailure::kTooManyChannels},
      {pcm(44100, 2, 24), OpenFailure::kNotSupported},
      {pcm(96000, 2, 16), OpenFailure::kRateTooHigh},
  };
  for (const auto& [out, why] : cases) {
    EXPECT_EQ(openFile(mediaFile(out, signalBytes(0, 4000), 4000)), -1);
    EXPECT_EQ(source_.openFailure(), why) << out.channels << " " << out.rate << " " << out.bits;
  }
  EXPECT_EQ(openFile(mediaFile(pcm(44100, 2, 16), signalBytes(0, 4000), 4000)), 12);
  EXPECT_EQ(source_.openFailure(), OpenFailure::kNone);
}

// Reopening a file reads the same blocks as the first time, whatever was
// read or sought in between.
TEST_F(WmaSourceTest, ReopenedFileReadsTheSameBlocks) {
  library_.addFile("other.wma", mediaFile(pcm(22050, 1, 16), signalBytes(5, 30000), 1000));
  auto blocksOf = [this] {
    std::vector<int16_t> all;
    EXPECT_EQ(openFile(mediaFile(pcm(44100, 2, 16), signalBytes(0, 20000), 3000)), 12);
    while (read() == 1) all.insert(all.end(), block_.data(), block_.data() + kBlockFrames * kChannels);
    return all;
  };
  const std::vector<int16_t> first = blocksOf();
  ASSERT_FALSE(first.empty());
  ASSERT_EQ(source_.open("other.wma"), 12);
  for (int32_t i = 0; i < 3; ++i) read();
  source_.seekRt(0.5f);
  read();
  EXPECT_EQ(blocksOf(), first);
}

// No fixture: the count of live sources spans the process.
TEST(WmaSourceLibrary, LoadsOnceAndUnloadsWithTheLastSource) {
  VirtualMediaLibrary library;
  library.addFile("t.wma", mediaFile(pcm(44100, 2, 16), signalBytes(0, 100), 400));
  auto first = std::make_unique<WmaSource>(&library);
  auto second = std::make_unique<WmaSource>(&library);
  ASSERT_EQ(second->open("t.wma"), 12);
  EXPECT_EQ(library.loads(), 1);
  first.reset();
  EXPECT_TRUE(library.isLoaded());
  second.reset();
  EXPECT_EQ(library.unloads(), 1);
  EXPECT_EQ(library.readersAliveAtUnload(), 0);
}

TEST_F(WmaSourceTest, PathLongerThan259CharactersIsRefused) {
  const std::string fits = "C:\\" + std::string(252, 'a') + ".wma";  // 259 characters
  const std::string tooLong = "C:\\" + std::string(253, 'a') + ".wma";
  library_.addFile(fits, mediaFile(pcm(44100, 2, 16), {}, 4));
  library_.addFile(tooLong, mediaFile(pcm(44100, 2, 16), {}, 4));
  EXPECT_EQ(source_.open(fits.c_str()), 12);
  EXPECT_EQ(source_.open(tooLong.c_str()), -1);
}

TEST_F(WmaSourceTest, TakesTheFirstPcmOutputAndTheHeaderValues) {
  VirtualMediaFile file = mediaFile(pcm(44100, 2, 16), signalBytes(0, 2000), 4000);
  const MediaOutputFormat video{false, false, false, 0, 0, 0};
  const MediaOutputFormat compressed{true, false, true, 44100, 2, 16};
  file.outputs = {video, compressed, pcm(44100, 2, 16), pcm(22050, 1, 8)};
  file.streams = {4, 5, 6, 7};
  EXPECT_EQ(openFile(file), 12);  // 12.5 s
  EXPECT_EQ(source_.sizeKey(), 123456);
  ASSERT_EQ(read(), 1);
  EXPECT_EQ(test::firstMismatch(block_, [](int32_t i) { return i; }), -1);
  EXPECT_EQ(library_.sampleRequests(), (std::vector<int32_t>{6, 6}));  // 2 × 4000 bytes
}

TEST_F(WmaSourceTest, ReadsBlocksAcrossSamplesWithThePositionFormula) {
  ASSERT_EQ(openFile(mediaFile(pcm(44100, 2, 16), signalBytes(0, 10000), 4000)), 12);
  // Two samples (8000 bytes) end at 0.2 s; 3392 bytes stay buffered.
  ASSERT_EQ(read(), 1);
  EXPECT_FLOAT_EQ(source_.position(), float((0.2 - 3392.0 / 176400.0) / 12.0));
  // The 3392 buffered bytes are too few: a third sample, ending at 0.3 s.
  ASSERT_EQ(read(), 1);
  EXPECT_EQ(test::firstMismatch(block_, [](int32_t i) { return 1152 + i; }), -1);
  EXPECT_FLOAT_EQ(source_.position(), float((0.3 - 2784.0 / 176400.0) / 12.0));
  int32_t blocks = 2;
  while (read() == 1) ++blocks;
  EXPECT_EQ(blocks, 10000 / 1152);
  EXPECT_EQ(read(), 0);
}

TEST_F(WmaSourceTest, ReaderErrorIsAnErrorAndNotTheEnd) {
  VirtualMediaFile file = mediaFile(pcm(44100, 2, 16), signalBytes(0, 10000), 4000);
  file.errorAtSample = 2;
  ASSERT_EQ(openFile(file), 12);
  EXPECT_EQ(read(), 1);
  EXPECT_EQ(read(), -1);
}

TEST_F(WmaSourceTest, SeekSetsTheRangeInHundredNanosecondUnits) {
  ASSERT_EQ(openFile(mediaFile(pcm(44100, 2, 16), signalBytes(0, 20000), 4000)), 12);
  ASSERT_EQ(read(), 1);
  EXPECT_EQ(source_.seekRt(0.125f), 1);
  EXPECT_EQ(library_.rangeCalls().back(), (MediaRangeCall{15'000'000, 0}));  // 12 × 0.125 s
  EXPECT_EQ(source_.position(), 0.125f);
  // The buffered bytes went: the block starts with the sample playing at 1.5 s.
  ASSERT_EQ(read(), 1);
  EXPECT_EQ(test::firstMismatch(block_, [](int32_t i) { return 15 * 1000 + i; }), -1);
  library_.setRangeFails(true);
  EXPECT_EQ(source_.seekRt(0.5f), 0);
}

TEST_F(WmaSourceTest, ConvertsLowAndHighRatesToTheBlockRate) {
  std::vector<uint8_t> mono;
  for (int32_t k = 0; k < 576 * 2; ++k) mono.insert(mono.end(), {uint8_t(k), uint8_t(k >> 8)});
  ASSERT_EQ(openFile(mediaFile(pcm(22050, 1, 16), mono, 1000)), 12);
  for (int32_t b = 0; b < 2; ++b) {
    ASSERT_EQ(read(), 1);
    for (int32_t i = 0; i < kBlockFrames; ++i) {
      ASSERT_EQ(block_.left(i), b * 576 + i / 2) << b << " " << i;
      ASSERT_EQ(block_.right(i), b * 576 + i / 2) << b << " " << i;
    }
  }
  ASSERT_EQ(openFile(mediaFile(pcm(48000, 2, 16), signalBytes(0, 3 * 1254), 3000)), 12);
  for (int32_t b = 0; b < 3; ++b) {
    ASSERT_EQ(read(), 1);
    const int32_t bad = test::firstMismatch(block_, [&](int32_t i) {
      return b * 1254 + int32_t((int64_t(i) * 48000 + 44099) / 44100);
    });
    ASSERT_EQ(bad, -1) << "block " << b;
  }
}

// 2 × 8 × 32000 × 1152 / 352800 = 1671.8 bytes: blocks must still take
// whole frames, or left and right trade places from the second block on.
TEST_F(WmaSourceTest, UnevenRateKeepsLeftAndRightApart) {
  std::vector<uint8_t> bytes;
  for (int32_t f = 0; f < 835 * 6; ++f) bytes.insert(bytes.end(), {200, 50});
  ASSERT_EQ(openFile(mediaFile(pcm(32000, 2, 8), bytes, 1001)), 12);
  for (int32_t b = 0; b < 6; ++b) {
    ASSERT_EQ(read(), 1) << b;
    for (int32_t i = 0; i < kBlockFrames; ++i) {
      ASSERT_EQ(block_.left(i), (200 - 128) * 256) << b << " " << i;
      ASSERT_EQ(block_.right(i), (50 - 128) * 256) << b << " " << i;
    }
  }
}

TEST_F(WmaSourceTest, OversizedSampleIsClippedToTheStagingBuffer) {
  ASSERT_EQ(openFile(mediaFile(pcm(44100, 2, 16), signalBytes(0, 50000), 200000)), 12);
  int32_t blocks = 0;
  while (read() == 1) ++blocks;
  EXPECT_EQ(blocks, 176400 / 4608);
}

}  // namespace
}  // namespace zarnel
