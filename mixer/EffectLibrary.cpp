#include "mixer/EffectLibrary.h"

#include <algorithm>

#include "platform/DynamicLibrary.h"

namespace zarnel {

// The older form's record behind an object of the interface's layout: the
// block first, so the host treats both forms alike; user is the slot the
// record's functions receive.
struct EffectLibrary::Legacy {
  ZarnelEffect block{};
  void* user = nullptr;
  ZarnelDspFunctions* record = nullptr;
};

namespace {

using Legacy = EffectLibrary::Legacy;

Legacy& legacyOf(ZarnelEffect* self) { return *reinterpret_cast<Legacy*>(self); }

int32_t ZARNEL_EFFECT_CALL legacyInit(ZarnelEffect* self) {
  Legacy& l = legacyOf(self);
  if (l.record->init) l.record->init(&l.user);
  return 0;
}
int32_t ZARNEL_EFFECT_CALL legacyInfo(ZarnelEffect* self, const char** name, const char** vendor) {
  *name = legacyOf(self).record->name;
  *vendor = "";
  return 0;
}
int32_t ZARNEL_EFFECT_CALL legacyParameters(ZarnelEffect*, int32_t* count, const char**) {
  *count = 0;
  return 0;
}
int32_t ZARNEL_EFFECT_CALL legacyStart(ZarnelEffect* self) {
  Legacy& l = legacyOf(self);
  if (l.record->start) l.record->start(&l.user);
  return 0;
}
int32_t ZARNEL_EFFECT_CALL legacyProcess(ZarnelEffect* self, int16_t* frames, int32_t count) {
  Legacy& l = legacyOf(self);
  if (l.record->process) l.record->process(frames, count, self->tempo, self->secondTempo, &l.user);
  return 0;
}
int32_t ZARNEL_EFFECT_CALL legacyRewind(ZarnelEffect* self, int32_t delta) {
  Legacy& l = legacyOf(self);
  if (l.record->rewind) l.record->rewind(&l.user, delta);
  return 0;
}
int32_t ZARNEL_EFFECT_CALL legacyStop(ZarnelEffect* self) {
  Legacy& l = legacyOf(self);
  if (l.record->stop) l.record->stop(&l.user);
  return 0;
}
int32_t ZARNEL_EFFECT_CALL legacyRelease(ZarnelEffect* self) {
  Legacy& l = legacyOf(self);
  if (l.record->release) l.record->release(&l.user);
  return 0;
}

const ZarnelEffectOperations kLegacyOperations = {legacyInit,    legacyInfo,   legacyParameters, legacyStart,
                                                  legacyProcess, legacyRewind, legacyStop,       legacyRelease};

// Return: whether every operation of the table is there: the host calls each.
bool complete(const ZarnelEffectOperations* t) {
  return t && t->init && t->getInfo && t->getParameters && t->start && t->process && t->rewind && t->stop && t->release;
}

}  // namespace

std::unique_ptr<EffectLibrary> EffectLibrary::load(DynamicLibraries& libraries, const std::string& path,
                                                   const EffectHostLinks& links, std::string& error) {
  std::unique_ptr<EffectLibrary> effect(new EffectLibrary());
  effect->library_ = libraries.load(path, error);
  if (!effect->library_) return nullptr;
  if (!effect->takeObject(error) && !effect->wrapRecord(error)) return nullptr;
  ZarnelEffect& b = *effect->object_;
  b.callback = links.callback;
  b.module = effect->library_->moduleHandle();
  b.mainWindow = links.mainWindow;
  b.hostVersion = ZARNEL_EFFECT_HOST_VERSION;
  b.slot = links.slot;
  if (effect->legacy_) effect->legacy_->record->mainWindow = links.mainWindow;
  b.operations->init(&b);
  effect->describe();
  return effect;
}

// The class factory's object, when it offers one with every operation.
bool EffectLibrary::takeObject(std::string& error) {
  auto* factory = reinterpret_cast<ZarnelEffectFactory>(library_->symbol(ZARNEL_EFFECT_FACTORY_NAME));
  if (!factory) factory = reinterpret_cast<ZarnelEffectFactory>(library_->symbol(ZARNEL_EFFECT_FACTORY_STDCALL_NAME));
  if (!factory) return false;
  const ZarnelGuid classId = ZARNEL_EFFECT_CLASS_ID_INIT, interfaceId = ZARNEL_EFFECT_INTERFACE_ID_INIT;
  void* object = nullptr;
  if (factory(&classId, &interfaceId, &object) < 0 || !object) return false;
  auto* effect = static_cast<ZarnelEffect*>(object);
  if (!complete(effect->operations)) {
    // Without its release the object cannot be given back: it stays with the library.
    error = "the effect object lacks an operation";
    return false;
  }
  object_ = effect;
  return true;
}

bool EffectLibrary::wrapRecord(std::string& error) {
  auto* entry = reinterpret_cast<ZarnelDspEntry>(library_->symbol(ZARNEL_DSP_ENTRY_NAME));
  ZarnelDspFunctions* record = entry ? entry() : nullptr;
  if (!record) {
    if (error.empty()) error = "not an effect: no DllGetClassObject or GetZarnelDsp export";
    return false;
  }
  record->module = library_->moduleHandle();
  legacy_ = std::make_unique<Legacy>();
  legacy_->record = record;
  legacy_->block.operations = &kLegacyOperations;
  object_ = &legacy_->block;
  error.clear();
  return true;
}

// The name, vendor and parameter names, copied: the effect's texts are its own.
void EffectLibrary::describe() {
  const char* name = nullptr;
  const char* vendor = nullptr;
  object_->operations->getInfo(object_, &name, &vendor);
  name_ = name ? name : "";
  vendor_ = vendor ? vendor : "";
  const char* names[3] = {nullptr, nullptr, nullptr};
  int32_t count = 0;
  object_->operations->getParameters(object_, &count, names);
  parameterCount_ = std::clamp(count, 0, 3);
  for (int32_t i = 0; i < parameterCount_; ++i) parameterNames_[size_t(i)] = names[i] ? names[i] : "";
}

EffectLibrary::~EffectLibrary() {
  if (object_) object_->operations->release(object_);
  object_ = nullptr;
  legacy_.reset();
  library_.reset();
}

void EffectLibrary::start() { object_->operations->start(object_); }
void EffectLibrary::stop() { object_->operations->stop(object_); }
void EffectLibrary::processRt(int16_t* frames, int32_t count) { object_->operations->process(object_, frames, count); }
void EffectLibrary::rewindRt(int32_t delta) { object_->operations->rewind(object_, delta); }

}  // namespace zarnel
