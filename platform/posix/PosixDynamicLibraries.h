#pragma once
// Shared objects through dlopen.

#include "platform/DynamicLibrary.h"

namespace zarnel {

// Thread: any (dlopen, dlsym and dlclose are thread-safe; dlerror's text is
// taken right after the failing call).
class PosixDynamicLibraries : public DynamicLibraries {
 public:
  // Loads with RTLD_NOW | RTLD_LOCAL: an unresolved symbol fails here, not
  // in the middle of a call, and the plug-in's symbols stay its own. A path
  // without '/' is taken as "./path", so dlopen never searches the system's
  // library folders for a user's file.
  std::unique_ptr<LoadedLibrary> load(const std::string& path, std::string& error) override;
};

}  // namespace zarnel
