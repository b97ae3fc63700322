#include "skin/Tooltip.h"

#include <gtest/gtest.h>

#include "platform/virtual/VirtualWindowSystem.h"
#include "skin/BalloonImage.h"
#include "skin/BuiltinTextRenderer.h"

namespace zarnel {
namespace {

struct TooltipRig {
  VirtualWindowSystem windows;
  BuiltinTextRenderer text;
  Tooltip tooltip{windows, text, makeBalloonImage()};
  TooltipRig() { EXPECT_TRUE(tooltip.create()); }
  VirtualWindow& window() { return static_cast<VirtualWindow&>(*tooltip.window()); }
  void fire() {
    Message m;
    m.window = tooltip.window();
    m.id = msg::kTimer;
    m.wparam = kTooltipTimer;
    windows.dispatch(m);
  }
};

TEST(Tooltip, TheBalloonAppearsAfterTheWaitAboveThePointer) {
  TooltipRig rig;
  EXPECT_EQ(rig.window().spec().className, "ZARNELT");
  EXPECT_TRUE(rig.window().spec().popup);
  rig.tooltip.show(300, 200, "Hi");
  EXPECT_EQ(rig.tooltip.state(), Tooltip::State::kWaiting);
  EXPECT_FALSE(rig.window().visible());
  EXPECT_EQ(rig.window().timers().at(kTooltipTimer), 500);
  rig.fire();
  EXPECT_EQ(rig.tooltip.state(), Tooltip::State::kShown);
  EXPECT_TRUE(rig.window().visible());
  EXPECT_TRUE(rig.window().timers().empty());
  EXPECT_EQ(rig.window().spec().x, 298);
  EXPECT_EQ(rig.window().spec().y, 169);
  EXPECT_EQ(rig.window().height(), 30);
  // 2 × 6 pixels of text and a margin of (23 - 8) / 2 = 7 each side: 26,
  // less than the picture's own width.
  EXPECT_EQ(rig.window().width(), 29);
  rig.tooltip.show(300, 200, "A longer tooltip");
  rig.fire();
  EXPECT_EQ(rig.window().width(), 16 * 6 + 2 * 7);
}

TEST(Tooltip, TheSameTextAgainFollowsThePointerWithoutBlinking) {
  TooltipRig rig;
  rig.tooltip.show(300, 200, "Pitch");
  rig.fire();
  const int32_t presents = rig.window().presented();
  rig.tooltip.show(310, 205, "Pitch");
  EXPECT_EQ(rig.tooltip.state(), Tooltip::State::kShown);
  EXPECT_TRUE(rig.window().visible());
  EXPECT_TRUE(rig.window().timers().empty());  // no new wait
  EXPECT_EQ(rig.window().spec().x, 308);
  EXPECT_EQ(rig.window().spec().y, 174);
  EXPECT_GT(rig.window().presented(), presents);
  // Another text waits afresh, and an empty one hides.
  rig.tooltip.show(310, 205, "Level");
  EXPECT_EQ(rig.tooltip.state(), Tooltip::State::kWaiting);
  EXPECT_FALSE(rig.window().visible());
  rig.tooltip.show(310, 205, "");
  EXPECT_EQ(rig.tooltip.state(), Tooltip::State::kHidden);
  EXPECT_TRUE(rig.window().timers().empty());
}

TEST(Tooltip, TheShapeIsTheBodyAndThePicturesEnds) {
  TooltipRig rig;
  rig.tooltip.show(100, 100, "Crossfader position");  // 19 × 6 + 2 × 7 wide
  rig.fire();
  const int32_t w = rig.window().width();
  ASSERT_EQ(w, 128);
  const auto& shape = rig.window().shape();
  ASSERT_EQ(shape.size(), size_t(w) * 30);
  auto in = [&](int32_t x, int32_t y) { return shape[size_t(y) * w + x] != 0; };
  EXPECT_FALSE(in(0, 0));       // the rounded corner
  EXPECT_TRUE(in(5, 5));        // the left end's body
  EXPECT_TRUE(in(60, 0));       // the stretched body, all of its rows...
  EXPECT_TRUE(in(60, 22));
  EXPECT_FALSE(in(60, 23));     // ...and nothing below it
  EXPECT_TRUE(in(2, 29));       // the pointer's tip
  EXPECT_FALSE(in(10, 29));
  EXPECT_FALSE(in(w - 1, 0));   // the right end's corner
  EXPECT_TRUE(in(w - 3, 10));
  // The text is drawn in black inside the body.
  const uint32_t* p = rig.window().backBuffer();
  bool ink = false;
  for (int32_t y = 7; y < 15; ++y)
    for (int32_t x = 7; x < 30; ++x) ink = ink || p[y * w + x] == 0;
  EXPECT_TRUE(ink);
  // A hidden balloon drops its shape; a mouse move over it hides it too.
  rig.tooltip.hide();
  EXPECT_TRUE(rig.window().shape().empty());
  rig.tooltip.show(100, 100, "x");
  rig.fire();
  Message move;
  move.window = rig.tooltip.window();
  move.id = msg::kMouseMove;
  rig.windows.dispatch(move);
  EXPECT_EQ(rig.tooltip.state(), Tooltip::State::kHidden);
}

TEST(BuiltinTextRenderer, MeasuresCellsAndDrawsOnlyGlyphPixels) {
  BuiltinTextRenderer text;
  FontDescription font;
  EXPECT_EQ(text.measure(font, "abc").width, 18);
  EXPECT_EQ(text.measure(font, "abc").height, 8);
  font.height = 24;
  EXPECT_EQ(text.measure(font, "abc").width, 36);
  font.height = 12;
  std::vector<uint32_t> pixels(12 * 8, 0x777777);
  text.draw(font, "I", 0x123456, PixelTarget{pixels.data(), 12, 8, 12}, 0, 0);
  EXPECT_EQ(pixels[0 * 12 + 2], 0x123456u);  // the I's stem, column 2
  EXPECT_EQ(pixels[6 * 12 + 2], 0x123456u);
  EXPECT_EQ(pixels[3 * 12 + 0], 0x777777u);  // background kept
  text.draw(font, "WWW", 0x1, PixelTarget{pixels.data(), 12, 8, 12}, 8, -3);  // clipped, no fault
}

}  // namespace
}  // namespace zarnel
