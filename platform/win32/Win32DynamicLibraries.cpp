#include "platform/win32/Win32DynamicLibraries.h"

#include <windows.h>

#include <cstdio>

namespace zarnel {

namespace {

class Win32LoadedLibrary : public LoadedLibrary {
 public:
  explicit Win32LoadedLibrary(HMODULE module) : module_(module) {}
  ~Win32LoadedLibrary() override { FreeLibrary(module_); }
  Win32LoadedLibrary(const Win32LoadedLibrary&) = delete;
  Win32LoadedLibrary& operator=(const Win32LoadedLibrary&) = delete;

  void* symbol(const char* name) override { return reinterpret_cast<void*>(GetProcAddress(module_, name)); }
  void* moduleHandle() override { return module_; }

 private:
  HMODULE module_;
};

// Return: the system's text for code, without its line end.
std::string systemText(DWORD code) {
  char text[256] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                           sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ')) --n;
  if (n == 0) {
    std::snprintf(text, sizeof text, "error %lu", static_cast<unsigned long>(code));
    return text;
  }
  return std::string(text, n);
}

}  // namespace

std::unique_ptr<LoadedLibrary> Win32DynamicLibraries::load(const std::string& path, std::string& error) {
  error.clear();
  const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    error = "not found: " + path;
    return nullptr;
  }
  const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  const DWORD code = GetLastError();
  SetErrorMode(previousMode);
  if (module == nullptr) {
    error = "not a library: " + systemText(code);
    return nullptr;
  }
  return std::make_unique<Win32LoadedLibrary>(module);
}

}  // namespace zarnel
