// The sample players in the mixing pass of real engines on a virtual card,
// and the hand-over of a sample's memory between the UI and audio threads.

#include "mixer/SamplePlayers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/Settings.h"
#include "support/mix/EngineRig.h"

namespace zarnel {
namespace {

using test::EngineRig;

constexpr size_t kLatency = 441;  // the virtual card's write cursor ahead of play
constexpr size_t kStep = 256;     // the rig's clock step: a pass runs after each
// The card frame where a sample pressed when the card had played `played`
// frames starts: the write cursor of the next pass.
size_t startAfter(size_t played) { return played + kStep + kLatency; }

// A sample whose frame i is made by value(i) -> {left, right}.
template <class F>
std::unique_ptr<SampleData> makeSample(int32_t length, F value) {
  auto data = std::make_unique<SampleData>();
  data->frames = std::make_unique<int16_t[]>(size_t(length) * 2);
  data->length = length;
  for (int32_t i = 0; i < length; ++i) {
    const auto [l, r] = value(i);
    data->frames[size_t(i) * 2] = int16_t(l);
    data->frames[size_t(i) * 2 + 1] = int16_t(r);
  }
  return data;
}

std::unique_ptr<SampleData> constant(int32_t length, int32_t l, int32_t r) {
  return makeSample(length, [=](int32_t) { return std::pair{l, r}; });
}

// Frame i: left i % 16000, right its negative; a repeated or skipped frame shows.
std::unique_ptr<SampleData> ramp(int32_t length) {
  return makeSample(length, [](int32_t i) { return std::pair{i % 16000, -(i % 16000)}; });
}

// An engine of mode with silent desks and the players attached.
struct SampleRig {
  explicit SampleRig(int32_t mode = 0) {
    rig.sound.addCard("first");
    rig.sound.addCard("second");
    EXPECT_TRUE(rig.open(mode));
    rig.engine->attachSamples(&players);
    rig.run(22050);  // past the start-up re-mix and its fade
    ready = played();
  }
  ~SampleRig() { rig.engine.reset(); }
  // Frames the first card has played so far.
  size_t played() const { return rig.channels()[0].size(); }

