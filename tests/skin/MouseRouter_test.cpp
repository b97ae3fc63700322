#include "skin/MouseRouter.h"

#include <gtest/gtest.h>

#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

using test::BoundSkin;

// A widget that records what the routing sends it.
struct Probe : BrowserResolver {
  Widget* answer = nullptr;
  Widget* elementAt(int32_t, int32_t) override { return answer; }
};

class MouseRouterTest : public testing::Test {
 protected:
  MouseRouterTest()
      : b(test::buildFrom(test::skinXml(
            "<button action='play'><size width='20' height='20'/><pos x='0' y='0'/></button>"
            "<button action='stop'><size width='20' height='20'/><pos x='10' y='0'/><over x='0' y='0'/></button>"
            "<slider orientation='horizontal'><size width='100' height='20'/><pos x='0' y='100'/></slider>"
            "<scratch chan='1'><size width='100' height='20'/><pos x='0' y='100'/></scratch>"
            "<textzone><size width='100' height='20'/><pos x='0' y='200'/><text format='a'/><text2 format='b'/></textzone>"
            "<rhythm><size width='50' height='50'/><pos x='300' y='300'/><color/></rhythm>"))),
        router(b.host) {
    router.setSkin(b.skin.get());
  }
  BoundSkin b;
  MouseRouter router;
};

TEST_F(MouseRouterTest, HitOrderAndLaterFileElementsFirst) {
  Skin& s = *b.skin;
  EXPECT_EQ(router.widgetAt(15, 5), s.buttons[0].get());  // "stop", later in the file
  EXPECT_EQ(router.widgetAt(5, 5), s.buttons[1].get());
  EXPECT_EQ(router.widgetAt(50, 110), s.scratchZones[0].get()) << "scratch zones before sliders";
  s.scratchZones[0]->setVisible(false);
  EXPECT_EQ(router.widgetAt(50, 110), s.sliders[0].get());
  EXPECT_EQ(router.widgetAt(50, 210), s.textZones[0].get());
  EXPECT_EQ(router.widgetAt(310, 310), s.rhythm.get());
  EXPECT_EQ(router.widgetAt(795, 595), s.browser.get());
  Probe probe;
  probe.answer = s.buttons[1].get();
  s.browser->setResolver(&probe);
  EXPECT_EQ(router.widgetAt(795, 595), s.buttons[1].get());
  EXPECT_EQ(router.widgetAt(500, 500), nullptr);
}

TEST_F(MouseRouterTest, DoubleClickNeedsSamePointKeysAndTime) {
  router.buttonDown(5, 5, keys::kLeft, false, 1000);
  router.buttonUp(5, 5, 0, false);
  router.buttonDown(5, 5, keys::kLeft, false, 1299);
  router.buttonUp(5, 5, 0, false);
  router.buttonDown(5, 5, keys::kLeft, false, 1400);  // a third click is single again
  router.buttonUp(5, 5, 0, false);
  router.buttonDown(6, 5, keys::kLeft, false, 1500);  // one pixel apart
  router.buttonUp(6, 5, 0, false);
  router.buttonDown(6, 5, keys::kLeft, false, 1800);  // 300 ms: too late
  router.buttonUp(6, 5, 0, false);
  router.buttonDown(6, 5, keys::kLeft, true, 1850);   // the right button: other keys
  router.buttonUp(6, 5, keys::kLeft, true);
  std::vector<std::string> expected = {"press 5 -1 1", "release 5 -1 1", "press 5 -1 4097", "release 5 -1 1",
                                       "press 5 -1 1", "release 5 -1 1", "press 5 -1 1",    "release 5 -1 1",
                                       "press 5 -1 1", "release 5 -1 1", "press 5 -1 8193", "release 5 -1 8195"};
  EXPECT_EQ(b.sink.events, expected);
  EXPECT_EQ(b.host.captures, 6);
  EXPECT_EQ(b.host.releases, 6);
}

TEST_F(MouseRouterTest, PressedWidgetKeepsTheMouseUntilRelease) {
  Slider& slider = *b.skin->sliders[0];
  b.skin->scratchZones[0]->setVisible(false);
  b.sink.reflect = &slider;
  router.buttonDown(0, 110, keys::kLeft, false, 0);
  EXPECT_EQ(router.pressed(), &slider);
  router.mouseMove(99, 400, keys::kLeft);  // far outside, still the slider's
  EXPECT_EQ(slider.value(), 4096);
  router.buttonUp(99, 400, 0, false);
  EXPECT_EQ(router.pressed(), nullptr);
  EXPECT_FALSE(slider.dragging());
  // A down while a widget is still pressed releases it first.
  router.buttonDown(0, 110, keys::kLeft, false, 1000);
  router.buttonDown(5, 5, keys::kLeft, false, 2000);
  EXPECT_FALSE(slider.dragging());
  EXPECT_EQ(b.sink.last(), "press 5 -1 1");
}

TEST_F(MouseRouterTest, HoverChangesAndTooltips) {
  Button& stop = *b.skin->buttons[0];
  stop.setTooltip("Stop");
  router.mouseMove(15, 5, 0);
  EXPECT_TRUE(stop.hovered());
  EXPECT_EQ(b.host.tooltip, "Stop");
  router.mouseMove(16, 5, 0);
  EXPECT_TRUE(stop.hovered());
  router.mouseMove(500, 500, 0);
  EXPECT_FALSE(stop.hovered());
  EXPECT_EQ(b.host.tooltip, "");
  b.host.tooltips = false;
  router.mouseMove(15, 5, 0);
  EXPECT_EQ(b.host.tooltip, "");
}

TEST_F(MouseRouterTest, WindowDragWhereNoWidgetIsHit) {
  router.buttonDown(500, 500, keys::kLeft, false, 0);
  EXPECT_TRUE(router.dragging());
  router.mouseMove(510, 495, keys::kLeft);
  EXPECT_EQ(b.host.movedX, 10);
  EXPECT_EQ(b.host.movedY, -5);
  router.buttonUp(500, 500, 0, false);
  EXPECT_FALSE(router.dragging());
  b.host.full = true;
  router.buttonDown(500, 500, keys::kLeft, false, 5000);
  EXPECT_FALSE(router.dragging());
}

struct WheelProbe : Widget {
  std::vector<int32_t> steps;
  bool hitTest(int32_t, int32_t) override { return true; }
  void wheel(int32_t, int32_t, int32_t, int32_t n) override { steps.push_back(n); }
};

TEST_F(MouseRouterTest, WheelAccumulatesThreeTimesTheDelta) {
  WheelProbe probe;
  Probe resolver;
  resolver.answer = &probe;
  b.skin->browser->setResolver(&resolver);
  router.wheel(795, 595, 0, 30);   // 90
  EXPECT_TRUE(probe.steps.empty());
  router.wheel(795, 595, 0, 30);   // 180: one step, 60 kept
  router.wheel(795, 595, 0, 120);  // 420: three steps, 60 kept
  router.wheel(795, 595, 0, -80);  // -180: one step back, -60 kept
  EXPECT_EQ(probe.steps, (std::vector<int32_t>{1, 3, -1}));
}

}  // namespace
}  // namespace zarnel
