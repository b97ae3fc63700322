#pragma once
// The settings registry: one existing key below the local-machine root,
// holding named values of a type and a byte string. Value names compare
// without regard to (ASCII) case.

#include <cstdint>
#include <vector>

namespace zarnel {

// Value types, numbered as the Windows registry numbers them.
enum RegistryType : uint32_t {
  kRegNone = 0,
  kRegSz = 1,      // text with its terminating zero
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,   // 32-bit little-endian
};

// Largest value a backend reads; anything longer fails to read.
constexpr uint32_t kMaxRegistryValueBytes = 64 * 1024;

// One key at a time. Not thread-safe; the UI thread uses it at start and exit.
class Registry {
 public:
  virtual ~Registry() = default;
  // Opens the existing key subKey (for example "Software\\Zarnel") below the
  // local-machine root, for reading and, where allowed, writing. Never
  // creates it: the installer does.
  // Pre: no key open. Return: false when the key does not exist or cannot be opened.
  virtual bool open(const char* subKey) = 0;
  // Return: false when no key is open, the value does not exist or is longer
  // than kMaxRegistryValueBytes; otherwise its type and bytes.
  virtual bool read(const char* name, uint32_t& type, std::vector<uint8_t>& data) = 0;
  // Creates or replaces the value name with size bytes of data.
  // Return: false when no key is open or the write was refused.
  virtual bool write(const char* name, uint32_t type, const uint8_t* data, uint32_t size) = 0;
  // Post: no key open; everything written is stored.
  // Return: false when the written values could not be stored.
  virtual bool close() = 0;
};

}  // namespace zarnel