  EngineRig rig;
  SamplePlayers players;
  size_t ready = 0;  // frames played when the rig was ready
};

int64_t countSound(const std::vector<int16_t>& mono) {
  int64_t n = 0;
  for (int16_t v : mono) n += v != 0;
  return n;
}

TEST(SamplePlayers, SlotsRunFromZeroToElevenAndATwelfthIndexIsRefused) {
  SamplePlayers p;
  EXPECT_TRUE(p.set(11, constant(1152, 1, 1), "last"));
  EXPECT_TRUE(p.loaded(11));
  EXPECT_EQ(p.name(11), "last");
  EXPECT_FALSE(p.set(12, constant(1152, 1, 1), "none"));
  EXPECT_FALSE(p.set(-1, constant(1152, 1, 1), "none"));
  EXPECT_FALSE(p.loaded(12));
  EXPECT_FALSE(p.press(12, false));
  EXPECT_TRUE(p.press(11, false));
  EXPECT_EQ(p.playingCount(), 1);
  EXPECT_TRUE(p.press(11, false));  // pressed again: counted once
  EXPECT_EQ(p.playingCount(), 1);
  EXPECT_FALSE(p.press(3, false));  // empty slot
  p.set(11, nullptr, "");
  EXPECT_FALSE(p.loaded(11));
  EXPECT_EQ(p.name(11), "");
  EXPECT_EQ(p.playingCount(), 0);
}

TEST(SamplePlayers, VolumeScalesAndZeroIsSilent) {
  for (int32_t volume : {4096, 2048, 0}) {
    SampleRig s;
    s.players.set(0, constant(4410, 8000, -6000), "c");
    s.players.setVolume(0, volume);
    s.players.press(0, false);
    s.rig.run(22050);
    const auto ch = s.rig.channels();
    if (volume == 0) {
      EXPECT_EQ(countSound(ch[0]) + countSound(ch[1]), 0);
      continue;
    }
    const size_t start = startAfter(s.ready);
    // Past the restart fade the sample plays at volume for its whole length, once.
    for (size_t i = start + 256; i < start + 4410; ++i) {
      ASSERT_EQ(ch[0][i], 8000 * volume / 4096) << i;
      ASSERT_EQ(ch[1][i], -6000 * volume / 4096) << i;
    }
    EXPECT_EQ(ch[0][start + 4410], 0);
    EXPECT_EQ(countSound(ch[0]), 4409) << volume;  // frame 0 is faded to nothing
  }
}

TEST(SamplePlayers, TheRestartFadeRaisesTheSampleOverItsFirstFrames) {
  SampleRig s;
  s.players.set(0, constant(4410, 25600, 0), "c");
  s.players.press(0, false);
  s.rig.run(22050);
  const auto ch = s.rig.channels();
  const size_t start = startAfter(s.ready);  // the write cursor when the pass saw the press
  // Frame k of the pass gets 25600 × k / 256 = 100 k.
  for (size_t k = 0; k < 256; ++k) ASSERT_EQ(ch[0][start + k], int16_t(100 * k)) << k;
  EXPECT_EQ(ch[0][start + 256], 25600);
}

TEST(SamplePlayers, TwoLoudSamplesClipInsteadOfWrapping) {
  SampleRig s;
  s.players.set(0, constant(4410, 30000, -30000), "a");
  s.players.set(1, constant(4410, 30000, -30000), "b");
  s.players.press(0, false);
  s.players.press(1, false);
  s.rig.run(22050);
  const auto ch = s.rig.channels();
  const size_t start = startAfter(s.ready) + 256;
  for (size_t i = start; i < start + 4000; ++i) {
    ASSERT_EQ(ch[0][i], 32767) << i;
    ASSERT_EQ(ch[1][i], -32768) << i;
  }
}

TEST(SamplePlayers, ARemixMovesThePositionBackSoTheSampleRunsOnSeamlessly) {
  SampleRig s;
  s.players.set(0, ramp(44100), "ramp");
  s.players.press(0, false);
  s.rig.run(4096);
  s.rig.engine->invalidate(-1);  // mixed 0.5 s ahead: that part is mixed again
  s.rig.run(2048);
  s.rig.engine->invalidate(-1);
  s.rig.run(8192);
  const auto ch = s.rig.channels();
  const size_t start = startAfter(s.ready);
  for (size_t i = start; i < ch[0].size(); ++i) {
    const int32_t expected = int32_t(i - start) % 16000 * std::min<int32_t>(int32_t(i - start), 256) / 256;
    // A re-mix blends equal old and new values: each side truncates.
    ASSERT_NEAR(ch[0][i], expected, 1) << i;
    ASSERT_NEAR(ch[1][i], -expected, 1) << i;
  }
}

TEST(SamplePlayers, PressingAPlayingSampleRestartsItAtTheWriteCursor) {
  SampleRig s;
  s.players.set(0, ramp(44100), "ramp");
  s.players.press(0, false);
  s.rig.run(8192);
  const size_t pressedAt = s.played();
  s.players.press(0, false);
  s.rig.run(8192);
  const auto ch = s.rig.channels();
  // Heard from the write cursor of the first pass after the press: the
  // ramp from 0 again, faded in over 256 frames.
  const size_t first = startAfter(s.ready);
  const size_t restart = startAfter(pressedAt);
  for (size_t i = restart + 256; i < ch[0].size(); ++i) ASSERT_EQ(ch[0][i], int32_t(i - restart)) << i;
  // Up to there the first play runs on untouched.
  for (size_t i = first + 256; i < restart; ++i) ASSERT_EQ(ch[0][i], int32_t(i - first)) << i;
  // Over the restart fade the old play fades out as the new one fades in.
  for (size_t k = 0; k < 256; ++k) {
    const int32_t old = int32_t(restart + k - first), fresh = int32_t(k);
    ASSERT_EQ(ch[0][restart + k], old * int32_t(256 - k) / 256 + fresh * int32_t(k) / 256) << k;
  }
}

TEST(SamplePlayers, AMomentaryPressStopsOnReleaseAndAPlainOneDoesNot) {
  SampleRig s;
  s.players.set(0, constant(44100, 5000, 5000), "m");
  s.players.set(1, constant(44100, 0, 7000), "p");
  s.players.press(0, true);
  s.players.press(1, false);
  s.rig.run(4096);
  const size_t releasedAt = s.played();
  s.players.release(0);
  s.players.release(1);
  EXPECT_FALSE(s.players.playing(0));
  EXPECT_TRUE(s.players.playing(1));
  EXPECT_EQ(s.players.playingCount(), 1);
  s.rig.run(8192);
  const auto ch = s.rig.channels();
  // The release is heard at the write cursor, after a 256-frame fade out.
  const size_t heard = startAfter(releasedAt);
  EXPECT_EQ(ch[0][heard - 1], 5000);
  EXPECT_LT(ch[0][heard + 128], 5000);
  for (size_t i = heard + 256; i < ch[0].size(); ++i) ASSERT_EQ(ch[0][i], 0) << i;
  for (size_t i = heard + 256; i < ch[1].size(); ++i) ASSERT_EQ(ch[1][i], 7000) << i;
}

TEST(SamplePlayers, ASampleStopsOnlyOnceItsEndHasReachedTheWriteCursor) {
  SampleRig s;
  s.players.set(0, constant(3000, 1000, 1000), "short");
  s.players.press(0, false);
  s.rig.run(256);  // the whole sample is mixed by now, far ahead of the write cursor
  EXPECT_GT(s.players.position(0), 3000);
  EXPECT_TRUE(s.players.playing(0));
  s.rig.run(2560);
  EXPECT_TRUE(s.players.playing(0));
  s.rig.run(512);  // the write cursor passes frame 3000 of the sample
  EXPECT_FALSE(s.players.playing(0));
  EXPECT_EQ(s.players.playingCount(), 0);
  s.rig.run(22050);
  EXPECT_EQ(countSound(s.rig.channels()[0]), 2999);  // frame 0 faded to nothing
}

// Sample frame (4000, 2000) at volume 2048 on each output of a mode.
struct RouteCase {
  int32_t mode;
  std::vector<int16_t> expected;  // per output channel, card by card
};

TEST(SamplePlayers, EachOutputModeRoutesTheSampleAsItsOutputsNeed) {
  const RouteCase cases[] = {
      {0, {2000, 1000}},
      {1, {1500, 3000}},              // mono master at the volume, mono headphones without
      {5, {1500, 1500}},              // both desk outputs at the volume
      {2, {2000, 1000, 4000, 2000}},  // master card, headphone card
      {6, {2000, 1000, 2000, 1000}},  // both desk cards
      {4, {2000, 1000, 4000, 2000}},  // front master, back headphones
  };
  for (const RouteCase& c : cases) {
    SampleRig s(c.mode);
    s.players.set(0, constant(8820, 4000, 2000), "r");
    s.players.setVolume(0, 2048);
    s.players.press(0, false);
    s.rig.run(11025);
    const auto ch = s.rig.channels();
    ASSERT_EQ(ch.size(), c.expected.size()) << c.mode;
    for (size_t k = 0; k < ch.size(); ++k) EXPECT_EQ(ch[k][s.ready + 4000], c.expected[k]) << c.mode << " " << k;
  }
}

// --- hand-over of sample memory ------------------------------------------------

// A route that lets a test hold the audio thread inside a pass.
std::atomic<int32_t> gInside{0};
std::atomic<bool> gHold{false};
void holdingRoute(int32_t l, int32_t r, int32_t v, int32_t out[2][2]) {
  gInside.store(1);
  while (gHold.load()) std::this_thread::yield();
  out[0][0] = l * v / 4096;
  out[0][1] = r * v / 4096;
}

TEST(SamplePlayersHandOver, ReplacedDataIsFreedOnlyAfterThePassReadingItEnds) {
  SamplePlayers p;
  p.set(0, constant(1152, 100, 100), "old");
  p.press(0, false);
  std::vector<int16_t> ring(22050 * 2);
  SampleMix mix;
  mix.rings[0] = ring.data();
  mix.route = holdingRoute;
  mix.frames = 1152;
  gInside = 0;
  gHold = true;
  std::thread audio([&] { p.addRt(mix); });
  while (gInside.load() == 0) std::this_thread::yield();
  p.set(0, constant(1152, 7, 7), "new");  // the pass still reads the old frames
  EXPECT_EQ(p.reclaim(), 1);
  gHold = false;
  audio.join();
  EXPECT_EQ(ring[2 * 1151], 100);  // the whole pass read the old sample
  EXPECT_EQ(p.reclaim(), 0);
  EXPECT_EQ(p.name(0), "new");
  EXPECT_FALSE(p.playing(0));
}

// Sample k holds frames (k, i) and 1152 × (1 + k % 5) of them. The route
// checks that every pass reads one sample, in order, within its length.
std::atomic<int32_t> gTorn{0};
std::atomic<int64_t> gFrames{0};
int32_t gLastLeft = -1, gLastRight = -1;  // audio thread only
int32_t lengthOf(int32_t k) { return 1152 * (1 + k % 5); }
void checkingRoute(int32_t l, int32_t r, int32_t, int32_t out[2][2]) {
  if (gLastLeft >= 0 && (l != gLastLeft || r != gLastRight + 1)) gTorn.fetch_add(1);
  if (r >= lengthOf(l)) gTorn.fetch_add(1);
  gLastLeft = l;
  gLastRight = r;
  gFrames.fetch_add(1, std::memory_order_relaxed);
  out[0][0] = out[0][1] = 0;
}

TEST(SamplePlayersHandOver, SamplesReplacedWhilePlayingAreReadWholeAndNeverAfterTheirRelease) {
  SamplePlayers p;
  std::vector<int16_t> ring(22050 * 2);
  std::atomic<bool> done{false};
  gTorn = 0;
  gFrames = 0;
  std::thread audio([&] {
    SampleMix mix;
    mix.rings[0] = ring.data();
    mix.route = checkingRoute;
    int32_t at = 0;
    while (!done.load()) {
      mix.at = at;
      mix.frames = 300;
      mix.behind = 0;
      if (p.takeRemixRt()) p.moveBackRt(150);
      gLastLeft = -1;  // a pass may start anywhere in the sample
      p.addRt(mix);
      at = (at + 300) % 22050;
    }
  });
  for (int32_t k = 0; k < 2000; ++k) {
    p.set(0, makeSample(lengthOf(k), [k](int32_t i) { return std::pair{k, i}; }), "s");
    p.press(0, k % 3 == 0);
    if (k % 7 == 0) p.release(0);
    if (k % 50 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  p.press(0, false);
  while (gFrames.load() == 0) std::this_thread::yield();  // however the threads were scheduled
  done = true;
  audio.join();
  EXPECT_EQ(gTorn.load(), 0);
  EXPECT_GT(gFrames.load(), 0);
  EXPECT_EQ(p.reclaim(), 0);
}

}  // namespace
}  // namespace zarnel
