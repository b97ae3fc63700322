#pragma once
// One kind of input file turned into 1152-frame blocks of 44100 Hz stereo
// 16-bit PCM.

#include <atomic>
#include <cstdint>

#include "desk/AudioFormat.h"
#include "desk/sources/ReadAhead.h"

namespace zarnel {

// Why a source's open failed, for tools and for the desk to tell.
enum class OpenFailure : int32_t {
  kNone,             // the last open succeeded, or none was tried
  kNotFound,         // no file at the path, or it cannot be opened for reading
  kReadError,        // reading the file failed part-way
  kNotSupported,     // not a file of the kind this source plays
  kDamagedHeader,    // the header is cut short or holds impossible values
  kWav24Bit,         // 24-bit samples
  kWav32Bit,         // 32-bit integer samples
  kWavFloat,         // floating-point samples
  kWavEncoding,      // a compressed or otherwise non-PCM WAV encoding
  kTooManyChannels,  // more than two channels
  kRateTooHigh,      // a sample rate above 88200 Hz
  kNoDevice,         // the CD drive, media reader or decoder is not available
  kReaderRefused,    // the media reader could not open the file
  kDiscMissing,      // a disc path whose disc is not in the drive (desk only)
};

// Return: a short English text for tools, e.g. "24-bit WAV is not
// supported"; "" for kNone. Any thread.
const char* openFailureText(OpenFailure failure);

// What readRt returns.
constexpr int32_t kReadBlock = 1;    // a valid block
constexpr int32_t kReadEnd = 0;      // the end of the track; the block is not valid
constexpr int32_t kReadError = -1;   // the file, drive or reader failed
constexpr int32_t kReadPending = 2;  // the data is not read yet: nothing changed, ask again later

// open and close run on the UI thread while the desk is unloaded; readRt and
// seekRt run on the audio thread. The desk never lets both sides in at once.
// Every source reads through its read-ahead: the audio-thread calls never
// wait, and with a reader thread they never touch the file, drive or reader.
class AudioSource {
 public:
  virtual ~AudioSource() = default;

  // Closes any open file and opens path. Sets position 0.
  // Return: the track length in whole seconds, or -1 on failure.
  // Post: openFailure() tells why it failed, kNone when it opened.
  virtual int32_t open(const char* path) = 0;
  virtual void close() = 0;
  // Writes exactly kBlockFrames frames into block.
  // Return: kReadBlock with a valid block, kReadEnd at the end of the track
  // (block not valid), kReadError on an error, kReadPending when the reader
  // has not delivered the data yet (nothing changed). Never writes more than
  // kBlockFrames frames.
  virtual int32_t readRt(int16_t* block) = 0;
  // Positions the next read at the fraction x of the track; the reader
  // moves there in its own time. Return: 1, or 0 when the file refuses the
  // seek (known at once only without a reader thread).
  virtual int32_t seekRt(float x) = 0;
  // Return: true when readRt would not answer kReadPending. Audio thread.
  bool readyRt() { return ahead_.supplyRt(readyBytes_) != Supply::kPending; }

  // The read-ahead the desk's reader thread fills.
  ReadAhead& readAhead() { return ahead_; }

  // Fraction 0..1 of the track at the next frame that read will deliver.
  float position() const { return position_.load(std::memory_order_relaxed); }
  // Whole seconds, as open returned.
  int32_t length() const { return length_; }
  // Identity of the file for the track store: its size in bytes, or for a CD
  // track (start sector << 16, top bit clear) | sectors.
  int32_t sizeKey() const { return sizeKey_; }
  // Return: why the last open failed; kNone after one that succeeded. UI thread.
  OpenFailure openFailure() const { return failure_; }

 protected:
  void setPosition(float x) { position_.store(x, std::memory_order_relaxed); }
  // Records why open failed. Return: -1, open's failure value.
  int32_t fail(OpenFailure why) {
    failure_ = why;
    return -1;
  }

  ReadAhead ahead_;
  int32_t readyBytes_ = 0;  // what one readRt needs in the read-ahead; set by open
  std::atomic<float> position_{0.0f};
  int32_t length_ = 0;
  int32_t sizeKey_ = 0;
  OpenFailure failure_ = OpenFailure::kNone;
};

}  // namespace zarnel
