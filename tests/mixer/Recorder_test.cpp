// The recorder driven by hand: the test plays the audio thread (appendRt)
// and the writer thread (writeCycle) in turn, so each file can be read
// between two cycles.

#include "mixer/Recorder.h"

#include <gtest/gtest.h>

#include "mixer/RecordedWav.h"
#include "mixer/RecorderStatusText.h"
#include "platform/AudioThread.h"
#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel {
namespace {

using test::expectSignal;
using test::expectValidWav;
using test::readRecordedWav;
using test::recordedSignal;

constexpr int32_t kUpdateFrames = 441;  // what one cursor update hands over at 10 ms

struct RecorderRig {
  VirtualFileSystem files;
  Recorder recorder{files};
  int64_t fed = 0;  // signal frames handed to appendRt so far

  // Opens name and takes the start request (without autoStart).
  void open(const char* name, RecorderOptions options = {}) {
    ASSERT_TRUE(recorder.open(name, options));
    recorder.writeCycle();
  }
  // Hands the next frames of the signal over as the audio thread would.
  void feed(int64_t frames, int32_t perUpdate = kUpdateFrames) {
    const AudioThreadTag tag;
    while (frames > 0) {
      const int32_t n = int32_t(std::min<int64_t>(frames, perUpdate));
      const std::vector<int16_t> block = recordedSignal(fed, n);
      recorder.appendRt(block.data(), n);
      fed += n;
      frames -= n;
    }
  }
  test::RecordedWav wav(const std::string& name) const { return readRecordedWav(files.bytes(name)); }
};

TEST(RecorderWriting, FileHoldsEveryFrameAcrossRingWraps) {
  RecorderRig rig;
  rig.open("mix.wav");
  for (int32_t cycle = 0; cycle < 60; ++cycle) {  // 60 x 5 x 441 frames: the ring wraps 6 times
    rig.feed(5 * kUpdateFrames);
    rig.recorder.writeCycle();
  }
  EXPECT_TRUE(rig.recorder.stop());
  const test::RecordedWav w = rig.wav("mix.wav");
  expectValidWav(w);
  expectSignal(w.samples, 0, rig.fed);
  EXPECT_EQ(rig.recorder.status().droppedFrames, 0);
}

TEST(RecorderWriting, WaitsForABatchAndWritesTheTailAtStop) {
  RecorderRig rig;
  rig.open("mix.wav");
  rig.feed(kRecorderBatchFrames - 1);
  rig.recorder.writeCycle();
  EXPECT_EQ(rig.wav("mix.wav").dataSize, 0u);
  rig.feed(1);
  rig.recorder.writeCycle();
  EXPECT_EQ(rig.wav("mix.wav").dataSize, uint32_t(kRecorderBatchFrames) * 4);
  // Less than a batch at the end of a set still reaches the file.
  rig.feed(100);
  EXPECT_TRUE(rig.recorder.stop());
  const test::RecordedWav w = rig.wav("mix.wav");
  expectValidWav(w);
  expectSignal(w.samples, 0, kRecorderBatchFrames + 100);
  EXPECT_EQ(rig.recorder.status().totalFrames, kRecorderBatchFrames + 100);
  EXPECT_EQ(rig.recorder.status().phase, RecorderPhase::kStopped);
}

// A program that dies between two cycles leaves a file that plays.
TEST(RecorderWriting, FileIsValidAfterEveryBatch) {
  RecorderRig rig;
  rig.open("mix.wav");
  for (int32_t cycle = 1; cycle <= 4; ++cycle) {
    rig.feed(3000);
    rig.recorder.writeCycle();
    const test::RecordedWav w = rig.wav("mix.wav");
    expectValidWav(w);
    expectSignal(w.samples, 0, 3000 * cycle);
    EXPECT_EQ(rig.recorder.status().fileFrames, 3000 * cycle);
  }
}

TEST(RecorderWriting, StoppingAtOnceLeavesAnEmptyValidFile) {
  RecorderRig rig;
  ASSERT_TRUE(rig.recorder.open("mix", {}));
  EXPECT_TRUE(rig.recorder.stop());
  const test::RecordedWav w = rig.wav("mix.wav");
  expectValidWav(w);
  EXPECT_EQ(w.dataSize, 0u);
  EXPECT_TRUE(rig.recorder.stop());  // a second stop changes nothing
}

TEST(RecorderRing, FramesBeyondTheRingAreDroppedAndCounted) {
  RecorderRig rig;
  rig.open("mix.wav");
  rig.feed(30000);  // the writer is late: only the ring's 22050 frames wait
  EXPECT_EQ(rig.recorder.status().droppedFrames, 30000 - kRecorderRingFrames);
  rig.recorder.writeCycle();
  expectSignal(rig.wav("mix.wav").samples, 0, kRecorderRingFrames);
  // The ring takes frames again once the writer has caught up.
  rig.fed = kRecorderRingFrames;
  rig.feed(3000);
  rig.recorder.writeCycle();
  expectSignal(rig.wav("mix.wav").samples, 0, kRecorderRingFrames + 3000);
}

TEST(RecorderCut, CutsContinueInNumberedFilesWithoutLosingAFrame) {
  RecorderRig rig;
  rig.open("sets/mix.wav");
  rig.feed(5000);
  rig.recorder.requestCut();
  rig.recorder.writeCycle();
  EXPECT_EQ(rig.recorder.status().fileName, "sets/mix001.wav");
  EXPECT_EQ(rig.recorder.status().fileFrames, 0);
  rig.feed(2300);
  rig.recorder.writeCycle();
  rig.recorder.requestCut();
  rig.feed(1000);  // fewer than a batch: they go to the next file
  rig.recorder.writeCycle();
  rig.feed(700);
  EXPECT_TRUE(rig.recorder.stop());
  const test::RecordedWav first = rig.wav("sets/mix.wav"), second = rig.wav("sets/mix001.wav"),
                          third = rig.wav("sets/mix002.wav");
  expectValidWav(first);
  expectValidWav(second);
  expectValidWav(third);
  expectSignal(first.samples, 0, 5000);
  expectSignal(second.samples, 5000, 2300);
  expectSignal(third.samples, 7300, 1700);
  const RecorderStatus s = rig.recorder.status();
  EXPECT_EQ(s.fileFrames, 1700);
  EXPECT_EQ(s.totalFrames, 9000);
  EXPECT_FALSE(rig.files.exists("sets/mix003.wav"));
}

TEST(RecorderCut, AutoCutNumbersTheFirstFile) {
  RecorderRig rig;
  RecorderOptions options;
  options.autoCut = true;
  rig.open("Mix.WAV", options);
  EXPECT_TRUE(rig.files.exists("Mix000.wav"));
  rig.feed(2500);
  rig.recorder.requestCut();
  rig.recorder.writeCycle();
  EXPECT_TRUE(rig.recorder.stop());
  expectSignal(rig.wav("Mix000.wav").samples, 0, 2500);
  expectValidWav(rig.wav("Mix001.wav"));
  EXPECT_FALSE(rig.files.exists("Mix.wav"));
}

TEST(RecorderCut, LongFileContinuesInTheNextFileAtTheSizeLimit) {
  RecorderRig rig;
  RecorderOptions options;
  options.maxFileFrames = 3000;
  rig.open("mix.wav", options);
  rig.feed(7000);
  rig.recorder.writeCycle();
  EXPECT_TRUE(rig.recorder.stop());
  expectSignal(rig.wav("mix.wav").samples, 0, 3000);
  expectSignal(rig.wav("mix001.wav").samples, 3000, 3000);
  expectSignal(rig.wav("mix002.wav").samples, 6000, 1000);
  expectValidWav(rig.wav("mix002.wav"));
  EXPECT_FALSE(rig.files.exists("mix003.wav"));
}

TEST(RecorderStart, AutoStartRecordsNothingUntilADeskPlays) {
  RecorderRig rig;
  RecorderOptions options;
  options.autoStart = true;
  rig.open("mix.wav", options);
  EXPECT_EQ(rig.recorder.status().phase, RecorderPhase::kArmed);
  EXPECT_FALSE(rig.recorder.recording());
  rig.feed(3000);
  rig.recorder.requestCut();  // dropped: nothing records yet
  rig.recorder.writeCycle();
  EXPECT_EQ(rig.wav("mix.wav").dataSize, 0u);
  rig.recorder.requestStart();
  rig.recorder.writeCycle();
  EXPECT_EQ(rig.recorder.status().phase, RecorderPhase::kRecording);
  rig.feed(2500);
  rig.recorder.writeCycle();
  EXPECT_TRUE(rig.recorder.stop());
  expectSignal(rig.wav("mix.wav").samples, 3000, 2500);
  EXPECT_FALSE(rig.files.exists("mix001.wav"));  // the early cut was not kept for later
}

TEST(RecorderFailure, FileThatCannotBeCreatedLeavesTheErrorState) {
  RecorderRig rig;
  rig.files.put("mix.wav", {});
  rig.files.lockWrites("mix.wav", true);
  EXPECT_FALSE(rig.recorder.create("mix.wav", {}));
  EXPECT_EQ(rig.recorder.status().phase, RecorderPhase::kNoFile);
  EXPECT_FALSE(rig.recorder.recording());
  rig.feed(3000);
  rig.recorder.writeCycle();
  EXPECT_TRUE(rig.files.bytes("mix.wav").empty());
  EXPECT_EQ(recorderStatusText(rig.recorder.status(), {"rec %s", "wait %s", "** File Error **"}), "** File Error **");
}

TEST(RecorderFailure, FullDiskStopsRecordingAndKeepsAPlayableFile) {
  RecorderRig rig;
  rig.files.put("mix.wav", {});
  // Room for the header, one batch and its sizes, and half of the next batch.
  rig.files.failWritesAfter("mix.wav", 44 + 2500 * 4 + 44 + 1250 * 4);
  rig.open("mix.wav");
  rig.feed(2500);
  rig.recorder.writeCycle();
  rig.feed(2500);
  rig.recorder.writeCycle();
  RecorderStatus s = rig.recorder.status();
  EXPECT_EQ(s.phase, RecorderPhase::kWriteFailed);
  EXPECT_FALSE(rig.recorder.recording());
  EXPECT_EQ(s.totalFrames, 2500);
  rig.feed(5000);  // the audio thread goes on; nothing piles up
  rig.recorder.writeCycle();
  EXPECT_EQ(rig.recorder.status().droppedFrames, 0);
  EXPECT_FALSE(rig.recorder.stop());
  EXPECT_EQ(rig.recorder.status().phase, RecorderPhase::kWriteFailed);
  const test::RecordedWav w = rig.wav("mix.wav");
  EXPECT_TRUE(w.headerOk);
  EXPECT_EQ(w.dataSize, 2500u * 4);
  EXPECT_EQ(w.riffSize, 36u + 2500 * 4);
  expectSignal(w.samples, 0, 2500);
}

TEST(RecorderFailure, CutToAFileThatCannotBeCreatedStops) {
  RecorderRig rig;
  rig.files.put("mix001.wav", {});
  rig.files.lockWrites("mix001.wav", true);
  rig.open("mix.wav");
  rig.feed(2500);
  rig.recorder.requestCut();
  rig.recorder.writeCycle();
  const RecorderStatus s = rig.recorder.status();
  EXPECT_EQ(s.phase, RecorderPhase::kWriteFailed);
  EXPECT_EQ(s.fileName, "mix001.wav");
  EXPECT_FALSE(rig.recorder.stop());
  const test::RecordedWav w = rig.wav("mix.wav");
  expectValidWav(w);
  expectSignal(w.samples, 0, 2500);
}

}  // namespace
}  // namespace zarnel
