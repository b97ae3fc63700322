#pragma once
// The main window's procedure: it builds every object of the running
// program when the window is created, handles timers, posted messages and
// input, asks before closing over a playing desk, and tears everything down
// in reverse order, writing the settings last.

#include <cstdint>
#include <memory>
#include <string>

#include "app/App.h"
#include "app/AutoMixLink.h"
#include "app/AppShell.h"
#include "app/DeskState.h"
#include "app/LibraryShell.h"
#include "app/OptionDialogs.h"
#include "app/RecordingControl.h"
#include "app/SampleSlots.h"
#include "app/LaterSeams.h"
#include "app/ShortcutBridge.h"
#include "app/ShortcutManager.h"
#include "app/SystemVolumeGuard.h"
#include "app/TextLookup.h"
#include "app/ZoneState.h"
#include "desk/BeatMatcher.h"
#include "desk/Desk.h"
#include "library/TrackStore.h"
#include "mixer/SoundOutput.h"
#include "platform/MessagePoster.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"
#include "skin/BuiltinTextRenderer.h"
#include "skin/FontTextRenderer.h"
#include "skin/Renderer.h"
#include "skin/Tooltip.h"
#include "skin/WidgetSeams.h"

namespace zarnel {


// UI thread only (postRt() from any thread, the audio thread included).
class MainWindow : public MessageHandler, public MessagePoster, public MouseHost, public AppShell {
 public:
  MainWindow(App& app, WindowSystem& windows, const PlatformServices& services, const TextLookup& texts);
  ~MainWindow() override;

  // Creates the window and everything it owns. Return: false (with
  // FatalError set) when a step fails; everything built is torn down again.
  bool create(const WindowSpec& spec);
  // Sends the skin's gestures to sink instead of the action dispatch (tests).
  // Pre: before create().
  void setActionSink(ActionSink* sink) { actions_ = sink; }
  // The subsystems still to come, for the dispatch. Pre: before create();
  // later outlives the window.
  void setLaterSeams(LaterSeams* later) { later_ = later; }
  // Measures and draws the tooltip's text with text instead of the built-in
  // font (the platform's font service). Pre: before create(); text outlives
  // the window.
  void setTextRenderer(const TextRenderer* text) { text_ = text; }
  // Offline renders on a virtual clock: no audio thread (the caller steps
  // soundOutput()), no recorder thread (the caller steps recording()) and
  // no rhythm thread. Pre: before create().
  void setOffline(bool offline) { offline_ = offline; }

  // Shows the window, then tells the DJ when the track store is read-only
  // because another program holds it. Pre: create() succeeded.
  void show();

  // Loads a track onto desk d as the browser, dropped files and AutoMix do
  // (App::loadDesk). Return: the desk's load result.
  bool loadDesk(int32_t d, const char* title, const char* author, const char* path, TrackEntry* entry);

  // After a crash in the message loop: stops the sound and puts the system
  // volumes back, without writing the settings.
  void abandon();

  intptr_t handle(const Message& message) override;
  void postRt(uint32_t message, int32_t wparam, int32_t lparam) override;

  // The mouse routing's window services (MouseHost).
  void captureMouse() override;
  void releaseMouse() override;
  void moveWindowBy(int32_t dx, int32_t dy) override;
  void setCursorPos(int32_t x, int32_t y) override;
  void showTooltip(int32_t x, int32_t y, const std::string& text) override;
  void hideTooltip() override;
  bool tooltipsOn() const override;
  bool fullScreen() const override { return fullScreen_; }
  void releaseKeyboardUnlessAt(int32_t x, int32_t y) override;
  int64_t nowMs() const override { return windows_.nowMs(); }

  // Full-screen mode: the window alone on the display at the skin's size,
  // scaled up; leaving puts the window back. Return: whether the display
  // switched.
  bool enterFullScreen();
  void leaveFullScreen();
  // The "maximize" button: switches full-screen mode and the "Maximized" setting.
  void toggleFullScreen() override;
  std::unique_lock<std::mutex> holdRhythmView() override {
    return renderer_ ? renderer_->holdRhythm() : std::unique_lock<std::mutex>();
  }

