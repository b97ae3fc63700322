#include "app/AutoMix.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "app/Settings.h"

namespace zarnel {
namespace {

using Log = std::vector<std::string>;

// Two desks, a mixer and a playlist of `queued` 200 s tracks, recording every
// command. Its timer stop reports back to the controller as the main window
// does when a desk action ends the transition.
struct FakeHost : AutoMixHost {
  struct DeskState {
    float position = -1.0f;
    int32_t length = -1;
    int32_t pitch = 4096;
    bool playing = false;
  };
  DeskState desks[2];
  int32_t fader = 2048;
  int32_t preview = 0;
  int32_t queued = 0;
  bool timerRuns = false;
  bool lit = false;
  AutoMix* mix = nullptr;
  Log log;

  void note(const std::string& what, int32_t v) { log.push_back(what + " " + std::to_string(v)); }
  void loaded(int32_t d, bool playing = false, float position = 0.0f) { desks[d] = {position, 200, 4096, playing}; }

  float position(int32_t d) const override { return desks[d].position; }
  int32_t length(int32_t d) const override { return desks[d].length; }
  int32_t pitch(int32_t d) const override { return desks[d].pitch; }
  bool playing(int32_t d) const override { return desks[d].playing; }
  void play(int32_t d) override {
    note("play", d);
    if (desks[d].position >= 0.0f) desks[d].playing = true;
  }
  void stop(int32_t d) override {
    note("stop", d);
    if (desks[d].length < 0) return;
    desks[d].playing = false;
    desks[d].position = 0.0f;
  }
  void eject(int32_t d) override {
    note("eject", d);
    desks[d].playing = false;
    desks[d].position = -1.0f;
  }
  bool nextTrack(int32_t d) override {
    note("next", d);
    if (queued == 0) return false;
    --queued;
    if (mix) mix->endTransition();  // the main window's load ends a transition
    loaded(d);
    preview = d;
    return true;
  }
  int32_t crossfader() const override { return fader; }
  void setCrossfader(int32_t v) override {
    note("xf", v);
    fader = v;
  }
  int32_t previewDesk() const override { return preview; }
  void setPreviewDesk(int32_t d) override {
    note("preview", d);
    preview = d;
  }
  bool matchPitch(int32_t d) override {
    note("matchPitch", d);
    return true;
  }
  void matchBeat(int32_t d) override { note("matchBeat", d); }
  void fineBeatCorrection(int32_t d) override { note("fine", d); }
  void startPitchReset(int32_t d) override { note("pitchReset", d); }
  void startTimer(int32_t id, int32_t ms) override {
    note("timer " + std::to_string(id), ms);
    timerRuns = true;
  }
  void stopTimer(int32_t id) override {
    note("kill", id);
    timerRuns = false;
    if (mix) mix->endTransition();
  }
  void lightMixButtons(bool on) override {
    note("light", on);
    lit = on;
  }
};

struct AutoMixTest : ::testing::Test {
  AutoMixTest() { host.mix = &mix; }
  // Ticks until the transition ends (at most limit); returns how many ran.
  int32_t runToEnd(int32_t limit = 200) {
    int32_t n = 0;
    while (mix.running() && n < limit) {
      mix.tick();
      ++n;
    }
    return n;
  }
  bool logged(const std::string& entry) const {
    for (const std::string& e : host.log)
      if (e == entry) return true;
    return false;
  }
  Settings settings;
  FakeHost host;
  AutoMix mix{host, settings};
};

// --- mix in and the transition ------------------------------------------------

TEST_F(AutoMixTest, TransitionInto2WithLongMix0MovesTheFaderIn32Ticks) {
  settings.longMix = 0;
  host.loaded(0, true, 0.97f);
  host.loaded(1);
  host.preview = 1;
  mix.mixIn(1);
  EXPECT_EQ(host.log, (Log{"matchPitch 1", "xf 0", "play 1", "light 1", "timer 149 200"}));
  EXPECT_TRUE(mix.running());
  EXPECT_TRUE(host.desks[1].playing);

  for (int32_t tick = 1; tick <= 32; ++tick) {
    host.log.clear();
    mix.tick();
    EXPECT_EQ(host.fader, tick * 128) << "tick " << tick;
    EXPECT_EQ(logged("preview 0"), tick == 16) << "tick " << tick;
    EXPECT_EQ(logged("matchBeat 1"), tick == 1) << "tick " << tick;
    EXPECT_EQ(logged("fine 1"), tick >= 2 && tick <= 16) << "tick " << tick;
    EXPECT_EQ(logged("fine 0"), tick >= 17) << "tick " << tick;
    EXPECT_EQ(mix.running(), tick < 32) << "tick " << tick;
  }
  EXPECT_EQ(host.fader, 4096);
  EXPECT_FALSE(host.timerRuns);
  EXPECT_FALSE(host.lit);
}

TEST_F(AutoMixTest, TransitionInto1WithLongMix16HoldsAtTheCentreFor16Ticks) {
  settings.longMix = 16;
  host.loaded(0);
  host.loaded(1, true, 0.95f);
  mix.mixIn(0);
  EXPECT_EQ(host.fader, 4096);  // starts fully on the outgoing desk 2
  EXPECT_EQ(mix.holdCount(), 16);

  std::vector<int32_t> faderSets;
  int32_t ticks = 0;
  while (mix.running() && ticks < 100) {
    host.log.clear();
    mix.tick();
    ++ticks;
    for (const std::string& e : host.log)
      if (e.rfind("xf ", 0) == 0) faderSets.push_back(std::stoi(e.substr(3)));
    if (ticks > 16 && ticks <= 32) {
      EXPECT_EQ(mix.step(), AutoMix::kHoldStep) << "tick " << ticks;
      EXPECT_EQ(mix.holdCount(), 32 - ticks) << "tick " << ticks;
      EXPECT_EQ(host.fader, 2048) << "tick " << ticks;
      EXPECT_TRUE(logged("fine 1")) << "the outgoing desk is corrected during the hold";
    }
  }
  EXPECT_EQ(ticks, 48);  // 32 + LongMix
  std::vector<int32_t> expected;
  for (int32_t step = 1; step <= 32; ++step) expected.push_back((32 - step) * 128);
  EXPECT_EQ(faderSets, expected);  // nothing set during the hold
}

// Every "AutoMix Length" setting: 32 fader steps with the hold of LongMix
// extra ticks at the centre, the preview following at step 16.
TEST_F(AutoMixTest, EveryLongMixValueGivesItsTickSequence) {
  const struct {
    int32_t longMix;
    int32_t ticks;  // 200 ms each: 6.4, 9.6, 14.4, 19.2 and 28.8 s
  } cases[] = {{0, 32}, {16, 48}, {40, 72}, {64, 96}, {112, 144}};
  for (const auto& c : cases) {
    settings.longMix = c.longMix;
    host = FakeHost{};
    host.mix = &mix;
    host.loaded(0, true, 0.9f);
    host.loaded(1);
    host.preview = 1;
    mix.mixIn(1);
    std::vector<int32_t> faders;
    int32_t ticks = 0, previewAt = -1;
    while (mix.running() && ticks < 300) {
      mix.tick();
      ++ticks;
      faders.push_back(host.fader);
      if (previewAt < 0 && host.preview == 0) previewAt = ticks;
    }
    EXPECT_EQ(ticks, c.ticks) << "LongMix " << c.longMix;
    EXPECT_EQ(previewAt, 16) << "LongMix " << c.longMix;
    EXPECT_EQ(std::count(faders.begin(), faders.end(), 2048), c.longMix + 1) << "LongMix " << c.longMix;
    for (size_t i = 1; i < faders.size(); ++i) ASSERT_GE(faders[i], faders[i - 1]) << "LongMix " << c.longMix;
    EXPECT_EQ(faders.back(), 4096);
    EXPECT_FALSE(host.timerRuns);
  }
}

TEST_F(AutoMixTest, EndOfTransitionLoadsTheOutgoingDeskOrEjectsIt) {
  mix.setOn(true);
  host.loaded(0, true, 0.97f);
  host.loaded(1);
  host.queued = 1;
  host.log.clear();
  mix.mixIn(1);
  runToEnd();
  EXPECT_TRUE(logged("next 0"));
  EXPECT_FALSE(logged("eject 0"));
  EXPECT_EQ(host.desks[0].position, 0.0f);
  EXPECT_FALSE(host.desks[0].playing);

  host.log.clear();
  host.loaded(0, true, 0.0f);
  mix.mixIn(1);
  runToEnd();
  EXPECT_TRUE(logged("next 0"));
  EXPECT_TRUE(logged("eject 0"));  // the playlist was empty
}

TEST_F(AutoMixTest, EndOfTransitionWithAutoMixOffLeavesTheOutgoingDesk) {
  host.loaded(0, true, 0.97f);
  host.loaded(1);
  host.queued = 1;
  mix.mixIn(1);
  runToEnd();
  EXPECT_FALSE(logged("next 0"));
  EXPECT_FALSE(logged("eject 0"));
  EXPECT_TRUE(host.desks[0].playing);
}

TEST_F(AutoMixTest, PitchResetStartsAfterTheMixOnlyForAChangedPitch) {
  host.loaded(0, true, 0.97f);
  host.loaded(1);
  host.desks[1].pitch = 4200;
  mix.mixIn(1);
  runToEnd();
  EXPECT_TRUE(logged("pitchReset 1"));

  host.log.clear();
  host.desks[1].pitch = 4096;
  mix.mixIn(1);
  runToEnd();
  EXPECT_FALSE(logged("pitchReset 1"));

  host.log.clear();
  settings.autoZPitch = 0;
  host.desks[1].pitch = 4200;
  mix.mixIn(1);
  runToEnd();
  EXPECT_FALSE(logged("pitchReset 1"));
}

TEST_F(AutoMixTest, WithoutAutoSyncAndAutoBpmNothingIsMatched) {
  settings.autoSync = 0;
  settings.autoBpm = 0;
  host.loaded(0, true, 0.97f);
  host.loaded(1);
  mix.mixIn(1);
  EXPECT_EQ(runToEnd(), 32);
  for (const std::string& e : host.log) {
    EXPECT_EQ(e.find("match"), std::string::npos) << e;
    EXPECT_EQ(e.find("fine"), std::string::npos) << e;
  }
}

TEST_F(AutoMixTest, NoMixCutsTheIncomingDeskInAtOnce) {
  settings.longMix = -1;
  mix.setOn(true);
  host.loaded(0, true, 0.99f);
  host.loaded(1);
  host.queued = 1;
  host.desks[1].pitch = 4300;
  host.log.clear();
  mix.mixIn(1);
  EXPECT_EQ(host.log, (Log{"matchPitch 1", "play 1", "matchBeat 1", "xf 4096", "next 0", "pitchReset 1"}));
  EXPECT_FALSE(mix.running());
  EXPECT_FALSE(host.timerRuns);

  // Into desk 1 with the outgoing desk already stopped: nothing to reload.
  host.log.clear();
  host.desks[1].playing = false;
  host.desks[1].pitch = 4096;
  host.desks[0].playing = false;
  mix.mixIn(0);
  EXPECT_EQ(host.log, (Log{"matchPitch 0", "play 0", "matchBeat 0", "xf 0"}));
}

TEST_F(AutoMixTest, MixInIgnoresADeskWithoutPositionOrIndex) {
  host.loaded(0, true, 0.97f);
  mix.mixIn(1);  // desk 2 empty
  host.desks[1] = {-1.0f, 200, 4096, false};
  mix.mixIn(1);  // desk 2 ended
  mix.mixIn(2);
  mix.mixIn(-1);
  EXPECT_TRUE(host.log.empty());
  EXPECT_FALSE(mix.running());
}

TEST_F(AutoMixTest, MixInDuringATransitionStartsItAgain) {
  host.loaded(0, true, 0.97f);
  host.loaded(1);
  mix.mixIn(1);
  for (int32_t i = 0; i < 5; ++i) mix.tick();
  host.log.clear();
  host.desks[0].playing = false;
  mix.mixIn(0);
  EXPECT_EQ(host.log, (Log{"kill 149", "light 0", "matchPitch 0", "xf 4096", "play 0", "light 1", "timer 149 200"}));
  EXPECT_EQ(mix.step(), 0);
  EXPECT_EQ(mix.incomingDesk(), 0);
}

TEST_F(AutoMixTest, ALoadOrAStopEndsTheTransition) {
  host.loaded(0, true, 0.97f);
  host.loaded(1);
  mix.mixIn(1);
  for (int32_t i = 0; i < 3; ++i) mix.tick();
  // A stop from the dispatch: the main window kills the timer and reports it.
  host.stopTimer(AutoMix::kTimerId);
  EXPECT_FALSE(mix.running());
  EXPECT_FALSE(host.lit);
  const int32_t fader = host.fader;
  mix.tick();  // a tick already queued changes nothing
  EXPECT_EQ(host.fader, fader);

  mix.mixIn(1);
  mix.tick();
  host.queued = 1;
  host.log.clear();
  host.nextTrack(0);  // a load onto either desk
  EXPECT_FALSE(mix.running());
  EXPECT_EQ(host.log, (Log{"next 0", "kill 149", "light 0"}));
}

// --- AutoMix now ----------------------------------------------------------------

TEST_F(AutoMixTest, MixNowEndsARunningTransitionAndNothingElse) {
  host.loaded(0, true, 0.97f);
  host.loaded(1);
  mix.mixIn(1);
  host.log.clear();
  mix.mixNow();
  EXPECT_EQ(host.log, (Log{"kill 149", "light 0"}));
  EXPECT_FALSE(mix.running());
}

TEST_F(AutoMixTest, MixNowWithNeitherDeskPlayingStartsTheBestDesk) {
  host.preview = 0;  // p = desk 1, o = desk 2
  host.loaded(0);
  host.loaded(1);
  mix.mixNow();
  EXPECT_EQ(host.log, (Log{"play 1"}));  // o is ready

  host.log.clear();
  host.desks[1] = {-1.0f, 200, 4096, false};  // o ended
  host.desks[0] = {0.3f, 200, 4096, false};
  mix.mixNow();
  EXPECT_EQ(host.log, (Log{"play 0"}));  // p is ready

  host.log.clear();
  host.desks[0] = {-1.0f, 200, 4096, false};  // both ended: o goes back by its cue cycle
  mix.mixNow();
  EXPECT_EQ(host.log, (Log{"stop 1", "play 1"}));

  host.log.clear();
  host.desks[1] = {};  // o empty, p ended
  host.desks[0] = {-1.0f, 200, 4096, false};
  mix.mixNow();
  EXPECT_EQ(host.log, (Log{"stop 0", "play 0"}));

  host.log.clear();
  host.desks[0] = {};  // both empty: o takes the next track
  host.desks[1] = {};
  host.queued = 1;
  mix.mixNow();
  EXPECT_EQ(host.log, (Log{"next 1", "play 1"}));
  EXPECT_TRUE(host.desks[1].playing);
}

TEST_F(AutoMixTest, MixNowWithBothDesksEmptyAndNoPlaylistDoesNothing) {
  mix.mixNow();
  EXPECT_EQ(host.log, (Log{"next 1"}));  // only the question to the playlist
  EXPECT_FALSE(host.desks[0].playing);
  EXPECT_FALSE(host.desks[1].playing);
  EXPECT_FALSE(mix.running());
}

TEST_F(AutoMixTest, MixNowWithOnlyThePreviewDeskPlayingMixesInTheOther) {
  host.preview = 0;
  host.loaded(0, true, 0.5f);
  host.desks[1] = {-1.0f, 200, 4096, false};  // ended: sent back first
  mix.mixNow();
  EXPECT_EQ(host.log.front(), "stop 1");
  EXPECT_TRUE(mix.running());
  EXPECT_EQ(mix.incomingDesk(), 1);

  mix.endTransition();
  host.log.clear();
  host.desks[1] = {};  // empty: the next track, then the mix
  host.queued = 1;
  host.preview = 0;
  mix.mixNow();
  EXPECT_EQ(host.log.front(), "next 1");
  EXPECT_TRUE(mix.running());
  EXPECT_EQ(mix.incomingDesk(), 1);

  mix.endTransition();
  host.log.clear();
  host.desks[1] = {};  // empty with an empty playlist: nothing to mix in
  host.preview = 0;
  mix.mixNow();
  EXPECT_EQ(host.log, (Log{"next 1"}));
  EXPECT_FALSE(mix.running());
}

TEST_F(AutoMixTest, MixNowWithOnlyTheOtherDeskPlayingMixesInThePreviewDesk) {
  host.preview = 0;
  host.loaded(1, true, 0.5f);
  host.loaded(0, false, 0.1f);
  mix.mixNow();
  EXPECT_EQ(host.log.front(), "matchPitch 0");  // ready as it is
  EXPECT_TRUE(mix.running());
  EXPECT_EQ(mix.incomingDesk(), 0);
  EXPECT_TRUE(host.desks[0].playing);
}

TEST_F(AutoMixTest, MixNowWithBothPlayingFollowsTheCrossfaderAround192) {
  const struct {
    int32_t fader;
    int32_t preview;
    int32_t incoming;
  } cases[] = {{0, 0, 1}, {191, 0, 1}, {193, 1, 0}, {2048, 1, 0}, {192, 0, 0}, {192, 1, 1}};
  for (const auto& c : cases) {
    host.loaded(0, true, 0.5f);
    host.loaded(1, true, 0.5f);
    host.fader = c.fader;
    host.preview = c.preview;
    mix.mixNow();
    EXPECT_TRUE(mix.running()) << c.fader;
    EXPECT_EQ(mix.incomingDesk(), c.incoming) << c.fader << " preview " << c.preview;
    mix.endTransition();
  }
}

// --- the AutoMix switch and ended tracks -----------------------------------------

TEST_F(AutoMixTest, SwitchingOnFillsEmptyDesksDefaultFirstAndStartsTheOther) {
  host.preview = 1;
  host.queued = 2;
  mix.setOn(true);
  EXPECT_TRUE(mix.on());
  EXPECT_EQ(host.log, (Log{"next 1", "next 0", "play 0"}));
  EXPECT_TRUE(host.desks[0].playing);

  host.log.clear();
  mix.setOn(true);  // already on
  EXPECT_TRUE(host.log.empty());
  mix.toggle();
  EXPECT_FALSE(mix.on());
  EXPECT_TRUE(host.log.empty());
}

TEST_F(AutoMixTest, SwitchingOnLeavesAPlayingMixAlone) {
  host.preview = 0;
  host.loaded(0, true, 0.4f);
  host.queued = 1;
  mix.toggle();
  EXPECT_EQ(host.log, (Log{"next 1"}));
  EXPECT_FALSE(host.desks[1].playing);
}

TEST_F(AutoMixTest, AnEndedTrackTakesTheNextOnlyWhileOn) {
  host.queued = 2;
  mix.trackEnded(0);
  EXPECT_TRUE(host.log.empty());
  host.loaded(0, true, 0.5f);
  host.loaded(1, true, 0.5f);
  mix.setOn(true);
  host.log.clear();
  mix.trackEnded(1);
  mix.trackEnded(7);
  EXPECT_EQ(host.log, (Log{"next 1"}));
}

}  // namespace
}  // namespace zarnel
