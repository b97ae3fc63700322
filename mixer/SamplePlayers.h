#pragma once
// The twelve sample players: short sounds held whole in memory and added on
// top of the mix by the mixing pass, each once from its start at its own
// volume.
//
// Threads. The UI thread loads, presses, releases and sets volumes; the
// audio thread mixes. They share per slot only atomic words: the data
// pointer, the volume and a state word (press serial << 1 | playing). The
// play position belongs to the audio thread alone: a press bumps the serial
// and the pass rewinds when it sees a new one, so a press is never lost to
// the pass's own position update. Replaced data is retired, not freed: the
// UI thread frees it once the audio thread has left every pass that could
// have read it (entered and left pass counters), so the audio thread never
// waits, never frees and always reads one whole sample per pass.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zarnel {

constexpr int32_t kSamplePlayers = 12;
constexpr int32_t kSampleUnityVolume = 4096;  // Q12

// One decoded sample: 44100 Hz stereo 16-bit frames. Never changes once a
// player holds it.
struct SampleData {
  std::unique_ptr<int16_t[]> frames;
  int32_t length = 0;  // frames
};

// What one sample frame (left, right) at volume (Q12) gives each output of a
// mode, before the restart fade: out[output][channel].
using SampleRouteFn = void (*)(int32_t left, int32_t right, int32_t volume, int32_t out[2][2]);

// One mixing pass as the samples see it.
struct SampleMix {
  int16_t* rings[2] = {nullptr, nullptr};  // the MixRings, kMixRingFrames stereo frames each
  int32_t outputs = 1;                     // MixRings in use
  SampleRouteFn route = nullptr;
  int32_t at = 0;      // mixing position at the pass start
  int32_t frames = 0;  // frames mixed in this pass
  int32_t fade = 0;    // restart fade counter at the pass start
  int32_t behind = 0;  // mixing position − write cursor at the pass start, 0..22049
};

class SamplePlayers {
 public:
  SamplePlayers();
  // Pre: no mixing pass runs, nor will (every engine holding it is gone).
  ~SamplePlayers();
  SamplePlayers(const SamplePlayers&) = delete;
  SamplePlayers& operator=(const SamplePlayers&) = delete;

  // --- UI thread ---
  // Stops the slot, then gives it data (null empties it) under name.
  // Return: false for a slot outside 0..11 (nothing changes).
  bool set(int32_t slot, std::unique_ptr<SampleData> data, const std::string& name);
  // A loaded slot plays from its start at the write cursor; momentary marks
  // it for release. Return: false for an empty or unknown slot.
  bool press(int32_t slot, bool momentary);
  // As press, keeping the momentary flag.
  bool trigger(int32_t slot);
  // Stops a momentary, playing, loaded slot.
  void release(int32_t slot);
  // Stops every playing slot.
  void stopAll();
  // Stores volume (clamped to 0..4096) and asks for a re-mix.
  void setVolume(int32_t slot, int32_t volume);
  // Frees retired data the audio thread is done with. Return: what is still held.
  int32_t reclaim();

  // Any thread.
  bool loaded(int32_t slot) const;
  bool playing(int32_t slot) const;
  bool momentary(int32_t slot) const { return valid(slot) && slots_[size_t(slot)].momentary; }
  int32_t volume(int32_t slot) const;
  // Return: the slot's length in frames, 0 when empty. UI thread.
  int32_t length(int32_t slot) const;
  // Return: the file name of the slot's sample, "" when empty. UI thread.
  const std::string& name(int32_t slot) const;
  int32_t playingCount() const { return playing_.load(std::memory_order_acquire); }
  // Return: the frames of the slot already mixed (audio thread's view).
  int32_t position(int32_t slot) const;

  // --- audio thread ---
  // Return: whether a press, release or volume change asks for a re-mix
  // (clears the request).
  bool takeRemixRt() { return remix_.exchange(0, std::memory_order_acquire) != 0; }
  // Moves every playing sample back by frames about to be mixed again, not below 0.
  void moveBackRt(int32_t frames);
  // Adds every playing sample to the pass and stops those whose end the
  // write cursor has passed.
  void addRt(const SampleMix& mix);

 private:
  struct Slot {
    std::atomic<const SampleData*> data{nullptr};
    std::atomic<uint32_t> state{0};  // press serial << 1 | playing
    std::atomic<int32_t> volume{kSampleUnityVolume};
    std::atomic<int32_t> position{0};   // written by the audio thread only
    uint32_t seenSerial = 0;            // audio thread only
    bool momentary = false;             // UI thread only
    std::unique_ptr<SampleData> owned;  // UI thread only: what data points at
    std::string name;                   // UI thread only
  };
  struct Retired {
    std::unique_ptr<SampleData> data;
    uint32_t pass;  // freed once the audio thread has left this pass
  };

  static bool valid(int32_t slot) { return slot >= 0 && slot < kSamplePlayers; }
  bool start(int32_t slot);
  void stop(int32_t slot);
  void requestRemix() { remix_.store(1, std::memory_order_release); }
  void mixSlotRt(Slot& slot, const SampleMix& mix);
  void addFramesRt(const SampleData& data, int32_t from, int32_t count, int32_t volume, const SampleMix& mix) const;

  std::array<Slot, kSamplePlayers> slots_;
  std::atomic<int32_t> playing_{0};
  std::atomic<int32_t> remix_{0};
  std::atomic<uint32_t> entered_{0};  // passes begun by the audio thread
  std::atomic<uint32_t> left_{0};     // passes it has finished
  std::vector<Retired> retired_;      // UI thread only
};

}  // namespace zarnel
