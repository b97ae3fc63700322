#pragma once
// Conversions from a file's own PCM layout (8 or 16 bits, one or two
// channels, 39..88200 Hz) to the block format. All of them work on buffers
// the caller owns, never allocate, and may run on the audio thread.

#include <cstdint>

#include "desk/AudioFormat.h"

namespace zarnel {

// Highest input rate a block can be decimated from.
constexpr int32_t kMaxSourceRate = 2 * kSampleRate;  // 88200
// Input frames one block takes at kMaxSourceRate: the size of a decimation
// buffer, in stereo 16-bit frames.
constexpr int32_t kMaxInputFrames = 2 * kBlockFrames;  // 2304

// PCM layout of a file or a reader output, as stated by its header.
struct PcmFormat {
  int32_t rate = kSampleRate;
  int32_t channels = kChannels;
  int32_t bits = 16;
};

// Return: the bytes of one input frame as the conversions read it: samples of
// 8 bits or else 16, one channel or else two.
int32_t pcmFrameBytes(const PcmFormat& format);

// Input frames one block takes at rate: rate × 1152 / 44100 up to 44100 Hz
// (raised by repetition), ⌈1152 × rate / 44100⌉ above (decimated).
// Return: 0 when no block can be made at that rate (below 39 Hz, where not
// even one input frame would be taken, or above 88200 Hz).
int32_t inputFramesPerBlock(int32_t rate);

// Unsigned 8-bit samples, stored as bytes at the start of buffer, become
// signed 16-bit samples s = (u − 128) × 256, in place from the end.
// Pre: buffer holds count 16-bit samples.
void widen8To16(int16_t* buffer, int32_t count);

// One-channel frames at the start of buffer become two-channel frames with
// the same value left and right, in place from the end.
// Pre: buffer holds count stereo frames.
void monoToStereo(int16_t* buffer, int32_t count);

// Raises the rate × 1152 / 44100 stereo frames at the start of block to 1152
// frames by repetition, filling from the last output frame down.
// Pre: 39 <= rate < 44100; block holds kBlockFrames stereo frames.
void repeatUpTo44100(int16_t* block, int32_t rate);

// One step of the decimation walk for 44100 < rate <= 88200: acc starts at 0
// with output frame 0 of a block; after output frame i the input index moves
// to ⌈(i + 1) × rate / 44100⌉, so a block takes ⌈1152 × rate / 44100⌉ frames.
// Return: the input frames to advance after this output frame.
inline int32_t decimationStep(int32_t rate, int32_t& acc) {
  acc -= rate;
  if (acc >= 0) return 0;
  const int32_t deficit = -acc - 1;
  acc = kSampleRate - 1 - deficit % kSampleRate;
  return deficit / kSampleRate + 1;
}

// Output frame i of block takes input frame ⌈i × rate / 44100⌉.
// Pre: 44100 < rate <= 88200; input holds inputFramesPerBlock(rate) stereo
// frames; block holds kBlockFrames frames and does not overlap input.
void decimateTo44100(const int16_t* input, int32_t rate, int16_t* block);

// Turns one block's worth of input bytes into a full block: 8 to 16 bits,
// mono to stereo, then repetition or decimation to 44100 Hz.
// Pre: inputFramesPerBlock(format.rate) > 0; input holds `bytes` bytes in the
// format's layout, at least inputFramesPerBlock frames of it. Up to 44100 Hz
// input must be block itself and bytes / pcmFrameBytes <= kBlockFrames; above,
// input is a separate buffer of kMaxInputFrames stereo frames.
// Post: block holds kBlockFrames frames; input's bytes are overwritten.
void convertBlock(int16_t* input, int32_t bytes, const PcmFormat& format, int16_t* block);

}  // namespace zarnel
