#pragma once
// Helpers of the recorder's tests: a counting stereo signal whose every
// frame tells its index (different on each channel, so a swap shows), and a
// reader of the WAV files the recorder wrote.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/RiffFile.h"

namespace zarnel::test {

inline int16_t recordedLeft(int64_t i) { return int16_t(uint16_t(i * 7 + 1)); }
inline int16_t recordedRight(int64_t i) { return int16_t(uint16_t(50000 - i * 3)); }

// Return: count frames of the signal from frame first.
inline std::vector<int16_t> recordedSignal(int64_t first, int32_t count) {
  std::vector<int16_t> v(size_t(count) * 2);
  for (int32_t i = 0; i < count; ++i) {
    v[2 * size_t(i)] = recordedLeft(first + i);
    v[2 * size_t(i) + 1] = recordedRight(first + i);
  }
  return v;
}

// A WAV file as the recorder writes it, taken apart.
struct RecordedWav {
  bool headerOk = false;  // the fixed fields are those of 16-bit stereo 44100 Hz PCM
  uint32_t riffSize = 0;
  uint32_t dataSize = 0;
  size_t fileSize = 0;
  std::vector<int16_t> samples;  // the data chunk, as far as its size says
};

inline RecordedWav readRecordedWav(const std::vector<uint8_t>& b) {
  RecordedWav w;
  w.fileSize = b.size();
  if (b.size() < 44) return w;
  const auto id = [&](size_t at, const char* s) { return std::equal(s, s + 4, b.begin() + ptrdiff_t(at)); };
  w.riffSize = readLe32(&b[4]);
  w.dataSize = readLe32(&b[40]);
  w.headerOk = id(0, "RIFF") && id(8, "WAVE") && id(12, "fmt ") && readLe32(&b[16]) == 16 && readLe16(&b[20]) == 1 &&
               readLe16(&b[22]) == 2 && readLe32(&b[24]) == 44100 && readLe32(&b[28]) == 176400 &&
               readLe16(&b[32]) == 4 && readLe16(&b[34]) == 16 && id(36, "data");
  const size_t bytes = std::min<size_t>(w.dataSize, b.size() - 44);
  for (size_t i = 0; i + 1 < bytes; i += 2) w.samples.push_back(int16_t(readLe16(&b[44 + i])));
  return w;
}

// Expects a well-formed file whose sizes match its length exactly.
inline void expectValidWav(const RecordedWav& w) {
  EXPECT_TRUE(w.headerOk);
  EXPECT_EQ(w.riffSize, w.fileSize - 8);
  EXPECT_EQ(w.dataSize, w.fileSize - 44);
}

// Expects samples to be frames first .. first + count - 1 of the signal.
inline void expectSignal(const std::vector<int16_t>& samples, int64_t first, int64_t count) {
  ASSERT_EQ(samples.size(), size_t(count) * 2);
  for (int64_t i = 0; i < count; ++i) {
    if (samples[2 * size_t(i)] != recordedLeft(first + i) || samples[2 * size_t(i) + 1] != recordedRight(first + i)) {
      ADD_FAILURE() << "frame " << i << " is not signal frame " << first + i;
      return;
    }
  }
}

}  // namespace zarnel::test
