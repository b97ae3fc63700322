#pragma once
// MPEG audio (MP3 and the other layers) through the decoder module, turned
// into 1152-frame blocks of 44100 Hz stereo. The decoder runs on the audio
// thread; its input module reads the file's bytes through the read-ahead.

#include <cstdint>
#include <memory>

#include "decoder/Decoder.h"
#include "desk/sources/AudioSource.h"

namespace zarnel {

class MpegSource : public AudioSource {
 public:
  // Bytes the read-ahead must hold before a block is decoded (unless the file
  // ends first): frames lost to damaged data make one block read more than
  // one frame.
  static constexpr int32_t kReserveBytes = 65536;

  // Creates the decoder and registers the stream input module on it. UI thread.
  MpegSource();
  ~MpegSource() override;

  // Opens path, reads the stream information and decodes the first frame
  // (retrying damaged data up to 16 times). UI thread.
  // Return: the stream's duration in whole seconds, or -1 (openFailure():
  // not found, unreadable, or no MPEG audio frame found).
  // Post: size key = the stream size; position 0.
  int32_t open(const char* path) override;
  // Nothing to do: the next open replaces the input. UI thread.
  void close() override {}
  // At 44100 Hz one frame of 1152 is one block; below, a frame of
  // rate × 1152 / 44100 frames is raised by repetition; from 44101 to
  // 88200 Hz frames are decimated through the holding buffer. Audio thread.
  // Return: kReadBlock, kReadEnd at the end of the stream, kReadError for a
  // frame of the wrong size, another rate, or a decoder error; kReadPending
  // while the read-ahead holds fewer than kReserveBytes and the file goes on.
  int32_t readRt(int16_t* block) override;
  // Moves one block before x (x − 1152 / (length × 44100), not below 0),
  // which the desk's seek makes up for. Audio thread.
  // Return: 1. Post: position = that target.
  int32_t seekRt(float x) override;

  // Return: the stream's sample rate, as open found it.
  int32_t outputRate() const { return rate_; }

 private:
  // Decodes one frame into `into` (1152 stereo frames), widening mono.
  // Return: the frames written, 0 at the end of the stream, -1 on an error.
  int32_t decodeFrame(int16_t* into);
  int32_t readDecimated(int16_t* block);

  std::unique_ptr<Decoder> decoder_;
  std::unique_ptr<int16_t[]> hold_;  // kBlockFrames stereo frames
  int32_t moduleId_ = -1;
  int32_t rate_ = 0;
  int32_t holdFrames_ = 0;  // frames in hold_
  int32_t holdNext_ = 0;    // next frame of hold_ to use
};

}  // namespace zarnel
