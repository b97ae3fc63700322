#pragma once
// RIFF WAVE files of 8- or 16-bit PCM, one or two channels, 39..88200 Hz.

#include <cstdint>
#include <memory>

#include "desk/sources/AudioSource.h"
#include "desk/sources/SampleConvert.h"
#include "platform/RiffFile.h"

namespace zarnel {

// Its read-ahead holds the file's bytes from the data chunk on.
class WavSource : public AudioSource, private ReadAheadFeed {
 public:
  // files must outlive the source. UI thread.
  explicit WavSource(FileSystem& files);
  ~WavSource() override;

  // Accepts format tag 1 (PCM) whose header can make whole blocks: frame
  // size and block align agree, rates up to 44100 Hz read between
  // rate × 1152 / 44100 and 1152 frames per block, and the data chunk lies
  // inside the file. UI thread.
  // Return: length in whole seconds (data size / average bytes per second),
  // or -1 with openFailure() telling why (float, 24- or 32-bit samples, more
  // than two channels, a rate above 88200 Hz, another encoding, a damaged
  // header...). Post: size key = file size; position 0.
  int32_t open(const char* path) override;
  // UI thread.
  void close() override;
  // Takes ((average bytes per second × 1152 + 44099) / 176400) × 4 bytes up
  // to 44100 Hz, ⌈1152 × rate / 44100⌉ frames above, and converts them.
  // Audio thread. Return: kReadBlock, kReadEnd when fewer bytes remain,
  // kReadError on a file error, kReadPending before the bytes are read.
  int32_t readRt(int16_t* block) override;
  // Moves to data size × x, down to a multiple of four bytes from the start
  // of the data. Audio thread. Return: 1. Post: position = x.
  int32_t seekRt(float x) override;

 private:
  OpenFailure readHeader(const char* path);
  OpenFailure readFormat(const RiffChunk& riff);
  OpenFailure checkHeader();
  OpenFailure unlessUnreadable(OpenFailure why);
  int32_t bytesPerRead() const;

  // The feed, on the reader thread: one read's bytes at a time from the file.
  int32_t unitBytes() const override { return readBytes_; }
  bool reposition(int64_t offset) override { return riff_.seek(offset); }
  int32_t fetch(uint8_t* dst, int32_t max) override;

  FileSystem& files_;
  RiffFile riff_;  // the reader's once open
  std::unique_ptr<int16_t[]> scratch_;  // decimation input, kMaxInputFrames
  PcmFormat format_;
  uint16_t formatTag_ = 0;  // of the sub-format when the format is extensible
  bool isExtensible_ = false;
  uint32_t avgBytesPerSec_ = 0;
  uint16_t blockAlign_ = 0;
  int64_t dataOffset_ = 0;
  uint32_t dataSize_ = 0;
  uint32_t consumed_ = 0;  // bytes of data before the next read
  int32_t readBytes_ = 0;
  bool open_ = false;
};

}  // namespace zarnel
