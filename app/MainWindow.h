#pragma once
// The main window's procedure: it builds every object of the running
// program when the window is created, handles timers, posted messages and
// input, asks before closing over a playing desk, and tears everything down
// in reverse order, writing the settings last.

#include <cstdint>
#include <memory>
#include <string>

#include "app/App.h"
#include "app/SystemVolumeGuard.h"
#include "app/TextLookup.h"
#include "desk/BeatMatcher.h"
#include "desk/Desk.h"
#include "library/TrackStore.h"
#include "mixer/SoundOutput.h"
#include "platform/MessagePoster.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"

namespace zarnel {


// UI thread only (post() from any thread).
class MainWindow : public MessageHandler, public MessagePoster {
 public:
  MainWindow(App& app, WindowSystem& windows, const PlatformServices& services, const TextLookup& texts);
  ~MainWindow() override;

  // Creates the window and everything it owns. Return: false (with
  // FatalError set) when a step fails; everything built is torn down again.
  bool create(const WindowSpec& spec);
  // Shows the window, then tells the DJ when the track store is read-only
  // because another program holds it. Pre: create() succeeded.
  void show();

  // Loads a track onto desk d as the browser, dropped files and AutoMix do:
  // stops the desk's gradual pitch reset, loads, restarts the desk's
  // 40-second history timer and makes it the headphones' desk.
  // Return: the desk's load result.
  bool loadDesk(int32_t d, const char* title, const char* author, const char* path, TrackEntry* entry);

  // After a crash in the message loop: stops the sound and puts the system
  // volumes back, without writing the settings.
  void abandon();

  intptr_t handle(const Message& message) override;
  void post(uint32_t message, int32_t wparam, int32_t lparam) override;

  Window* window() const { return window_.get(); }
  Desk* desk(int32_t d) const { return desks_[d].get(); }
  SoundOutput* soundOutput() const { return sound_.get(); }
  BeatMatcher* matcher() const { return matcher_.get(); }
  TrackStore* database() const { return database_.get(); }
  // Return: whether the window was created and then destroyed (settings written).
  bool destroyed() const { return destroyed_; }

 private:
  bool buildObjects();
  void onClose();
  void closeWithoutAsking();
  void onDestroy();
  void onDestroyWithoutSaving();
  void onTimer(int32_t id);
  void paint();
  bool confirmClose();

  App& app_;
  WindowSystem& windows_;
  PlatformServices services_;
  const TextLookup& texts_;
  std::unique_ptr<Window> window_;
  std::unique_ptr<TrackStore> database_;
  std::unique_ptr<Desk> desks_[2];
  std::unique_ptr<BeatMatcher> matcher_;
  std::unique_ptr<SystemVolumeGuard> volumes_;
  std::unique_ptr<SoundOutput> sound_;
  bool created_ = false;
  bool destroyed_ = false;
};

}  // namespace zarnel
