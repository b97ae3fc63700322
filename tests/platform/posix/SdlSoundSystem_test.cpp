#include "platform/posix/SdlSoundSystem.h"

#include <gtest/gtest.h>

#include "platform/posix/SdlTestAudio.h"

namespace zarnel {
namespace {

using test::SdlDriverScope;

TEST(SdlSoundSystemTest, DevicesKeepTheirIdentityAcrossRunsAndUnknownOnesFail) {
  SdlDriverScope driver("dummy");
  std::vector<SoundDeviceInfo> first;
  {
    SdlSoundSystem system;
    ASSERT_TRUE(system.ready());
    first = system.devices();
  }
  ASSERT_FALSE(first.empty());
  SdlSoundSystem again;  // SDL's audio stopped and started anew
  const std::vector<SoundDeviceInfo> second = again.devices();
  ASSERT_EQ(second.size(), first.size());
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(second[i].name, first[i].name);
    EXPECT_EQ(second[i].id, first[i].id) << first[i].name;
    EXPECT_NE(first[i].id, SoundDeviceId{}) << first[i].name;
  }
  SoundResult result = SoundResult::failed;
  std::unique_ptr<SoundDevice> device = again.open(&second[0].id, result);
  ASSERT_TRUE(device);
  EXPECT_EQ(result, SoundResult::ok);
  EXPECT_EQ(device->createPrimary(2, false), SoundResult::ok);

  SoundDeviceId gone;
  gone.fill(0x5a);
  EXPECT_FALSE(again.open(&gone, result));
  EXPECT_EQ(result, SoundResult::failed);
}

TEST(SdlSoundSystemTest, WithoutAnAudioDriverEverythingFailsCleanly) {
  SdlDriverScope driver("zarnel-no-such-driver");
  SdlSoundSystem system;
  EXPECT_FALSE(system.ready());
  EXPECT_TRUE(system.devices().empty());
  SoundResult result = SoundResult::ok;
  EXPECT_FALSE(system.open(nullptr, result));
  EXPECT_EQ(result, SoundResult::failed);
  const SoundDeviceId id = SdlSoundSystem::identityOf("System audio output device");
  result = SoundResult::ok;
  EXPECT_FALSE(system.open(&id, result));
  EXPECT_EQ(result, SoundResult::failed);
}

TEST(SdlSoundSystemTest, AlsaWithoutACardFailsAtTheFormat) {
  SdlDriverScope driver("alsa");
  SdlSoundSystem system;
  if (!system.ready() || !system.devices().empty()) GTEST_SKIP() << "ALSA absent or has cards";
  SoundResult result = SoundResult::ok;
  std::unique_ptr<SoundDevice> device = system.open(nullptr, result);
  ASSERT_TRUE(device);
  EXPECT_EQ(device->createPrimary(2, false), SoundResult::failed);
  EXPECT_FALSE(device->createBuffer({}, result));
  EXPECT_EQ(result, SoundResult::failed);
}

}  // namespace
}  // namespace zarnel
