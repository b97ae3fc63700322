#include "plugins/EffectPlugin.h"

#include <dlfcn.h>

#include <algorithm>
#include <stdexcept>

namespace zarnel::test {

std::vector<HostCall>& FakeHost::calls() {
  static std::vector<HostCall> recorded;
  return recorded;
}

int32_t ZARNEL_EFFECT_CALL FakeHost::callback(int32_t delay, int32_t command, int32_t value) {
  calls().push_back({delay, command, value});
  return 1;
}

EffectLibrary::EffectLibrary(const std::string& path) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) error_ = dlerror();
}

EffectLibrary::~EffectLibrary() {
  if (handle_ != nullptr) dlclose(handle_);
}

void* EffectLibrary::symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

ZarnelEffectFactory EffectLibrary::factory() const {
  return reinterpret_cast<ZarnelEffectFactory>(symbol(ZARNEL_EFFECT_FACTORY_NAME));
}

LoadedEffect::LoadedEffect(const EffectLibrary& library, float tempo) {
  const ZarnelGuid classId = ZARNEL_EFFECT_CLASS_ID_INIT;
  const ZarnelGuid interfaceId = ZARNEL_EFFECT_INTERFACE_ID_INIT;
  ZarnelEffectFactory factory = library.factory();
  if (factory == nullptr) throw std::runtime_error("no class factory: " + library.error());
  void* object = nullptr;
  if (factory(&classId, &interfaceId, &object) != 0 || object == nullptr) throw std::runtime_error("no object");
  effect_ = static_cast<ZarnelEffect*>(object);
  effect_->callback = &FakeHost::callback;
  effect_->tempo = tempo;
  effect_->secondTempo = tempo;
  effect_->hostVersion = ZARNEL_EFFECT_HOST_VERSION;
  operations().init(effect_);
}

LoadedEffect::~LoadedEffect() {
  if (effect_ != nullptr) operations().release(effect_);
}

void LoadedEffect::process(std::vector<int16_t>& frames, int32_t blockFrames) {
  const auto total = static_cast<int32_t>(frames.size() / 2);
  for (int32_t first = 0; first < total; first += blockFrames) {
    const int32_t count = std::min(blockFrames, total - first);
    operations().process(effect_, &frames[size_t(first) * 2], count);
  }
}

}  // namespace zarnel::test
