#include "tools/decode/StdinInput.h"

#include <cstdio>
#include <cstring>

#include "decoder/DecoderResult.h"

namespace zarnel::tools {

namespace {

const InputPrefix* gPrefix = nullptr;  // one module per process: the tool reads one input
int32_t gServed = 0;

int32_t init() { return 0; }

int32_t query(InputInfo* info, int32_t device) {
  if (info == nullptr) return mpeg::kBadParameter;
  if (device != 0) return mpeg::kUnknownModule;
  info->name = "Standard Input";
  info->version = "1";
  info->description = "standard input";
  return 0;
}

int32_t create(void** handle, const char* name, int32_t, Decoder*) {
  if (handle == nullptr || name == nullptr || std::strcmp(name, "-") != 0) return mpeg::kNoModuleForName;
  *handle = &gServed;
  return 0;
}

void destroy(void*) {}
int32_t open(void*) { return 0; }
int32_t close(void*) { return 0; }

int32_t read(void*, uint8_t* buffer, int32_t count) {
  if (count <= 0) return 0;
  if (gPrefix != nullptr && gServed < gPrefix->count) {
    const int32_t n = count < gPrefix->count - gServed ? count : gPrefix->count - gServed;
    std::memcpy(buffer, gPrefix->bytes + gServed, size_t(n));
    gServed += n;
    return n;
  }
  return int32_t(std::fread(buffer, 1, size_t(count), stdin));
}

int32_t seek(void*, int64_t) { return mpeg::kWrongState; }
int32_t isSeekable(void*) { return 0; }
int64_t getSize(void*) { return 0; }
int32_t sendMessage(void*, int32_t, void*) { return 0; }

const InputModule kStdinInput = {init, query, create, destroy, open,       close,
                                 read, seek,  isSeekable, getSize, sendMessage};

}  // namespace

const InputModule& stdinInputModule(const InputPrefix& prefix) {
  gPrefix = &prefix;
  gServed = 0;
  return kStdinInput;
}

}  // namespace zarnel::tools
