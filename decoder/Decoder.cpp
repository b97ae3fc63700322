#include "decoder/Decoder.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "decoder/StreamTags.h"

namespace zarnel {

using namespace mpeg;

int32_t Decoder::create(std::unique_ptr<Decoder>& out) {
  out.reset(new (std::nothrow) Decoder);
  return out ? kOk : kOutOfMemory;
}

Decoder::~Decoder() { inputClose(); }

int32_t Decoder::internalError(const char* details) {
  reportError(-1, "internal error", details);
  return kWrongState;
}

int32_t Decoder::registerInput(const InputModule& m) {
  if (m.create == nullptr) return internalError("null 'new' method in module");
  if (m.destroy == nullptr) return internalError("null input module");
  if (m.open == nullptr) return internalError("null 'open' method in module");
  if (m.close == nullptr) return internalError("null 'close' method in module");
  if (m.read == nullptr) return internalError("null 'read' method in module");
  if (moduleCount_ == kMaxModules) return kOutOfMemory;
  if (m.init != nullptr && m.init() != 0) return kInitFailed;
  modules_[moduleCount_] = &m;
  return moduleCount_++;
}

int32_t Decoder::queryInput(int32_t moduleId, int32_t device, InputInfo& info) {
  if (moduleId < 0 || moduleId >= moduleCount_) {
    reportError(moduleId, "unknown module name", "");
    return kUnknownModule;
  }
  const InputModule& m = *modules_[moduleId];
  if (m.query == nullptr) return internalError("null input module");
  const int32_t result = m.query(&info, device);
  if (result == kUnknownModule) reportError(moduleId, "unknown device name", "");
  return result;
}

int32_t Decoder::inputOpen(const char* name, int32_t moduleId) {
  if (name == nullptr) return kBadParameter;
  if (open_ && (moduleId == -1 || moduleId == moduleId_) && name_ == name) return kOk;
  inputClose();
  if (moduleId >= moduleCount_ || moduleId < -1) {
    reportError(moduleId, "unknown module name", "");
    return kUnknownModule;
  }
  if (moduleId >= 0) return openWith(moduleId, name);
  for (int32_t id = 0; id < moduleCount_; ++id) {
    void* probe = nullptr;
    if (modules_[id]->create(&probe, name, id, this) != kOk) continue;
    modules_[id]->destroy(probe);
    return openWith(id, name);
  }
  return kNoModuleForName;
}

int32_t Decoder::openWith(int32_t moduleId, const char* name) {
  const InputModule& m = *modules_[moduleId];
  void* handle = nullptr;
  const int32_t created = m.create(&handle, name, moduleId, this);
  if (created != kOk) return created;
  const int32_t opened = m.open(handle);
  if (opened != kOk) {
    m.destroy(handle);
    return opened;
  }
  module_ = &m;
  moduleId_ = moduleId;
  handle_ = handle;
  name_ = name;
  open_ = true;
  return kOk;
}

void Decoder::inputClose() {
  if (!open_) return;
  module_->close(handle_);
  module_->destroy(handle_);
  module_ = nullptr;
  handle_ = nullptr;
  moduleId_ = -1;
  name_.clear();
  open_ = false;
}

int32_t Decoder::inputStart() {
  if (!open_) return internalError("input not open");
  if (module_->seek != nullptr) module_->seek(handle_, 0);
  size_ = module_->getSize != nullptr ? module_->getSize(handle_) : 0;
  seekable_ = module_->isSeekable != nullptr && module_->seek != nullptr && module_->isSeekable(handle_) != 0;
  resetFrameState();
  status_ = DecoderStatus{};
  output_ = DecoderOutput{};
  info_ = StreamInfo{};
  audioStart_ = 0;
  audioEnd_ = size_;
  infoFrameAt_ = -1;
  if (seekable_) {
    if (size_ > 0) findAudioExtent();
    probeFirstFrame();
  }
  inputBase_ = audioStart_;
  readLimit_ = size_ > 0 ? audioEnd_ : INT64_MAX;
  status_.duration = info_.duration;
  status_.bitrate = info_.frameCount ? info_.bitrate : 0;
  status_.seekTable = info_.seekTable;
  status_.declaredFrames = info_.frames;
  return kOk;
}

// Reads the first bytes of the audio for a "Xing" header and leaves the
// input at the audio's start.
void Decoder::probeFirstFrame() {
  uint8_t head[kXingProbeBytes];
  module_->seek(handle_, audioStart_);
  const int32_t got = module_->read(handle_, head, kXingProbeBytes);
  if (got > 0) info_ = probeStreamStart(head, got, audioBytes());
  if (info_.infoFrame) infoFrameAt_ = audioStart_;
  module_->seek(handle_, audioStart_);
}

bool Decoder::readAt(int64_t offset, uint8_t* into, int32_t bytes) {
  if (offset < 0 || module_->seek(handle_, offset) != kOk) return false;
  for (int32_t have = 0; have < bytes;) {
    const int32_t got = module_->read(handle_, into + have, bytes - have);
    if (got <= 0) return false;
    have += got;
  }
  return true;
}

// Sets the audio's extent: after the ID3v2 tags at the start (several may
// follow each other) and the zero padding behind them, and before the APE
// and ID3v1 tags at the end. A tag that claims more than the file holds is
// taken for audio.
void Decoder::findAudioExtent() {
  constexpr int32_t kMaxStartTags = 16;
  int64_t start = 0;
  uint8_t head[kId3v2HeaderBytes];
  for (int32_t i = 0; i < kMaxStartTags && readAt(start, head, kId3v2HeaderBytes); ++i) {
    const int64_t tag = id3v2TagBytes(head);
    if (tag == 0 || tag > size_ - start) break;
    start += tag;
  }
  if (start > 0) start = skipZeroPadding(start);
  audioStart_ = start;
  audioEnd_ = endOfAudio(start);
}

// Return: the offset of the first non-zero byte from at on (or the size).
int64_t Decoder::skipZeroPadding(int64_t at) {
  while (at < size_ && module_->seek(handle_, at) == kOk) {
    const int32_t got = module_->read(handle_, input_, kInputBufferBytes);  // input_ is free until decoding
    if (got <= 0) break;
    int32_t zeros = 0;
    while (zeros < got && input_[zeros] == 0) ++zeros;
    at += zeros;
    if (zeros < got) break;
  }
  return at < size_ ? at : size_;
}

// Return: where the audio ends: the size less the APE and ID3v1 tags that
// end the file, in either order.
int64_t Decoder::endOfAudio(int64_t start) {
  constexpr int32_t kMaxEndTags = 4;
  int64_t end = size_;
  uint8_t tail[kId3v1Bytes];
  for (int32_t i = 0; i < kMaxEndTags; ++i) {
    int64_t tag = 0;
    if (end - start >= kId3v1Bytes && readAt(end - kId3v1Bytes, tail, kId3v1Bytes)) tag = id3v1TagBytes(tail);
    if (tag == 0 && end - start >= kApeFooterBytes && readAt(end - kApeFooterBytes, tail, kApeFooterBytes)) {
      tag = apeTagBytes(tail);
    }
    if (tag == 0 || tag > end - start) break;
    end -= tag;
  }
  return end;
}

void Decoder::resetFrameState() {
  inputPos_ = 0;
  inputEnd_ = 0;
  synced_ = false;
  resetFrameDecoder(frame_);
}

bool Decoder::fill(int32_t need) {
  if (inputEnd_ - inputPos_ >= need) return true;
  if (inputPos_ > 0) {
    std::memmove(input_, input_ + inputPos_, size_t(inputEnd_ - inputPos_));
    inputBase_ += inputPos_;
    inputEnd_ -= inputPos_;
    inputPos_ = 0;
  }
  while (inputEnd_ < need) {
    const int64_t left = readLimit_ - (inputBase_ + inputEnd_);  // the end tags are never read
    int32_t want = kInputBufferBytes - inputEnd_;
    if (left < want) want = left > 0 ? int32_t(left) : 0;
    const int32_t got = want > 0 ? module_->read(handle_, input_ + inputEnd_, want) : 0;
    if (got <= 0) return false;
    inputEnd_ += got;
  }
  return true;
}

namespace {

// The fields every frame of one stream shares.
bool sameStream(const FrameHeader& a, const FrameHeader& b) {
  return a.version == b.version && a.layer == b.layer && a.rateIndex == b.rateIndex &&
         (a.mode == kMono) == (b.mode == kMono);
}

}  // namespace

// Return: true when the frame of the header at inputPos_ is followed by the
// header of a frame of the same stream, or ends the stream.
bool Decoder::confirmed(const FrameHeader& h) {
  const int32_t bytes = h.frameBytes();
  if (!fill(bytes + 4)) return inputEnd_ - inputPos_ >= bytes;
  FrameHeader next;
  return parseFrameHeader(headerWord(input_ + inputPos_ + bytes), next) && sameStream(h, next);
}

// In sync the header must be where the last frame ended; out of sync the
// search goes on to a confirmed header.
// Return: kOk with h at inputPos_; kFrameLost once for a header cut short by
// the end; kEndOfStream.
int32_t Decoder::findHeader(FrameHeader& h) {
  if (synced_) {
    if (fill(4) && parseFrameHeader(headerWord(input_ + inputPos_), h)) return kOk;
    synced_ = false;
    if (inputEnd_ - inputPos_ < 4 && inputEnd_ > inputPos_ && input_[inputPos_] == 0xFF) return lostToTheEnd();
  }
  while (fill(4)) {
    const uint8_t* p = input_ + inputPos_;
    if (p[0] == 0xFF && parseFrameHeader(headerWord(p), h) && confirmed(h)) {
      synced_ = true;
      return kOk;
    }
    ++inputPos_;
  }
  inputPos_ = inputEnd_;
  return kEndOfStream;
}

// Drops what is left of the input: a frame cut short by its end.
int32_t Decoder::lostToTheEnd() {
  inputPos_ = inputEnd_;
  synced_ = false;
  status_.endsInsideFrame = true;
  return kFrameLost;
}

// Finds the next frame's header, passing over the information frame.
int32_t Decoder::nextFrame(FrameHeader& h) {
  const int32_t found = findHeader(h);
  if (found != kOk || inputBase_ + inputPos_ != infoFrameAt_ || !fill(h.frameBytes())) return found;
  inputPos_ += h.frameBytes();
  return findHeader(h);
}

int32_t Decoder::decode(int16_t* buffer) {
  if (!open_) return internalError("input not open");
  FrameHeader h;
  const int32_t found = nextFrame(h);
  if (found != kOk) return found;
  const int32_t bytes = h.frameBytes();
  const bool followed = fill(bytes + 4);
  if (inputEnd_ - inputPos_ < bytes) return lostToTheEnd();
  const uint8_t* after = input_ + inputPos_ + bytes;
  FrameHeader next;
  if (followed && !parseFrameHeader(headerWord(after), next) && !tagStartsAt(after)) {
    ++inputPos_;  // not followed by a frame: take it for a false sync
    synced_ = false;
    return kFrameLost;
  }
  const uint8_t* frame = input_ + inputPos_;
  inputPos_ += bytes;
  int16_t* pcm = buffer != nullptr ? buffer : pcm_;
  const int32_t samples = decodeFrame(h, frame, frame_, pcm);
  const int64_t audio = audioBytes();
  if (audio > 0) status_.position = float(double(inputBase_ + inputPos_ - audioStart_) / double(audio));
  if (samples == 0) return kFrameLost;
  updateStatus(h);
  output_.samples = pcm;
  output_.bytes = samples * h.channels() * 2;
  output_.sampleRate = h.sampleRate();
  output_.stereo = h.channels() == 2 ? 1 : 0;
  return kOk;
}

void Decoder::updateStatus(const FrameHeader& h) {
  const StreamFormat f{h.layer, int32_t(h.version), h.sampleRate(), h.mode, h.bitrate()};
  ++status_.frames;
  status_.formatChanged = f != status_.format;
  status_.format = f;
  status_.bitrate = status_.bitrate == 0 ? f.bitrate : (f.bitrate + 31 * status_.bitrate) / 32;
  if (audioBytes() > 0 && status_.bitrate != 0 && !info_.frameCount) {
    status_.duration = int32_t(audioBytes() / (int64_t(status_.bitrate) * 1000 / 8));
  }
}

int32_t Decoder::inputSeek(float x) {
  if (!open_) return internalError("input not open");
  x = x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x);
  if (info_.seekTable) x = seekTableFraction(info_.table, x);
  const int64_t audio = audioBytes();
  int64_t offset = int64_t(double(x) * double(audio));
  if (offset > audio) offset = audio;
  status_.position = audio > 0 ? float(double(offset) / double(audio)) : 0.0f;
  status_.endsInsideFrame = false;
  resetFrameState();
  inputBase_ = audioStart_ + offset;
  if (!seekable_ || module_->seek(handle_, inputBase_) != kOk) return kWrongState;
  return kOk;
}

int32_t Decoder::inputMessage(int32_t message, void* data) {
  if (!open_ || module_ == nullptr || module_->sendMessage == nullptr) return kWrongState;
  return module_->sendMessage(handle_, message, data);
}

void Decoder::setErrorCallback(DecoderErrorCallback callback, void* user) {
  callback_ = callback;
  callbackUser_ = user;
}

void Decoder::reportError(int32_t moduleId, const char* message, const char* details) {
  if (callback_ != nullptr) callback_(callbackUser_, moduleId, 0, message, details);
}

}  // namespace zarnel
