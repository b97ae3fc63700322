#pragma once
// The active sound output: it owns the sound devices and the MixRing copy of
// their buffers, holds the mixing parameters, and runs the mixing pass and
// the cursor update on the audio thread. Subclasses give the hardware (one
// buffer, two cards, four channels, four placed mono buffers) and the routing
// of the desks to the outputs.

#include <atomic>
#include <cstdint>

#include "desk/DeskEngine.h"
#include "mixer/BandEqualizer.h"
#include "mixer/QuadEqualizer.h"
#include "mixer/RecordSink.h"
#include "mixer/SamplePlayers.h"

namespace zarnel {

class Desk;
class SoundBuffer;
struct PlatformServices;

constexpr int32_t kMixRingFrames = 22050;  // 0.5 s, the sound buffers' length
constexpr int32_t kRestartFadeFrames = 256;
constexpr int32_t kSilentFrames = 4410;
constexpr int32_t kMaxOutputs = 2;  // stereo MixRings: master or desk 1, headphones or desk 2

class OutputEngine : public DeskEngine {
 public:
  // Pre: both desks outlive the engine.
  OutputEngine(Desk& desk1, Desk& desk2);
  ~OutputEngine() override = default;
  OutputEngine(const OutputEngine&) = delete;
  OutputEngine& operator=(const OutputEngine&) = delete;

  // Opens the devices of this mode and starts their buffers looping.
  // Return: false with FatalError set on failure. UI thread.
  virtual bool open(const PlatformServices& services) = 0;

  // --- parameter operations: any thread; they store words and request a re-mix.
  virtual void setLevels(int32_t level1, int32_t level2);
  void invalidate(int32_t desk) override;
  bool deskMoved(int32_t, int32_t, int32_t) override { return true; }
  void deskStarted(int32_t desk) override;
  void deskStopped(int32_t desk) override;
  // Headphone levels (Q12); the modes without headphones ignore them.
  virtual void setPreviewLevels(int32_t preview1, int32_t preview2);
  // Return: true if the desk (or, for -1, either desk) plays with a level above 7.
  virtual bool isAudible(int32_t desk) const;
  // Sets the band gains of desk from its band values and gain knob (0..4096).
  virtual void setEqualizer(int32_t desk, int32_t low, int32_t mid, int32_t high, int32_t gain);
  // Copies up to a buffer's worth of the first output from the write cursor
  // on (what is about to be heard). Return: the frames copied.
  virtual int32_t copyUpcoming(int16_t* dst, int32_t count) const;
  // Re-aligns the outputs (on the audio thread's next cursor update) and
  // requests a re-mix.
  virtual void resync() { requestRemix(); }
  // Feeds what the card plays to sink from now on, and tells it when a desk
  // starts; null detaches. Pre: the sink outlives its attachment.
  void attachRecorder(RecordSink* sink) { recorder_.store(sink); }
  // Detaches the sink and returns once the audio thread no longer uses it
  // (it may be inside a cursor update that took the sink just before).
  // Waits for the audio thread, never the other way round. Not on the audio thread.
  void detachRecorder();
  // Adds the playing samples of players to every pass; null adds none.
  // Pre: before the audio thread runs; players outlive the engine. UI thread.
  void attachSamples(SamplePlayers* players) { samples_ = players; }

  // --- audio thread ---
  // Reads the cursors, feeds the recorder and moves each playing desk's heard index.
  virtual void updateCursorsRt();
  // One mixing pass. Return: whether audio was written.
  virtual bool mixRt();

  // Read-only views.
  int32_t levelGain(int32_t desk) const { return levelGain_[desk].load(std::memory_order_relaxed); }
  int32_t bandGain(int32_t desk, int32_t band) const {
    return bandGain_[desk][band].load(std::memory_order_relaxed);
  }
  int32_t previewGain(int32_t desk) const { return previewGain_[desk].load(std::memory_order_relaxed); }
  int32_t mixingPosition() const { return mixPos_; }
  const int16_t* mixRing(int32_t output = 0) const { return out_[output]; }
  // Return: the number of stereo MixRings this mode mixes.
  virtual int32_t outputs() const = 0;
  virtual RecordConversion recordConversion() const = 0;

