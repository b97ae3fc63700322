#include "platform/virtual/VirtualDynamicLibraries.h"

namespace zarnel {

class VirtualLoadedLibrary : public LoadedLibrary {
 public:
  VirtualLoadedLibrary(VirtualDynamicLibraries& owner, VirtualDynamicLibraries::Exports exports, void* handle)
      : owner_(owner), exports_(std::move(exports)), handle_(handle) {}
  ~VirtualLoadedLibrary() override { owner_.unloads_.fetch_add(1); }
  VirtualLoadedLibrary(const VirtualLoadedLibrary&) = delete;
  VirtualLoadedLibrary& operator=(const VirtualLoadedLibrary&) = delete;

  void* symbol(const char* name) override {
    const auto it = exports_.find(name);
    return it == exports_.end() ? nullptr : it->second;
  }
  void* moduleHandle() override { return handle_; }

 private:
  VirtualDynamicLibraries& owner_;
  VirtualDynamicLibraries::Exports exports_;  // a copy: a later add does not change a loaded library
  void* handle_;
};

void VirtualDynamicLibraries::add(const std::string& path, Exports exports) {
  std::lock_guard<std::mutex> lock(mutex_);
  Entry& e = entries_[path];
  e.isLibrary = true;
  e.why.clear();
  e.exports = std::move(exports);
}

void VirtualDynamicLibraries::addNotALibrary(const std::string& path, const std::string& why) {
  std::lock_guard<std::mutex> lock(mutex_);
  Entry& e = entries_[path];
  e.isLibrary = false;
  e.why = why;
  e.exports.clear();
}

std::unique_ptr<LoadedLibrary> VirtualDynamicLibraries::load(const std::string& path, std::string& error) {
  error.clear();
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = entries_.find(path);
  if (it == entries_.end()) {
    error = "not found: " + path;
    return nullptr;
  }
  if (!it->second.isLibrary) {
    error = "not a library: " + it->second.why;
    return nullptr;
  }
  loads_.fetch_add(1);
  return std::make_unique<VirtualLoadedLibrary>(*this, it->second.exports, &it->second.handle);
}

void* VirtualDynamicLibraries::moduleHandleOf(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = entries_.find(path);
  return it == entries_.end() ? nullptr : const_cast<char*>(&it->second.handle);
}

}  // namespace zarnel
