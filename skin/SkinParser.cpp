#include "skin/SkinParser.h"

#include <algorithm>

#include "skin/ActionNames.h"
#include "skin/BmpImage.h"

namespace zarnel {

namespace {

bool inCoordinateRange(int64_t v) { return v >= -kSkinMaxCoordinate && v <= kSkinMaxCoordinate; }

bool isTrue(const std::string* value) { return value && equalsIgnoringCase(*value, "true"); }

}  // namespace

bool matchWord(const std::string* value, std::initializer_list<const char*> words, size_t& which) {
  if (!value) return false;
  which = 0;
  for (const char* word : words) {
    if (equalsIgnoringCase(*value, word)) return true;
    ++which;
  }
  return false;
}

std::unique_ptr<Skin> buildSkin(const XmlNode& root, const Bitmap& bitmap) {
  SkinParser parser;
  if (!parser.readElements(root) || !parser.finish(bitmap)) return nullptr;
  return parser.take();
}

bool SkinParser::readElements(const XmlNode& root) {
  if (!equalsIgnoringCase(root.name, "zarnelskin")) return false;
  xmlAttrInt(&root, "width", rootWidth_);
  xmlAttrInt(&root, "height", rootHeight_);
  // Stricter than the format asks: a window with no pixels could show nothing.
  if (rootWidth_ <= 0 || rootHeight_ <= 0) return false;
  for (const XmlNode& e : root.children) {
    if (!readElement(e)) return false;
  }
  if (!skin_->browser) return false;
  markTextZonesOnSongPos();
  return true;
}

bool SkinParser::readElement(const XmlNode& e) {
  const std::string& n = e.name;
  if (equalsIgnoringCase(n, "button")) {
    auto b = std::make_unique<Button>();
    if (!countWidget() || !readButton(e, *b, false)) return false;
    skin_->buttons.insert(skin_->buttons.begin(), std::move(b));
    return true;
  }
  if (equalsIgnoringCase(n, "slider")) return readSlider(e);
  if (equalsIgnoringCase(n, "textzone")) return readTextZone(e);
  if (equalsIgnoringCase(n, "rhythm")) return readRhythm(e);
  if (equalsIgnoringCase(n, "browser")) return readBrowser(e);
  if (equalsIgnoringCase(n, "dropzone")) return readDropZone(e);
  if (equalsIgnoringCase(n, "beattap")) return readBeatLamp(e);
  if (equalsIgnoringCase(n, "scratch")) return readScratch(e);
  if (equalsIgnoringCase(n, "options")) {
    const std::string* level = xmlAttr(&e, "pitchlevel");
    if (level && equalsIgnoringCase(*level, "together")) skin_->pitchLevelTogether = true;
  }
  return true;  // unknown elements are ignored
}

bool SkinParser::countWidget() { return ++widgetCount_ <= kSkinMaxWidgets; }

bool SkinParser::readPoint(const XmlNode* child, SkinPoint& out) {
  int32_t x = 0, y = 0;
  if (!xmlAttrInt(child, "x", x) || !xmlAttrInt(child, "y", y)) return false;
  if (!inCoordinateRange(x) || !inCoordinateRange(y)) return false;
  out = {x, y};
  return true;
}

bool SkinParser::readPlace(const XmlNode& e, Widget& w, bool checkInWindow) {
  const XmlNode* size = xmlChild(&e, "size");
  int32_t width = 0, height = 0;
  if (!xmlAttrInt(size, "width", width) || !xmlAttrInt(size, "height", height)) return false;
  if (width < 0 || height < 0 || width > kSkinMaxCoordinate || height > kSkinMaxCoordinate) return false;
  SkinPoint pos;
  if (!readPoint(xmlChild(&e, "pos"), pos)) return false;
  w.setRect(pos.x, pos.y, width, height);
  if (checkInWindow) widgets_.push_back(w.rect());
  return true;
}

bool SkinParser::readChan(const XmlNode& e, Widget& w, bool required) {
  int32_t chan = 0;
  if (!xmlAttrInt(&e, "chan", chan)) return !required;
  if (chan != 1 && chan != 2) return false;  // a desk beyond the two would index past them
  w.setDesk(chan - 1);
  return true;
}

bool SkinParser::readHitArea(const XmlNode& e, Widget& w) {
  int found = 0;
  HitArea area;
  for (const XmlNode& c : e.children) {
    SkinPoint at;
    if (equalsIgnoringCase(c.name, "mousemask")) {
      if (!readPoint(&c, at)) return false;
      area = {HitArea::Kind::kMask, {at.x, at.y, 0, 0}, 0};
      useImage(at, w.rect().width, w.rect().height);
    } else if (equalsIgnoringCase(c.name, "mouserect")) {
      int32_t width = 0, height = 0;
      if (!readPoint(&c, at) || !xmlAttrInt(&c, "width", width) || !xmlAttrInt(&c, "height", height)) return false;
      if (width < 0 || height < 0 || width > kSkinMaxCoordinate || height > kSkinMaxCoordinate) return false;
      area = {HitArea::Kind::kRect, {at.x, at.y, width, height}, 0};
    } else if (equalsIgnoringCase(c.name, "mousecircle")) {
      int32_t r = 0;
      if (!readPoint(&c, at) || !xmlAttrInt(&c, "r", r) || r < 0 || r > kSkinMaxCoordinate) return false;
      area = {HitArea::Kind::kCircle, {at.x, at.y, 0, 0}, r};
    } else {
      continue;
    }
    if (++found > 1) return false;  // at most one hit area
  }
  w.setHitArea(area);
  return true;
}

bool SkinParser::readClipMask(const XmlNode& e, Widget& w) {
  std::optional<SkinPoint> mask;
  if (!readImage(e, "clipmask", w.rect(), mask)) return false;
  w.setClipMask(mask);
  return true;
}

bool SkinParser::readImage(const XmlNode& e, const char* name, const SkinRect& size,
                           std::optional<SkinPoint>& out) {
  const XmlNode* child = xmlChild(&e, name);
  if (!child) return true;
  SkinPoint at;
  if (!readPoint(child, at)) return false;
  out = at;
  useImage(at, size.width, size.height);
  return true;
}

void SkinParser::useImage(SkinPoint corner, int32_t width, int32_t height) {
  images_.push_back({corner.x, corner.y, width, height});
}

bool SkinParser::readButton(const XmlNode& e, Button& b, bool knob) {
  const std::string* action = xmlAttr(&e, "action");
  b.setAction(knob ? kActionKnob : (action ? buttonActionByName(*action) : kActionNothing));
  if (const std::string* right = xmlAttr(&e, "rightclick")) {
    if (!equalsIgnoringCase(*right, "bend")) return false;
    b.setRightBend(true);
  }
  // A knob is moved by its slider, so its own "pos" need not lie in the window.
  if (!readChan(e, b, false) || !readPlace(e, b, !knob)) return false;
  static constexpr const char* kNames[Button::kImageCount] = {"up", "down", "selected", "over",
                                                              "overselected", "downselected"};
  for (int i = 0; i < Button::kImageCount; ++i) {
    std::optional<SkinPoint> image;
    if (!readImage(e, kNames[i], b.rect(), image)) return false;
    b.setImage(Button::Image(i), image);
  }
  return readClipMask(e, b) && readHitArea(e, b);
}

bool SkinParser::readDropZone(const XmlNode& e) {
  auto z = std::make_unique<DropZone>();
  const std::string* chan = xmlAttr(&e, "chan");
  if (chan && equalsIgnoringCase(*chan, "playlist")) {
    z->setDesk(kDropPlaylist);
  } else if (!readChan(e, *z, false)) {
    return false;
  }
  if (!countWidget() || !readPlace(e, *z) || !readHitArea(e, *z)) return false;
  skin_->dropZones.insert(skin_->dropZones.begin(), std::move(z));
  return true;
}

bool SkinParser::readBeatLamp(const XmlNode& e) {
  auto lamp = std::make_unique<BeatLamp>();
  if (!countWidget() || !readChan(e, *lamp, false) || !readPlace(e, *lamp)) return false;
  SkinPoint pos{lamp->rect().x, lamp->rect().y};
  std::optional<SkinPoint> up, down;
  if (!readImage(e, "up", lamp->rect(), up) || !readImage(e, "down", lamp->rect(), down)) return false;
  if (!up || !down) useImage(pos, lamp->rect().width, lamp->rect().height);
  lamp->setImages(up.value_or(pos), down.value_or(pos));
  lamp->setTransparent(isTrue(xmlAttr(&e, "transparent")));
  if (!readClipMask(e, *lamp)) return false;
  skin_->beatLamps.insert(skin_->beatLamps.begin(), std::move(lamp));
  return true;
}

bool SkinParser::readScratch(const XmlNode& e) {
  auto z = std::make_unique<ScratchZone>();
  if (!countWidget() || !readChan(e, *z, true) || !readPlace(e, *z) || !readHitArea(e, *z)) return false;
  const SkinRect& r = z->rect();
  SkinPoint centre{r.x + r.width / 2, r.y + r.height / 2};
  // The centre given last wins: the hit circle's or a "center" child's.
  for (const XmlNode& c : e.children) {
    if (equalsIgnoringCase(c.name, "mousecircle") || equalsIgnoringCase(c.name, "center")) {
      if (!readPoint(&c, centre)) return false;
    }
  }
  z->setCentre(centre);
  skin_->scratchZones.insert(skin_->scratchZones.begin(), std::move(z));
  return true;
}

bool SkinParser::readRhythm(const XmlNode& e) {
  if (skin_->rhythm || !countWidget()) return false;  // at most one
  auto view = std::make_unique<RhythmView>();
  if (!readPlace(e, *view)) return false;
  RhythmLook look;
  std::optional<SkinPoint> up;
  if (!readImage(e, "up", view->rect(), up)) return false;
  look.up = up.value_or(SkinPoint{view->rect().x, view->rect().y});
  if (!up) useImage(look.up, view->rect().width, view->rect().height);
  if (const XmlNode* colour = xmlChild(&e, "color")) {
    look.colourMode = true;
    xmlAttrInt(colour, "back", look.back);
    xmlAttrInt(colour, "chan1", look.chan1);
    xmlAttrInt(colour, "chan2", look.chan2);
    xmlAttrInt(colour, "both", look.both);
    for (int32_t index : {look.back, look.chan1, look.chan2, look.both}) {
      if (index < 0 || index > 255) return false;  // palette indexes
    }
  } else {
    std::optional<SkinPoint> c1, c2, both;
    if (!readImage(e, "chan1", view->rect(), c1) || !readImage(e, "chan2", view->rect(), c2) ||
        !readImage(e, "both", view->rect(), both) || !c1 || !c2 || !both) {
      return false;
    }
    look.chan1Image = *c1;
    look.chan2Image = *c2;
    look.bothImage = *both;
  }
  view->setLook(look);
  skin_->rhythm = std::move(view);
  return true;
}

void SkinParser::markTextZonesOnSongPos() {
  for (auto& zone : skin_->textZones) {
    for (auto& slider : skin_->sliders) {
      if (slider->kind() == kSliderSongPos && slider->rect().encloses(zone->rect())) zone->setOnSongPosSlider(true);
    }
  }
}

bool SkinParser::finish(const Bitmap& bitmap) {
  if (bitmap.width <= 0 || bitmap.height <= 0 ||
      bitmap.pixels.size() != size_t(bitmap.width) * size_t(bitmap.height)) {
    return false;
  }
  Skin& s = *skin_;
  s.bitmapWidth = bitmap.width;
  s.bitmapHeight = bitmap.height;
  s.surface.width = std::max(bitmap.width, kSkinMinSurfaceWidth);
  s.surface.height = std::max(bitmap.height, kSkinMinSurfaceHeight);
  s.surface.pixels.assign(size_t(s.surface.width) * size_t(s.surface.height), 0);
  for (int32_t y = 0; y < bitmap.height; ++y) {
    const uint32_t* row = bitmap.pixels.data() + size_t(y) * bitmap.width;
    std::copy(row, row + bitmap.width, s.surface.pixels.data() + size_t(y) * s.surface.width);
  }
  s.windowWidth = std::min(rootWidth_, s.surface.width);
  s.windowHeight = std::min(rootHeight_, s.surface.height);
  SkinRect inBitmap{0, 0, bitmap.width, bitmap.height};
  SkinRect inWindow{0, 0, s.windowWidth, s.windowHeight};
  for (const SkinRect& r : images_) {
    if (!inBitmap.encloses(r)) return false;
  }
  for (const SkinRect& r : widgets_) {
    if (!inWindow.encloses(r)) return false;
  }
  if (s.rhythm) s.rhythm->setWindowWidth(s.windowWidth);
  return true;
}

}  // namespace zarnel
