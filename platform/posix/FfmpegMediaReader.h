#pragma once
// The media reader on FFmpeg: demuxes a file with libavformat, decodes its
// audio streams with libavcodec and converts the samples to 16-bit PCM with
// libswresample, keeping each stream's own rate and channel count.

#include <cstdint>
#include <vector>

#include "platform/MediaReader.h"
#include "platform/posix/PcmClock.h"

// FFmpeg's types, declared here so that this header builds without FFmpeg.
struct AVFormatContext;
struct AVCodecContext;
struct AVPacket;
struct AVFrame;
struct SwrContext;

namespace zarnel {

// One reader over one file at a time.
// Outputs: one per audio stream that FFmpeg can decode (at most kMaxOutputs),
// each 16-bit interleaved PCM at the stream's own rate. Mono and stereo keep
// their channel count; more channels are downmixed to stereo, as the program
// plays stereo only. Stream numbers are the container's stream index + 1.
// Times and durations are in 100-ns units, counted from the stream's start.
// Thread: open and close on the UI thread; nextSample and setRange on the
// audio thread; never two calls at once. Without FFmpeg at build time, open
// always fails.
class FfmpegMediaReader : public MediaReader {
 public:
  static constexpr int32_t kMaxOutputs = 8;

  FfmpegMediaReader();
  ~FfmpegMediaReader() override;
  FfmpegMediaReader(const FfmpegMediaReader&) = delete;
  FfmpegMediaReader& operator=(const FfmpegMediaReader&) = delete;

  // Closes any open file, then opens path (a plain file path, no URL).
  // Return: false when the file is missing, of no format recognised with
  // confidence, or has no decodable audio stream.
  bool open(const char* path) override;
  // Post: no file open; the sample buffer is kept for the next file.
  void close() override;
  // Return: the number of outputs, 0 when no file is open.
  int32_t outputCount() override;
  // Return: false for an output outside 0..outputCount()-1.
  bool outputFormat(int32_t output, MediaOutputFormat& format) override;
  // Return: the stream number of output, 0 for an output that does not exist.
  int32_t streamOfOutput(int32_t output) override;
  // Return: false when no file is open or the container gives no duration.
  bool duration(uint64_t& value) override;
  // Return: false when no file is open or its size is unknown.
  bool fileSize(uint64_t& value) override;
  // Decodes the next run of PCM of stream. A damaged packet is skipped; a run
  // of kMaxConsecutiveErrors failures in a row is an error. Reading one stream
  // drops the packets of the others.
  // Return: ok with sample filled (bytes valid until the next call), noMoreSamples
  // at the end of the stream or of the range, error otherwise.
  MediaResult nextSample(int32_t stream, MediaSample& sample) override;
  // Seeks so that the next sample starts at start, or at the sample just before
  // it (decoding and dropping what comes earlier); duration 0 reads to the end,
  // else reading stops after the sample that reaches start + duration.
  // Return: false when no file is open or the container cannot seek.
  bool setRange(int64_t start, int64_t duration) override;

 private:
  struct Output {
    int32_t streamIndex = 0;
    int32_t rate = 0;
    int32_t channels = 0;  // after any downmix: 1 or 2
  };
  // What became of one decoded frame.
  enum class FrameUse { deliver, skip, fail };
  static constexpr int32_t kMaxConsecutiveErrors = 32;
  // Seeks that land past the target are retried this often from further back.
  static constexpr int32_t kMaxSeekAttempts = 6;

  bool openContainer(const char* path);
  void findOutputs();
  const Output* outputOfStream(int32_t stream) const;
  bool activate(const Output& output);
  void releaseDecoder();
  MediaResult decodeNext();
  MediaResult feedDecoder();
  FrameUse takeFrame(MediaSample& sample);
  void stampClock();
  bool convertFrame(MediaSample& sample);
  bool configureConverter();
  void trimToSeekTarget(MediaSample& sample, int64_t frames);
  bool seekStream(int64_t time);
  int64_t decodeFirstFrame();

  AVFormatContext* format_ = nullptr;
  AVCodecContext* decoder_ = nullptr;
  SwrContext* converter_ = nullptr;
  AVPacket* packet_ = nullptr;
  AVFrame* frame_ = nullptr;
  std::vector<uint8_t> pcm_;  // grows to the largest frame, then stays
  Output outputs_[kMaxOutputs];
  int32_t outputCount_ = 0;
  const Output* active_ = nullptr;
  int32_t converterFormat_ = -1;  // input sample format the converter was set up for
  int32_t converterRate_ = 0;
  int32_t converterChannels_ = 0;
  PcmClock clock_;
  int64_t seekTarget_ = -1;  // after a seek: first time to deliver; -1 = none
  int64_t rangeEnd_ = -1;    // end of the range; -1 = to the end of the stream
  bool draining_ = false;    // the demuxer is at its end; the decoder is being flushed
  bool frameReady_ = false;  // frame_ holds a decoded frame not yet taken
};

}  // namespace zarnel
