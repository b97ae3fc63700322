#pragma once
// The main window's object and the action dispatch. Every gesture ends in
// one of its entry points: a skin button pressed or released, a slider
// moved, reset or set to automatic, a keyboard shortcut, a load. Each named
// action acts on its desk, the beat matcher, the mixer, or (for subsystems
// still to come) the later seams; then the skin's widgets are set to the
// new state through the reflection operations, so that every widget follows
// whatever caused a change.

#include <cstdint>

#include "app/LaterSeams.h"
#include "app/SkinReflection.h"
#include "mixer/MixerState.h"
#include "skin/WidgetSeams.h"

namespace zarnel {

class AppShell;
class BeatMatcher;
class Desk;
class Window;
struct TrackEntry;

// Main-window timer ids.
namespace timer {
constexpr int32_t kAutoMix = 149;
constexpr int32_t kLoad[2] = {150, 151};
constexpr int32_t kDisplay = 160;
constexpr int32_t kPanes = 176;
constexpr int32_t kCaret = 177;
constexpr int32_t kBrowser = 178;
constexpr int32_t kPitchReset[2] = {190, 191};
}  // namespace timer

// System commands the window buttons post to the main window.
namespace syscmd {
constexpr int32_t kMinimize = 0xF020;
constexpr int32_t kClose = 0xF060;
}  // namespace syscmd

// The running program the dispatch acts on; all borrowed. Null members make
// the actions that need them do nothing.
struct AppLinks {
  Desk* desks[2] = {nullptr, nullptr};
  BeatMatcher* matcher = nullptr;
  OutputEngine* engine = nullptr;
  Window* window = nullptr;  // timers and posted system commands
  AppShell* shell = nullptr;
  LaterSeams* later = nullptr;  // null: the do-nothing base
};

// UI thread only.
class App : public ActionSink, public MixerWidgets {
 public:
  // Sets every value to its start: mixer defaults, no timers, no remembered
  // positions, a neutral joystick. Nothing is attached.
  App();
  ~App() override;
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Connects the dispatch to the running program and the mixer to the
  // engine and to the widgets. Pre: links outlive detach().
  void attach(const AppLinks& links);
  // Disconnects everything (before the desks, engine or window go).
  void detach();
  // The skin the widgets' reflection acts on; null before a skin is shown.
  void setSkin(Skin* skin) { reflection_.setSkin(skin); }

  // --- entry points ----------------------------------------------------------
  // action 0..48, desk 0, 1 or -1 (no "chan": a desk action then does
  // nothing), keys with the right-button bit 0x2000.
  void buttonPress(int32_t action, int32_t desk, int32_t keys) override;
  void buttonRelease(int32_t action, int32_t desk, int32_t keys) override;
  // kind 0..13; value 0..4096.
  void sliderSet(int32_t kind, int32_t desk, int32_t value) override;
  void sliderReset(int32_t kind, int32_t desk) override;
  void sliderAuto(int32_t kind, int32_t desk) override;
  // The rhythm view's scratch hold and moves (on the desk it chose).
  void deskHold(int32_t desk, bool on) override;
  void deskScratch(int32_t desk, int32_t frames) override;
  // Shortcut action 0..112 on desk (resolved by the shortcut manager).
  void shortcutAction(int32_t action, int32_t desk);
  // Stops AutoMix's transition, cancels the desk's gradual pitch reset,
  // loads the file, restarts the desk's 40-second history timer and makes
  // the desk active. Return: the desk's load result (false for desk not 0 or 1).
  bool loadDesk(int32_t desk, const char* title, const char* author, const char* path, TrackEntry* entry);
  // Sets the mixer and every widget: from the defaults at window creation,
  // else from the current state (a skin replaced at run time).
  void applyMixerState(bool fromDefaults);

  // --- messages and timers of the main window ---------------------------------
  // Timer 190 + desk: one step of the gradual pitch reset.
  void pitchResetTick(int32_t desk);
  // Message 1069: the desk's track ended (the audio thread stopped it).
  void trackEnded(int32_t desk);
  // Message 1068: a desk asks to be mixed in (AutoMix).
  void mixIn(int32_t desk);
  // Message 1073: an effect plug-in's request.
  void effectRequest(int32_t wparam, int32_t lparam);

