#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

namespace zarnel {

namespace {

class Win32File : public ByteFile {
 public:
  explicit Win32File(HANDLE file) : file_(file) {}
  ~Win32File() override { CloseHandle(file_); }

  int32_t read(void* dst, int32_t bytes) override {
    if (bytes < 0) return -1;
    DWORD got = 0;
    if (!ReadFile(file_, dst, DWORD(bytes), &got, nullptr)) return -1;
    return int32_t(got);
  }
  bool seek(int64_t offset) override {
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return offset >= 0 && SetFilePointerEx(file_, to, nullptr, FILE_BEGIN) != 0;
  }
  int64_t size() override {
    LARGE_INTEGER size;
    return GetFileSizeEx(file_, &size) ? int64_t(size.QuadPart) : -1;
  }

 private:
  HANDLE file_;
};

}  // namespace

std::unique_ptr<ByteFile> Win32FileSystem::openRead(const char* path) {
  if (!path) return nullptr;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32File>(file);
}

}  // namespace zarnel
