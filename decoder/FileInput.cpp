#include "decoder/FileInput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "decoder/Decoder.h"
#include "decoder/DecoderResult.h"

namespace zarnel {

namespace {

using namespace mpeg;

struct FileHandle {
  std::string name;
  int32_t moduleId = 0;
  Decoder* decoder = nullptr;
  std::FILE* file = nullptr;
  bool standardInput = false;
};

FileHandle& handleOf(void* h) { return *static_cast<FileHandle*>(h); }

int32_t init() { return 0; }

int32_t query(InputInfo* info, int32_t device) {
  if (info == nullptr) return kBadParameter;
  static const char* const kDevices[2] = {"any file name", "standard input"};
  if (device < 0 || device > 1) return kUnknownModule;
  info->name = "Input From File";
  info->version = "Version 1.2";
  info->description = kDevices[device];
  return 0;
}

int32_t create(void** handle, const char* name, int32_t moduleId, Decoder* decoder) {
  if (handle == nullptr || name == nullptr || name[0] == '\0') {
    if (decoder != nullptr) decoder->reportError(moduleId, "internal error", "null params or null/empty input name");
    return kBadParameter;
  }
  FileHandle* f = new (std::nothrow) FileHandle;
  if (f == nullptr) return kOutOfMemory;
  f->name = name;
  f->moduleId = moduleId;
  f->decoder = decoder;
  *handle = f;
  return 0;
}

void destroy(void* handle) { delete static_cast<FileHandle*>(handle); }

int32_t openFailure(FileHandle& f, int error) {
  const char* what = error == ENOENT ? "file not found" : error == EACCES ? "permission denied" : std::strerror(error);
  if (f.decoder != nullptr) f.decoder->reportError(f.moduleId, "cannot open input file", what);
  return error == ENOENT ? kFileNotFound : error == EACCES ? kPermissionDenied : kOpenFailed;
}

int32_t open(void* handle) {
  FileHandle& f = handleOf(handle);
  if (f.name == "-") {
    f.file = stdin;
    f.standardInput = true;
    return 0;
  }
  errno = 0;
  f.file = std::fopen(f.name.c_str(), "rb");
  return f.file != nullptr ? 0 : openFailure(f, errno);
}

int32_t close(void* handle) {
  FileHandle& f = handleOf(handle);
  if (f.file != nullptr && !f.standardInput) std::fclose(f.file);
  f.file = nullptr;
  return 0;
}

int32_t read(void* handle, uint8_t* buffer, int32_t count) {
  FileHandle& f = handleOf(handle);
  if (f.file == nullptr || count < 0) return kWrongState;
  return int32_t(std::fread(buffer, 1, size_t(count), f.file));
}

int32_t seek(void* handle, int64_t offset) {
  FileHandle& f = handleOf(handle);
  if (f.file == nullptr || f.standardInput) return kWrongState;
  std::clearerr(f.file);
  return std::fseek(f.file, long(offset), SEEK_SET) == 0 ? 0 : kWrongState;
}

int32_t isSeekable(void* handle) { return handleOf(handle).standardInput ? 0 : 1; }

int64_t getSize(void* handle) {
  FileHandle& f = handleOf(handle);
  if (f.file == nullptr || f.standardInput) return 0;
  const long here = std::ftell(f.file);
  if (here < 0 || std::fseek(f.file, 0, SEEK_END) != 0) return 0;
  const long size = std::ftell(f.file);
  std::fseek(f.file, here, SEEK_SET);
  return size < 0 ? 0 : int64_t(size);
}

int32_t sendMessage(void*, int32_t, void*) { return 0; }

const InputModule kFileInput = {init, query, create, destroy, open, close, read, seek, isSeekable, getSize, sendMessage};

}  // namespace

const InputModule& fileInputModule() { return kFileInput; }

}  // namespace zarnel
