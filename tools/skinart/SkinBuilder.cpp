#include "tools/skinart/SkinBuilder.h"

#include <algorithm>
#include <cstdio>

#include "tools/skinart/DetMath.h"

namespace zarnel::art {

namespace {

constexpr int32_t kBandWidth = 800;
constexpr int32_t kKnobFrames = 37;  // 7.5 degrees apart, the middle one straight up
constexpr int32_t kDiscFrames = 25;  // 15 degrees apart; the last is the first again
constexpr int32_t kArmFrames = 9;

std::string hexColour(uint32_t c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", c & 0xFFFFFF);
  return text;
}

std::string quoted(const std::string& name, const std::string& value) {
  return " " + name + "=\"" + value + "\"";
}

std::string optional(const std::string& name, const std::string& value) {
  return value.empty() ? "" : quoted(name, value);
}

std::string stripElement(const std::string& name, const Rect& at, int32_t frames, int32_t perRow) {
  return "<" + name + quoted("x", std::to_string(at.x)) + quoted("y", std::to_string(at.y)) +
         quoted("nb", std::to_string(frames)) + quoted("nbx", std::to_string(perRow)) + "/>";
}

}  // namespace

std::string chanAttr(int chan) { return chan ? quoted("chan", std::to_string(chan)) : ""; }

std::string xyElement(const std::string& name, int32_t x, int32_t y) {
  return "<" + name + quoted("x", std::to_string(x)) + quoted("y", std::to_string(y)) + "/>";
}

std::string sizePos(const Rect& r, const std::string& indent) {
  return indent + "<size" + quoted("width", std::to_string(r.w)) +
         quoted("height", std::to_string(r.h)) + "/>\n" + indent + xyElement("pos", r.x, r.y) + "\n";
}

SkinBuilder::SkinBuilder(const Image& background, Lettering& letters)
    : clean_(background), window_(background), letters_(letters), atlas_(kBandWidth, background.height) {}

std::string SkinBuilder::images(const Rect& rect, const std::vector<std::pair<std::string, Image>>& list) {
  std::string out;
  for (const auto& [name, image] : list) {
    if (name == "up") {
      window_.paste(image, rect.x, rect.y);
      out += "    " + xyElement("up", rect.x, rect.y) + "\n";
      continue;
    }
    const Rect at = atlas_.place(image);
    out += "    " + xyElement(name, at.x, at.y) + "\n";
  }
  return out;
}

void SkinBuilder::button(const ButtonSpec& spec) {
  static const char* const kNames[6] = {"up", "over", "down", "selected", "overselected", "downselected"};
  std::vector<std::pair<std::string, Image>> list;
  for (int i = 0; i < (spec.toggles ? 6 : 3); ++i) {
    Image image = state(spec.rect);
    if (spec.plain) {
      list.emplace_back(kNames[i], std::move(image));
      break;
    }
    drawButton(image, spec.look, kButtonStates[i], letters_);
    list.emplace_back(kNames[i], std::move(image));
  }
  body_ += "  <button" + quoted("action", spec.action) + chanAttr(spec.chan) +
           optional("rightclick", spec.rightClick) + ">\n" + sizePos(spec.rect, "    ") +
           images(spec.rect, list) + "  </button>\n";
}

Rect SkinBuilder::strip(const Rect& rect, int32_t frames, int32_t perRow, const std::vector<Image>& list) {
  const int32_t rows = (frames + perRow - 1) / perRow;
  Image block(perRow * rect.w, rows * rect.h, 0);
  for (int32_t f = 0; f < frames; ++f) block.paste(list[size_t(f)], (f % perRow) * rect.w, (f / perRow) * rect.h);
  return atlas_.place(block);
}

void SkinBuilder::knob(const std::string& kind, int chan, const Rect& rect, bool centred, uint32_t accent,
                       const std::string& rightClick) {
  std::vector<Image> normal, hovered;
  for (int32_t f = 0; f < kKnobFrames; ++f) {
    normal.push_back(state(rect));
    drawKnob(normal.back(), double(f) / (kKnobFrames - 1), centred, accent, false);
    hovered.push_back(state(rect));
    drawKnob(hovered.back(), double(f) / (kKnobFrames - 1), centred, accent, true);
  }
  window_.paste(normal[centred ? kKnobFrames / 2 : 0], rect.x, rect.y);
  const int32_t perRow = std::min(kKnobFrames, kBandWidth / rect.w);
  const Rect a = strip(rect, kKnobFrames, perRow, normal), b = strip(rect, kKnobFrames, perRow, hovered);
  body_ += "  <slider orientation=\"round\"" + quoted("action", kind) + chanAttr(chan) +
           quoted("dblclick", "reset") + optional("rightclick", rightClick) + ">\n" + sizePos(rect, "    ") +
           "    <fader move=\"vert\" sensibility=\"200\">\n      " + stripElement("pos", a, kKnobFrames, perRow) +
           "\n      " + stripElement("over", b, kKnobFrames, perRow) + "\n    </fader>\n  </slider>\n";
}

void SkinBuilder::disc(int chan, const Rect& rect, uint32_t accent) {
  std::vector<Image> frames;
  for (int32_t f = 0; f < kDiscFrames; ++f) {
    frames.push_back(state(rect));
    drawDisc(frames.back(), 2 * kPi * f / (kDiscFrames - 1), accent);
  }
  window_.paste(frames[0], rect.x, rect.y);
  const int32_t perRow = kBandWidth / rect.w;
  const Rect at = strip(rect, kDiscFrames, perRow, frames);
  body_ += "  <slider orientation=\"round\" action=\"rotation\"" + chanAttr(chan) + ">\n" +
           sizePos(rect, "    ") + "    <fader move=\"full\">\n      " +
           stripElement("pos", at, kDiscFrames, perRow) + "\n    </fader>\n  </slider>\n";
}

void SkinBuilder::arm(int chan, const Rect& rect, bool mirrored) {
  std::vector<Image> frames;
  for (int32_t f = 0; f < kArmFrames; ++f) {
    frames.push_back(state(rect));
    drawArm(frames.back(), double(f) / (kArmFrames - 1), mirrored);
  }
  window_.paste(frames[0], rect.x, rect.y);
  const Rect at = strip(rect, kArmFrames, kArmFrames, frames);
  body_ += "  <slider orientation=\"round\" action=\"arm\"" + chanAttr(chan) + ">\n" + sizePos(rect, "    ") +
           "    <fader move=\"full\">\n      " + stripElement("pos", at, kArmFrames, kArmFrames) +
           "\n    </fader>\n  </slider>\n";
}

void SkinBuilder::lamp(int chan, const Rect& rect, uint32_t colour, bool fades) {
  Image off = state(rect), on = state(rect);
  drawLamp(off, false, colour);
  drawLamp(on, true, colour);
  body_ += "  <beattap" + chanAttr(chan) + optional("transparent", fades ? "true" : "") + ">\n" +
           sizePos(rect, "    ") + images(rect, {{"up", off}, {"down", on}}) + "  </beattap>\n";
}

void SkinBuilder::text(const TextSpec& spec) {
  auto line = [&](const std::string& element, const std::string& format) {
    return "    <" + element + quoted("format", format) + " font=\"Arial\"" +
           optional("weight", spec.bold ? "bold" : "") + quoted("size", std::to_string(spec.size)) +
           quoted("color", hexColour(spec.colour)) + quoted("align", spec.align) + "/>\n";
  };
  body_ += "  <textzone" + chanAttr(spec.chan) + optional("geterrormessage", spec.errors ? "true" : "") +
           optional("resetcounter", spec.resetCounter ? "true" : "") + ">\n" + sizePos(spec.rect, "    ") +
           line("text", spec.format) + (spec.format2.empty() ? "" : line("text2", spec.format2)) +
           "  </textzone>\n";
}

void SkinBuilder::linear(const LinearSpec& spec) {
  const Rect& r = spec.rect;
  drawGroove(clean_, r, spec.horizontal, false, spec.accent, spec.grooveHalfWidth);
  window_.paste(clean_.crop(r), r.x, r.y);
  std::string body;
  if (spec.lit) {
    Image lit = state(r);
    drawGroove(lit, {0, 0, r.w, r.h}, spec.horizontal, true, spec.accent, spec.grooveHalfWidth);
    body += images(r, {{"up", state(r)}, {"selected", lit}});
  }
  if (spec.knobLength > 0) body += faderKnob(spec);
  body_ += "  <slider" + quoted("orientation", spec.horizontal ? "horizontal" : "vertical") +
           quoted("action", spec.kind) + chanAttr(spec.chan) +
           optional("direction", spec.reversed ? (spec.horizontal ? "left" : "down") : "") +
           optional("rightclick", spec.rightClick) + optional("dblclick", spec.dblClick) + ">\n" +
           sizePos(r, "    ") + body + "  </slider>\n";
}

std::string SkinBuilder::faderKnob(const LinearSpec& spec) {
  const Rect& r = spec.rect;
  const int32_t length = spec.horizontal ? r.w : r.h, travel = length - spec.knobLength;
  // The knob's first place: a level fader starts at full level (the top), the
  // others in the middle.
  const int32_t v = spec.kind == "level" ? 4096 : 2048;
  const int32_t start = spec.knobLength / 2, shown = spec.reversed ? 4096 - v : v;
  const int32_t p = spec.horizontal ? start + shown * (travel - 1) / 4096
                                    : start + travel - shown * (travel - 1) / 4096 - 1;
  const Rect knob = spec.horizontal ? Rect{r.x + p - spec.knobLength / 2, r.y, spec.knobLength, r.h}
                                    : Rect{r.x, r.y + p - spec.knobLength / 2, r.w, spec.knobLength};
  std::string out = "    <fader>\n" + sizePos(knob, "      ");
  const std::pair<const char*, ButtonState> kStates[3] = {
      {"up", ButtonState::up}, {"over", ButtonState::over}, {"down", ButtonState::down}};
  for (const auto& [name, st] : kStates) {
    Image cap = state(knob);
    drawFaderCap(cap, !spec.horizontal, st, spec.accent);
    const Rect at = atlas_.place(cap);
    out += "      " + xyElement(name, at.x, at.y) + "\n";
  }
  return out + "    </fader>\n";
}

void SkinBuilder::rhythm(const Rect& rect, uint32_t playing, uint32_t active) {
  auto curve = [&](uint32_t colour) {
    Image image = state(rect);
    for (int32_t y = 0; y < rect.h; ++y) {
      const double t = double(y) / std::max(rect.h - 1, 1);
      const uint32_t c = mix(shade(colour, 0.35), shade(colour, -0.45), t);
      for (int32_t x = 0; x < rect.w; ++x) image.blend(x, y, c, 0.92);
    }
    return image;
  };
  const std::string list = images(rect, {{"up", state(rect)}, {"chan1", curve(playing)},
                                         {"chan2", curve(active)}, {"both", curve(mix(playing, active, 0.5))}});
  body_ += "  <rhythm>\n" + sizePos(rect, "    ") + list + "  </rhythm>\n";
}

void SkinBuilder::scratch(int chan, const Rect& rect) {
  body_ += "  <scratch" + chanAttr(chan) + ">\n" + sizePos(rect, "    ") + "    <mousecircle" +
           quoted("x", std::to_string(rect.x + rect.w / 2)) + quoted("y", std::to_string(rect.y + rect.h / 2)) +
           quoted("r", std::to_string(rect.w / 2 - 2)) + "/>\n  </scratch>\n";
}

void SkinBuilder::dropZone(const std::string& chan, const Rect& rect) {
  body_ += "  <dropzone" + optional("chan", chan) + ">\n" + sizePos(rect, "    ") + "  </dropzone>\n";
}

void SkinBuilder::raw(const std::string& xml) { body_ += xml; }

Image SkinBuilder::bitmap() const { return atlas_.compose(window_); }

std::string SkinBuilder::xml() const {
  return "<zarnelskin width=\"800\" height=\"600\">\n" + body_ + "</zarnelskin>\n";
}

}  // namespace zarnel::art
