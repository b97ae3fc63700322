#include "desk/BeatAnalyser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "app/Settings.h"
#include "desk/Desk.h"
#include "mixer/MixerState.h"
#include "mixer/OutputEngines.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualSoundBuffer.h"
#include "support/BeatSignal.h"
#include "support/OneEntryStore.h"
#include "support/mix/MixHarness.h"
#include "support/WavBuilder.h"

namespace zarnel {
namespace {

using test::Beat;
using test::BeatTrack;

constexpr int32_t kBlockSamples = kBlockFrames * kChannels;

// A desk-less analyser with a record of its own.
struct Bench {
  Bench() {
    data.entry = &entry;
    analyser->setTrackData(&data);
  }
  // The kernels' window starts 113 envelope samples before the newest one.
  static constexpr double kLeadSeconds = 113.0 * 36.0 / 44100.0;
  // Feeds every whole block of samples. With trackSeconds, each block's
  // beats are placed where the kernels' window starts, as a fraction of a
  // track that long, as the extended analysis places them.
  void feed(const std::vector<int16_t>& samples, double trackSeconds = 0.0) {
    const size_t blocks = samples.size() / kBlockSamples;
    for (size_t b = 0; b < blocks; ++b) {
      if (trackSeconds > 0) {
        const double start = double(b * kBlockFrames) / 44100.0;
        analyser->setFallbackPosition(float((start - kLeadSeconds) / trackSeconds));
      }
      analyser->feedRt(samples.data() + b * kBlockSamples);
    }
  }
  std::unique_ptr<BeatAnalyser> analyser = std::make_unique<BeatAnalyser>(nullptr);
  TrackEntry entry;
  TrackData data;
};

// --- kernel bank ---------------------------------------------------------

TEST(BeatKernels, ChirpsShortenAsTheirPeriodGrowsFaster) {
  BeatKernels bank;
  const int32_t expected[] = {113, 99, 88, 77, 68, 60, 53, 47, 41, 36, 32, 28, 25, 22, 19, 17};
  for (int32_t k = 0; k < BeatKernels::kCount; ++k) {
    EXPECT_EQ(bank.length(k), expected[k]) << k;
    EXPECT_EQ(bank.value(k, 0), 0) << k;  // every chirp starts at sin 0
    // Normalised by the square root of the length: about 4096² / 2 of energy each.
    double energy = 0;
    for (int32_t j = 0; j < bank.length(k); ++j) energy += double(bank.value(k, j)) * bank.value(k, j);
    EXPECT_NEAR(energy / (4096.0 * 4096.0), 0.5, 0.1) << k;
  }
  // Kernel 0 starts with a period of 4 samples: +, +, 0-ish, -.
  EXPECT_GT(bank.value(0, 1), 0);
  EXPECT_LT(bank.value(0, 3), 0);
}

// --- tempo -----------------------------------------------------------------

TEST(BeatAnalyserTempo, SilenceFindsNoBeatAndWritesNoBpm) {
  Bench t;
  t.feed(std::vector<int16_t>(size_t(kBlockSamples) * 400, 0));
  EXPECT_EQ(t.analyser->lagSums().peak().lag, LagSums::kLongestLag);
  EXPECT_FLOAT_EQ(t.analyser->rawTempo(), 999.9f);
  EXPECT_FLOAT_EQ(t.analyser->tempo(), 999.9f);
  EXPECT_EQ(t.entry.bpm, 0.0f);
  EXPECT_EQ(t.data.v6, 0);
  EXPECT_EQ(t.analyser->vote().runCount(), 1);
  EXPECT_EQ(t.data.v8, 0);
}

class SteadyPulse : public ::testing::TestWithParam<Beat> {};

TEST_P(SteadyPulse, At120ConvergesNear120) {
  Bench t;
  t.feed(test::beatTrack({120.0, 20.0, 0.25, 24000.0, GetParam()}));
  EXPECT_NEAR(t.analyser->rawTempo(), 120.1, 0.3);
  EXPECT_NEAR(t.entry.bpm, 120.0, 0.5);
  EXPECT_NEAR(t.analyser->tempo(), 120.0, 0.5);
  // The confirmation count follows the run that wrote the bpm.
  EXPECT_GT(t.data.v6, 100);
  EXPECT_EQ(t.data.v6, t.analyser->vote().runCount());
}

TEST_P(SteadyPulse, At60IsReportedAs120) {
  Bench t;
  t.feed(test::beatTrack({60.0, 24.0, 0.25, 24000.0, GetParam()}));
  EXPECT_NEAR(t.analyser->lagSums().peak().lag, 1225, 2);
  EXPECT_NEAR(t.entry.bpm, 120.0, 0.5);
}

INSTANTIATE_TEST_SUITE_P(BeatAnalyserTempo, SteadyPulse, ::testing::Values(Beat::kKick, Beat::kClick));

TEST(BeatAnalyserTempo, TemposBetween82And163AreMeasuredAsTheyAre) {
  for (double bpm : {90.0, 128.0, 140.0}) {
    Bench t;
    t.feed(test::beatTrack({bpm, 20.0}));
    EXPECT_NEAR(t.entry.bpm, bpm, 0.5) << bpm;
  }
}

TEST(BeatAnalyserTempo, BeatsFasterThanTheShortestLagFoldToHalf) {
  Bench t;
  t.feed(test::beatTrack({174.0, 20.0}));  // 422 samples a beat, below lag 451
  EXPECT_NEAR(t.entry.bpm, 87.0, 0.5);
}

TEST(BeatAnalyserTempo, TypedBpmIsNeverReplaced) {
  Bench t;
  t.entry.bpm = 99.0f;
  t.data.v6 = kUserBpmLock;
  t.feed(test::beatTrack({120.0, 20.0}));
  EXPECT_NEAR(t.analyser->tempo(), 120.0, 0.5);  // measured all the same
  EXPECT_EQ(t.entry.bpm, 99.0f);
  EXPECT_EQ(t.data.v6, kUserBpmLock);
}

TEST(BeatAnalyserTempo, AShorterRunThanTheStoredOneWritesNothing) {
  Bench t;
  t.entry.bpm = 97.0f;
  t.data.v6 = 100000;
  t.feed(test::beatTrack({120.0, 10.0}));
  EXPECT_EQ(t.entry.bpm, 97.0f);
  EXPECT_EQ(t.data.v6, 100000);
}

TEST(BeatAnalyserTempo, ClearKeepsTheVoteAndFullResetForgetsIt) {
  Bench t;
  const std::vector<int16_t> track = test::beatTrack({120.0, 15.0});
  t.feed(track);
  const int32_t run = t.analyser->vote().runCount();
  ASSERT_GT(run, 100);

  t.analyser->clearRt();  // what every desk seek does
  EXPECT_EQ(t.analyser->lagSums().peak().value, 0);
  for (int32_t s = 0; s < kEnvelopeSlots; ++s) ASSERT_EQ(t.analyser->strengthAt(s), 0) << s;
  const std::vector<int16_t> block(track.begin(), track.begin() + kBlockSamples);
  t.feed(block);
  EXPECT_FLOAT_EQ(t.analyser->rawTempo(), 999.9f);  // the lag sums start again
  EXPECT_NEAR(t.analyser->tempo(), 120.0, 0.5);     // the vote remembers
  EXPECT_EQ(t.analyser->vote().runCount(), run + 1);
  // The lag sums rebuild within a few seconds and the run goes on.
  t.feed(std::vector<int16_t>(track.begin(), track.begin() + kBlockSamples * 200));
  EXPECT_NEAR(t.analyser->rawTempo(), 120.1, 0.3);
  EXPECT_EQ(t.analyser->vote().runCount(), run + 201);

  t.analyser->fullReset();
  EXPECT_EQ(t.analyser->record(), nullptr);
  t.analyser->setTrackData(&t.data);
  t.feed(block);
  EXPECT_FLOAT_EQ(t.analyser->tempo(), 999.9f);
  EXPECT_EQ(t.analyser->vote().runCount(), 1);
}

// --- vote ------------------------------------------------------------------

TEST(TempoVote, HeaviestClusterWinsAndAveragesByWeight) {
  TempoVote vote;
  vote.cast(100.0f, 50);  // a strong outlier
  for (int i = 0; i < 3; ++i) vote.cast(120.0f, 10);
  vote.cast(121.5f, 30);
  TempoVote::Tally tally = vote.tally();
  ASSERT_TRUE(tally.valid);
  EXPECT_NEAR(tally.tempo, (3 * 10 * 120.0 + 30 * 121.5) / 60.0, 1e-3);
  // 122.5 agrees with 121.5 but not with 120: 121.5 now scores 70 against
  // 120's 60, and its cluster takes in everything within 2.0 of it.
  vote.cast(122.5f, 40);
  tally = vote.tally();
  EXPECT_NEAR(tally.tempo, (30 * 120.0 + 30 * 121.5 + 40 * 122.5) / 100.0, 1e-3);
}

TEST(TempoVote, NoBeatWinnerStopsAndRunsBreakOnDisagreement) {
  TempoVote vote;
  for (int i = 0; i < TempoVote::kSlots; ++i) vote.cast(999.9f, 1);
  EXPECT_FALSE(vote.tally().valid);
  EXPECT_FLOAT_EQ(vote.tally().tempo, 999.9f);
  vote.extendRun(120.0f);  // the mean of the fresh run (0 / 1) is far off
  EXPECT_EQ(vote.runCount(), 1);
  vote.extendRun(121.9f);
  EXPECT_EQ(vote.runCount(), 2);
  EXPECT_FLOAT_EQ(vote.runMean(), 120.95f);
  vote.extendRun(123.0f);  // 2.05 from the mean
  EXPECT_EQ(vote.runCount(), 1);
  EXPECT_FLOAT_EQ(vote.runMean(), 123.0f);
  EXPECT_EQ(vote.cursor(), 0);  // 64 casts went round once
}

// --- level -----------------------------------------------------------------

std::vector<int16_t> square(int32_t blocks, int16_t amplitude) {
  std::vector<int16_t> out(size_t(blocks) * kBlockSamples);
  for (size_t i = 0; i < out.size(); ++i) out[i] = (i / 64) % 2 ? amplitude : int16_t(-amplitude);
  return out;
}

TEST(BeatAnalyserLevel, PeakIsTheLoudestMeanOver38Blocks) {
  Bench t;
  t.feed(square(20, 3800));  // RMS 3800: level 100 per block
  EXPECT_EQ(t.analyser->levelSum(), 2000);
  EXPECT_EQ(t.data.v8, 2000);
  t.feed(square(30, 3800));
  EXPECT_EQ(t.data.v8, 3800);  // 38 blocks full
  t.feed(square(10, 1900));    // quieter: the sum falls, the peak stays
  EXPECT_EQ(t.analyser->levelSum(), 28 * 100 + 10 * 50);
  EXPECT_EQ(t.data.v8, 3800);
  t.analyser->fullReset();
  EXPECT_EQ(t.analyser->levelSum(), 0);
}

// --- first and last beat -------------------------------------------------------

TEST(BeatAnalyserBeats, FirstAndLastBeatFollowTheStrongBeats) {
  Bench t;
  const double seconds = 20.0;
  const std::vector<int16_t> track = test::beatTrack({120.0, seconds, 3.0, 24000.0, Beat::kKick, 17.0});
  t.feed(track, seconds);
  // The kernel selected after the first beats responds more strongly than
  // kernel 0 did: past two thirds of the grown peak, a later beat takes over.
  const int32_t selected = t.analyser->selectedKernel();
  EXPECT_NE(selected, 0);
  EXPECT_GT(t.data.v1 * seconds, 3.2);
  // Heard again from the start (as after a seek), the settled kernel finds
  // the true first beat: an earlier strong beat always wins.
  t.analyser->clearRt();
  t.feed(track, seconds);
  EXPECT_EQ(t.analyser->selectedKernel(), selected);
  EXPECT_NEAR(t.data.v1 * seconds, 3.0, 0.06);
  EXPECT_NEAR(t.data.v2 * seconds, 17.0, 0.06);
  EXPECT_GT(t.data.v4, 0);
  EXPECT_GT(t.data.v5, 0);
  EXPECT_GE(t.data.v7, t.data.v4);
}

TEST(BeatAnalyserBeats, PositionZeroNeverBecomesTheFirstBeat) {
  Bench t;
  t.data.v1 = 0.5f;  // held, with strength 0: anything strong replaces it...
  const std::vector<int16_t> track = test::beatTrack({120.0, 4.0});
  t.analyser->setFallbackPosition(0.0f);  // ...but not at exactly 0.0
  t.feed(track);
  EXPECT_EQ(t.data.v1, 0.5f);
  EXPECT_EQ(t.data.v4, 0);
  t.analyser->setFallbackPosition(0.25f);
  t.feed(track);
  EXPECT_EQ(t.data.v1, 0.25f);
}

TEST(BeatAnalyserBeats, WithoutARecordNothingIsKeptButStrength) {
  auto analyser = std::make_unique<BeatAnalyser>(nullptr);
  const std::vector<int16_t> track = test::beatTrack({120.0, 10.0});
  for (size_t b = 0; b + kBlockSamples <= track.size(); b += kBlockSamples) analyser->feedRt(track.data() + b);
  EXPECT_NEAR(analyser->tempo(), 120.0, 0.5);
  EXPECT_EQ(analyser->selectedKernel(), 0);  // selection needs the track's peak
  int32_t strongest = 0;
  for (int32_t s = 0; s < kEnvelopeSlots; ++s) strongest = std::max(strongest, analyser->strengthAt(s));
  EXPECT_GT(strongest, 0);
}

// --- inside a desk -----------------------------------------------------------

// Two desks with a store on the mode-0 engine and a virtual card, driven on
// the test's thread as the audio thread would drive them.
struct PlayingDesk {
  PlayingDesk() {
    settings().resetToDefaults();
    DeskLinks links;
    links.services.files = &files;
    links.poster = &poster;
    links.store = &store;
    for (int32_t d = 0; d < 2; ++d) desk[d] = std::make_unique<Desk>(d, links);
    auto owned = std::make_unique<VirtualSoundBuffer>(kMixRingFrames, 2, 441);
    card = owned.get();
    card->setRecording(false);
    engine = std::make_unique<SingleCardMasterEngine>(*desk[0], *desk[1], std::move(owned));
    for (auto& d : desk) d->setEngine(engine.get());
    mixer.attach(engine.get(), nullptr);
    mixer.sendAll();
  }
  ~PlayingDesk() {
    for (auto& d : desk) d->setEngine(nullptr);
  }
  void run(int32_t frames) {
    for (; frames > 0; frames -= 256) {
      card->advance(256);
      engine->updateCursorsRt();
      desk[0]->serviceRt();
      desk[1]->serviceRt();
      engine->mixRt();
    }
  }
  // Return: seconds of the track at the heard point.
  double heardSeconds() const;
  const BeatAnalyser& analyser() const { return desk[0]->analyser(); }

