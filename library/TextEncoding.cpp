#include "library/TextEncoding.h"

#include <cstdint>

namespace zarnel {

namespace {

// Windows-1252's characters for 0x80..0x9F; 0 where it defines none.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr uint32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

// Return: the length of the well-formed sequence at text[i], 0 when there is
// none.
size_t sequenceLength(std::string_view text, size_t i) {
  const auto byte = [&](size_t k) { return uint8_t(text[k]); };
  const uint8_t b = byte(i);
  if (b < 0x80) return 1;
  size_t n = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
  if (n == 0 || i + n > text.size()) return 0;
  for (size_t k = 1; k < n; ++k)
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  const uint8_t second = byte(i + 1);
  if (b == 0xE0 && second < 0xA0) return 0;  // overlong
  if (b == 0xED && second > 0x9F) return 0;  // surrogate
  if (b == 0xF0 && second < 0x90) return 0;  // overlong
  if (b == 0xF4 && second > 0x8F) return 0;  // above U+10FFFF
  return n;
}

bool startsWith(std::string_view text, std::string_view head) {
  return text.substr(0, head.size()) == head;
}

}  // namespace

bool isValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const size_t n = sequenceLength(text, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::string latin1ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (char ch : text) {
    const uint8_t b = uint8_t(ch);
    uint32_t c = b;
    if (b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80] != 0) c = kCp1252High[b - 0x80];
    appendUtf8(out, c);
  }
  return out;
}

std::string utf16ToUtf8(std::string_view bytes, bool littleEndian) {
  std::string out;
  out.reserve(bytes.size());
  const size_t units = bytes.size() / 2;
  auto unit = [&](size_t k) {
    const uint32_t a = uint8_t(bytes[2 * k]), b = uint8_t(bytes[2 * k + 1]);
    return littleEndian ? a | (b << 8) : (a << 8) | b;
  };
  for (size_t k = 0; k < units; ++k) {
    uint32_t c = unit(k);
    if (c >= 0xD800 && c <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 && unit(k + 1) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
      ++k;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    appendUtf8(out, c);
  }
  return out;
}

std::string fromMarkedText(std::string_view text) {
  if (startsWith(text, "\xEF\xBB\xBF")) return std::string(text.substr(3));
  if (startsWith(text, "\xFF\xFE")) return utf16ToUtf8(text.substr(2), true);
  if (startsWith(text, "\xFE\xFF")) return utf16ToUtf8(text.substr(2), false);
  return std::string(text);
}

}  // namespace zarnel
