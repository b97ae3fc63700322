#pragma once
// Libraries of other makers loaded at run time (broadcast plug-ins), and the
// addresses of their exports.

#include <memory>
#include <string>
#include <string_view>

// The calling convention of the C functions a plug-in interface publishes
// (the caller cleans the stack): named on 32-bit Windows, where a compiler
// option could change the default; every other target has only one.
#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
#define ZARNEL_CDECL __cdecl
#else
#define ZARNEL_CDECL
#endif

namespace zarnel {

// The file ending of the platform's own libraries: plug-ins are ".dll" files
// on Windows and ".so" files on Linux.
#ifdef _WIN32
inline constexpr std::string_view kNativeLibraryExtension = ".dll";
#else
inline constexpr std::string_view kNativeLibraryExtension = ".so";
#endif

// One loaded library. Destroying it frees the library: every address taken
// from it is invalid after that.
// Thread: any one thread at a time (the recorder loads and frees on the UI thread).
class LoadedLibrary {
 public:
  virtual ~LoadedLibrary() = default;
  // Return: the address of the export name (a function or data), or null
  // when the library has no such export.
  virtual void* symbol(const char* name) = 0;
  // Return: the library's module handle (Windows: its HMODULE; POSIX: the
  // dlopen handle), as handed to a plug-in; never null.
  virtual void* moduleHandle() = 0;
};

// The platform's loader.
class DynamicLibraries {
 public:
  virtual ~DynamicLibraries() = default;
  // Loads the library at path (a user's file: never looked up on the
  // system's search path) and runs its initialisation.
  // Return: the library, or null with error set to a short text: "not found:
  // <path>" when there is no such file, "not a library: <system text>" when
  // the file is not one the system can load.
  virtual std::unique_ptr<LoadedLibrary> load(const std::string& path, std::string& error) = 0;
};

}  // namespace zarnel
