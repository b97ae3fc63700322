#pragma once
// One effect library loaded into an effect slot: the library, the effect
// object it made (an object of the older function-record form is wrapped
// in one of the same layout), and what the effect says of itself. The host
// fills the object's information block; the effect runs through it.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "plugins/ZarnelEffect.h"

namespace zarnel {

class DynamicLibraries;
class LoadedLibrary;

// What the host gives a new effect.
struct EffectHostLinks {
  int32_t slot = 0;                         // 0..5
  ZarnelEffectCallback callback = nullptr;  // this slot's callback
  void* mainWindow = nullptr;               // the main window's handle, or null
};

class EffectLibrary {
 public:
  // Loads path: the class factory ("DllGetClassObject", else
  // "_DllGetClassObject@12") asked for the effect interface, else the older
  // "GetZarnelDsp" record; then fills the host's fields and calls init, get
  // info and get parameters. UI thread.
  // Return: null with error set when the file is no library, offers neither
  // form, or its object or record is unusable (a null operation).
  static std::unique_ptr<EffectLibrary> load(DynamicLibraries& libraries, const std::string& path,
                                             const EffectHostLinks& links, std::string& error);
  // Releases the effect, then frees the library. UI thread.
  ~EffectLibrary();
  EffectLibrary(const EffectLibrary&) = delete;
  EffectLibrary& operator=(const EffectLibrary&) = delete;

  // The information block the host refreshes before each call.
  ZarnelEffect& block() { return *object_; }
  const std::string& name() const { return name_; }
  const std::string& vendor() const { return vendor_; }
  int32_t parameterCount() const { return parameterCount_; }
  const std::string& parameterName(int32_t i) const { return parameterNames_[size_t(i)]; }
  bool olderForm() const { return legacy_ != nullptr; }

  // UI thread.
  void start();
  void stop();
  // Audio thread (the effect's own code runs there too).
  void processRt(int16_t* frames, int32_t count);
  void rewindRt(int32_t delta);

  struct Legacy;  // the wrapper of an older effect

 private:
  EffectLibrary() = default;
  bool takeObject(std::string& error);
  bool wrapRecord(std::string& error);
  void describe();

  std::unique_ptr<LoadedLibrary> library_;
  ZarnelEffect* object_ = nullptr;
  std::unique_ptr<Legacy> legacy_;
  std::string name_, vendor_;
  int32_t parameterCount_ = 0;
  std::array<std::string, 3> parameterNames_;
};

}  // namespace zarnel
