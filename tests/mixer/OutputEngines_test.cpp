#include "mixer/OutputEngines.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "app/FatalError.h"
#include "app/Settings.h"
#include "support/mix/EngineRig.h"

namespace zarnel {
namespace {

using test::EngineRig;

constexpr double F = 8000, H = 4000, Q = 2000;

// Amplitudes of 1 kHz, 1.5 kHz (desk 1 left, right), 3 kHz, 4 kHz (desk 2).
struct Tones {
  double a[4];
};

struct ModeCase {
  int32_t mode;
  std::vector<Tones> channels;  // card, buffer, channel order
  Tones recordLeft, recordRight;
};

const Tones kMasterL{{F, 0, F, 0}}, kMasterR{{0, F, 0, F}};
const Tones kPhonesL{{F, 0, H, 0}}, kPhonesR{{0, F, 0, H}};  // preview desk 1, "Preview" 2048
const Tones kDesk1L{{F, 0, 0, 0}}, kDesk1R{{0, F, 0, 0}}, kDesk2L{{0, 0, F, 0}}, kDesk2R{{0, 0, 0, F}};

const ModeCase kModes[] = {
    {0, {kMasterL, kMasterR}, kMasterL, kMasterR},
    {1, {{{H, H, H, H}}, {{H, H, Q, Q}}}, {{H, H, H, H}}, {{H, H, H, H}}},
    {2, {kMasterL, kMasterR, kPhonesL, kPhonesR}, kMasterL, kMasterR},
    {3, {kMasterL, kMasterR, kPhonesL, kPhonesR}, kMasterL, kMasterR},
    {4, {kMasterL, kMasterR, kPhonesL, kPhonesR}, kMasterL, kMasterR},
    {5, {{{H, H, 0, 0}}, {{0, 0, H, H}}}, {{F, F, 0, 0}}, {{F, F, 0, 0}}},
    {6, {kDesk1L, kDesk1R, kDesk2L, kDesk2R}, kMasterL, kMasterR},
    {7, {kDesk1L, kDesk1R, kDesk2L, kDesk2R}, kMasterL, kMasterR},
    {8, {kDesk1L, kDesk1R, kDesk2L, kDesk2R}, kMasterL, kMasterR},
};

void expectTones(const std::vector<int16_t>& mono, const Tones& want, const std::string& what) {
  const size_t from = mono.size() - 22050;
  for (int t = 0; t < 4; ++t)
    EXPECT_NEAR(test::amplitude(mono, EngineRig::kFrequencies[t], from), want.a[t], 60)
        << what << ", " << EngineRig::kFrequencies[t] << " Hz";
}

// Keeps every frame the engine hands to the recorder.
struct CaptureSink : RecordSink {
  void appendRt(const int16_t* frames, int32_t count) override {
    ++updates;
    stereo.insert(stereo.end(), frames, frames + size_t(count) * 2);
  }
  void deskStarted() override { ++starts; }
  std::vector<int16_t> channel(int32_t c) const {
    std::vector<int16_t> out;
    for (size_t i = size_t(c); i < stereo.size(); i += 2) out.push_back(stereo[i]);
    return out;
  }
  std::vector<int16_t> stereo;
  int32_t updates = 0;
  int32_t starts = 0;
};

TEST(OutputEngines, EveryModeRoutesAndRecordsAsItsTableSays) {
  for (const ModeCase& c : kModes) {
    EngineRig rig;
    rig.sound.addCard("first");
    rig.sound.addCard("second");
    ASSERT_TRUE(rig.open(c.mode)) << c.mode;
    EXPECT_STREQ(outputEngineName(c.mode), outputEngineName(c.mode));
    CaptureSink sink;
    rig.engine->attachRecorder(&sink);
    rig.mixer.setPreview(2048);
    rig.playBoth();
    rig.run(44100 * 3 / 2);
    const auto channels = rig.channels();
    ASSERT_EQ(channels.size(), c.channels.size()) << "mode " << c.mode;
    for (size_t i = 0; i < channels.size(); ++i)
      expectTones(channels[i], c.channels[i], "mode " + std::to_string(c.mode) + " output " + std::to_string(i));
    expectTones(sink.channel(0), c.recordLeft, "mode " + std::to_string(c.mode) + " record L");
    expectTones(sink.channel(1), c.recordRight, "mode " + std::to_string(c.mode) + " record R");
    EXPECT_EQ(sink.starts, 2) << "mode " << c.mode;  // both desks started
    rig.engine->attachRecorder(nullptr);
  }
}

TEST(OutputEngines, TheRecorderGetsExactlyWhatTheCardPlayed) {
  EngineRig rig;
  rig.sound.addCard("first");
  ASSERT_TRUE(rig.open(0));
  CaptureSink sink;
  rig.engine->attachRecorder(&sink);
  rig.playBoth();
  rig.run(44100);
  const std::vector<int16_t>& played = rig.sound.openDevices().at(0)->buffers().at(0)->recorded();
  ASSERT_GT(sink.stereo.size(), 44100u);
  EXPECT_TRUE(played == sink.stereo) << played.size() << " played, " << sink.stereo.size() << " recorded";
  EXPECT_GT(sink.updates, 0);
  rig.engine->attachRecorder(nullptr);
}

TEST(OutputEngines, ModeTableAndHardwarePinned) {
  EXPECT_EQ(outputModeFor({0, 0, false}), 0);
  EXPECT_EQ(outputModeFor({0, 1, false}), 1);
  EXPECT_EQ(outputModeFor({2, 1, false}), 2);
  EXPECT_EQ(outputModeFor({1, 1, true}), 3);
  EXPECT_EQ(outputModeFor({1, 1, false}), 4);
  EXPECT_EQ(outputModeFor({0, 2, false}), 5);
  EXPECT_EQ(outputModeFor({2, 2, false}), 6);
  EXPECT_EQ(outputModeFor({1, 2, true}), 7);
  EXPECT_EQ(outputModeFor({1, 2, false}), 8);
  EXPECT_EQ(outputModeFor({2, 0, false}), -1);  // not in the table: refused
  EXPECT_EQ(outputModeFor({0, 0, true}), -1);
  EXPECT_STREQ(outputEngineName(9), "SingleCardMasterEngine");
  EXPECT_STREQ(outputEngineName(-1), "SingleCardMasterEngine");
  EXPECT_STREQ(outputEngineName(3), "Soft3DCueEngine");

  EngineRig quad;
  quad.sound.addCard("quad");
  ASSERT_TRUE(quad.open(8));
  const VirtualSoundDevice& d = *quad.sound.openDevices().at(0);
  EXPECT_TRUE(d.speakersQuad());
  EXPECT_EQ(d.primaryChannels(), 4);
  EXPECT_FALSE(d.priority());  // exclusive unless "MultiInstance"
  EXPECT_EQ(quad.threads.slept.load(), 100);

  EngineRig soft;
  soft.sound.addCard("3d");
  ASSERT_TRUE(soft.open(3));
  const VirtualSoundDevice& s = *soft.sound.openDevices().at(0);
  ASSERT_EQ(s.specs().size(), 4u);
  EXPECT_FALSE(s.speakersQuad());
  const float wantX[4] = {-1, 1, -1, 1}, wantZ[4] = {2, 2, -2, -2};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(s.specs()[size_t(i)].channels, 1);
    EXPECT_TRUE(s.specs()[size_t(i)].control3d);
    EXPECT_EQ(s.specs()[size_t(i)].x, wantX[i]);
    EXPECT_EQ(s.specs()[size_t(i)].z, wantZ[i]);
  }
}

TEST(OutputEngines, DeviceFailuresGiveTheirErrors) {
  {
    EngineRig rig;  // a chosen card that is gone: the default plays
    SoundDeviceId first = rig.sound.addCard("first");
    SoundDeviceId gone = rig.sound.addCard("gone");
    settings().soundCardGuid = gone;
    rig.sound.removeCard(gone);
    ASSERT_TRUE(rig.open(0));
    EXPECT_EQ(rig.sound.openDevices().at(0)->id(), first);
    EXPECT_EQ(fatalError(), 0);
  }
  {
    EngineRig rig;  // held by another program
    rig.sound.holdCard(rig.sound.addCard("busy"), true);
    EXPECT_FALSE(rig.open(0));
    EXPECT_EQ(fatalError(), kErrorDirectSoundUsed);
  }
  {
    EngineRig rig;  // the same in a four-channel mode
    rig.sound.holdCard(rig.sound.addCard("busy"), true);
    EXPECT_FALSE(rig.open(4));
    EXPECT_EQ(fatalError(), kErrorWdm);
  }
  {
    EngineRig rig;
    rig.sound.addCard("small");
    rig.sound.runOutOfMemory(true);
    EXPECT_FALSE(rig.open(0));
    EXPECT_EQ(fatalError(), kErrorDirectSoundMemory);
  }
  {
    EngineRig rig;
    rig.sound.addCard("card");
    rig.sound.failBuffers(true);
    EXPECT_FALSE(rig.open(2));
    EXPECT_EQ(fatalError(), kErrorDirectSound);
  }
  {
    EngineRig rig;  // no card at all
    EXPECT_FALSE(rig.open(0));
    EXPECT_EQ(fatalError(), kErrorDirectSound);
  }
}

TEST(OutputEngines, PreviewAtZeroAndFull) {
  EngineRig rig;
  rig.sound.addCard("one");
  rig.sound.addCard("two");
  ASSERT_TRUE(rig.open(2));
  rig.playBoth();
  rig.mixer.setPreview(0);  // only the preview desk (desk 1) in the headphones
  rig.run(44100);
  auto phones = rig.channels().at(2);
  expectTones(phones, {{F, 0, 0, 0}}, "preview 0");
  rig.mixer.setPreview(4096);  // both desks at full level
  rig.run(44100);
  phones = rig.channels().at(2);
  expectTones(phones, {{F, 0, F, 0}}, "preview 4096");
  rig.mixer.selectPreviewDesk(1);
  rig.mixer.setPreview(0);
  rig.run(44100);
  expectTones(rig.channels().at(2), {{0, 0, F, 0}}, "desk 2 previewed");
}

TEST(OutputEngines, HeadphoneModesHearADeskAtLevelZero) {
  EngineRig rig;
  rig.sound.addCard("one");
  ASSERT_TRUE(rig.open(1));
  rig.playBoth();
  rig.mixer.setLevel(0, 0);
  rig.mixer.setPreview(0);
  rig.run(44100);
  const auto channels = rig.channels();
  expectTones(channels.at(0), {{0, 0, H, H}}, "master without desk 1");
  expectTones(channels.at(1), {{H, H, 0, 0}}, "headphones keep desk 1");
}

TEST(OutputEngines, DriftingCardsRealignWithoutStopping) {
  EngineRig rig;
  settings().soundCard1Guid = rig.sound.addCard("one");
  SoundDeviceId fast = rig.sound.addCard("fast");
  settings().soundCard2Guid = fast;
  ASSERT_TRUE(rig.open(6));
  ASSERT_EQ(rig.sound.openDevices().at(1)->id(), fast);
  auto& engine = static_cast<MultiBufferOutput&>(*rig.engine);
  rig.playBoth();
  rig.run(44100);
  const int32_t first = engine.resyncCount();
  EXPECT_EQ(first, 1);  // measured when the buffers started
  rig.sound.setSpeed(fast, 1.01);  // 441 frames a second ahead
  rig.run(44100 * 3);
  EXPECT_GE(engine.resyncCount(), first + 1);
  EXPECT_GT(engine.offset(1), 0);
  rig.sound.setSpeed(fast, 1.0);
  rig.run(44100);
  EXPECT_TRUE(rig.desk[0]->playing());
  EXPECT_TRUE(rig.desk[1]->playing());
  // Both cards still carry their desk at full level after the realignment.
  const auto channels = rig.channels();
  expectTones(channels.at(0), kDesk1L, "card 1");
  expectTones(channels.at(2), kDesk2L, "card 2");
}

TEST(OutputEngines, CopyUpcomingIsWhatTheCardPlaysNext) {
  EngineRig rig;
  rig.sound.addCard("card");
  ASSERT_TRUE(rig.open(0));
  rig.playBoth();
  rig.run(44100);
  std::vector<int16_t> upcoming(4000 * 2);
  ASSERT_EQ(rig.engine->copyUpcoming(upcoming.data(), 4000), 4000);
  std::vector<int16_t> whole(kMixRingFrames * 2);
  EXPECT_EQ(rig.engine->copyUpcoming(whole.data(), 99999), kMixRingFrames);  // at most one buffer
  ASSERT_EQ(rig.engine->copyUpcoming(upcoming.data(), 4000), 4000);
  const VirtualSoundBuffer& card = *rig.sound.openDevices()[0]->buffers()[0];
  const size_t before = card.recorded().size();
  rig.run(VirtualSoundSystem::kLatency + 4000);
  // The write cursor is the card's latency ahead of what it plays.
  const size_t from = before + size_t(VirtualSoundSystem::kLatency) * 2;
  for (size_t i = 0; i < upcoming.size(); ++i) ASSERT_EQ(card.recorded()[from + i], upcoming[i]) << i;
}

TEST(VirtualSoundSystem, RealTimeCardPlaysAsTheClockGoes) {
  VirtualSoundSystem sound;
  sound.addCard("card");
  sound.followRealTime(true);
  SoundResult result;
  std::unique_ptr<SoundDevice> device = sound.open(nullptr, result);
  ASSERT_TRUE(device);
  std::unique_ptr<SoundBuffer> buffer = device->createBuffer({2, kMixRingFrames}, result);
  ASSERT_TRUE(buffer->play());
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  int32_t play = 0, write = 0;
  ASSERT_TRUE(buffer->cursorsRt(play, write));
  EXPECT_GE(play, 4410);   // at least 100 ms went by
  EXPECT_LT(play, 22050);  // and less than the buffer (the test is not that slow)
  EXPECT_EQ(write, play + VirtualSoundSystem::kLatency);
}

}  // namespace
}  // namespace zarnel