  VirtualFileSystem files;
  test::RecordingPoster poster;
  test::OneEntryStore store;
  std::unique_ptr<Desk> desk[2];
  VirtualSoundBuffer* card = nullptr;
  std::unique_ptr<SingleCardMasterEngine> engine;
  MixerState mixer;
};

// Kicks every half second from 0.25 s in 1150 blocks (30.04 s, a whole
// second length of 30): positions are fractions of the blocks' duration.
constexpr double kKickPeriod = 0.5, kFirstKick = 0.25;
constexpr double kKickSeconds = 1150 * 1152 / 44100.0;

std::vector<uint8_t> kickWav() { return test::makeWav({}, test::toBytes(test::beatTrack({120.0, kKickSeconds + 1e-6}))); }

double PlayingDesk::heardSeconds() const { return double(desk[0]->position()) * kKickSeconds; }

// Return: seconds from t to the next kick onset at or after it.
double toNextKick(double t) {
  const double k = std::ceil((t - kFirstKick) / kKickPeriod);
  return kFirstKick + k * kKickPeriod - t;
}

TEST(BeatAnalyserDesk, MeasuresWhatTheDeskDecodes) {
  PlayingDesk t;
  t.files.put("k.wav", kickWav());
  ASSERT_TRUE(t.desk[0]->load("t", "a", "k.wav", nullptr));
  ASSERT_EQ(t.store.acquired, 1);
  ASSERT_EQ(t.analyser().record(), &t.store.data);
  ASSERT_EQ(t.desk[0]->play(), 0);
  t.run(44100 * 8);
  EXPECT_NEAR(t.store.entry.bpm, 120.0, 0.5);
  EXPECT_GT(t.store.data.v6, 100);
  // Beats are placed through the BlockTimeTable: the last one decoded lies
  // up to 5 s ahead of the heard point, at the start of the block where the
  // kernels' window opens, a little before the kick.
  const double last = double(t.store.data.v2) * kKickSeconds;
  EXPECT_GT(last, t.heardSeconds());
  EXPECT_LT(last, t.heardSeconds() + 5.1);
  const double early = -std::remainder(last - kFirstKick, kKickPeriod);
  EXPECT_GE(early, 0.0);
  EXPECT_LT(early, 0.05);
  EXPECT_GT(t.store.data.v1, 0.0f);
  EXPECT_LT(t.store.data.v1, t.store.data.v2);
}

TEST(BeatAnalyserDesk, BeatSearchesFindTheKicksAroundTheHeardPoint) {
  PlayingDesk t;
  t.files.put("k.wav", kickWav());
  ASSERT_TRUE(t.desk[0]->load("t", "a", "k.wav", nullptr));
  t.desk[0]->play();
  t.run(44100 * 6 + 5000);
  const double heard = t.heardSeconds();
  const int32_t next = t.desk[0]->nextBeatOffset();
  EXPECT_NEAR(next / 1225.0, toNextKick(heard), 0.03) << heard;
  // 0.2 s before the next kick, the nearest beat is that kick.
  const int32_t o = next - 245;
  EXPECT_NEAR(t.desk[0]->nearestBeatOffset(o), 245, 36);
  // 0.1 s after a kick, it is that kick, behind.
  EXPECT_NEAR(t.desk[0]->nearestBeatOffset(next + 122), -122, 36);

  // At normal speed each curve point covers 4 samples: the next kick shows
  // as a full-height point about next / 4 points on.
  std::vector<int32_t> curve(400);
  t.desk[0]->strengthCurve(curve.data(), 400, 100);
  const auto top = std::max_element(curve.begin(), curve.begin() + 150);
  EXPECT_GT(*top, 50);
  EXPECT_NEAR(double(top - curve.begin()), next / 4.0, 2.0);
}

TEST(BeatAnalyserDesk, BeatMeterRisesOnKicksAndRestsWhilePaused) {
  PlayingDesk t;
  t.files.put("k.wav", kickWav());
  ASSERT_TRUE(t.desk[0]->load("t", "a", "k.wav", nullptr));
  EXPECT_EQ(t.desk[0]->beatMeter(), 0);
  t.desk[0]->play();
  t.run(44100 * 4);
  int32_t high = 0, low = 4096;
  for (int i = 0; i < 100; ++i) {  // one second in 10 ms steps
    t.run(441);
    high = std::max(high, t.desk[0]->beatMeter());
    low = std::min(low, t.desk[0]->beatMeter());
  }
  EXPECT_GT(high, 2048);
  EXPECT_LE(high, 4096 + 4096 / 8);
  EXPECT_EQ(low, 0);  // it dies away between kicks
  t.desk[0]->pause();
  EXPECT_EQ(t.desk[0]->beatMeter(), 0);
}

TEST(BeatAnalyserDesk, SeekKeepsTheVoteAndLoadForgetsIt) {
  PlayingDesk t;
  t.files.put("k.wav", kickWav());
  ASSERT_TRUE(t.desk[0]->load("t", "a", "k.wav", nullptr));
  t.desk[0]->play();
  t.run(44100 * 3);
  const int32_t run = t.analyser().vote().runCount();
  ASSERT_GT(run, 50);
  t.desk[0]->stopAndSeek(0.5f);
  // The seek's first blocks (and those its refresh decoded) went in after the
  // clear: the lag sums start over, the vote still holds 120 and the run
  // goes on.
  EXPECT_EQ(t.analyser().lagSums().peak().value, 0);
  EXPECT_NEAR(t.analyser().tempo(), 120.0, 0.5);
  EXPECT_GT(t.analyser().vote().runCount(), run);
  EXPECT_LT(t.analyser().vote().runCount(), run + 10);
  t.desk[0]->play();
  t.run(44100 * 3);
  EXPECT_GT(t.analyser().vote().runCount(), run + 100);
  EXPECT_NEAR(t.store.entry.bpm, 120.0, 0.5);

  // A load starts the analysis afresh.
  t.files.put("quiet.wav", test::makeWav({}, std::vector<uint8_t>(44100 * 4 * 10, 0)));
  ASSERT_TRUE(t.desk[0]->load("t", "a", "quiet.wav", nullptr));
  EXPECT_EQ(t.store.released, 1);
  EXPECT_FLOAT_EQ(t.analyser().tempo(), 999.9f);
  EXPECT_EQ(t.analyser().vote().runCount(), 1);
}

}  // namespace
}  // namespace zarnel
