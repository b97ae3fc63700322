#pragma once
// SDL's test drivers: "dummy" consumes audio in real time and plays it
// nowhere; "disk" writes what it played, raw, to the file SDL_DISKAUDIOFILE.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/SoundBuffer.h"

namespace zarnel::test {

// Selects SDL's audio driver for the systems created while it lives.
class SdlDriverScope {
 public:
  explicit SdlDriverScope(const char* driver, const std::string& diskFile = {}) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    if (!diskFile.empty()) setenv("SDL_DISKAUDIOFILE", diskFile.c_str(), 1);
  }
  ~SdlDriverScope() {
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
  }
  SdlDriverScope(const SdlDriverScope&) = delete;
  SdlDriverScope& operator=(const SdlDriverScope&) = delete;
};

// Return: a file name for the disk driver, unique to this test and process.
inline std::string diskFile() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return ::testing::TempDir() + "zarnel-" + info->name() + "-" + std::to_string(getpid()) + ".raw";
}

// A tone of 441 * (channel + 1) Hz that never crosses zero, so the first
// sound in a recording marks the buffer's frame 0: positive on even
// channels, negative on odd ones.
inline int16_t tone(int32_t frame, int32_t channel) {
  const double phase = 2.0 * M_PI * 441.0 * (channel + 1) * frame / 44100.0;
  const int32_t magnitude = 12000 + int32_t(std::lround(8000.0 * std::sin(phase)));
  return int16_t(channel % 2 == 0 ? magnitude : -magnitude);
}

// Return: frames frames of tone, interleaved, channels per frame.
inline std::vector<int16_t> toneFrames(int32_t frames, int32_t channels) {
  std::vector<int16_t> samples;
  for (int32_t f = 0; f < frames; ++f)
    for (int32_t c = 0; c < channels; ++c) samples.push_back(tone(f, c));
  return samples;
}

// Return: the 16-bit samples of a raw recording.
inline std::vector<int16_t> readSamples(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples(bytes.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = int16_t(uint8_t(bytes[2 * i]) | uint8_t(bytes[2 * i + 1]) << 8);
  return samples;
}

// Waits until buffer's write cursor has moved frames on (laps counted).
// Return: false on timeout.
inline bool waitHanded(SoundBuffer& buffer, int32_t frames, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  int32_t handed = 0, last = 0, play = 0, write = 0;
  while (handed < frames) {
    if (std::chrono::steady_clock::now() > end || !buffer.cursorsRt(play, write)) return false;
    handed += (write - last + buffer.frames()) % buffer.frames();
    last = write;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// Follows one channel of a recording from its first sound on.
// Return: the first frame k < frames where the channel differs from
// expected(k), frames if all match, -1 if the recording is too short.
inline int32_t firstMismatch(const std::vector<int16_t>& recording, int32_t deviceChannels,
                             int32_t channel, int32_t frames,
                             const std::function<bool(int32_t, int16_t)>& matches) {
  const size_t total = recording.size() / size_t(deviceChannels);
  size_t start = 0;
  while (start < total && recording[start * deviceChannels + channel] == 0) ++start;
  if (start + size_t(frames) > total) return -1;
  for (int32_t k = 0; k < frames; ++k)
    if (!matches(k, recording[(start + k) * deviceChannels + channel])) return k;
  return frames;
}

}  // namespace zarnel::test
