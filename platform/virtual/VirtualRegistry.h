#pragma once
// An in-memory registry with one key. Tests look at what was stored and at
// every write in order, and can make opens, reads and writes fail.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/RegistryValueList.h"

namespace zarnel {

// Single-threaded, like the tests using it.
class VirtualRegistry : public Registry {
 public:
  // Makes the key subKey exist (compared without regard to case), as an
  // installer does, with no values. Post: any earlier key and its values are gone.
  void createKey(std::string subKey);
  // Post: the key and its values are gone; opens fail.
  void deleteKey();
  // Stores a value as an earlier run would have left it, without logging a write.
  // Pre: the key exists.
  void store(std::string name, uint32_t type, std::vector<uint8_t> data);

  void setOpenFails(bool fails) { openFails_ = fails; }
  void setReadFails(bool fails) { readFails_ = fails; }
  void setWriteFails(bool fails) { writeFails_ = fails; }

  // The key's values, in the order they were first stored.
  const RegistryValueList& stored() const { return stored_; }
  // Every successful write call, in order.
  const std::vector<RegistryValue>& writes() const { return writes_; }
  int32_t opens() const { return opens_; }
  int32_t closes() const { return closes_; }
  bool isOpen() const { return open_; }

  bool open(const char* subKey) override;
  bool read(const char* name, uint32_t& type, std::vector<uint8_t>& data) override;
  bool write(const char* name, uint32_t type, const uint8_t* data, uint32_t size) override;
  bool close() override;

 private:
  std::string key_;
  bool keyExists_ = false;
  bool open_ = false;
  bool openFails_ = false;
  bool readFails_ = false;
  bool writeFails_ = false;
  RegistryValueList stored_;
  std::vector<RegistryValue> writes_;
  int32_t opens_ = 0;
  int32_t closes_ = 0;
};

}  // namespace zarnel
