#pragma once
// Builds a skin: each call draws one widget's images (the normal one straight
// into the window background, the others into the atlas below it) and writes
// its element into the skin's XML text.

#include <string>
#include <vector>

#include "tools/skinart/Atlas.h"
#include "tools/skinart/Controls.h"
#include "tools/skinart/Image.h"
#include "tools/skinart/Lettering.h"

namespace zarnel::art {

struct ButtonSpec {
  std::string action;
  int chan = 0;  // 1 or 2; 0 for none
  Rect rect;
  ButtonLook look;
  bool toggles = false;  // has the three selected images
  std::string rightClick;  // "" or "bend"
  bool plain = false;      // images are the background as it stands (a logo)
};

struct LinearSpec {
  std::string kind;
  int chan = 0;
  Rect rect;
  bool horizontal = true;
  bool reversed = false;
  bool lit = false;        // the part below (or left of) the value is lit
  int32_t knobLength = 0;  // 0: no knob
  uint32_t accent = 0;
  double grooveHalfWidth = 3;
  std::string rightClick, dblClick;
};

struct TextSpec {
  int chan = 0;
  Rect rect;
  std::string format, format2;
  int32_t size = 12;
  bool bold = false;
  uint32_t colour = 0xFFFFFF;
  std::string align = "left";
  bool errors = false, resetCounter = false;
};

class SkinBuilder {
 public:
  // Pre: background is the finished window picture without widgets.
  SkinBuilder(const Image& background, Lettering& letters);

  void button(const ButtonSpec& spec);
  // A knob of 37 frames turned by vertical drags, with a lit set while pointed at.
  void knob(const std::string& kind, int chan, const Rect& rect, bool centred, uint32_t accent,
            const std::string& rightClick = "");
  void linear(const LinearSpec& spec);
  void disc(int chan, const Rect& rect, uint32_t accent);
  void arm(int chan, const Rect& rect, bool mirrored);
  void lamp(int chan, const Rect& rect, uint32_t colour, bool fades);
  void text(const TextSpec& spec);
  void rhythm(const Rect& rect, uint32_t playing, uint32_t active);
  void scratch(int chan, const Rect& rect);
  void dropZone(const std::string& chan, const Rect& rect);
  // Any other element, written as it stands.
  void raw(const std::string& xml);

  // Return: the skin bitmap (window background with the atlas below).
  Image bitmap() const;
  // Return: the whole XML file.
  std::string xml() const;

 private:
  Image state(const Rect& rect) const { return clean_.crop(rect); }
  std::string faderKnob(const LinearSpec& spec);
  Rect strip(const Rect& rect, int32_t frames, int32_t perRow, const std::vector<Image>& images);
  std::string images(const Rect& rect, const std::vector<std::pair<std::string, Image>>& list);

  Image clean_, window_;
  Lettering& letters_;
  Atlas atlas_;
  std::string body_;
};

// Formatting helpers for the XML text.
std::string chanAttr(int chan);
std::string sizePos(const Rect& r, const std::string& indent);
std::string xyElement(const std::string& name, int32_t x, int32_t y);

}  // namespace zarnel::art
