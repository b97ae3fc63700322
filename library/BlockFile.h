#pragma once
// The track store's file as a chain of blocks from offset 0, each starting
// with its size: reading heads, and placing a block by the store's rules
// (in place when it fits, else first fit, else at the end; freed space merged
// with the free blocks after it) in a write order that keeps the chain
// readable when a save is cut short.

#include <cstdint>
#include <memory>
#include <vector>

#include "library/TrackBlock.h"

namespace zarnel {

class ByteFile;
class WritableFile;

// UI thread; one owner.
class BlockFile {
 public:
  enum class HeadRead { kOk, kEnd, kPartial, kError };
  struct StoreResult {
    bool saved = false;
    int64_t offset = -1;  // where the entry's block is now; -1: nowhere
  };

  // A file open for writing.
  explicit BlockFile(std::unique_ptr<WritableFile> file);
  // A file open for reading only: store writes nothing.
  explicit BlockFile(std::unique_ptr<ByteFile> file);
  ~BlockFile();
  BlockFile(const BlockFile&) = delete;
  BlockFile& operator=(const BlockFile&) = delete;

  // Return: true while store may write.
  bool isWritable() const { return writable_ != nullptr; }
  // Post: nothing is ever written through this object again.
  void dropWrites() { writable_ = nullptr; }

  // Return: the file's size in bytes, -1 on an error.
  int64_t size();
  // Reads the 8-byte head at offset. Return: kEnd when no byte is there,
  // kPartial when fewer than 8 are, kError when reading fails.
  HeadRead readHead(int64_t offset, BlockHead& head);
  // Return: count bytes at offset, or -1 on a read error (fewer at the end).
  int32_t readAt(int64_t offset, void* dst, int32_t count);
  // Reads the whole used block at offset into block.
  // Return: false when no valid used block lies wholly there.
  bool readBlock(int64_t offset, std::vector<uint8_t>& block);
  // Return: true when the bytes from offset to the end can only be what an
  // append cut short leaves: a free head of at most one block's size running
  // past the end, or at most one block of zeros.
  bool isCutAppend(int64_t offset);
  // Cuts the file at size. Return: false when not writable or on an error.
  bool truncate(int64_t size);

  // Saves block (Pre: built by TrackBlock::encode) for an entry whose block
  // is at offset (-1: none yet). Only that entry's blocks are written over;
  // see the .cpp for the order; a block the file already holds unchanged is
  // not written at all. Return: whether it was saved, and where the entry's
  // block is now.
  StoreResult store(int64_t offset, const std::vector<uint8_t>& block);

 private:
  struct Place {
    bool found = false;
    int64_t offset = -1;
    int64_t room = -1;  // size of the free block; -1: the end of the file
  };
  struct Written {
    bool ok = false;
    int64_t tailStart = -1;  // the free block left after it, if any
    int64_t tailEnd = -1;
  };

  bool readUsedHead(int64_t offset, BlockHead& head);
  // Return: true when the file holds exactly block's bytes at offset.
  bool holds(int64_t offset, const std::vector<uint8_t>& block);
  int64_t freeRunAt(int64_t offset, int64_t before);
  Place firstFit(int64_t need, int64_t assumedFree, int64_t assumedRoom);
  StoreResult move(int64_t offset, int32_t oldSize, const std::vector<uint8_t>& block);
  Written place(const Place& place, const std::vector<uint8_t>& block);
  Written writeInto(int64_t offset, int64_t room, const std::vector<uint8_t>& block);
  Written append(int64_t offset, const std::vector<uint8_t>& block);
  bool markFree(int64_t offset, int64_t size);
  bool writeAt(int64_t offset, const uint8_t* src, int64_t count);
  bool writeHead(int64_t offset, BlockHead head);
  bool writeZeros(int64_t offset, int64_t count);
  bool sync();

  std::unique_ptr<ByteFile> file_;
  WritableFile* writable_ = nullptr;
};

}  // namespace zarnel
