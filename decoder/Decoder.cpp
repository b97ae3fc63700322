#include "decoder/Decoder.h"

#include <cstring>
#include <new>

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
  inputBase_ = 0;
  status_ = DecoderStatus{};
  output_ = DecoderOutput{};
  info_ = StreamInfo{};
  if (seekable_) {
    uint8_t head[kXingProbeBytes];
    const int32_t got = module_->read(handle_, head, kXingProbeBytes);
    if (got > 0) info_ = probeStreamStart(head, got, size_);
    module_->seek(handle_, 0);
  }
  status_.duration = info_.duration;
  status_.bitrate = info_.frameCount ? info_.bitrate : 0;
  status_.seekTable = info_.seekTable;
  return kOk;
}

void Decoder::resetFrameState() {
  inputPos_ = 0;
  inputEnd_ = 0;
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
    const int32_t got = module_->read(handle_, input_ + inputEnd_, kInputBufferBytes - inputEnd_);
    if (got <= 0) return false;
    inputEnd_ += got;
  }
  return true;
}

bool Decoder::findHeader(FrameHeader& header) {
  while (fill(4)) {
    const uint8_t* p = input_ + inputPos_;
    if (p[0] == 0xFF && parseFrameHeader(headerWord(p), header)) return true;
    ++inputPos_;
  }
  inputPos_ = inputEnd_;
  return false;
}

int32_t Decoder::decode(int16_t* buffer) {
  if (!open_) return internalError("input not open");
  FrameHeader h;
  if (!findHeader(h)) return kEndOfStream;
  const int32_t bytes = h.frameBytes();
  const bool followed = fill(bytes + 4);
  if (inputEnd_ - inputPos_ < bytes) {
    inputPos_ = inputEnd_;  // a frame cut short by the end of the input
    return kEndOfStream;
  }
  FrameHeader next;
  if (followed && !parseFrameHeader(headerWord(input_ + inputPos_ + bytes), next)) {
    ++inputPos_;  // not followed by a frame: take it for a false sync
    return kFrameLost;
  }
  const uint8_t* frame = input_ + inputPos_;
  inputPos_ += bytes;
  int16_t* pcm = buffer != nullptr ? buffer : pcm_;
  const int32_t samples = decodeFrame(h, frame, frame_, pcm);
  if (size_ > 0) status_.position = float(double(inputBase_ + inputPos_) / double(size_));
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
  if (size_ > 0 && status_.bitrate != 0 && !info_.frameCount) {
    status_.duration = int32_t(size_ / (int64_t(status_.bitrate) * 1000 / 8));
  }
}

int32_t Decoder::inputSeek(float x) {
  if (!open_) return internalError("input not open");
  x = x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x);
  if (info_.seekTable) x = seekTableFraction(info_.table, x);
  int64_t offset = int64_t(double(x) * double(size_));
  if (offset > size_) offset = size_;
  status_.position = size_ > 0 ? float(double(offset) / double(size_)) : 0.0f;
  resetFrameState();
  inputBase_ = offset;
  if (!seekable_ || module_->seek(handle_, offset) != kOk) return kWrongState;
  return kOk;
}

void Decoder::setErrorCallback(DecoderErrorCallback callback, void* user) {
  callback_ = callback;
  callbackUser_ = user;
}

void Decoder::reportError(int32_t moduleId, const char* message, const char* details) {
  if (callback_ != nullptr) callback_(callbackUser_, moduleId, 0, message, details);
}

}  // namespace zarnel
