// The desk's audio-thread half: the service, commands, decoding, seeking,
// refreshing and the heard-position update.

#include <algorithm>
#include <cstring>

#include "desk/Desk.h"
#include "desk/DeskEngine.h"
#include "desk/DeskHooks.h"
#include "desk/sources/AudioSource.h"
#include "platform/MessagePoster.h"

namespace zarnel {

namespace {
// Frames per track second, as the divisor of a position; a track shorter
// than a second counts as one second so positions stay finite.
float framesOfTrack(int32_t lengthSeconds) {
  return float(std::max(lengthSeconds, 1)) * float(kSampleRate);
}
}  // namespace

void Desk::serviceRt() {
  int32_t command = command_.load(std::memory_order_acquire);
  if (command != kCmdNone) {
    executeRt(command);
    commandDone_.signal();
    return;
  }
  if (unloaded_.load(std::memory_order_relaxed) != 0) return;
  if (!resampler_.passRt(*this)) decodeStepRt();
}

void Desk::executeRt(int32_t command) {
  const bool loaded = unloaded_.load(std::memory_order_relaxed) == 0;
  switch (command) {
    case kCmdLoad:
      unloaded_.store(0, std::memory_order_relaxed);
      seekRt(commandPosition_.load(std::memory_order_relaxed));
      break;
    case kCmdUnload:
      unloadRt();
      break;
    case kCmdPlay:
      playRt();
      break;
    case kCmdPause:
      pauseRt();
      break;
    case kCmdSeek:
      seekRt(commandPosition_.load(std::memory_order_relaxed));
      break;
    case kCmdSetPitch:
      setPitchRt(commandValue_.load(std::memory_order_relaxed));
      break;
    case kCmdRefresh:
      if (loaded) refreshRt();
      break;
    case kCmdJump:
      if (loaded) jumpRt(commandValue_.load(std::memory_order_relaxed));
      break;
    case kCmdScratch:
      if (loaded) scratchRt(commandValue_.load(std::memory_order_relaxed));
      break;
    case kCmdSetLoop:
      if (loaded) setLoopRt(commandValue_.load(std::memory_order_relaxed));
      break;
    case kCmdHold:
      if (loaded) holdRt(commandValue_.load(std::memory_order_relaxed) != 0);
      break;
    default:
      break;
  }
  command_.store(kCmdNone, std::memory_order_relaxed);
}

void Desk::playRt() {
  if (!playing() && engine_) engine_->deskStarted(index_);
  playing_.store(1, std::memory_order_relaxed);
}

void Desk::pauseRt() {
  if (playing() && engine_) engine_->deskStopped(index_);
  playing_.store(0, std::memory_order_relaxed);
}

void Desk::unloadRt() {
  unloaded_.store(1, std::memory_order_relaxed);
  seekPending_ = false;
  decoding_.store(0, std::memory_order_relaxed);
  pauseRt();
}

void Desk::setPitchRt(int32_t p) {
  p = std::clamp(p, 0, Resampler::kMaxStep);
  pitch_.store(p, std::memory_order_relaxed);
  resampler_.setRequirement(p);
  if (unloaded_.load(std::memory_order_relaxed) == 0) refreshRt();
}

bool Desk::decodeStepRt() {
  if (seekPending_) {
    completeSeekRt();
    return false;
  }
  int32_t free = playIndex_ - writeIndex_;
  if (free <= 0) free += kDecodeRingFrames;
  if (free < kDecodeGate || (loop_.active && loop_.length + kBlockFrames >= free)) return false;
  int16_t* block = decodeRing_.get() + writeIndex_ * 2;
  if (decoding()) {
    blockTime_[blockCursor_] = source_->position();
    int32_t result = source_->readRt(block);
    if (result == kReadPending) {
      // The reader is behind: the decode ring carries the desk meanwhile.
      noteStarvedRt();
      return false;
    }
    noteFedRt();
    if (result != kReadBlock) {
      if (result == kReadError) status_.store(kStatusReadError, std::memory_order_relaxed);
      decoding_.store(0, std::memory_order_relaxed);
      return false;
    }
  } else {
    blockTime_[blockCursor_] = -1.0f;
    std::memset(block, 0, kBlockBytes);
  }
  analyser_.feedRt(block);
  advanceWriteRt();
  if (unfilled_ != 0) unfilled_ -= kBlockFrames;
  return true;
}

// The frames heard since decode steps stopped finding data; past the grace
// the status says the source is late.
void Desk::noteStarvedRt() {
  if (!starving_) {
    starving_ = true;
    starvedFrom_ = playIndex_;
    starvedFrames_ = 0;
  }
  int32_t heard = playIndex_ - starvedFrom_;
  if (heard < 0) heard += kDecodeRingFrames;
  starvedFrom_ = playIndex_;
  starvedFrames_ = std::min(starvedFrames_ + heard, kLateGraceFrames);
  int32_t loaded = kStatusLoaded;
  if (starvedFrames_ >= kLateGraceFrames)
    status_.compare_exchange_strong(loaded, kStatusSourceLate, std::memory_order_relaxed);
}

void Desk::noteFedRt() {
  if (!starving_) return;
  starving_ = false;
  int32_t late = kStatusSourceLate;
  status_.compare_exchange_strong(late, kStatusLoaded, std::memory_order_relaxed);
}

void Desk::advanceWriteRt() {
  writeIndex_ += kBlockFrames;
  blockCursor_ += 1;
  if (writeIndex_ >= kDecodeRingFrames) {
    writeIndex_ = 0;
    blockCursor_ = 0;
  }
}

void Desk::clearRingsRt() {
  std::memset(decodeRing_.get(), 0, size_t(kDecodeRingFrames) * kBytesPerFrame);
  std::fill(std::begin(blockTime_), std::end(blockTime_), 0.0f);
}

void Desk::seekRt(float x) {
  if (x >= 1.0f) {
    seekPending_ = false;
    loop_.active = false;
    loop_.pendingLength = 0;
    clearRingsRt();
    analyser_.clearRt();
    position_.store(-1.0f, std::memory_order_relaxed);
    decoding_.store(0, std::memory_order_relaxed);
    pauseRt();
    return;
  }
  // Negative positions are taken as the start of the track. The reader
  // moves first; the desk follows when the data is there.
  source_->seekRt(std::max(x, 0.0f));
  seekTarget_ = x;
  seekPending_ = true;
  position_.store(std::max(x, 0.0f), std::memory_order_relaxed);
  completeSeekRt();
}

// Return: true once the pending seek took effect (its data had arrived).
bool Desk::completeSeekRt() {
  if (!source_->readyRt()) {
    noteStarvedRt();
    return false;
  }
  noteFedRt();
  seekPending_ = false;
  loop_.active = false;
  loop_.pendingLength = 0;
  if (seekTarget_ <= 0.0f) startAtTopRt();
  else seekInsideRt(seekTarget_);
  return true;
}

void Desk::startAtTopRt() {
  clearRingsRt();
  position_.store(0.0f, std::memory_order_relaxed);
  analyser_.clearRt();
  unfilled_ = kDecodeRingFrames;
  playIndex_ = writeIndex_;
  decoding_.store(1, std::memory_order_relaxed);
  refreshRt();
}

// A seek inside the track: the source may resume up to a block early, so the
// play index starts inside the first block at exactly x.
void Desk::seekInsideRt(float x) {
  clearRingsRt();
  analyser_.clearRt();
  blockTime_[blockCursor_] = source_->position();
  int16_t* block = decodeRing_.get() + writeIndex_ * 2;
  int32_t result = source_->readRt(block);
  if (result != kReadBlock) {
    if (result == kReadError) status_.store(kStatusReadError, std::memory_order_relaxed);
    position_.store(-1.0f, std::memory_order_relaxed);
    playing_.store(0, std::memory_order_relaxed);
    decoding_.store(0, std::memory_order_relaxed);
    if (engine_) engine_->deskStopped(index_);
    return;
  }
  analyser_.feedRt(block);
  advanceWriteRt();
  unfilled_ = kDecodeRingFrames - kBlockFrames;
  // The block ends `past` frames after x, so x lies that far before the
  // write index.
  int32_t past = int32_t((source_->position() - x) * framesOfTrack(length()));
  playIndex_ = writeIndex_ - std::clamp(past, 0, kBlockFrames);
  if (playIndex_ < 0) playIndex_ += kDecodeRingFrames;
  position_.store(x, std::memory_order_relaxed);
  decoding_.store(1, std::memory_order_relaxed);
  refreshRt();
}

void Desk::refreshRt() {
  DeskOutputRing& out = *out_;
  int16_t* tail = resampler_.spliceTail();
  if (playing()) {
    for (int32_t i = 0; i < Resampler::kSpliceFrames; ++i) {
      int32_t at = DeskOutputRing::wrap(out.heardIndex + i);
      tail[2 * i] = out.frames[2 * at];
      tail[2 * i + 1] = out.frames[2 * at + 1];
    }
  } else {
    std::memset(tail, 0, Resampler::kSpliceFrames * kBytesPerFrame);
  }
  int32_t thrown = out.writeIndex - out.heardIndex;
  if (thrown < 0) thrown += kOutputRingFrames;
  effects_.discardRt(thrown);
  out.writeIndex = out.heardIndex;
  readIndex_ = playIndex_;
  out.refillCountdown = kOutputRingFrames;
  resampler_.resetRemainders();
  transition_->active = false;
  resampler_.passRt(*this);
  if (playing() && engine_) engine_->invalidate(index_);
}

// Return: the DecodeRing frame heard at output ring index a, ahead frames
// before the write index, inside the active loop.
int32_t Desk::loopedPlayIndexRt(int32_t ahead) {
  int32_t l = readIndex_ - loop_.start;
  if (l < 0) l += kDecodeRingFrames;
  l -= (ahead * pitch()) >> 12;
  if (loop_.length > 0) {
    while (l < 0) l += loop_.length;
  }
  if (loop_.pendingLength > 0 && l < loop_.pendingLength) {
    loop_.length = loop_.pendingLength;
    loop_.pendingLength = -1;
  }
  return (loop_.start + l) % kDecodeRingFrames;
}

void Desk::positionUpdateRt(int32_t a) {
  if (transition_->active) a = transitionHeardRt(a);
  effects_.fireEventsRt(a);
  DeskOutputRing& out = *out_;
  out.heardIndex = a;
  int32_t ahead = out.writeIndex - a;
  if (ahead < 0) ahead += kOutputRingFrames;
  int32_t h;
  if (loop_.active) {
    h = loopedPlayIndexRt(ahead);
  } else {
    h = readIndex_ - ((ahead * pitch()) >> 12);
    if (h < 0) h += kDecodeRingFrames;
  }
  const bool moved = h != playIndex_;
  playIndex_ = h;
  if (loop_.active && loop_.pendingLength == -1) {
    loop_.pendingLength = 0;
    refreshRt();
  }
  // A seek waiting for its data keeps showing where it goes.
  if (!moved || seekPending_) return;
  float position = float(h % kBlockFrames) / framesOfTrack(length()) + blockTime_[h / kBlockFrames];
  if (position < 0) {
    endOfTrackRt();
    return;
  }
  position_.store(position, std::memory_order_relaxed);
  if (links_.autoMix) links_.autoMix->mixCheckRt(*this);
}

void Desk::endOfTrackRt() {
  if (links_.autoMix) links_.autoMix->endOfTrackCheckRt(*this);
  position_.store(-1.0f, std::memory_order_relaxed);
  playing_.store(0, std::memory_order_relaxed);
  if (engine_) engine_->deskStopped(index_);
  cueCycle_ = 0;
  if (links_.poster) links_.poster->postRt(kMsgTrackEnded, index_, 0);
}

}  // namespace zarnel
