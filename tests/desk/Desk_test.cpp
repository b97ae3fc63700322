#include "desk/Desk.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/Settings.h"
#include "desk/DeskEngine.h"
#include "support/WavBuilder.h"
#include "support/mix/IndexRamp.h"
#include "support/mix/MixHarness.h"

namespace zarnel {
namespace {

using test::frameIndex;
using test::indexRamp;

class CountingEngine : public DeskEngine {
 public:
  void deskStarted(int32_t) override { ++started; }
  void deskStopped(int32_t) override { ++stopped; }
  void invalidate(int32_t) override { ++invalidated; }
  bool deskMoved(int32_t, int32_t, int32_t) override { return true; }
  int started = 0, stopped = 0, invalidated = 0;
};

struct LoneDesk {
  LoneDesk() {
    settings().resetToDefaults();
    DeskLinks links;
    links.services.files = &files;
    links.poster = &poster;
    desk = std::make_unique<Desk>(0, links);
    desk->setEngine(&engine);
  }
  VirtualFileSystem files;
  test::RecordingPoster poster;
  CountingEngine engine;
  std::unique_ptr<Desk> desk;
};

TEST(Desk, ConstructedEmpty) {
  LoneDesk t;
  EXPECT_EQ(t.desk->position(), -1.0f);
  EXPECT_EQ(t.desk->length(), -1);
  EXPECT_EQ(t.desk->pitch(), 4096);
  EXPECT_EQ(t.desk->status(), kStatusNothingLoaded);
  EXPECT_EQ(t.desk->unfilled(), kDecodeRingFrames);
  EXPECT_EQ(t.desk->resampler().requirement(), 5846);
  EXPECT_EQ(t.desk->play(), kRefused);
  EXPECT_EQ(t.desk->pause(), kRefused);
  EXPECT_EQ(t.desk->refresh(), kRefused);
  t.desk->serviceRt();  // unloaded: nothing decodes
  EXPECT_EQ(t.desk->writeIndex(), 0);
}

TEST(Desk, LoadPicksTheSourceByTheEndingWithoutRegardToCase) {
  LoneDesk t;
  auto wav = test::makeWav({}, test::toBytes(indexRamp(44100)));
  t.files.put("a.WAV", wav);
  t.files.put("b.ASF", wav);
  t.files.put("c.mp3", wav);
  EXPECT_TRUE(t.desk->load("t", "a", "a.WAV", nullptr));
  EXPECT_EQ(t.desk->status(), kStatusLoaded);
  EXPECT_EQ(t.desk->length(), 1);
  EXPECT_EQ(t.desk->position(), 0.0f);
  // A WAV file named as Windows Media or MPEG goes to those readers, which
  // refuse it here: the desk shows the open failure and stays empty.
  EXPECT_FALSE(t.desk->load("t", "a", "b.ASF", nullptr));
  EXPECT_EQ(t.desk->status(), kStatusBadFile);
  EXPECT_EQ(t.desk->position(), -1.0f);
  EXPECT_EQ(t.desk->length(), -1);
  EXPECT_EQ(t.desk->play(), kRefused);
  EXPECT_FALSE(t.desk->load("t", "a", "c.mp3", nullptr));
  EXPECT_FALSE(t.desk->load("t", "a", "missing.wav", nullptr));
  EXPECT_EQ(t.desk->status(), kStatusBadFile);
  // A disc path without a track store to resolve it: the disc is missing.
  EXPECT_FALSE(t.desk->load("t", "a", "Disc=3", nullptr));
  EXPECT_EQ(t.desk->status(), kStatusNoDisc);
}

TEST(Desk, AFailedLoadTellsWhyTheFileDidNotOpen) {
  LoneDesk t;
  EXPECT_EQ(t.desk->openFailure(), OpenFailure::kNone);
  test::WavSpec floats;
  floats.formatTag = 3;
  t.files.put("float.wav", test::makeWav(floats, std::vector<uint8_t>(8000, 0)));
  t.files.put("good.wav", test::makeWav({}, test::toBytes(indexRamp(44100))));
  EXPECT_FALSE(t.desk->load("t", "a", "float.wav", nullptr));
  EXPECT_EQ(t.desk->openFailure(), OpenFailure::kWavFloat);
  EXPECT_FALSE(t.desk->load("t", "a", "missing.wav", nullptr));
  EXPECT_EQ(t.desk->openFailure(), OpenFailure::kNotFound);
  EXPECT_FALSE(t.desk->load("t", "a", "Disc=3", nullptr));
  EXPECT_EQ(t.desk->openFailure(), OpenFailure::kDiscMissing);
  EXPECT_TRUE(t.desk->load("t", "a", "good.wav", nullptr));
  EXPECT_EQ(t.desk->openFailure(), OpenFailure::kNone);
}

TEST(Desk, SeekStartsExactlyAtThePosition) {
  LoneDesk t;
  settings().masterTempo = 0;
  t.files.put("a.wav", test::makeWav({}, test::toBytes(indexRamp(441000))));
  ASSERT_TRUE(t.desk->load("t", "a", "a.wav", nullptr));
  EXPECT_EQ(frameIndex(t.desk->outputRing().frames), 0);  // load at cue 0.0: first frame
  for (float x : {0.37f, 0.5f, 0.99f, 0.0001f}) {
    t.desk->stopAndSeek(x);
    EXPECT_EQ(t.desk->position(), x);
    for (int i = 0; i < 4; ++i) t.desk->serviceRt();  // near the end, silence fills the input
    const DeskOutputRing& out = t.desk->outputRing();
    int32_t expected = int32_t(x * 441000.0f);
    EXPECT_NEAR(frameIndex(out.frames + 2 * out.heardIndex), expected, 1) << x;
    EXPECT_NEAR(frameIndex(t.desk->decodeRing() + 2 * t.desk->playIndex()), expected, 1) << x;
  }
  t.desk->stopAndSeek(1.0f);
  EXPECT_EQ(t.desk->position(), -1.0f);
  EXPECT_FALSE(t.desk->playing());
  EXPECT_EQ(t.desk->play(), kRefused);
}

TEST(Desk, SetPitchWithTheSameValueSendsNothing) {
  LoneDesk t;
  t.files.put("a.wav", test::makeWav({}, test::toBytes(indexRamp(441000))));
  ASSERT_TRUE(t.desk->load("t", "a", "a.wav", nullptr));
  ASSERT_EQ(t.desk->play(), 0);
  EXPECT_EQ(t.engine.started, 1);
  int before = t.engine.invalidated;
  t.desk->setPitch(4096);
  EXPECT_EQ(t.engine.invalidated, before);
  t.desk->setPitch(4300);  // another value refreshes: heard at once
  EXPECT_EQ(t.desk->pitch(), 4300);
  EXPECT_EQ(t.engine.invalidated, before + 1);
  EXPECT_EQ(t.desk->resampler().requirement(), 5846);
  t.desk->setPitch(5489);
  EXPECT_EQ(t.desk->resampler().requirement(), 5489 * 3088 / 4096 + 2246);
}

TEST(Desk, PausedDeskKeepsItsRingsFullWithoutDecodingAgain) {
  LoneDesk t;
  t.files.put("a.wav", test::makeWav({}, test::toBytes(indexRamp(441000))));
  ASSERT_TRUE(t.desk->load("t", "a", "a.wav", nullptr));
  for (int i = 0; i < 400; ++i) t.desk->serviceRt();
  // Decoding stops once fewer than 74880 frames lie before the play index.
  EXPECT_EQ(t.desk->writeIndex(), kDecodeRingFrames - kDecodeGate + kBlockFrames);
  const int32_t decoded = t.desk->writeIndex();
  const int32_t resampled = t.desk->outputRing().writeIndex;
  for (int i = 0; i < 5; ++i) {
    t.desk->play();
    t.desk->pause();
    t.desk->serviceRt();
  }
  EXPECT_EQ(t.desk->writeIndex(), decoded);
  EXPECT_EQ(t.desk->outputRing().writeIndex, resampled);
  EXPECT_EQ(t.engine.started, 5);
  EXPECT_EQ(t.engine.stopped, 5);
}

TEST(Desk, LoadingWhilePlayingStopsFirstAndStartsPaused) {
  LoneDesk t;
  t.files.put("a.wav", test::makeWav({}, test::toBytes(indexRamp(88200))));
  ASSERT_TRUE(t.desk->load("t", "a", "a.wav", nullptr));
  t.desk->play();
  ASSERT_TRUE(t.desk->playing());
  ASSERT_TRUE(t.desk->load("u", "b", "a.wav", nullptr));
  EXPECT_FALSE(t.desk->playing());
  EXPECT_EQ(t.engine.stopped, 1);
  EXPECT_EQ(t.desk->position(), 0.0f);
  EXPECT_EQ(t.desk->title(), "u");
}

TEST(Desk, EndOfFilePostsTrackEndedOnce) {
  test::MixHarness h;
  settings().masterTempo = 0;
  h.addWav("a.wav", indexRamp(2 * 44100 + 500));
  ASSERT_TRUE(h.load(0, "a.wav"));
  h.desk[0]->play();
  h.run(5 * 44100);
  EXPECT_EQ(h.poster.count(kMsgTrackEnded), 1);
  EXPECT_EQ(h.poster.messages.at(0).wparam, 0);
  EXPECT_FALSE(h.desk[0]->playing());
  EXPECT_EQ(h.desk[0]->position(), -1.0f);
  EXPECT_EQ(h.desk[0]->cueCycle(), 0);
  EXPECT_EQ(h.desk[0]->play(), kRefused);
  h.run(44100);
  EXPECT_EQ(h.poster.count(kMsgTrackEnded), 1);
  // A seek revives the desk.
  h.desk[0]->stopAndSeek(0.0f);
  EXPECT_EQ(h.desk[0]->play(), 0);
}

TEST(Desk, ReadErrorShowsTheStatusAndEndsTheTrack) {
  test::MixHarness h;
  auto wav = test::makeWav({}, test::toBytes(indexRamp(10 * 44100)));
  h.files.put("a.wav", wav);
  h.files.failReadsAfter("a.wav", int64_t(wav.size() / 4));
  ASSERT_TRUE(h.load(0, "a.wav"));
  h.desk[0]->play();
  h.run(6 * 44100);
  EXPECT_EQ(h.desk[0]->status(), kStatusReadError);
  EXPECT_EQ(h.poster.count(kMsgTrackEnded), 1);
  EXPECT_EQ(h.desk[0]->position(), -1.0f);
}

TEST(Desk, MailboxHandsCommandsToTheAudioThread) {
  test::MixHarness h;
  h.addWav("a.wav", indexRamp(10 * 44100));
  for (auto& d : h.desk) d->setServiced(true);
  std::atomic<bool> stop{false};
  std::thread audio([&] {
    while (!stop.load()) {
      h.desk[0]->serviceRt();
      h.desk[1]->serviceRt();
      std::this_thread::yield();
    }
  });
  EXPECT_TRUE(h.load(0, "a.wav"));
  EXPECT_EQ(h.desk[0]->play(), 0);
  EXPECT_TRUE(h.desk[0]->playing());  // complete when the call returns
  h.desk[0]->setPitch(4505);
  EXPECT_EQ(h.desk[0]->pitch(), 4505);
  h.desk[0]->stopAndSeek(0.25f);
  EXPECT_FALSE(h.desk[0]->playing());
  EXPECT_EQ(h.desk[0]->position(), 0.25f);
  stop = true;
  audio.join();
  for (auto& d : h.desk) d->setServiced(false);
}

}  // namespace
}  // namespace zarnel
