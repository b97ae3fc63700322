#pragma once
// Test doubles and builders for the skin tests: skins made from XML text and
// an image, a recording ActionSink, desks and a window host the tests set.

#include <memory>
#include <string>
#include <vector>

#include "skin/DrawSurface.h"
#include "skin/Skin.h"
#include "skin/SkinParser.h"
#include "skin/XmlReader.h"
#include "skin/support/BmpWriter.h"

namespace zarnel::test {

// A browser element, which every valid skin needs; placed at the window's
// bottom right corner, out of the other widgets' way.
inline const std::string kBrowser = "<browser><size width='10' height='10'/><pos x='790' y='590'/></browser>";

// Return: a "zarnelskin" document holding body and the browser.
inline std::string skinXml(const std::string& body, const std::string& rootAttributes = "") {
  return "<zarnelskin" + rootAttributes + ">" + body + kBrowser + "</zarnelskin>";
}

// Return: the skin of xml over image, or null when invalid (or unparsable).
inline std::unique_ptr<Skin> buildFrom(const std::string& xml, const Bitmap& image) {
  auto root = xmlParse(xml);
  return root ? buildSkin(*root, image) : nullptr;
}

inline std::unique_ptr<Skin> buildFrom(const std::string& xml) {
  return buildFrom(xml, solidImage(800, 600, 0x404040));
}

// Records every action as text; sets a slider's value back as the action
// dispatch does.
class RecordingSink : public ActionSink {
 public:
  std::vector<std::string> events;
  Slider* reflect = nullptr;

  void buttonPress(int32_t a, int32_t d, int32_t k) override { add("press", a, d, k); }
  void buttonRelease(int32_t a, int32_t d, int32_t k) override { add("release", a, d, k); }
  void sliderSet(int32_t kind, int32_t d, int32_t v) override {
    add("set", kind, d, v);
    if (reflect) reflect->setValue(v);
  }
  void sliderReset(int32_t kind, int32_t d) override { add("reset", kind, d, 0); }
  void sliderAuto(int32_t kind, int32_t d) override { add("auto", kind, d, 0); }
  void deskHold(int32_t d, bool on) override { add("hold", d, on, 0); }
  void deskScratch(int32_t d, int32_t frames) override { add("scratch", d, frames, 0); }

  std::string last() const { return events.empty() ? "" : events.back(); }

 private:
  void add(const char* what, int32_t a, int32_t b, int32_t c) {
    events.push_back(std::string(what) + " " + std::to_string(a) + " " + std::to_string(b) + " " +
                     std::to_string(c));
  }
};

struct FakeDesks : DeskReader {
  int32_t active = 0;
  int32_t pitches[2] = {4096, 4096};
  int32_t meters[2] = {0, 0};
  int32_t scratch = 1;
  int32_t activeDesk() const override { return active; }
  int32_t pitch(int32_t desk) const override { return pitches[desk]; }
  int32_t beatMeter(int32_t desk) const override { return meters[desk]; }
  int32_t scratchMode() const override { return scratch; }
};

struct FakeHost : MouseHost {
  int32_t captures = 0, releases = 0, hides = 0;
  int32_t movedX = 0, movedY = 0;
  int32_t cursorX = -1, cursorY = -1;
  std::string tooltip;
  bool tooltips = true, full = false;
  int64_t now = 0;
  void captureMouse() override { ++captures; }
  void releaseMouse() override { ++releases; }
  void moveWindowBy(int32_t dx, int32_t dy) override {
    movedX += dx;
    movedY += dy;
  }
  void setCursorPos(int32_t x, int32_t y) override {
    cursorX = x;
    cursorY = y;
  }
  void showTooltip(int32_t, int32_t, const std::string& text) override { tooltip = text; }
  void hideTooltip() override { ++hides; }
  bool tooltipsOn() const override { return tooltips; }
  bool fullScreen() const override { return full; }
  void releaseKeyboardUnlessAt(int32_t, int32_t) override {}
  int64_t nowMs() const override { return now; }
};

// A skin bound to a back buffer of its window's size and the doubles above.
struct BoundSkin {
  std::unique_ptr<Skin> skin;
  std::vector<uint32_t> back;
  std::unique_ptr<DrawSurface> surface;
  RecordingSink sink;
  FakeDesks desks;
  FakeHost host;
  WidgetContext context;

  explicit BoundSkin(std::unique_ptr<Skin> s) : skin(std::move(s)) {
    if (!skin) return;
    back.assign(size_t(skin->windowWidth) * skin->windowHeight, 0);
    surface = std::make_unique<DrawSurface>(back.data(), skin->windowWidth, skin->windowHeight, &skin->surface);
    context = {surface.get(), &sink, &desks, &host};
    skin->bind(&context);
  }
  uint32_t at(int32_t x, int32_t y) const { return back[size_t(y) * skin->windowWidth + x]; }
};

}  // namespace zarnel::test
