#include "skin/RhythmPainter.h"

#include <gtest/gtest.h>

#include "skin/RhythmPalette.h"
#include "skin/support/FakeDisplay.h"
#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

TEST(RhythmPalette, TheDefaultIndexesGiveFourDistinctColours) {
  EXPECT_EQ(rhythmPaletteColour(0), 0x000000u);
  EXPECT_EQ(rhythmPaletteColour(10), 0x00FF00u);
  EXPECT_EQ(rhythmPaletteColour(15), 0xFFFFFFu);
  EXPECT_EQ(rhythmPaletteColour(16), 0xFF0000u);
  EXPECT_EQ(rhythmPaletteColour(16 + 8), 0x00FF00u);   // hue 8: 120 degrees
  EXPECT_EQ(rhythmPaletteColour(16 + 24 + 16), 0x0000E5u);  // level 1 of blue (229)
  EXPECT_EQ(rhythmPaletteColour(256 + 15), 0xFFFFFFu);
}

std::unique_ptr<Skin> viewSkin(const std::string& look, int32_t width, int32_t windowWidth) {
  const std::string root = " width='" + std::to_string(windowWidth) + "'";
  return test::buildFrom("<zarnelskin" + root + "><rhythm><size width='" + std::to_string(width) +
                             "' height='10'/><pos x='0' y='20'/>" + look +
                             "</rhythm><browser><size width='10' height='10'/><pos x='0' y='0'/></browser></zarnelskin>",
                         test::solidImage(windowWidth, 600, 0x123456));
}

TEST(RhythmPainter, ColourModeStacksTheCurvesFromTheBottom) {
  test::BoundSkin bound(viewSkin("<color back='0' chan1='16' chan2='15' both='10'/>", 4, 800));
  ASSERT_NE(bound.skin, nullptr);
  test::FakeDisplay desks;
  desks.active = 0;
  desks.curves[1] = {6, 2, 0, 9};  // the playing desk (desk 2)
  desks.curves[0] = {3, 5, 0, 9};  // the active desk
  RhythmPainter painter;
  const SkinRect drawn = painter.paint(*bound.skin->rhythm, *bound.surface, desks, 0);
  EXPECT_EQ(drawn.width, 4);
  EXPECT_EQ(drawn.height, 10);
  auto at = [&](int32_t column, int32_t fromBottom) { return bound.at(column, 20 + 9 - fromBottom); };
  // Column 0: both to 3, the playing desk's alone up to 6, then background.
  EXPECT_EQ(at(0, 0), 0x00FF00u);
  EXPECT_EQ(at(0, 2), 0x00FF00u);
  EXPECT_EQ(at(0, 3), 0xFF0000u);
  EXPECT_EQ(at(0, 5), 0xFF0000u);
  EXPECT_EQ(at(0, 6), 0x000000u);
  // Column 1: the active desk's is higher.
  EXPECT_EQ(at(1, 1), 0x00FF00u);
  EXPECT_EQ(at(1, 2), 0xFFFFFFu);
  EXPECT_EQ(at(1, 5), 0x000000u);
  EXPECT_EQ(at(2, 0), 0x000000u);  // no curve at all
  EXPECT_EQ(at(3, 8), 0x00FF00u);  // both at the top (height - 1 is the most)
  EXPECT_EQ(at(3, 9), 0x000000u);
  EXPECT_EQ(bound.at(4, 25), 0u);  // nothing right of the view
  // With the other desk active, the colours of the two curves swap.
  painter.paint(*bound.skin->rhythm, *bound.surface, desks, 1);
  EXPECT_EQ(at(0, 3), 0xFFFFFFu);
  EXPECT_EQ(at(1, 2), 0xFF0000u);
}

TEST(RhythmPainter, AViewWiderThan1024PixelsIsDrawnOver1024ColumnsOnly) {
  test::BoundSkin bound(viewSkin("<color/>", 1200, 1300));
  ASSERT_NE(bound.skin, nullptr);
  test::FakeDisplay desks;
  desks.curves[0] = {9};
  RhythmPainter painter;
  const SkinRect drawn = painter.paint(*bound.skin->rhythm, *bound.surface, desks, 0);
  EXPECT_EQ(drawn.width, 1024);
  EXPECT_EQ(desks.lastCount, 1024);
  const uint32_t white = rhythmPaletteColour(15);  // the active desk's default
  EXPECT_EQ(bound.at(0, 25), white);
  EXPECT_EQ(bound.at(1023, 25), white);
  EXPECT_EQ(bound.at(1024, 25), 0u);  // untouched
  EXPECT_EQ(bound.at(1199, 25), 0u);
}

TEST(RhythmPainter, ImageModeTakesEachPixelFromTheImageOfItsCover) {
  // Four images side by side in the skin: up at (0, 100), chan1, chan2, both.
  Bitmap image = test::solidImage(800, 600, 0);
  const uint32_t colours[4] = {0x111111, 0x220000, 0x003300, 0x000044};
  for (int32_t k = 0; k < 4; ++k)
    for (int32_t y = 100; y < 110; ++y)
      for (int32_t x = 0; x < 4; ++x) test::setPixel(image, k * 10 + x, y, colours[k] + uint32_t(x + (y - 100) * 4));
  auto skin = test::buildFrom(
      "<zarnelskin><rhythm><size width='4' height='10'/><pos x='0' y='20'/><up x='0' y='100'/>"
      "<chan1 x='10' y='100'/><chan2 x='20' y='100'/><both x='30' y='100'/></rhythm>"
      "<browser><size width='10' height='10'/><pos x='0' y='0'/></browser></zarnelskin>",
      image);
  test::BoundSkin bound(std::move(skin));
  ASSERT_NE(bound.skin, nullptr);
  test::FakeDisplay desks;
  desks.curves[1] = {5};  // playing
  desks.curves[0] = {2};  // active
  RhythmPainter painter;
  painter.paint(*bound.skin->rhythm, *bound.surface, desks, 0);
  // Row 9 of the view (bottom): both; row 6: the playing desk's alone; row 0: up.
  EXPECT_EQ(bound.at(1, 29), colours[3] + 1 + 9 * 4);
  EXPECT_EQ(bound.at(2, 26), colours[1] + 2 + 6 * 4);
  EXPECT_EQ(bound.at(3, 20), colours[0] + 3);
}

}  // namespace
}  // namespace zarnel
