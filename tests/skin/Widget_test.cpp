#include "skin/Widget.h"

#include <gtest/gtest.h>

#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

using test::BoundSkin;
using test::skinXml;

// A bitmap whose regions are told apart by colour: the up image at (0, 100),
// down at (20, 100), selected (40, 100), over (60, 100), overselected
// (80, 100), downselected (100, 100); a mask at (0, 200) black only on its
// left half.
Bitmap stateImages() {
  Bitmap b = test::solidImage(800, 600, 0x808080);
  uint32_t colours[6] = {0x000011, 0x000022, 0x000033, 0x000044, 0x000055, 0x000066};
  for (int i = 0; i < 6; ++i) {
    for (int y = 100; y < 110; ++y) {
      for (int x = 20 * i; x < 20 * i + 10; ++x) test::setPixel(b, x, y, colours[i]);
    }
  }
  for (int y = 200; y < 210; ++y) {
    for (int x = 0; x < 10; ++x) test::setPixel(b, x, y, x < 5 ? 0 : 0xFFFFFF);
  }
  return b;
}

const std::string kPlace = "<size width='10' height='10'/><pos x='50' y='50'/>";
const std::string kAllImages =
    "<up x='0' y='100'/><down x='20' y='100'/><selected x='40' y='100'/><over x='60' y='100'/>"
    "<overselected x='80' y='100'/><downselected x='100' y='100'/>";

TEST(WidgetHitAreas, MaskRectangleAndCircleEdges) {
  BoundSkin b(test::buildFrom(
      skinXml("<button>" + kPlace + "<mousemask x='0' y='200'/></button>"
              "<dropzone><size width='100' height='100'/><pos x='100' y='100'/><mouserect x='120' y='130' width='10' height='5'/></dropzone>"
              "<scratch chan='1'><size width='100' height='100'/><pos x='300' y='100'/><mousecircle x='350' y='150' r='10'/></scratch>"
              "<dropzone><size width='10' height='10'/><pos x='500' y='0'/></dropzone>"),
      stateImages()));
  ASSERT_NE(b.skin, nullptr);
  Widget& masked = *b.skin->buttons[0];
  EXPECT_TRUE(masked.hitTest(50, 50));
  EXPECT_TRUE(masked.hitTest(54, 59));
  EXPECT_FALSE(masked.hitTest(55, 50));  // white half of the mask
  EXPECT_FALSE(masked.hitTest(49, 50));  // left of the widget, however black the mask's neighbour
  EXPECT_FALSE(masked.hitTest(54, 60));
  Widget& rect = *b.skin->dropZones[1];
  EXPECT_TRUE(rect.hitTest(120, 130));
  EXPECT_TRUE(rect.hitTest(129, 134));
  EXPECT_FALSE(rect.hitTest(130, 134));  // right edge excluded
  EXPECT_FALSE(rect.hitTest(129, 135));  // bottom edge excluded
  EXPECT_FALSE(rect.hitTest(110, 110)) << "inside the widget, outside its hit rectangle";
  Widget& circle = *b.skin->scratchZones[0];
  EXPECT_TRUE(circle.hitTest(360, 150));   // squared distance 100 = r²
  EXPECT_TRUE(circle.hitTest(356, 158));   // 36 + 64
  EXPECT_FALSE(circle.hitTest(357, 158));  // 49 + 64
  EXPECT_FALSE(circle.hitTest(361, 150));
  Widget& plain = *b.skin->dropZones[0];
  EXPECT_TRUE(plain.hitTest(500, 0));
  EXPECT_FALSE(plain.hitTest(510, 5));
  EXPECT_FALSE(plain.hitTest(505, 10));
  for (Widget* w : {&masked, &rect, &circle, &plain}) w->setVisible(false);
  EXPECT_FALSE(masked.hitTest(50, 50));
  EXPECT_FALSE(rect.hitTest(120, 130));
  EXPECT_FALSE(circle.hitTest(350, 150));
  EXPECT_FALSE(plain.hitTest(500, 0));
}

