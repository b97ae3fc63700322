#include "skin/Slider.h"

#include <gtest/gtest.h>

#include <limits>
#include <numbers>

#include "skin/ActionNames.h"
#include "skin/Button.h"
#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

using test::BoundSkin;
using test::skinXml;

std::unique_ptr<Skin> oneSlider(const std::string& attrs, const std::string& children,
                                const std::string& place = "<size width='100' height='20'/><pos x='0' y='0'/>") {
  return test::buildFrom(skinXml("<slider" + attrs + ">" + place + children + "</slider>"));
}

const std::string kKnob = "<fader><size width='20' height='20'/><pos x='0' y='30'/></fader>";

TEST(SliderMathNumbers, StraightTravelEnds) {
  // 100 pixels from x = 0 with a 20-pixel knob: travel 80 from x = 10.
  EXPECT_EQ(linearValue(10, 10, 80, false, false), 0);
  EXPECT_EQ(linearValue(89, 10, 80, false, false), 4096);
  EXPECT_EQ(linearValue(49, 10, 80, false, false), 39 * 4096 / 79);
  EXPECT_EQ(linearValue(-50, 10, 80, false, false), 0);
  EXPECT_EQ(linearValue(500, 10, 80, false, false), 4096);
  EXPECT_EQ(linearValue(10, 10, 80, false, true), 4096);
  // Vertical: 4096 at the top.
  EXPECT_EQ(linearValue(10, 10, 80, true, false), 4096);
  EXPECT_EQ(linearValue(89, 10, 80, true, false), 0);
  EXPECT_EQ(linearPosition(0, 10, 80, false), 10);
  EXPECT_EQ(linearPosition(4096, 10, 80, false), 89);
  EXPECT_EQ(linearPosition(2048, 10, 80, false), 10 + 2048 * 79 / 4096);
  EXPECT_EQ(linearPosition(4096, 10, 80, true), 10);
  EXPECT_EQ(linearPosition(0, 10, 80, true), 89);
}

TEST(SliderMathNumbers, CircleDeadZoneSnapsToTheNearerEnd) {
  EXPECT_EQ(pointerAngle(0, -10), 0);
  EXPECT_EQ(pointerAngle(10, 0), 90);
  EXPECT_EQ(pointerAngle(0, 10), 180);
  EXPECT_EQ(pointerAngle(-10, 0), 270);
  // 45..315: a range of 270 degrees; its dead zone is the top quarter.
  EXPECT_EQ(circleValue(45, 45, 315, false), 0);
  EXPECT_EQ(circleValue(180, 45, 315, false), 2048);
  EXPECT_EQ(circleValue(315, 45, 315, false), 4096);
  EXPECT_EQ(circleValue(100, 45, 315, false), 55 * 4096 / 270);
  EXPECT_EQ(circleValue(330, 45, 315, false), 4096);  // nearer the end
  EXPECT_EQ(circleValue(0, 45, 315, false), 4096);    // exactly 135 + 180: not beyond
  EXPECT_EQ(circleValue(1, 45, 315, false), 0);
  EXPECT_EQ(circleValue(30, 45, 315, false), 0);      // nearer the start
  // The defaults 0 and 360 cover the whole turn.
  EXPECT_EQ(circleValue(90, 0, 360, false), 1024);
  EXPECT_EQ(circleValue(90, 0, 360, true), 3072);
  // Counter-clockwise from 315 to 45 through the bottom.
  EXPECT_EQ(circleValue(270, 315, 45, true), 45 * 4096 / 270);
}

