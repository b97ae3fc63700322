#include "skin/BmpImage.h"

#include <gtest/gtest.h>

#include "skin/support/BmpWriter.h"

namespace zarnel {
namespace {

using test::BmpSpec;
using test::makeBmp;

// A 5 × 3 image (odd width, so 24-bit rows are padded) with a distinct
// colour in each corner.
Bitmap corners() {
  Bitmap b = test::solidImage(5, 3, 0x102030);
  test::setPixel(b, 0, 0, 0xFF0000);
  test::setPixel(b, 4, 0, 0x00FF00);
  test::setPixel(b, 0, 2, 0x0000FF);
  test::setPixel(b, 4, 2, 0xFFFFFF);
  return b;
}

BmpStatus decode(const std::vector<uint8_t>& bytes, Bitmap& out) { return decodeBmp(bytes.data(), bytes.size(), out); }

TEST(BmpImageDecode, ReadsEveryTakenDepthAndRowOrder) {
  Bitmap image = corners();
  for (int32_t bits : {8, 24, 32}) {
    for (bool topDown : {false, true}) {
      for (uint32_t info : {40u, 108u, 124u}) {
        SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown << ", header " << info);
        Bitmap out;
        ASSERT_EQ(decode(makeBmp(image, {bits, topDown, info}), out), BmpStatus::kOk);
        EXPECT_EQ(out.width, 5);
        EXPECT_EQ(out.height, 3);
        EXPECT_EQ(out.pixels, image.pixels);
      }
    }
  }
}

TEST(BmpImageDecode, ThirtyTwoBitBitFieldsWithTheUsualMasks) {
  Bitmap out;
  BmpSpec spec;
  spec.bits = 32;
  spec.bitFields = true;
  ASSERT_EQ(decode(makeBmp(corners(), spec), out), BmpStatus::kOk);
  EXPECT_EQ(out.pixels, corners().pixels);
  spec.infoSize = 124;
  ASSERT_EQ(decode(makeBmp(corners(), spec), out), BmpStatus::kOk);
  EXPECT_EQ(out.pixels, corners().pixels);
  // Other masks would need another reading: refused.
  std::vector<uint8_t> bytes = makeBmp(corners(), spec);
  bytes[14 + 40] = 0xFF;  // red mask 0x00FF00FF
  EXPECT_EQ(decode(bytes, out), BmpStatus::kUnsupported);
}

TEST(BmpImageDecode, RefusesOtherFormats) {
  Bitmap out;
  Bitmap image = corners();
  for (int32_t bits : {1, 4, 16}) EXPECT_EQ(decode(makeBmp(image, {bits}), out), BmpStatus::kUnsupported) << bits;
  BmpSpec rle;
  rle.bits = 8;
  rle.compression = 1;
  EXPECT_EQ(decode(makeBmp(image, rle), out), BmpStatus::kUnsupported);
  BmpSpec planes;
  planes.planes = 2;
  EXPECT_EQ(decode(makeBmp(image, planes), out), BmpStatus::kUnsupported);
  BmpSpec core;
  core.infoSize = 12;  // the old core header
  EXPECT_NE(decode(makeBmp(image, core), out), BmpStatus::kOk);
  std::vector<uint8_t> notBmp = makeBmp(image);
  notBmp[0] = 'X';
  EXPECT_EQ(decode(notBmp, out), BmpStatus::kNotBmp);
  EXPECT_TRUE(out.pixels.empty());
}

TEST(BmpImageDecode, RefusesTruncatedFilesAtEveryLength) {
  for (int32_t bits : {8, 24, 32}) {
    std::vector<uint8_t> bytes = makeBmp(corners(), {bits});
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
      Bitmap out;
      EXPECT_NE(decodeBmp(bytes.data(), cut, out), BmpStatus::kOk) << bits << " bits cut at " << cut;
    }
  }
}

TEST(BmpImageDecode, RefusesAbsurdSizesWithoutAllocating) {
  std::vector<uint8_t> bytes = makeBmp(corners());
  auto setWord = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> (8 * i));
  };
  Bitmap out;
  setWord(18, 0);  // width 0
  EXPECT_EQ(decode(bytes, out), BmpStatus::kBadSize);
  setWord(18, uint32_t(-5));
  EXPECT_EQ(decode(bytes, out), BmpStatus::kBadSize);
  setWord(18, kBmpMaxSide + 1);
  EXPECT_EQ(decode(bytes, out), BmpStatus::kBadSize);
  setWord(18, 5);
  setWord(22, 0x80000000u);  // the most negative height
  EXPECT_EQ(decode(bytes, out), BmpStatus::kBadSize);
  setWord(18, 5000);
  setWord(22, 5000);  // each side taken, the area not
  EXPECT_EQ(decode(bytes, out), BmpStatus::kBadSize);
  setWord(18, 4000);
  setWord(22, 4000);  // taken, but the rows are not in the file
  EXPECT_EQ(decode(bytes, out), BmpStatus::kTruncated);
}

TEST(BmpImageDecode, PaletteBoundsAreChecked) {
  std::vector<uint8_t> bytes = makeBmp(corners(), {8});
  Bitmap out;
  // Five colours in the palette; a pixel naming the sixth is refused.
  ASSERT_EQ(bytes[46], 5);
  bytes.back() = 0;  // padding byte, not a pixel: still fine
  ASSERT_EQ(decode(bytes, out), BmpStatus::kOk);
  size_t firstPixel = bytes[10] | size_t(bytes[11]) << 8;
  bytes[firstPixel] = 5;
  EXPECT_EQ(decode(bytes, out), BmpStatus::kBadPalette);
  bytes[46] = 1;
  bytes[47] = 1;  // 257 colours
  EXPECT_EQ(decode(bytes, out), BmpStatus::kBadPalette);
}

}  // namespace
}  // namespace zarnel
