#pragma once
// DLLs through LoadLibraryEx.

#include "platform/DynamicLibrary.h"

namespace zarnel {

// Thread: any (the loader lock serialises the system's calls).
class Win32DynamicLibraries : public DynamicLibraries {
 public:
  // Loads with LOAD_WITH_ALTERED_SEARCH_PATH: the DLL's own folder is
  // searched first for the DLLs it depends on. Windows' error dialog for a
  // missing dependency or a bad image is turned off for the call.
  std::unique_ptr<LoadedLibrary> load(const std::string& path, std::string& error) override;
};

}  // namespace zarnel
