// libFuzzer target: the skin loader over a hostile description and bitmap.
// The input is the XML text, a zero byte, then the BMP file; both go into an
// in-memory file system and the skin is loaded by name. A skin that loads is
// then drawn and every widget pressed, dragged and released, so that every
// image and geometry the loader accepted is exercised; then the display
// refresh ticks and the rhythm view is painted at several desk positions and
// speeds, so that hostile rhythm-view geometry meets the painter.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/FatalError.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "skin/DisplayRefresh.h"
#include "skin/DrawSurface.h"
#include "skin/MouseRouter.h"
#include "skin/RhythmPainter.h"
#include "skin/SkinFiles.h"

namespace {

using namespace zarnel;

struct NullSink : ActionSink {
  void buttonPress(int32_t, int32_t, int32_t) override {}
  void buttonRelease(int32_t, int32_t, int32_t) override {}
  void sliderSet(int32_t, int32_t, int32_t) override {}
  void sliderReset(int32_t, int32_t) override {}
  void sliderAuto(int32_t, int32_t) override {}
  void deskHold(int32_t, bool) override {}
  void deskScratch(int32_t, int32_t) override {}
};

struct Desks : DeskReader {
  int32_t meter = 0;
  int32_t activeDesk() const override { return 0; }
  int32_t pitch(int32_t) const override { return 4096; }
  int32_t beatMeter(int32_t desk) const override { return desk == 0 ? meter : 4096 - meter; }
  int32_t scratchMode() const override { return 2; }
};

struct Host : MouseHost {
  void captureMouse() override {}
  void releaseMouse() override {}
  void moveWindowBy(int32_t, int32_t) override {}
  void setCursorPos(int32_t, int32_t) override {}
  void showTooltip(int32_t, int32_t, const std::string&) override {}
  void hideTooltip() override {}
  bool tooltipsOn() const override { return true; }
  bool fullScreen() const override { return false; }
  void releaseKeyboardUnlessAt(int32_t, int32_t) override {}
  int64_t nowMs() const override { return 0; }
};

// Two playing desks whose strength curves scroll with the position at a
// speed: a sawtooth whose teeth the speed stretches, kept in 0..height - 1 as
// the display contract says. Traps when asked for more columns than the
// painter holds, which no sanitizer would see inside its fixed arrays.
struct Display : DeskDisplay {
  int32_t active = 0;
  float place = 0.0f;
  int32_t speed = 1;
  int32_t activeDesk() const override { return active; }
  bool playing(int32_t) const override { return true; }
  float position(int32_t d) const override { return d == 0 ? place : 1.0f - place; }
  int32_t length(int32_t d) const override { return d == 0 ? 245 : 3600; }
  int32_t beatMeter(int32_t d) const override { return int32_t(place * 4096.0f) * (d + 1) % 4097; }
  void strengthCurve(int32_t d, int32_t* values, int32_t count, int32_t height) const override {
    if (count < 0 || count > kRhythmMaxColumns || height < 1) __builtin_trap();
    const int32_t start = int32_t(place * 10000.0f) * (d + 1);
    for (int32_t i = 0; i < count; ++i) values[i] = (start + i * speed) % height;
  }
};

// Return: whether back and before differ anywhere outside r (r inside the
// buffer, or empty).
bool changedOutside(const std::vector<uint32_t>& back, const std::vector<uint32_t>& before, int32_t width,
                    const SkinRect& r) {
  if (r.width <= 0 || r.height <= 0) return back != before;
  const size_t top = size_t(r.y) * size_t(width), bottom = size_t(r.bottom()) * size_t(width);
  if (!std::equal(back.begin(), back.begin() + top, before.begin())) return true;
  if (!std::equal(back.begin() + bottom, back.end(), before.begin() + bottom)) return true;
  for (size_t row = top; row < bottom; row += size_t(width)) {
    const size_t left = row + size_t(r.x), right = row + size_t(r.right());
    if (!std::equal(back.begin() + row, back.begin() + left, before.begin() + row)) return true;
    if (!std::equal(back.begin() + right, back.begin() + row + size_t(width), before.begin() + right)) return true;
  }
  return false;
}

// Ticks the display refresh and paints the rhythm view with the desks at a
// few places and speeds, either desk active. The painter must write only
// inside the rectangle it returns, and that inside the window.
void animate(Skin& skin, DrawSurface& surface, std::vector<uint32_t>& back) {
  DisplayRefresh refresh;
  RhythmPainter painter;
  Display desks;
  const int32_t speeds[] = {1, 3, 40};
  const float places[] = {0.0f, 0.37f, 1.0f};
  for (int32_t step = 0; step < 3; ++step) {
    desks.place = places[step];
    desks.speed = speeds[step];
    desks.active = step % 2;
    refresh.tick(skin, desks);
    if (!skin.rhythm) continue;
    const std::vector<uint32_t> before = back;
    const SkinRect r = painter.paint(*skin.rhythm, surface, desks, desks.active);
    const bool drawn = r.width > 0 && r.height > 0;
    if (drawn && (r.x < 0 || r.y < 0 || r.right() > skin.windowWidth || r.bottom() > skin.windowHeight)) {
      __builtin_trap();
    }
    if (changedOutside(back, before, skin.windowWidth, r)) __builtin_trap();
  }
}

// Presses, drags across and releases w with both buttons and a double click.
void exercise(MouseRouter& router, const Widget& w) {
  const SkinRect& r = w.rect();
  int32_t cx = r.x + r.width / 2, cy = r.y + r.height / 2;
  for (int32_t keys : {1, 2}) {
    router.buttonDown(cx, cy, keys, keys == 2, 0);
    router.mouseMove(r.x - 5, r.y - 5, keys);
    router.mouseMove(r.right() + 5, r.bottom() + 5, keys);
    router.mouseMove(cx, r.y, keys);
    router.buttonUp(cx, cy, 0, keys == 2);
    router.buttonDown(cx, cy, 1, false, 100);  // a double click with the second
    router.buttonUp(cx, cy, 0, false);
  }
  router.mouseMove(cx, cy, 0);
  router.wheel(cx, cy, 0, 120);
}

void run(Skin& skin) {
  std::vector<uint32_t> back(size_t(skin.windowWidth) * size_t(skin.windowHeight));
  DrawSurface surface(back.data(), skin.windowWidth, skin.windowHeight, &skin.surface);
  NullSink sink;
  Desks desks;
  Host host;
  WidgetContext context{&surface, &sink, &desks, &host};
  skin.bind(&context);
  MouseRouter router(host);
  router.setSkin(&skin);
  for (int32_t meter : {0, 1000, 2048, 4096}) {
    desks.meter = meter;
    for (auto& s : skin.sliders) s->setValue(meter);
    skin.drawAll();
  }
  for (auto& w : skin.buttons) exercise(router, *w);
  for (auto& w : skin.sliders) exercise(router, *w);
  for (auto& w : skin.textZones) exercise(router, *w);
  for (auto& w : skin.scratchZones) exercise(router, *w);
  if (skin.rhythm) exercise(router, *skin.rhythm);
  animate(skin, surface, back);
  for (auto& s : skin.sliders) s->setVisible(false);
  skin.drawAll();
  surface.takeInvalidated();
  surface.takeShown();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t* zero = static_cast<const uint8_t*>(std::memchr(data, 0, size));
  size_t xmlBytes = zero ? size_t(zero - data) : size;
  VirtualFileSystem files;
  files.put("/home/skins/fuzz.xml", std::vector<uint8_t>(data, data + xmlBytes));
  if (zero) files.put("/home/skins/fuzz.bmp", std::vector<uint8_t>(zero + 1, data + size));
  clearFatalError();
  std::unique_ptr<Skin> skin = loadSkin(files, "/home", "fuzz");
  // A skin either loads whole or fails with the skin error, nothing between.
  if (!skin) {
    if (fatalError() != kErrorSkin) __builtin_trap();
    return 0;
  }
  if (fatalError() != kErrorNone || !skin->browser) __builtin_trap();
  if (skin->windowWidth > skin->surface.width || skin->windowHeight > skin->surface.height) __builtin_trap();
  run(*skin);
  return 0;
}
