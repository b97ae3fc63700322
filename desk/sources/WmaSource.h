#pragma once
// Windows Media files through the media library's synchronous reader, taking
// its first PCM audio output.

#include <atomic>
#include <cstdint>
#include <memory>

#include "desk/sources/AudioSource.h"
#include "desk/sources/SampleConvert.h"
#include "platform/MediaReader.h"

namespace zarnel {

// Its read-ahead holds decoded blocks: the reader thread takes the samples,
// converts them and stores each block behind its position.
class WmaSource : public AudioSource, private ReadAheadFeed {
 public:
  static constexpr int32_t kStagingBytes = 176400;
  // The reader takes the path as at most 260 UTF-16 units, terminator included.
  static constexpr int32_t kMaxPathUnits = 260;

  // Loads library (null: no library, nothing opens). The library stays loaded
  // while any media source lives and is unloaded with the last one.
  // library must outlive the source. UI thread.
  explicit WmaSource(MediaLibrary* library);
  ~WmaSource() override;
  WmaSource(const WmaSource&) = delete;
  WmaSource& operator=(const WmaSource&) = delete;

  // Opens path with the reader (created once and kept) and takes its first
  // output that is audio, PCM and a wave format, of 8 or 16 bits, one or two
  // channels and a rate a block can be made from. UI thread.
  // Return: length in whole seconds (header "Duration" / 10^7), or -1 with
  // openFailure() telling why (no reader, the reader refused the file, no
  // usable PCM output).
  // Post: size key = header "FileSize"; position 0.
  int32_t open(const char* path) override;
  // UI thread.
  void close() override;
  // Audio thread. Return: kReadBlock; kReadEnd when the reader has no more
  // samples; kReadError on any other reader error; kReadPending before the
  // block is decoded.
  int32_t readRt(int16_t* block) override;
  // Restarts the reader at length × x × 10^7 (100-ns units), to the end.
  // Audio thread. Return: 1, or 0 when the reader refuses the range (known
  // at once only without a reader thread).
  int32_t seekRt(float x) override;

 private:
  OpenFailure openReader(const char* path);
  OpenFailure takePcmOutput();
  void readHeader();
  int32_t fillStaging();
  float stagedPosition() const;

  // The feed, on the reader thread: one record (position, then the block)
  // per fetch.
  int32_t unitBytes() const override { return kRecordBytes; }
  bool reposition(int64_t start) override;
  int32_t fetch(uint8_t* dst, int32_t max) override;

  static constexpr int32_t kRecordBytes = int32_t(sizeof(float)) + kBlockBytes;

  // Live sources holding the library, across the process: the one piece of
  // state the media sources share. Changed on the UI thread only.
  static std::atomic<int32_t> live_;

  MediaLibrary* library_;
  bool libraryLoaded_ = false;
  std::unique_ptr<MediaReader> reader_;  // the reader thread's once open
  bool readerOpen_ = false;
  std::unique_ptr<uint8_t[]> staging_;  // kStagingBytes
  std::unique_ptr<int16_t[]> scratch_;  // decimation input, kMaxInputFrames
  int32_t stagingOffset_ = 0;
  int32_t stagingFill_ = 0;
  int64_t endTime_ = 0;  // of the last sample taken, 100-ns units
  int32_t stream_ = 0;
  PcmFormat format_;
  int32_t bytesPerBlock_ = kBlockBytes;
};

}  // namespace zarnel