  // --- setters: clamp, store, pass on, then set every widget of the kind ------
  void setCrossfader(int32_t value);
  void setLevel(int32_t desk, int32_t value);
  void setGain(int32_t desk, int32_t value);
  void setBand(int32_t desk, Band band, int32_t value);
  // on: 0, 1, or -1 to toggle.
  void setKill(int32_t desk, Band band, int32_t on);
  void setBandFader(Band band, int32_t value);
  void setPreview(int32_t value);
  // Clamps pitch (Q12) to the pitch bounds and sends it to the desk.
  void setPitch(int32_t desk, int32_t pitch);
  // Makes desk the active (headphones') desk.
  void setActiveDesk(int32_t desk);
  // Level mode (true) or pitch mode, on a skin with the pitch-and-level flag.
  void setLevelMode(bool level);

  // --- state -------------------------------------------------------------------
  MixerState& mixer() { return mixer_; }
  const MixerState& mixer() const { return mixer_; }
  SkinReflection& reflection() { return reflection_; }
  int32_t activeDesk() const { return mixer_.previewDesk(); }
  bool levelMode() const { return levelMode_; }
  // The pitch bounds of the "LimitPitch" setting.
  int32_t pitchMinimum() const;
  int32_t pitchMaximum() const;
  // Return: the "pitch" sliders' value for a pitch.
  int32_t pitchSliderValue(int32_t pitch) const;

  // Running timers (0 = not running).
  int32_t loadTimer[2] = {0, 0};
  int32_t autoMixTimer = 0;
  // Position remembered by a right-button play, -1.0 for none.
  float rememberedPlay[2] = {-1.0f, -1.0f};
  // Joystick calibration; ranges are at least 1.
  int32_t joystickMinX = 0, joystickMinY = 0;
  int32_t joystickRangeX = 1, joystickRangeY = 1;
  bool joystickCaptured = false;
  // The loop code shown on each desk's loop buttons (0 none).
  int32_t loopLength[2] = {0, 0};

  // MixerWidgets: a mixer value changed, whoever changed it.
  void valueChanged(const char* kind, int32_t desk, int32_t value) override;

 private:
  // Return: desk d, or null when d is not 0 or 1 or no desk is attached.
  Desk* desk(int32_t d) const { return d == 0 || d == 1 ? links_.desks[d] : nullptr; }
  LaterSeams& later() { return links_.later ? *links_.later : noLater_; }
  int64_t nowMs() const;

  // Buttons (ButtonActions.cpp).
  void pressDeskAction(int32_t action, Desk& d, int32_t keys);
  bool pressTransport(int32_t action, Desk& d, int32_t keys);
  bool pressCueAction(int32_t action, Desk& d);
  bool pressMixerAction(int32_t action, int32_t d);
  void pressGlobalAction(int32_t action);
  void play(Desk& d, int32_t keys);
  void stop(Desk& d);
  void pitchResetPress(int32_t d);
  void toggleLoop(Desk& d, int32_t code);
  void toggleEffect(int32_t d, int32_t n);
  void postSysCommand(int32_t command);

  // Shortcuts (ShortcutActions.cpp).
  bool shortcutDeskAction(int32_t action, Desk& d);
  bool shortcutPitchAction(int32_t action, Desk& d);
  bool shortcutMixerAction(int32_t action, int32_t d);
  bool shortcutFaderAction(int32_t action);
  void shortcutGlobalAction(int32_t action, int32_t d);
  void gradualPitchReset(int32_t d);

  // Reflection (AppReflection.cpp).
  void reflectDesk(int32_t d);
  void reflectPitch(int32_t d);
  void reflectLoop(int32_t d);
  void reflectActiveDesk();
  void reflectMixer();
  // Sets every slider of a kind that acts on both desks, whatever its "chan".
  void setSharedSlider(int32_t kind, int32_t value);
  void stopAutoMixTransition();

  MixerState mixer_;
  SkinReflection reflection_;
  AppLinks links_;
  LaterSeams noLater_;
  bool levelMode_ = false;
};

}  // namespace zarnel