  // Replaces the skin by the one called name: the new skin loads first; when
  // it cannot, the invalid-skin error shows and the current skin stays.
  // Otherwise the "Skin" setting takes name, the window takes the new size
  // (full-screen mode is left and entered again) and the old skin goes once
  // the new one draws. Return: whether the skin changed.
  bool replaceSkin(const std::string& name);

  Window* window() const { return window_.get(); }
  Renderer* renderer() const { return renderer_.get(); }
  Tooltip* tooltip() const { return tooltip_.get(); }
  ShortcutManager& shortcuts() { return shortcuts_; }
  Desk* desk(int32_t d) const { return desks_[d].get(); }
  SoundOutput* soundOutput() const { return sound_.get(); }
  BeatMatcher* matcher() const { return matcher_.get(); }
  TrackStore* database() const { return database_.get(); }
  LibraryShell* library() const { return library_.get(); }
  AutoMixLink* autoMix() const { return autoMix_.get(); }
  RecordingControl* recording() const { return recording_.get(); }
  SampleSlots* samples() const { return samples_.get(); }
  // Return: whether the window was created and then destroyed (settings written).
  bool destroyed() const { return destroyed_; }

 private:
  bool buildObjects();
  bool buildRenderer();
  Bitmap balloonImage() const;
  void sizeToSkin();
  RendererLinks rendererLinks() const {
    return RendererLinks{actions_, deskState_.get(), deskState_.get(), zoneState_.get()};
  }
  // Routes a mouse message to the widgets. Return: false for other messages.
  bool routeMouse(const Message& m);
  void onClose();
  void closeWithoutAsking();
  void onDestroy();
  void onDestroyWithoutSaving();
  void onTimer(int32_t id);
  // The audio thread's messages (1068, 1069, 1073) and the window buttons'
  // system commands. Return: whether m was one of them.
  bool handleDeskMessage(const Message& m);
  bool handleSysCommand(const Message& m, intptr_t& result);
  void attachApp();
  void attachInput();
  void buildLibrary();
  void buildRecording();
  void buildSamples();
  OptionDialogLinks optionDialogLinks();
  std::vector<std::string> skinNames() const;
  void pumpWhileModal();
  // The dialogs centre over the window where it is now.
  void placeDialogs();
  std::vector<std::vector<uint32_t>> soundConfigPictures() const;
  // Rebuilds the output engine from the settings (the sound configuration).
  // Return: 0, or the FatalError of the failure; mode 0 on the primary
  // device then runs.
  int32_t rebuildSound();
  void flush();
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
  std::unique_ptr<SampleSlots> samples_;  // outlives every engine of sound_
  std::unique_ptr<SoundOutput> sound_;
  std::unique_ptr<DeskState> deskState_;
  std::unique_ptr<ZoneState> zoneState_;
  std::unique_ptr<AutoMixLink> autoMix_;
  std::unique_ptr<RecordingControl> recording_;
  std::unique_ptr<OptionDialogs> optionDialogs_;
  std::unique_ptr<LibraryShell> library_;
  LaterSeams noLater_;
  LaterSeams* later_ = &noLater_;
  ActionSink* actions_ = &app_;
  std::unique_ptr<Renderer> renderer_;
  BuiltinTextRenderer builtinText_;
  std::unique_ptr<FontTextRenderer> fontText_;
  const TextRenderer* text_ = &builtinText_;
  std::unique_ptr<Tooltip> tooltip_;
  ShortcutBridge shortcutBridge_{app_};
  ShortcutManager shortcuts_{shortcutBridge_};
  bool fullScreen_ = false;
  bool offline_ = false;
  bool created_ = false;
  bool destroyed_ = false;
};

}  // namespace zarnel
