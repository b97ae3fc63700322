#include "mixer/SamplePlayers.h"

#include <algorithm>
#include <limits>

namespace zarnel {

namespace {

constexpr uint32_t kPlayingBit = 1;
constexpr int32_t kRingFrames = 22050;  // the MixRing's length
constexpr int32_t kFadeFrames = 256;    // the restart fade's length

const std::string kNoName;

int16_t clip16(int32_t v) { return int16_t(std::clamp(v, -32768, 32767)); }

}  // namespace

SamplePlayers::SamplePlayers() = default;

SamplePlayers::~SamplePlayers() = default;

// --- UI thread ---------------------------------------------------------------

bool SamplePlayers::set(int32_t slot, std::unique_ptr<SampleData> data, const std::string& name) {
  if (!valid(slot)) return false;
  Slot& s = slots_[size_t(slot)];
  stop(slot);
  // Sequentially consistent with the pass's enter and its load of the
  // pointer: a pass that read the old pointer entered before this swap, so
  // its number is at most what entered_ shows after it.
  s.data.store(data.get());
  const uint32_t pass = entered_.load();
  if (s.owned) retired_.push_back({std::move(s.owned), pass});
  s.owned = std::move(data);
  s.name = s.owned ? name : std::string();
  s.momentary = false;
  reclaim();
  return true;
}

int32_t SamplePlayers::reclaim() {
  const uint32_t left = left_.load(std::memory_order_acquire);
  // The pass numbered r.pass (if one was under way) has ended when left_
  // reached it; counters wrap, so compare the difference.
  std::erase_if(retired_, [left](const Retired& r) { return int32_t(left - r.pass) >= 0; });
  return int32_t(retired_.size());
}

bool SamplePlayers::start(int32_t slot) {
  if (!loaded(slot)) return false;
  Slot& s = slots_[size_t(slot)];
  uint32_t old = s.state.load(std::memory_order_relaxed);
  uint32_t next;
  do {
    next = ((old >> 1) + 1) << 1 | kPlayingBit;
  } while (!s.state.compare_exchange_weak(old, next, std::memory_order_release, std::memory_order_relaxed));
  if ((old & kPlayingBit) == 0) playing_.fetch_add(1, std::memory_order_release);
  requestRemix();
  return true;
}

// Whoever clears the playing bit takes the slot out of the count.
void SamplePlayers::stop(int32_t slot) {
  Slot& s = slots_[size_t(slot)];
  const uint32_t old = s.state.fetch_and(~kPlayingBit, std::memory_order_acq_rel);
  if ((old & kPlayingBit) == 0) return;
  playing_.fetch_sub(1, std::memory_order_release);
  requestRemix();
}

bool SamplePlayers::press(int32_t slot, bool momentary) {
  if (!loaded(slot)) return false;
  slots_[size_t(slot)].momentary = momentary;
  return start(slot);
}

bool SamplePlayers::trigger(int32_t slot) { return start(slot); }

void SamplePlayers::release(int32_t slot) {
  if (!loaded(slot) || !slots_[size_t(slot)].momentary) return;
  stop(slot);
}

void SamplePlayers::stopAll() {
  for (int32_t slot = 0; slot < kSamplePlayers; ++slot) stop(slot);
}

void SamplePlayers::setVolume(int32_t slot, int32_t volume) {
  if (!valid(slot)) return;
  slots_[size_t(slot)].volume.store(std::clamp(volume, 0, kSampleUnityVolume), std::memory_order_relaxed);
  requestRemix();
}

// --- views -------------------------------------------------------------------

bool SamplePlayers::loaded(int32_t slot) const {
  return valid(slot) && slots_[size_t(slot)].data.load(std::memory_order_acquire) != nullptr;
}

bool SamplePlayers::playing(int32_t slot) const {
  return valid(slot) && (slots_[size_t(slot)].state.load(std::memory_order_acquire) & kPlayingBit) != 0;
}

int32_t SamplePlayers::volume(int32_t slot) const {
  return valid(slot) ? slots_[size_t(slot)].volume.load(std::memory_order_relaxed) : 0;
}

int32_t SamplePlayers::length(int32_t slot) const {
  return valid(slot) && slots_[size_t(slot)].owned ? slots_[size_t(slot)].owned->length : 0;
}

const std::string& SamplePlayers::name(int32_t slot) const { return valid(slot) ? slots_[size_t(slot)].name : kNoName; }

int32_t SamplePlayers::position(int32_t slot) const {
  return valid(slot) ? slots_[size_t(slot)].position.load(std::memory_order_relaxed) : 0;
}

// --- audio thread ------------------------------------------------------------

void SamplePlayers::moveBackRt(int32_t frames) {
  if (playingCount() == 0) return;
  for (Slot& s : slots_) {
    if ((s.state.load(std::memory_order_acquire) & kPlayingBit) == 0) continue;
    const int32_t at = s.position.load(std::memory_order_relaxed);
    s.position.store(std::max(at - frames, 0), std::memory_order_relaxed);
  }
}

void SamplePlayers::addRt(const SampleMix& mix) {
  const uint32_t pass = entered_.fetch_add(1) + 1;
  if (playingCount() != 0 && mix.frames > 0) {
    for (Slot& s : slots_) mixSlotRt(s, mix);
  }
  left_.store(pass, std::memory_order_release);
}

void SamplePlayers::mixSlotRt(Slot& s, const SampleMix& mix) {
  const uint32_t state = s.state.load(std::memory_order_acquire);
  if ((state & kPlayingBit) == 0) return;
  if ((state >> 1) != s.seenSerial) {  // pressed again: from the start
    s.seenSerial = state >> 1;
    s.position.store(0, std::memory_order_relaxed);
  }
  const SampleData* data = s.data.load();
  if (!data) return;
  const int32_t position = s.position.load(std::memory_order_relaxed);
  const int32_t n = std::min(data->length - position, mix.frames);
  // The position runs on past the end until the stop below; it cannot
  // overflow before the write cursor catches up, but stays bounded anyway.
  s.position.store(int32_t(std::min<int64_t>(int64_t(position) + mix.frames, std::numeric_limits<int32_t>::max())),
                   std::memory_order_relaxed);
  if (n > 0) {
    addFramesRt(*data, position, n, s.volume.load(std::memory_order_relaxed), mix);
    return;
  }
  // Fully mixed; it stops once the write cursor has reached its last frame.
  // A press since the load above keeps it playing (the exchange fails).
  if (mix.behind > -n) return;
  uint32_t expected = state;
  if (s.state.compare_exchange_strong(expected, state & ~kPlayingBit, std::memory_order_acq_rel))
    playing_.fetch_sub(1, std::memory_order_release);
}

void SamplePlayers::addFramesRt(const SampleData& data, int32_t from, int32_t count, int32_t volume,
                                const SampleMix& mix) const {
  const int16_t* src = data.frames.get() + size_t(from) * 2;
  int32_t at = mix.at;
  for (int32_t k = 0; k < count; ++k) {
    int32_t out[2][2] = {};
    mix.route(src[2 * k], src[2 * k + 1], volume, out);
    const int32_t fade = mix.fade - k;  // restart fade counter at this frame
    for (int32_t o = 0; o < mix.outputs; ++o) {
      int16_t* frame = mix.rings[o] + size_t(at) * 2;
      for (int32_t c = 0; c < 2; ++c) {
        int32_t add = out[o][c];
        if (fade > 0) add = add * (kFadeFrames - fade) / kFadeFrames;
        frame[c] = clip16(frame[c] + add);
      }
    }
    if (++at == kRingFrames) at = 0;
  }
}

}  // namespace zarnel
