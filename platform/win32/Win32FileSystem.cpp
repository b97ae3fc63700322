#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include "platform/AudioThread.h"
#include "platform/WritableFile.h"

namespace zarnel {

namespace {

// The operations both kinds of open file share.
int32_t readHandle(HANDLE file, void* dst, int32_t bytes) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  if (bytes < 0) return -1;
  DWORD got = 0;
  if (!ReadFile(file, dst, DWORD(bytes), &got, nullptr)) return -1;
  return int32_t(got);
}

bool seekHandle(HANDLE file, int64_t offset) {
  LARGE_INTEGER to;
  to.QuadPart = offset;
  return offset >= 0 && SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != 0;
}

int64_t sizeOfHandle(HANDLE file) {
  LARGE_INTEGER size;
  return GetFileSizeEx(file, &size) ? int64_t(size.QuadPart) : -1;
}

class Win32File : public ByteFile {
 public:
  explicit Win32File(HANDLE file) : file_(file) {}
  ~Win32File() override { CloseHandle(file_); }

  int32_t read(void* dst, int32_t bytes) override { return readHandle(file_, dst, bytes); }
  bool seek(int64_t offset) override { return seekHandle(file_, offset); }
  int64_t size() override { return sizeOfHandle(file_); }

 private:
  HANDLE file_;
};

// The writer lock: one byte far past any data, so that the exclusive range
// lock, which Windows enforces on reads too, never stands in a reader's way.
constexpr DWORD kLockOffsetHigh = 0x40000000;  // offset 2^62

OVERLAPPED lockRange() {
  OVERLAPPED at{};
  at.Offset = 0;
  at.OffsetHigh = kLockOffsetHigh;
  return at;
}

// Return: kHeld when the lock was taken, kBusy when another handle holds it.
WriteLock lockForWriting(HANDLE file) {
  OVERLAPPED at = lockRange();
  if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
    return WriteLock::kHeld;
  const DWORD error = GetLastError();
  return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? WriteLock::kBusy : WriteLock::kFailed;
}

class Win32WritableFile : public WritableFile {
 public:
  explicit Win32WritableFile(HANDLE file) : file_(file) {}
  ~Win32WritableFile() override {
    OVERLAPPED at = lockRange();
    UnlockFileEx(file_, 0, 1, 0, &at);
    CloseHandle(file_);
  }

  int32_t read(void* dst, int32_t bytes) override { return readHandle(file_, dst, bytes); }
  int32_t write(const void* src, int32_t bytes) override {
    if (bytes < 0) return -1;
    auto* in = static_cast<const char*>(src);
    int32_t done = 0;
    while (done < bytes) {
      DWORD put = 0;
      if (!WriteFile(file_, in + done, DWORD(bytes - done), &put, nullptr) || put == 0) return -1;
      done += int32_t(put);
    }
    return done;
  }
  bool seek(int64_t offset) override { return seekHandle(file_, offset); }
  int64_t size() override { return sizeOfHandle(file_); }
  bool flush() override { return FlushFileBuffers(file_) != 0; }
  bool truncate(int64_t size) override {
    LARGE_INTEGER zero, here;
    zero.QuadPart = 0;
    if (size < 0 || !SetFilePointerEx(file_, zero, &here, FILE_CURRENT)) return false;
    bool cut = seek(size) && SetEndOfFile(file_) != 0;
    return SetFilePointerEx(file_, here, nullptr, FILE_BEGIN) != 0 && cut;
  }

 private:
  HANDLE file_;
};

}  // namespace

std::unique_ptr<ByteFile> Win32FileSystem::openRead(const char* path) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  if (!path) return nullptr;
  // Readers share with a writer, so a file another program keeps open for
  // writing can still be read.
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32File>(file);
}

// Shared for reading only: a second writer is refused by the share mode
// itself (a sharing violation, reported as busy), and by the writer lock
// where it opened with wider sharing.
LockedFile Win32FileSystem::tryOpenLocked(const char* path, bool create) {
  if (!path) return {};
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return {nullptr, GetLastError() == ERROR_SHARING_VIOLATION ? WriteLock::kBusy : WriteLock::kFailed};
  const WriteLock state = lockForWriting(file);
  if (state != WriteLock::kHeld) {
    CloseHandle(file);
    return {nullptr, state};
  }
  return {std::make_unique<Win32WritableFile>(file), WriteLock::kHeld};
}

void Win32FileSystem::pauseBetweenTries(int32_t ms) { Sleep(DWORD(ms)); }

}  // namespace zarnel
