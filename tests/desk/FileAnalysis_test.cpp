#include "desk/FileAnalysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "desk/BeatAnalyser.h"
#include "library/DateStamp.h"
#include "library/TrackStore.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "support/BeatSignal.h"
#include "support/MpegStreams.h"
#include "support/OneEntryStore.h"
#include "support/RiffBuilder.h"
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

TEST(FileAnalysis, AFileThatDoesNotOpenIsSkippedWithItsReason) {
  Rig r;
  const std::string notAudio = ::testing::TempDir() + "not-audio.mp3";
  test::writeBytes(notAudio, std::vector<uint8_t>(4096, 0x55));  // the MPEG source reads the disk
  r.files.put("deep.wav", test::makeRawWav(test::pcmHeader(2, 44100, 24), std::vector<uint8_t>(6000, 1)));
  FileAnalysis analysis(r.files, &r.store);
  const FileAnalysisResult missing = analysis.analyseFile("missing.wav", r.progress);
  EXPECT_FALSE(missing.opened);
  EXPECT_EQ(missing.failure, OpenFailure::kNotFound);
  const FileAnalysisResult garbage = analysis.analyseFile(notAudio, r.progress);
  EXPECT_FALSE(garbage.opened);
  EXPECT_EQ(garbage.failure, OpenFailure::kNotSupported);
  EXPECT_EQ(analysis.analyseFile("deep.wav", r.progress).failure, OpenFailure::kWav24Bit);
  EXPECT_EQ(analysis.analyseFile(::testing::TempDir() + "gone.mp3", r.progress).failure, OpenFailure::kNotFound);
  EXPECT_EQ(r.store.acquired, 0);
  EXPECT_TRUE(r.progress.positions.empty());
  EXPECT_TRUE(r.progress.faults.empty());
  std::remove(notAudio.c_str());
}

// --- The same file, analysed again --------------------------------------------

constexpr int32_t kDay = dateStamp(2025, 3, 14);

// One run of the analysis tool: a store opened on files, every path analysed
// in turn by one analysis, the store closed. Return: the results.
std::vector<FileAnalysisResult> analyseRun(VirtualFileSystem& files, const std::vector<std::string>& paths,
                                           AnalysisProgress& progress) {
  TrackStore store(files, kDay);
  EXPECT_TRUE(store.open(""));
  std::vector<FileAnalysisResult> results;
  {
    FileAnalysis analysis(files, &store);
    for (const std::string& path : paths) results.push_back(analysis.analyseFile(path, progress));
  }
  store.close();
  return results;
}

std::vector<FileAnalysisResult> analyseRun(VirtualFileSystem& files, const std::vector<std::string>& paths) {
  AnalysisProgress progress;
  return analyseRun(files, paths, progress);
}

void expectSame(const FileAnalysisResult& a, const FileAnalysisResult& b, const std::string& what) {
  EXPECT_TRUE(a.opened && b.opened) << what;
  EXPECT_EQ(a.blocks, b.blocks) << what;
  EXPECT_EQ(a.tempo, b.tempo) << what;
  EXPECT_EQ(a.bpm, b.bpm) << what;
  EXPECT_EQ(a.firstBeat, b.firstBeat) << what;
  EXPECT_EQ(a.lastBeat, b.lastBeat) << what;
  EXPECT_EQ(a.level, b.level) << what;
}

const std::string kStoreFile = kTrackStoreFile;

// Kicks whose last beat the first run's closing search finds from 0.9, and a
// later run used to find again from where the first one put it, a few
// envelope samples off.
struct RepeatRig {
  RepeatRig() {
    put("a.wav", {120.0, 60.0, 0.5, 24000.0, Beat::kKick, 56.0});
    put("b.wav", {128.0, 40.0, 0.3, 20000.0, Beat::kClick, 38.0});
    put("c.wav", {100.0, 30.0, 1.0, 24000.0, Beat::kKick});
  }
  void put(const std::string& path, const BeatTrack& track) {
    files.put(path, test::makeWav({}, test::toBytes(test::beatTrack(track))));
  }
  VirtualFileSystem files;
};

