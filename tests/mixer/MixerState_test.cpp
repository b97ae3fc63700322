#include "mixer/MixerState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Settings.h"
#include "mixer/GainCurve.h"
#include "support/mix/MixHarness.h"

namespace zarnel {
namespace {

struct Widgets : MixerWidgets {
  void valueChanged(const char* kind, int32_t desk, int32_t value) override {
    seen.push_back(std::string(kind) + ":" + std::to_string(desk) + "=" + std::to_string(value));
  }
  std::vector<std::string> seen;
};

struct Mixer : test::MixHarness {
  Mixer() { mixer.attach(engine.get(), &widgets); }
  Widgets widgets;
};

TEST(MixerState, LevelsFollowCurveAndDeskLevel) {
  Mixer m;
  EXPECT_EQ(m.engine->levelGain(0), 3072);  // defaults: smooth, centre, level 4096
  EXPECT_EQ(m.engine->levelGain(1), 3072);
  m.mixer.setLevel(1, 2048);
  EXPECT_EQ(m.engine->levelGain(1), 3072 * 2048 / 4096);
  m.mixer.setCrossfader(-50);  // clamped to 0
  EXPECT_EQ(m.mixer.crossfader(), 0);
  EXPECT_EQ(m.engine->levelGain(0), 4096);
  EXPECT_EQ(m.engine->levelGain(1), 0);
  m.mixer.setCrossfader(5000);
  EXPECT_EQ(m.mixer.crossfader(), 4096);
  m.mixer.cycleCrossfaderMode();  // full
  m.mixer.setCrossfader(2048);
  EXPECT_EQ(m.engine->levelGain(0), 4096);
  m.mixer.cycleCrossfaderMode();  // cut
  m.mixer.cycleCrossfaderMode();  // back to smooth
  EXPECT_EQ(m.mixer.crossfaderMode(), 0);
  m.mixer.setCrossfaderMode(7);  // unknown: silent, then smooth
  EXPECT_EQ(m.engine->levelGain(0), 0);
  EXPECT_EQ(m.engine->levelGain(1), 0);
  EXPECT_EQ(m.mixer.crossfaderMode(), 0);
}

TEST(MixerState, SettersStoreOnlyChangesAndTellTheWidgets) {
  Mixer m;
  m.mixer.setGain(0, 2048);
  m.mixer.setBand(0, Band::high, 2048);
  EXPECT_TRUE(m.widgets.seen.empty());
  m.mixer.setGain(0, 3000);
  m.mixer.setKill(1, Band::bass, -1);
  m.mixer.setKill(1, Band::bass, -1);
  m.mixer.setKill(1, Band::bass, 0);
  EXPECT_EQ(m.widgets.seen, (std::vector<std::string>{"gain:0=3000", "kill_bass:1=1", "kill_bass:1=0"}));
}

TEST(MixerState, EqualiserBandsKillsAndBandCrossfaders) {
  Mixer m;
  EXPECT_EQ(m.engine->bandGain(0, 0), 2048);
  m.mixer.setBand(0, Band::high, 4096);
  EXPECT_EQ(m.engine->bandGain(0, 2), gainCurve(4096, 2048));
  m.mixer.setKill(0, Band::medium, 1);
  EXPECT_EQ(m.engine->bandGain(0, 1), 0);
  m.mixer.setGain(1, 0);  // the gain knob at 0 silences the whole desk
  for (int b = 0; b < 3; ++b) EXPECT_EQ(m.engine->bandGain(1, b), 0);
  m.mixer.setGain(1, 2048);
  m.mixer.setBandFader(Band::bass, 0);  // silences desk 2's bass only
  EXPECT_EQ(m.engine->bandGain(1, 0), 0);
  EXPECT_EQ(m.engine->bandGain(0, 0), 2048);
  m.mixer.setBandFader(Band::bass, 4096);
  EXPECT_EQ(m.engine->bandGain(0, 0), 0);
  EXPECT_EQ(m.engine->bandGain(1, 0), 2048);

  // Reset of desk 1: its kills and bands, and the fader that attenuates it.
  m.mixer.setBandFader(Band::high, 1000);  // attenuates desk 2: stays
  m.mixer.resetEqualizer(0);
  EXPECT_FALSE(m.mixer.kill(0, Band::medium));
  EXPECT_EQ(m.mixer.band(0, Band::high), 2048);
  EXPECT_EQ(m.mixer.bandFader(Band::bass), 2048);
  EXPECT_EQ(m.mixer.bandFader(Band::high), 1000);
  m.mixer.resetEqualizer(-1);
  EXPECT_EQ(m.mixer.bandFader(Band::high), 2048);
  for (int d = 0; d < 2; ++d)
    for (int b = 0; b < 3; ++b) EXPECT_EQ(m.engine->bandGain(d, b), 2048);
}

TEST(MixerState, EqualizerOffUsesOnlyTheGainOnTheLowBand) {
  Mixer m;
  m.mixer.setBand(0, Band::bass, 4096);
  m.mixer.setGain(0, 3000);
  settings().equalizer = 0;
  m.mixer.sendAll();
  EXPECT_EQ(m.engine->bandGain(0, 0), gainCurve(2048, 3000));
  EXPECT_EQ(m.engine->bandGain(0, 1), 0);
}

TEST(MixerState, AudibleNeedsPlayingAndALevelAboveSeven) {
  Mixer m;
  m.addWav("a.wav", std::vector<int16_t>(44100 * 2, 100));
  ASSERT_TRUE(m.load(0, "a.wav"));
  EXPECT_FALSE(m.engine->isAudible(0));
  m.desk[0]->play();
  EXPECT_TRUE(m.engine->isAudible(0));
  EXPECT_TRUE(m.engine->isAudible(-1));
  EXPECT_FALSE(m.engine->isAudible(1));
  m.mixer.setLevel(0, 10);  // 3072 * 10 / 4096 = 7
  EXPECT_FALSE(m.engine->isAudible(0));
  m.mixer.setLevel(0, 11);  // 8
  EXPECT_TRUE(m.engine->isAudible(0));
}

}  // namespace
}  // namespace zarnel
