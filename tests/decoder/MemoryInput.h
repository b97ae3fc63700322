#pragma once
// An input module over bytes in memory, with failure injection, for tests
// and the fuzzer. One MemoryInput serves one registration.

#include <cstdint>
#include <cstring>
#include <vector>

#include "decoder/Decoder.h"
#include "decoder/InputModule.h"

namespace zarnel::test {

class MemoryInput {
 public:
  // Which operation fails from now on, to test the decoder's handling.
  enum class Fail { kNone, kOpen, kRead, kSeek };

  MemoryInput() : module_(makeModule()) { current() = this; }
  ~MemoryInput() { current() = nullptr; }

  const InputModule& module() const { return module_; }
  void setBytes(const uint8_t* data, size_t size) { data_.assign(data, data + size); }
  void setBytes(std::vector<uint8_t> bytes) { data_ = std::move(bytes); }
  void setFail(Fail f) { fail_ = f; }
  void setSeekable(bool s) { seekable_ = s; }
  int64_t offset() const { return offset_; }

 private:
  static MemoryInput*& current() {
    static MemoryInput* instance = nullptr;
    return instance;
  }
  static MemoryInput& self(void* h) { return *static_cast<MemoryInput*>(h); }

  static InputModule makeModule() {
    InputModule m{};
    m.init = [] { return int32_t(0); };
    m.query = [](InputInfo* info, int32_t device) {
      if (device != 0) return mpeg::kUnknownModule;
      info->name = "Memory";
      info->version = "1";
      info->description = "bytes in memory";
      return int32_t(0);
    };
    m.create = [](void** h, const char* name, int32_t, Decoder*) {
      if (name == nullptr || name[0] == '\0') return mpeg::kBadParameter;
      *h = current();
      return int32_t(0);
    };
    m.destroy = [](void*) {};
    m.open = [](void* h) {
      self(h).offset_ = 0;
      return self(h).fail_ == Fail::kOpen ? mpeg::kOpenFailed : int32_t(0);
    };
    m.close = [](void*) { return int32_t(0); };
    m.read = [](void* h, uint8_t* buffer, int32_t count) { return self(h).read(buffer, count); };
    m.seek = [](void* h, int64_t offset) {
      MemoryInput& s = self(h);
      if (s.fail_ == Fail::kSeek || !s.seekable_ || offset < 0) return mpeg::kWrongState;
      s.offset_ = offset;
      return int32_t(0);
    };
    m.isSeekable = [](void* h) { return self(h).seekable_ ? int32_t(1) : int32_t(0); };
    m.getSize = [](void* h) { return int64_t(self(h).data_.size()); };
    m.sendMessage = [](void*, int32_t, void*) { return int32_t(0); };
    return m;
  }

  int32_t read(uint8_t* buffer, int32_t count) {
    if (fail_ == Fail::kRead) return -1;
    const int64_t left = int64_t(data_.size()) - offset_;
    const int32_t n = int32_t(left < count ? (left > 0 ? left : 0) : count);
    if (n > 0) std::memcpy(buffer, data_.data() + offset_, size_t(n));
    offset_ += n;
    return n;
  }

  InputModule module_;
  std::vector<uint8_t> data_;
  int64_t offset_ = 0;
  Fail fail_ = Fail::kNone;
  bool seekable_ = true;
};

}  // namespace zarnel::test
