#pragma once
// The values of one registry key held in memory, in the order they were
// first stored. Names compare without regard to ASCII case.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel {

struct RegistryValue {
  std::string name;
  uint32_t type = 0;
  std::vector<uint8_t> data;
  bool operator==(const RegistryValue&) const = default;
};

// Not thread-safe; one owner.
class RegistryValueList {
 public:
  // A key holds at most this many values, which bounds every lookup.
  static constexpr size_t kMaxValues = 1024;

  // Return: the value of that name, or null. Valid until the next set or clear.
  const RegistryValue* find(std::string_view name) const;
  // Replaces the value of the same name in its place, taking value's spelling
  // of the name, or appends it.
  // Return: false when a new value would pass kMaxValues (nothing changes).
  bool set(RegistryValue value);
  void clear() { values_.clear(); }
  const std::vector<RegistryValue>& values() const { return values_; }

 private:
  std::vector<RegistryValue> values_;
};

}  // namespace zarnel
