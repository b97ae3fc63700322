#pragma once
// Most-significant-bit-first reader over a byte range, through a 64-bit
// cache refilled a word at a time. Reads past the end give zero bits and set
// the overrun flag instead of touching memory there, so damaged side
// information can never read out of bounds.

#include <cstdint>

namespace zarnel {

class BitReader {
 public:
  BitReader() = default;
  // Pre: data holds `bytes` bytes and stays alive while the reader is used.
  BitReader(const uint8_t* data, int32_t bytes) : data_(data), bytes_(bytes) { refill(); }

  // Return: the next n bits (0 <= n <= 32) as an unsigned number.
  uint32_t read(int32_t n) {
    const uint32_t v = peek(n);
    skip(n);
    return v;
  }
  bool readBit() { return read(1) != 0; }

  // Return: the next n bits (0 <= n <= 32) without moving.
  uint32_t peek(int32_t n) {
    if (n == 0) return 0;
    if (bits_ < n) refill();
    return uint32_t(cache_ >> (64 - n));
  }
  void skip(int32_t n) {
    if (n <= bits_) {
      cache_ = n < 64 ? cache_ << n : 0;
      bits_ -= n;
      return;
    }
    setPosition(position() + n);
  }

  // Fast path for tight loops: ensure(n) once, then up to n bits through
  // peekFast and skipFast without further checks.
  // Pre (ensure): n <= 56. Pre (peekFast, skipFast): 1 <= n <= the bits ensured.
  void ensure(int32_t n) {
    if (bits_ < n) refill();
  }
  uint32_t peekFast(int32_t n) const { return uint32_t(cache_ >> (64 - n)); }
  void skipFast(int32_t n) {
    cache_ <<= n;
    bits_ -= n;
  }

  int64_t position() const { return next_ * 8 - bits_; }
  void setPosition(int64_t pos) {
    next_ = pos >> 3;
    cache_ = 0;
    bits_ = 0;
    refill();
    skip(int32_t(pos & 7));
  }
  int64_t size() const { return int64_t(bytes_) * 8; }
  bool overrun() const { return position() > size(); }

 private:
  // Tops the cache up to at least 56 valid bits.
  void refill() {
    if (next_ + 8 <= bytes_ && next_ >= 0) {
      const uint8_t* d = data_ + next_;
      // Written so that compilers turn it into one load and a byte swap.
      const uint64_t w = uint64_t(d[0]) << 56 | uint64_t(d[1]) << 48 | uint64_t(d[2]) << 40 |
                         uint64_t(d[3]) << 32 | uint64_t(d[4]) << 24 | uint64_t(d[5]) << 16 |
                         uint64_t(d[6]) << 8 | uint64_t(d[7]);
      // Bits past the counted bytes are the stream's own next bits, so the
      // next refill ORs the same values over them.
      cache_ |= w >> bits_;
      const int64_t take = (63 - bits_) >> 3;
      next_ += take;
      bits_ += take * 8;
      return;
    }
    while (bits_ <= 56) {
      const uint64_t b = next_ >= 0 && next_ < bytes_ ? data_[next_] : 0u;
      cache_ |= b << (56 - bits_);
      ++next_;
      bits_ += 8;
    }
  }

  const uint8_t* data_ = nullptr;
  int64_t bytes_ = 0;
  int64_t next_ = 0;    // next byte to enter the cache
  uint64_t cache_ = 0;  // unread bits, first one at the top
  int64_t bits_ = 0;    // valid bits in cache_ (64-bit: no aliasing with the int32 outputs)
};

}  // namespace zarnel
