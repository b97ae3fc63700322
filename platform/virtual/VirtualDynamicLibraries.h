#pragma once
// Libraries that live in the test's own process: a test registers a
// "library" under a path as a table of exports, and the code under test
// loads it through the DynamicLibraries service as it would a real file.

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "platform/DynamicLibrary.h"

namespace zarnel {

// Thread: any; registration and the counters are guarded.
class VirtualDynamicLibraries : public DynamicLibraries {
 public:
  using Exports = std::map<std::string, void*>;

  // Return: fn as an export address (functions and data share one address
  // space on every platform the program runs on).
  template <typename Function>
  static void* exportOf(Function* fn) {
    return reinterpret_cast<void*>(fn);
  }

  // Registers path as a library with exports. Its module handle is a
  // distinct address owned by this object.
  void add(const std::string& path, Exports exports);
  // Registers path as a file that exists but is not a library: load fails
  // with "not a library: <why>".
  void addNotALibrary(const std::string& path, const std::string& why = "invalid file format");

  // Return: a library of path's exports; "not found: <path>" for an
  // unregistered path.
  std::unique_ptr<LoadedLibrary> load(const std::string& path, std::string& error) override;

  // Return: successful loads, and libraries freed, since construction.
  int32_t loads() const { return loads_.load(); }
  int32_t unloads() const { return unloads_.load(); }
  // Return: the libraries loaded and not yet freed.
  int32_t loaded() const { return loads_.load() - unloads_.load(); }
  // Return: the module handle a library of path gets (null if unregistered).
  void* moduleHandleOf(const std::string& path) const;

 private:
  struct Entry {
    bool isLibrary = true;
    std::string why;
    Exports exports;
    char handle = 0;  // its address is the module handle
  };
  friend class VirtualLoadedLibrary;

  mutable std::mutex mutex_;
  std::map<std::string, Entry> entries_;  // node-based: handles stay put
  std::atomic<int32_t> loads_{0};
  std::atomic<int32_t> unloads_{0};
};

}  // namespace zarnel
