#pragma once
// Plain 32-bit fields of shared records (the track store's TrackEntry and
// TrackData) that the audio thread writes while the UI thread reads them:
// each access is one relaxed atomic word, so a reader sees an old or a new
// value, never a torn one.

#include <atomic>
#include <cstdint>
#include <type_traits>

namespace zarnel {

template <typename T>
T loadWord(const T& word) {
  static_assert(sizeof(T) == 4 && std::is_trivially_copyable_v<T>);
  return std::atomic_ref<T>(const_cast<T&>(word)).load(std::memory_order_relaxed);
}

template <typename T>
void storeWord(T& word, T value) {
  static_assert(sizeof(T) == 4 && std::is_trivially_copyable_v<T>);
  std::atomic_ref<T>(word).store(value, std::memory_order_relaxed);
}

}  // namespace zarnel

namespace zarnel {

// A 32-bit word that one thread writes and others read, as relaxed atomic
// loads and stores. With a single writer, += is a load and a store, not a
// locked read-modify-write, so the audio thread pays nothing for it.
class RtWord {
 public:
  RtWord(int32_t value = 0) : value_(value) {}
  RtWord(const RtWord&) = delete;
  RtWord& operator=(const RtWord& other) { return *this = int32_t(other); }
  operator int32_t() const { return value_.load(std::memory_order_relaxed); }
  RtWord& operator=(int32_t value) {
    value_.store(value, std::memory_order_relaxed);
    return *this;
  }
  RtWord& operator+=(int32_t delta) { return *this = int32_t(*this) + delta; }
  RtWord& operator-=(int32_t delta) { return *this = int32_t(*this) - delta; }

 private:
  std::atomic<int32_t> value_;
};

}  // namespace zarnel
