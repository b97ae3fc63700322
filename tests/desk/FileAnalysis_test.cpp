#include "desk/FileAnalysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "desk/BeatAnalyser.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "support/BeatSignal.h"
#include "support/OneEntryStore.h"
#include "support/WavBuilder.h"

namespace zarnel {
namespace {

using test::Beat;
using test::BeatTrack;

using CountingStore = test::OneEntryStore;

class Recorder : public AnalysisProgress {
 public:
  bool stopRequested() override { return stopAfter >= 0 && ++blocks >= stopAfter; }
  void blockDone(float position) override {
    if (throwAfter >= 0 && int(positions.size()) >= throwAfter) throw std::runtime_error("decoder fault");
    positions.push_back(position);
  }
  void fault(const std::string& message) override { faults.push_back(message); }

  int stopAfter = -1, throwAfter = -1, blocks = 0;
  std::vector<float> positions;
  std::vector<std::string> faults;
};

// Return: how long beatTrack makes a track of seconds (whole blocks). The
// source's length is its whole seconds; positions are fractions of this.
double durationOf(double seconds) { return double(int64_t(seconds * 44100.0) / 1152 * 1152) / 44100.0; }

struct Rig {
  void put(const std::string& path, const BeatTrack& track) {
    files.put(path, test::makeWav({}, test::toBytes(test::beatTrack(track))));
  }
  VirtualFileSystem files;
  CountingStore store;
  Recorder progress;
};

TEST(FileAnalysis, SteadyKicksGiveTempoFirstAndLastBeat) {
  Rig r;
  const double seconds = 60.0;
  r.put("kicks.WAV", {128.0, seconds, 0.5, 24000.0, Beat::kKick, 55.0});
  FileAnalysis analysis(r.files, &r.store);
  const FileAnalysisResult result = analysis.analyseFile("kicks.WAV", r.progress);
  ASSERT_TRUE(result.opened);
  EXPECT_FALSE(result.faulted);
  EXPECT_EQ(result.length, 59);
  EXPECT_NEAR(result.bpm, 128.0, 0.5);
  const double duration = durationOf(seconds);
  EXPECT_NEAR(result.firstBeat * duration, 0.5, 0.05);
  const double lastKick = 0.5 + std::floor((55.0 - 0.5) * 128.0 / 60.0) * 60.0 / 128.0;
  EXPECT_NEAR(result.lastBeat * duration, lastKick, 0.05);
  EXPECT_GT(result.level, 0);
  // The store's record was used and saved once with the results in it.
  EXPECT_EQ(r.store.lastPath, "kicks.WAV");
  EXPECT_GT(r.store.entry.sizeKey, 0);
  EXPECT_EQ(r.store.acquired, 1);
  EXPECT_EQ(r.store.released, 1);
  EXPECT_EQ(r.store.releasedBpm, result.bpm);
  EXPECT_EQ(r.store.data.v1, result.firstBeat);
  EXPECT_EQ(analysis.analyser().record(), nullptr);
}

TEST(FileAnalysis, FeedsThreeWindowsTheOpeningAndTheClosing) {
  Rig r;
  r.put("a.wav", {120.0, 60.0, 0.5, 24000.0, Beat::kKick, 45.0});
  const double duration = durationOf(60.0);
  FileAnalysis analysis(r.files, nullptr);
  const FileAnalysisResult result = analysis.analyseFile("a.wav", r.progress);
  ASSERT_TRUE(result.opened);
  const std::vector<float>& at = r.progress.positions;
  ASSERT_EQ(int32_t(at.size()), result.blocks);
  // Each window is 304 blocks from its start.
  for (int32_t w = 0; w < 3; ++w) {
    const float start = FileAnalysis::kWindowStarts[w];
    EXPECT_NEAR(at[size_t(w * 304)], start, 0.001) << w;
    EXPECT_NEAR(at[size_t(w * 304 + 303)], start + 304 * 1152 / 44100.0 / duration, 0.001) << w;
  }
  // Then from the start until a beat earlier than the windows' turned up...
  EXPECT_LT(at[912], 0.001);
  size_t i = 912;
  while (i < at.size() && at[i] < 0.5f) ++i;
  EXPECT_LT(at[i - 1] * duration, 0.5 + 0.5);
  // ...and from 0.9 (the last beat lies before it) to the end of the file.
  EXPECT_NEAR(at[i], 0.9, 0.001);
  EXPECT_NEAR(at.back(), 1.0, 0.001);
  EXPECT_NEAR(result.lastBeat * duration, 45.0, 0.05);  // found by the window at 0.7
}

TEST(FileAnalysis, ClosingStopsOneAndAHalfSecondsAfterANewLastBeat) {
  Rig r;
  r.put("a.wav", {120.0, 60.0, 0.5, 24000.0, Beat::kKick, 56.0});
  FileAnalysis analysis(r.files, nullptr);
  const FileAnalysisResult result = analysis.analyseFile("a.wav", r.progress);
  const double duration = durationOf(60.0);
  EXPECT_NEAR(result.lastBeat * duration, 56.0, 0.05);
  // Seconds count by the source's whole-second length (59).
  EXPECT_NEAR(r.progress.positions.back(), result.lastBeat + 1.5 / 59.0, 0.001);
}

TEST(FileAnalysis, OpeningSearchEndsAtThreeTenthsOfTheTrack) {
  Rig r;
  r.put("late.wav", {120.0, 60.0, 25.0});  // silent until 25 s (0.42 of the track)
  FileAnalysis analysis(r.files, nullptr);
  const FileAnalysisResult result = analysis.analyseFile("late.wav", r.progress);
  // Found by the window at 0.3: the first kick, or the second when the kernel
  // selected after the first responds past 1.5 times as strongly.
  EXPECT_GT(result.firstBeat * durationOf(60.0), 24.95);
  EXPECT_LT(result.firstBeat * durationOf(60.0), 25.55);
  float furthestOpening = 0.0f;
  for (size_t i = 912; i < r.progress.positions.size() && r.progress.positions[i] < 0.5f; ++i)
    furthestOpening = r.progress.positions[i];
  EXPECT_NEAR(furthestOpening, 0.3, 0.001);
}

TEST(FileAnalysis, SilenceLeavesNoBpm) {
  Rig r;
  r.files.put("quiet.wav", test::makeWav({}, std::vector<uint8_t>(44100 * 4 * 20, 0)));
  FileAnalysis analysis(r.files, &r.store);
  const FileAnalysisResult result = analysis.analyseFile("quiet.wav", r.progress);
  ASSERT_TRUE(result.opened);
  EXPECT_FLOAT_EQ(result.tempo, 999.9f);
  EXPECT_EQ(result.bpm, 0.0f);
  EXPECT_EQ(r.store.data.v6, 0);
  EXPECT_EQ(r.store.released, 1);
}

TEST(FileAnalysis, TypedBpmSurvives) {
  Rig r;
  r.put("a.wav", {120.0, 30.0});
  r.store.entry.bpm = 133.0f;
  r.store.data.v6 = kUserBpmLock;
  FileAnalysis analysis(r.files, &r.store);
  const FileAnalysisResult result = analysis.analyseFile("a.wav", r.progress);
  EXPECT_NEAR(result.tempo, 120.0, 0.5);
  EXPECT_EQ(result.bpm, 133.0f);
  EXPECT_EQ(r.store.data.v6, kUserBpmLock);
}

TEST(FileAnalysis, StopEndsTheFileAfterTheCurrentBlock) {
  Rig r;
  r.put("a.wav", {120.0, 30.0});
  r.progress.stopAfter = 5;
  FileAnalysis analysis(r.files, &r.store);
  const FileAnalysisResult result = analysis.analyseFile("a.wav", r.progress);
  EXPECT_TRUE(result.stopped);
  EXPECT_EQ(result.blocks, 5);
  EXPECT_EQ(r.progress.positions.size(), 4u);  // the stopping block dispatches nothing
  EXPECT_EQ(r.store.released, 1);
  // The next file starts afresh.
  r.progress.stopAfter = -1;
  EXPECT_FALSE(analysis.analyseFile("a.wav", r.progress).stopped);
}

TEST(FileAnalysis, AFaultShowsTheFileAndReleasesTheEntry) {
  Rig r;
  r.put("bad.wav", {120.0, 30.0});
  r.progress.throwAfter = 10;
  FileAnalysis analysis(r.files, &r.store);
  const FileAnalysisResult result = analysis.analyseFile("bad.wav", r.progress);
  EXPECT_TRUE(result.faulted);
  EXPECT_EQ(r.progress.faults, std::vector<std::string>{"Fatal error in file bad.wav"});
  EXPECT_EQ(r.store.released, 1);
}

TEST(FileAnalysis, AFileThatDoesNotOpenIsSkipped) {
  Rig r;
  r.files.put("not-audio.mp3", std::vector<uint8_t>(4096, 0x55));
  FileAnalysis analysis(r.files, &r.store);
  EXPECT_FALSE(analysis.analyseFile("missing.wav", r.progress).opened);
  EXPECT_FALSE(analysis.analyseFile("not-audio.mp3", r.progress).opened);
  EXPECT_EQ(r.store.acquired, 0);
  EXPECT_TRUE(r.progress.positions.empty());
  EXPECT_TRUE(r.progress.faults.empty());
}

}  // namespace
}  // namespace zarnel