TEST(SliderMathNumbers, RoundTravel) {
  EXPECT_EQ(roundValue(10, 5, RoundMove::kFull, 100, 1000), 1000 + 15 * 4096 / 100);
  EXPECT_EQ(roundValue(10, 5, RoundMove::kHorz, 100, 1000), 1000 + 10 * 4096 / 100);
  EXPECT_EQ(roundValue(10, 5, RoundMove::kVert, 100, 1000), 1000 + 5 * 4096 / 100);
  EXPECT_EQ(roundValue(10, 6, RoundMove::kV, 100, 1000), 1000 + 7 * 4096 / 100);
  EXPECT_EQ(roundValue(-10, -6, RoundMove::kV, 100, 1000), 1000 - 7 * 4096 / 100);
  EXPECT_EQ(roundValue(2, 10, RoundMove::kV, 100, 1000), 1000);  // crosses zero: no travel
  EXPECT_EQ(roundValue(1000, 0, RoundMove::kFull, 100, 1000), 4096);
  EXPECT_EQ(roundFrame(4096, 8), 7);
  EXPECT_EQ(roundFrame(2048, 8), 3);
  EXPECT_EQ(roundFrame(4095, 8), 6);
}

TEST(SliderMathNumbers, HalfTurnsInConstantTime) {
  constexpr double pi = std::numbers::pi;
  EXPECT_NEAR(intoHalfTurns(1.5 * pi), -0.5 * pi, 1e-9);
  EXPECT_NEAR(intoHalfTurns(-1.5 * pi), 0.5 * pi, 1e-9);
  EXPECT_NEAR(intoHalfTurns(0.25 * pi), 0.25 * pi, 1e-12);
  EXPECT_NEAR(intoHalfTurns(3600.25 * 2 * pi), 0.5 * pi, 1e-6);
  // Values a stepping loop could never leave (a step of 2 pi is below their
  // precision) or would take millions of steps over.
  for (double a : {1e300, -1e300, 1e9, -4.3e9}) {
    double r = intoHalfTurns(a);
    EXPECT_GE(r, -pi) << a;
    EXPECT_LE(r, pi) << a;
  }
  EXPECT_EQ(intoHalfTurns(std::numeric_limits<double>::infinity()), 0.0);
  EXPECT_EQ(intoHalfTurns(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

TEST(SliderMouse, HorizontalKnobSliderFromTheMouse) {
  BoundSkin b(oneSlider(" orientation='horizontal' chan='1' action='pitch'", kKnob));
  Slider& s = *b.skin->sliders[0];
  b.sink.reflect = &s;
  EXPECT_EQ(s.travelStart(), 10);
  EXPECT_EQ(s.travelLength(), 80);
  s.mouseDown(89, 5, keys::kLeft);
  EXPECT_EQ(b.sink.last(), "set 2 0 4096");
  EXPECT_TRUE(s.knob()->pressed());
  s.mouseMove(10, 5, keys::kLeft);
  EXPECT_EQ(b.sink.last(), "set 2 0 0");
  s.mouseMove(-30, 5, keys::kLeft);
  EXPECT_EQ(b.sink.events.size(), 2u) << "clamped to 0 again: nothing new to send";
  s.mouseMove(49, 5, keys::kLeft);
  EXPECT_EQ(s.value(), 39 * 4096 / 79);
  s.mouseUp(49, 5, keys::kLeft);
  EXPECT_FALSE(s.knob()->pressed());
  EXPECT_FALSE(s.dragging());
  // The knob follows the value: centred at p, centred across.
  s.setValue(4096);
  EXPECT_EQ(s.knob()->rect().x, 89 - 10);
  EXPECT_EQ(s.knob()->rect().y, 0);
}

TEST(SliderMouse, KnobDragKeepsTheGrabOffset) {
  BoundSkin b(oneSlider(" orientation='horizontal'", kKnob));
  Slider& s = *b.skin->sliders[0];
  b.sink.reflect = &s;
  s.setValue(0);  // knob at 0..20, centre 10
  Button& knob = *s.knob();
  knob.mouseDown(15, 5, keys::kLeft);  // 5 right of its centre
  EXPECT_TRUE(b.sink.events.empty()) << "pressing the knob does not move it";
  knob.mouseMove(55, 5, keys::kLeft);
  EXPECT_EQ(s.value(), 40 * 4096 / 79);
  knob.mouseUp(55, 5, keys::kLeft);
  EXPECT_FALSE(knob.pressed());
}

TEST(SliderMouse, VerticalAndReversedAndHitRectTravel) {
  BoundSkin b(oneSlider(" orientation='vertical' direction='down'",
                        "<mouserect x='0' y='10' width='20' height='50'/>",
                        "<size width='20' height='100'/><pos x='0' y='0'/>"));
  Slider& s = *b.skin->sliders[0];
  b.sink.reflect = &s;
  EXPECT_EQ(s.travelStart(), 10);
  EXPECT_EQ(s.travelLength(), 50);
  s.mouseDown(5, 10, keys::kLeft);  // top of the travel is 4096, reversed 0
  EXPECT_EQ(s.value(), 0);
  s.mouseMove(5, 59, keys::kLeft);
  EXPECT_EQ(s.value(), 4096);
  s.mouseMove(5, 34, keys::kLeft);  // the centre: 25 of 49 steps from the bottom, reversed
  EXPECT_EQ(s.value(), 4096 - 25 * 4096 / 49);
  s.mouseUp(5, 34, keys::kLeft);
  EXPECT_FALSE(s.hitTest(5, 5));
  EXPECT_TRUE(s.hitTest(5, 10));
  // Upright with a 20-pixel knob: travel 80 from y = 10, 4096 at the top.
  BoundSkin k(oneSlider(" orientation='vertical'", kKnob, "<size width='20' height='100'/><pos x='0' y='0'/>"));
  Slider& t = *k.skin->sliders[0];
  k.sink.reflect = &t;
  t.mouseDown(5, 10, keys::kLeft);
  EXPECT_EQ(t.value(), 4096);
  t.mouseMove(5, 89, keys::kLeft);
  EXPECT_EQ(t.value(), 0);
  t.mouseMove(5, 49, keys::kLeft);  // the centre: 40 of 79 steps up
  EXPECT_EQ(t.value(), 40 * 4096 / 79);
  // Drawn back from the truncated value the knob sits a pixel lower: centre 50.
  EXPECT_EQ(t.knob()->rect().y, 40);
  t.mouseUp(5, 49, keys::kLeft);
}

TEST(SliderMouse, CutWhileHeldRestoresOnRelease) {
  BoundSkin b(oneSlider(" orientation='horizontal' rightclick='cut'", ""));
  Slider& s = *b.skin->sliders[0];
  b.sink.reflect = &s;
  s.setValue(3000);
  s.mouseDown(70, 5, keys::kRight | keys::kRightButton);
  EXPECT_EQ(s.value(), 0);
  s.mouseMove(20, 5, keys::kRight);
  EXPECT_EQ(s.value(), 0) << "no drag while cut";
  s.mouseUp(20, 5, keys::kRight | keys::kRightButton);
  EXPECT_EQ(s.value(), 3000);
  ASSERT_EQ(b.sink.events.size(), 2u);
  EXPECT_EQ(b.sink.events[0], "set 0 -1 0");
  EXPECT_EQ(b.sink.events[1], "set 0 -1 3000");
  // A left press drags as usual and restores nothing.
  s.mouseDown(0, 5, keys::kLeft);
  s.mouseUp(0, 5, keys::kLeft);
  EXPECT_EQ(s.value(), 0);
}

TEST(SliderMouse, BoostBendAndDoubleClickModes) {
  BoundSkin b(oneSlider(" orientation='horizontal' rightclick='bend' dblclick='boost' action='gain' chan='2'", ""));
  Slider& s = *b.skin->sliders[0];
  b.sink.reflect = &s;
  s.setValue(1000);
  s.mouseDown(0, 5, keys::kRightButton);  // bend: drags, then returns
  EXPECT_EQ(s.value(), 0);
  s.mouseUp(0, 5, keys::kRightButton);
  EXPECT_EQ(s.value(), 1000);
  s.mouseDown(50, 5, keys::kLeft | keys::kDoubleClick);
  EXPECT_EQ(s.value(), 4096);
  s.mouseUp(50, 5, keys::kLeft);
  EXPECT_EQ(s.value(), 4096) << "a double click does not remember";
  BoundSkin r(oneSlider(" orientation='horizontal' rightclick='reset' dblclick='auto' action='pitch' chan='1'", ""));
  Slider& t = *r.skin->sliders[0];
  t.mouseDown(50, 5, keys::kRightButton);
  t.mouseMove(10, 5, 0);
  t.mouseUp(10, 5, keys::kRightButton);
  t.mouseDown(50, 5, keys::kDoubleClick);
  ASSERT_EQ(r.sink.events.size(), 2u);
  EXPECT_EQ(r.sink.events[0], "reset 2 0 0");
  EXPECT_EQ(r.sink.events[1], "auto 2 0 0");
}

TEST(SliderMouse, CircleKnobAtItsEndsCentreAndDeadZone) {
  BoundSkin b(oneSlider(" orientation='circle'", "<clipmask x='0' y='200'/><circle anglemin='45' anglemax='315'/>",
                        "<size width='100' height='100'/><pos x='0' y='0'/>"));
  Slider& s = *b.skin->sliders[0];
  b.sink.reflect = &s;
  EXPECT_EQ(s.circle().centreX, 50);
  EXPECT_EQ(s.circle().centreY, 50);
  s.mouseDown(50, 90, keys::kLeft);  // straight down
  EXPECT_EQ(s.value(), 2048);
  s.mouseMove(10, 10, 0);  // 315 degrees
  EXPECT_EQ(s.value(), 4096);
  s.mouseMove(90, 10, 0);  // 45 degrees
  EXPECT_EQ(s.value(), 0);
  s.mouseMove(45, 0, 0);  // left of the top, in the dead zone: nearer the end
  EXPECT_EQ(s.value(), 4096);
  s.mouseMove(55, 0, 0);  // right of the top: nearer the start
  EXPECT_EQ(s.value(), 0);
}

TEST(SliderMouse, RoundKnobFromWhereTheDragStarted) {
  BoundSkin b(oneSlider(" orientation='round'", "<fader move='horz' sensibility='100'><pos x='0' y='0' nb='8' nbx='4'/></fader>"));
  Slider& s = *b.skin->sliders[0];
  b.sink.reflect = &s;
  s.setValue(2048);
  s.mouseDown(30, 5, keys::kLeft);
  EXPECT_TRUE(b.sink.events.empty());
  s.mouseMove(40, 0, 0);
  EXPECT_EQ(s.value(), 2048 + 10 * 4096 / 100);
  s.mouseMove(20, 0, 0);
  EXPECT_EQ(s.value(), 2048 - 10 * 4096 / 100);
  s.mouseMove(-500, 0, 0);
  EXPECT_EQ(s.value(), 0);
  s.mouseUp(-500, 0, 0);
  EXPECT_EQ(s.value(), 0) << "a plain drag is not undone";
}

TEST(SliderMouse, RoundKnobReachesItsEndsAndCentreInEveryMove) {
  // Sensibility 100: half of it from 0 is the centre, all of it the top end.
  struct Case {
    const char* move;
    int32_t dx, dy;  // a pointer travel of 50 in the counted direction; dy up
  } cases[] = {{"full", 30, 20}, {"horz", 50, 0}, {"vert", 0, 50}, {"v", 56, 12}};
  for (const Case& c : cases) {
    BoundSkin b(oneSlider(" orientation='round'", std::string("<fader move='") + c.move +
                                                      "' sensibility='100'><pos x='0' y='0' nb='8' nbx='4'/></fader>"));
    Slider& s = *b.skin->sliders[0];
    b.sink.reflect = &s;
    s.setValue(0);
    s.mouseDown(50, 10, keys::kLeft);
    s.mouseMove(50 + c.dx, 10 - c.dy, 0);
    EXPECT_EQ(s.value(), 2048) << c.move;
    s.mouseMove(50 + 2 * c.dx, 10 - 2 * c.dy, 0);
    EXPECT_EQ(s.value(), 4096) << c.move;
    s.mouseMove(50 + 3 * c.dx, 10 - 3 * c.dy, 0);
    EXPECT_EQ(s.value(), 4096) << c.move << ": held at the top end";
    s.mouseUp(50 + 3 * c.dx, 10 - 3 * c.dy, 0);
    // From the top end the same travel back reaches the bottom end.
    s.mouseDown(50, 10, keys::kLeft);
    s.mouseMove(50 - 2 * c.dx, 10 + 2 * c.dy, 0);
    EXPECT_EQ(s.value(), 0) << c.move;
    s.mouseUp(50 - 2 * c.dx, 10 + 2 * c.dy, 0);
  }
}

}  // namespace
}  // namespace zarnel

namespace zarnel {
namespace {

// Regions of one colour each: a 100 × 100 block at (x, y).
void paint(Bitmap& b, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
  for (int32_t j = y; j < y + h; ++j) {
    for (int32_t i = x; i < x + w; ++i) test::setPixel(b, i, j, colour);
  }
}

TEST(SliderDraw, StraightSplitsAtTheKnobPosition) {
  Bitmap image = test::solidImage(800, 600, 0x808080);
  paint(image, 0, 300, 100, 20, 0x0000AA);  // up
  paint(image, 0, 320, 100, 20, 0x00AA00);  // selected
  BoundSkin b(test::buildFrom(skinXml("<slider orientation='horizontal' action='song_pos'>"
                                      "<size width='100' height='20'/><pos x='0' y='0'/>"
                                      "<up x='0' y='300'/><selected x='0' y='320'/></slider>"),
                              image));
  Slider& s = *b.skin->sliders[0];
  s.setValue(2048);  // p = 2048 × 99 / 4096 = 49
  EXPECT_EQ(b.at(48, 5), 0x00AA00u);
  EXPECT_EQ(b.at(49, 5), 0x0000AAu);
  EXPECT_EQ(b.surface->takeShown().size(), 1u) << "song position sliders go to the screen at once";
}

TEST(SliderDraw, RoundShowsTheValuesFrame) {
  Bitmap image = test::solidImage(800, 600, 0x808080);
  uint32_t frames[4] = {0x000001, 0x000002, 0x000003, 0x000004};
  for (int f = 0; f < 4; ++f) paint(image, (f % 2) * 10, 300 + (f / 2) * 10, 10, 10, frames[f]);
  paint(image, 0, 400, 10, 10, 0x0000F0);
  BoundSkin b(test::buildFrom(skinXml("<slider orientation='round'><size width='10' height='10'/><pos x='0' y='0'/>"
                                      "<fader><pos x='0' y='300' nb='4' nbx='2'/><over x='0' y='400' nb='1'/></fader></slider>"),
                              image));
  Slider& s = *b.skin->sliders[0];
  s.setValue(4096);
  EXPECT_EQ(b.at(5, 5), 0x000004u);
  s.setValue(2048);  // frame 3 × 2048 / 4096 = 1
  EXPECT_EQ(b.at(5, 5), 0x000002u);
  s.hover(5, 5, 1);
  EXPECT_EQ(b.at(5, 5), 0x0000F0u);
  s.hover(5, 5, -1);
  EXPECT_EQ(b.at(5, 5), 0x000002u);
}

TEST(SliderDraw, CircleLightsTheSectorUpToTheValue) {
  Bitmap image = test::solidImage(800, 600, 0x808080);
  paint(image, 0, 300, 40, 40, 0x000000);  // mask: all sensitive
  paint(image, 40, 300, 40, 40, 0x0000AA);  // up
  paint(image, 80, 300, 40, 40, 0x00AA00);  // selected
  BoundSkin b(test::buildFrom(skinXml("<slider orientation='circle'><size width='40' height='40'/><pos x='0' y='0'/>"
                                      "<clipmask x='0' y='300'/><up x='40' y='300'/><selected x='80' y='300'/><circle/></slider>"),
                              image));
  Slider& s = *b.skin->sliders[0];
  s.setValue(2048);  // from straight up clockwise to straight down: the right half
  EXPECT_EQ(b.at(30, 20), 0x00AA00u);
  EXPECT_EQ(b.at(10, 20), 0x0000AAu);
  s.setValue(3072);  // three quarters: the left bottom quarter too
  EXPECT_EQ(b.at(10, 30), 0x00AA00u);
  EXPECT_EQ(b.at(10, 10), 0x0000AAu);
}

}  // namespace
}  // namespace zarnel
