#pragma once
// The sound output's life: it creates the engine of the current output mode
// and runs the audio thread that drives the desks and the mixing pass.

#include <atomic>
#include <memory>
#include <thread>

#include "mixer/OutputEngine.h"
#include "platform/Services.h"

namespace zarnel {

class Desk;
class MixerState;

// UI thread only.
class SoundOutput {
 public:
  SoundOutput(Desk& desk1, Desk& desk2, const PlatformServices& services);
  ~SoundOutput();
  SoundOutput(const SoundOutput&) = delete;
  SoundOutput& operator=(const SoundOutput&) = delete;

  // Clears FatalError, creates and opens the engine of settings().outputMode
  // (an unknown mode is mode 0), then starts the audio thread at time-critical
  // priority. Return: false with FatalError set (6 if no thread could start).
  bool start();
  // As start; if the mode cannot be opened, falls back to mode 0 on the
  // default device. FatalError keeps the first failure. Return: whether any
  // engine runs.
  bool startOrFallBack();
  // Stops the audio thread (waiting for it) and destroys the engine.
  void stop();
  // Runs no audio thread: the caller plays its part with stepRt, and desk
  // commands and reads run on the caller's thread (offline renders on a
  // virtual clock). Pre: before start.
  void setDrivenByCaller(bool byCaller) { byCaller_ = byCaller; }
  bool drivenByCaller() const { return byCaller_; }
  // One pass of the audio thread's loop: cursors, desk services, mixing.
  // Pre: driven by the caller and an engine runs.
  void stepRt();
  // Hands players to every engine started from now on; null hands none.
  // Pre: players outlive this output, or are detached (with no engine running).
  void setSamples(SamplePlayers* players) { samples_ = players; }
  // Sends every mixer parameter and each playing desk to the engine.
  void resendParameters(MixerState& mixer);

  // Return: the running engine, or null.
  OutputEngine* engine() const { return engine_.get(); }

 private:
  bool startEngine(std::unique_ptr<OutputEngine> engine);
  void attachDesks(OutputEngine* engine, bool serviced);
  void runRt();

  Desk* desks_[2];
  PlatformServices services_;
  std::unique_ptr<OutputEngine> engine_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  bool byCaller_ = false;
  SamplePlayers* samples_ = nullptr;
};

}  // namespace zarnel
