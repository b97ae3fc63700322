// The renderer's two periodic jobs on the default skin (read from the source
// tree) with both desks playing: one 50 ms display refresh (the slower work
// included every second tick, discs turning, beat lamps moving) and one
// rhythm-view frame with the curves moving, each presented to a virtual
// window.

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualWindowSystem.h"
#include "skin/Renderer.h"
#include "skin/SkinFiles.h"

namespace zarnel {
namespace {

// Copies the source tree's home/skins/default.xml and default.bmp into files
// under home. Return: false when either cannot be read.
bool putDefaultSkin(VirtualFileSystem& files, const std::string& home) {
  const std::string folder = std::string(ZARNEL_SOURCE_DIR) + "/home/skins/default";
  for (const char* ending : {".xml", ".bmp"}) {
    std::ifstream in(folder + ending, std::ios::binary);
    if (!in) return false;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const bool xml = std::string(ending) == ".xml";
    files.put(xml ? skinXmlPath(home, "default") : skinBitmapPath(home, "default"), std::move(bytes));
  }
  return true;
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
  VirtualFileSystem files;
  Renderer renderer{host};
  bool ready = false;
  RenderRig() {
    ready = putDefaultSkin(files, "/home") && renderer.loadSkin(files, "/home", "default") &&
            renderer.start(*window, RendererLinks{&actions, &desks, &desks}, false);
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
  if (!rig.ready) return state.SkipWithError("the default skin did not load");
  for (auto _ : state) {
    rig.desks.step();
    rig.renderer.refresh();
  }
  state.counters["refreshes/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DisplayRefresh)->Unit(benchmark::kMicrosecond);

void BM_RhythmFrame(benchmark::State& state) {
  RenderRig rig;
  if (!rig.ready) return state.SkipWithError("the default skin did not load");
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
