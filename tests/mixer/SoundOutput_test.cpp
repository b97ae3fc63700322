#include "mixer/SoundOutput.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/FatalError.h"
#include "app/Settings.h"
#include "support/mix/EngineRig.h"

namespace zarnel {
namespace {

TEST(SoundOutput, UnknownModeStartsModeZero) {
  test::EngineRig rig;
  rig.sound.addCard("card");
  settings().outputMode = 12;
  SoundOutput output(*rig.desk[0], *rig.desk[1], rig.services);
  ASSERT_TRUE(output.start());
  EXPECT_EQ(output.engine()->outputs(), 1);
  EXPECT_EQ(output.engine()->recordConversion(), RecordConversion::copyFirst);
  ASSERT_EQ(rig.sound.openDevices().size(), 1u);
  EXPECT_EQ(rig.sound.openDevices()[0]->buffers().at(0)->channels(), 2);
  output.stop();
  EXPECT_EQ(output.engine(), nullptr);
  EXPECT_TRUE(rig.sound.openDevices().empty());
}

TEST(SoundOutput, FallsBackToModeZeroAndKeepsTheFirstError) {
  test::EngineRig rig;
  rig.sound.addCard("stereo only", 2);
  settings().outputMode = 8;  // four channels: this card cannot
  SoundOutput output(*rig.desk[0], *rig.desk[1], rig.services);
  EXPECT_FALSE(output.start());
  EXPECT_EQ(fatalError(), kErrorDirectSound);
  EXPECT_TRUE(output.startOrFallBack());
  EXPECT_EQ(settings().outputMode, 0);
  EXPECT_EQ(output.engine()->outputs(), 1);
  EXPECT_EQ(fatalError(), kErrorDirectSound);
}

// The audio thread runs the desks: commands cross the mailbox while the
// virtual card plays in real time on the test's thread.
TEST(SoundOutput, AudioThreadDrivesTheDesksThroughTheMailbox) {
  test::EngineRig rig;
  rig.sound.addCard("card");
  SoundOutput output(*rig.desk[0], *rig.desk[1], rig.services);
  ASSERT_TRUE(output.start());
  output.resendParameters(rig.mixer);
  for (VirtualSoundBuffer* b : rig.sound.openDevices()[0]->buffers()) b->setRecording(false);
  ASSERT_TRUE(rig.desk[0]->load("one", "", "one.wav", nullptr));
  ASSERT_EQ(rig.desk[0]->play(), 0);
  EXPECT_TRUE(rig.desk[0]->playing());
  EXPECT_TRUE(output.engine()->isAudible(0));
  for (int i = 0; i < 100; ++i) {
    rig.sound.advance(441);  // 10 ms of audio every 2 ms: five times real time
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  EXPECT_EQ(rig.threads.timeCritical.load(), 1);
  const float position = rig.desk[0]->position();
  EXPECT_GT(position, 0.02f);  // about a second of a 20-second track
  EXPECT_LT(position, 0.08f);
  rig.desk[0]->setPitch(4505);
  EXPECT_EQ(rig.desk[0]->pitch(), 4505);
  rig.desk[0]->pause();
  EXPECT_FALSE(output.engine()->isAudible(0));
  output.stop();
  EXPECT_EQ(rig.desk[0]->pause(), 0);  // commands run inline once the thread is gone
}

}  // namespace
}  // namespace zarnel
