#pragma once
// Most-significant-bit-first reader over a byte range. Reads past the end
// give zero bits and set the overrun flag instead of touching memory there,
// so damaged side information can never read out of bounds.

#include <cstdint>

namespace zarnel {

class BitReader {
 public:
  BitReader() = default;
  // Pre: data holds `bytes` bytes and stays alive while the reader is used.
  BitReader(const uint8_t* data, int32_t bytes) : data_(data), bits_(int64_t(bytes) * 8) {}

  // Return: the next n bits (0 <= n <= 24) as an unsigned number.
  uint32_t read(int32_t n) {
    const uint32_t v = peek(n);
    pos_ += n;
    return v;
  }
  bool readBit() { return read(1) != 0; }

  // Return: the next n bits (0 <= n <= 24) without moving.
  uint32_t peek(int32_t n) const {
    if (n == 0) return 0;
    const uint32_t window = window32(pos_);
    return window >> (32 - n);
  }
  void skip(int32_t n) { pos_ += n; }

  int64_t position() const { return pos_; }
  void setPosition(int64_t pos) { pos_ = pos; }
  int64_t size() const { return bits_; }
  bool overrun() const { return pos_ > bits_; }

 private:
  // Return: 32 bits starting at bit position pos, zeros past the end.
  uint32_t window32(int64_t pos) const {
    if (pos < 0 || pos >= bits_) return 0;
    const int64_t byte = pos >> 3;
    const int64_t total = bits_ >> 3;
    const uint8_t* d = data_ + byte;
    uint64_t w;
    if (byte + 5 <= total) {
      w = uint64_t(d[0]) << 32 | uint64_t(d[1]) << 24 | uint64_t(d[2]) << 16 |
          uint64_t(d[3]) << 8 | uint64_t(d[4]);
    } else {
      w = 0;
      for (int64_t i = 0; i < 5; ++i) w = (w << 8) | (byte + i < total ? d[i] : 0u);
    }
    return uint32_t(w >> (8 - (pos & 7)));
  }

  const uint8_t* data_ = nullptr;
  int64_t bits_ = 0;
  int64_t pos_ = 0;
};

}  // namespace zarnel
