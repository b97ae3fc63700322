#include "platform/virtual/VirtualFontService.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace zarnel {
namespace {

constexpr uint32_t kBack = 0x102030, kInk = 0xFFEE00;

struct Canvas {
  int32_t width, height;
  std::vector<uint32_t> pixels;
  Canvas(int32_t w, int32_t h) : width(w), height(h), pixels(size_t(w * h), kBack) {}
  PixelTarget target() { return {pixels.data(), width, height, width}; }
  uint32_t at(int32_t x, int32_t y) const { return pixels[size_t(y * width + x)]; }
  int inked() const {
    int n = 0;
    for (uint32_t p : pixels) n += p == kInk;
    return n;
  }
};

TEST(VirtualFontService, MetricsAreFixedAndScaleByWholeSteps) {
  VirtualFontService fonts;
  auto small = fonts.createFont({"Arial", 12, 400});
  auto big = fonts.createFont({"Arial", 25, 700});
  ASSERT_TRUE(small && big);
  EXPECT_EQ(small->height(), 10);
  EXPECT_EQ(small->ascent(), 8);
  EXPECT_EQ(small->measure("PLAY").width, 24);
  EXPECT_EQ(small->measure("").width, 0);
  EXPECT_EQ(big->height(), 20);
  EXPECT_EQ(big->measure("PLAY").width, 4 * 14);
  EXPECT_EQ(fonts.createFont({"Arial", 3, 400})->height(), 10);  // never below scale 1
  // A character height of either sign gives the same scale; 0 the smallest.
  EXPECT_EQ(fonts.createFont({"Arial", -25, 400})->height(), 20);
  EXPECT_EQ(fonts.createFont({"Arial", 0, 400})->height(), 10);
  EXPECT_EQ(fonts.createFont({"Arial", std::numeric_limits<int32_t>::min(), 400})->height(), 4000);
}

TEST(VirtualFontService, AnyFaceNameGivesTheBuiltInFace) {
  VirtualFontService fonts;
  auto font = fonts.createFont({"No Such Face At All", 12, 400});
  ASSERT_TRUE(font);
  EXPECT_EQ(font->family(), VirtualFontService::kFamily);
}

TEST(VirtualFontService, DrawsTheGlyphShapesAtTheirPlaceOnTheBaseline) {
  VirtualFontService fonts;
  auto font = fonts.createFont({"Arial", 10, 400});
  Canvas canvas(20, 12);
  font->draw(canvas.target(), 2, 1, "I-", kInk, {0, 0, 20, 12});
  // "I": top bar from column 1 to 3 of its cell on the cell's second row.
  EXPECT_EQ(canvas.at(3, 2), kInk);
  EXPECT_EQ(canvas.at(5, 2), kInk);
  EXPECT_EQ(canvas.at(2, 2), kBack);
  // Its stem down to the row above the baseline (cell row 7).
  EXPECT_EQ(canvas.at(4, 8), kInk);
  EXPECT_EQ(canvas.at(4, 9), kBack);
  // "-" one advance (6) to the right, a full row at glyph row 3.
  for (int x = 8; x < 13; ++x) EXPECT_EQ(canvas.at(x, 5), kInk) << x;
  EXPECT_EQ(canvas.at(13, 5), kBack);
  EXPECT_EQ(canvas.inked(), 3 + 5 + 3 + 5);
}

TEST(VirtualFontService, DescendersGoBelowTheBaselineAndUnknownBytesShowABox) {
  VirtualFontService fonts;
  auto font = fonts.createFont({"Arial", 10, 400});
  Canvas canvas(12, 10);
  font->draw(canvas.target(), 0, 0, "p\xE9", kInk, {0, 0, 12, 10});
  EXPECT_EQ(canvas.at(0, 9), kInk);   // the stem of "p" on the cell's last row
  EXPECT_EQ(canvas.at(0, 2), kBack);  // and nothing above its bowl
  for (int x = 6; x < 11; ++x) EXPECT_EQ(canvas.at(x, 1), kInk) << x;  // the box's top
  EXPECT_EQ(canvas.at(8, 4), kBack);                                    // hollow
}

TEST(VirtualFontService, DrawingChangesPixelsOnlyInsideTheClip) {
  VirtualFontService fonts;
  auto font = fonts.createFont({"Arial", 20, 700});
  Canvas whole(80, 30), clipped(80, 30);
  font->draw(whole.target(), 0, 0, "WXYZ", kInk, {0, 0, 80, 30});
  const ClipRect clip{10, 4, 30, 12};
  font->draw(clipped.target(), 0, 0, "WXYZ", kInk, clip);
  int inside = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 80; ++x) {
      const bool in = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
      EXPECT_EQ(clipped.at(x, y), in ? whole.at(x, y) : kBack) << x << "," << y;
      inside += in && clipped.at(x, y) == kInk;
    }
  }
  EXPECT_GT(inside, 20);
  // A clip beyond the target is cut to it rather than writing outside.
  Canvas edge(8, 8);
  font->draw(edge.target(), -5, -5, "M", kInk, {-100, -100, 100, 100});
  EXPECT_GT(edge.inked(), 0);
}

TEST(FontService, BlendAndAnsiHelpers) {
  EXPECT_EQ(blendCoverage(0x000000, 0xFFFFFF, 0), 0x000000u);
  EXPECT_EQ(blendCoverage(0x000000, 0xFF8040, 255), 0xFF8040u);
  EXPECT_EQ(blendCoverage(0x000000, 0xFF8040, 128), 0x804020u);  // (255*128+127)/255 = 128
  EXPECT_EQ(blendCoverage(0x204060, 0x204060, 77), 0x204060u);
  EXPECT_EQ(ansiCodePoint('A'), U'A');
  EXPECT_EQ(ansiCodePoint(0x80), U'\u20AC');
  EXPECT_EQ(ansiCodePoint(0x81), U'\uFFFD');
  EXPECT_EQ(ansiCodePoint(0xE9), U'\u00E9');
}

}  // namespace
}  // namespace zarnel
