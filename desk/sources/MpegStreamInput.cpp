#include "desk/sources/MpegStreamInput.h"

#include <cerrno>
#include <cstdio>
#include <new>
#include <string>

#include "decoder/Decoder.h"
#include "decoder/DecoderResult.h"
#include "desk/sources/ReadAhead.h"
#include "platform/AudioThread.h"

namespace zarnel {

namespace {

using namespace mpeg;

constexpr int32_t kFetchBytes = 16384;  // one reader fetch: the decoder's input buffer

// One open file. It is its read-ahead's feed: the reader thread reads and
// seeks the file while the decoder reads the ring.
struct StreamHandle final : ReadAheadFeed {
  std::string name;
  std::FILE* file = nullptr;
  ReadAhead* ahead = nullptr;  // set while streaming

  int32_t unitBytes() const override { return kFetchBytes; }
  bool reposition(int64_t offset) override {
    ZARNEL_NOT_ON_AUDIO_THREAD();
    std::clearerr(file);
    return std::fseek(file, long(offset), SEEK_SET) == 0;
  }
  int32_t fetch(uint8_t* dst, int32_t max) override {
    ZARNEL_NOT_ON_AUDIO_THREAD();
    const size_t got = std::fread(dst, 1, size_t(max < kFetchBytes ? max : kFetchBytes), file);
    if (got == 0 && std::ferror(file)) return -1;
    return int32_t(got);
  }
  void stopStreaming() {
    if (ahead) ahead->detach();
    ahead = nullptr;
  }
};

StreamHandle& handleOf(void* h) { return *static_cast<StreamHandle*>(h); }

int32_t init() { return 0; }

int32_t query(InputInfo* info, int32_t device) {
  if (info == nullptr) return kBadParameter;
  if (device != 0) return kUnknownModule;
  info->name = "Input From Read-Ahead";
  info->version = "Version 1.0";
  info->description = "any file name";
  return 0;
}

int32_t create(void** handle, const char* name, int32_t, Decoder*) {
  if (handle == nullptr || name == nullptr || name[0] == '\0') return kBadParameter;
  auto* h = new (std::nothrow) StreamHandle;
  if (h == nullptr) return kOutOfMemory;
  h->name = name;
  *handle = h;
  return 0;
}

void destroy(void* handle) { delete static_cast<StreamHandle*>(handle); }

int32_t open(void* handle) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  StreamHandle& h = handleOf(handle);
  errno = 0;
  h.file = std::fopen(h.name.c_str(), "rb");
  if (h.file != nullptr) return 0;
  return errno == ENOENT ? kFileNotFound : errno == EACCES ? kPermissionDenied : kOpenFailed;
}

int32_t close(void* handle) {
  StreamHandle& h = handleOf(handle);
  h.stopStreaming();
  if (h.file != nullptr) std::fclose(h.file);
  h.file = nullptr;
  return 0;
}

int32_t read(void* handle, uint8_t* buffer, int32_t count) {
  StreamHandle& h = handleOf(handle);
  if (h.file == nullptr || count < 0) return kWrongState;
  if (h.ahead) {
    const int32_t got = h.ahead->takeRt(buffer, count);
    return got < 0 ? kWrongState : got;
  }
  ZARNEL_NOT_ON_AUDIO_THREAD();
  return int32_t(std::fread(buffer, 1, size_t(count), h.file));
}

int32_t seek(void* handle, int64_t offset) {
  StreamHandle& h = handleOf(handle);
  if (h.file == nullptr) return kWrongState;
  if (h.ahead) return h.ahead->seekRt(offset) ? 0 : kWrongState;
  return h.reposition(offset) ? 0 : kWrongState;
}

int32_t isSeekable(void*) { return 1; }

// Called by the decoder's start on the UI thread, before streaming.
int64_t getSize(void* handle) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  StreamHandle& h = handleOf(handle);
  if (h.file == nullptr || h.ahead) return 0;
  const long here = std::ftell(h.file);
  if (here < 0 || std::fseek(h.file, 0, SEEK_END) != 0) return 0;
  const long size = std::ftell(h.file);
  std::fseek(h.file, here, SEEK_SET);
  return size < 0 ? 0 : int64_t(size);
}

// UI thread: starts or stops streaming through a read-ahead. The reader
// continues from where the direct reads stopped.
int32_t sendMessage(void* handle, int32_t message, void* data) {
  StreamHandle& h = handleOf(handle);
  h.stopStreaming();
  if (message == kStreamThroughReadAhead && data != nullptr && h.file != nullptr) {
    h.ahead = static_cast<ReadAhead*>(data);
    h.ahead->attach(&h);
  }
  return 0;
}

const InputModule kStreamInput = {init, query, create, destroy, open, close, read, seek, isSeekable, getSize, sendMessage};

}  // namespace

const InputModule& mpegStreamInputModule() { return kStreamInput; }

}  // namespace zarnel
