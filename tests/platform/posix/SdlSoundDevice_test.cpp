#include "platform/posix/SdlSoundDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/posix/SdlSoundSystem.h"
#include "platform/posix/SdlTestAudio.h"

namespace zarnel {
namespace {

using namespace std::chrono_literals;
using test::SdlDriverScope;
using test::tone;

struct Recording {
  std::vector<int16_t> samples;
  int32_t channels = 0;
};

// Plays one buffer per spec, filled by fill, on a disk-driver device with the
// given primary format until each buffer has handed frames frames.
// Return: what the device played, from its start.
Recording recordOnDisk(int32_t primaryChannels, bool control3d,
                       const std::vector<SoundBufferSpec>& specs,
                       const std::function<void(SoundBuffer&, size_t)>& fill, int32_t frames) {
  const std::string path = test::diskFile();
  Recording recording;
  {
    SdlDriverScope driver("disk", path);
    SdlSoundSystem system;
    SoundResult result = SoundResult::failed;
    std::unique_ptr<SoundDevice> device = system.open(nullptr, result);
    if (!device || device->createPrimary(primaryChannels, control3d) != SoundResult::ok) {
      ADD_FAILURE() << "the disk driver's device did not open";
      return recording;
    }
    recording.channels = static_cast<SdlSoundDevice&>(*device).channels();
    std::vector<std::unique_ptr<SoundBuffer>> buffers;
    for (const SoundBufferSpec& spec : specs) {
      buffers.push_back(device->createBuffer(spec, result));
      if (!buffers.back()) {
        ADD_FAILURE() << "createBuffer failed";
        return recording;
      }
      fill(*buffers.back(), buffers.size() - 1);
    }
    for (auto& buffer : buffers) EXPECT_TRUE(buffer->play());
    for (auto& buffer : buffers) EXPECT_TRUE(test::waitHanded(*buffer, frames, 3s));
  }  // the device closes and the file is complete
  recording.samples = test::readSamples(path);
  std::remove(path.c_str());
  return recording;
}

void fillTone(SoundBuffer& buffer, size_t) {
  const std::vector<int16_t> samples = test::toneFrames(buffer.frames(), buffer.channels());
  ASSERT_TRUE(buffer.writeRt(0, samples.data(), buffer.frames()));
}

int16_t clip16(int32_t value) { return int16_t(std::clamp(value, -32768, 32767)); }

// Each device channel c plays tone c, looping every loop frames.
void expectOwnTones(const Recording& out, int32_t channels, int32_t loop, int32_t frames) {
  ASSERT_EQ(out.channels, channels);
  for (int32_t c = 0; c < channels; ++c) {
    auto same = [c, loop](int32_t k, int16_t v) { return v == tone(k % loop, c); };
    EXPECT_EQ(test::firstMismatch(out.samples, channels, c, frames, same), frames) << "channel " << c;
  }
}

TEST(SdlSoundDeviceTest, OpenErrorsMapToTheirResults) {
  EXPECT_EQ(SdlSoundDevice::classifyOpenError(
                "ALSA: Couldn't open audio device: Device or resource busy"),
            SoundResult::allocated);
  EXPECT_EQ(SdlSoundDevice::classifyOpenError("Out of memory"), SoundResult::outOfMemory);
  EXPECT_EQ(SdlSoundDevice::classifyOpenError(
                "ALSA: Couldn't open audio device: No such file or directory"),
            SoundResult::failed);
  EXPECT_EQ(SdlSoundDevice::classifyOpenError(nullptr), SoundResult::failed);
}

TEST(SdlSoundDeviceTest, BuffersNeedTheFormatFirstAndASpecTheDeviceCanPlay) {
  SdlDriverScope driver("dummy");
  SdlSoundSystem system;
  SoundResult result = SoundResult::ok;
  std::unique_ptr<SoundDevice> opened = system.open(nullptr, result);
  ASSERT_TRUE(opened);
  auto& device = static_cast<SdlSoundDevice&>(*opened);
  EXPECT_FALSE(device.createBuffer({}, result));
  EXPECT_EQ(result, SoundResult::failed);

  ASSERT_EQ(device.setSpeakersQuad(), SoundResult::ok);
  ASSERT_EQ(device.createPrimary(4, false), SoundResult::ok);
  EXPECT_EQ(device.channels(), 4);
  EXPECT_EQ(device.createPrimary(2, false), SoundResult::failed);

  for (SoundBufferSpec bad : {SoundBufferSpec{3, 22050}, SoundBufferSpec{2, 22050, true},
                              SoundBufferSpec{2, 0}, SoundBufferSpec{1, -5, true}}) {
    result = SoundResult::ok;
    EXPECT_FALSE(device.createBuffer(bad, result)) << bad.channels << " " << bad.frames;
    EXPECT_EQ(result, SoundResult::failed);
  }
  std::vector<std::unique_ptr<SoundBuffer>> buffers;
  for (int32_t i = 0; i < SdlSoundDevice::kMaxBuffers; ++i) {
    buffers.push_back(device.createBuffer({1, 4410, true, -1.0f, 0.0f, 2.0f}, result));
    ASSERT_TRUE(buffers.back());
    EXPECT_EQ(result, SoundResult::ok);
  }
  EXPECT_FALSE(device.createBuffer({}, result));
  buffers.pop_back();  // its slot is free again
  EXPECT_TRUE(device.createBuffer({}, result));
}

TEST(SdlSoundDeviceTest, DiskDriverHearsAStereoBufferOnLeftAndRightAcrossItsEnd) {
  constexpr int32_t kFrames = 22050, kTail = 1000;
  const std::vector<int16_t> samples = test::toneFrames(kFrames, 2);
  auto fillAcrossTheEnd = [&](SoundBuffer& buffer, size_t) {
    // Two stretches, the second wrapping from the end to the start.
    ASSERT_TRUE(buffer.writeRt(kTail, samples.data() + 2 * kTail, kFrames - 2 * kTail));
    std::vector<int16_t> wrapped(samples.end() - 2 * kTail, samples.end());
    wrapped.insert(wrapped.end(), samples.begin(), samples.begin() + 2 * kTail);
    ASSERT_TRUE(buffer.writeRt(kFrames - kTail, wrapped.data(), 2 * kTail));
  };
  const Recording out = recordOnDisk(2, false, {{2, kFrames}}, fillAcrossTheEnd, kFrames + 2000);
  expectOwnTones(out, 2, kFrames, kFrames + 2000);
}

TEST(SdlSoundDeviceTest, FourChannelBufferFillsAFourChannelDevice) {
  constexpr int32_t kFrames = 8820;
  const Recording out = recordOnDisk(4, false, {{4, kFrames}}, fillTone, kFrames + 1000);
  expectOwnTones(out, 4, kFrames, kFrames + 1000);
}

TEST(SdlSoundDeviceTest, MonoBuffersPlacedInSpaceLandOnTheirOwnChannel) {
  constexpr int32_t kFrames = 8820;
  // Front left, front right, back left, back right: SDL's four-channel order.
  const std::vector<SoundBufferSpec> specs = {{1, kFrames, true, -1.0f, 0.0f, 2.0f},
                                              {1, kFrames, true, 1.0f, 0.0f, 2.0f},
                                              {1, kFrames, true, -1.0f, 0.0f, -2.0f},
                                              {1, kFrames, true, 1.0f, 0.0f, -2.0f}};
  auto fillOwnTone = [](SoundBuffer& buffer, size_t index) {
    std::vector<int16_t> samples(kFrames);
    for (int32_t f = 0; f < kFrames; ++f) samples[f] = tone(f, int32_t(index));
    ASSERT_TRUE(buffer.writeRt(0, samples.data(), kFrames));
  };
  const Recording out = recordOnDisk(2, true, specs, fillOwnTone, kFrames + 1000);
  expectOwnTones(out, 4, kFrames, kFrames + 1000);  // a 3D primary takes four channels
}

TEST(SdlSoundDeviceTest, StereoDeviceTakesTheBackPairOnTheFrontAndClips) {
  constexpr int32_t kFrames = 8820;
  const Recording out = recordOnDisk(2, false, {{4, kFrames}}, fillTone, kFrames);
  ASSERT_EQ(out.channels, 2);
  int32_t clipped = 0;
  for (int32_t c = 0; c < 2; ++c) {
    auto folded = [c, &clipped](int32_t k, int16_t v) {
      const int32_t sum = tone(k, c) + tone(k, c + 2);
      clipped += sum != clip16(sum);
      return v == clip16(sum);
    };
    EXPECT_EQ(test::firstMismatch(out.samples, 2, c, kFrames, folded), kFrames) << "channel " << c;
  }
  EXPECT_GT(clipped, 0) << "the signal should reach past 16 bits";
}

TEST(SdlSoundDeviceTest, VolumeScalesWhatIsHeard) {
  constexpr int32_t kFrames = 8820;
  auto fillQuieter = [](SoundBuffer& buffer, size_t) {
    fillTone(buffer, 0);
    buffer.setVolume(-600);  // -6 dB
  };
  const Recording out = recordOnDisk(2, false, {{2, kFrames}}, fillQuieter, kFrames);
  const double gain = std::pow(10.0, -0.3);
  for (int32_t c = 0; c < 2; ++c) {
    auto scaled = [c, gain](int32_t k, int16_t v) { return std::abs(v - tone(k, c) * gain) <= 1.0; };
    EXPECT_EQ(test::firstMismatch(out.samples, 2, c, kFrames, scaled), kFrames) << "channel " << c;
  }
}

}  // namespace
}  // namespace zarnel
