// The "slider" element of the skin reader.

#include <algorithm>

#include "skin/ActionNames.h"
#include "skin/SkinParser.h"

namespace zarnel {

namespace {

constexpr int32_t kMaxAngle = 3600;
constexpr int32_t kMaxSensibility = 1 << 20;

bool withinAngle(int32_t degrees) { return degrees >= -kMaxAngle && degrees <= kMaxAngle; }

}  // namespace

bool SkinParser::readSlider(const XmlNode& e) {
  auto s = std::make_unique<Slider>();
  size_t which = 0;
  if (!countWidget() || !matchWord(xmlAttr(&e, "orientation"), {"horizontal", "vertical", "circle", "round"}, which)) {
    return false;
  }
  s->setOrientation(SliderOrientation(which));
  const std::string* action = xmlAttr(&e, "action");
  int32_t kind = action ? sliderKindByName(*action) : -1;
  s->setKind(kind < 0 ? kSliderCrossfader : kind);
  if (!readChan(e, *s, false) || !readPlace(e, *s) || !readClipMask(e, *s) || !readHitArea(e, *s)) return false;
  if (!readSliderModes(e, *s)) return false;
  bool round = s->orientation() == SliderOrientation::kRound;
  std::optional<SkinPoint> up, selected;
  if (!readImage(e, "up", s->rect(), up) || !readImage(e, "selected", s->rect(), selected)) return false;
  if (round && (up || selected)) return false;
  s->setImages(up, selected);
  bool ok = true;
  switch (s->orientation()) {
    case SliderOrientation::kHorizontal:
    case SliderOrientation::kVertical: ok = readKnob(e, *s); break;
    case SliderOrientation::kCircle: ok = readCircle(e, *s); break;
    case SliderOrientation::kRound: ok = readRound(e, *s); break;
  }
  if (!ok) return false;
  skin_->sliders.insert(skin_->sliders.begin(), std::move(s));
  return true;
}

bool SkinParser::readSliderModes(const XmlNode& e, Slider& s) {
  static constexpr SliderMode kRight[] = {SliderMode::kBend, SliderMode::kCut, SliderMode::kBoost,
                                          SliderMode::kReset, SliderMode::kAuto};
  static constexpr SliderMode kDouble[] = {SliderMode::kCut, SliderMode::kBoost, SliderMode::kReset,
                                           SliderMode::kAuto};
  SliderMode right = SliderMode::kNone, twice = SliderMode::kNone;
  size_t which = 0;
  if (const std::string* v = xmlAttr(&e, "rightclick")) {
    if (!matchWord(v, {"bend", "cut", "boost", "reset", "auto"}, which)) return false;
    right = kRight[which];
  }
  if (const std::string* v = xmlAttr(&e, "dblclick")) {
    if (!matchWord(v, {"cut", "boost", "reset", "auto"}, which)) return false;
    twice = kDouble[which];
  }
  s.setModes(right, twice);
  return true;
}

// A straight slider: its direction and its optional knob, then its travel,
// which must leave at least two positions.
bool SkinParser::readKnob(const XmlNode& e, Slider& s) {
  size_t which = 0;
  s.setReversed(matchWord(xmlAttr(&e, "direction"), {"down", "left"}, which));
  if (const XmlNode* fader = xmlChild(&e, "fader")) {
    auto knob = std::make_unique<Button>();
    if (!countWidget() || !readButton(*fader, *knob, true)) return false;
    if (!knob->image(Button::kUp)) {
      // Without an "up" image the knob's "pos" is its image.
      SkinPoint pos{knob->rect().x, knob->rect().y};
      knob->setImage(Button::kUp, pos);
      useImage(pos, knob->rect().width, knob->rect().height);
    }
    knob->setOwner(&s);
    s.setKnob(knob.get());
    skin_->buttons.insert(skin_->buttons.begin(), std::move(knob));
  }
  return s.travelLength() >= 2;
}

bool SkinParser::readCircle(const XmlNode& e, Slider& s) {
  const XmlNode* c = xmlChild(&e, "circle");
  if (!c || !s.clipMask()) return false;
  const SkinRect& r = s.rect();
  CircleShape shape;
  shape.centreX = r.x + r.width / 2;
  shape.centreY = r.y + r.height / 2;
  xmlAttrInt(c, "x", shape.centreX);
  xmlAttrInt(c, "y", shape.centreY);
  xmlAttrInt(c, "anglemin", shape.angleMin);
  xmlAttrInt(c, "anglemax", shape.angleMax);
  xmlAttrInt(c, "sectsize", shape.sectorSize);
  if (shape.centreX < -kSkinMaxCoordinate || shape.centreX > kSkinMaxCoordinate ||
      shape.centreY < -kSkinMaxCoordinate || shape.centreY > kSkinMaxCoordinate) {
    return false;
  }
  // Compared as bounds, not through abs: a saturated -2^31 has no int32 magnitude.
  if (!withinAngle(shape.angleMin) || !withinAngle(shape.angleMax)) return false;
  if (shape.sectorSize < 0 || shape.sectorSize > 360) return false;
  const std::string* direction = xmlAttr(c, "direction");
  s.setReversed(direction && equalsIgnoringCase(*direction, "ccw"));
  s.setCircle(shape);
  return true;
}

bool SkinParser::readStrip(const XmlNode* child, const FrameStrip* defaults, const SkinRect& r, FrameStrip& out) {
  if (!readPoint(child, out.corner)) return false;
  out.count = defaults ? defaults->count : 0;
  if (!xmlAttrInt(child, "nb", out.count) && !defaults) return false;
  out.perRow = defaults ? defaults->perRow : out.count;
  if (!xmlAttrInt(child, "nbx", out.perRow) && !defaults) out.perRow = out.count;
  if (out.count < 1 || out.count > kSkinMaxFrames || out.perRow < 1) return false;
  int32_t columns = std::min(out.count, out.perRow);
  int32_t rows = (out.count - 1) / out.perRow + 1;
  int64_t width = int64_t(columns) * r.width, height = int64_t(rows) * r.height;
  if (width > kBmpMaxSide || height > kBmpMaxSide) return false;  // could never lie in a bitmap
  useImage(out.corner, int32_t(width), int32_t(height));
  return true;
}

bool SkinParser::readRound(const XmlNode& e, Slider& s) {
  const XmlNode* fader = xmlChild(&e, "fader");
  if (!fader) return false;
  const SkinRect& r = s.rect();
  RoundShape shape;
  size_t which = 0;
  if (const std::string* move = xmlAttr(fader, "move")) {
    if (!matchWord(move, {"full", "horz", "vert", "v"}, which)) return false;
    shape.move = RoundMove(which);
  }
  // By default 2 × (width + height), and at least 1 so a 0 × 0 knob stays valid.
  shape.sensibility = std::max(1, 2 * (r.width + r.height));
  xmlAttrInt(fader, "sensibility", shape.sensibility);
  if (shape.sensibility < 1 || shape.sensibility > kMaxSensibility) return false;
  if (!readStrip(xmlChild(fader, "pos"), nullptr, r, shape.frames)) return false;
  if (const XmlNode* over = xmlChild(fader, "over")) {
    FrameStrip strip;
    if (!readStrip(over, &shape.frames, r, strip)) return false;
    shape.over = strip;
  }
  s.setRound(shape);
  return true;
}

}  // namespace zarnel
