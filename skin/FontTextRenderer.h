#pragma once
// Text through the platform's font service: one font made per description
// and kept for the renderer's life.

#include <map>
#include <memory>
#include <tuple>

#include "platform/FontService.h"
#include "skin/BuiltinTextRenderer.h"
#include "skin/TextRenderer.h"

namespace zarnel {

// UI thread (the fonts it makes are drawn from one thread at a time).
class FontTextRenderer : public TextRenderer {
 public:
  // Pre: fonts outlives this object.
  explicit FontTextRenderer(FontService& fonts) : fonts_(fonts) {}

  TextExtent measure(const FontDescription& font, std::string_view text) const override;
  void draw(const FontDescription& font, std::string_view text, ColourRef colour, const PixelTarget& target,
            int32_t x, int32_t y) const override;

 private:
  using Key = std::tuple<std::string, int32_t, int32_t>;
  // Return: the font for the description, null when none can be loaded.
  const Font* fontFor(const FontDescription& font) const;

  FontService& fonts_;
  mutable std::map<Key, std::unique_ptr<Font>> made_;
  BuiltinTextRenderer fallback_;  // when the system has no font at all
};

}  // namespace zarnel
