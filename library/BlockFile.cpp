#include "library/BlockFile.h"

#include <algorithm>
#include <array>
#include <limits>

#include "platform/WritableFile.h"

// How a save that is cut short (a crash, a power cut, a full disk) harms no
// block but the one being saved.
//
// A reader finds blocks only by following the sizes in the heads from offset
// 0, so the file reads as long as every head on that chain is whole. Blocks
// start at multiples of 8, so a head never straddles a disk sector and its
// 8 bytes reach the disk whole or not at all: one head write is the atomic
// step. Each save first writes everything the new chain needs in places the
// current chain skips, flushes, and only then switches the chain with one
// head write, then flushes again:
// - into a free block, or over the entry's own block: the block's bytes
//   after its head and the head of the free tail behind it (all inside the
//   skipped space), then the block's head, then the zeros of the tail;
// - at the end of the file: the whole block under a free head (a reader takes
//   a free block cut short at the very end for an interrupted append), then
//   its real head;
// - freeing a block: the head of the merged free block, then its zeros.
// A block that grows is written to its new place before its old place is
// freed, so a cut leaves the old copy or the new one whole; only when it
// grows into the free space behind itself does the old copy go first.
// Writing stops at the first failure, leaving the chain as the last switch
// left it.

namespace zarnel {

namespace {

constexpr int64_t kMaxRun = std::numeric_limits<int32_t>::max();

// A free space of room bytes takes need bytes when nothing is left over or
// the rest can hold a free block's head.
bool fits(int64_t room, int64_t need) { return room == need || room >= need + kBlockHeadBytes; }

}  // namespace

BlockFile::BlockFile(std::unique_ptr<WritableFile> file)
    : file_(std::move(file)), writable_(static_cast<WritableFile*>(file_.get())) {}

BlockFile::BlockFile(std::unique_ptr<ByteFile> file) : file_(std::move(file)) {}

BlockFile::~BlockFile() = default;

int64_t BlockFile::size() { return file_->size(); }

int32_t BlockFile::readAt(int64_t offset, void* dst, int32_t count) {
  if (!file_->seek(offset)) return -1;
  auto* out = static_cast<uint8_t*>(dst);
  int32_t done = 0;
  while (done < count) {
    int32_t n = file_->read(out + done, count - done);
    if (n < 0) return -1;
    if (n == 0) break;
    done += n;
  }
  return done;
}

BlockFile::HeadRead BlockFile::readHead(int64_t offset, BlockHead& head) {
  uint8_t bytes[kBlockHeadBytes];
  int32_t n = readAt(offset, bytes, kBlockHeadBytes);
  if (n < 0) return HeadRead::kError;
  if (n == 0) return HeadRead::kEnd;
  if (n < kBlockHeadBytes) return HeadRead::kPartial;
  head = TrackBlock::readHead(bytes);
  return HeadRead::kOk;
}

bool BlockFile::readUsedHead(int64_t offset, BlockHead& head) {
  return readHead(offset, head) == HeadRead::kOk && TrackBlock::isValidUsedHead(head) &&
         offset + head.size <= size();
}

bool BlockFile::readBlock(int64_t offset, std::vector<uint8_t>& block) {
  BlockHead head;
  if (!readUsedHead(offset, head)) return false;
  block.assign(size_t(head.size), 0);
  return readAt(offset, block.data(), head.size) == head.size;
}

bool BlockFile::isCutAppend(int64_t offset) {
  int64_t left = size() - offset;
  if (left <= 0 || left > kMaxBlockBytes) return false;
  std::vector<uint8_t> tail(static_cast<size_t>(left));
  if (readAt(offset, tail.data(), int32_t(left)) != left) return false;
  if (left >= kBlockHeadBytes) {
    BlockHead head = TrackBlock::readHead(tail.data());
    if (head.isFree() && head.size > left && head.size <= kMaxBlockBytes) return true;
  }
  return std::all_of(tail.begin(), tail.end(), [](uint8_t b) { return b == 0; });
}

bool BlockFile::holds(int64_t offset, const std::vector<uint8_t>& block) {
  std::vector<uint8_t> stored(block.size());
  return readAt(offset, stored.data(), int32_t(stored.size())) == int32_t(stored.size()) && stored == block;
}

bool BlockFile::truncate(int64_t size) { return writable_ && writable_->truncate(size); }

// --- Placing a block ------------------------------------------------------

BlockFile::StoreResult BlockFile::store(int64_t offset, const std::vector<uint8_t>& block) {
  if (!writable_) return {false, offset};
  int64_t need = int64_t(block.size());
  if (offset < 0) {
    Place at = firstFit(need, -1, 0);
    return at.found && place(at, block).ok ? StoreResult{true, at.offset} : StoreResult{};
  }
  BlockHead old;
  if (!readUsedHead(offset, old)) return {false, offset};
  // Nothing changed: the file is left as it is, not even rewritten in place.
  if (old.size == need && holds(offset, block)) return {true, offset};
  if (fits(old.size, need)) return {writeInto(offset, old.size, block).ok, offset};
  return move(offset, old.size, block);
}

BlockFile::StoreResult BlockFile::move(int64_t offset, int32_t oldSize,
                                       const std::vector<uint8_t>& block) {
  int64_t freed = oldSize + freeRunAt(offset + oldSize, oldSize);
  Place at = firstFit(int64_t(block.size()), offset, freed);
  if (!at.found) return {false, offset};
  if (at.offset == offset) {
    if (!markFree(offset, oldSize)) return {false, offset};
    return writeInto(offset, freed, block).ok ? StoreResult{true, offset} : StoreResult{};
  }
  Written written = place(at, block);
  if (!written.ok) return {false, offset};
  markFree(offset, oldSize);
  // The free tail just before the old place takes it in, as it would have
  // had the old place been freed first.
  if (written.tailEnd == offset) markFree(written.tailStart, offset - written.tailStart);
  return {true, at.offset};
}

BlockFile::Written BlockFile::place(const Place& at, const std::vector<uint8_t>& block) {
  return at.room < 0 ? append(at.offset, block) : writeInto(at.offset, at.room, block);
}

// Walks the chain from offset 0; assumedFree is taken for a free block of
// assumedRoom bytes (the old place of a growing block, not yet freed).
BlockFile::Place BlockFile::firstFit(int64_t need, int64_t assumedFree, int64_t assumedRoom) {
  int64_t end = size();
  for (int64_t at = 0; end >= 0;) {
    BlockHead head{int32_t(assumedRoom), 0};
    if (at != assumedFree) {
      HeadRead read = readHead(at, head);
      if (read == HeadRead::kEnd) return {true, at, -1};
      if (read != HeadRead::kOk) return {};
    }
    if (head.size < kBlockHeadBytes || at + head.size > end) return {};
    if (head.isFree() && fits(head.size, need)) return {true, at, head.size};
    at += head.size;
  }
  return {};
}

// Return: the bytes of the free blocks that follow one another from offset,
// kept so that before + the result stays a valid block size.
int64_t BlockFile::freeRunAt(int64_t offset, int64_t before) {
  int64_t end = size(), run = 0;
  BlockHead head;
  while (readHead(offset + run, head) == HeadRead::kOk && head.isFree() &&
         head.size >= kBlockHeadBytes && offset + run + head.size <= end &&
         before + run + head.size <= kMaxRun)
    run += head.size;
  return run;
}

BlockFile::Written BlockFile::writeInto(int64_t offset, int64_t room,
                                        const std::vector<uint8_t>& block) {
  int64_t size = int64_t(block.size());
  int64_t tail = room > size ? room - size + freeRunAt(offset + room, room - size) : 0;
  if (!writeAt(offset + kBlockHeadBytes, block.data() + kBlockHeadBytes, size - kBlockHeadBytes))
    return {};
  if (tail > 0 && !writeHead(offset + size, {int32_t(tail), 0})) return {};
  if (!sync() || !writeHead(offset, TrackBlock::readHead(block.data())) || !sync()) return {};
  if (tail > 0) writeZeros(offset + size + kBlockHeadBytes, tail - kBlockHeadBytes);
  if (tail == 0) return {true, -1, -1};
  return {true, offset + size, offset + size + tail};
}

BlockFile::Written BlockFile::append(int64_t offset, const std::vector<uint8_t>& block) {
  std::vector<uint8_t> staged = block;
  BlockHead head = TrackBlock::readHead(block.data());
  std::vector<uint8_t> freeHead = TrackBlock::headBytes({head.size, 0});
  std::copy(freeHead.begin(), freeHead.end(), staged.begin());
  if (!writeAt(offset, staged.data(), int64_t(staged.size())) || !sync()) {
    writable_->truncate(offset);
    return {};
  }
  if (!writeHead(offset, head) || !sync()) return {};
  return {true, -1, -1};
}

// Return: whether the free head was written; its zeros are only tidiness.
bool BlockFile::markFree(int64_t offset, int64_t size) {
  int64_t total = size + freeRunAt(offset + size, size);
  if (!writeHead(offset, {int32_t(total), 0})) return false;
  if (sync()) writeZeros(offset + kBlockHeadBytes, total - kBlockHeadBytes);
  return true;
}

// --- Writing ----------------------------------------------------------------

bool BlockFile::writeAt(int64_t offset, const uint8_t* src, int64_t count) {
  return writable_->seek(offset) && writable_->write(src, int32_t(count)) == count;
}

bool BlockFile::writeHead(int64_t offset, BlockHead head) {
  std::vector<uint8_t> bytes = TrackBlock::headBytes(head);
  return writeAt(offset, bytes.data(), kBlockHeadBytes);
}

bool BlockFile::writeZeros(int64_t offset, int64_t count) {
  static const std::array<uint8_t, kMaxBlockBytes> zeros{};
  for (int64_t done = 0; done < count;) {
    int64_t n = std::min<int64_t>(count - done, int64_t(zeros.size()));
    if (!writeAt(offset + done, zeros.data(), n)) return false;
    done += n;
  }
  return true;
}

bool BlockFile::sync() { return writable_->flush(); }

}  // namespace zarnel
