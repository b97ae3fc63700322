#include "decoder/StreamTags.h"

#include <cstring>

namespace zarnel {

namespace {

uint32_t le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

constexpr uint8_t kFooterPresent = 0x10;          // ID3v2.4 header flag
constexpr uint32_t kApeHasHeader = 0x80000000u;   // APE footer flag

}  // namespace

int64_t id3v2TagBytes(const uint8_t* p) {
  if (std::memcmp(p, "ID3", 3) != 0 || p[3] == 0xFF || p[4] == 0xFF) return 0;
  int64_t body = 0;
  for (int32_t i = 6; i < 10; ++i) {
    if (p[i] & 0x80) return 0;  // synchsafe bytes have their top bit clear
    body = body << 7 | p[i];
  }
  const int64_t footer = (p[3] >= 4 && (p[5] & kFooterPresent)) ? kId3v2HeaderBytes : 0;
  return kId3v2HeaderBytes + body + footer;
}

int32_t id3v1TagBytes(const uint8_t* tail) { return std::memcmp(tail, "TAG", 3) == 0 ? kId3v1Bytes : 0; }

int64_t apeTagBytes(const uint8_t* footer) {
  if (std::memcmp(footer, "APETAGEX", 8) != 0) return 0;
  const uint32_t size = le32(footer + 12);  // items and footer, without the header
  if (size < uint32_t(kApeFooterBytes)) return 0;
  const bool header = (le32(footer + 20) & kApeHasHeader) != 0;
  return int64_t(size) + (header ? kApeFooterBytes : 0);
}

bool tagStartsAt(const uint8_t* p) {
  return std::memcmp(p, "TAG", 3) == 0 || std::memcmp(p, "ID3", 3) == 0 || std::memcmp(p, "APET", 4) == 0;
}

}  // namespace zarnel
