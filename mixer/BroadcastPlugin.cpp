#include "mixer/BroadcastPlugin.h"

#include <cstddef>
#include <type_traits>

namespace zarnel {

// The published layout: pointer-sized fields after the header's int.
static_assert(offsetof(DspModule, hwndParent) == sizeof(void*));
static_assert(offsetof(DspModule, Config) == 3 * sizeof(void*));
static_assert(offsetof(DspModule, Quit) == 6 * sizeof(void*));
static_assert(sizeof(DspModule) == 8 * sizeof(void*));
static_assert(offsetof(DspHeader, getModule) == 2 * sizeof(void*));
static_assert(std::is_same_v<int16_t, short>, "the plug-in takes the frames as short");

namespace {

using GetHeader = DspHeader*(ZARNEL_CDECL*)();

constexpr const char* kHeaderExports[] = {"winampDSPGetHeader2", "winampDSPGetHeader"};

const char kNoSkin[] = "";

intptr_t ZARNEL_CDECL hostSendMessage(DspHostWindow*, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  return answerDspHostQuery(message, wparam, lparam);
}

// Return: the module 0 of the library, or null with error set.
DspModule* moduleOf(LoadedLibrary& library, std::string& error) {
  void* address = nullptr;
  for (const char* name : kHeaderExports)
    if (address == nullptr) address = library.symbol(name);
  if (address == nullptr) {
    error = "no winampDSPGetHeader2 or winampDSPGetHeader export";
    return nullptr;
  }
  const DspHeader* header = reinterpret_cast<GetHeader>(address)();
  if (header == nullptr || header->getModule == nullptr) {
    error = header == nullptr ? "the plug-in gave no header" : "the plug-in's header has no module getter";
    return nullptr;
  }
  DspModule* module = header->getModule(0);
  if (module == nullptr) {
    error = "the plug-in has no module 0";
    return nullptr;
  }
  if (!module->Config || !module->Init || !module->ModifySamples || !module->Quit) {
    error = "the plug-in's module lacks a function";
    return nullptr;
  }
  return module;
}

}  // namespace

intptr_t answerDspHostQuery(uint32_t message, uintptr_t wparam, intptr_t lparam) {
  if (message != kDspHostQueryMessage || lparam != kDspGetSkinQuery) return -1;
  if (wparam != 0) *reinterpret_cast<char*>(wparam) = '\0';
  return reinterpret_cast<intptr_t>(kNoSkin);
}

BroadcastPlugin::BroadcastPlugin() : hostWindow_{&hostSendMessage} {}

BroadcastPlugin::~BroadcastPlugin() { unload(); }

bool BroadcastPlugin::load(DynamicLibraries& libraries, const std::string& path, void* hostWindow,
                           std::string& error) {
  unload();
  std::unique_ptr<LoadedLibrary> library = libraries.load(path, error);
  if (!library) return false;
  DspModule* module = moduleOf(*library, error);
  if (module == nullptr) return false;  // frees the library
  module->hwndParent = hostWindow != nullptr ? hostWindow : static_cast<void*>(&hostWindow_);
  module->hDllInstance = library->moduleHandle();
  library_ = std::move(library);
  module_ = module;
  module->Init(module);
  module->Config(module);
  return true;
}

void BroadcastPlugin::feed(int16_t* frames, int32_t count) {
  module_->ModifySamples(module_, frames, count, kDspBitsPerSample, kDspChannels, kDspSampleRate);
}

void BroadcastPlugin::unload() {
  if (module_ == nullptr) return;
  module_->Quit(module_);
  module_ = nullptr;
  library_.reset();
}

}  // namespace zarnel
