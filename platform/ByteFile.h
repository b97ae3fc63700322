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

// Opens files by path. Implemented by each backend.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Return: the open file, or null when it cannot be opened. UI thread.
  virtual std::unique_ptr<ByteFile> openRead(const char* path) = 0;
  // Opens path for reading and writing, shared with readers only; a missing
  // file is created empty when create is set. The default, for backends that
  // cannot write, opens nothing.
  // Return: the open file, or null when it cannot be opened so. UI thread.
  virtual std::unique_ptr<WritableFile> openReadWrite(const char* path, bool create);
};

}  // namespace zarnel
