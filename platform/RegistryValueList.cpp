#include "platform/RegistryValueList.h"

#include "platform/TextCase.h"

namespace zarnel {

const RegistryValue* RegistryValueList::find(std::string_view name) const {
  for (const RegistryValue& value : values_)
    if (equalNoCase(value.name, name)) return &value;
  return nullptr;
}

bool RegistryValueList::set(RegistryValue value) {
  for (RegistryValue& stored : values_) {
    if (equalNoCase(stored.name, value.name)) {
      stored = std::move(value);
      return true;
    }
  }
  if (values_.size() >= kMaxValues) return false;
  values_.push_back(std::move(value));
  return true;
}

}  // namespace zarnel
