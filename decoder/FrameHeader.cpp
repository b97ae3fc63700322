#include "decoder/FrameHeader.h"

namespace zarnel {

namespace {

// Sampling frequencies by version and index (ISO/IEC 11172-3 and 13818-3).
constexpr int32_t kRates[3][3] = {
    {44100, 48000, 32000},  // MPEG-1
    {22050, 24000, 16000},  // MPEG-2
    {11025, 12000, 8000},   // MPEG-2.5
};

// kbit/s by [lsf][layer - 1][index]; index 0 (free format) and 15 are refused.
constexpr int16_t kBitrates[2][3][15] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}},
};

// MPEG-1 Layer II allows 32, 48, 56 and 80 kbit/s only in mono, and 224 kbit/s
// and above only with two channels.
bool layer2BitrateAllowed(int32_t kbps, bool mono) {
  if (mono) return kbps < 224;
  return kbps != 32 && kbps != 48 && kbps != 56 && kbps != 80;
}

}  // namespace

int32_t FrameHeader::sampleRate() const { return kRates[int32_t(version)][rateIndex]; }

int32_t FrameHeader::bitrate() const { return kBitrates[lsf() ? 1 : 0][layer - 1][bitrateIndex]; }

int32_t FrameHeader::frameBytes() const {
  const int32_t bps = bitrate() * 1000;
  const int32_t pad = padding ? 1 : 0;
  if (layer == 1) return (12 * bps / sampleRate() + pad) * 4;
  if (layer == 3 && lsf()) return 72 * bps / sampleRate() + pad;
  return 144 * bps / sampleRate() + pad;
}

int32_t FrameHeader::samplesPerChannel() const {
  if (layer == 1) return 384;
  if (layer == 3 && lsf()) return 576;
  return 1152;
}

int32_t FrameHeader::sideInfoBytes() const {
  if (lsf()) return mode == kMono ? 9 : 17;
  return mode == kMono ? 17 : 32;
}

bool parseFrameHeader(uint32_t word, FrameHeader& out) {
  if ((word >> 21) != 0x7FF) return false;
  const uint32_t versionBits = (word >> 19) & 3;
  const uint32_t layerBits = (word >> 17) & 3;
  const uint32_t bitrateIndex = (word >> 12) & 15;
  const uint32_t rateIndex = (word >> 10) & 3;
  const bool padding = (word >> 9) & 1;
  if (versionBits == 1 || layerBits == 0 || rateIndex == 3) return false;
  if (bitrateIndex == 0 || bitrateIndex == 15) return false;
  if (padding && rateIndex != 0) return false;
  FrameHeader h;
  h.version = versionBits == 3 ? MpegVersion::kMpeg1
              : versionBits == 2 ? MpegVersion::kMpeg2 : MpegVersion::kMpeg25;
  h.layer = uint8_t(4 - layerBits);
  if (h.version == MpegVersion::kMpeg25 && h.layer != 3) return false;
  h.crc = ((word >> 16) & 1) == 0;
  h.bitrateIndex = uint8_t(bitrateIndex);
  h.rateIndex = uint8_t(rateIndex);
  h.padding = padding;
  h.mode = uint8_t((word >> 6) & 3);
  h.modeExtension = uint8_t((word >> 4) & 3);
  h.emphasis = uint8_t(word & 3);
  if (!h.lsf() && h.layer == 2 && !layer2BitrateAllowed(h.bitrate(), h.mode == kMono)) return false;
  out = h;
  return true;
}

}  // namespace zarnel
