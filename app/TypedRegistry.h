#pragma once
// Typed reads and writes over an open registry key, with the settings' rules
// for types and sizes: a read takes a value only when both fit, so that the
// caller's default stays otherwise.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel {

class Registry;

// Thread: UI thread. Pre: the registry has its key open while this is used.
class TypedRegistry {
 public:
  explicit TypedRegistry(Registry& registry) : registry_(registry) {}

  // Return: true when name is REG_DWORD of exactly 4 bytes; out then holds it.
  bool readDword(const char* name, int32_t& out);
  // Return: true when name is REG_SZ of at most kSettingsTextBytes bytes; out
  // then holds its text up to the first zero byte.
  bool readText(const char* name, std::string& out);
  // Return: true when name is REG_BINARY of exactly size bytes, copied to out.
  bool readExact(const char* name, uint8_t* out, size_t size);
  // Return: true when name is REG_BINARY (any length); out then holds it.
  bool readBinary(const char* name, std::vector<uint8_t>& out);

  void writeDword(const char* name, int32_t value);
  // Writes text up to its first zero byte, cut to kSettingsTextBytes - 1
  // bytes, with its terminating zero, as REG_SZ.
  void writeText(const char* name, std::string_view text);
  void writeBinary(const char* name, const uint8_t* data, size_t size);
  // Return: false when a write since construction failed.
  bool allWritten() const { return allWritten_; }

 private:
  bool readTyped(const char* name, uint32_t type, std::vector<uint8_t>& data);
  void write(const char* name, uint32_t type, const uint8_t* data, size_t size);

  Registry& registry_;
  bool allWritten_ = true;
};

}  // namespace zarnel
