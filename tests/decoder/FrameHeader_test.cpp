#include "decoder/FrameHeader.h"

#include <gtest/gtest.h>

namespace zarnel {
namespace {

// Header word from its fields: version bits (3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5),
// layer 1..3, bitrate index, rate index, padding, mode.
uint32_t word(uint32_t version, uint32_t layer, uint32_t bitrate, uint32_t rate, uint32_t pad, uint32_t mode) {
  return 0xFFE00000u | version << 19 | (4 - layer) << 17 | 1u << 16 | bitrate << 12 | rate << 10 | pad << 9 |
         mode << 6;
}

TEST(FrameHeaderTest, AcceptanceRules) {
  FrameHeader h;
  EXPECT_TRUE(parseFrameHeader(word(3, 3, 9, 0, 1, 0), h));
  EXPECT_FALSE(parseFrameHeader(word(3, 3, 0, 0, 0, 0), h)) << "free format";
  EXPECT_FALSE(parseFrameHeader(word(3, 3, 15, 0, 0, 0), h)) << "bitrate index 15";
  EXPECT_FALSE(parseFrameHeader(word(1, 3, 9, 0, 0, 0), h)) << "reserved version";
  EXPECT_FALSE(parseFrameHeader(word(3, 3, 9, 3, 0, 0), h)) << "reserved rate";
  EXPECT_FALSE(parseFrameHeader(0xFFF90000u | 9u << 12, h)) << "reserved layer";
  EXPECT_FALSE(parseFrameHeader(word(0, 2, 9, 0, 0, 0), h)) << "MPEG-2.5 Layer II";
  EXPECT_TRUE(parseFrameHeader(word(0, 3, 9, 0, 0, 0), h));
  EXPECT_FALSE(parseFrameHeader(word(3, 3, 9, 1, 1, 0), h)) << "padding at 48 kHz";
  EXPECT_FALSE(parseFrameHeader(word(2, 3, 9, 2, 1, 0), h)) << "padding at 16 kHz";
  EXPECT_FALSE(parseFrameHeader(0x7FE00000u, h)) << "no sync";
}

// MPEG-1 Layer II: 32, 48, 56 and 80 kbit/s only in mono, 224 and up only
// with two channels.
TEST(FrameHeaderTest, Layer2BitratesFollowTheMode) {
  FrameHeader h;
  EXPECT_TRUE(parseFrameHeader(word(3, 2, 1, 0, 0, 3), h));
  EXPECT_FALSE(parseFrameHeader(word(3, 2, 1, 0, 0, 0), h));
  EXPECT_FALSE(parseFrameHeader(word(3, 2, 5, 0, 0, 1), h));
  EXPECT_TRUE(parseFrameHeader(word(3, 2, 11, 0, 0, 2), h));
  EXPECT_FALSE(parseFrameHeader(word(3, 2, 11, 0, 0, 3), h));
  EXPECT_TRUE(parseFrameHeader(word(2, 2, 1, 0, 0, 0), h)) << "MPEG-2 has no such rule";
}

TEST(FrameHeaderTest, SizesAndSampleCounts) {
  FrameHeader h;
  ASSERT_TRUE(parseFrameHeader(word(3, 3, 9, 0, 1, 0), h));
  EXPECT_EQ(h.frameBytes(), 418);
  EXPECT_EQ(h.samplesPerChannel(), 1152);
  ASSERT_TRUE(parseFrameHeader(word(2, 3, 12, 0, 0, 1), h));
  EXPECT_EQ(h.sampleRate(), 22050);
  EXPECT_EQ(h.frameBytes(), 72 * 128000 / 22050);
  EXPECT_EQ(h.samplesPerChannel(), 576);
  ASSERT_TRUE(parseFrameHeader(word(3, 1, 14, 2, 0, 0), h));
  EXPECT_EQ(h.frameBytes(), 12 * 448000 / 32000 * 4);
  EXPECT_EQ(h.samplesPerChannel(), 384);
  ASSERT_TRUE(parseFrameHeader(word(3, 2, 14, 2, 0, 0), h));
  EXPECT_LE(h.frameBytes(), kMaxFrameBytes);
}

}  // namespace
}  // namespace zarnel
