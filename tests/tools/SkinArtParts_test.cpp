#include <gtest/gtest.h>

#include <cmath>

#include "tools/skinart/Atlas.h"
#include "tools/skinart/DetMath.h"
#include "tools/skinart/Image.h"
#include "tools/skinart/Shapes.h"

namespace zarnel::art {
namespace {

TEST(DetMath, AgreesWithTheLibraryToNearlyTheLastBit) {
  for (double a = -10.0; a <= 10.0; a += 0.0137) {
    EXPECT_NEAR(detSin(a), std::sin(a), 1e-14) << a;
    EXPECT_NEAR(detCos(a), std::cos(a), 1e-14) << a;
  }
  for (double y = -3; y <= 3; y += 0.25)
    for (double x = -3; x <= 3; x += 0.25) EXPECT_NEAR(detAtan2(y, x), std::atan2(y, x), 1e-13) << y << "," << x;
  EXPECT_EQ(detAtan2(0, 0), 0.0);
  EXPECT_NEAR(detAtan2(0, -1), kPi, 1e-15);
}

TEST(Bmp, HeaderRowsAndPaddingAreAsTheLoaderReadsThem) {
  Image image(3, 2, 0);
  image.at(0, 0) = 0x112233;  // top-left
  image.at(2, 1) = 0xAABBCC;  // bottom-right
  const std::vector<uint8_t> b = encodeBmp(image);
  ASSERT_EQ(b.size(), 54u + 2 * 12);  // 9 bytes of pixels padded to 12 per row
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(b[2] | b[3] << 8, 78);
  EXPECT_EQ(b[10], 54);
  EXPECT_EQ(b[14], 40);
  EXPECT_EQ(b[18], 3);
  EXPECT_EQ(b[22], 2);  // positive height: bottom-up
  EXPECT_EQ(b[28], 24);
  EXPECT_EQ(b[30], 0);  // no compression
  // The first row stored is the bottom one, blue first.
  EXPECT_EQ(b[54 + 6], 0xCC);
  EXPECT_EQ(b[54 + 7], 0xBB);
  EXPECT_EQ(b[54 + 8], 0xAA);
  EXPECT_EQ(b[54 + 9], 0);  // padding
  EXPECT_EQ(b[54 + 12], 0x33);
  EXPECT_EQ(b[54 + 14], 0x11);
}

TEST(Atlas, PlacesAsHighAsFitsBelowTheBackgroundAndStoresEqualImagesOnce) {
  Atlas atlas(100, 50);
  const Image a(60, 10, 0x111111), b(60, 20, 0x222222), c(30, 5, 0x333333);
  const Rect ra = atlas.place(a), rb = atlas.place(b), rc = atlas.place(c);
  EXPECT_EQ(ra.x, 0);
  EXPECT_EQ(ra.y, 50);
  EXPECT_EQ(rb.x, 0);  // no room beside a: below it
  EXPECT_EQ(rb.y, 60);
  EXPECT_EQ(rc.x, 60);  // in the gap beside a
  EXPECT_EQ(rc.y, 50);
  const Rect again = atlas.place(Image(60, 10, 0x111111));
  EXPECT_EQ(again.x, ra.x);
  EXPECT_EQ(again.y, ra.y);
  const Image out = atlas.compose(Image(100, 50, 0xFFFFFF));
  EXPECT_EQ(out.height, 80);
  EXPECT_EQ(out.at(5, 5), 0xFFFFFFu);
  EXPECT_EQ(out.at(59, 59), 0x111111u);
  EXPECT_EQ(out.at(0, 79), 0x222222u);
  EXPECT_EQ(out.at(89, 54), 0x333333u);
  EXPECT_EQ(out.at(89, 55), 0u);  // unused space
}

TEST(Shapes, EdgesAreBlendedAndInsidesSolid) {
  Image image(20, 20, 0x000000);
  fill(image, {0, 0, 20, 20}, circle(10, 10, 6), Paint::solid(0xFFFFFF));
  EXPECT_EQ(image.at(10, 10), 0xFFFFFFu);
  EXPECT_EQ(image.at(1, 1), 0u);
  int partial = 0;
  for (uint32_t p : image.pixels) partial += p != 0 && p != 0xFFFFFF;
  EXPECT_GT(partial, 12);
  // Half of a pixel on the edge of a rectangle at x = 5.5 is covered.
  Image half(10, 1, 0);
  fill(half, {0, 0, 10, 1}, roundRect(0, -5, 5.5, 11, 0), Paint::solid(0xFFFFFF));
  EXPECT_EQ(half.at(4, 0), 0xFFFFFFu);
  EXPECT_EQ(half.at(5, 0), 0x808080u);
  EXPECT_EQ(half.at(6, 0), 0u);
}

}  // namespace
}  // namespace zarnel::art
