#pragma once
// Labels for the art: the program's font service draws them, in Arial's metric
// twin, cached by height and weight.

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/FontService.h"
#include "tools/skinart/Image.h"

namespace zarnel::art {

enum class Align { left, centre, right };

struct TextStyle {
  int32_t height = 14;  // cell height in pixels
  bool bold = true;
  uint32_t colour = 0xFFFFFF;
};

class Lettering {
 public:
  explicit Lettering(FontService& fonts) : fonts_(fonts) {}
  // Return: false when no font can be made (nothing would be drawn).
  bool ready(const TextStyle& style);
  // Return: the text's width in pixels.
  int32_t width(const std::string& text, const TextStyle& style);
  // Draws text inside box, vertically centred on the cap height (so capitals
  // look centred), aligned horizontally; clipped to box.
  void draw(Image& image, const Rect& box, const std::string& text, const TextStyle& style,
            Align align = Align::centre);

 private:
  Font* font(const TextStyle& style);
  FontService& fonts_;
  std::map<std::pair<int32_t, bool>, std::unique_ptr<Font>> cache_;
};

}  // namespace zarnel::art
