// Desks reading ahead on their reader threads while the disk or the CD
// drive stalls: the audio loop, driven here by hand on the virtual sound
// card and tagged as the audio thread, never waits and never reads.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

#include "app/FatalError.h"
#include "app/Settings.h"
#include "desk/Desk.h"
#include "mixer/MixerState.h"
#include "mixer/OutputEngines.h"
#include "platform/AudioThread.h"
#include "platform/virtual/VirtualCdAccess.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualReadStall.h"
#include "platform/virtual/VirtualSoundSystem.h"
#include "platform/virtual/VirtualThreadControl.h"
#include "support/RiffBuilder.h"
#include "support/WavBuilder.h"

namespace zarnel {
namespace {

constexpr int32_t kQuadMode = 8;  // one four-channel card: desk 1 on 0-1, desk 2 on 2-3
// Tones with no whole number of periods in a second, so that a repeated
// stretch of any ring shows as a jump.
constexpr double kTones[4] = {1031, 1543, 3079, 4127};
constexpr double kAmplitude = 8000;
constexpr int32_t kTrackFrames = 44100 * 30;
constexpr int32_t kStep = 256;  // frames per pass of the audio loop

// Desk 1 plays a WAV file from the virtual disk, desk 2 a track of the
// virtual CD in D:, both through the quad engine with the equaliser off.
class ReaderThreadStalls : public ::testing::Test {
 protected:
  ReaderThreadStalls() {
    settings().resetToDefaults();
    settings().equalizer = 0;
    clearFatalError();
    sound.addCard("quad");
    files.put("one.wav", test::makeWav({}, test::toBytes(test::stereoSine(kTrackFrames, kTones[0], kTones[1], kAmplitude))));
    cd.insertDisc('D', test::toBytes(test::stereoSine(kTrackFrames, kTones[2], kTones[3], kAmplitude)));
    files.put("D:\\Track01.cda", test::makeCda({.startSector = 0, .sectors = uint32_t(kTrackFrames / 588)}));
    files.stallReads("one.wav", &diskStall);
    cd.setStall(&cdStall);
    PlatformServices services;
    services.files = &files;
    services.sound = &sound;
    services.threads = &threads;
    services.cd = &cd;
    DeskLinks links;
    links.services = services;
    for (int32_t d = 0; d < 2; ++d) desk[d] = std::make_unique<Desk>(d, links);
    engine = createOutputEngine(kQuadMode, *desk[0], *desk[1]);
    opened = engine->open(services);
    for (auto& d : desk) d->setEngine(engine.get());
    mixer.attach(engine.get(), nullptr);
    mixer.sendAll();
    for (auto& d : desk) d->startReader();
  }
  ~ReaderThreadStalls() override {
    diskStall.release();
    cdStall.release();
    for (auto& d : desk) {
      d->stopReader();
      d->setEngine(nullptr);
    }
  }

  void loadAndPlay() {
    ASSERT_TRUE(opened);
    ASSERT_TRUE(desk[0]->load("one", "", "one.wav", nullptr));
    ASSERT_TRUE(desk[1]->load("cd", "", "D:\\Track01.cda", nullptr));
    mixer.setCrossfaderMode(1);
    desk[0]->play();
    desk[1]->play();
  }

  // Runs the audio loop while the card plays frames; the stalls' clocks move
  // with the card's. After each pass the readers catch up (or sit in a
  // stall), so the outcome depends on the clocks alone.
  void run(int32_t frames) {
    for (; frames > 0; frames -= kStep) {
      sound.advance(kStep);
      playedFrames += kStep;
      const int64_t ms = playedFrames * 1000 / 44100;
      diskStall.advance(ms - clockMs);
      cdStall.advance(ms - clockMs);
      clockMs = ms;
      {
        const AudioThreadTag tag;
        engine->updateCursorsRt();
        desk[0]->serviceRt();
        desk[1]->serviceRt();
        engine->mixRt();
      }
      waitForReaders();
    }
  }

  void waitForReaders() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!(desk[0]->readerSettledRt() || diskStall.waiting() > 0) ||
           !(desk[1]->readerSettledRt() || cdStall.waiting() > 0)) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "a reader never settled";
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
  }

  // Return: what each of the card's four channels played.
  std::vector<std::vector<int16_t>> channels() const {
    std::vector<std::vector<int16_t>> out;
    for (const VirtualSoundDevice* device : sound.openDevices())
      for (const VirtualSoundBuffer* buffer : device->buffers()) {
        const int32_t n = buffer->channels();
        const auto& rec = buffer->recorded();
        for (int32_t c = 0; c < n; ++c) {
          std::vector<int16_t> mono;
          for (size_t i = size_t(c); i < rec.size(); i += size_t(n)) mono.push_back(rec[i]);
          out.push_back(std::move(mono));
        }
      }
    return out;
  }
  void clearRecorded() {
    for (VirtualSoundDevice* device : sound.openDevices())
      for (VirtualSoundBuffer* buffer : device->buffers()) buffer->clearRecorded();
  }

