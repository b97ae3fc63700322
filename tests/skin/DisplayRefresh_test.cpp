#include "skin/DisplayRefresh.h"

#include <gtest/gtest.h>

#include "skin/ActionNames.h"
#include "skin/support/FakeDisplay.h"
#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

TEST(DeskPlace, PositionAndDiscAngle) {
  // 120 × 4096 × 0.5 × 0.75 = 184320 = 45 turns exactly.
  EXPECT_EQ(deskPlace(120, 0.5f).angle, 0);
  EXPECT_EQ(deskPlace(120, 0.5f).position, 2048);
  // 10 s × 0.1 = one second of play: 0.75 turns.
  EXPECT_EQ(deskPlace(10, 0.1f).angle, 3072);
  EXPECT_EQ(deskPlace(10, 0.25f).position, 1024);
  EXPECT_EQ(deskPlace(200, 1.0f).position, 4096);
  EXPECT_EQ(deskPlace(200, 1.0f).angle, int32_t(int64_t(200 * 4096 * 3 / 4) % 4096));
  // Nothing loaded or past the end: the slider at its end, the disc at rest.
  EXPECT_EQ(deskPlace(120, -1.0f).position, 4096);
  EXPECT_EQ(deskPlace(120, -1.0f).angle, 0);
  // No length: both 0, whatever the position says.
  for (int32_t length : {0, -1}) {
    EXPECT_EQ(deskPlace(length, 0.5f).position, 0);
    EXPECT_EQ(deskPlace(length, -1.0f).position, 0);
    EXPECT_EQ(deskPlace(length, 0.5f).angle, 0);
  }
}

TEST(DeskPlace, ToneArmTakesEightStepsEachWay) {
  int32_t arm = 0;
  for (int step = 1; step <= 8; ++step) {
    arm = stepToneArm(arm, true);
    EXPECT_EQ(arm, step * 512);
  }
  EXPECT_EQ(stepToneArm(arm, true), 4096);
  for (int step = 1; step <= 8; ++step) arm = stepToneArm(arm, false);
  EXPECT_EQ(arm, 0);
  EXPECT_EQ(stepToneArm(0, false), 0);
}

// Two sliders and the transport buttons of desk 1, a rotation slider of
// desk 2, a text zone and a lamp.
std::unique_ptr<Skin> refreshSkin() {
  auto slider = [](const std::string& kind, int chan, int y) {
    return "<slider action='" + kind + "' chan='" + std::to_string(chan) +
           "' orientation='horizontal'><size width='100' height='8'/><pos x='0' y='" + std::to_string(y) +
           "'/></slider>";
  };
  auto button = [](const std::string& action, int x) {
    return "<button action='" + action + "' chan='1'><size width='10' height='10'/><pos x='" + std::to_string(x) +
           "' y='100'/><up x='0' y='0'/><selected x='0' y='0'/></button>";
  };
  return test::buildFrom(test::skinXml(
      slider("song_pos", 1, 0) + slider("arm", 1, 10) + slider("rotation", 2, 20) + button("play_pause", 0) +
      button("cue_stop", 20) + button("play", 40) +
      "<textzone><size width='50' height='10'/><pos x='200' y='0'/><text format='%time'/></textzone>"
      "<beattap><size width='8' height='8'/><pos x='300' y='0'/><up x='0' y='0'/><down x='8' y='0'/></beattap>"));
}

struct RefreshRig {
  test::BoundSkin bound{refreshSkin()};
  test::FakeDisplay desks;
  DisplayRefresh refresh;
  Slider& slider(int32_t kind) {
    for (auto& s : bound.skin->sliders)
      if (s->kind() == kind) return *s;
    throw std::logic_error("no slider");
  }
  Button& button(const char* name) {
    for (auto& b : bound.skin->buttons)
      if (b->action() == buttonActionByName(name)) return *b;
    throw std::logic_error("no button");
  }
  // Return: every rectangle marked since the last call.
  std::vector<SkinRect> taken() {
    auto rects = bound.surface->takeInvalidated();
    auto shown = bound.surface->takeShown();
    rects.insert(rects.end(), shown.begin(), shown.end());
    return rects;
  }
  static bool has(const std::vector<SkinRect>& rects, const SkinRect& r) {
    for (const SkinRect& m : rects)
      if (m.x == r.x && m.y == r.y && m.width == r.width && m.height == r.height) return true;
    return false;
  }
};

