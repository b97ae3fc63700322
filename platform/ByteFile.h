#pragma once
// Access to one file's bytes, and the service that opens files.

#include <cstdint>
#include <memory>

namespace zarnel {

class WritableFile;

// One open file, read sequentially with seeks. Not thread-safe; one owner.
class ByteFile {
 public:
  virtual ~ByteFile() = default;
  // Return: the bytes read into dst, 0 at the end of the file, -1 on an error.
  virtual int32_t read(void* dst, int32_t bytes) = 0;
  // Moves the next read to the absolute byte offset. Return: false on an error.
  virtual bool seek(int64_t offset) = 0;
  // Return: the file's size in bytes, -1 if unknown.
  virtual int64_t size() = 0;
};

// How an open for writing under a file's writer lock came out.
enum class WriteLock {
  kHeld,    // opened; the file's one writer until this handle is closed
  kBusy,    // another writer (this program or another) holds the file's lock
  kFailed,  // cannot be opened for writing for another reason
};

// A file opened as its one writer: the file is set only with kHeld.
struct LockedFile {
  std::unique_ptr<WritableFile> file;
  WriteLock state = WriteLock::kFailed;
};

// Longest pause between two tries at a writer lock that another writer holds.
inline constexpr int32_t kWriterLockPollMs = 100;

// Opens files by path. Implemented by each backend.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Return: the open file, or null when it cannot be opened. UI thread.
  virtual std::unique_ptr<ByteFile> openRead(const char* path) = 0;
  // Opens path for reading and writing, shared with readers only, and takes
  // its writer lock, an advisory lock that every writer through a FileSystem
  // takes, so that one writer at a time changes the file; the lock lives as
  // long as the returned file. A missing file is created empty when create
  // is set. While another writer holds the lock, tries again every
  // kWriterLockPollMs at most until waitMs have passed (0: one try).
  // Return: kHeld with the file; kBusy when the lock is still held by
  // another writer; kFailed for any other failure (no such file, a folder,
  // no permission, a file system without locks). UI thread; may block for
  // waitMs.
  LockedFile openLocked(const char* path, bool create, int32_t waitMs);
  // openLocked without waiting. Return: the file, or null when it cannot be
  // opened so or another writer holds it. UI thread.
  virtual std::unique_ptr<WritableFile> openReadWrite(const char* path, bool create);

 protected:
  // One try at openLocked. The default, for backends that cannot write,
  // opens nothing (kFailed).
  virtual LockedFile tryOpenLocked(const char* path, bool create);
  // The pause between two tries. The default sleeps the calling thread.
  virtual void pauseBetweenTries(int32_t ms);
};

}  // namespace zarnel