TEST(ButtonStates, DrawPicksTheFirstImageThatApplies) {
  BoundSkin b(test::buildFrom(skinXml("<button action='play' chan='1'>" + kPlace + kAllImages + "</button>"),
                              stateImages()));
  ASSERT_NE(b.skin, nullptr);
  Button& button = *b.skin->buttons[0];
  button.draw();
  EXPECT_EQ(b.at(55, 55), 0x000011u);
  button.hover(55, 55, 1);
  EXPECT_EQ(b.at(55, 55), 0x000044u);
  button.setSelected(true);
  EXPECT_EQ(b.at(55, 55), 0x000055u);
  button.mouseDown(55, 55, keys::kLeft);
  EXPECT_EQ(b.at(55, 55), 0x000066u);
  button.setSelected(false);
  EXPECT_EQ(b.at(55, 55), 0x000022u);
  button.mouseUp(55, 55, keys::kLeft);
  button.hover(55, 55, -1);
  button.setSelected(true);
  EXPECT_EQ(b.at(55, 55), 0x000033u);
  button.setVisible(false);
  button.draw();
  EXPECT_EQ(b.at(55, 55), 0x808080u);  // the background
  ASSERT_EQ(b.sink.events.size(), 2u);
  EXPECT_EQ(b.sink.events[0], "press 5 0 1");
  EXPECT_EQ(b.sink.events[1], "release 5 0 1");
  std::vector<SkinRect> marked = b.surface->takeInvalidated();
  ASSERT_FALSE(marked.empty());
  EXPECT_EQ(marked.back().x, 50);
  EXPECT_EQ(marked.back().width, 10);
}

TEST(ButtonStates, ClipMaskKeepsTheBackgroundOutsideIt) {
  BoundSkin b(test::buildFrom(skinXml("<button>" + kPlace + "<up x='0' y='100'/><clipmask x='0' y='200'/></button>"),
                              stateImages()));
  std::fill(b.back.begin(), b.back.end(), 0x777777u);
  b.skin->buttons[0]->draw();
  EXPECT_EQ(b.at(52, 52), 0x000011u);
  EXPECT_EQ(b.at(57, 52), 0x777777u);
}

TEST(ButtonStates, RightBendSendsThePressAgain) {
  BoundSkin b(test::buildFrom(skinXml("<button action='play' rightclick='bend' chan='2'>" + kPlace + "</button>")));
  Button& button = *b.skin->buttons[0];
  button.mouseDown(55, 55, keys::kRight | keys::kRightButton);
  button.mouseUp(55, 55, keys::kRight | keys::kRightButton);
  button.mouseDown(55, 55, keys::kLeft);
  button.mouseUp(55, 55, keys::kLeft);
  ASSERT_EQ(b.sink.events.size(), 4u);
  EXPECT_EQ(b.sink.events[0], "press 5 1 8194");
  EXPECT_EQ(b.sink.events[1], "press 5 1 8194");
  EXPECT_EQ(b.sink.events[2], "press 5 1 1");
  EXPECT_EQ(b.sink.events[3], "release 5 1 1");
}

TEST(BeatLampLevels, WithoutChanEitherDeskLightsIt) {
  BoundSkin b(test::buildFrom(
      skinXml("<beattap><size width='10' height='10'/><pos x='50' y='50'/><up x='0' y='100'/><down x='20' y='100'/></beattap>"
              "<beattap chan='1'><size width='10' height='10'/><pos x='70' y='50'/><up x='0' y='100'/><down x='20' y='100'/></beattap>"),
      stateImages()));
  BeatLamp& own = *b.skin->beatLamps[0];
  BeatLamp& either = *b.skin->beatLamps[1];
  b.desks.meters[1] = 3000;
  either.draw();
  own.draw();
  EXPECT_EQ(b.at(55, 55), 0x000022u);
  EXPECT_EQ(b.at(75, 55), 0x000011u) << "desk 1's lamp stays off";
  b.desks.meters[1] = 2047;
  either.draw();
  EXPECT_EQ(b.at(55, 55), 0x000011u);
  b.desks.meters[0] = 2048;
  either.draw();
  own.draw();
  EXPECT_EQ(b.at(55, 55), 0x000022u);
  EXPECT_EQ(b.at(75, 55), 0x000022u);
  EXPECT_EQ(b.surface->takeShown().size(), 5u) << "each draw goes to the screen at once";
}

TEST(BeatLampLevels, TransparentBlendsWithTheLevel) {
  Bitmap image = test::solidImage(800, 600, 0);
  for (int x = 0; x < 10; ++x) {
    test::setPixel(image, x, 100, 0x0000FF);       // unlit
    test::setPixel(image, 20 + x, 100, 0xFF8000);  // lit
  }
  BoundSkin b(test::buildFrom(skinXml("<beattap chan='2' transparent='true'><size width='10' height='1'/><pos x='50' y='50'/>"
                                      "<up x='0' y='100'/><down x='20' y='100'/></beattap>"),
                              image));
  BeatLamp& lamp = *b.skin->beatLamps[0];
  auto shownAt = [&](int32_t level) {
    b.desks.meters[1] = level;
    lamp.draw();
    return b.at(55, 50);
  };
  EXPECT_EQ(shownAt(0), 0x0000FFu);
  // level 1600: weight 100: red 255 × 100 / 256 = 99, green 128 × 100 / 256 = 50,
  // blue 255 × 156 / 256 = 155.
  EXPECT_EQ(shownAt(1600), (99u << 16) | (50u << 8) | 155u);
  // Weights stop at 255: red 255 × 255 / 256 = 254, blue 255 / 256 = 0.
  EXPECT_EQ(shownAt(4096), (254u << 16) | (127u << 8) | 0u);
}

