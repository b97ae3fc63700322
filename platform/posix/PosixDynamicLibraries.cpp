#include "platform/posix/PosixDynamicLibraries.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace zarnel {

namespace {

class PosixLoadedLibrary : public LoadedLibrary {
 public:
  explicit PosixLoadedLibrary(void* handle) : handle_(handle) {}
  ~PosixLoadedLibrary() override { dlclose(handle_); }
  PosixLoadedLibrary(const PosixLoadedLibrary&) = delete;
  PosixLoadedLibrary& operator=(const PosixLoadedLibrary&) = delete;

  void* symbol(const char* name) override { return dlsym(handle_, name); }
  void* moduleHandle() override { return handle_; }

 private:
  void* handle_;
};

}  // namespace

std::unique_ptr<LoadedLibrary> PosixDynamicLibraries::load(const std::string& path, std::string& error) {
  error.clear();
  const std::string local = path.find('/') == std::string::npos ? "./" + path : path;
  struct stat info;
  if (path.empty() || stat(local.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    error = "not found: " + path;
    return nullptr;
  }
  void* handle = dlopen(local.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* text = dlerror();
    error = std::string("not a library: ") + (text ? text : path.c_str());
    return nullptr;
  }
  return std::make_unique<PosixLoadedLibrary>(handle);
}

}  // namespace zarnel
