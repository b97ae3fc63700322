#include "mixer/WavRecordFile.h"

#include <bit>

#include "platform/ByteFile.h"
#include "platform/WritableFile.h"

// Samples go to the file as they lie in memory: WAV is little-endian.
static_assert(std::endian::native == std::endian::little);

namespace zarnel {

namespace {

void putLe32(uint8_t* p, uint32_t x) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(x >> (8 * i));
}
void putLe16(uint8_t* p, uint16_t x) {
  p[0] = uint8_t(x);
  p[1] = uint8_t(x >> 8);
}
void putId(uint8_t* p, const char* id) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(id[i]);
}

// Largest write handed to the file at once: WritableFile counts in int32_t.
constexpr int32_t kMaxWriteFrames = 1 << 20;

}  // namespace

void wavRecordHeader(uint32_t dataBytes, uint8_t out[kWavRecordHeaderBytes]) {
  putId(out, "RIFF");
  putLe32(out + 4, 36 + dataBytes);
  putId(out + 8, "WAVE");
  putId(out + 12, "fmt ");
  putLe32(out + 16, 16);
  putLe16(out + 20, 1);  // PCM
  putLe16(out + 22, 2);
  putLe32(out + 24, 44100);
  putLe32(out + 28, 44100 * kWavRecordFrameBytes);
  putLe16(out + 32, kWavRecordFrameBytes);
  putLe16(out + 34, 16);
  putId(out + 36, "data");
  putLe32(out + 40, dataBytes);
}

WavRecordFile::WavRecordFile() = default;

WavRecordFile::~WavRecordFile() { close(); }

bool WavRecordFile::create(FileSystem& files, const std::string& path) {
  close();
  file_ = files.openReadWrite(path.c_str(), true);
  frames_ = 0;
  failed_ = false;
  // An older, longer file of the same name must not show through.
  if (file_ && file_->truncate(0) && writeHeader(0)) return true;
  file_.reset();
  return false;
}

bool WavRecordFile::append(const int16_t* frames, int32_t count) {
  if (!file_ || failed_) return false;
  if (count < 0 || frames_ + count > kWavRecordMaxFrames || !writeSamples(frames, count) ||
      !writeHeader(frames_ + count)) {
    fail();
    return false;
  }
  frames_ += count;
  return true;
}

bool WavRecordFile::close() {
  if (!file_) return true;
  // After a failure the header already describes the last good append.
  const bool ok = !failed_ && writeHeader(frames_);
  const bool flushed = file_->flush();
  file_.reset();
  return ok && flushed;
}

bool WavRecordFile::writeSamples(const int16_t* frames, int32_t count) {
  if (!file_->seek(kWavRecordHeaderBytes + frames_ * kWavRecordFrameBytes)) return false;
  for (int32_t done = 0; done < count;) {
    const int32_t n = count - done < kMaxWriteFrames ? count - done : kMaxWriteFrames;
    const int32_t bytes = n * kWavRecordFrameBytes;
    if (file_->write(frames + done * 2, bytes) != bytes) return false;
    done += n;
  }
  return true;
}

// The sizes are written after the samples, so a crash between the two leaves
// the older, shorter sizes: a valid file without the last append.
bool WavRecordFile::writeHeader(int64_t frames) {
  uint8_t head[kWavRecordHeaderBytes];
  wavRecordHeader(uint32_t(frames * kWavRecordFrameBytes), head);
  return file_->seek(0) && file_->write(head, kWavRecordHeaderBytes) == kWavRecordHeaderBytes;
}

// Drops what a failed append left past the last good one; on a full disk
// this usually works, and when it does not the sizes still say where the
// good samples end.
void WavRecordFile::fail() {
  failed_ = true;
  file_->truncate(kWavRecordHeaderBytes + frames_ * kWavRecordFrameBytes);
}

}  // namespace zarnel
