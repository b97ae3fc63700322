#pragma once
// The active sound output: it owns the sound buffer and its MixRing copy,
// holds the mixing parameters, and runs the mixing pass and the cursor update
// on the audio thread. Each output mode is a subclass that routes the desks'
// strips to its outputs.

#include <atomic>
#include <cstdint>

#include "desk/DeskEngine.h"
#include "mixer/BandEqualizer.h"
#include "mixer/RecorderTap.h"
#include "mixer/SamplePlayers.h"

namespace zarnel {

class Desk;

constexpr int32_t kMixRingFrames = 22050;  // 0.5 s, the sound buffer's length
constexpr int32_t kRestartFadeFrames = 256;
constexpr int32_t kSilentFrames = 4410;

class OutputEngine : public DeskEngine {
 public:
  // Pre: both desks outlive the engine.
  OutputEngine(Desk& desk1, Desk& desk2);
  ~OutputEngine() override = default;
  OutputEngine(const OutputEngine&) = delete;
  OutputEngine& operator=(const OutputEngine&) = delete;

  // --- parameter operations: any thread; they store words and request a re-mix.
  virtual void setLevels(int32_t level1, int32_t level2);
  void invalidate(int32_t desk) override;
  bool deskMoved(int32_t, int32_t, int32_t) override { return true; }
  void deskStarted(int32_t desk) override;
  void deskStopped(int32_t desk) override;
  // Headphone levels (Q12). Ignored by the modes without headphones.
  virtual void setPreviewLevels(int32_t, int32_t) {}
  // Return: true if the desk (or, for -1, either desk) plays with a level above 7.
  virtual bool isAudible(int32_t desk) const;
  // Sets the band gains of desk from its band values and gain knob (0..4096).
  virtual void setEqualizer(int32_t desk, int32_t low, int32_t mid, int32_t high, int32_t gain);
  // Copies up to a buffer's worth of the first output from the write cursor
  // on. Return: the frames copied.
  virtual int32_t copyUpcoming(int16_t* dst, int32_t count) const;
  // Re-aligns the outputs and requests a re-mix.
  virtual void resync() { requestRemix(); }

  // --- audio thread ---
  // Reads the cursors and moves each playing desk's heard index.
  virtual void updateCursorsRt();
  // One mixing pass. Return: whether audio was written.
  virtual bool mixRt();

  // Read-only views for tests and the visual host.
  int32_t levelGain(int32_t desk) const { return levelGain_[desk].load(std::memory_order_relaxed); }
  int32_t bandGain(int32_t desk, int32_t band) const {
    return bandGain_[desk][band].load(std::memory_order_relaxed);
  }
  int32_t mixingPosition() const { return mixPos_; }
  const int16_t* mixRing() const { return mixRing_; }

 protected:
  // Reads the reference buffer's cursors in frames. Return: false on failure.
  virtual bool readCursorsRt(int32_t& play, int32_t& write) = 0;
  // Writes count frames of the MixRing from at (no wrap) to the device.
  virtual void writeOutRt(int32_t at, int32_t count) = 0;
  // Mixes count frames into the MixRing at at. src[d] is desk d's input, or
  // null when the desk does not take part.
  virtual void mixRunRt(const int16_t* const src[2], int32_t at, int32_t count) = 0;
  // Return: whether a desk takes part even at level 0 (modes with headphones).
  virtual bool headphones() const { return false; }

  // Folds one desk channel through its strip. Audio thread.
  int32_t stripRt(int32_t desk, int32_t channel, int32_t x) {
    return equalizerOn_ ? eq_[desk][channel].processRt(x, strip_[desk])
                        : bypassStrip(x, strip_[desk].low);
  }
  // Blends the restart fade into a freshly mixed value at MixRing sample i.
  int16_t fadeRt(int32_t i, int32_t value) const;
  void stepFadeRt() {
    if (fade_ > 0) --fade_;
  }
  void requestRemix() { remix_.store(1, std::memory_order_release); }

  int16_t mixRing_[kMixRingFrames * 2] = {};
  int32_t fade_ = 0;

 private:
  void beginRemixRt();
  int32_t framesToMixRt(bool part[2]);
  void loadParamsRt();
  void mixDesksRt(const bool part[2], int32_t n);
  void fadeOutRt(int32_t n);
  void copyOutRt(int32_t n);
  struct Stretch {
    const int16_t* frames;
    int32_t count;
  };
  Stretch stretchRt(int32_t desk, int32_t read) const;
  void recomputeStrip(int32_t desk);

  Desk* desks_[2];
  std::atomic<int32_t> playing_[2] = {};
  std::atomic<int32_t> levelGain_[2] = {};
  std::atomic<int32_t> bandGain_[2][3] = {};
  std::atomic<int32_t> stripGain_[2][3] = {};
  std::atomic<int32_t> remix_{1};

  // Audio thread only.
  int32_t mixPos_ = 0;
  int32_t playCursor_ = 0;
  std::atomic<int32_t> writeCursor_{0};  // also read by copyUpcoming
  int32_t readIndex_[2] = {0, 0};
  bool equalizerOn_ = true;
  StripGains strip_[2];
  BandEqualizer eq_[2][2];
  int16_t silent_[kSilentFrames * 2] = {};
  SamplePlayers samples_;
  RecorderTap recorder_;
};

}  // namespace zarnel
