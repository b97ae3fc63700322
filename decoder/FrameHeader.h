#pragma once
// The 32-bit MPEG audio frame header: fields, the acceptance rules of this
// decoder and the quantities derived from them.

#include <cstdint>

namespace zarnel {

enum class MpegVersion : uint8_t { kMpeg1, kMpeg2, kMpeg25 };

enum ChannelMode : uint8_t { kStereo = 0, kJointStereo = 1, kDualChannel = 2, kMono = 3 };

struct FrameHeader {
  MpegVersion version = MpegVersion::kMpeg1;
  uint8_t layer = 0;           // 1, 2 or 3
  bool crc = false;            // a 16-bit check word follows the header
  uint8_t bitrateIndex = 0;
  uint8_t rateIndex = 0;
  bool padding = false;
  uint8_t mode = kStereo;
  uint8_t modeExtension = 0;
  uint8_t emphasis = 0;

  bool lsf() const { return version != MpegVersion::kMpeg1; }
  int32_t channels() const { return mode == kMono ? 1 : 2; }
  int32_t sampleRate() const;
  // Return: kbit/s.
  int32_t bitrate() const;
  // Return: bytes of the whole frame, header included.
  int32_t frameBytes() const;
  // Return: PCM samples per channel the frame decodes to.
  int32_t samplesPerChannel() const;
  // Return: bytes of Layer III side information.
  int32_t sideInfoBytes() const;
};

// Largest frame any accepted header describes (Layer II, 384 kbit/s, 32 kHz,
// padded), in bytes.
constexpr int32_t kMaxFrameBytes = 1729;

// Parses the header in the top bits of word (first byte most significant).
// Refuses a missing sync word, bitrate index 0 (free format) or 15, reserved
// version, layer or sampling frequency, MPEG-2.5 outside Layer III, an
// MPEG-1 Layer II bitrate the standard forbids for the mode, and the padding
// bit with a sampling frequency index other than 0.
// Return: true when accepted, with out filled.
bool parseFrameHeader(uint32_t word, FrameHeader& out);

// Return: the four bytes at p as a big-endian word. Pre: p holds 4 bytes.
inline uint32_t headerWord(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

}  // namespace zarnel
