#include "desk/sources/CdSource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/virtual/VirtualCdAccess.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "support/RiffBuilder.h"
#include "support/SourceSignal.h"

namespace zarnel {
namespace {

using test::GuardedBlock;

constexpr int32_t kDiscSectors = 100;
constexpr const char* kTrackPath = "D:\\Track01.cda";

// A disc whose frame f (counted from sector 0) is signal frame f.
class CdSourceTest : public ::testing::Test {
 protected:
  void SetUp() override { cd_.insertDisc('D', test::signalBytes(0, kDiscSectors * 588)); }
  int32_t openTrack(uint32_t start, uint32_t sectors) {
    files_.put(kTrackPath, test::makeCda({.startSector = start, .sectors = sectors}));
    return source_.open(kTrackPath);
  }
  int32_t read() {
    const int32_t result = source_.readRt(block_.data());
    EXPECT_TRUE(block_.guardIntact());
    return result;
  }

  VirtualFileSystem files_;
  VirtualCdAccess cd_;
  CdSource source_{files_, &cd_};
  GuardedBlock block_;
};

TEST_F(CdSourceTest, OpenReportsSecondsAndTheSizeKey) {
  EXPECT_EQ(openTrack(10, 150), 2);
  EXPECT_EQ(source_.sizeKey(), (10 << 16) | 150);
  EXPECT_EQ(cd_.opens(), std::vector<char>{'D'});
  // Start 0x18001 << 16 loses its top bits; the sector count keeps 16 bits.
  EXPECT_EQ(openTrack(0x18001, 0x12345), 0x12345 / 75);
  EXPECT_EQ(source_.sizeKey(), 0x00012345);
  EXPECT_EQ(cd_.closes(), 1);  // the second open closed the first
}

TEST_F(CdSourceTest, ReadsTwentySevenSectorsAtATimeAndJoinsTheBuffers) {
  ASSERT_EQ(openTrack(10, 60), 0);
  for (int32_t b = 0; b < 14; ++b) {
    ASSERT_EQ(read(), 1) << "block " << b;
    const int32_t bad = test::firstMismatch(block_, [&](int32_t i) { return 10 * 588 + b * 1152 + i; });
    ASSERT_EQ(bad, -1) << "block " << b;
    if (b == 0) {
      EXPECT_FLOAT_EQ(source_.position(), 1.0f / 60.0f);  // 1152 / 588 = 1 sector
    }
  }
  // Block 14 needed the second buffer: 900 frames from the first, 252 from it.
  EXPECT_EQ(cd_.reads(), (std::vector<CdSectorRead>{{10, 27}, {37, 27}}));
  EXPECT_FLOAT_EQ(source_.position(), (27.0f + 252 / 588) / 60.0f);
}

TEST_F(CdSourceTest, BlockCrossingTheTrackEndIsReportedAsTheEnd) {
  struct Case {
    uint32_t start, sectors;
    int32_t playable;
  };
  // 20 sectors = 11760 frames = 10 whole blocks; 27 sectors = 15876 frames =
  // 13 whole blocks, on the disc's last track, where reading on would fail.
  for (const Case& c : {Case{10, 20, 10}, Case{73, 27, 13}}) {
    ASSERT_EQ(openTrack(c.start, c.sectors), 0);
    for (int32_t b = 0; b < c.playable; ++b) ASSERT_EQ(read(), 1) << c.start << " block " << b;
    EXPECT_EQ(read(), 0) << c.start;
    EXPECT_GE(source_.position(), 1.0f);
  }
  EXPECT_EQ(cd_.reads().back(), (CdSectorRead{73, 27}));
}

TEST_F(CdSourceTest, SeekGoesToAWholeSectorOfTheTrack) {
  ASSERT_EQ(openTrack(10, 60), 0);
  read();
  EXPECT_EQ(source_.seekRt(0.51f), 1);  // 60 × 0.51 = 30.6 → sector 30 of the track
  EXPECT_FLOAT_EQ(source_.position(), 0.5f);
  ASSERT_EQ(read(), 1);
  EXPECT_EQ(cd_.reads().back(), (CdSectorRead{40, 27}));
  EXPECT_EQ(test::firstMismatch(block_, [](int32_t i) { return 40 * 588 + i; }), -1);
  source_.seekRt(1.0f);
  EXPECT_EQ(read(), 0);
}

TEST_F(CdSourceTest, WithoutRawAccessTracksOpenButReadsFail) {
  VirtualCdAccess none(false);
  for (CdAccess* access : {static_cast<CdAccess*>(nullptr), static_cast<CdAccess*>(&none)}) {
    CdSource source(files_, access);
    files_.put(kTrackPath, test::makeCda({.startSector = 0, .sectors = 750}));
    EXPECT_EQ(source.open(kTrackPath), 10);
    EXPECT_EQ(source.readRt(block_.data()), -1);
  }
  EXPECT_TRUE(cd_.opens().empty());
}

TEST_F(CdSourceTest, DriveErrorIsAReadError) {
  ASSERT_EQ(openTrack(0, 60), 0);
  cd_.setReadFails(true);
  EXPECT_EQ(read(), -1);
}

TEST_F(CdSourceTest, UnreadableTrackFileOrDriveFailsToOpenAndSaysWhy) {
  struct Case {
    const char* name;
    const char* path;
    test::CdaFields fields;
    std::function<void()> before;
    OpenFailure why;
  };
  using F = OpenFailure;
  const Case cases[] = {
      {"no drive letter", "Track01.cda", {.sectors = 75}, [] {}, F::kNotFound},
      {"form WAVE", kTrackPath, {.sectors = 75, .formType = 0x45564157}, [] {}, F::kNotSupported},
      {"fmt of 16 bytes", kTrackPath, {.sectors = 75, .fmtSize = 16}, [] {}, F::kDamagedHeader},
      {"version 0", kTrackPath, {.version = 0, .sectors = 75}, [] {}, F::kDamagedHeader},
      {"empty track", kTrackPath, {.sectors = 0}, [] {}, F::kDamagedHeader},
      {"no disc in E:", "E:\\Track01.cda", {.sectors = 75}, [] {}, F::kNoDevice},
      {"drive refuses", kTrackPath, {.sectors = 75}, [this] { cd_.setOpenFails(true); }, F::kNoDevice},
  };
  for (const Case& c : cases) {
    files_.put(c.path, test::makeCda(c.fields));
    c.before();
    EXPECT_EQ(source_.open(c.path), -1) << c.name;
    EXPECT_EQ(source_.openFailure(), c.why) << c.name;
    EXPECT_EQ(read(), -1) << c.name;
  }
  EXPECT_EQ(source_.open("D:\\Track02.cda"), -1);  // no such file: no disc
  EXPECT_EQ(source_.openFailure(), OpenFailure::kNotFound);
}

// Reopening a track reads the same blocks as the first time, whatever was
// read or sought in between: nothing of the last track's buffer carries over.
TEST_F(CdSourceTest, ReopenedTrackReadsTheSameBlocks) {
  auto blocksOf = [this](uint32_t start) {
    std::vector<int16_t> all;
    EXPECT_EQ(openTrack(start, 60), 0);
    source_.seekRt(0.25f);
    while (read() == 1) all.insert(all.end(), block_.data(), block_.data() + kBlockFrames * kChannels);
    return all;
  };
  const std::vector<int16_t> first = blocksOf(10);
  ASSERT_FALSE(first.empty());
  ASSERT_EQ(openTrack(30, 40), 0);
  for (int32_t i = 0; i < 7; ++i) read();
  EXPECT_EQ(blocksOf(10), first);
}

}  // namespace
}  // namespace zarnel
