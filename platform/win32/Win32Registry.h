#pragma once
// The Windows registry: keys below HKEY_LOCAL_MACHINE through the system's
// registry functions (8-bit names and texts).

#include "platform/Registry.h"

namespace zarnel {

// Thread: one thread at a time (the UI thread).
class Win32Registry : public Registry {
 public:
  Win32Registry() = default;
  ~Win32Registry() override { close(); }
  Win32Registry(const Win32Registry&) = delete;
  Win32Registry& operator=(const Win32Registry&) = delete;

  // Opens for reading and writing, or for reading only where writing is not
  // allowed (writes then fail). Never creates the key.
  bool open(const char* subKey) override;
  bool read(const char* name, uint32_t& type, std::vector<uint8_t>& data) override;
  bool write(const char* name, uint32_t type, const uint8_t* data, uint32_t size) override;
  // The system stores each write as it is made; this only closes the key.
  bool close() override;

 private:
  void* key_ = nullptr;  // HKEY
};

}  // namespace zarnel
