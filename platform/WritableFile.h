#pragma once
// A file open for reading and writing at one movable offset: the track
// store's block file and the files the library rewrites.

#include <cstdint>

#include "platform/ByteFile.h"

namespace zarnel {

// Reads and writes advance one offset. Not thread-safe; one owner.
class WritableFile : public ByteFile {
 public:
  // Writes bytes at the current offset, growing the file past its end (a gap
  // before the offset reads as zeros).
  // Return: bytes, or -1 on an error, after which an unknown prefix of src may
  // have reached the file.
  virtual int32_t write(const void* src, int32_t bytes) = 0;
  // Post: every write before this call reaches the disk before any write
  // after it. Return: false on an error.
  virtual bool flush() = 0;
  // Cuts the file to size bytes or extends it with zeros; the offset stays.
  // Return: false on an error.
  virtual bool truncate(int64_t size) = 0;
};

}  // namespace zarnel
