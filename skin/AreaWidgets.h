#pragma once
// The widgets that only mark an area: scratch zones (which take the mouse
// and do nothing), drop zones (targets of files dragged from the browser)
// and the browser panel's place.

#include <cstdint>

#include "skin/SkinLook.h"
#include "skin/Widget.h"

namespace zarnel {

class ScratchZone : public Widget {
 public:
  bool hitTest(int32_t x, int32_t y) override { return visible() && inHitArea(x, y); }
  // The turning centre, window coordinates.
  void setCentre(SkinPoint centre) { centre_ = centre; }
  SkinPoint centre() const { return centre_; }

 private:
  SkinPoint centre_;
};

// The "chan" of a drop zone that means the browser's playlist.
inline constexpr int32_t kDropPlaylist = -2;

class DropZone : public Widget {
 public:
  bool hitTest(int32_t x, int32_t y) override { return visible() && inHitArea(x, y); }
};

// The browser's fonts and colours as the skin gives them.
struct BrowserLook {
  FontDescription listFont;
  ColourRef listColour = systemColour(kSysWindowText);
  ColourRef listOver = systemColour(kSysHighlightText);
  ColourRef listSelected = systemColour(kSysHighlight);
  FontDescription optionsFont;
  ColourRef optionsColour = systemColour(kSysWindowText);
  ColourRef optionsOver = systemColour(kSysHighlightText);
  ColourRef optionsSelected = systemColour(kSysHighlight);
  FontDescription controlsFont;
  ColourRef controlsColour = systemColour(kSysButtonText);
  ColourRef face = systemColour(kSysButtonFace);
  ColourRef light = systemColour(kSysLight);
  ColourRef shadow = systemColour(kSysButtonShadow);
  ColourRef highlight = systemColour(kSysButtonHighlight);
  ColourRef darkShadow = systemColour(kSysDarkShadow);
  ColourRef stripes = systemColour(kSysButtonFace);
  ColourRef track1 = systemColour(kSysScrollBar);
  ColourRef track2 = systemColour(kSysScrollBar);
  // The colour transform of the panel image: rr, rg, rb, gr, gg, gb, br, bg, bb.
  int32_t matrix[9] = {255, 0, 0, 0, 255, 0, 0, 0, 255};
};

// Finds the element of the browser panel under a point; the panel installs
// one.
class BrowserResolver {
 public:
  virtual ~BrowserResolver() = default;
  // Return: the panel's element at (x, y), or null for none.
  virtual Widget* elementAt(int32_t x, int32_t y) = 0;
  // Draws the panel over the view's rectangle. Return: false when it drew
  // nothing (the view then draws its empty face).
  virtual bool drawContent() { return false; }
};

class BrowserView : public Widget {
 public:
  void setLook(const BrowserLook& look) { look_ = look; }
  const BrowserLook& look() const { return look_; }
  // The panel's resolver (non-owning), or null.
  void setResolver(BrowserResolver* resolver) { resolver_ = resolver; }
  // Return: what receives the mouse at a point of the browser's area: the
  // panel's element, or this view without a resolver.
  Widget* elementAt(int32_t x, int32_t y) { return resolver_ ? resolver_->elementAt(x, y) : this; }
  // Until the panel draws itself, an empty sunken area in the browser's
  // colours with the program's banner at its centre.
  void draw() override;

 private:
  BrowserLook look_;
  BrowserResolver* resolver_ = nullptr;
};

}  // namespace zarnel
