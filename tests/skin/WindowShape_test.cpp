#include "skin/WindowShape.h"

#include <gtest/gtest.h>

#include "app/SplashImage.h"

namespace zarnel {
namespace {

Bitmap picture(int32_t width, int32_t height, uint32_t fill) {
  Bitmap b;
  b.width = width;
  b.height = height;
  b.pixels.assign(size_t(width) * size_t(height), fill);
  return b;
}

bool same(const WindowRect& a, const WindowRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

TEST(WindowShape, RunsOfOtherColoursThanTheTopLeftPixelsBecomeRectangles) {
  Bitmap b = picture(6, 3, 0x00FF00FF);  // the corner's magenta is transparent
  b.pixels[1] = b.pixels[2] = 0x111111;  // row 0: one run of two
  b.pixels[6 + 0] = 0x222222;            // row 1: runs at 0 and at 3..5, whatever their colours
  b.pixels[6 + 3] = 0x333333;
  b.pixels[6 + 4] = 0x444444;
  b.pixels[6 + 5] = 0x555555;
  const std::vector<WindowRect> runs = shapeRuns(b);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_TRUE(same(runs[0], {1, 0, 2, 1}));
  EXPECT_TRUE(same(runs[1], {0, 1, 1, 1}));
  EXPECT_TRUE(same(runs[2], {3, 1, 3, 1}));
  const std::vector<uint8_t> mask = shapeMask(runs, 6, 3);
  const std::vector<uint8_t> want = {0, 1, 1, 0, 0, 0,  //
                                     1, 0, 0, 1, 1, 1,  //
                                     0, 0, 0, 0, 0, 0};
  EXPECT_EQ(mask, want);
}

TEST(WindowShape, PastTheLimitEachRunReplacesTheLastOneKept) {
  Bitmap b = picture(3, 2100, 0);
  for (int32_t y = 0; y < b.height; ++y) b.pixels[size_t(y) * 3 + 1 + (y % 2)] = 0xFFFFFF;
  const std::vector<WindowRect> runs = shapeRuns(b);
  ASSERT_EQ(runs.size(), kMaxShapeRects);
  EXPECT_TRUE(same(runs[1997], {1 + 1997 % 2, 1997, 1, 1}));
  EXPECT_TRUE(same(runs.back(), {1 + 2099 % 2, 2099, 1, 1}));  // the picture's last run
}

TEST(WindowShape, MasksClipRectanglesAndHostilePicturesGiveNoRuns) {
  const std::vector<uint8_t> mask = shapeMask({{-5, -5, 7, 6}, {1, 1, 1000, 1}}, 3, 2);
  EXPECT_EQ(mask, (std::vector<uint8_t>{1, 1, 0, 0, 1, 1}));
  Bitmap shortPixels = picture(10, 10, 0);
  shortPixels.pixels.resize(5);
  EXPECT_TRUE(shapeRuns(shortPixels).empty());
  EXPECT_TRUE(shapeMask({}, 0, 5).empty());
}

TEST(WindowShape, TheSplashIsCutToItsRecordAndArm) {
  const SplashImage s = makeSplashImage();
  ASSERT_EQ(s.mask.size(), size_t(kSplashWidth) * kSplashHeight);
  EXPECT_EQ(s.mask[0], 0);                                         // corner
  EXPECT_EQ(s.mask[size_t(kSplashHeight - 1) * kSplashWidth], 0);  // bottom left
  EXPECT_EQ(s.mask[size_t(146) * kSplashWidth + 146], 1);          // the record's centre
  EXPECT_EQ(s.mask[size_t(300) * kSplashWidth + 262], 1);          // the arm's pivot
}

}  // namespace
}  // namespace zarnel
