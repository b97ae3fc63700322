#pragma once
// AutoMix's transition on the UI thread: a desk is mixed in by moving the
// crossfader across in 200 ms steps (with a hold at the centre), matching
// tempo and beat on the way; at the end the desk that went off air takes the
// next playlist track. Also "AutoMix now" and the AutoMix on/off switch.
// Everything it acts on goes through AutoMixHost, so it runs against a fake
// in tests.

#include <cstdint>

namespace zarnel {

struct Settings;

// What AutoMix acts on. Desks are 0 and 1. UI thread only.
class AutoMixHost {
 public:
  virtual ~AutoMixHost() = default;

  // Desk queries: heard position (-1 nothing loaded or ended), length in
  // seconds (-1 no track), pitch (Q12), playing flag.
  virtual float position(int32_t desk) const = 0;
  virtual int32_t length(int32_t desk) const = 0;
  virtual int32_t pitch(int32_t desk) const = 0;
  virtual bool playing(int32_t desk) const = 0;

  // Desk commands: play; stop (the cue cycle); eject (stops and forgets).
  virtual void play(int32_t desk) = 0;
  virtual void stop(int32_t desk) = 0;
  virtual void eject(int32_t desk) = 0;
  // Loads the next playlist track onto desk through the main window's load.
  // Return: false when the playlist has none.
  virtual bool nextTrack(int32_t desk) = 0;

  // Mixer: crossfader 0..4096 (0 desk 1 only, 4096 desk 2 only) and the
  // preview (headphones') desk, which is also the default desk.
  virtual int32_t crossfader() const = 0;
  virtual void setCrossfader(int32_t value) = 0;
  virtual int32_t previewDesk() const = 0;
  virtual void setPreviewDesk(int32_t desk) = 0;

  // Beat matching of desk against the other desk.
  virtual bool matchPitch(int32_t desk) = 0;
  virtual void matchBeat(int32_t desk) = 0;
  virtual void fineBeatCorrection(int32_t desk) = 0;
  // Starts the desk's gradual pitch reset.
  virtual void startPitchReset(int32_t desk) = 0;

  // The main window's timer and the skin's "mix" buttons.
  virtual void startTimer(int32_t id, int32_t periodMs) = 0;
  virtual void stopTimer(int32_t id) = 0;
  virtual void lightMixButtons(bool on) = 0;
};

// UI thread only.
class AutoMix {
 public:
  static constexpr int32_t kTimerId = 149;
  static constexpr int32_t kTickMs = 200;
  static constexpr int32_t kLastStep = 32;
  static constexpr int32_t kCentreStep = 16;
  static constexpr int32_t kHoldStep = 42;
  static constexpr int32_t kCrossfaderPerStep = 128;
  static constexpr int32_t kCrossfaderMax = 4096;
  // "AutoMix now" with both desks playing: which side of this value the
  // crossfader is on decides the desk mixed in.
  static constexpr int32_t kBothPlayingSplit = 192;

  // host and settings ("LongMix", "AutoBpm", "AutoSync", "AutoZPitch") are
  // borrowed and must outlive the controller. AutoMix starts off.
  AutoMix(AutoMixHost& host, const Settings& settings);

  // The AutoMix flag. Switching it on loads the next playlist tracks onto
  // the desks without a track (the default desk first) and, when neither
  // desk plays, starts the desk that is not the default one.
  bool on() const { return on_; }
  void setOn(bool on);
  void toggle() { setOn(!on_); }

  // Message 1068: mixes desk a in, as a cut (": No Mix") or by starting a
  // transition. Nothing happens when a is not 0 or 1 or has no position.
  void mixIn(int32_t a);
  // Timer 149: one step of the running transition; nothing when none runs.
  void tick();
  // Stops the transition's timer and unlights the "mix" buttons. Safe to
  // call when none runs, and from within the host's stopTimer.
  void endTransition();
  // The "mix" action: ends a running transition, else starts or mixes in
  // the desk that should come next.
  void mixNow();
  // Message 1069: while AutoMix is on, the desk that ended takes the next track.
  void trackEnded(int32_t desk);

  // Transition state: running, step (0..32, 42 while holding), hold ticks
  // left, the incoming desk.
  bool running() const { return running_; }
  int32_t step() const { return step_; }
  int32_t holdCount() const { return hold_; }
  int32_t incomingDesk() const { return incoming_; }

 private:
  void cutIn(int32_t a);
  void startTransition(int32_t a);
  void advanceStep();
  void matchStep();
  void finishTransition();
  void reloadOutgoing(int32_t desk);
  void resetPitchIfChanged(int32_t desk);
  void startWhenIdle(int32_t p, int32_t o);
  bool makeReady(int32_t desk);
  static int32_t fullyTo(int32_t desk) { return desk == 1 ? kCrossfaderMax : 0; }

  AutoMixHost& host_;
  const Settings& settings_;
  bool on_ = false;
  bool running_ = false;
  int32_t step_ = 0;
  int32_t hold_ = 0;
  int32_t incoming_ = 0;
};

}  // namespace zarnel