  VirtualReadStall diskStall, cdStall;
  VirtualFileSystem files;
  VirtualSoundSystem sound;
  VirtualThreadControl threads;
  VirtualCdAccess cd;
  std::unique_ptr<Desk> desk[2];
  std::unique_ptr<OutputEngine> engine;
  MixerState mixer;
  bool opened = false;
  int64_t playedFrames = 0;
  int64_t clockMs = 0;
};

// Return: the first frame from `from` on where mono stops being one
// unbroken sine of freq at kAmplitude (a gap, a jump, a repeat or silence),
// or -1. A sine obeys x[n+1] = 2 cos(w) x[n] - x[n-1]; rounding leaves a few
// units, a broken one thousands.
int64_t firstGlitch(const std::vector<int16_t>& mono, double freq, size_t from) {
  const double c = 2 * std::cos(2 * M_PI * freq / 44100.0);
  for (size_t n = from + 1; n + 1 < mono.size(); ++n) {
    if (std::fabs(mono[n + 1] - c * mono[n] + mono[n - 1]) > 40) return int64_t(n);
  }
  for (size_t at = from; at + 441 <= mono.size(); at += 441) {
    int32_t peak = 0;
    for (size_t i = at; i < at + 441; ++i) peak = std::max(peak, std::abs(int32_t(mono[i])));
    if (peak < kAmplitude * 0.95) return int64_t(at);
  }
  return -1;
}

TEST_F(ReaderThreadStalls, TheDecodeRingCarriesBothDesksThroughStalledReads) {
  loadAndPlay();
  run(44100 * 2);  // the decode rings fill
  ASSERT_TRUE(desk[0]->playing());
  ASSERT_TRUE(desk[1]->playing());
  clearRecorded();
  const float before = desk[0]->position();
  // Every read of desk 1's file now takes 3 s; the CD's next read takes 2 s.
  diskStall.stallFor(3000);
  cdStall.stallNextRead(2000);
  run(44100 * 4);
  EXPECT_GT(diskStall.stalledReads(), 0) << "desk 1's reader never met the stall";
  EXPECT_EQ(cdStall.stalledReads(), 1);
  EXPECT_EQ(desk[0]->status(), kStatusLoaded);
  EXPECT_EQ(desk[1]->status(), kStatusLoaded);
  run(44100 * 2);
  const auto played = channels();
  ASSERT_EQ(played.size(), 4u);
  ASSERT_GE(played[0].size(), size_t(44100 * 6));
  for (int32_t c = 0; c < 4; ++c)
    EXPECT_EQ(firstGlitch(played[size_t(c)], kTones[c], 0), -1) << "channel " << c;
  // Desk 1 went on from where it was: six seconds further into the track.
  EXPECT_NEAR(desk[0]->position() - before, 6.0f / 30.0f, 0.002f);
  EXPECT_TRUE(desk[0]->playing());
}

// A stall longer than the read-ahead holds: the desk lives on its decode
// ring, says so in its status after the grace, and is back to normal when
// the reads return, without a gap on either desk.
TEST_F(ReaderThreadStalls, ALateReaderShowsInTheStatusWhileTheDecodeRingCarriesTheDesk) {
  loadAndPlay();
  run(44100 * 2);
  clearRecorded();
  diskStall.stallFor(6000);
  run(44100 * 5);
  EXPECT_EQ(desk[0]->status(), kStatusSourceLate);
  EXPECT_EQ(desk[1]->status(), kStatusLoaded);
  run(44100 * 3);  // the reads return at 6 s
  EXPECT_EQ(desk[0]->status(), kStatusLoaded);
  const auto played = channels();
  ASSERT_EQ(played.size(), 4u);
  for (int32_t c = 0; c < 4; ++c)
    EXPECT_EQ(firstGlitch(played[size_t(c)], kTones[c], 0), -1) << "channel " << c;
}

// A load whose first read stalls: the desk shows its start position at
// once, and plays from exactly there when the data arrives.
TEST_F(ReaderThreadStalls, ALoadTakesEffectWhenItsDataArrives) {
  ASSERT_TRUE(opened);
  cdStall.stallNextRead(2000);
  ASSERT_TRUE(desk[1]->load("cd", "", "D:\\Track01.cda", nullptr));
  EXPECT_EQ(desk[1]->position(), 0.0f);
  desk[1]->play();
  run(44100);
  EXPECT_EQ(desk[1]->position(), 0.0f) << "the desk moved before its data came";
  run(44100 * 2);
  EXPECT_GT(desk[1]->position(), 0.0f);
  EXPECT_EQ(cdStall.stalledReads(), 1);
}

}  // namespace
}  // namespace zarnel
