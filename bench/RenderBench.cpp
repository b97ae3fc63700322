// The renderer's two periodic jobs on an 800 by 600 skin with both desks
// playing: one 50 ms display refresh (the slower work included every second
// tick, beat lamps moving) and one rhythm-view frame, each presented to a
// virtual window.

#include <benchmark/benchmark.h>

#include <string>

#include "platform/virtual/VirtualWindowSystem.h"
#include "skin/Renderer.h"
#include "skin/SkinParser.h"
#include "skin/XmlReader.h"

namespace zarnel {
namespace {

// Per desk: transport buttons, a song position slider, a turning disc (a
// circle slider), a tone arm, a beat lamp and two text zones; a colour-mode
// rhythm view 600 pixels wide, and the browser.
std::string deskWidgets(int32_t d) {
  const std::string chan = std::to_string(d + 1);
  const int32_t x = d * 400;
  auto at = [&](int32_t dx, int32_t y) {
    return "<pos x='" + std::to_string(x + dx) + "' y='" + std::to_string(y) + "'/>";
  };
  return "<button action='play_pause' chan='" + chan + "'><size width='40' height='30'/>" + at(20, 20) +
         "<up x='0' y='600'/><selected x='40' y='600'/></button>"
         "<button action='cue_stop' chan='" + chan + "'><size width='40' height='30'/>" + at(70, 20) +
         "<up x='0' y='600'/><selected x='40' y='600'/></button>"
         "<slider action='song_pos' chan='" + chan + "' orientation='horizontal'><size width='300' height='12'/>" +
         at(20, 70) + "<up x='0' y='640'/><selected x='0' y='660'/></slider>"
         "<slider action='rotation' chan='" + chan + "' orientation='circle'><size width='120' height='120'/>" +
         at(40, 100) + "<up x='100' y='700'/><selected x='220' y='700'/><clipmask x='0' y='700'/>"
         "<circle anglemin='0' anglemax='360' sectorsize='40'/></slider>"
         "<slider action='arm' chan='" + chan + "' orientation='vertical'><size width='20' height='120'/>" +
         at(200, 100) + "<up x='340' y='700'/><selected x='360' y='700'/></slider>"
         "<beattap chan='" + chan + "' transparent='true'><size width='30' height='30'/>" + at(250, 100) +
         "<up x='400' y='700'/><down x='430' y='700'/></beattap>"
         "<textzone chan='" + chan + "'><size width='150' height='14'/>" + at(20, 240) +
         "<text format='%time'/></textzone>"
         "<textzone chan='" + chan + "'><size width='150' height='14'/>" + at(200, 240) +
         "<text format='%title'/></textzone>";
}

std::unique_ptr<Skin> benchSkin() {
  const std::string xml = "<zarnelskin>" + deskWidgets(0) + deskWidgets(1) +
                          "<beattap transparent='true'><size width='30' height='30'/><pos x='385' y='20'/>"
                          "<up x='400' y='700'/><down x='430' y='700'/></beattap>"
                          "<rhythm><size width='600' height='60'/><pos x='100' y='270'/><color/></rhythm>"
                          "<browser><size width='800' height='260'/><pos x='0' y='340'/></browser></zarnelskin>";
  Bitmap image;
  image.width = 800;
  image.height = 1000;
  image.pixels.resize(size_t(image.width) * size_t(image.height));
  for (int32_t y = 0; y < image.height; ++y)
    for (int32_t x = 0; x < image.width; ++x)
      image.pixels[size_t(y) * 800 + size_t(x)] = uint32_t((x * 7) & 0xFF) << 16 | uint32_t((y * 3) & 0xFF) << 8;
  // The disc's clip mask: a black circle of radius 60.
  for (int32_t y = 0; y < 120; ++y)
    for (int32_t x = 0; x < 120; ++x)
      image.pixels[size_t(700 + y) * 800 + size_t(x)] =
          (x - 60) * (x - 60) + (y - 60) * (y - 60) <= 3600 ? 0u : 0xFFFFFFu;
  auto root = xmlParse(xml);
  return root ? buildSkin(*root, image) : nullptr;
}

struct NullHost : MouseHost {
  void captureMouse() override {}
  void releaseMouse() override {}
  void moveWindowBy(int32_t, int32_t) override {}
  void setCursorPos(int32_t, int32_t) override {}
  void showTooltip(int32_t, int32_t, const std::string&) override {}
  void hideTooltip() override {}
  bool tooltipsOn() const override { return false; }
  bool fullScreen() const override { return false; }
  void releaseKeyboardUnlessAt(int32_t, int32_t) override {}
  int64_t nowMs() const override { return 0; }
};

struct NullActions : ActionSink {
  void buttonPress(int32_t, int32_t, int32_t) override {}
  void buttonRelease(int32_t, int32_t, int32_t) override {}
  void sliderSet(int32_t, int32_t, int32_t) override {}
  void sliderReset(int32_t, int32_t) override {}
  void sliderAuto(int32_t, int32_t) override {}
  void deskHold(int32_t, bool) override {}
  void deskScratch(int32_t, int32_t) override {}
};

// Both desks playing through a 4-minute track, beat meters pulsing, curves
// moving along; step() advances them by one 50 ms tick.
struct MovingDesks : DeskReader, DeskDisplay {
  float positions[2] = {0.1f, 0.6f};
  int32_t meters[2] = {0, 2000};
  int32_t phase = 0;
  void step() {
    for (int32_t d = 0; d < 2; ++d) {
      positions[d] += 0.05f / 240.0f;
      if (positions[d] > 1.0f) positions[d] = 0.0f;
      meters[d] = (meters[d] + 700 + d * 300) % 4097;
    }
    phase += 3;
  }
  int32_t activeDesk() const override { return 0; }
  int32_t pitch(int32_t) const override { return 4096; }
  int32_t beatMeter(int32_t d) const override { return meters[d]; }
  int32_t scratchMode() const override { return 1; }
  bool playing(int32_t) const override { return true; }
  float position(int32_t d) const override { return positions[d]; }
  int32_t length(int32_t) const override { return 240; }
  void strengthCurve(int32_t d, int32_t* values, int32_t count, int32_t height) const override {
    for (int32_t i = 0; i < count; ++i) values[i] = ((i + phase) * (5 + d) / 3) % height;
  }
};

struct RenderRig {
  VirtualWindowSystem windows;
  std::unique_ptr<Window> window = windows.createWindow(WindowSpec{"ZARNEL", "Zarnel", 0, 0, 800, 600});
  NullHost host;
  NullActions actions;
  MovingDesks desks;
  Renderer renderer{host};
  bool ready = false;
  RenderRig() {
    renderer.setSkin(benchSkin());
    ready = renderer.skin() && renderer.start(*window, RendererLinks{&actions, &desks, &desks}, false);
  }
  // The posted frames are never read here: the queue is emptied.
  void drain() {
    Message m;
    while (windows.peekMessage(m, 0)) {
    }
  }
};

void BM_DisplayRefresh(benchmark::State& state) {
  RenderRig rig;
  if (!rig.ready) return state.SkipWithError("the bench skin did not load");
  for (auto _ : state) {
    rig.desks.step();
    rig.renderer.refresh();
  }
  state.counters["refreshes/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DisplayRefresh)->Unit(benchmark::kMicrosecond);

void BM_RhythmFrame(benchmark::State& state) {
  RenderRig rig;
  if (!rig.ready) return state.SkipWithError("the bench skin did not load");
  for (auto _ : state) {
    rig.desks.step();
    rig.renderer.drawRhythmFrame();
    rig.renderer.presentRhythm();
    rig.drain();
  }
  state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RhythmFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zarnel
