#pragma once
// Reads a skin description tree into a Skin and checks it against its
// bitmap. Every rule broken makes the whole skin invalid; nothing of an
// invalid skin is kept. The description and the bitmap are untrusted: every
// size, coordinate, count and image is bounded, and every image must lie
// inside the bitmap and every widget inside the window.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/WindowSystem.h"
#include "skin/BmpImage.h"
#include "skin/Skin.h"
#include "skin/XmlNode.h"

namespace zarnel {

// The most widgets a skin may hold, and the most frames of a round knob.
inline constexpr size_t kSkinMaxWidgets = 4096;
inline constexpr int32_t kSkinMaxFrames = 4096;
inline constexpr int32_t kSkinMaxFontHeight = 1000;
// The smallest skin surface.
inline constexpr int32_t kSkinMinSurfaceWidth = 800;
inline constexpr int32_t kSkinMinSurfaceHeight = 600;

// Return: the skin built from root and bitmap, or null when the skin is
// invalid. Sets no error. UI thread (any thread: no shared state).
std::unique_ptr<Skin> buildSkin(const XmlNode& root, const Bitmap& bitmap);

// The reader's state while one description is read; used by buildSkin.
class SkinParser {
 public:
  // Reads the elements. Return: false when any breaks a rule.
  bool readElements(const XmlNode& root);
  // Puts the bitmap on the surface, sizes the window and checks every image
  // and widget against them. Return: false when any lies outside.
  bool finish(const Bitmap& bitmap);
  std::unique_ptr<Skin> take() { return std::move(skin_); }

 private:
  bool readElement(const XmlNode& e);
  bool readButton(const XmlNode& e, Button& b, bool knob);
  bool readSlider(const XmlNode& e);
  bool readSliderModes(const XmlNode& e, Slider& s);
  bool readKnob(const XmlNode& e, Slider& s);
  bool readCircle(const XmlNode& e, Slider& s);
  bool readRound(const XmlNode& e, Slider& s);
  bool readStrip(const XmlNode* child, const FrameStrip* defaults, const SkinRect& r, FrameStrip& out);
  bool readTextZone(const XmlNode& e);
  bool readTextFormat(const XmlNode* child, TextFormat& out);
  bool readRhythm(const XmlNode& e);
  bool readBrowser(const XmlNode& e);
  bool readDropZone(const XmlNode& e);
  bool readBeatLamp(const XmlNode& e);
  bool readScratch(const XmlNode& e);

  // The parts common to the widget elements.
  bool readPlace(const XmlNode& e, Widget& w, bool checkInWindow = true);
  bool readChan(const XmlNode& e, Widget& w, bool required);
  bool readHitArea(const XmlNode& e, Widget& w);
  bool readClipMask(const XmlNode& e, Widget& w);
  // An image child: absent leaves out empty; present needs "x" and "y".
  bool readImage(const XmlNode& e, const char* name, const SkinRect& size, std::optional<SkinPoint>& out);
  bool readPoint(const XmlNode* child, SkinPoint& out);
  void useImage(SkinPoint corner, int32_t width, int32_t height);
  bool countWidget();
  void markTextZonesOnSongPos();

  std::unique_ptr<Skin> skin_ = std::make_unique<Skin>();
  int32_t rootWidth_ = 800, rootHeight_ = 600;
  std::vector<SkinRect> images_;   // in the bitmap
  std::vector<SkinRect> widgets_;  // in the window
  size_t widgetCount_ = 0;
};

// Return: whether value equals one of the texts, ignoring case, and which.
bool matchWord(const std::string* value, std::initializer_list<const char*> words, size_t& which);

}  // namespace zarnel