TEST(DisplayRefresh, EverySecondTickMovesTheSlidersAndTheTransportButtons) {
  RefreshRig rig;
  ASSERT_NE(rig.bound.skin, nullptr);
  rig.desks.plays[0] = true;
  rig.desks.positions[0] = 0.25f;
  rig.desks.lengths[0] = 10;
  rig.desks.positions[1] = 0.1f;
  rig.desks.lengths[1] = 10;
  rig.refresh.tick(*rig.bound.skin, rig.desks);  // the first tick does the slower work
  EXPECT_TRUE(rig.refresh.lastTickWasSlow());
  EXPECT_EQ(rig.slider(kSliderSongPos).value(), 1024);
  EXPECT_EQ(rig.slider(kSliderArm).value(), 512);
  EXPECT_EQ(rig.slider(kSliderRotation).value(), 3072);  // desk 2's disc
  EXPECT_TRUE(rig.button("play_pause").selected());
  EXPECT_TRUE(rig.button("cue_stop").selected());
  EXPECT_FALSE(rig.button("play").selected());

  rig.desks.positions[0] = 0.5f;
  rig.refresh.tick(*rig.bound.skin, rig.desks);  // a fast tick: the sliders stay
  EXPECT_FALSE(rig.refresh.lastTickWasSlow());
  EXPECT_EQ(rig.slider(kSliderSongPos).value(), 1024);
  rig.desks.plays[0] = false;
  rig.refresh.tick(*rig.bound.skin, rig.desks);
  EXPECT_EQ(rig.slider(kSliderSongPos).value(), 2048);
  EXPECT_EQ(rig.slider(kSliderArm).value(), 0);
  EXPECT_FALSE(rig.button("play_pause").selected());
}

TEST(DisplayRefresh, TheToneArmReachesTheRecordInEightRefreshStepsAndComesBack) {
  RefreshRig rig;
  rig.desks.plays[0] = true;
  for (int tick = 0; tick < 16; ++tick) rig.refresh.tick(*rig.bound.skin, rig.desks);  // 800 ms
  EXPECT_EQ(rig.refresh.toneArm(0), 4096);
  EXPECT_EQ(rig.slider(kSliderArm).value(), 4096);
  EXPECT_EQ(rig.refresh.toneArm(1), 0);
  rig.desks.plays[0] = false;
  for (int tick = 0; tick < 14; ++tick) rig.refresh.tick(*rig.bound.skin, rig.desks);
  EXPECT_EQ(rig.refresh.toneArm(0), 512);  // one step short
  for (int tick = 0; tick < 2; ++tick) rig.refresh.tick(*rig.bound.skin, rig.desks);
  EXPECT_EQ(rig.refresh.toneArm(0), 0);
}

TEST(DisplayRefresh, LampsEveryTickTextZonesEverySecond) {
  RefreshRig rig;
  const SkinRect zone = rig.bound.skin->textZones[0]->rect();
  const SkinRect lamp = rig.bound.skin->beatLamps[0]->rect();
  rig.desks.meters[0] = 100;
  rig.desks.meters[1] = 3000;
  rig.taken();
  rig.refresh.tick(*rig.bound.skin, rig.desks);
  EXPECT_EQ(rig.refresh.beatMax(), 3000);
  EXPECT_EQ(rig.refresh.beatLevel(0), 100);
  const auto slow = rig.taken();
  EXPECT_TRUE(RefreshRig::has(slow, zone));
  EXPECT_TRUE(RefreshRig::has(slow, lamp));
  rig.refresh.tick(*rig.bound.skin, rig.desks);
  const auto fast = rig.taken();
  EXPECT_FALSE(RefreshRig::has(fast, zone));
  EXPECT_TRUE(RefreshRig::has(fast, lamp));
}

}  // namespace
}  // namespace zarnel
