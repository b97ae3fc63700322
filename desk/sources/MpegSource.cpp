#include "desk/sources/MpegSource.h"

#include "desk/sources/MpegStreamInput.h"
#include "desk/sources/SampleConvert.h"

namespace zarnel {

namespace {

// Damaged frames the decoder may skip in a row before a read gives up.
constexpr int32_t kRetries = 16;

}  // namespace

MpegSource::MpegSource() : hold_(new int16_t[kBlockFrames * kChannels]()) {
  if (Decoder::create(decoder_) == mpeg::kOk) moduleId_ = decoder_->registerInput(mpegStreamInputModule());
}

MpegSource::~MpegSource() = default;

int32_t MpegSource::open(const char* path) {
  setPosition(0.0f);
  length_ = -1;
  sizeKey_ = 0;
  rate_ = 0;
  failure_ = OpenFailure::kNone;
  if (!decoder_ || moduleId_ < 0) return fail(OpenFailure::kNoDevice);
  // A reopen of the same file keeps its input: it must read directly again.
  decoder_->inputMessage(kReadDirectly, nullptr);
  const int32_t opened = decoder_->inputOpen(path, moduleId_);
  if (opened <= mpeg::kOpenFailed)
    return fail(opened == mpeg::kFileNotFound ? OpenFailure::kNotFound : OpenFailure::kReadError);
  const int32_t started = decoder_->inputStart();
  if (started <= mpeg::kOpenFailed) return fail(OpenFailure::kReadError);
  if (started == mpeg::kWrongState) decoder_->inputSeek(0.0f);
  int32_t result = mpeg::kFrameLost;
  for (int32_t tries = 0; tries < kRetries && result == mpeg::kFrameLost; ++tries) result = decoder_->decode(hold_.get());
  if (result != mpeg::kOk) return fail(OpenFailure::kNotSupported);
  length_ = decoder_->status().duration;
  sizeKey_ = int32_t(decoder_->streamSize());
  rate_ = decoder_->output().sampleRate;
  holdFrames_ = 0;
  holdNext_ = 0;
  setPosition(0.0f);
  readyBytes_ = kReserveBytes;
  decoder_->inputMessage(kStreamThroughReadAhead, &ahead_);
  return length_;
}

int32_t MpegSource::decodeFrame(int16_t* into) {
  int32_t result = mpeg::kFrameLost;
  for (int32_t tries = 0; tries < kRetries && result == mpeg::kFrameLost; ++tries) result = decoder_->decode(into);
  if (result == mpeg::kEndOfStream) return 0;
  if (result != mpeg::kOk) return -1;
  setPosition(decoder_->status().position);
  const DecoderOutput& out = decoder_->output();
  const int32_t frames = out.bytes / (out.stereo ? 4 : 2);
  if (!out.stereo) monoToStereo(into, frames);
  return frames;
}

int32_t MpegSource::readRt(int16_t* block) {
  if (!decoder_ || rate_ == 0) return kReadError;
  if (ahead_.supplyRt(kReserveBytes) == Supply::kPending) return kReadPending;
  if (rate_ > kSampleRate) return rate_ <= kMaxSourceRate ? readDecimated(block) : -1;
  const int32_t frames = decodeFrame(block);
  if (frames <= 0) return frames;
  if (frames != inputFramesPerBlock(rate_)) return kReadError;
  if (rate_ < kSampleRate) repeatUpTo44100(block, rate_);
  return kReadBlock;
}

int32_t MpegSource::readDecimated(int16_t* block) {
  int32_t acc = 0;
  for (int32_t i = 0; i < kBlockFrames; ++i) {
    if (holdNext_ >= holdFrames_) {
      holdNext_ -= holdFrames_;
      const int32_t frames = decodeFrame(hold_.get());
      if (frames <= 0) return frames;
      if (frames != kBlockFrames) return kReadError;
      holdFrames_ = frames;
    }
    block[2 * i] = hold_[size_t(2 * holdNext_)];
    block[2 * i + 1] = hold_[size_t(2 * holdNext_ + 1)];
    holdNext_ += decimationStep(rate_, acc);
  }
  return kReadBlock;
}

int32_t MpegSource::seekRt(float x) {
  float target = 0.0f;
  if (length_ > 0) target = x - float(kBlockFrames) / (float(length_) * float(kSampleRate));
  if (target < 0.0f) target = 0.0f;
  if (decoder_) decoder_->inputSeek(target);
  setPosition(target);
  holdFrames_ = 0;
  holdNext_ = 0;
  return 1;
}

}  // namespace zarnel
