// Two desks through the mode-0 mixing pass on a virtual clock.

#include <gtest/gtest.h>

#include <cmath>

#include "app/Settings.h"
#include "support/WavBuilder.h"
#include "support/mix/MixHarness.h"

namespace zarnel {
namespace {

using test::MixHarness;

std::vector<int16_t> tone(double seconds, double freqLeft, double freqRight, double amp) {
  return test::stereoSine(int32_t(seconds * 44100), freqLeft, freqRight, amp);
}

// A harness with desk 1 on a 1 kHz / 1.5 kHz tone and desk 2 on 3 kHz / 4 kHz,
// both playing; the equaliser off so the strip is exact.
struct TwoTones : MixHarness {
  TwoTones() {
    settings().equalizer = 0;
    mixer.sendAll();
    addWav("one.wav", tone(20, 1000, 1500, 8000));
    addWav("two.wav", tone(20, 3000, 4000, 8000));
    EXPECT_TRUE(load(0, "one.wav"));
    EXPECT_TRUE(load(1, "two.wav"));
    desk[0]->play();
    desk[1]->play();
    run(22050);
  }
  // Plays half a second and returns the amplitude of freq on channel.
  double measure(int32_t channel, double freq) {
    clearPlayed();
    run(22050);
    return test::toneAmplitude(played(), channel, freq, 2000, 22050);
  }
};

TEST(MixingPass, CrossfaderPositionsGiveTheExpectedMix) {
  TwoTones h;
  h.mixer.setCrossfader(0);
  EXPECT_NEAR(h.measure(0, 1000), 8000, 40);
  EXPECT_NEAR(h.measure(0, 3000), 0, 40);
  EXPECT_NEAR(h.measure(1, 1500), 8000, 40);

  h.mixer.setCrossfader(2048);  // smooth curve: 3072 of 4096 each
  EXPECT_NEAR(h.measure(0, 1000), 6000, 40);
  EXPECT_NEAR(h.measure(0, 3000), 6000, 40);
  EXPECT_NEAR(h.measure(1, 4000), 6000, 40);

  h.mixer.setCrossfader(4096);
  EXPECT_NEAR(h.measure(0, 1000), 0, 40);
  EXPECT_NEAR(h.measure(0, 3000), 8000, 40);
  EXPECT_NEAR(h.measure(1, 4000), 8000, 40);
}

TEST(MixingPass, PitchWithoutMasterTempoRaisesTheTone) {
  MixHarness h;
  settings().masterTempo = 0;
  h.addWav("a.wav", tone(20, 1000, 1000, 8000));
  ASSERT_TRUE(h.load(0, "a.wav"));
  h.mixer.setCrossfader(0);
  h.desk[0]->setPitch(4505);  // +10 %
  h.desk[0]->play();
  h.run(44100);
  h.clearPlayed();
  h.run(44100);
  EXPECT_NEAR(test::measureFrequency(h.played(), 0, 0, 44100), 1000.0 * 4505 / 4096, 2.0);
}

TEST(MixingPass, MasterTempoKeepsThePitchWhileTheTrackRunsFaster) {
  MixHarness h;
  settings().masterTempo = 1;
  h.addWav("a.wav", tone(20, 1000, 1000, 8000));
  ASSERT_TRUE(h.load(0, "a.wav"));
  h.mixer.setCrossfader(0);
  h.desk[0]->setPitch(4505);
  h.desk[0]->play();
  h.run(44100);
  const float start = h.desk[0]->position();
  h.clearPlayed();
  h.run(4 * 44100);
  const float advanced = (h.desk[0]->position() - start) * 20.0f;  // seconds of track
  EXPECT_NEAR(advanced, 4.0 * 4505 / 4096, 0.05);
  EXPECT_NEAR(test::measureFrequency(h.played(), 0, 0, 4 * 44100), 1000.0, 10.0);
  EXPECT_NEAR(test::toneAmplitude(h.played(), 0, 1000, 0, 4 * 44100), 8000, 800);
}

// Return: the largest step between neighbouring samples of one channel.
int32_t largestStep(const std::vector<int16_t>& s, int32_t channel, size_t from, size_t to) {
  int32_t best = 0;
  for (size_t i = from + 1; i < to; ++i)
    best = std::max(best, std::abs(s[2 * i + channel] - s[2 * (i - 1) + channel]));
  return best;
}

TEST(MixingPass, ParameterChangesAreHeardFromTheWriteCursorWithoutAClick) {
  MixHarness h;
  h.addWav("a.wav", tone(20, 1000, 1000, 10000));
  ASSERT_TRUE(h.load(0, "a.wav"));
  h.mixer.setCrossfader(0);
  h.desk[0]->play();
  h.run(22050);
  h.clearPlayed();
  h.run(4410);
  const int32_t ownStep = largestStep(h.played(), 0, 0, 4410);
  // A slider moved in steps, as a hand moves it, and a kill pressed.
  for (int32_t level = 4096; level >= 1024; level -= 256) {
    h.mixer.setLevel(0, level);
    h.run(128);
  }
  h.mixer.setKill(0, Band::medium, 1);
  h.run(4410);
  const size_t end = h.played().size() / 2;
  EXPECT_LE(largestStep(h.played(), 0, 1, end), ownStep);
  // The change is heard within the card's latency, not after the whole buffer.
  h.clearPlayed();
  h.mixer.setLevel(0, 0);
  h.run(MixHarness::kLatency + 64 + 256 + 64);
  EXPECT_EQ(test::peak(h.played(), 0, MixHarness::kLatency + 64 + 256, h.played().size() / 2), 0);
}

TEST(MixingPass, TwoLoudDesksClipInsteadOfWrapping) {
  MixHarness h;
  settings().equalizer = 0;
  h.mixer.sendAll();
  h.mixer.setCrossfaderMode(1);  // full: both desks at 4096 in the centre
  std::vector<int16_t> square(44100 * 4);
  for (size_t i = 0; i < square.size() / 2; ++i) square[2 * i] = square[2 * i + 1] = (i / 441) % 2 ? 30000 : -30000;
  h.addWav("a.wav", square);
  ASSERT_TRUE(h.load(0, "a.wav"));
  ASSERT_TRUE(h.load(1, "a.wav"));
  h.desk[0]->play();
  h.desk[1]->play();
  h.run(44100);
  int highs = 0, lows = 0;
  for (size_t i = 11025; i < h.played().size() / 2; ++i) {
    int16_t v = h.played()[2 * i];
    ASSERT_TRUE(v == 32767 || v == -32768 || std::abs(v) <= 30000 * 2) << i;
    highs += v == 32767;
    lows += v == -32768;
  }
  EXPECT_GT(highs, 1000);
  EXPECT_GT(lows, 1000);
}

TEST(MixingPass, LastDeskStoppingFadesOutOver256Frames) {
  MixHarness h;
  settings().equalizer = 0;
  h.mixer.sendAll();
  std::vector<int16_t> dc(44100 * 10 * 2, 12000);
  h.addWav("a.wav", dc);
  ASSERT_TRUE(h.load(0, "a.wav"));
  h.mixer.setCrossfader(0);
  h.desk[0]->play();
  h.run(44100);
  h.clearPlayed();
  h.run(1000);
  h.desk[0]->pause();
  h.run(4000);
  const auto& p = h.played();
  size_t firstFaded = 0;
  while (firstFaded < p.size() / 2 && p[2 * firstFaded] == 12000) ++firstFaded;
  ASSERT_LT(firstFaded, size_t(2000));
  // value x F / 256 with F stepping down from 256 (the first frame is the
  // write cursor's), then silence.
  for (int32_t k = 0; k < 256; ++k) ASSERT_EQ(p[2 * (firstFaded - 1 + k)], 12000 * (256 - k) / 256) << k;
  for (size_t i = firstFaded + 255; i < p.size() / 2; ++i) ASSERT_EQ(p[2 * i], 0) << i;
}

TEST(MixingPass, StartingADeskFadesInOverTheRestartFade) {
  MixHarness h;
  settings().equalizer = 0;
  settings().masterTempo = 0;
  h.mixer.sendAll();
  std::vector<int16_t> dc(44100 * 10 * 2, 10240);
  h.addWav("a.wav", dc);
  ASSERT_TRUE(h.load(0, "a.wav"));
  h.mixer.setCrossfader(0);
  h.run(1000);
  h.clearPlayed();
  h.desk[0]->play();
  h.run(4000);
  const auto& p = h.played();
  size_t first = 0;
  while (first < p.size() / 2 && p[2 * first] == 0) ++first;
  ASSERT_LT(first, size_t(2000));
  // (F x old + (256 - F) x new) / 256 over silence: a 256-frame ramp.
  for (int32_t k = 0; k < 255; ++k) ASSERT_EQ(p[2 * (first + k)], (k + 1) * 10240 / 256) << k;
  EXPECT_EQ(p[2 * (first + 300)], 10240);
}


TEST(MixingPass, PlayStartsAtTheHeardPointEvenAfterIdling) {
  test::MixHarness h;
  settings().equalizer = 0;
  settings().masterTempo = 0;
  h.mixer.sendAll();
  std::vector<int16_t> ramp(44100 * 2 * 4);
  for (size_t i = 0; i < ramp.size() / 2; ++i) ramp[2 * i] = ramp[2 * i + 1] = int16_t(1000 + i % 20000);
  h.addWav("a.wav", ramp);
  ASSERT_TRUE(h.load(0, "a.wav"));
  h.mixer.setCrossfader(0);
  h.run(3000);  // the engine mixes silence while the desk waits
  h.clearPlayed();
  h.desk[0]->play();
  h.run(6000);
  const auto& p = h.played();
  size_t first = 0;
  while (first < p.size() / 2 && p[2 * first] == 0) ++first;
  ASSERT_LT(first, size_t(1000));
  // The fade's first frame is all old (silent) audio, so the first audible frame is
  // the track's second.
  for (size_t k = 256; k < 4000; ++k) ASSERT_EQ(p[2 * (first + k)], int16_t(1001 + k)) << k;
}

TEST(MixingPass, ReMixesContinueTheAudioSeamlessly) {
  test::MixHarness h;
  settings().equalizer = 0;
  settings().masterTempo = 0;
  h.mixer.sendAll();
  std::vector<int16_t> ramp(44100 * 2 * 8);
  for (size_t i = 0; i < ramp.size() / 2; ++i) ramp[2 * i] = ramp[2 * i + 1] = int16_t(i % 30000);
  h.addWav("a.wav", ramp);
  ASSERT_TRUE(h.load(0, "a.wav"));
  h.mixer.setCrossfader(0);
  h.desk[0]->play();
  h.run(22050);
  h.clearPlayed();
  // The smooth curve keeps desk 1 at full level up to 1365: each move
  // re-mixes the same audio, which must join what was already heard.
  for (int32_t i = 0; i < 200; ++i) {
    h.mixer.setCrossfader(i % 2 ? 100 : 1300);
    h.run(256);
  }
  const auto& p = h.played();
  for (size_t i = 1; i < p.size() / 2; ++i)
    ASSERT_EQ(p[2 * i], int16_t((p[2 * (i - 1)] + 1) % 30000)) << i;
}

}  // namespace
}  // namespace zarnel