 protected:
  // Reads the reference cursors in frames. Return: false to skip this update.
  virtual bool readCursorsRt(int32_t& play, int32_t& write) = 0;
  // Writes count frames of the MixRings from at (no wrap) to the devices.
  virtual void writeOutRt(int32_t at, int32_t count) = 0;
  // Mixes count frames into the MixRings at at. src[d] is desk d's input,
  // or null when the desk does not take part.
  virtual void mixRunRt(const int16_t* const src[2], int32_t at, int32_t count) = 0;
  // Return: whether a desk takes part even at level 0 (modes with headphones).
  virtual bool headphones() const = 0;
  // Return: how this mode routes a sample frame to its outputs.
  virtual SampleRouteFn sampleRoute() const = 0;

  // Folds one frame of each desk through its strip: raw[d] holds desk d's
  // frame (zeros when src[d] is null), d gets the strip outputs, zero for a
  // desk that does not take part.
  void stripsRt(const int16_t* const src[2], int32_t i, int32_t raw[2][2], int32_t d[2][2]) {
    for (int32_t k = 0; k < 2; ++k) {
      raw[k][0] = src[k] ? src[k][2 * i] : 0;
      raw[k][1] = src[k] ? src[k][2 * i + 1] : 0;
    }
    if (equalizerOn_) {
      const int32_t in[4] = {raw[0][0], raw[0][1], raw[1][0], raw[1][1]};
      int32_t out[4];
      eq_.processRt(in, laneLow_, laneMid_, laneHigh_, out);
      // A desk that does not take part adds nothing; its lanes run on zeros,
      // and are cleared by the re-mix that comes before it takes part again.
      for (int32_t k = 0; k < 2; ++k) {
        d[k][0] = src[k] ? out[2 * k] : 0;
        d[k][1] = src[k] ? out[2 * k + 1] : 0;
      }
      return;
    }
    for (int32_t k = 0; k < 2; ++k) {
      d[k][0] = src[k] ? bypassStrip(raw[k][0], strip_[k].low) : 0;
      d[k][1] = src[k] ? bypassStrip(raw[k][1], strip_[k].low) : 0;
    }
  }
  // Return: value blended over what MixRing output o held at sample i while
  // the restart fade runs.
  int16_t fadeRt(int32_t o, int32_t i, int32_t value) const {
    if (fade_ <= 0) return int16_t(value);
    return int16_t((fade_ * out_[o][i] + (kRestartFadeFrames - fade_) * value) / kRestartFadeFrames);
  }
  void stepFadeRt() {
    if (fade_ > 0) --fade_;
  }
  void requestRemix() { remix_.store(1, std::memory_order_release); }
  int32_t writeCursor() const { return writeCursor_.load(std::memory_order_relaxed); }
  // Clears the MixRings, the equalisers and the silent buffer.
  void clearMixState();
  // Clears the mix state, starts the buffers looping from frame 0, lets them
  // settle for 100 ms and resyncs. Return: false (FatalError 12) if one
  // cannot start. UI thread.
  bool startBuffers(SoundBuffer* const* buffers, int32_t count, const PlatformServices& services);

  int16_t out_[kMaxOutputs][kMixRingFrames * 2] = {};
  int32_t fade_ = 0;
  int32_t preview_[2] = {0, 0};  // headphone gains of this pass

 private:
  void beginRemixRt();
  bool movingRt(int32_t desk) const;
  int32_t framesToMixRt(bool part[2]);
  void loadParamsRt();
  void mixDesksRt(const bool part[2], int32_t n);
  void fadeOutRt(int32_t n);
  void copyOutRt(int32_t n);
  void addSamplesRt(int32_t n, int32_t fade0);
  void feedRecorderRt(int32_t from, int32_t to);
  void recordFrameRt(RecordConversion conversion, int32_t i, int16_t* dst) const;
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
  std::atomic<int32_t> previewGain_[2] = {};
  std::atomic<int32_t> remix_{1};
  std::atomic<int32_t> deskInvalid_[2] = {};  // a desk moved its heard index itself
  std::atomic<RecordSink*> recorder_{nullptr};
  std::atomic<int32_t> feeding_{0};  // threads holding recorder_'s sink now
  std::atomic<int32_t> writeCursor_{0};  // also read by copyUpcoming

  // Audio thread only.
  int32_t mixPos_ = 0;
  int32_t playCursor_ = 0;
  int32_t readIndex_[2] = {0, 0};
  bool tracking_[2] = {false, false};  // read index tied to the desk's heard index
  bool equalizerOn_ = true;
  StripGains strip_[2];
  QuadEqualizer eq_;
  QuadEqualizer::Lanes laneLow_ = {}, laneMid_ = {}, laneHigh_ = {};
  int16_t silent_[kSilentFrames * 2] = {};
  SamplePlayers* samples_ = nullptr;
};

}  // namespace zarnel
