// Drives a built effect library through its published interface only, as
// the host would: dlopen, the class factory, the eight operations, and a
// host callback that records what the effect asked for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugins/ZarnelEffect.h"

namespace zarnel::test {

// One request of an effect to its host.
struct HostCall {
  int32_t delay;
  int32_t command;
  int32_t value;
  bool operator==(const HostCall&) const = default;
};

// The host callback of the tests. The callback has no context argument, so
// one recorder serves the process; each test clears it.
class FakeHost {
 public:
  static std::vector<HostCall>& calls();
  static int32_t ZARNEL_EFFECT_CALL callback(int32_t delay, int32_t command, int32_t value);
};

// An opened effect library.
class EffectLibrary {
 public:
  explicit EffectLibrary(const std::string& path);
  ~EffectLibrary();
  EffectLibrary(const EffectLibrary&) = delete;
  EffectLibrary& operator=(const EffectLibrary&) = delete;

  // Return: the address of an export, or null.
  void* symbol(const char* name) const;
  // Return: the class factory export, or null.
  ZarnelEffectFactory factory() const;
  // Return: the loader's message when the library did not open.
  const std::string& error() const { return error_; }

 private:
  void* handle_ = nullptr;
  std::string error_;
};

// One effect object of a library, created, initialised and given a block as
// the host fills it; released when destroyed.
class LoadedEffect {
 public:
  explicit LoadedEffect(const EffectLibrary& library, float tempo = 120.0f);
  ~LoadedEffect();
  LoadedEffect(const LoadedEffect&) = delete;
  LoadedEffect& operator=(const LoadedEffect&) = delete;

  ZarnelEffect& block() { return *effect_; }
  const ZarnelEffectOperations& operations() const { return *effect_->operations; }
  void start() { operations().start(effect_); }
  void rewind(int32_t delta) { operations().rewind(effect_, delta); }
  void setParameter(int index, int32_t value) { effect_->parameters[index] = value; }
  // Processes frames (interleaved stereo) in place, in blocks of blockFrames.
  void process(std::vector<int16_t>& frames, int32_t blockFrames = 1152);

 private:
  ZarnelEffect* effect_ = nullptr;
};

// Interleaved stereo frames, left(i) and right(i) for i = first .. first + count - 1.
template <class Left, class Right>
std::vector<int16_t> stereo(int32_t first, int32_t count, Left left, Right right) {
  std::vector<int16_t> frames(size_t(count) * 2);
  for (int32_t i = 0; i < count; ++i) {
    frames[size_t(i) * 2] = static_cast<int16_t>(left(first + i));
    frames[size_t(i) * 2 + 1] = static_cast<int16_t>(right(first + i));
  }
  return frames;
}

}  // namespace zarnel::test
