#pragma once
// Plain 32-bit fields of shared records (the track store's TrackEntry and
// TrackData) that the audio thread writes while the UI thread reads them:
// each access is one relaxed atomic word, so a reader sees an old or a new
// value, never a torn one.

#include <atomic>
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
