#include "platform/RiffFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/AudioThread.h"

namespace zarnel {

namespace {
constexpr uint32_t kRiff = fourCc('R', 'I', 'F', 'F');
constexpr uint32_t kList = fourCc('L', 'I', 'S', 'T');
}  // namespace

RiffFile::RiffFile() : buffer_(new uint8_t[kBufferBytes]) {}
RiffFile::~RiffFile() = default;

bool RiffFile::open(FileSystem& files, const char* path) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  close();
  file_ = files.openRead(path);
  bufferStart_ = 0;
  bufferPos_ = bufferFill_ = 0;
  return file_ != nullptr;
}

void RiffFile::close() { file_.reset(); }

bool RiffFile::fill() {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  bufferStart_ += bufferFill_;
  bufferPos_ = bufferFill_ = 0;
  int32_t got = file_->read(buffer_.get(), kBufferBytes);
  if (got < 0) return false;
  bufferFill_ = got;
  return true;
}

int32_t RiffFile::read(void* dst, int32_t bytes) {
  if (!file_ || bytes < 0) return -1;
  auto* out = static_cast<uint8_t*>(dst);
  int32_t done = 0;
  while (done < bytes) {
    if (bufferPos_ == bufferFill_) {
      if (!fill()) return -1;
      if (bufferFill_ == 0) break;
    }
    int32_t n = std::min(bytes - done, bufferFill_ - bufferPos_);
    std::memcpy(out + done, buffer_.get() + bufferPos_, size_t(n));
    bufferPos_ += n;
    done += n;
  }
  return done;
}

bool RiffFile::seek(int64_t offset) {
  if (!file_ || offset < 0) return false;
  if (offset >= bufferStart_ && offset <= bufferStart_ + bufferFill_) {
    bufferPos_ = int32_t(offset - bufferStart_);
    return true;
  }
  if (!file_->seek(offset)) return false;
  bufferStart_ = offset;
  bufferPos_ = bufferFill_ = 0;
  return true;
}

int64_t RiffFile::size() { return file_ ? file_->size() : -1; }

bool RiffFile::descend(RiffChunk& chunk, const RiffChunk* parent, uint32_t id, uint32_t formType) {
  if (!file_) return false;
  const int64_t end = parent ? parent->dataOffset + int64_t(parent->size) : INT64_MAX;
  for (;;) {
    int64_t at = tell();
    if (at + 8 > end) return false;
    uint8_t head[12];
    if (read(head, 8) != 8) return false;
    RiffChunk found{readLe32(head), readLe32(head + 4), 0, at + 8};
    bool isForm = found.id == kRiff || found.id == kList;
    if (isForm) {
      if (found.size < 4 || read(head + 8, 4) != 4) return false;
      found.formType = readLe32(head + 8);
    }
    bool match = id == 0 || (found.id == id && (!isForm || formType == 0 || found.formType == formType));
    if (match) {
      chunk = found;
      return true;
    }
    if (!ascend(found)) return false;
  }
}

bool RiffFile::ascend(const RiffChunk& chunk) {
  int64_t next = chunk.dataOffset + int64_t(chunk.size) + (chunk.size & 1);
  return seek(next);
}

}  // namespace zarnel
