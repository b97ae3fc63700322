#pragma once
// The decoder module: an MPEG audio stream read through a registered input
// module and decoded one frame per call into 16-bit PCM.

#include <cstdint>
#include <memory>
#include <string>

#include "decoder/DecoderResult.h"
#include "decoder/FrameDecoder.h"
#include "decoder/InputModule.h"
#include "decoder/XingHeader.h"

namespace zarnel {

struct StreamFormat {
  int32_t layer = 0;
  int32_t version = 0;  // 0 MPEG-1, 1 MPEG-2, 2 MPEG-2.5
  int32_t sampleRate = 0;
  int32_t mode = 0;
  int32_t bitrate = 0;  // kbit/s
  bool operator==(const StreamFormat&) const = default;
};

struct DecoderStatus {
  uint32_t frames = 0;
  float position = 0.0f;  // audio bytes consumed / audio bytes (tags left out)
  StreamFormat format;
  bool formatChanged = false;  // the last frame's format differs from the one before
  int32_t bitrate = 0;         // running bitrate, kbit/s
  bool seekTable = false;      // a "Xing" seek table was found
  int32_t duration = 0;        // seconds
  uint32_t declaredFrames = 0;  // audio frames the stream's "Xing" header declares, 0 when unknown
  bool endsInsideFrame = false;  // the input ended inside a frame, which was dropped
};

// The last decoded frame's PCM.
struct DecoderOutput {
  const int16_t* samples = nullptr;
  int32_t bytes = 0;
  int32_t sampleRate = 0;
  int32_t stereo = 0;  // 1: two interleaved channels, 0: one
};

// Called with (user, module id, 0, message, details) on every reported error.
using DecoderErrorCallback = void (*)(void* user, int32_t moduleId, int32_t reserved, const char* message,
                                      const char* details);

// Threads: one thread at a time. decode and inputSeek neither allocate nor
// lock; they may run on the audio thread once the input is open.
class Decoder {
 public:
  static constexpr int32_t kMaxModules = 8;
  static constexpr int32_t kInputBufferBytes = 16384;

  // Return: 0 with out holding a new decoder, or kOutOfMemory.
  static int32_t create(std::unique_ptr<Decoder>& out);
  ~Decoder();
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  // Return: the module's id (0, 1, ... in order of registration), or
  // kWrongState when new, delete, open, close or read is missing.
  int32_t registerInput(const InputModule& module);
  // Fills info from module moduleId's query for one of its devices.
  // Return: 0, kUnknownModule, or the module's code.
  int32_t queryInput(int32_t moduleId, int32_t device, InputInfo& info);
  // Opens name through module moduleId, or with -1 the first module whose
  // new accepts the name. Closes the current input unless the same module
  // already has that name open. Return: 0 or a result code.
  int32_t inputOpen(const char* name, int32_t moduleId);
  void inputClose();
  // Reads the stream's size and seekable flag, resets the frame state and
  // the status; when the input is seekable, finds the audio between the
  // tags (ID3v2 at the start, APE and ID3v1 at the end) and looks for a
  // "Xing" header in its first frame. Return: 0 or kWrongState.
  int32_t inputStart();
  // Decodes the next frame into buffer (kMaxFrameSamples samples), or into
  // the decoder's own buffer when buffer is null. Out of sync (at the start,
  // after a seek or damage) a header counts only when the next frame's header
  // follows it and agrees on layer, sample rate and mono or not, or when its
  // frame ends the stream. An information frame ("Xing", "Info", "VBRI")
  // gives no output and is passed over.
  // Return: 0; kFrameLost when damaged data was skipped (call again), also
  // once for a last frame cut short by the end of the stream; kEndOfStream;
  // kWrongState when no input is open.
  int32_t decode(int16_t* buffer);
  // Moves to the fraction x (0..1) of the audio bytes, through the seek table
  // when there is one. Return: 0 or kWrongState.
  int32_t inputSeek(float x);
  // Passes message and data to the open input's module, through its
  // sendMessage. Return: the module's answer, or kWrongState when no input
  // is open or the module takes no messages.
  int32_t inputMessage(int32_t message, void* data);

  void setErrorCallback(DecoderErrorCallback callback, void* user);
  // Passes an error to the callback, if one is set.
  void reportError(int32_t moduleId, const char* message, const char* details);

  const DecoderStatus& status() const { return status_; }
  const DecoderOutput& output() const { return output_; }
  // Return: the whole input's size in bytes, tags included (0 when unknown).
  int64_t streamSize() const { return size_; }
  // Return: the stream offset of the first audio byte, after any ID3v2 tags.
  int64_t audioStart() const { return audioStart_; }
  // Return: the audio bytes from audioStart() to the end tags, which
  // positions, duration and seeks count (0 when the size is unknown).
  int64_t audioBytes() const { return audioEnd_ - audioStart_; }
  bool seekable() const { return seekable_; }
  // Return: the 100-entry seek table, or null.
  const uint8_t* seekTable() const { return info_.seekTable ? info_.table : nullptr; }

 private:
  Decoder() = default;
  int32_t openWith(int32_t moduleId, const char* name);
  bool fill(int32_t need);
  bool readAt(int64_t offset, uint8_t* into, int32_t bytes);
  void findAudioExtent();
  int64_t skipZeroPadding(int64_t at);
  int64_t endOfAudio(int64_t start);
  void probeFirstFrame();
  int32_t nextFrame(FrameHeader& header);
  int32_t findHeader(FrameHeader& header);
  bool confirmed(const FrameHeader& header);
  int32_t lostToTheEnd();
  void resetFrameState();
  void updateStatus(const FrameHeader& header);
  int32_t internalError(const char* details);

  const InputModule* modules_[kMaxModules] = {};
  int32_t moduleCount_ = 0;
  const InputModule* module_ = nullptr;
  int32_t moduleId_ = -1;
  void* handle_ = nullptr;
  std::string name_;
  bool open_ = false;
  bool seekable_ = false;
  int64_t size_ = 0;
  int64_t audioStart_ = 0;
  int64_t audioEnd_ = 0;
  int64_t readLimit_ = 0;     // stream offset reads stop at
  int64_t infoFrameAt_ = -1;  // stream offset of the information frame, or -1
  bool synced_ = false;       // inputPos_ is where the last accepted frame ended

  uint8_t input_[kInputBufferBytes] = {};
  int32_t inputPos_ = 0;
  int32_t inputEnd_ = 0;
  int64_t inputBase_ = 0;  // stream offset of input_[0]

  StreamInfo info_;
  DecoderStatus status_;
  DecoderOutput output_;
  FrameDecoderState frame_;
  int16_t pcm_[kMaxFrameSamples] = {};

  DecoderErrorCallback callback_ = nullptr;
  void* callbackUser_ = nullptr;
};

}  // namespace zarnel
