#include "platform/posix/PosixFontService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace zarnel {
namespace {

constexpr uint32_t kBack = 0x000000, kInk = 0xFFFFFF;

struct Canvas {
  int32_t width, height;
  std::vector<uint32_t> pixels;
  Canvas(int32_t w, int32_t h) : width(w), height(h), pixels(size_t(w * h), kBack) {}
  PixelTarget target() { return {pixels.data(), width, height, width}; }
  uint32_t at(int32_t x, int32_t y) const { return pixels[size_t(y * width + x)]; }
};

class PosixFontServiceTest : public ::testing::Test {
 protected:
  PosixFontService fonts;
};

TEST_F(PosixFontServiceTest, ArialResolvesToAMetricTwinWithTheCellHeightAsked) {
  ASSERT_TRUE(fonts.ready());
  auto font = fonts.createFont({"Arial", 16, 400});
  ASSERT_TRUE(font);
  EXPECT_EQ(font->family(), "Liberation Sans");
  EXPECT_EQ(font->height(), 16);
  // The twin's Windows ascent is 1854 of 2288 units of the cell.
  EXPECT_EQ(font->ascent(), 13);
}

// Return: the rows from the topmost to the bottommost inked pixel of text
// drawn with the cell's top at row 0.
int32_t inkRows(const Font& font, std::string_view text) {
  Canvas canvas(400, font.height() + 4);
  font.draw(canvas.target(), 0, 0, text, kInk, {0, 0, canvas.width, canvas.height});
  int32_t top = canvas.height, bottom = -1;
  for (int32_t y = 0; y < canvas.height; ++y) {
    for (int32_t x = 0; x < canvas.width; ++x) {
      if (canvas.at(x, y) == kBack) continue;
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return bottom - top + 1;
}

TEST_F(PosixFontServiceTest, NegativeHeightsAreTheCharacterHeight) {
  // The twin has 2048 units to the em and a cell of 2288: 1854 up, 434 down.
  auto cell = fonts.createFont({"Arial", 40, 400});
  auto em = fonts.createFont({"Arial", -40, 400});
  ASSERT_TRUE(cell && em);
  EXPECT_EQ(em->height(), 45);  // 40 × 2288 / 2048 = 44.7
  EXPECT_EQ(em->ascent(), 36);  // 40 × 1854 / 2048 = 36.2
  EXPECT_EQ(em->measure("Mixing desk").height, 45);
  // Glyphs scale with the em: 2288 / 2048 times those of the same cell height,
  // give or take the whole-pixel advances of the 11 letters at either size.
  const double ratio = 2288.0 / 2048.0;
  EXPECT_NEAR(em->measure("Mixing desk").width, cell->measure("Mixing desk").width * ratio, 6);
  EXPECT_GT(em->measure("Mixing desk").width, cell->measure("Mixing desk").width + 15);
  // A capital of the em font stands 1409 / 2048 of 40 pixels tall (27.5).
  EXPECT_NEAR(inkRows(*em, "H"), 27.5, 1);
  EXPECT_NEAR(inkRows(*cell, "H"), 27.5 / ratio, 1);
  // The cell font of the em font's cell height draws the same glyphs.
  auto twin = fonts.createFont({"Arial", 45, 400});
  ASSERT_TRUE(twin);
  EXPECT_NEAR(twin->measure("Mixing desk").width, em->measure("Mixing desk").width, 2);
}

TEST_F(PosixFontServiceTest, ZeroAndExtremeHeightsGiveUsableFonts) {
  auto standard = fonts.createFont({"Arial", 0, 400});
  ASSERT_TRUE(standard);
  EXPECT_EQ(standard->height(), FontSpec{}.height);
  for (int32_t h : {1, -1, 1000, -1000}) {
    auto font = fonts.createFont({"Arial", h, 400});
    ASSERT_TRUE(font) << h;
    EXPECT_GE(font->height(), 1) << h;
    EXPECT_GE(font->measure("W").width, h < 0 ? -h / 2 : h / 3) << h;
  }
  EXPECT_EQ(fonts.createFont({"Arial", -1000, 400})->height(), 1117);  // 1000 × 2288 / 2048
}

TEST_F(PosixFontServiceTest, MeasuresGrowWithTextHeightAndWeight) {
  auto regular = fonts.createFont({"Arial", 16, 400});
  auto bold = fonts.createFont({"Arial", 16, 700});
  auto big = fonts.createFont({"Arial", 32, 400});
  ASSERT_TRUE(regular && bold && big);
  const int32_t w = regular->measure("Mixing desk").width;
  EXPECT_GT(w, 60);
  EXPECT_LT(w, 110);
  EXPECT_EQ(regular->measure("Mixing desk").height, 16);
  EXPECT_GT(bold->measure("Mixing desk").width, w);
  EXPECT_NEAR(big->measure("Mixing desk").width, 2 * w, 6);
  EXPECT_EQ(regular->measure("").width, 0);
  // Widths add up: the text is laid out by advances.
  EXPECT_NEAR(regular->measure("ab").width,
              regular->measure("a").width + regular->measure("b").width, 1);
}

TEST_F(PosixFontServiceTest, DrawsAntiAliasedInkOnlyInsideTheClip) {
  auto font = fonts.createFont({"Arial", 24, 700});
  ASSERT_TRUE(font);
  Canvas whole(120, 30), clipped(120, 30);
  font->draw(whole.target(), 2, 2, "Zarnel", kInk, {0, 0, 120, 30});
  const ClipRect clip{20, 8, 60, 20};
  font->draw(clipped.target(), 2, 2, "Zarnel", kInk, clip);
  int full = 0, partial = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 120; ++x) {
      const bool in = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
      EXPECT_EQ(clipped.at(x, y), in ? whole.at(x, y) : kBack) << x << "," << y;
      const uint32_t p = whole.at(x, y);
      full += p == kInk;
      partial += p != kInk && p != kBack;
    }
  }
  EXPECT_GT(full, 50);
  EXPECT_GT(partial, 20);  // edges are blended, not jagged
  // Greys are grey: the three channels move together over black.
  for (uint32_t p : whole.pixels) {
    ASSERT_EQ(p >> 16 & 0xFF, p & 0xFF);
  }
}

TEST_F(PosixFontServiceTest, AMissingFaceFallsBackToAnInstalledOne) {
  auto font = fonts.createFont({"No Such Face Zq91", 14, 400});
  ASSERT_TRUE(font);
  EXPECT_FALSE(font->family().empty());
  EXPECT_NE(font->family(), "No Such Face Zq91");
  EXPECT_GT(font->measure("Title").width, 0);
  Canvas canvas(60, 20);
  font->draw(canvas.target(), 0, 0, "Title", kInk, {0, 0, 60, 20});
  int ink = 0;
  for (uint32_t p : canvas.pixels) ink += p != kBack;
  EXPECT_GT(ink, 20);
}

TEST_F(PosixFontServiceTest, AnsiBytesAboveAsciiDrawTheirLetters) {
  auto font = fonts.createFont({"Arial", 16, 400});
  ASSERT_TRUE(font);
  // "é" (0xE9) and "€" (0x80 in the ANSI code page) have real glyphs.
  EXPECT_GT(font->measure("\xE9").width, 3);
  EXPECT_GT(font->measure("\x80").width, 3);
}

}  // namespace
}  // namespace zarnel
