#include "plugins/brake/Brake.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "plugins/framework/ClassFactory.h"
#include "plugins/framework/EffectObject.h"
#include "plugins/framework/HostBlock.h"

namespace zarnel::effects {

namespace {

int16_t clipSample(float value) {
  const float clipped = std::clamp(value, -32768.0f, 32767.0f);
  return static_cast<int16_t>(clipped);  // truncates toward zero
}

}  // namespace

int32_t Brake::brakeFrames(int32_t lengthParameter) {
  // The host keeps parameters in 0..4096; the clamp keeps N at 1 or more.
  return std::clamp(lengthParameter, 0, 4096) * 176400 / 4096 + 1;
}

void Brake::init(ZarnelEffect& block) {
  block.parameters[0] = kDefaultLength;
  length_ = brakeFrames(kDefaultLength);
}

void Brake::start(const ZarnelEffect&) {
  captured_ = 0;
  readPosition_ = 0.0f;
  speed_ = 1.0f;
  finished_ = 0;
}

void Brake::processRt(ZarnelEffect& block, int16_t* frames, int32_t count) {
  captureRt(frames, count);
  const int32_t played = playRt(frames, count);
  if (played < count) finishRt(block, frames, played, count);
}

void Brake::captureRt(const int16_t* frames, int32_t count) {
  if (captured_ < kCaptureFrames) {
    const int32_t taken = std::min(count, kCaptureFrames - captured_);
    std::memcpy(&capture_[size_t(captured_) * 2], frames, size_t(taken) * 2 * sizeof(int16_t));
  }
  // Saturates rather than wrapping should the host never switch the effect off.
  captured_ =
      count > std::numeric_limits<int32_t>::max() - captured_ ? std::numeric_limits<int32_t>::max() : captured_ + count;
}

int32_t Brake::playRt(int16_t* frames, int32_t count) {
  const float step = 1.0f / static_cast<float>(length_);
  for (int32_t i = 0; i < count; ++i) {
    if (speed_ <= 0.0f) return i;
    const float whole = std::floor(readPosition_);
    if (whole >= static_cast<float>(kCaptureFrames - 1)) return i;
    const auto k = static_cast<size_t>(whole);
    const float f = readPosition_ - whole;
    for (size_t channel = 0; channel < 2; ++channel) {
      const float here = capture_[k * 2 + channel];
      const float next = capture_[(k + 1) * 2 + channel];
      frames[size_t(i) * 2 + channel] = clipSample(speed_ * ((1.0f - f) * here + f * next));
    }
    readPosition_ += speed_;
    speed_ -= step;
  }
  return count;
}

void Brake::finishRt(const ZarnelEffect& block, int16_t* frames, int32_t from, int32_t count) {
  std::memset(&frames[size_t(from) * 2], 0, size_t(count - from) * 2 * sizeof(int16_t));
  if (finished_ != 0) return;
  finished_ = 1;
  // Both timed to the first silent frame: the desk stops where the sound does.
  callHost(block, from, ZARNEL_EFFECT_PAUSE, 0);
  callHost(block, from, ZARNEL_EFFECT_SWITCH_OFF, 0);
}

void Brake::rewindRt(const ZarnelEffect& block, int32_t delta) {
  const int64_t after = int64_t(captured_) + delta;
  int32_t a = 0;
  if (after <= 0) {
    speed_ = 1.0f;
    readPosition_ = 0.0f;
  } else {
    a = static_cast<int32_t>(std::min<int64_t>(after, std::numeric_limits<int32_t>::max()));
    // The speed and read position after a frames of braking.
    const double n = length_;
    speed_ = static_cast<float>(1.0 - a / n);
    readPosition_ = static_cast<float>((a - 1.0) - (a - 1.0) * a / (2.0 * n));
  }
  captured_ = a;
  length_ = brakeFrames(parameterOf(block, 0));
}

ZarnelEffect* createEffect() { return EffectObject<Brake>::create(); }

}  // namespace zarnel::effects