TEST(RhythmViewDrag, ScratchesByPitchAndWraps) {
  BoundSkin b(test::buildFrom(skinXml("<rhythm><size width='800' height='50'/><pos x='0' y='0'/><color/></rhythm>")));
  RhythmView& view = *b.skin->rhythm;
  struct Speed {
    int32_t pitch, scratchMode;
    int32_t frames;  // for a drag of 10 pixels left
  } speeds[] = {{4096, 1, 720}, {2048, 1, 360}, {4505, 2, 48 * 10 * 4505 / 4096}};
  for (const Speed& s : speeds) {
    b.sink.events.clear();
    b.desks.pitches[0] = s.pitch;
    b.desks.scratch = s.scratchMode;
    view.mouseDown(400, 10, keys::kLeft);
    view.mouseMove(390, 10, keys::kLeft);
    view.mouseUp(390, 10, keys::kLeft);
    std::vector<std::string> expected;
    if (s.scratchMode == 2) expected.push_back("hold 0 1 0");
    expected.push_back("scratch 0 " + std::to_string(s.frames) + " 0");
    if (s.scratchMode == 2) expected.push_back("hold 0 0 0");
    EXPECT_EQ(b.sink.events, expected) << s.pitch;
  }
  // The right button drags the other desk; a move right plays backwards.
  b.sink.events.clear();
  b.desks.scratch = 1;
  b.desks.pitches[1] = 4096;
  view.mouseDown(400, 10, keys::kRightButton);
  view.mouseMove(401, 10, 0);
  EXPECT_EQ(b.sink.last(), "scratch 1 -72 0");
  // At the left edge the pointer wraps by width - 2.
  view.mouseMove(0, 10, 0);
  EXPECT_EQ(b.host.cursorX, 798);
  view.mouseMove(797, 10, 0);
  EXPECT_EQ(b.sink.last(), "scratch 1 72 0");
  view.mouseMove(799, 10, 0);
  EXPECT_EQ(b.host.cursorX, 1);
  view.mouseUp(1, 10, 0);
}

TEST(RhythmViewDrag, WrapNeverWalksThePointerAway) {
  BoundSkin b(test::buildFrom(skinXml("<rhythm><size width='2' height='2'/><pos x='0' y='0'/><color/></rhythm>")));
  RhythmView& view = *b.skin->rhythm;
  b.desks.pitches[0] = 4096;
  b.host.cursorX = -100;  // never placed
  // Under 3 pixels the window has no inside to wrap into: the pointer stays.
  for (int32_t width : {0, 1, 2}) {
    view.setWindowWidth(width);
    view.mouseDown(0, 0, keys::kLeft);
    for (int32_t x : {0, -1, 0, 1, 2, 0}) view.mouseMove(x, 0, 0);
    view.mouseUp(0, 0, 0);
    EXPECT_EQ(b.host.cursorX, -100) << width;
  }
  // Three pixels: both edges land on the one inside column, and stay there.
  view.setWindowWidth(3);
  view.mouseDown(1, 0, keys::kLeft);
  view.mouseMove(0, 0, 0);
  EXPECT_EQ(b.host.cursorX, 1);
  view.mouseMove(2, 0, 0);
  EXPECT_EQ(b.host.cursorX, 1);
  // A pointer far beyond an edge still lands inside.
  view.setWindowWidth(800);
  view.mouseMove(-5000, 0, 0);
  EXPECT_EQ(b.host.cursorX, 1);
  view.mouseMove(90000, 0, 0);
  EXPECT_EQ(b.host.cursorX, 798);
  view.mouseUp(798, 0, 0);
}

TEST(TextZoneMouse, OnlyASecondFormatTakesTheMouse) {
  BoundSkin b(test::buildFrom(skinXml(
      "<textzone resetcounter='true'><size width='20' height='10'/><pos x='0' y='0'/><text format='a'/><text2 format='b'/></textzone>"
      "<textzone><size width='20' height='10'/><pos x='0' y='20'/><text format='c'/></textzone>")));
  TextZone& single = *b.skin->textZones[0];
  TextZone& twin = *b.skin->textZones[1];
  EXPECT_FALSE(single.hitTest(5, 25));
  EXPECT_TRUE(twin.hitTest(5, 5));
  b.host.now = 5000;
  twin.mouseUp(5, 5, keys::kLeft);
  EXPECT_TRUE(twin.showingSecond());
  EXPECT_EQ(twin.current().format, "b");
  EXPECT_EQ(twin.counterStart(), 5000);
  twin.mouseUp(5, 5, keys::kLeft);
  EXPECT_EQ(twin.current().format, "a");
}

}  // namespace
}  // namespace zarnel
