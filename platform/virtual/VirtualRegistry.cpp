#include "platform/virtual/VirtualRegistry.h"

#include "platform/TextCase.h"

namespace zarnel {

void VirtualRegistry::createKey(std::string subKey) {
  key_ = std::move(subKey);
  keyExists_ = true;
  stored_.clear();
}

void VirtualRegistry::deleteKey() {
  keyExists_ = false;
  stored_.clear();
}

void VirtualRegistry::store(std::string name, uint32_t type, std::vector<uint8_t> data) {
  stored_.set({std::move(name), type, std::move(data)});
}

bool VirtualRegistry::open(const char* subKey) {
  if (open_ || openFails_ || !keyExists_ || !equalNoCase(key_, subKey)) return false;
  open_ = true;
  ++opens_;
  return true;
}

bool VirtualRegistry::read(const char* name, uint32_t& type, std::vector<uint8_t>& data) {
  if (!open_ || readFails_) return false;
  const RegistryValue* value = stored_.find(name);
  if (!value || value->data.size() > kMaxRegistryValueBytes) return false;
  type = value->type;
  data = value->data;
  return true;
}

bool VirtualRegistry::write(const char* name, uint32_t type, const uint8_t* data, uint32_t size) {
  if (!open_ || writeFails_) return false;
  RegistryValue value{name, type, std::vector<uint8_t>(data, data + size)};
  if (!stored_.set(value)) return false;
  writes_.push_back(std::move(value));
  return true;
}

bool VirtualRegistry::close() {
  if (open_) ++closes_;
  open_ = false;
  return true;
}

}  // namespace zarnel
