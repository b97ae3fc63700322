#pragma once
// The action dispatch on two real desks, the mode-0 engine and a skin with
// a widget of every action and slider kind for each desk and without desk,
// driven on the test's thread; the later subsystems and the main window's
// clock and full-screen mode are recording doubles.

#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/AppShell.h"
#include "app/LaterSeams.h"
#include "app/Settings.h"
#include "desk/BeatMatcher.h"
#include "library/TrackEntry.h"
#include "platform/virtual/VirtualWindowSystem.h"
#include "skin/ActionNames.h"
#include "skin/support/SkinTestKit.h"
#include "support/mix/IndexRamp.h"
#include "support/mix/MixHarness.h"

namespace zarnel::test {

// Records what reaches the later subsystems; an effect slot toggles.
class RecordingLater : public LaterSeams {
 public:
  void autoMixNow() override { add("automix"); }
  void autoMixTransitionStopped() override { add("automix stopped"); }
  void mixIn(int32_t d) override { add("mixin", d); }
  void trackEnded(int32_t d) override { add("ended", d); }
  bool toggleEffect(int32_t slot) override {
    add("effect", slot);
    effectOn[slot] = !effectOn[slot];
    return effectOn[slot];
  }
  void effectRequest(int32_t w, int32_t l) override { add("effect request", w, l); }
  void triggerSample(int32_t n) override { add("sample", n); }
  void stopAllSamples() override { add("stop samples"); }
  void toggleRecording() override { add("record"); }
  void flagRecordingCut() override { add("cut"); }
  void showBrowserPage(int32_t p) override {
    page = p;
    add("page", p);
  }
  int32_t browserPage() const override { return page; }
  void loadSelected(int32_t d) override { add("load", d); }
  void addSelectedToPlaylist() override { add("playlist"); }
  void editBpm() override { add("bpm"); }
  void editComment() override { add("comment"); }
  void browserCommand(int32_t n) override { add("command", n); }
  void browserFocus(int32_t step) override { add("focus", step); }

  std::string last() const { return calls.empty() ? "" : calls.back(); }
  std::vector<std::string> calls;
  int32_t page = 3;
  bool effectOn[6] = {};

 private:
  void add(const std::string& what) { calls.push_back(what); }
  void add(const std::string& what, int32_t a) { calls.push_back(what + " " + std::to_string(a)); }
  void add(const std::string& what, int32_t a, int32_t b) {
    calls.push_back(what + " " + std::to_string(a) + " " + std::to_string(b));
  }
};

// The main window's clock is the virtual window system's.
struct FakeShell : AppShell {
  explicit FakeShell(VirtualWindowSystem& w) : windows(w) {}
  int64_t nowMs() const override { return windows.nowMs(); }
  void toggleFullScreen() override { ++fullScreenToggles; }
  VirtualWindowSystem& windows;
  int fullScreenToggles = 0;
};

// Every button action and slider kind for chan 1 and 2 and without chan,
// each widget 4 pixels square at a place of its own.
inline std::string dispatchSkinXml(bool pitchLevelTogether) {
  std::string xml = pitchLevelTogether ? "<options pitchlevel='together'/>" : "";
  int32_t at = 0;
  auto place = [&at]() {
    const int32_t x = (at % 150) * 5, y = (at / 150) * 5;
    ++at;
    return "<size width='4' height='4'/><pos x='" + std::to_string(x) + "' y='" + std::to_string(y) + "'/>";
  };
  for (const char* chan : {"", " chan='1'", " chan='2'"}) {
    for (int32_t a = 1; a < kButtonActionCount; ++a) {
      if (buttonActionName(a).empty()) continue;
      xml += "<button action='" + std::string(buttonActionName(a)) + "'" + chan + ">" + place() +
             "<up x='0' y='500'/></button>";
    }
    for (int32_t k = 0; k < kSliderKindCount; ++k)
      xml += "<slider action='" + std::string(sliderKindName(k)) + "'" + chan + " orientation='horizontal'>" +
             place() + "</slider>";
  }
  return skinXml(xml);
}

// Frames of the rig's track: 70 seconds, each frame carrying its index.
inline constexpr int32_t kRigTrackFrames = 44100 * 70;

class DispatchRig : public MixHarness {
 public:
  explicit DispatchRig(bool pitchLevelTogether = false) : skin(buildFrom(dispatchSkinXml(pitchLevelTogether))) {
    addWav("a.wav", indexRamp(kRigTrackFrames));
    for (int d = 0; d < 2; ++d) {
      entry[d].data = &data[d];
      data[d].entry = &entry[d];
      entry[d].bpm = 120.0f;
      desk[d]->setLoadMatcher(&matcher);
    }
    AppLinks links;
    links.desks[0] = desk[0].get();
    links.desks[1] = desk[1].get();
    links.matcher = &matcher;
    links.engine = engine.get();
    links.window = window.get();
    links.shell = &shell;
    links.later = &later;
    app.attach(links);
    app.mixer().sendAll();
    app.setSkin(skin.get());
  }
  ~DispatchRig() { app.detach(); }

  // Loads the track onto desk d, with its record at 120 BPM.
  bool loadDesk(int32_t d) { return app.loadDesk(d, "a", "", "a.wav", &entry[d]); }
  // Return: the seconds of the track desk d stands at.
  double seconds(int32_t d) const { return double(desk[d]->position()) * kRigTrackFrames / 44100.0; }

  Button* button(int32_t action, int32_t d) const {
    for (auto& b : skin->buttons)
      if (b->action() == action && b->desk() == d) return b.get();
    return nullptr;
  }
  Slider* slider(int32_t kind, int32_t d) const {
    for (auto& s : skin->sliders)
      if (s->kind() == kind && s->desk() == d) return s.get();
    return nullptr;
  }
  bool selected(int32_t action, int32_t d) const { return button(action, d)->selected(); }
  int32_t value(int32_t kind, int32_t d) const { return slider(kind, d)->value(); }
  // Presses and releases a button with the left button.
  void click(int32_t action, int32_t d) {
    app.buttonPress(action, d, keys::kLeft);
    app.buttonRelease(action, d, keys::kLeft);
  }
  // Moves the clock on by ms, running the pitch-reset timers that fall due.
  void advance(int32_t ms) {
    const int64_t end = windows.nowMs() + ms;
    Message m;
    while (windows.nowMs() < end && windows.peekMessage(m, int32_t(end - windows.nowMs()))) {
      for (int32_t d = 0; d < 2; ++d)
        if (m.id == msg::kTimer && m.wparam == timer::kPitchReset[d]) app.pitchResetTick(d);
    }
  }

  TrackEntry entry[2];
  TrackData data[2];
  VirtualWindowSystem windows;
  std::unique_ptr<Window> window = windows.createWindow({"ZARNEL", "", 0, 0, 800, 600});
  App app;
  BeatMatcher matcher{*desk[0], *desk[1], app.mixer(), window.get()};
  FakeShell shell{windows};
  RecordingLater later;
  std::unique_ptr<Skin> skin;
};

}  // namespace zarnel::test
