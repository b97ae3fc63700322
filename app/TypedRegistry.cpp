#include "app/TypedRegistry.h"

#include <algorithm>
#include <cstring>

#include "app/Settings.h"
#include "platform/Registry.h"

namespace zarnel {

bool TypedRegistry::readTyped(const char* name, uint32_t type, std::vector<uint8_t>& data) {
  uint32_t storedType = kRegNone;
  return registry_.read(name, storedType, data) && storedType == type;
}

bool TypedRegistry::readDword(const char* name, int32_t& out) {
  std::vector<uint8_t> data;
  if (!readTyped(name, kRegDword, data) || data.size() != 4) return false;
  out = int32_t(uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                uint32_t(data[3]) << 24);
  return true;
}

bool TypedRegistry::readText(const char* name, std::string& out) {
  std::vector<uint8_t> data;
  if (!readTyped(name, kRegSz, data) || data.size() > kSettingsTextBytes) return false;
  const auto end = std::find(data.begin(), data.end(), uint8_t(0));
  out.assign(data.begin(), end);
  return true;
}

bool TypedRegistry::readExact(const char* name, uint8_t* out, size_t size) {
  std::vector<uint8_t> data;
  if (!readTyped(name, kRegBinary, data) || data.size() != size) return false;
  std::memcpy(out, data.data(), size);
  return true;
}

bool TypedRegistry::readBinary(const char* name, std::vector<uint8_t>& out) {
  std::vector<uint8_t> data;
  if (!readTyped(name, kRegBinary, data)) return false;
  out = std::move(data);
  return true;
}

void TypedRegistry::writeDword(const char* name, int32_t value) {
  const uint32_t bits = uint32_t(value);
  const uint8_t data[4] = {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
  write(name, kRegDword, data, sizeof data);
}

void TypedRegistry::writeText(const char* name, std::string_view text) {
  text = text.substr(0, std::min(text.find('\0'), kSettingsTextBytes - 1));
  std::vector<uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  write(name, kRegSz, data.data(), data.size());
}

void TypedRegistry::writeBinary(const char* name, const uint8_t* data, size_t size) {
  write(name, kRegBinary, data, size);
}

void TypedRegistry::write(const char* name, uint32_t type, const uint8_t* data, size_t size) {
  if (size > kMaxRegistryValueBytes || !registry_.write(name, type, data, uint32_t(size)))
    allWritten_ = false;
}

}  // namespace zarnel
