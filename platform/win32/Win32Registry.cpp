#include "platform/win32/Win32Registry.h"

#include <windows.h>

namespace zarnel {

bool Win32Registry::open(const char* subKey) {
  if (key_) return false;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS &&
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  key_ = key;
  return true;
}

bool Win32Registry::read(const char* name, uint32_t& type, std::vector<uint8_t>& data) {
  if (!key_) return false;
  const HKEY key = static_cast<HKEY>(key_);
  DWORD storedType = 0, size = 0;
  if (RegQueryValueExA(key, name, nullptr, &storedType, nullptr, &size) != ERROR_SUCCESS) return false;
  if (size > kMaxRegistryValueBytes) return false;
  std::vector<uint8_t> bytes(size);
  // The value may change between the two calls; the second reports the size it read.
  if (RegQueryValueExA(key, name, nullptr, &storedType, bytes.data(), &size) != ERROR_SUCCESS) return false;
  bytes.resize(size);
  type = storedType;
  data = std::move(bytes);
  return true;
}

bool Win32Registry::write(const char* name, uint32_t type, const uint8_t* data, uint32_t size) {
  if (!key_) return false;
  return RegSetValueExA(static_cast<HKEY>(key_), name, 0, type, data, size) == ERROR_SUCCESS;
}

bool Win32Registry::close() {
  if (key_) RegCloseKey(static_cast<HKEY>(key_));
  key_ = nullptr;
  return true;
}

}  // namespace zarnel
