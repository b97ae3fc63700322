#include "desk/BeatSearch.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace zarnel {
namespace {

constexpr int32_t kF = kEnvelopeFrames;

struct Ring {
  Ring() : ring(std::make_unique<StrengthRing>()) {}
  void set(int32_t slot, int32_t value) { (*ring)[size_t(wrapSlot(slot))].store(value); }
  BeatSearch search() const { return BeatSearch(*ring); }
  std::unique_ptr<StrengthRing> ring;
};

// The heard point at slot play, decoded up to slot write.
HeardPoint at(int32_t play, int32_t write, int32_t unfilledSlots = 0, int32_t pitch = 4096) {
  return {play * kF + 7, write * kF, unfilledSlots * kF, pitch};
}

TEST(BeatSearch, PeriodFallsBackTo80Bpm) {
  EXPECT_EQ(BeatSearch::period(120.0f), 612);
  EXPECT_EQ(BeatSearch::period(999.0f), 73);
  EXPECT_EQ(BeatSearch::period(0.0f), 918);
  EXPECT_EQ(BeatSearch::period(999.9f), 918);
  EXPECT_EQ(BeatSearch::period(0.5f), 918);
}

TEST(BeatSearch, NextBeatIsTheStrongestWithinAPeriodAndTheDecodedAudio) {
  Ring r;
  r.set(100 + 50, 10);
  r.set(100 + 300, 20);
  r.set(100 + 700, 50);  // beyond one period at 120
  EXPECT_EQ(r.search().nextBeatOffset(at(100, 1000), 120.0f), 300);
  EXPECT_EQ(r.search().nextBeatOffset(at(100, 1000), 0.0f), 700);  // 80 bpm: 918 samples
  EXPECT_EQ(r.search().nextBeatOffset(at(100, 300), 120.0f), 50);  // not decoded past 300
  r.set(100 + 51, 20);  // equal to the one at 300: the first one wins
  EXPECT_EQ(r.search().nextBeatOffset(at(100, 1000), 120.0f), 51);
  EXPECT_EQ(Ring().search().nextBeatOffset(at(100, 1000), 120.0f), 0);
}

TEST(BeatSearch, NextBeatWrapsRoundTheRing) {
  Ring r;
  r.set(8190 + 40, 5);  // slot 38
  EXPECT_EQ(r.search().nextBeatOffset(at(8190, 200), 120.0f), 40);
}

TEST(BeatSearch, NearestWeighsByDistanceAndPrefersForwardAtEqualDistance) {
  Ring r;
  r.set(1000 + 100, 1000);
  r.set(1000 - 100, 1000);
  EXPECT_EQ(r.search().nearestBeatOffset(at(1000, 3000), 120.0f, 0), 100);
  r.set(1000 - 99, 1000);  // nearer behind
  EXPECT_EQ(r.search().nearestBeatOffset(at(1000, 3000), 120.0f, 0), -99);
  r.set(1000 + 10, 1000);  // weighs 1000 × 1000 / 1010
  r.set(1000 - 200, 1205); // weighs 1205 × 1000 / 1200, a little more
  EXPECT_EQ(r.search().nearestBeatOffset(at(1000, 3000), 120.0f, 0), -200);
  // Around heard point + o: the beat at +100 is 50 behind 1150.
  Ring s;
  s.set(1000 + 100, 1000);
  EXPECT_EQ(s.search().nearestBeatOffset(at(1000, 3000), 120.0f, 150), -50);
}

TEST(BeatSearch, NearestStaysInsideThePeriodAndTheKeptAudio) {
  Ring r;
  r.set(1000 + 700, 9000);  // more than a period (612) away
  r.set(1000 - 100, 5000);
  r.set(1000 + 300, 10);
  EXPECT_EQ(r.search().nearestBeatOffset(at(1000, 3000), 120.0f, 0), -100);
  // Only 50 samples behind the heard point hold audio: the one at -100 is not there.
  const int32_t unfilled = kEnvelopeSlots - 2000 - 50;
  EXPECT_EQ(r.search().nearestBeatOffset(at(1000, 3000, unfilled), 120.0f, 0), 300);
  // Nothing decoded at or past heard point + o, or nothing kept behind it.
  EXPECT_EQ(r.search().nearestBeatOffset(at(1000, 3000), 120.0f, 2000), 0);
  EXPECT_EQ(r.search().nearestBeatOffset(at(1000, 3000, kEnvelopeSlots - 2000 + 1), 120.0f, 0), 0);
}

std::vector<int32_t> curve(const Ring& r, int32_t pitch, int32_t peak, int32_t count, int32_t height = 100) {
  std::vector<int32_t> values(size_t(count), -1);
  r.search().strengthCurve(at(500, 3000, 0, pitch), peak, values.data(), count, height);
  return values;
}

TEST(BeatSearch, StrengthCurveCoversPitchOver1024SamplesAPoint) {
  Ring r;
  for (int32_t i = 0; i < 64; ++i) r.set(500 + i, (i + 1) * 10);
  // Normal speed: 4 samples a point, their maximum, scaled to the peak.
  EXPECT_EQ(curve(r, 4096, 1000, 3), (std::vector<int32_t>{4, 8, 12}));
  EXPECT_EQ(curve(r, 0, 1000, 3), (std::vector<int32_t>{4, 8, 12}));  // pitch 0 counts as 4096
  // 1.5 samples a point: alternately one and two.
  EXPECT_EQ(curve(r, 1536, 1000, 4), (std::vector<int32_t>{1, 3, 4, 6}));
  // Half a sample a point: every other point is empty.
  EXPECT_EQ(curve(r, 512, 1000, 4), (std::vector<int32_t>{0, 1, 0, 2}));
  // Clamped to height - 1; a peak of 0 counts as 1.
  EXPECT_EQ(curve(r, 4096, 100, 2), (std::vector<int32_t>{40, 80}));
  EXPECT_EQ(curve(r, 4096, 0, 1, 10), (std::vector<int32_t>{9}));
}

}  // namespace
}  // namespace zarnel
