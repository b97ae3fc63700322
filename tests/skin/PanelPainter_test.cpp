#include "skin/PanelPainter.h"

#include <gtest/gtest.h>

#include "skin/DrawSurface.h"
#include "skin/PanelImage.h"
#include "skin/TextRenderer.h"

namespace zarnel {
namespace {

Bitmap picture(int32_t width, int32_t height, uint32_t fill) {
  Bitmap b;
  b.width = width;
  b.height = height;
  b.pixels.assign(size_t(width) * size_t(height), fill);
  return b;
}

TEST(PanelImage, TheColourMatrixRecoloursAllButTheTransparentColourAndTheKeptCorner) {
  Bitmap b = picture(kPanelImageWidth, kPanelImageHeight, 0xFF00FF);  // the first pixel: transparent
  const size_t plain = 100 * kPanelImageWidth + 10, kept = 30 * kPanelImageWidth + 406;
  const size_t pastKept = 31 * kPanelImageWidth + 406, edge = 0 * kPanelImageWidth + 459;
  for (size_t i : {plain, kept, pastKept, edge}) b.pixels[i] = 0x804020;
  b.pixels[200 * kPanelImageWidth + 10] = 0xFFFFFF;
  // Red takes green's value, green half of red, blue stays; the white pixel
  // saturates at 255.
  const int32_t m[9] = {0, 128, 0, 256, 0, 0, 0, 0, 256};
  applyColourMatrix(b, m);
  // r 0x80, g 0x40, b 0x20: red = g·256/256 = 0x40, green = r·128/256 = 0x40.
  EXPECT_EQ(b.pixels[plain], 0x404020u);
  EXPECT_EQ(b.pixels[pastKept], 0x404020u);
  EXPECT_EQ(b.pixels[edge], 0x404020u);
  EXPECT_EQ(b.pixels[kept], 0x804020u);
  EXPECT_EQ(b.pixels[1], 0xFF00FFu);
  EXPECT_EQ(b.pixels[200 * kPanelImageWidth + 10], 0xFF7FFFu);

  // The default matrix keeps 255/256 of each channel.
  Bitmap d = picture(2, 1, 0);
  d.pixels[1] = 0xFF8001;
  applyColourMatrix(d, {255, 0, 0, 0, 255, 0, 0, 0, 255});
  EXPECT_EQ(d.pixels[1], 0xFE7F00u);
}

struct Rig {
  Rig() : back(size_t(20) * 10, 0x111111), skin(picture(20, 10, 0)), surface(back.data(), 20, 10, &skin) {}
  uint32_t at(int32_t x, int32_t y) const { return back[size_t(y) * 20 + size_t(x)]; }
  std::vector<uint32_t> back;
  Bitmap skin;
  DrawSurface surface;
};

TEST(PanelPainter, CopiesSkipTheTransparentColourAndClipToBothImages) {
  Rig rig;
  Bitmap panel = picture(4, 2, 0xFF00FF);
  panel.pixels[1] = 0xA0;
  panel.pixels[5] = 0xB0;
  PanelPainter painter(rig.surface, panel, nullptr);
  painter.copy({18, 8, 4, 2}, {0, 0});  // half outside the back buffer
  EXPECT_EQ(rig.at(18, 8), 0x111111u);  // transparent: left alone
  EXPECT_EQ(rig.at(19, 8), 0xA0u);
  EXPECT_EQ(rig.at(19, 9), 0xB0u);
  painter.copy({0, 0, 10, 10}, {2, 1});  // reads past the picture: nothing from outside it
  EXPECT_EQ(rig.at(2, 0), 0x111111u);
  // Scaled by two, nearest pixel.
  painter.copyScaled({0, 2, 8, 4}, {0, 0, 4, 2});
  EXPECT_EQ(rig.at(2, 2), 0xA0u);
  EXPECT_EQ(rig.at(3, 3), 0xA0u);
  EXPECT_EQ(rig.at(2, 4), 0xB0u);
  EXPECT_EQ(rig.at(0, 2), 0x111111u);
}

TEST(PanelPainter, LinesFillsAndFrames) {
  Rig rig;
  Bitmap panel;
  PanelPainter painter(rig.surface, panel, nullptr);
  painter.line(-3, 0, 25, 0, 1);  // clipped, both ends in
  for (int32_t x = 0; x < 20; ++x) EXPECT_EQ(rig.at(x, 0), 1u);
  painter.polyline({{0, 2}, {4, 6}, {4, 2}}, 2);
  for (int32_t k = 0; k <= 4; ++k) EXPECT_EQ(rig.at(k, 2 + k), 2u);
  EXPECT_EQ(rig.at(4, 3), 2u);
  painter.fillRect({15, 5, 100, 100}, 3);
  EXPECT_EQ(rig.at(19, 9), 3u);
  EXPECT_EQ(rig.at(14, 9), 0x111111u);

  BrowserLook look;
  look.shadow = 0x000001;  // colour references: red in the low byte
  look.darkShadow = 0x000002;
  look.highlight = 0x000003;
  look.light = 0x000004;
  painter.frame3d({6, 1, 8, 6}, look, true);
  EXPECT_EQ(rig.at(6, 1), 0x010000u);   // outer top-left: shadow
  EXPECT_EQ(rig.at(7, 2), 0x020000u);   // inner: dark shadow
  EXPECT_EQ(rig.at(13, 6), 0x030000u);  // outer bottom-right: highlight
  EXPECT_EQ(rig.at(12, 5), 0x040000u);  // inner: light
  EXPECT_EQ(rig.at(9, 3), 0x111111u);   // the inside is left alone
  painter.frame3d({6, 1, 8, 6}, look, false);
  EXPECT_EQ(rig.at(6, 1), 0x040000u);
  EXPECT_EQ(rig.at(13, 6), 0x020000u);
}

// Records where and in which pixel colour text was asked for.
struct RecordingText : TextRenderer {
  TextExtent measure(const FontDescription&, std::string_view) const override { return {}; }
  void draw(const FontDescription&, std::string_view, ColourRef colour, const PixelTarget& target, int32_t x,
            int32_t y) const override {
    pixel = colour;
    width = target.width;
    at = {x, y};
  }
  mutable uint32_t pixel = 0;
  mutable int32_t width = 0;
  mutable SkinPoint at;
};

TEST(PanelPainter, TextGoesToTheRendererAsAPixelClippedToItsRectangle) {
  Rig rig;
  Bitmap panel;
  RecordingText text;
  PanelPainter painter(rig.surface, panel, &text);
  painter.text(FontDescription{}, "x", 0x0000FF /* red, as a colour reference */, 5, 3, {4, 2, 100, 5});
  EXPECT_EQ(text.pixel, 0xFF0000u);
  EXPECT_EQ(text.width, 16);  // 4..20: clipped to the back buffer
  EXPECT_EQ(text.at.x, 1);
  EXPECT_EQ(text.at.y, 1);
}

}  // namespace
}  // namespace zarnel
