#include "decoder/XingHeader.h"

#include <cstring>

#include "decoder/FrameHeader.h"

namespace zarnel {

namespace {

uint32_t be32(const uint8_t* p) { return headerWord(p); }

// Return: where the tag sits: after the side information of the frame.
int32_t tagOffset(const FrameHeader& h) {
  if (!h.lsf()) return h.mode == kMono ? 21 : 36;
  return h.mode == kMono ? 13 : 21;
}

// The Fraunhofer "VBRI" tag sits 32 bytes after the header in every layout.
constexpr int32_t kVbriOffset = 36;

bool tagAt(const uint8_t* data, int32_t bytes, int32_t at, const char* tag) {
  return at + 4 <= bytes && std::memcmp(data + at, tag, 4) == 0;
}

}  // namespace

StreamInfo probeStreamStart(const uint8_t* data, int32_t bytes, int64_t size) {
  StreamInfo info;
  FrameHeader h;
  if (bytes < 4 || !parseFrameHeader(headerWord(data), h)) return info;
  info.bitrate = h.bitrate();
  info.duration = int32_t(size / (int64_t(h.bitrate()) * 125));
  int32_t p = tagOffset(h);
  info.infoFrame = tagAt(data, bytes, p, "Xing") || tagAt(data, bytes, p, "Info") ||
                   tagAt(data, bytes, kVbriOffset, "VBRI");
  if (p + 8 > bytes || std::memcmp(data + p, "Xing", 4) != 0) return info;
  const uint32_t flags = be32(data + p + 4);
  p += 8;
  if ((flags & 1) && p + 4 <= bytes) {
    const uint32_t frames = be32(data + p);
    p += 4;
    const double seconds = double(frames) * h.samplesPerChannel() / h.sampleRate();
    info.frameCount = true;
    info.frames = frames;
    info.duration = int32_t(seconds < 2147483647.0 ? seconds : 2147483647.0);
    const double kbps = seconds > 0.0 ? double(size) / seconds / 125.0 : 0.0;
    info.bitrate = int32_t(kbps < 2147483647.0 ? kbps : 2147483647.0);
  }
  if (flags & 2) p += 4;
  if ((flags & 4) && p + 100 <= bytes) {
    std::memcpy(info.table, data + p, 100);
    info.seekTable = true;
  }
  return info;
}

float seekTableFraction(const uint8_t* table, float x) {
  x = x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x);
  const float p = 100.0f * x;
  int32_t i = int32_t(p);
  float next;
  if (i >= 99) {
    i = 99;
    next = 256.0f;
  } else {
    next = table[i + 1];
  }
  return (table[i] + (next - table[i]) * (p - float(i))) / 256.0f;
}

}  // namespace zarnel
