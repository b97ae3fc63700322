#pragma once
// The single-producer, single-consumer ring of bytes that threads share
// without locks: one thread writes, one thread reads, the buffer is
// allocated once. Positions are free-running 32-bit counts of bytes; their
// difference is the fill, so the capacity must be a power of two.

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>

namespace zarnel {

class SpscRing {
 public:
  // Allocates capacity bytes (a power of two). Any thread, before sharing.
  explicit SpscRing(uint32_t capacity) : capacity_(capacity), bytes_(new uint8_t[capacity]) {}

  uint32_t capacity() const { return capacity_; }

  // --- producer ----------------------------------------------------------
  // Return: the bytes that write may store now.
  uint32_t writable() const {
    // Acquire: pairs with the consumer's release of head_, so the bytes it
    // has finished copying out are not overwritten under it.
    return capacity_ - (tail_.load(std::memory_order_relaxed) - head_.load(std::memory_order_acquire));
  }
  // Return: the producer's position, the count of bytes ever written.
  uint32_t tail() const { return tail_.load(std::memory_order_relaxed); }
  // Return: where the next bytes go, with room set to the bytes that fit
  // there without wrapping, for a producer that writes in place.
  uint8_t* writeSpan(uint32_t& room) const {
    const uint32_t i = tail_.load(std::memory_order_relaxed) & (capacity_ - 1);
    const uint32_t free = writable();
    room = free < capacity_ - i ? free : capacity_ - i;
    return bytes_.get() + i;
  }
  // Publishes n bytes written at writeSpan. Pre: n <= its room.
  void commit(uint32_t n) {
    // Release: the bytes are in place before the consumer can see them counted.
    tail_.store(tail_.load(std::memory_order_relaxed) + n, std::memory_order_release);
  }
  // Copies n bytes in and publishes them. Pre: n <= writable().
  void write(const uint8_t* src, uint32_t n) {
    const uint32_t t = tail_.load(std::memory_order_relaxed);
    copyIn(t, src, n);
    // Release: the bytes are in place before the consumer can see them counted.
    tail_.store(t + n, std::memory_order_release);
  }

  // --- consumer ----------------------------------------------------------
  // Return: the bytes that read may take now.
  uint32_t readable() const {
    // Acquire: pairs with the producer's release of tail_, so the bytes
    // counted here are visible before they are copied out.
    return tail_.load(std::memory_order_acquire) - head_.load(std::memory_order_relaxed);
  }
  // Copies n bytes out and frees their room. Pre: n <= readable().
  void read(uint8_t* dst, uint32_t n) {
    const uint32_t h = head_.load(std::memory_order_relaxed);
    copyOut(h, dst, n);
    // Release: the copy is done before the producer may reuse the room.
    head_.store(h + n, std::memory_order_release);
  }
  // Drops every byte before position (a tail() the producer reported).
  // Pre: position lies between the consumer's position and tail().
  void skipTo(uint32_t position) {
    // Release, as in read: the dropped room goes back to the producer.
    head_.store(position, std::memory_order_release);
  }

  // Empties the ring. Pre: neither side is using it (a lock or a handshake
  // orders this before their next use).
  void reset() {
    head_.store(0, std::memory_order_relaxed);
    tail_.store(0, std::memory_order_relaxed);
  }

 private:
  void copyIn(uint32_t at, const uint8_t* src, uint32_t n) {
    const uint32_t i = at & (capacity_ - 1);
    const uint32_t first = n < capacity_ - i ? n : capacity_ - i;
    std::memcpy(bytes_.get() + i, src, first);
    std::memcpy(bytes_.get(), src + first, n - first);
  }
  void copyOut(uint32_t at, uint8_t* dst, uint32_t n) const {
    const uint32_t i = at & (capacity_ - 1);
    const uint32_t first = n < capacity_ - i ? n : capacity_ - i;
    std::memcpy(dst, bytes_.get() + i, first);
    std::memcpy(dst + first, bytes_.get(), n - first);
  }

  const uint32_t capacity_;
  std::unique_ptr<uint8_t[]> bytes_;
  std::atomic<uint32_t> head_{0};  // written by the consumer only
  std::atomic<uint32_t> tail_{0};  // written by the producer only
};

}  // namespace zarnel
