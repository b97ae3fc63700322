#include "mixer/WavRecordFile.h"

#include <gtest/gtest.h>

#include "mixer/RecordedWav.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "support/Bytes.h"

namespace zarnel {
namespace {

using test::expectSignal;
using test::expectValidWav;
using test::readRecordedWav;
using test::recordedSignal;

TEST(WavRecordFile, HeaderBytesAreThoseOf16BitStereoPcm) {
  std::vector<uint8_t> want;
  test::putId(want, "RIFF");
  test::put32(want, 36 + 0x01020304);
  test::putId(want, "WAVE");
  test::putId(want, "fmt ");
  test::put32(want, 16);
  test::put16(want, 1);
  test::put16(want, 2);
  test::put32(want, 44100);
  test::put32(want, 176400);
  test::put16(want, 4);
  test::put16(want, 16);
  test::putId(want, "data");
  test::put32(want, 0x01020304);
  uint8_t head[kWavRecordHeaderBytes];
  wavRecordHeader(0x01020304, head);
  EXPECT_EQ(std::vector<uint8_t>(head, head + kWavRecordHeaderBytes), want);
}

TEST(WavRecordFile, LimitIsTheLastWholeFrameA32BitRiffSizeHolds) {
  EXPECT_LE(uint64_t(kWavRecordMaxFrames) * 4 + 36, 0xFFFFFFFFull);
  EXPECT_GT(uint64_t(kWavRecordMaxFrames + 1) * 4 + 36, 0xFFFFFFFFull);
}

TEST(WavRecordFile, NewFileIsAnEmptyWavEvenOverALongerOldOne) {
  VirtualFileSystem files;
  files.put("old.wav", std::vector<uint8_t>(5000, 0xAB));
  WavRecordFile wav;
  ASSERT_TRUE(wav.create(files, "old.wav"));
  const test::RecordedWav w = readRecordedWav(files.bytes("old.wav"));
  expectValidWav(w);
  EXPECT_EQ(w.fileSize, 44u);
  EXPECT_TRUE(wav.close());
}

TEST(WavRecordFile, SizesFollowEveryAppend) {
  VirtualFileSystem files;
  WavRecordFile wav;
  ASSERT_TRUE(wav.create(files, "a.wav"));
  const std::vector<int16_t> first = recordedSignal(0, 1000), second = recordedSignal(1000, 333);
  ASSERT_TRUE(wav.append(first.data(), 1000));
  test::RecordedWav w = readRecordedWav(files.bytes("a.wav"));
  expectValidWav(w);
  expectSignal(w.samples, 0, 1000);
  ASSERT_TRUE(wav.append(second.data(), 333));
  w = readRecordedWav(files.bytes("a.wav"));
  expectValidWav(w);
  expectSignal(w.samples, 0, 1333);
  EXPECT_EQ(wav.frames(), 1333);
  EXPECT_TRUE(wav.close());
  EXPECT_FALSE(wav.isOpen());
}

// The disk fills during the second append: its samples are half there, but
// the sizes still describe the first, so the file plays up to it.
TEST(WavRecordFile, FailedAppendLeavesTheSizesOfTheLastGoodOne) {
  VirtualFileSystem files;
  files.put("full.wav", {});
  files.failWritesAfter("full.wav", 44 + 1000 * 4 + 44 + 1000 * 2);
  WavRecordFile wav;
  ASSERT_TRUE(wav.create(files, "full.wav"));
  const std::vector<int16_t> signal = recordedSignal(0, 2000);
  ASSERT_TRUE(wav.append(signal.data(), 1000));
  EXPECT_FALSE(wav.append(signal.data() + 2000, 1000));
  EXPECT_TRUE(wav.failed());
  EXPECT_FALSE(wav.append(signal.data() + 2000, 1));  // nothing more goes in
  EXPECT_EQ(wav.frames(), 1000);
  EXPECT_FALSE(wav.close());
  const test::RecordedWav w = readRecordedWav(files.bytes("full.wav"));
  EXPECT_TRUE(w.headerOk);
  EXPECT_EQ(w.dataSize, 4000u);
  EXPECT_EQ(w.riffSize, 36u + 4000);
  expectSignal(w.samples, 0, 1000);
}

TEST(WavRecordFile, FileThatCannotBeOpenedIsRefused) {
  VirtualFileSystem files;
  files.put("held.wav", {});
  files.lockWrites("held.wav", true);
  WavRecordFile wav;
  EXPECT_FALSE(wav.create(files, "held.wav"));
  EXPECT_FALSE(wav.isOpen());
  const int16_t frame[2] = {1, 2};
  EXPECT_FALSE(wav.append(frame, 1));
}

}  // namespace
}  // namespace zarnel
