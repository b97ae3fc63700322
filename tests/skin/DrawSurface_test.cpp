#include "skin/DrawSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "skin/support/BmpWriter.h"

namespace zarnel {
namespace {

constexpr uint32_t kLit = 0x00FF00, kUnlit = 0x0000FF, kUntouched = 0x123456;

struct Canvas {
  Bitmap skin = test::solidImage(64, 64, 0);
  std::vector<uint32_t> back = std::vector<uint32_t>(32 * 32, kUntouched);
  DrawSurface surface{back.data(), 32, 32, &skin};
  uint32_t at(int32_t x, int32_t y) const { return back[size_t(y) * 32 + x]; }
};

TEST(DrawSurfacePrimitives, CopiesClipToBothImages) {
  Canvas c;
  for (int i = 0; i < 64; ++i) test::setPixel(c.skin, i, 0, uint32_t(i + 1));
  c.surface.copyRect({-2, 0, 10, 1}, {60, 0});  // runs off the back buffer's left and the skin's right
  EXPECT_EQ(c.at(0, 0), 63u);
  EXPECT_EQ(c.at(1, 0), 64u);
  EXPECT_EQ(c.at(2, 0), kUntouched);
  c.surface.copyRect({30, 31, 10, 10}, {-5, -5});
  EXPECT_EQ(c.at(31, 31), kUntouched);  // source rows above the skin: nothing drawn
  c.surface.copyRect({0, 0, 1 << 30, 1 << 30}, {0, 0});
  EXPECT_EQ(c.at(31, 31), 0u);
}

TEST(DrawSurfacePrimitives, SectorFollowsTheAngleRule) {
  Canvas c;
  // Lit image at (0, 32), unlit at (32, 32), an all-black mask at (0, 0).
  for (int y = 32; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) test::setPixel(c.skin, x, y, x < 32 ? kLit : kUnlit);
  }
  const double pi = std::numbers::pi;
  // From straight up (-pi) clockwise to straight down (0): the right half.
  c.surface.copySector({0, 0, 32, 32}, {0, 32}, {32, 32}, {0, 0}, 16, 16, -pi, 0.0);
  EXPECT_EQ(c.at(25, 16), kLit);    // right: t = -pi/2
  EXPECT_EQ(c.at(5, 16), kUnlit);   // left: t = +pi/2
  EXPECT_EQ(c.at(16, 25), kLit);    // straight down: t = 0, the end is in
  EXPECT_EQ(c.at(16, 5), kUnlit);   // straight up: t = +pi, not above the start
  // A range across straight up (start > end): t >= 3pi/4 or t < -3pi/4.
  c.surface.copySector({0, 0, 32, 32}, {0, 32}, {32, 32}, {0, 0}, 16, 16, 3 * pi / 4, -3 * pi / 4);
  EXPECT_EQ(c.at(16, 5), kLit);
  EXPECT_EQ(c.at(17, 5), kLit);
  EXPECT_EQ(c.at(25, 16), kUnlit);
  EXPECT_EQ(c.at(16, 25), kUnlit);
  // Only where the mask is black.
  test::setPixel(c.skin, 16, 5, 0xFFFFFF);
  std::fill(c.back.begin(), c.back.end(), kUntouched);
  c.surface.copySector({0, 0, 32, 32}, {0, 32}, {32, 32}, {0, 0}, 16, 16, -pi, pi);
  EXPECT_EQ(c.at(16, 5), kUntouched);
  EXPECT_EQ(c.at(16, 6), kLit);
}

TEST(DrawSurfacePrimitives, BlendNumbersAndMarks) {
  Canvas c;
  test::setPixel(c.skin, 0, 0, 0xFFFFFF);
  test::setPixel(c.skin, 1, 0, 0x000000);
  c.surface.blend({3, 3, 1, 1}, {0, 0}, {1, 0}, 128, nullptr);
  EXPECT_EQ(c.at(3, 3), 0x7F7F7Fu);  // 255 × 128 / 256
  c.surface.blend({3, 3, 1, 1}, {0, 0}, {1, 0}, 0, nullptr);
  EXPECT_EQ(c.at(3, 3), 0u);
  c.surface.invalidate({-5, -5, 10, 10});
  c.surface.invalidate({40, 40, 5, 5});
  c.surface.showNow({30, 30, 10, 10});
  std::vector<SkinRect> marked = c.surface.takeInvalidated();
  ASSERT_EQ(marked.size(), 1u);
  EXPECT_EQ(marked[0].x, 0);
  EXPECT_EQ(marked[0].width, 5);
  std::vector<SkinRect> shown = c.surface.takeShown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].width, 2);
  EXPECT_TRUE(c.surface.takeShown().empty());
}

}  // namespace
}  // namespace zarnel
