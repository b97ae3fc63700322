// The default skin's window background, before any widget is drawn on it.
#include "tools/skinart/DefaultSkin.h"
#include "tools/skinart/Layout.h"
#include "tools/skinart/Shapes.h"
#include "tools/skinart/Theme.h"

namespace zarnel::art {

namespace {

using namespace layout;

const TextStyle kCaptionStyle{11, true, theme::kCaption};

void panel(Image& image, const Rect& r) {
  const Rect around{r.x - 4, r.y - 4, r.w + 8, r.h + 8};
  glow(image, around, roundRect(r.x, r.y + 1, r.w, r.h, 8), 0x000000, 2.5, 0.6);
  fill(image, around, roundRect(r.x, r.y, r.w, r.h, 8), Paint::solid(theme::kPanelEdge));
  fill(image, around, roundRect(r.x + 1, r.y + 1, r.w - 2, r.h - 2, 7),
       Paint::vertical(theme::kPanelTop, theme::kPanel, r.y, r.y + 4));
}

void display(Image& image, const Rect& r, double radius = 5) {
  const Rect around{r.x - 2, r.y - 2, r.w + 4, r.h + 4};
  fill(image, around, roundRect(r.x, r.y, r.w, r.h, radius), Paint::solid(theme::kDisplayEdge));
  fill(image, around, roundRect(r.x + 1, r.y + 1, r.w - 2, r.h - 2, radius - 1),
       Paint::vertical(0x0F1115, theme::kDisplay, r.y, r.y + r.h));
}

void topBar(Image& image, Lettering& letters) {
  fill(image, kTopBar, roundRect(-10, -10, 820, 44, 0), Paint::vertical(0x2A2F39, 0x1B1E24, 0, 34));
  fill(image, {0, 33, 800, 1}, roundRect(0, 33, 800, 1, 0), Paint::solid(0x07080A));
  // The logo: a small record and the name.
  fill(image, {8, 4, 28, 28}, circle(21, 17, 11), Paint::vertical(0x3A404C, 0x15171B, 6, 28));
  fill(image, {8, 4, 28, 28}, circle(21, 17, 4.5), Paint::solid(theme::kDesk1));
  fill(image, {8, 4, 28, 28}, subtract(circle(21, 17, 4.5), polygon({{21, 10}, {30, 17}, {21, 24}})),
       Paint::solid(theme::kDesk2));
  letters.draw(image, {38, 3, 76, 28}, "ZARNEL", {20, true, theme::kText}, Align::left);
}

void deskDecor(Image& image, Lettering& letters, int desk) {
  const Rect info = infoDisplay(desk);
  display(image, info);
  const int32_t x = info.x;
  letters.draw(image, {x + 8, 82, 60, 11}, "ELAPSED", kCaptionStyle, Align::left);
  letters.draw(image, {x + 74, 82, 66, 11}, "REMAIN", kCaptionStyle, Align::left);
  letters.draw(image, {x + 146, 82, 50, 11}, "BPM", kCaptionStyle, Align::left);
  letters.draw(image, {x + 200, 82, 54, 11}, "PITCH", kCaptionStyle, Align::left);
  // The pitch scale beside the slider: slower at the top, faster below.
  const Rect column = pitchColumn(desk), slider = pitchSlider(desk);
  for (int i = 0; i <= 8; ++i) {
    const double y = slider.y + 7 + i * (slider.h - 15) / 8.0;
    const double len = i % 4 == 0 ? 4 : 2;
    for (double tx : {double(column.x), double(column.x + column.w) - len})
      fill(image, column, roundRect(tx, y - 0.5, len, 1, 0), Paint::solid(i == 4 ? 0x9AA2B0 : 0x4A505C));
  }
}

void mixerDecor(Image& image, Lettering& letters) {
  static const char* const kNames[4] = {"GAIN", "HIGH", "MID", "LOW"};
  for (int desk = 0; desk < 2; ++desk)
    for (int k = 0; k < 4; ++k)
      letters.draw(image, {knobX(desk) - 4, kKnobY[k] + kKnobSize, kKnobSize + 8, 11}, kNames[k],
                   kCaptionStyle);
  // The level scale between the two faders.
  const Rect a = levelFader(0);
  for (int i = 0; i <= 10; ++i) {
    const double y = a.y + 7 + i * (a.h - 15) / 10.0;
    const double len = i % 5 == 0 ? 8 : 4;
    fill(image, {392, a.y, 16, a.h}, roundRect(400 - len / 2, y - 0.5, len, 1, 0),
         Paint::solid(i == 0 ? 0x9AA2B0 : 0x4A505C));
  }
  letters.draw(image, {kPreview.x - 12, kPreview.y + kPreview.h - 2, kPreview.w + 24, 11}, "CUE MIX",
               kCaptionStyle);
  display(image, {kRhythm.x - 1, kRhythm.y - 1, kRhythm.w + 2, kRhythm.h + 2}, 3);
  static const char* const kBands[3] = {"LOW", "MID", "HIGH"};
  for (int b = 0; b < 3; ++b)
    letters.draw(image, {bandFader(b).x, kBandCaptionY, bandFader(b).w, 10}, kBands[b], {10, true, theme::kCaption});
}

void browserZone(Image& image) {
  fill(image, kBrowser, roundRect(-10, kBrowser.y, 820, 200, 0), Paint::solid(0x15171C));
  fill(image, kBrowser, roundRect(0, kBrowser.y, 800, 1, 0), Paint::solid(theme::kPanelEdge));
}

}  // namespace

void paintBackdrop(Image& window, Lettering& letters) {
  fill(window, {0, 0, window.width, window.height}, roundRect(-10, -10, 820, 620, 0),
       Paint::vertical(0x121418, theme::kWindow, 0, 600));
  topBar(window, letters);
  for (int desk = 0; desk < 2; ++desk) panel(window, kDeskPanel[desk]);
  panel(window, kMixerPanel);
  for (int desk = 0; desk < 2; ++desk) deskDecor(window, letters, desk);
  mixerDecor(window, letters);
  browserZone(window);
}

}  // namespace zarnel::art