TEST(FileAnalysisRepeat, TheSameWavAgainGivesTheSameBeatsAndLeavesTheStoreUntouched) {
  RepeatRig r;
  const std::vector<std::string> paths = {"a.wav", "b.wav", "c.wav"};
  const std::vector<FileAnalysisResult> first = analyseRun(r.files, paths);
  const std::vector<uint8_t> stored = r.files.bytes(kStoreFile);
  const int64_t written = r.files.bytesWritten(kStoreFile);
  ASSERT_FALSE(stored.empty());
  for (int run = 0; run < 2; ++run) {
    const std::vector<FileAnalysisResult> again = analyseRun(r.files, paths);
    for (size_t i = 0; i < paths.size(); ++i) expectSame(first[i], again[i], paths[i]);
    EXPECT_EQ(r.files.bytes(kStoreFile), stored);
    EXPECT_EQ(r.files.bytesWritten(kStoreFile), written) << "the store was rewritten";
  }
  // The next day only the date of last use changes, in place.
  TrackStore nextDay(r.files, kDay + 1);
  ASSERT_TRUE(nextDay.open(""));
  FileAnalysis analysis(r.files, &nextDay);
  AnalysisProgress progress;
  expectSame(analysis.analyseFile("a.wav", progress), first[0], "next day");
  nextDay.close();
  EXPECT_EQ(r.files.bytes(kStoreFile).size(), stored.size());
  EXPECT_NE(r.files.bytes(kStoreFile), stored);
}

TEST(FileAnalysisRepeat, WhatWasAnalysedBeforeChangesNothing) {
  RepeatRig r;
  FileAnalysis alone(r.files, nullptr);
  AnalysisProgress progress;
  const FileAnalysisResult a = alone.analyseFile("a.wav", progress);
  const FileAnalysisResult c = alone.analyseFile("c.wav", progress);
  FileAnalysis after(r.files, nullptr);
  after.analyseFile("b.wav", progress);
  expectSame(after.analyseFile("c.wav", progress), c, "c after b");
  expectSame(after.analyseFile("a.wav", progress), a, "a after b and c");
  expectSame(after.analyseFile("a.wav", progress), a, "a twice");
  // With a store, too: a store that knows b and c gives a the same beats.
  analyseRun(r.files, {"b.wav", "c.wav"});
  expectSame(analyseRun(r.files, {"a.wav"})[0], a, "a in a store of b and c");
}

TEST(FileAnalysisRepeat, AStoppedAnalysisKeepsTheStoredResults) {
  RepeatRig r;
  const FileAnalysisResult first = analyseRun(r.files, {"a.wav"})[0];
  const std::vector<uint8_t> stored = r.files.bytes(kStoreFile);
  Recorder stopper;
  stopper.stopAfter = 400;  // inside the tempo windows
  const FileAnalysisResult stopped = analyseRun(r.files, {"a.wav"}, stopper)[0];
  EXPECT_TRUE(stopped.stopped);
  EXPECT_EQ(stopped.firstBeat, first.firstBeat);
  EXPECT_EQ(stopped.lastBeat, first.lastBeat);
  EXPECT_EQ(stopped.bpm, first.bpm);
  EXPECT_EQ(r.files.bytes(kStoreFile), stored);
}

TEST(FileAnalysisRepeat, TheSameMpegStreamAgainGivesTheSameResults) {
  if (!test::haveMpegTestData()) GTEST_SKIP() << "no conformance streams at " << test::mpegTestData();
  VirtualFileSystem files;
  const std::string x = test::mpegTestData() + "/l3-he_44khz.bit";
  const std::string y = test::mpegTestData() + "/l3-si.bit";
  const std::vector<FileAnalysisResult> first = analyseRun(files, {x, y, x});
  ASSERT_TRUE(first[0].opened);
  EXPECT_GT(first[0].blocks, 100);
  expectSame(first[2], first[0], "x after y, same run");
  const std::vector<uint8_t> stored = files.bytes(kStoreFile);
  const int64_t written = files.bytesWritten(kStoreFile);
  const std::vector<FileAnalysisResult> again = analyseRun(files, {y, x});
  expectSame(again[0], first[1], "y");
  expectSame(again[1], first[0], "x");
  EXPECT_EQ(files.bytes(kStoreFile), stored);
  EXPECT_EQ(files.bytesWritten(kStoreFile), written);
}

}  // namespace
}  // namespace zarnel
