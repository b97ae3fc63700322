#pragma once
// Buffered reader of RIFF files: chunk descend and ascend over a ByteFile.

#include <cstdint>
#include <memory>

#include "platform/ByteFile.h"

namespace zarnel {

// Four-character code, first character in the low byte as stored in the file.
constexpr uint32_t fourCc(char a, char b, char c, char d) {
  return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
         uint32_t(uint8_t(d)) << 24;
}

// Little-endian fields of RIFF headers.
inline uint16_t readLe16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t readLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// One chunk as descend found it. dataOffset is the file offset of its data
// (for "RIFF" and "LIST", of the form type).
struct RiffChunk {
  uint32_t id = 0;
  uint32_t size = 0;
  uint32_t formType = 0;
  int64_t dataOffset = 0;
};

// Reads a RIFF file through an internal buffer. One owner thread.
class RiffFile {
 public:
  static constexpr int32_t kBufferBytes = 16384;

  RiffFile();
  ~RiffFile();
  RiffFile(const RiffFile&) = delete;
  RiffFile& operator=(const RiffFile&) = delete;

  // Opens path through files, closing any open file. Return: false on failure.
  bool open(FileSystem& files, const char* path);
  void close();
  bool isOpen() const { return file_ != nullptr; }

  // Descends into the next chunk at the current offset. With a parent, the
  // search stays inside it. Finds the first chunk with the given id (and, for
  // "RIFF" and "LIST", the given form type); id 0 takes the next chunk.
  // Post: the next read is at the chunk's data (after the form type).
  // Return: false if no such chunk is found or the file ends.
  bool descend(RiffChunk& chunk, const RiffChunk* parent, uint32_t id, uint32_t formType = 0);
  // Moves past the end of chunk (padded to an even size). Return: false on an error.
  bool ascend(const RiffChunk& chunk);

  // Return: bytes copied (fewer at the end of the file), -1 on an error.
  int32_t read(void* dst, int32_t bytes);
  // Moves to an absolute offset. Return: false on an error.
  bool seek(int64_t offset);
  int64_t tell() const { return bufferStart_ + bufferPos_; }
  // Return: the file's size in bytes, -1 if unknown.
  int64_t size();

 private:
  bool fill();

  std::unique_ptr<ByteFile> file_;
  std::unique_ptr<uint8_t[]> buffer_;
  int64_t bufferStart_ = 0;  // file offset of buffer_[0]
  int32_t bufferPos_ = 0;
  int32_t bufferFill_ = 0;
};

}  // namespace zarnel
