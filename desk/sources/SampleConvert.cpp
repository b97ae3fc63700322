#include "desk/sources/SampleConvert.h"

#include <bit>
#include <cassert>
#include <cstdint>

namespace zarnel {

// File bytes are copied straight into 16-bit samples: they are little-endian.
static_assert(std::endian::native == std::endian::little);

int32_t pcmFrameBytes(const PcmFormat& format) {
  const int32_t sampleBytes = format.bits == 8 ? 1 : 2;
  const int32_t channels = format.channels == 1 ? 1 : 2;
  return sampleBytes * channels;
}

int32_t inputFramesPerBlock(int32_t rate) {
  if (rate <= 0 || rate > kMaxSourceRate) return 0;
  const int64_t scaled = int64_t(kBlockFrames) * rate;
  if (rate <= kSampleRate) return int32_t(scaled / kSampleRate);
  return int32_t((scaled + kSampleRate - 1) / kSampleRate);
}

void widen8To16(int16_t* buffer, int32_t count) {
  // Sample i moves to bytes 2i and 2i + 1, never below i: going down from the
  // end, every byte still to be read lies below the bytes being written.
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(buffer);
  for (int32_t i = count - 1; i >= 0; --i) {
    const int32_t u = bytes[i];
    buffer[i] = int16_t((u - 128) * 256);
  }
}

void monoToStereo(int16_t* buffer, int32_t count) {
  for (int32_t i = count - 1; i >= 0; --i) {
    const int16_t s = buffer[i];
    buffer[2 * i] = s;
    buffer[2 * i + 1] = s;
  }
}

void repeatUpTo44100(int16_t* block, int32_t rate) {
  const int32_t inputFrames = inputFramesPerBlock(rate);
  int32_t current = inputFrames - 1;
  int32_t acc = 0;
  for (int32_t out = kBlockFrames - 1; out >= 0; --out) {
    block[2 * out] = block[2 * current];
    block[2 * out + 1] = block[2 * current + 1];
    acc += rate;
    // Where rate × 1152 / 44100 truncates, the accumulator would step once
    // more than there are input frames on the last output frame: stop at 0.
    if (acc >= kSampleRate) {
      acc -= kSampleRate;
      if (current > 0) --current;
    }
  }
}

void decimateTo44100(const int16_t* input, int32_t rate, int16_t* block) {
  int32_t index = 0;
  int32_t acc = 0;
  for (int32_t i = 0; i < kBlockFrames; ++i) {
    block[2 * i] = input[2 * index];
    block[2 * i + 1] = input[2 * index + 1];
    index += decimationStep(rate, acc);
  }
}

void convertBlock(int16_t* input, int32_t bytes, const PcmFormat& format, int16_t* block) {
  assert(inputFramesPerBlock(format.rate) > 0);
  int32_t samples = bytes;
  if (format.bits == 8) {
    widen8To16(input, samples);
  } else {
    samples = bytes / 2;
  }
  if (format.channels == 1) monoToStereo(input, samples);
  const int32_t frames = format.channels == 1 ? samples : samples / 2;
  assert(frames >= inputFramesPerBlock(format.rate));
  (void)frames;
  if (format.rate < kSampleRate) {
    assert(input == block);
    repeatUpTo44100(block, format.rate);
  } else if (format.rate > kSampleRate) {
    assert(input != block);
    decimateTo44100(input, format.rate, block);
  }
}

}  // namespace zarnel
