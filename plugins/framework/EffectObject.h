// One effect object: the information block of the effect interface followed
// by the effect's private data, with the operations table that forwards the
// eight operations to the effect class.
//
// An effect class provides:
//   static constexpr const char* kName, kVendor;
//   static constexpr std::array<const char*, n> kParameterNames;  (n <= 3)
//   void init(ZarnelEffect& block);             sets the parameter defaults
//   void start(const ZarnelEffect& block);      resets the effect
//   void processRt(ZarnelEffect& block, int16_t* frames, int32_t count);
//   void rewindRt(const ZarnelEffect& block, int32_t delta);
// and must be standard-layout, with every member zero when value-initialised.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>

#include "plugins/ZarnelEffect.h"

namespace zarnel::effects {

template <class Effect>
class EffectObject {
 public:
  // Allocates one object whose block holds only the operations table.
  // Return: its information block, or null when memory ran out.
  // Thread: the host's user-interface thread (never the audio thread).
  static ZarnelEffect* create() {
    auto* object = new (std::nothrow) EffectObject();
    return object != nullptr ? &object->block_ : nullptr;
  }

 private:
  EffectObject() : block_{}, effect_{} { block_.operations = &kOperations; }

  // The block is the first member of a standard-layout object, so the two
  // addresses are the same.
  static EffectObject& of(ZarnelEffect* block) {
    static_assert(std::is_standard_layout_v<EffectObject>, "the block must start the object");
    static_assert(offsetof(EffectObject, block_) == 0, "the block must start the object");
    return *reinterpret_cast<EffectObject*>(block);
  }

  static int32_t ZARNEL_EFFECT_CALL init(ZarnelEffect* block) {
    of(block).effect_.init(*block);
    return 0;
  }
  static int32_t ZARNEL_EFFECT_CALL getInfo(ZarnelEffect*, const char** name, const char** vendor) {
    if (name != nullptr) *name = Effect::kName;
    if (vendor != nullptr) *vendor = Effect::kVendor;
    return 0;
  }
  static int32_t ZARNEL_EFFECT_CALL getParameters(ZarnelEffect*, int32_t* count, const char** names) {
    static_assert(Effect::kParameterNames.size() <= 3, "at most three parameters");
    if (count != nullptr) *count = static_cast<int32_t>(Effect::kParameterNames.size());
    if (names == nullptr) return 0;
    for (size_t i = 0; i < Effect::kParameterNames.size(); ++i) names[i] = Effect::kParameterNames[i];
    return 0;
  }
  static int32_t ZARNEL_EFFECT_CALL start(ZarnelEffect* block) {
    of(block).effect_.start(*block);
    return 0;
  }
  static int32_t ZARNEL_EFFECT_CALL process(ZarnelEffect* block, int16_t* frames, int32_t count) {
    if (frames != nullptr && count > 0) of(block).effect_.processRt(*block, frames, count);
    return 0;
  }
  static int32_t ZARNEL_EFFECT_CALL rewind(ZarnelEffect* block, int32_t delta) {
    of(block).effect_.rewindRt(*block, delta);
    return 0;
  }
  // Stopping keeps the effect's data; start resets it.
  static int32_t ZARNEL_EFFECT_CALL stop(ZarnelEffect*) { return 0; }
  static int32_t ZARNEL_EFFECT_CALL release(ZarnelEffect* block) {
    delete &of(block);
    return 0;
  }

  // The eight operations in the interface's order.
  static constexpr ZarnelEffectOperations kOperations{&init,    &getInfo, &getParameters, &start,
                                                      &process, &rewind,  &stop,          &release};

  ZarnelEffect block_;  // first: the host sees only this
  Effect effect_;
};

}  // namespace zarnel::effects
